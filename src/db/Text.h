#pragma once

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

}  // namespace db
