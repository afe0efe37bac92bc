#include "db/embedded/types/DateTimeText.h"

#include <array>
#include <cstdio>
#include <vector>

#include "db/Text.h"
#include "db/embedded/types/ValueRefusals.h"

namespace db::embedded::types {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                      "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};

std::string_view shortMonth(int month) { return kMonths[static_cast<size_t>(month - 1)].substr(0, 3); }

std::string twoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n % 100);
  return text;
}

std::string fourDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%04d", n);
  return text;
}

std::string threeDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%03d", n);
  return text;
}

// "12:05AM", hour blank-padded: the time of the default styles.
std::string twelveHour(const TimeOfDay& t, bool withSeconds) {
  const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
  char text[32];
  if (withSeconds)
    std::snprintf(text, sizeof text, "%2d:%02d:%02d:%03d%s", hour, t.minute, t.second, t.millisecond,
                  t.hour < 12 ? "AM" : "PM");
  else
    std::snprintf(text, sizeof text, "%2d:%02d%s", hour, t.minute, t.hour < 12 ? "AM" : "PM");
  return text;
}

std::string hms(const TimeOfDay& t) { return twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second); }

std::string blankPaddedDay(int day) {
  char text[8];
  std::snprintf(text, sizeof text, "%2d", day);
  return text;
}

}  // namespace

std::string_view monthName(int month) { return kMonths[static_cast<size_t>(month - 1)]; }

std::string_view weekdayName(int dayOfWeek) { return kWeekdays[static_cast<size_t>(dayOfWeek)]; }

std::string dateTimeText(DateTime value, TypeId id, std::optional<int> style) {
  const CivilDate d = civilFromDays(value.days);
  const TimeOfDay t = timeOfDay(value.ticks);
  const std::string yyyy = fourDigits(d.year);
  const std::string yy = twoDigits(d.year);
  const std::string mm = twoDigits(d.month);
  const std::string dd = twoDigits(d.day);
  const std::string mon(shortMonth(d.month));
  if (!style) {
    if (id == TypeId::Date) return yyyy + "-" + mm + "-" + dd;
    style = 0;
  }
  const int s = *style;
  // Styles below 100 write a two-digit year, except the defaults 0, 9, 13, 20, 21.
  const std::string& year = s >= 100 ? yyyy : yy;
  switch (s) {
    case 0:
    case 100: return mon + " " + blankPaddedDay(d.day) + " " + yyyy + " " + twelveHour(t, false);
    case 1:
    case 101: return mm + "/" + dd + "/" + year;
    case 2:
    case 102: return year + "." + mm + "." + dd;
    case 3:
    case 103: return dd + "/" + mm + "/" + year;
    case 4:
    case 104: return dd + "." + mm + "." + year;
    case 5:
    case 105: return dd + "-" + mm + "-" + year;
    case 6:
    case 106: return dd + " " + mon + " " + year;
    case 7:
    case 107: return mon + " " + dd + ", " + year;
    case 8:
    case 108: return hms(t);
    case 9:
    case 109: return mon + " " + blankPaddedDay(d.day) + " " + yyyy + " " + twelveHour(t, true);
    case 10:
    case 110: return mm + "-" + dd + "-" + year;
    case 11:
    case 111: return year + "/" + mm + "/" + dd;
    case 12:
    case 112: return year + mm + dd;
    case 13:
    case 113: return dd + " " + mon + " " + yyyy + " " + hms(t) + ":" + threeDigits(t.millisecond);
    case 14:
    case 114: return hms(t) + ":" + threeDigits(t.millisecond);
    case 20:
    case 120: return yyyy + "-" + mm + "-" + dd + " " + hms(t);
    case 21:
    case 121: return yyyy + "-" + mm + "-" + dd + " " + hms(t) + "." + threeDigits(t.millisecond);
    case 126:
    case 127: {
      // ISO 8601; datetime leaves out a zero fraction.
      std::string out = yyyy + "-" + mm + "-" + dd + "T" + hms(t);
      if (t.millisecond != 0) out += "." + threeDigits(t.millisecond);
      return out;
    }
    default:
      throw refuse::invalidDateStyle(s, typeName(id));
  }
}

namespace {

enum class Order { MonthDayYear, DayMonthYear, YearMonthDay };

Order orderOfStyle(int style) {
  switch (style % 100) {
    case 3:
    case 4:
    case 5:
    case 6:
    case 13: return Order::DayMonthYear;
    case 2:
    case 11:
    case 12: return Order::YearMonthDay;
    default: return Order::MonthDayYear;
  }
}

struct Piece {
  enum Kind { Number, Word, Separator } kind;
  std::string text;
};

std::vector<Piece> piecesOf(std::string_view s) {
  std::vector<Piece> pieces;
  for (size_t i = 0; i < s.size();) {
    const char c = s[i];
    size_t j = i + 1;
    if (c >= '0' && c <= '9') {
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      pieces.push_back({Piece::Number, std::string(s.substr(i, j - i))});
    } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
      while (j < s.size() && ((s[j] >= 'a' && s[j] <= 'z') || (s[j] >= 'A' && s[j] <= 'Z'))) ++j;
      pieces.push_back({Piece::Word, asciiLower(s.substr(i, j - i))});
    } else if (c == ' ') {
      while (j < s.size() && s[j] == ' ') ++j;
      pieces.push_back({Piece::Separator, " "});
    } else {
      pieces.push_back({Piece::Separator, std::string(1, c)});
    }
    i = j;
  }
  return pieces;
}

int monthOfWord(const std::string& word) {
  for (int m = 1; m <= 12; ++m) {
    const std::string full = asciiLower(monthName(m));
    if (word == full || (word.size() == 3 && full.compare(0, 3, word) == 0)) return m;
  }
  return 0;
}

int yearOf(const std::string& digits) {
  const int n = std::stoi(digits);
  if (digits.size() == 4) return n;
  if (digits.size() <= 2) return n < 50 ? 2000 + n : 1900 + n;
  return -1;
}

struct Reader {
  std::vector<Piece> pieces;
  size_t at = 0;

  bool done() const { return at >= pieces.size(); }
  const Piece* peek(size_t ahead = 0) const { return at + ahead < pieces.size() ? &pieces[at + ahead] : nullptr; }
  bool isSeparator(size_t ahead, std::string_view sep) const {
    const Piece* p = peek(ahead);
    return p && p->kind == Piece::Separator && p->text == sep;
  }
  void skipBlanks() {
    while (isSeparator(0, " ")) ++at;
  }
};

struct Fields {
  int year = 1900, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  bool date = false, time = false;
};

// hh:mi[:ss[.fff | :mmm]] [AM|PM], or hh AM|PM.
bool readTime(Reader& r, Fields& f) {
  const Piece* first = r.peek();
  if (!first || first->kind != Piece::Number || first->text.size() > 2) return false;
  const bool colon = r.isSeparator(1, ":");
  const Piece* after = r.peek(1);
  const bool bareMeridiem = after && after->kind == Piece::Word && (after->text == "am" || after->text == "pm");
  const bool spacedMeridiem = r.isSeparator(1, " ") && r.peek(2) && r.peek(2)->kind == Piece::Word &&
                              (r.peek(2)->text == "am" || r.peek(2)->text == "pm");
  if (!colon && !bareMeridiem && !spacedMeridiem) return false;
  f.hour = std::stoi(first->text);
  ++r.at;
  int* fields[] = {&f.minute, &f.second};
  for (int* field : fields) {
    if (!r.isSeparator(0, ":")) break;
    const Piece* n = r.peek(1);
    if (!n || n->kind != Piece::Number || n->text.size() > 2) return false;
    *field = std::stoi(n->text);
    r.at += 2;
  }
  if ((r.isSeparator(0, ".") || r.isSeparator(0, ":")) && r.peek(1) && r.peek(1)->kind == Piece::Number) {
    const bool fraction = r.isSeparator(0, ".");
    const std::string digits = r.peek(1)->text;
    if (digits.size() > 3) return false;
    f.millisecond = fraction ? std::stoi((digits + "00").substr(0, 3)) : std::stoi(digits);
    r.at += 2;
  }
  r.skipBlanks();
  if (const Piece* m = r.peek(); m && m->kind == Piece::Word && (m->text == "am" || m->text == "pm")) {
    if (f.hour < 0 || f.hour > 12) return false;
    if (f.hour == 12) f.hour = 0;
    if (m->text == "pm") f.hour += 12;
    ++r.at;
  }
  f.time = true;
  return f.hour < 24 && f.minute < 60 && f.second < 60;
}

// A date: digits alone, three numbers with one separator, or a month name with numbers.
bool readDate(Reader& r, Fields& f, Order order) {
  const Piece* first = r.peek();
  if (!first) return false;
  std::vector<std::string> numbers;
  int month = 0;
  std::string separator;
  while (const Piece* p = r.peek()) {
    if (p->kind == Piece::Number) {
      // A number followed by ':' or AM/PM starts the time.
      if (r.isSeparator(1, ":") || (r.peek(1) && r.peek(1)->kind == Piece::Word)) break;
      if (r.isSeparator(1, " ") && r.peek(2) && r.peek(2)->kind == Piece::Word && monthOfWord(r.peek(2)->text) == 0)
        break;
      numbers.push_back(p->text);
      ++r.at;
    } else if (p->kind == Piece::Word) {
      const int m = monthOfWord(p->text);
      if (m == 0 || month != 0) break;
      month = m;
      ++r.at;
    } else {
      if (p->text == "," || p->text == " ") {
        ++r.at;
        continue;
      }
      if (p->text != "/" && p->text != "-" && p->text != ".") break;
      if (!separator.empty() && separator != p->text) return false;
      separator = p->text;
      ++r.at;
    }
    if (numbers.size() + (month ? 1 : 0) == 3) break;
  }
  f.date = true;
  if (month != 0) {
    // mon dd yyyy, mon yyyy, dd mon yyyy.
    f.month = month;
    if (numbers.size() == 1 && numbers[0].size() == 4) {
      f.year = std::stoi(numbers[0]);
      return true;
    }
    if (numbers.size() != 2) return false;
    f.day = std::stoi(numbers[0]);
    f.year = yearOf(numbers[1]);
    return f.year > 0;
  }
  if (numbers.size() == 1 && separator.empty()) {
    const std::string& n = numbers[0];
    if (n.size() == 8 || n.size() == 6) {
      const size_t y = n.size() - 4;
      f.year = yearOf(n.substr(0, y));
      f.month = std::stoi(n.substr(y, 2));
      f.day = std::stoi(n.substr(y + 2, 2));
      return true;
    }
    if (n.size() == 4) {
      f.year = std::stoi(n);
      return true;
    }
    return false;
  }
  // Numbers alone need a separator between them: "2021 03 05" is no date.
  if (numbers.size() != 3 || separator.empty()) return false;
  const auto num = [](const std::string& s) { return s.size() <= 2 ? std::stoi(s) : -1; };
  if (numbers[0].size() == 4) {
    f.year = std::stoi(numbers[0]);
    f.month = num(numbers[1]);
    f.day = num(numbers[2]);
  } else if (order == Order::YearMonthDay) {
    f.year = yearOf(numbers[0]);
    f.month = num(numbers[1]);
    f.day = num(numbers[2]);
  } else {
    f.year = yearOf(numbers[2]);
    f.month = num(numbers[order == Order::MonthDayYear ? 0 : 1]);
    f.day = num(numbers[order == Order::MonthDayYear ? 1 : 0]);
  }
  return f.year > 0 && f.month >= 0 && f.day >= 0;
}

}  // namespace

ParsedDateTime parseDateTimeText(std::string_view text, int style) {
  std::string_view s = text;
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  ParsedDateTime result;
  Fields f;
  if (!s.empty()) {
    Reader r{piecesOf(s)};
    // ISO 8601: yyyy-mm-ddThh:mi:ss[.mmm]; the T is read as a separator between the two.
    for (Piece& p : r.pieces)
      if (p.kind == Piece::Word && p.text == "t") p = {Piece::Separator, " "};
    if (!readTime(r, f)) {
      r.at = 0;
      if (!readDate(r, f, orderOfStyle(style))) return result;
      r.skipBlanks();
      if (!r.done() && !readTime(r, f)) return result;
    }
    r.skipBlanks();
    if (!r.done() && !f.date) {
      if (!readDate(r, f, orderOfStyle(style))) return result;
      r.skipBlanks();
    }
    if (!r.done()) return result;
  }
  if (!isValidDate(f.year, f.month, f.day)) {
    result.status = f.year >= 1 && f.year <= 9999 ? DateTimeParse::OutOfRange : DateTimeParse::Malformed;
    return result;
  }
  std::int64_t ticks = ticksFromMilliseconds(((f.hour * 60 + f.minute) * 60 + f.second) * 1000LL + f.millisecond);
  std::int32_t days = daysFromCivil(f.year, f.month, f.day);
  if (ticks >= kTicksPerDay) {
    ticks -= kTicksPerDay;
    ++days;
  }
  result.status = DateTimeParse::Parsed;
  result.value = {days, static_cast<std::int32_t>(ticks)};
  return result;
}

}  // namespace db::embedded::types
