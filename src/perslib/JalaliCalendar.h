#pragma once

#include <chrono>
#include <string>

// The true Jalali (Solar Hijri) calendar: the 33-year leap arithmetic with the break years
// that calendar libraries and the official tables agree on. Valid for Jalali years -61 to
// 3177; other years throw std::out_of_range.
namespace perslib {

struct JalaliDate {
  int year = 0;
  int month = 0;
  int day = 0;

  auto operator<=>(const JalaliDate&) const = default;
};

bool IsJalaliLeapYear(int year);

// 31 days in months 1-6, 30 in months 7-11, 30 in month 12 of a leap year and 29 otherwise.
int JalaliMonthLength(int year, int month);

JalaliDate ToJalali(std::chrono::year_month_day gregorian);
std::chrono::year_month_day ToGregorian(const JalaliDate& jalali);

// The local civil date from the system clock.
std::chrono::year_month_day LocalToday();

// Today's Jalali date as the library has always written it: no leading zeros, and the
// years 1382 to 1384 as 82 to 84 ("82/3/11", "1403/1/1").
std::string MiladiToShamsi(std::chrono::year_month_day today);
inline std::string MiladiToShamsi() { return MiladiToShamsi(LocalToday()); }

}  // namespace perslib
