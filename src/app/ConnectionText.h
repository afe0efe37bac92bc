#pragma once

#include <string>
#include <string_view>

namespace app {

// Error class of outside text refused before it reaches a connection string.
inline constexpr const char* kUnsafeTextClass = "EUnsafeConnectionText";
// Error class of text that is not UTF-8, which no name or statement may be stored as.
inline constexpr const char* kNotUtf8Class = "EConvertError";

// SQL Server's bounds, in characters (UTF-16 code units, as it counts them): a name (a
// catalog, a login) is a sysname, nvarchar(128), and so is a password at its longest; a
// server text with its instance and port is refused past 256.
inline constexpr size_t kMaxNameLength = 128;
inline constexpr size_t kMaxServerLength = 256;

// Refuses text that is not well-formed UTF-8, saying at which byte. `what` names the text's
// source for the message, here and below.
void requireUtf8(std::string_view text, const std::string& what);

// Refuses text from outside the program (a file, an edit box, a configuration value) that
// would add or change connection-string keywords: a ';' ends the keyword and '=' starts a
// value.
void requireConnectionStringSafe(std::string_view text, const std::string& what);

// Outside text that becomes a name or a server of a connection string: UTF-8, safe, and no
// longer than `maxLength` characters.
void requireConnectionValue(std::string_view text, size_t maxLength, const std::string& what);

// The connection string with the value of its Initial Catalog keyword replaced (or the
// keyword added); everything else is kept byte for byte.
std::string withInitialCatalog(std::string_view connectionString, std::string_view catalog);

// The Initial Catalog value of a connection string; empty when it names none.
std::string initialCatalogOf(std::string_view connectionString);


}  // namespace app
