#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "perslib/Conversion.h"
#include "perslib/JalaliDate.h"

namespace perslib {
namespace {

TEST(JalaliDateText, ReadsFieldsAndReportsTheLastFailingCheck) {
  struct Case {
    const char* text;
    YearRange years;
    DateCode code;
    int year = 0, month = 0, day = 0;
  };
  const Case cases[] = {
      {"82/2/5", kCenturyYears, DateCode::Valid, 1382, 2, 5},
      {" 82/2/5", kCenturyYears, DateCode::Valid, 1382, 2, 5},
      {"1382/6/31", kCenturyYears, DateCode::Valid, 1382, 6, 31},
      {"1382/12/30", kCenturyYears, DateCode::Valid, 1382, 12, 30},  // no leap rule
      {"0/1/1", kAllYears, DateCode::Valid, 0, 1, 1},                // 0 is not widened
      {"100/1/1", kAllYears, DateCode::Valid, 100, 1, 1},
      {"1382/7/31", kCenturyYears, DateCode::DayOutOfRange},
      {"1382/1/0", kCenturyYears, DateCode::DayOutOfRange},
      {"1382/13/1", kCenturyYears, DateCode::MonthOutOfRange},
      {"1382/0/1", kCenturyYears, DateCode::MonthOutOfRange},
      {"1382/13/31", kCenturyYears, DateCode::DayOutOfRange},  // month 13 counts 30 days
      {"1401/1/1", kCenturyYears, DateCode::YearOutOfRange},
      {"1299/1/1", kCenturyYears, DateCode::YearOutOfRange},
      {"1500/1/40", kCenturyYears, DateCode::DayOutOfRange},  // last failing check decides
      {"1382/1/1/1", kCenturyYears, DateCode::ExtraSeparator},
      {"1382/1//", kCenturyYears, DateCode::ExtraSeparator},
      {"/1/1", kCenturyYears, DateCode::EmptyYear},
      {"1382//1", kCenturyYears, DateCode::EmptyMonth},
      {"1382/12", kCenturyYears, DateCode::EmptyMonth},
      {"1382", kCenturyYears, DateCode::EmptyMonth},  // no "/": year and month empty
      {"1382/1/", kCenturyYears, DateCode::EmptyDay},
      {"", kCenturyYears, DateCode::EmptyDay},
      {"13x2/1", kCenturyYears, DateCode::EmptyMonth},  // structure is checked before conversion
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const ParsedDate date = DateToYMD(c.text, c.years);
    EXPECT_EQ(date.code, c.code);
    EXPECT_EQ(date.year, c.year);
    EXPECT_EQ(date.month, c.month);
    EXPECT_EQ(date.day, c.day);
    EXPECT_EQ(IsDateShamsi(c.text, c.years.min, c.years.max), c.code);
  }
}

TEST(JalaliDateText, FieldThatIsNoIntegerRaisesConvertError) {
  for (const char* text : {"13x2/1/1", "1382/1.5/1", "1382/1/5 ", "1382/-/1", "99999999999/1/1"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(DateToYMD(text, kCenturyYears), ConvertError);
    EXPECT_THROW(AddZeroToDate(text), ConvertError);
  }
  try {
    DateToYMD("13x2/1/1", kCenturyYears);
  } catch (const ConvertError& error) {
    EXPECT_STREQ(error.className(), "EConvertError");
    EXPECT_STREQ(error.what(), "'13x2' is not a valid integer value");
  }
}

TEST(JalaliDateText, AddZeroToDateAndDateToStrYMDFormat) {
  const std::pair<const char*, const char*> zeroPadded[] = {
      {"1382/2/5", "1382/02/05"}, {"82/2/5", "1382/02/05"}, {"1382/10/10", "1382/10/10"},
      {"9999/12/30", "9999/12/30"}, {"0/1/1", "130/01/01"}, {"1382/2/32", ""},
      {"10000/1/1", ""}, {"", ""},
  };
  for (const auto& [text, expected] : zeroPadded) EXPECT_EQ(AddZeroToDate(text), expected) << text;

  struct Case {
    const char* text;
    std::uint8_t centuryFlag, leadingZeroFlag;
    DateTexts expected;
  };
  const Case cases[] = {
      {"1382/12/25", 0, 1, {"82", "12", "25", "82/12/25"}},
      {"1382/2/5", 1, 1, {"1382", "02", "05", "1382/02/05"}},
      {"82/2/5", 0, 0, {"82", "2", "5", "82/2/5"}},
      {"1300/1/1", 0, 1, {"1300", "01", "01", "1300/01/01"}},  // only years above 1300 lose the 13
      {"0/1/1", 1, 0, {"130", "1", "1", "130/1/1"}},
      {"1382/13/1", 1, 1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const DateTexts texts = DateToStrYMD(c.text, c.centuryFlag, c.leadingZeroFlag);
    EXPECT_EQ(texts.year, c.expected.year);
    EXPECT_EQ(texts.month, c.expected.month);
    EXPECT_EQ(texts.day, c.expected.day);
    EXPECT_EQ(texts.joined, c.expected.joined);
  }
}

TEST(JalaliDateText, BoundsAndYearDifference) {
  const std::pair<const char*, bool> inBound[] = {
      {"83/3/3", true}, {"84/4/4", true}, {"83/12/1", true}, {"84/4/5", false}, {"83/3/2", false},
      {"x", false},  // a date that does not read is 0/0/0
  };
  for (const auto& [date, expected] : inBound) EXPECT_EQ(IsDateInBound("83/3/3", "84/4/4", date), expected) << date;
  EXPECT_TRUE(IsDateInBound("", "84/4/4", "1300/1/1"));

  EXPECT_EQ(Dif2Y("1382/1/1", "1390/12/29"), 8);
  EXPECT_EQ(Dif2Y("90/1/1", "82/5/5"), -8);
  EXPECT_EQ(Dif2Y("1501/1/1", "1400/1/1"), 1400);  // out of range counts as year 0
}

TEST(JalaliDateText, Compare2DateCountsA365DayYear) {
  struct Case {
    const char* first;
    const char* second;
    DateDistance expected;
  };
  const Case cases[] = {
      {"1382/1/1", "1383/1/1", {365, 1, 0, 0}},
      {"1382/6/31", "1382/7/1", {1, 0, 0, 1}},
      {"1382/1/1", "1382/1/30", {29, 0, 0, 29}},
      {"1382/1/1", "1382/2/1", {31, 0, 1, 1}},
      {"1382/1/1", "1382/12/30", {365, 1, 0, 0}},
      {"1382/7/1", "1383/9/15", {439, 1, 2, 14}},
      {"1382/5/5", "82/5/5", {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    for (const auto& [a, b] : {std::pair{c.first, c.second}, std::pair{c.second, c.first}}) {
      SCOPED_TRACE(std::string(a) + " " + b);
      const DateDistance distance = Compare2Date(a, b);
      EXPECT_EQ(distance.totalDays, c.expected.totalDays);
      EXPECT_EQ(distance.years, c.expected.years);
      EXPECT_EQ(distance.months, c.expected.months);
      EXPECT_EQ(distance.days, c.expected.days);
    }
  }
}

TEST(JalaliDateText, AddToDateCarriesDaysThenMonthsThenYears) {
  struct Case {
    const char* text;
    int years, months, days;
    const char* expected;
  };
  const Case cases[] = {
      {"1382/12/25", 0, 0, 10, "1383/01/05"},
      {"1382/1/1", 0, 0, 365, "1382/12/30"},
      {"1382/1/1", 0, 0, 366, "1383/01/01"},
      {"1382/1/1", 0, 0, 366 * 1000, "2382/01/01"},
      {"1382/1/1", 1, 13, 0, "1384/02/01"},
      {"1382/1/5", 0, 0, -4, "1382/01/01"},
      {"1382/6/31", 0, 1, 0, ""},  // day 31 does not fit month 7
      {"1382/1/5", 0, 0, -5, ""},
      {"1382/1/1", 0, -1, 0, ""},
      {"9999/12/30", 0, 0, 1, ""},
      {"1382/1/1", 0, 0, INT_MAX, ""},
      {"1382/1/1", INT_MAX, INT_MAX, 0, ""},  // no overflow
      {"1382/13/1", 0, 0, 1, "1382/13/1"},    // a date that does not read comes back unchanged
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddToDate(c.text, c.years, c.months, c.days), c.expected)
        << c.text << " + " << c.years << "y " << c.months << "m " << c.days << "d";
  }
}

TEST(JalaliDateText, AddingDaysAtOnceEqualsAddingThemOneByOne) {
  std::string stepped = "1382/1/1";
  for (int days = 1; days <= 4000; ++days) {
    stepped = AddToDate(stepped, 0, 0, 1);
    ASSERT_EQ(AddToDate("1382/1/1", 0, 0, days), stepped) << days;
  }
}

// Every valid date formats to a text that reads back as the same date and formats to
// itself, and adding nothing gives that same text. All years up to 1600, then a sample.
TEST(JalaliDateText, EveryValidDateSurvivesAddZeroToDateAndAddToDateByZero) {
  const auto nextYear = [](int year) { return year < 1600 ? year + 1 : year == 9999 ? 10000 : std::min(year + 37, 9999); };
  for (int year = 1; year <= 9999; year = nextYear(year)) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(month); ++day) {
        const std::string text = std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day);
        const std::string padded = AddZeroToDate(text);
        const ParsedDate original = DateToYMD(text, kAllYears);
        const ParsedDate reread = DateToYMD(padded, kAllYears);
        ASSERT_EQ(reread.code, DateCode::Valid) << text;
        ASSERT_TRUE(reread.year == original.year && reread.month == month && reread.day == day) << text;
        ASSERT_EQ(AddZeroToDate(padded), padded) << text;
        ASSERT_EQ(AddToDate(text, 0, 0, 0), padded) << text;
      }
    }
  }
}

}  // namespace
}  // namespace perslib
