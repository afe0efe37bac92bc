#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Times of day typed as text: "hour[:minute[:second]]", optionally followed by a blank and
// a before-noon/after-noon marker (" ق.ظ", " ب.ظ", " AM", " am", " PM", " pm").
namespace perslib {

// Outcome of reading a time text. The numeric values are part of the contract.
// EmptyText and ForbiddenCharacter end the reading at once; codes 1-4 are tested in
// order, then 5-7 only when 1-4 passed, the last failing test of each group deciding.
enum class TimeCode : std::uint8_t {
  Valid = 0,
  ExtraSeparator = 1,  // a ":" after the second one
  EmptyHour = 2,
  EmptyMinute = 3,
  EmptySecond = 4,
  HourOutOfRange = 5,  // outside 0-23
  MinuteOutOfRange = 6,
  SecondOutOfRange = 7,
  ForbiddenCharacter = 8,  // outside ": 0123456789ق ظ ب.AMPamp"
  EmptyText = 9,
};

inline constexpr std::string_view kBeforeNoonMarker = " ق.ظ";
inline constexpr std::string_view kAfterNoonMarker = " ب.ظ";

struct Time12 {
  TimeCode code = TimeCode::Valid;
  int hour = 0;  // 0 to 12
  int minute = 0;
  int second = 0;
  bool afterNoon = false;  // all fields zero and the flag clear unless code is Valid
};

struct Time24 {
  TimeCode code = TimeCode::Valid;
  int hour = 0;  // 0 to 23
  int minute = 0;
  int second = 0;
};

// Reads a time in 12-hour terms: 13:05 is 1:05 after noon. A field made of permitted
// characters that is still no integer ("1.5:30") throws ConvertError.
Time12 TimeToHms12(std::string_view text);

// Reads a time in 24-hour terms: an after-noon hour below 12 gains 12 (12 stays 12 with
// either marker).
Time24 TimeToHms24(std::string_view text);

// "HH:MM:SS" followed by kAfterNoonMarker or kBeforeNoonMarker; empty text when the time
// does not read. Blanks around the text are ignored.
std::string StandardTime12H(std::string_view text);

// "HH:MM:SS" in 24-hour terms; empty text when the time does not read.
std::string StandardTime24H(std::string_view text);

enum class TimeOrder : std::uint8_t { Equal = 0, FirstLater = 1, SecondLater = 2 };

struct TimeComparison {
  TimeOrder order = TimeOrder::Equal;
  // second minus first, as hours, minutes and seconds of the same sign
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
};

// Compares two times read with TimeToHms24; a text that does not read counts as 00:00:00.
TimeComparison compare2Time(std::string_view first, std::string_view second);

}  // namespace perslib
