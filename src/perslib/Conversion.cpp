#include "perslib/Conversion.h"

#include <cstdint>
#include <limits>

namespace perslib {

ConvertError NotAnInteger(std::string_view text) {
  return ConvertError("'" + std::string(text) + "' is not a valid integer value");
}

int ToInteger(std::string_view text) {
  const auto reject = [text]() { return NotAnInteger(text); };
  std::size_t pos = text.find_first_not_of(' ');
  if (pos == std::string_view::npos) throw reject();
  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == text.size()) throw reject();
  // One beyond INT_MAX so that INT_MIN itself can be read.
  const std::int64_t limit = std::int64_t{std::numeric_limits<int>::max()} + (negative ? 1 : 0);
  std::int64_t value = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (c < '0' || c > '9') throw reject();
    value = value * 10 + (c - '0');
    if (value > limit) throw reject();
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace perslib
