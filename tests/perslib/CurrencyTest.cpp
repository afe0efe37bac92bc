#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "perslib/Conversion.h"
#include "perslib/Currency.h"

namespace perslib {
namespace {

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(Currency, ParsesDecimalTextToFourPlacesHalfToEven) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"0", 0},
      {"1234.5", 12'345'000},
      {" -3 ", -30'000},
      {"+.5", 5'000},
      {"7.", 70'000},
      {"0.00005", 0},  // half of the last place: to even
      {"0.00015", 2},
      {"0.00025", 2},
      {"0.000251", 3},
      {"-0.00015", -2},
      {"1e3", 10'000'000},
      {"2.5E-1", 2'500},
      {"1e-99999", 0},
      {"000000000000000000000000001", 10'000},
      {"922337203685477.5807", kMax},
      {"-922337203685477.5808", kMin},
  };
  for (const auto& [text, raw] : cases) EXPECT_EQ(Currency::parse(text).raw(), raw) << text;

  for (const char* text : {"", " ", "abc", "1,000", "1.2.3", "e5", "1e", "-", "922337203685477.5808", "1e15", "1e99999"}) {
    EXPECT_THROW(Currency::parse(text), ConvertError) << text;
  }
}

TEST(Currency, RoundsHalvesToEvenAndWritesShortestText) {
  const std::pair<std::int64_t, std::int64_t> rounding[] = {
      {25'000, 2}, {35'000, 4}, {-25'000, -2}, {-35'000, -4}, {25'001, 3}, {-5'000, 0}, {4'999, 0}, {-5'001, -1},
  };
  for (const auto& [raw, whole] : rounding) EXPECT_EQ(Currency::fromRaw(raw).roundedToWhole(), whole) << raw;

  const std::pair<std::int64_t, const char*> texts[] = {
      {25'000, "2.5"}, {-30'000, "-3"}, {1, "0.0001"}, {0, "0"}, {kMin, "-922337203685477.5808"},
  };
  for (const auto& [raw, text] : texts) EXPECT_EQ(Currency::fromRaw(raw).toString(), text);
}

TEST(Currency, WholeValueRejectsAFractionAsTheIntegerConversionDoes) {
  EXPECT_EQ(Currency::fromWhole(-12).wholeValue(), -12);
  try {
    (void)Currency::parse("2.5").wholeValue();
    FAIL() << "no ConvertError";
  } catch (const ConvertError& error) {
    EXPECT_STREQ(error.what(), "'2.5' is not a valid integer value");
  }
  EXPECT_THROW(Currency::fromWhole(kMax / 10'000 + 1), std::overflow_error);
}

}  // namespace
}  // namespace perslib
