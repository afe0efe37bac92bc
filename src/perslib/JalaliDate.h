#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Jalali dates written as text "year/month/day" (1382/12/25, 82/2/5). This is the text
// arithmetic of the library's callers: every month 1-6 has 31 days, 7-12 has 30, with no
// leap rule. The true calendar (today's date) is in JalaliCalendar.h.
namespace perslib {

// Outcome of reading a date text. The numeric values are part of the contract.
// Codes 1-4 are tested in this order and 5-7 only when 1-4 passed; within each group the
// last failing test decides (an empty text gives EmptyDay).
enum class DateCode : std::uint8_t {
  Valid = 0,
  ExtraSeparator = 1,  // the day field still contains a "/"
  EmptyYear = 2,
  EmptyMonth = 3,
  EmptyDay = 4,
  YearOutOfRange = 5,  // after widening a two-digit year
  MonthOutOfRange = 6,
  DayOutOfRange = 7,
};

struct YearRange {
  int min;
  int max;
};

// The ranges each operation checks with.
inline constexpr YearRange kCenturyYears{1300, 1400};  // DateToYMD/IsDateShamsi in the window, Compare2Date
inline constexpr YearRange kBoundYears{1300, 1500};    // IsDateInBound, Dif2Y
inline constexpr YearRange kAllYears{0, 9999};         // AddZeroToDate, DateToStrYMD, AddToDate

struct ParsedDate {
  DateCode code = DateCode::Valid;
  int year = 0;  // 1 to 99 are widened to 1301 to 1399
  int month = 0;
  int day = 0;  // year, month and day are all 0 unless code is Valid
};

// Days of a month in the text arithmetic: 31 for months up to 6, 30 after.
int DaysInMonth(int month);

// Reads a date text. A field that passes the structural tests but is not an integer
// ("13x2/1/1") throws ConvertError.
ParsedDate DateToYMD(std::string_view text, int minYear, int maxYear);
inline ParsedDate DateToYMD(std::string_view text, YearRange years) {
  return DateToYMD(text, years.min, years.max);
}

// The code of DateToYMD alone; Valid means the text is a Jalali date.
DateCode IsDateShamsi(std::string_view text, int minYear, int maxYear);

// Four-digit year, two-digit month and day (82/2/5 -> 1382/02/05); empty text when the
// date does not read with kAllYears. Year 0 is written "130", as it always has been.
std::string AddZeroToDate(std::string_view text);

struct DateTexts {
  std::string year;
  std::string month;
  std::string day;
  std::string joined;  // year/month/day
};

// Re-formats a date. centuryFlag 0 drops the 13 of years above 1300 (1382 -> 82), 1 adds
// "13" before a year below 100; leadingZeroFlag 1 pads month and day to two digits.
// All texts are empty when the date does not read with kAllYears.
DateTexts DateToStrYMD(std::string_view text, std::uint8_t centuryFlag, std::uint8_t leadingZeroFlag);

// lower <= date <= upper by (year, month, day), dates read with kBoundYears; a date that
// does not read counts as 0/0/0.
bool IsDateInBound(std::string_view lower, std::string_view upper, std::string_view date);

// Second year minus first year (kBoundYears; 0 for a date that does not read).
int Dif2Y(std::string_view first, std::string_view second);

struct DateDistance {
  int totalDays = 0;
  int years = 0;
  int months = 0;
  int days = 0;
};

// Distance between two dates in a 365-day year of 31-day and 30-day months, and that
// distance as years (of 365 days), months (of 30) and days. Symmetric; dates read with
// kCenturyYears, 0/0/0 for a date that does not read.
DateDistance Compare2Date(std::string_view first, std::string_view second);

// Adds days first (carrying whole months), then months (carrying years), then years, and
// writes the result as AddZeroToDate does. A date that does not read is returned unchanged;
// a result that is not a valid date (1382/6/31 plus one month) is empty text.
std::string AddToDate(std::string_view text, int years, int months, int days);

}  // namespace perslib
