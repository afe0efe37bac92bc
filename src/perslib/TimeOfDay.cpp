#include "perslib/TimeOfDay.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "perslib/Characters.h"
#include "perslib/Conversion.h"

namespace perslib {
namespace {

constexpr std::string_view kPermittedCharacters = ": 0123456789قظب.AMPamp";

// Searched in this order; the first one present is the marker, wherever it stands.
constexpr std::array<std::string_view, 6> kMarkers = {kAfterNoonMarker, kBeforeNoonMarker, " am", " pm", " AM", " PM"};
constexpr std::array<std::string_view, 3> kAfterNoonWords = {"ب.ظ", "PM", "pm"};

bool IsPermitted(std::string_view character) {
  static const std::vector<std::string_view> permitted = SplitCharacters(kPermittedCharacters);
  return std::find(permitted.begin(), permitted.end(), character) != permitted.end();
}

int FieldValue(std::string_view field) { return ToInteger(TrimBlanks(field)); }

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string HhMmSs(int hour, int minute, int second) {
  return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

// later - earlier, borrowing 60 seconds and 60 minutes as needed; later >= earlier.
TimeComparison Difference(const Time24& earlier, const Time24& later) {
  int hour = later.hour;
  int minute = later.minute;
  int second = later.second;
  if (second < earlier.second) {
    second += 60;
    --minute;
  }
  if (minute < earlier.minute) {
    minute += 60;
    --hour;
  }
  return {TimeOrder::SecondLater, hour - earlier.hour, minute - earlier.minute, second - earlier.second};
}

}  // namespace

Time12 TimeToHms12(std::string_view text) {
  if (text.empty()) return {TimeCode::EmptyText};
  for (std::string_view character : SplitCharacters(text)) {
    if (!IsPermitted(character)) return {TimeCode::ForbiddenCharacter};
  }

  // The time part keeps the marker's leading blank; the marker text is four characters
  // from that blank, whatever follows it.
  std::string_view timePart = text;
  std::string_view markerText;
  for (std::string_view marker : kMarkers) {
    if (const std::size_t at = text.find(marker); at != std::string_view::npos) {
      timePart = text.substr(0, at + 1);
      markerText = TakeCharacters(text.substr(at), 4);
      break;
    }
  }

  TimeCode code = TimeCode::Valid;
  std::string_view hourField = timePart;
  std::string_view minuteField = "0";
  std::string_view secondField = "0";
  if (const std::size_t colon = timePart.find(':'); colon != std::string_view::npos) {
    hourField = timePart.substr(0, colon);
    minuteField = timePart.substr(colon + 1);
    if (const std::size_t second = minuteField.find(':'); second != std::string_view::npos) {
      secondField = minuteField.substr(second + 1);
      minuteField = minuteField.substr(0, second);
      if (secondField.find(':') != std::string_view::npos) code = TimeCode::ExtraSeparator;
    }
  }
  if (hourField.empty()) code = TimeCode::EmptyHour;
  if (minuteField.empty()) code = TimeCode::EmptyMinute;
  if (secondField.empty()) code = TimeCode::EmptySecond;
  if (code != TimeCode::Valid) return {code};

  Time12 time{code, FieldValue(hourField), FieldValue(minuteField), FieldValue(secondField), false};
  const std::string_view marker = TrimBlanks(markerText);
  time.afterNoon = std::find(kAfterNoonWords.begin(), kAfterNoonWords.end(), marker) != kAfterNoonWords.end();
  if (time.hour < 0 || time.hour > 23) code = TimeCode::HourOutOfRange;
  if (time.minute < 0 || time.minute > 59) code = TimeCode::MinuteOutOfRange;
  if (time.second < 0 || time.second > 59) code = TimeCode::SecondOutOfRange;
  if (code != TimeCode::Valid) return {code};
  if (time.hour > 12) {
    time.hour -= 12;
    time.afterNoon = true;
  }
  return time;
}

Time24 TimeToHms24(std::string_view text) {
  const Time12 time = TimeToHms12(text);
  const bool addNoon = time.code == TimeCode::Valid && time.afterNoon && time.hour < 12;
  return {time.code, time.hour + (addNoon ? 12 : 0), time.minute, time.second};
}

std::string StandardTime12H(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return {};
  const Time12 time = TimeToHms12(trimmed);
  if (time.code != TimeCode::Valid) return {};
  return HhMmSs(time.hour, time.minute, time.second) +
         std::string(time.afterNoon ? kAfterNoonMarker : kBeforeNoonMarker);
}

std::string StandardTime24H(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty()) return {};
  const Time24 time = TimeToHms24(trimmed);
  if (time.code != TimeCode::Valid) return {};
  return HhMmSs(time.hour, time.minute, time.second);
}

TimeComparison compare2Time(std::string_view first, std::string_view second) {
  const Time24 a = TimeToHms24(first);
  const Time24 b = TimeToHms24(second);
  const auto fields = [](const Time24& t) { return std::tuple(t.hour, t.minute, t.second); };
  if (fields(a) == fields(b)) return {};
  if (fields(b) > fields(a)) return Difference(a, b);
  const TimeComparison reverse = Difference(b, a);
  return {TimeOrder::FirstLater, -reverse.hours, -reverse.minutes, -reverse.seconds};
}

}  // namespace perslib
