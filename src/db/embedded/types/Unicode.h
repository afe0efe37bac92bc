#pragma once

#include <string>
#include <string_view>

namespace db::embedded::types {

// Character data is kept as UTF-8; these work on code points. A byte that is not part of
// valid UTF-8 decodes as U+FFFD.
std::u32string decodeUtf8(std::string_view utf8);
std::string encodeUtf8(std::u32string_view codePoints);
void appendUtf8(std::string& out, char32_t codePoint);

// Letter case as the case-insensitive collation and UPPER/LOWER see it: the cased letters of
// Latin, Greek, Cyrillic, Armenian and the fullwidth forms. Arabic script has no case, so
// Persian letters (yeh U+06CC, Arabic yeh U+064A, kaf U+06A9 and U+0643) stay as written.
char32_t toUpper(char32_t c);
char32_t toLower(char32_t c);

}  // namespace db::embedded::types
