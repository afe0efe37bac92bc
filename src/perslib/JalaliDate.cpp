#include "perslib/JalaliDate.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <tuple>
#include <utility>

#include "perslib/Conversion.h"

namespace perslib {
namespace {

// Splits at the first "/"; with none, the head is empty and the tail is the whole text.
std::pair<std::string_view, std::string_view> SplitAtSlash(std::string_view text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return {{}, text};
  return {text.substr(0, slash), text.substr(slash + 1)};
}

std::string TwoDigits(int value) {
  return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value);
}

std::tuple<int, int, int> Fields(const ParsedDate& date) {
  return {date.year, date.month, date.day};
}

// Day number of a date in the 365-day arithmetic; years above 1300 count from 1300.
int DayNumber(const ParsedDate& date) {
  const int year = date.year > 1300 ? date.year - 1300 : date.year;
  const int longMonthsBefore = date.month <= 6 ? date.month - 1 : 6;
  return year * 365 + date.month * 30 + date.day + longMonthsBefore;
}

}  // namespace

int DaysInMonth(int month) { return month <= 6 ? 31 : 30; }

ParsedDate DateToYMD(std::string_view text, int minYear, int maxYear) {
  const auto [yearField, afterYear] = SplitAtSlash(text);
  const auto [monthField, dayField] = SplitAtSlash(afterYear);

  DateCode code = DateCode::Valid;
  if (dayField.find('/') != std::string_view::npos) code = DateCode::ExtraSeparator;
  if (yearField.empty()) code = DateCode::EmptyYear;
  if (monthField.empty()) code = DateCode::EmptyMonth;
  if (dayField.empty()) code = DateCode::EmptyDay;
  if (code != DateCode::Valid) return {code};

  int year = ToInteger(yearField);
  const int month = ToInteger(monthField);
  const int day = ToInteger(dayField);
  if (year >= 1 && year <= 99) year += 1300;
  if (year < minYear || year > maxYear) code = DateCode::YearOutOfRange;
  if (month < 1 || month > 12) code = DateCode::MonthOutOfRange;
  if (day < 1 || day > DaysInMonth(month)) code = DateCode::DayOutOfRange;
  if (code != DateCode::Valid) return {code};
  return {code, year, month, day};
}

DateCode IsDateShamsi(std::string_view text, int minYear, int maxYear) {
  return DateToYMD(text, minYear, maxYear).code;
}

std::string AddZeroToDate(std::string_view text) {
  const ParsedDate date = DateToYMD(text, kAllYears);
  if (date.code != DateCode::Valid) return {};
  const std::string century = date.year < 100 ? "13" : "";
  return century + std::to_string(date.year) + "/" + TwoDigits(date.month) + "/" + TwoDigits(date.day);
}

DateTexts DateToStrYMD(std::string_view text, std::uint8_t centuryFlag, std::uint8_t leadingZeroFlag) {
  const ParsedDate date = DateToYMD(text, kAllYears);
  if (date.code != DateCode::Valid) return {};
  int year = date.year;
  std::string century;
  if (centuryFlag == 0 && year > 1300) year -= 1300;
  else if (centuryFlag == 1 && year < 100) century = "13";
  const auto padded = [leadingZeroFlag](int value) {
    return leadingZeroFlag == 1 ? TwoDigits(value) : std::to_string(value);
  };
  DateTexts texts{century + std::to_string(year), padded(date.month), padded(date.day), {}};
  texts.joined = texts.year + "/" + texts.month + "/" + texts.day;
  return texts;
}

bool IsDateInBound(std::string_view lower, std::string_view upper, std::string_view date) {
  const auto tested = Fields(DateToYMD(date, kBoundYears));
  return Fields(DateToYMD(lower, kBoundYears)) <= tested && tested <= Fields(DateToYMD(upper, kBoundYears));
}

int Dif2Y(std::string_view first, std::string_view second) {
  return DateToYMD(second, kBoundYears).year - DateToYMD(first, kBoundYears).year;
}

DateDistance Compare2Date(std::string_view first, std::string_view second) {
  const int distance =
      std::abs(DayNumber(DateToYMD(first, kCenturyYears)) - DayNumber(DateToYMD(second, kCenturyYears)));
  const int rest = distance % 365;
  // A rest below 30 is all days; otherwise whole 30-day months and the days left over.
  return {distance, distance / 365, rest / 30, rest % 30};
}

std::string AddToDate(std::string_view text, int years, int months, int days) {
  const ParsedDate start = DateToYMD(text, kAllYears);
  if (start.code != DateCode::Valid) return std::string(text);

  // 64-bit so that no count can overflow; a result outside int is no date anyway.
  std::int64_t year = start.year;
  std::int64_t month = start.month;
  std::int64_t day = std::int64_t{start.day} + days;
  // Twelve consecutive months always hold 366 days: skip whole years of a huge day count
  // at once, keeping at least 368 days so that the month-by-month carry below is unchanged.
  if (day >= 368) {
    const std::int64_t wholeYears = (day - 368) / 366;
    day -= wholeYears * 366;
    year += wholeYears;
  }
  while (day > DaysInMonth(static_cast<int>(month))) {
    day -= DaysInMonth(static_cast<int>(month));
    if (++month > 12) {
      month -= 12;
      ++year;
    }
  }
  month += months;
  if (month > 12) {
    year += (month - 1) / 12;
    month = (month - 1) % 12 + 1;
  }
  year += years;

  const auto fitsInt = [](std::int64_t value) {
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
  };
  if (!fitsInt(year) || !fitsInt(month) || !fitsInt(day)) return {};
  return AddZeroToDate(std::to_string(year) + "/" + std::to_string(month) + "/" + std::to_string(day));
}

}  // namespace perslib
