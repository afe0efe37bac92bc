#include "perslib/JalaliCalendar.h"

#include <array>
#include <ctime>
#include <stdexcept>

namespace perslib {
namespace {

using namespace std::chrono;

// Jalali years at which the leap pattern of the 33-year cycle shifts.
constexpr std::array<int, 20> kBreakYears = {-61,  9,    38,   199,  426,  686,  756,  818,  1111, 1181,
                                             1210, 1635, 2060, 2097, 2192, 2262, 2324, 2394, 2456, 3178};

struct YearStart {
  int gregorianYear;  // the Gregorian year in which the Jalali year begins
  int marchDay;       // its first day (Nowruz) falls on this day of March
  int leapCycle;      // position in the 4-year leap cycle; 0 is a leap year
};

// The arithmetic of the widely used jalaali algorithm (integer division truncates, as there).
YearStart LocateYear(int jalaliYear) {
  if (jalaliYear < kBreakYears.front() || jalaliYear >= kBreakYears.back()) {
    throw std::out_of_range("Jalali year " + std::to_string(jalaliYear) + " is outside the supported range");
  }
  int leapDaysJalali = -14;
  int periodStart = kBreakYears.front();
  int jump = 0;
  for (std::size_t i = 1; i < kBreakYears.size(); ++i) {
    const int periodEnd = kBreakYears[i];
    jump = periodEnd - periodStart;
    if (jalaliYear < periodEnd) break;
    leapDaysJalali += jump / 33 * 8 + jump % 33 / 4;
    periodStart = periodEnd;
  }
  int yearsIntoPeriod = jalaliYear - periodStart;
  leapDaysJalali += yearsIntoPeriod / 33 * 8 + (yearsIntoPeriod % 33 + 3) / 4;
  if (jump % 33 == 4 && jump - yearsIntoPeriod == 4) ++leapDaysJalali;

  const int gregorianYear = jalaliYear + 621;
  const int leapDaysGregorian = gregorianYear / 4 - (gregorianYear / 100 + 1) * 3 / 4 - 150;
  const int marchDay = 20 + leapDaysJalali - leapDaysGregorian;

  if (jump - yearsIntoPeriod < 6) yearsIntoPeriod = yearsIntoPeriod - jump + (jump + 4) / 33 * 33;
  int leapCycle = ((yearsIntoPeriod + 1) % 33 - 1) % 4;
  if (leapCycle == -1) leapCycle = 4;
  return {gregorianYear, marchDay, leapCycle};
}

sys_days Nowruz(const YearStart& start) {
  return sys_days{year{start.gregorianYear} / March / 1} + days{start.marchDay - 1};
}

}  // namespace

bool IsJalaliLeapYear(int year) { return LocateYear(year).leapCycle == 0; }

int JalaliMonthLength(int year, int month) {
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return IsJalaliLeapYear(year) ? 30 : 29;
}

JalaliDate ToJalali(year_month_day gregorian) {
  const int gregorianYear = static_cast<int>(gregorian.year());
  const YearStart start = LocateYear(gregorianYear - 621);
  int dayOfYear = static_cast<int>((sys_days{gregorian} - Nowruz(start)).count());
  if (dayOfYear >= 0 && dayOfYear <= 185) return {gregorianYear - 621, 1 + dayOfYear / 31, 1 + dayOfYear % 31};
  int jalaliYear = gregorianYear - 621;
  if (dayOfYear >= 0) {
    dayOfYear -= 186;  // into the 30-day months
  } else {
    // Before Nowruz: count from the 7th month of the previous year, whose Esfand has 30
    // days when that year was a leap year (this year then sits at position 1 of the cycle).
    --jalaliYear;
    dayOfYear += 179 + (start.leapCycle == 1 ? 1 : 0);
  }
  return {jalaliYear, 7 + dayOfYear / 30, 1 + dayOfYear % 30};
}

year_month_day ToGregorian(const JalaliDate& jalali) {
  const int month = jalali.month;
  const int daysBeforeMonth = (month - 1) * 31 - month / 7 * (month - 7);
  return year_month_day{Nowruz(LocateYear(jalali.year)) + days{daysBeforeMonth + jalali.day - 1}};
}

year_month_day LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return year{local.tm_year + 1900} / month{static_cast<unsigned>(local.tm_mon + 1)} /
         day{static_cast<unsigned>(local.tm_mday)};
}

std::string MiladiToShamsi(year_month_day today) {
  const JalaliDate date = ToJalali(today);
  const int shownYear = date.year >= 1382 && date.year <= 1384 ? date.year - 1300 : date.year;
  return std::to_string(shownYear) + "/" + std::to_string(date.month) + "/" + std::to_string(date.day);
}

}  // namespace perslib
