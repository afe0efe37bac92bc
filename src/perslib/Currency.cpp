#include "perslib/Currency.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "perslib/Characters.h"
#include "perslib/Conversion.h"

namespace perslib {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TakeDigits(std::string_view& text) {
  std::size_t count = 0;
  while (count < text.size() && IsDigit(text[count])) ++count;
  const std::string_view digits = text.substr(0, count);
  text.remove_prefix(count);
  return digits;
}

// Magnitude in ten-thousandths of digits × 10^shift, rounded half to even; false when it
// exceeds `limit`. `digits` has no leading zeros and is not empty.
bool ScaledMagnitude(std::string_view digits, long shift, std::uint64_t limit, std::uint64_t& result) {
  const long kept = static_cast<long>(digits.size()) + shift;  // digits left of the point
  if (kept > 20) return false;
  std::uint64_t value = 0;
  for (long i = 0; i < kept; ++i) {
    const unsigned digit = i < static_cast<long>(digits.size()) ? static_cast<unsigned>(digits[i] - '0') : 0;
    if (value > (limit - digit) / 10) return false;
    value = value * 10 + digit;
  }
  if (kept < static_cast<long>(digits.size())) {
    // Dropped digits: round half to even.
    const std::size_t firstDropped = static_cast<std::size_t>(std::max(kept, 0L));
    const char roundingDigit = kept >= 0 ? digits[firstDropped] : '0';
    const std::string_view after = kept >= 0 ? digits.substr(firstDropped + 1) : std::string_view{};
    const bool beyondHalf = after.find_first_not_of('0') != std::string_view::npos;
    const bool roundUp = roundingDigit > '5' || (roundingDigit == '5' && (beyondHalf || value % 2 == 1));
    if (roundUp) {
      if (value == limit) return false;
      ++value;
    }
  }
  result = value;
  return true;
}

}  // namespace

Currency Currency::fromWhole(std::int64_t whole) {
  constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int64_t>::max() / kScale;
  if (whole > kMaxWhole || whole < -kMaxWhole) throw std::overflow_error("amount out of the currency range");
  return Currency(whole * kScale);
}

Currency Currency::parse(std::string_view text) {
  const auto reject = [text]() {
    return ConvertError("'" + std::string(text) + "' is not a valid floating point value");
  };
  std::string_view rest = TrimBlanks(text);
  bool negative = false;
  if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  const std::string_view wholeDigits = TakeDigits(rest);
  std::string_view fractionDigits;
  if (!rest.empty() && rest.front() == '.') {
    rest.remove_prefix(1);
    fractionDigits = TakeDigits(rest);
  }
  if (wholeDigits.empty() && fractionDigits.empty()) throw reject();
  long exponent = 0;
  if (!rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
    rest.remove_prefix(1);
    bool negativeExponent = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
      negativeExponent = rest.front() == '-';
      rest.remove_prefix(1);
    }
    const std::string_view exponentDigits = TakeDigits(rest);
    if (exponentDigits.empty()) throw reject();
    for (char c : exponentDigits) exponent = std::min(exponent * 10 + (c - '0'), 100'000L);
    if (negativeExponent) exponent = -exponent;
  }
  if (!rest.empty()) throw reject();

  std::string digits = std::string(wholeDigits) + std::string(fractionDigits);
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  if (digits.empty()) return Currency();
  const long shift = exponent - static_cast<long>(fractionDigits.size()) + 4;  // to ten-thousandths
  // The negative range reaches one further than the positive one.
  const std::uint64_t limit = std::uint64_t{std::numeric_limits<std::int64_t>::max()} + (negative ? 1 : 0);
  std::uint64_t magnitude = 0;
  if (!ScaledMagnitude(digits, shift, limit, magnitude)) throw reject();
  return Currency(negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude));
}

std::int64_t Currency::roundedToWhole() const {
  const std::int64_t whole = tenThousandths_ / kScale;
  const std::int64_t remainder = tenThousandths_ % kScale;  // same sign as the amount
  const std::int64_t half = kScale / 2;
  const bool odd = whole % 2 != 0;
  if (remainder > half || (remainder == half && odd)) return whole + 1;
  if (remainder < -half || (remainder == -half && odd)) return whole - 1;
  return whole;
}

std::int64_t Currency::wholeValue() const {
  if (tenThousandths_ % kScale != 0) throw NotAnInteger(toString());
  return tenThousandths_ / kScale;
}

std::string Currency::toString() const {
  const bool negative = tenThousandths_ < 0;
  // Magnitude as unsigned so that the most negative amount has one too.
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(tenThousandths_) : static_cast<std::uint64_t>(tenThousandths_);
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / kScale);
  std::string fraction = std::to_string(magnitude % kScale + kScale).substr(1);  // four digits
  fraction.erase(fraction.find_last_not_of('0') + 1);
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

}  // namespace perslib
