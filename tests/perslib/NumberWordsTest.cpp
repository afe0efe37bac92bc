#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "perslib/Conversion.h"
#include "perslib/NumberWords.h"

namespace perslib {
namespace {

Currency Whole(std::int64_t value) { return Currency::fromWhole(value); }

TEST(NumberWords, DigToStrWritesEachScale) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "صفر"},
      {10, "ده"},
      {20, "بيست"},
      {21, "بيست و يك"},
      {105, "يكصد و پنج"},
      {110, "يكصد و ده"},
      {999, "نهصد و نود و نه"},
      {1000, "يك هزار"},
      {2001, "دو هزار و يك"},
      {1234, "يك هزار و دويست و سي و چهار"},
      {2'000'000, "دو ميليون"},
      {1'000'005, "يك ميليون و پنج"},
      {1'001'000, "يك ميليون و يك هزار"},
      {123'456'789, "يكصد و بيست و سه ميليون و چهارصد و پنجاه و شش هزار و هفتصد و هشتاد و نه"},
      {1'000'000'000, "يك ميليارد"},
      {1'000'000'000'000, "يك تريليون"},
      {1'000'000'000'001, "يك تريليون و يك"},
      {922'337'203'685'477,
       "نهصد و بيست و دو تريليون و سيصد و سي و هفت ميليارد و دويست و سه ميليون و "
       "ششصد و هشتاد و پنج هزار و چهارصد و هفتاد و هفت"},
      {-3, ""},
  };
  for (const auto& [value, words] : cases) EXPECT_EQ(DigToStr(Whole(value)), words) << value;
  // The largest amount rounds up to 922,337,203,685,478; nothing larger exists.
  EXPECT_TRUE(DigToStr(Currency::fromRaw(std::numeric_limits<std::int64_t>::max())).ends_with("چهارصد و هفتاد و هشت"));
}

TEST(NumberWords, DigToStrRoundsHalvesToEven) {
  const std::pair<const char*, const char*> cases[] = {
      {"2.5", "دو"}, {"3.5", "چهار"}, {"2.5001", "سه"}, {"0.4999", "صفر"}, {"-0.5", "صفر"}, {"-0.5001", ""},
  };
  for (const auto& [amount, words] : cases) EXPECT_EQ(DigToStr(Currency::parse(amount)), words) << amount;
}

TEST(NumberWords, WordsKeepTheArabicYehAndKaf) {
  EXPECT_EQ(DigToStr(Whole(1)), "\u064A\u0643");  // not the Persian yeh U+06CC or keheh U+06A9
  EXPECT_EQ(DigToStr(Whole(100)), "\u064A\u0643\u0635\u062F");
}

TEST(NumberWords, LevelsAnswerOnlyWithinTheirRange) {
  struct Case {
    std::string (*level)(Currency);
    std::int64_t value;
    const char* words;
  };
  const Case cases[] = {
      {DigToStr9, 7, "هفت"},
      {DigToStr9, 10, ""},
      {DigToStr9, -1, ""},
      {DigToStr99, 99, "نود و نه"},
      {DigToStr99, 100, ""},
      {DigToStr999, 1000, ""},
      {DigToStrThousand, 5, "پنج"},
      {DigToStrThousand, 1'000'000, ""},
      {DigToStrMillion, 1'000'000'000, ""},
      {DigToStrBillion, 1'000'000'000'000, ""},
      {DigToStrTrillion, 5, "پنج"},  // no "zero trillion"
  };
  for (const Case& c : cases) EXPECT_EQ(c.level(Whole(c.value)), c.words) << c.value;
  EXPECT_THROW(DigToStr9(Currency::parse("2.5")), ConvertError);
}

// Words are joined with single blanks: none doubled, none at either end, and zero only for 0.
TEST(NumberWords, EveryValueUpToAMillionHasWellFormedWords) {
  const std::string zero = DigToStr(Whole(0));
  for (std::int64_t value = 0; value <= 1'000'000; ++value) {
    const std::string words = DigToStr(Whole(value));
    ASSERT_FALSE(words.empty()) << value;
    ASSERT_EQ(words.find("  "), std::string::npos) << value;
    ASSERT_NE(words.front(), ' ') << value;
    ASSERT_NE(words.back(), ' ') << value;
    if (value != 0) {
      ASSERT_EQ(words.find(zero), std::string::npos) << value;
    }
  }
}

}  // namespace
}  // namespace perslib
