#pragma once

#include <string>
#include <string_view>

// Digit grouping for display. Input is not checked: every character other than "." counts
// as a digit position.
namespace perslib {

// Groups the integer part and the fraction (the text after the first ".") in threes from
// their right ends with ",", and writes "/" as the decimal mark: "1234.56789" -> "1,234/56,789".
std::string AddCollon(std::string_view number);

// "ريال " followed by the grouped integer part and at most three characters of the fraction:
// "1234567.891234" -> "ريال 1,234,567/891".
std::string AddCollonAndRial(std::string_view number);

}  // namespace perslib
