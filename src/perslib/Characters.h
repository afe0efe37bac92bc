#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Texts are UTF-8. Operations that count characters (marker lengths, digit positions) count
// code points, so that a Persian letter is one character as it was in the 8-bit code page.
// A byte that does not start a valid UTF-8 sequence counts as one character of its own.
namespace perslib {

// Byte length of the character that starts at text[pos].
std::size_t CharacterLength(std::string_view text, std::size_t pos);

// The characters of the text, in order, each as a view into it.
std::vector<std::string_view> SplitCharacters(std::string_view text);

// The first `count` characters (all of the text when it has fewer).
std::string_view TakeCharacters(std::string_view text, std::size_t count);

// The text without blanks and control characters at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace perslib
