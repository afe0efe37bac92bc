#include <gtest/gtest.h>

#include "perslib/DigitGrouping.h"

namespace perslib {
namespace {

TEST(DigitGrouping, AddCollonGroupsBothPartsFromTheirRightEnds) {
  const std::pair<const char*, const char*> cases[] = {
      {"1234567", "1,234,567"},
      {"1234.56789", "1,234/56,789"},
      {"123", "123"},
      {"1234", "1,234"},
      {"123456", "123,456"},
      {"", ""},
      {"12.", "12"},
      {".5", "/5"},
      {"-1234", "-1,234"},     // unchecked input: the sign is a digit position
      {"۱۲۳۴", "۱,۲۳۴"},       // Persian digits count as one character each
      {"1.2345.6", "1/234,5.6"},  // only the first "." separates
  };
  for (const auto& [number, grouped] : cases) EXPECT_EQ(AddCollon(number), grouped) << number;
}

TEST(DigitGrouping, AddCollonAndRialKeepsThreeDecimals) {
  const std::pair<const char*, const char*> cases[] = {
      {"1234567.891234", "ريال 1,234,567/891"},
      {"", "ريال "},
      {"1000", "ريال 1,000"},
      {"5.12", "ريال 5/12"},
      {"5.", "ريال 5"},
  };
  for (const auto& [number, grouped] : cases) EXPECT_EQ(AddCollonAndRial(number), grouped) << number;
}

}  // namespace
}  // namespace perslib
