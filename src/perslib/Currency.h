#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace perslib {

// A fixed-point amount: a signed 64-bit count of ten-thousandths, so four decimal places
// and a range of about ±922,337,203,685,477.5807.
class Currency {
 public:
  static constexpr std::int64_t kScale = 10'000;

  constexpr Currency() = default;

  static constexpr Currency fromRaw(std::int64_t tenThousandths) { return Currency(tenThousandths); }
  // Throws std::overflow_error when the whole number does not fit.
  static Currency fromWhole(std::int64_t whole);

  // Reads a decimal text with "." as the decimal mark and an optional exponent
  // ("1234.5", "-3", "2.5e3"); blanks around it are ignored. Digits beyond the fourth
  // decimal are rounded half to even. Anything else, or an amount out of range, throws
  // ConvertError "'<text>' is not a valid floating point value".
  static Currency parse(std::string_view text);

  constexpr std::int64_t raw() const { return tenThousandths_; }

  // The nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
  std::int64_t roundedToWhole() const;

  // The amount as a whole number; throws ConvertError when it has a fraction, as reading
  // its text as an integer would.
  std::int64_t wholeValue() const;

  // Shortest decimal text: "1234.5", "-3", "0.0001".
  std::string toString() const;

  auto operator<=>(const Currency&) const = default;

 private:
  constexpr explicit Currency(std::int64_t tenThousandths) : tenThousandths_(tenThousandths) {}

  std::int64_t tenThousandths_ = 0;
};

}  // namespace perslib
