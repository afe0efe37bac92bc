#pragma once

#include <compare>
#include <cstdint>

namespace db::embedded::types {

// A date and time as SQL Server keeps datetime: whole days since 1900-01-01 (negative before)
// and the time of day in 1/300-second ticks. smalldatetime keeps whole minutes, date no time.
struct DateTime {
  std::int32_t days = 0;
  std::int32_t ticks = 0;

  auto operator<=>(const DateTime&) const = default;
};

inline constexpr std::int32_t kTicksPerSecond = 300;
inline constexpr std::int32_t kTicksPerMinute = 60 * kTicksPerSecond;
inline constexpr std::int32_t kTicksPerDay = 24 * 60 * kTicksPerMinute;

// Gregorian calendar, proleptic, years 1 to 9999.
struct CivilDate {
  int year = 1900;
  int month = 1;
  int day = 1;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(int year, int month, int day);
std::int32_t daysFromCivil(int year, int month, int day);  // days since 1900-01-01
CivilDate civilFromDays(std::int32_t days);
int dayOfYear(std::int32_t days);  // 1..366
int dayOfWeek(std::int32_t days);  // 0 = Sunday .. 6 = Saturday

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;  // as datetime shows it: .000, .003, .007 ...
};

TimeOfDay timeOfDay(std::int32_t ticks);
// Milliseconds of the day rounded to datetime's 1/300-second ticks, as SQL Server rounds
// (.001 to .000, .002 to .003, .005 to .007). May reach kTicksPerDay: the caller carries.
std::int64_t ticksFromMilliseconds(std::int64_t milliseconds);

// The days SQL Server's types can hold.
inline constexpr std::int32_t kFirstDateTimeDay = -53690;   // 1753-01-01
inline constexpr std::int32_t kLastDay = 2958463;           // 9999-12-31
inline constexpr std::int32_t kFirstDateDay = -693595;      // 0001-01-01
inline constexpr std::int32_t kLastSmallDateTimeDay = 65535;  // 2079-06-06

}  // namespace db::embedded::types
