#pragma once

#include <string>

#include "perslib/Currency.h"

// Amounts written in Persian words ("بيست و يك" for 21, "يك هزار و دويست و سي و چهار"
// for 1234). Zero is written only for the amount 0 itself; a zero group is left out with
// its joiner.
namespace perslib {

// The amount rounded to a whole number (halves to even) in words; empty text when that
// number is negative or 10^15 or more.
std::string DigToStr(Currency amount);

// The levels DigToStr is built from, each for whole amounts from 0 up to its bound
// (DigToStr9: 9, DigToStr99: 99, DigToStr999: 999, DigToStrThousand: below 10^6,
// DigToStrMillion: below 10^9, DigToStrBillion: below 10^12, DigToStrTrillion: below
// 10^15). An amount with a fraction throws ConvertError; one outside the level's range
// gives empty text.
std::string DigToStr9(Currency amount);
std::string DigToStr99(Currency amount);
std::string DigToStr999(Currency amount);
std::string DigToStrThousand(Currency amount);
std::string DigToStrMillion(Currency amount);
std::string DigToStrBillion(Currency amount);
std::string DigToStrTrillion(Currency amount);

}  // namespace perslib
