#pragma once

#include <string>
#include <string_view>

namespace db::odbc {

// UTF-8 <-> UTF-16 for the ODBC wide-character calls (SQLWCHAR is a 16-bit unit on unixODBC;
// wchar_t is 32 bits on Linux and never reaches a driver).

// Throws db::Error when `text` is not valid UTF-8: a statement is never sent altered.
std::u16string toUtf16(std::string_view text);
// An unpaired surrogate from a driver becomes U+FFFD: a name or value is always readable.
std::string toUtf8(std::u16string_view text);

}  // namespace db::odbc
