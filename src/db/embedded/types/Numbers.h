#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace db::embedded::types {

// Decimal values are integers scaled by 10^scale; 38 digits need 128 bits.
__extension__ typedef __int128 Int128;

// 10^n for 0 <= n <= 38.
Int128 pow10(int n);

// The largest unscaled value of `precision` digits: 10^precision - 1.
inline Int128 maxOfPrecision(int precision) { return pow10(precision) - 1; }

// `value` / 10^digits rounded half away from zero, as SQL Server rounds decimals and money.
Int128 divideRounded(Int128 value, int digits);
// `value` / 10^digits truncated toward zero.
inline Int128 divideTruncated(Int128 value, int digits) { return value / pow10(digits); }

// Re-scales an unscaled value from one scale to another, rounding when digits are lost.
// Nullopt when the result would exceed 38 digits.
std::optional<Int128> rescale(Int128 value, int fromScale, int toScale);

// The decimal text of an unscaled value: "-12.50" for -1250 at scale 2, "0.05" for 5.
std::string decimalText(Int128 unscaled, int scale);

// Digits of |value| (1 for 0).
int digitCount(Int128 value);

}  // namespace db::embedded::types
