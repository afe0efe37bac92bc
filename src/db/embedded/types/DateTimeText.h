#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/embedded/types/Calendar.h"
#include "db/embedded/types/Type.h"

namespace db::embedded::types {

// Month and weekday names of the us_english language, as DATENAME and the styles write them.
std::string_view monthName(int month);    // "January"
std::string_view weekdayName(int dayOfWeek);  // 0 = "Sunday"

// Date and time text in CONVERT's styles (0/100, 1/101 ... 14/114, 20/120, 21/121, 126, 127).
// Without a style a datetime takes style 0 and a date "yyyy-mm-dd". Refused with 281 for a
// style SQL Server does not know.
std::string dateTimeText(DateTime value, TypeId id, std::optional<int> style);

enum class DateTimeParse { Parsed, Malformed, OutOfRange };

struct ParsedDateTime {
  DateTimeParse status = DateTimeParse::Malformed;
  DateTime value;
};

// Character text read as a datetime, the way SQL Server reads it under us_english: ISO
// (yyyy-mm-dd, yyyy-mm-ddThh:mi:ss.mmm), unseparated yyyymmdd and yymmdd, numeric dates in the
// style's order (mdy by default, dmy for 3/103, 4/104 and 5/105, ymd for 2/102, 11/111 and
// 12/112), month names ("Jan 1 2000", "1 January 2000"), a time of day with AM/PM, or a time
// alone (on 1900-01-01). Blank text is 1900-01-01. Two-digit years below 50 are 20yy.
// Well-formed text naming a day that does not exist (2021-02-30) is OutOfRange; whether the
// day lies in the target type's range is the caller's check.
ParsedDateTime parseDateTimeText(std::string_view text, int style);

}  // namespace db::embedded::types
