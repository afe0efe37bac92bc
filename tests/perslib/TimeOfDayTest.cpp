#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "perslib/Conversion.h"
#include "perslib/TimeOfDay.h"

namespace perslib {
namespace {

const std::string kPm = " ب.ظ";  // after noon
const std::string kAm = " ق.ظ";  // before noon

TEST(TimeOfDay, ReadsTwelveAndTwentyFourHourTimes) {
  struct Case {
    std::string text;
    TimeCode code;
    int hour12 = 0, minute = 0, second = 0;
    bool afterNoon = false;
    int hour24 = 0;
  };
  const Case cases[] = {
      {"13:05", TimeCode::Valid, 1, 5, 0, true, 13},
      {"1:05:09" + kPm, TimeCode::Valid, 1, 5, 9, true, 13},
      {"10:30" + kAm, TimeCode::Valid, 10, 30, 0, false, 10},
      {"12:30 AM", TimeCode::Valid, 12, 30, 0, false, 12},
      {"12:30 PM", TimeCode::Valid, 12, 30, 0, true, 12},
      {"0:15 pm", TimeCode::Valid, 0, 15, 0, true, 12},
      {"13:00 am", TimeCode::Valid, 1, 0, 0, true, 13},  // an hour above 12 is after noon anyway
      {"7 pm", TimeCode::Valid, 7, 0, 0, true, 19},
      {"9", TimeCode::Valid, 9, 0, 0, false, 9},
      {"9:5", TimeCode::Valid, 9, 5, 0, false, 9},
      {"24:00", TimeCode::HourOutOfRange},
      {"10:60", TimeCode::MinuteOutOfRange},
      {"10:10:60", TimeCode::SecondOutOfRange},
      {"25:61:61", TimeCode::SecondOutOfRange},  // last failing check decides
      {"1:2:3:4", TimeCode::ExtraSeparator},
      {":30", TimeCode::EmptyHour},
      {"10:", TimeCode::EmptyMinute},
      {":", TimeCode::EmptyMinute},
      {"10:30:", TimeCode::EmptySecond},
      {"::", TimeCode::EmptySecond},
      {"10:30x", TimeCode::ForbiddenCharacter},
      {"10:30 PM!", TimeCode::ForbiddenCharacter},
      {"ساعت", TimeCode::ForbiddenCharacter},
      {"10\xD9", TimeCode::ForbiddenCharacter},  // a broken UTF-8 sequence
      {"", TimeCode::EmptyText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const Time12 time12 = TimeToHms12(c.text);
    EXPECT_EQ(time12.code, c.code);
    EXPECT_EQ(time12.hour, c.hour12);
    EXPECT_EQ(time12.minute, c.minute);
    EXPECT_EQ(time12.second, c.second);
    EXPECT_EQ(time12.afterNoon, c.afterNoon);
    const Time24 time24 = TimeToHms24(c.text);
    EXPECT_EQ(time24.code, c.code);
    EXPECT_EQ(time24.hour, c.hour24);
    EXPECT_EQ(time24.minute, c.minute);
    EXPECT_EQ(time24.second, c.second);
  }
}

TEST(TimeOfDay, PermittedCharactersThatAreNoIntegerRaiseConvertError) {
  for (const std::string text : {"1.5:30", "10: ", "1 2", "pm"}) {
    SCOPED_TRACE(text);
    EXPECT_THROW(TimeToHms12(text), ConvertError);
  }
}

TEST(TimeOfDay, StandardFormsPadEveryFieldAndCarryTheMarker) {
  struct Case {
    std::string text;
    std::string twelveHour;
    std::string twentyFourHour;
  };
  const Case cases[] = {
      {"  7:5 pm  ", "07:05:00" + kPm, "19:05:00"},
      {"9", "09:00:00" + kAm, "09:00:00"},
      {"13:05", "01:05:00" + kPm, "13:05:00"},
      {"0:0:0", "00:00:00" + kAm, "00:00:00"},
      {"1:05:09" + kPm, "01:05:09" + kPm, "13:05:09"},
      {"25:00", "", ""},
      {"   ", "", ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(StandardTime12H(c.text), c.twelveHour);
    EXPECT_EQ(StandardTime24H(c.text), c.twentyFourHour);
  }
}

TEST(TimeOfDay, Compare2TimeGivesOrderAndSecondMinusFirst) {
  struct Case {
    const char* first;
    const char* second;
    TimeOrder order;
    int hours, minutes, seconds;
  };
  const Case cases[] = {
      {"10:00:00", "09:30:15", TimeOrder::FirstLater, 0, -29, -45},
      {"09:30:15", "10:00:00", TimeOrder::SecondLater, 0, 29, 45},
      {"09:59:59", "10:00:00", TimeOrder::SecondLater, 0, 0, 1},
      {"23:59:59", "0:0:0", TimeOrder::FirstLater, -23, -59, -59},
      {"1:00 pm", "13:00", TimeOrder::Equal, 0, 0, 0},
      {"x", "0:0:1", TimeOrder::SecondLater, 0, 0, 1},  // a text that does not read is 00:00:00
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " / " + c.second);
    const TimeComparison result = compare2Time(c.first, c.second);
    EXPECT_EQ(result.order, c.order);
    EXPECT_EQ(result.hours, c.hours);
    EXPECT_EQ(result.minutes, c.minutes);
    EXPECT_EQ(result.seconds, c.seconds);
  }
}

// For any two times, the three differences are one signed span: first + span = second.
TEST(TimeOfDay, Compare2TimeDifferencesAddUpToTheSpan) {
  std::vector<std::pair<std::string, int>> times;
  for (int seconds = 0; seconds < 24 * 3600; seconds += 997) {
    times.emplace_back(std::to_string(seconds / 3600) + ":" + std::to_string(seconds / 60 % 60) + ":" +
                           std::to_string(seconds % 60),
                       seconds);
  }
  for (const auto& [first, firstSeconds] : times) {
    for (const auto& [second, secondSeconds] : times) {
      const TimeComparison result = compare2Time(first, second);
      const int span = result.hours * 3600 + result.minutes * 60 + result.seconds;
      ASSERT_EQ(span, secondSeconds - firstSeconds) << first << " / " << second;
      ASSERT_TRUE(result.minutes > -60 && result.minutes < 60 && result.seconds > -60 && result.seconds < 60);
    }
  }
}

}  // namespace
}  // namespace perslib
