#include "perslib/DigitGrouping.h"

#include <cstddef>
#include <limits>

#include "perslib/Characters.h"

namespace perslib {
namespace {

constexpr std::string_view kRialPrefix = "ريال ";

std::string GroupInThrees(std::string_view digits) {
  const auto characters = SplitCharacters(digits);
  std::string grouped;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (i > 0 && (characters.size() - i) % 3 == 0) grouped += ',';
    grouped += characters[i];
  }
  return grouped;
}

std::string GroupNumber(std::string_view number, std::size_t maxFractionCharacters) {
  const std::size_t point = number.find('.');
  const std::string_view integer = number.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : TakeCharacters(number.substr(point + 1), maxFractionCharacters);
  std::string grouped = GroupInThrees(integer);
  if (!fraction.empty()) grouped += "/" + GroupInThrees(fraction);
  return grouped;
}

}  // namespace

std::string AddCollon(std::string_view number) {
  return GroupNumber(number, std::numeric_limits<std::size_t>::max());
}

std::string AddCollonAndRial(std::string_view number) { return std::string(kRialPrefix) + GroupNumber(number, 3); }

}  // namespace perslib
