#include "db/embedded/types/Calendar.h"

namespace db::embedded::types {

namespace {

// Days from 0000-03-01 based civil arithmetic (the era algorithm), shifted so that 0 is
// 1900-01-01.
constexpr std::int32_t kDaysFromEpoch1970To1900 = 25567;

std::int64_t daysSince1970(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return static_cast<std::int64_t>(era) * 146097 + doe - 719468;
}

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

std::int32_t daysFromCivil(int year, int month, int day) {
  return static_cast<std::int32_t>(daysSince1970(year, month, day) + kDaysFromEpoch1970To1900);
}

CivilDate civilFromDays(std::int32_t days) {
  const std::int64_t z = static_cast<std::int64_t>(days) - kDaysFromEpoch1970To1900 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = static_cast<int>(z - era * 146097);
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp < 10 ? mp + 3 : mp - 9;
  const int y = static_cast<int>(yoe + era * 400) + (m <= 2);
  return {y, m, d};
}

int dayOfYear(std::int32_t days) {
  const CivilDate date = civilFromDays(days);
  return days - daysFromCivil(date.year, 1, 1) + 1;
}

int dayOfWeek(std::int32_t days) {
  // 1900-01-01 was a Monday.
  const int r = (days + 1) % 7;
  return r < 0 ? r + 7 : r;
}

TimeOfDay timeOfDay(std::int32_t ticks) {
  TimeOfDay t;
  const std::int32_t seconds = ticks / kTicksPerSecond;
  t.hour = seconds / 3600;
  t.minute = seconds / 60 % 60;
  t.second = seconds % 60;
  // 1/300 s shown in milliseconds: 1 tick is .003, 2 ticks .007.
  t.millisecond = ((ticks % kTicksPerSecond) * 10 + 1) / 3;
  return t;
}

std::int64_t ticksFromMilliseconds(std::int64_t milliseconds) { return (milliseconds * 3 + 5) / 10; }

}  // namespace db::embedded::types
