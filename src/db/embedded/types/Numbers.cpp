#include "db/embedded/types/Numbers.h"

#include <algorithm>
#include <array>

namespace db::embedded::types {

namespace {

constexpr std::array<Int128, 39> makePowers() {
  std::array<Int128, 39> p{};
  p[0] = 1;
  for (size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
  return p;
}

constexpr std::array<Int128, 39> kPowers = makePowers();

}  // namespace

Int128 pow10(int n) { return kPowers[static_cast<size_t>(n)]; }

Int128 divideRounded(Int128 value, int digits) {
  if (digits <= 0) return value;
  const Int128 divisor = pow10(digits);
  Int128 quotient = value / divisor;
  const Int128 remainder = value % divisor;
  const Int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
  if (twice >= divisor) quotient += value < 0 ? -1 : 1;
  return quotient;
}

std::optional<Int128> rescale(Int128 value, int fromScale, int toScale) {
  if (toScale <= fromScale) return divideRounded(value, fromScale - toScale);
  const int up = toScale - fromScale;
  if (digitCount(value) + up > 38) return std::nullopt;
  return value * pow10(up);
}

int digitCount(Int128 value) {
  if (value < 0) value = -value;
  int digits = 1;
  while (digits < 39 && value >= pow10(digits)) ++digits;
  return digits;
}

std::string decimalText(Int128 unscaled, int scale) {
  const bool negative = unscaled < 0;
  Int128 magnitude = negative ? -unscaled : unscaled;
  std::string digits;
  do {
    digits.push_back(static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  } while (magnitude > 0);
  while (static_cast<int>(digits.size()) <= scale) digits.push_back('0');
  std::reverse(digits.begin(), digits.end());
  if (scale > 0) digits.insert(digits.size() - static_cast<size_t>(scale), ".");
  return negative ? "-" + digits : digits;
}

}  // namespace db::embedded::types
