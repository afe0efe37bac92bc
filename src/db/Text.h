#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace db {

// Text helpers shared by the parsers of connection strings, catalogs and settings files.

// `s` without its leading and trailing blanks, tabs and line-break characters.
std::string_view trimBlanks(std::string_view s);

// ASCII-only case folding: A-Z become a-z, every other byte (Persian letters included) is
// left as it is, as the server's name comparison does.
std::string asciiLower(std::string_view text);
bool equalsAsciiNoCase(std::string_view a, std::string_view b);

// One character of UTF-8 text: its code point and how many bytes encode it.
struct Utf8Char {
  char32_t codePoint;
  size_t length;
};
// The character that starts at byte `at`; nullopt when the bytes there are not well-formed
// UTF-8 (a stray or missing continuation byte, an overlong form, a surrogate, a value past
// U+10FFFF).
std::optional<Utf8Char> utf8CharAt(std::string_view text, size_t at);
// The offset of the first byte where `text` stops being well-formed UTF-8; nullopt when all
// of it is.
std::optional<size_t> firstNonUtf8Byte(std::string_view text);
// The length of well-formed UTF-8 text in UTF-16 code units: the length SQL Server gives a
// name or an nvarchar value.
size_t utf16Length(std::string_view utf8);

}  // namespace db
