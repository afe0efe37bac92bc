#include "db/embedded/types/Builtins.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "db/Text.h"
#include "db/embedded/types/Collation.h"
#include "db/embedded/types/Convert.h"
#include "db/embedded/types/DateTimeText.h"
#include "db/embedded/types/Operators.h"
#include "db/embedded/types/Unicode.h"
#include "db/embedded/types/ValueRefusals.h"

namespace db::embedded::types {

namespace {

using Types = std::span<const Type>;
using Values = std::span<const Value>;

constexpr int kUnlimited = INT_MAX;

Type intType() { return Type::of(TypeId::Int); }

bool anyNull(Values args) {
  return std::any_of(args.begin(), args.end(), [](const Value& v) { return v.isNull(); });
}

// ------------------------------------------------------------------ argument helpers

// The character type a function works on for an argument: nchar and nvarchar stay Unicode,
// everything else is read as varchar.
Type stringTypeOf(const Type& t) {
  if (isCharacter(t.id)) {
    if (t.id == TypeId::Text) return Type::character(TypeId::VarChar, Type::kMax);
    if (t.id == TypeId::NText) return Type::character(TypeId::NVarChar, Type::kMax);
    return Type::character(isUnicode(t.id) ? TypeId::NVarChar : TypeId::VarChar, t.length);
  }
  return Type::character(TypeId::VarChar, 30);
}

std::string textOf(const Value& v) {
  return isCharacter(v.type().id) ? v.text() : convert(v, Type::character(TypeId::VarChar, Type::kMax)).text();
}

std::int64_t integerOf(const Value& v) { return convert(v, Type::of(TypeId::BigInt)).integer(); }

double floatOf(const Value& v) { return convert(v, Type::of(TypeId::Float)).floating(); }

Value stringResult(std::u32string_view text, const Type& type) {
  return convert(Value::text(encodeUtf8(text), Type::character(type.id, Type::kMax)), type);
}

bool isShortStringType(TypeId id) { return isCharacter(id) && id != TypeId::Text && id != TypeId::NText; }

void requireNumber(const Type& t, int position, std::string_view function) {
  if (!isNumber(t.id) && !isShortStringType(t.id))
    throw refuse::invalidArgumentType(typeName(t.id), position, function);
}

// A number argument's own type; character data is taken as float, as SQL Server does.
Type numberTypeOf(const Type& t, int position, std::string_view function) {
  if (isNumber(t.id)) return t;
  if (isShortStringType(t.id)) return Type::of(TypeId::Float);
  throw refuse::invalidArgumentType(typeName(t.id), position, function);
}

Value asNumber(const Value& v) { return isCharacter(v.type().id) ? convert(v, Type::of(TypeId::Float)) : v; }

// The datetime a date function reads: character data and numbers convert to datetime.
DateTime dateOf(const Value& v) {
  if (isDateOrTime(v.type().id)) return v.dateTime();
  return convert(v, Type::of(TypeId::DateTime)).dateTime();
}

Type dateArgumentType(const Type& t, int position, std::string_view function) {
  if (t.id == TypeId::Date || t.id == TypeId::DateTime || t.id == TypeId::SmallDateTime) return t;
  if (isShortStringType(t.id) || isNumber(t.id)) return Type::of(TypeId::DateTime);
  throw refuse::invalidArgumentType(typeName(t.id), position, function);
}

// ------------------------------------------------------------------ date parts

struct PartName {
  std::string_view word;
  DatePart part;
};

constexpr PartName kPartNames[] = {
    {"year", DatePart::Year},       {"yy", DatePart::Year},          {"yyyy", DatePart::Year},
    {"quarter", DatePart::Quarter}, {"qq", DatePart::Quarter},       {"q", DatePart::Quarter},
    {"month", DatePart::Month},     {"mm", DatePart::Month},         {"m", DatePart::Month},
    {"dayofyear", DatePart::DayOfYear}, {"dy", DatePart::DayOfYear}, {"y", DatePart::DayOfYear},
    {"day", DatePart::Day},         {"dd", DatePart::Day},           {"d", DatePart::Day},
    {"week", DatePart::Week},       {"wk", DatePart::Week},          {"ww", DatePart::Week},
    {"weekday", DatePart::Weekday}, {"dw", DatePart::Weekday},       {"w", DatePart::Weekday},
    {"hour", DatePart::Hour},       {"hh", DatePart::Hour},          {"minute", DatePart::Minute},
    {"mi", DatePart::Minute},       {"n", DatePart::Minute},         {"second", DatePart::Second},
    {"ss", DatePart::Second},       {"s", DatePart::Second},         {"millisecond", DatePart::Millisecond},
    {"ms", DatePart::Millisecond},
};

std::string_view canonicalPartName(DatePart part) {
  for (const PartName& p : kPartNames)
    if (p.part == part) return p.word;
  return "";
}

DatePart partOf(const Value& v) {
  const std::string word = v.isNull() ? "" : textOf(v);
  const auto part = datePartNamed(word);
  if (!part) throw refuse::unknownDatePart(word);
  return *part;
}

bool isTimePart(DatePart p) {
  return p == DatePart::Hour || p == DatePart::Minute || p == DatePart::Second || p == DatePart::Millisecond;
}

std::int64_t millisecondOfDay(std::int32_t ticks) {
  const TimeOfDay t = timeOfDay(ticks);
  return ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.millisecond;
}

int datePart(DatePart part, DateTime dt, int dateFirst) {
  const CivilDate d = civilFromDays(dt.days);
  const TimeOfDay t = timeOfDay(dt.ticks);
  const int firstDay = dateFirst % 7;  // 7 (Sunday) is day 0 of dayOfWeek
  switch (part) {
    case DatePart::Year: return d.year;
    case DatePart::Quarter: return (d.month - 1) / 3 + 1;
    case DatePart::Month: return d.month;
    case DatePart::DayOfYear: return dayOfYear(dt.days);
    case DatePart::Day: return d.day;
    case DatePart::Week: {
      // Week 1 holds 1 January; weeks begin on the DATEFIRST day.
      const int offset = (dayOfWeek(daysFromCivil(d.year, 1, 1)) - firstDay + 7) % 7;
      return (dayOfYear(dt.days) - 1 + offset) / 7 + 1;
    }
    case DatePart::Weekday: return (dayOfWeek(dt.days) - firstDay + 7) % 7 + 1;
    case DatePart::Hour: return t.hour;
    case DatePart::Minute: return t.minute;
    case DatePart::Second: return t.second;
    case DatePart::Millisecond: return t.millisecond;
  }
  return 0;
}

std::int64_t floorDivide(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// DATEDIFF counts the boundaries of the part crossed between the two, not elapsed units:
// 31 December to 1 January is one year. Weeks turn on Sunday whatever DATEFIRST says.
std::int64_t boundaryIndex(DatePart part, DateTime dt) {
  const CivilDate d = civilFromDays(dt.days);
  const std::int64_t days = dt.days;
  switch (part) {
    case DatePart::Year: return d.year;
    case DatePart::Quarter: return d.year * 4LL + (d.month - 1) / 3;
    case DatePart::Month: return d.year * 12LL + d.month - 1;
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday: return days;
    case DatePart::Week: return floorDivide(days + 1, 7);
    case DatePart::Hour: return days * 24 + dt.ticks / (kTicksPerMinute * 60);
    case DatePart::Minute: return days * 1440 + dt.ticks / kTicksPerMinute;
    case DatePart::Second: return days * 86400 + dt.ticks / kTicksPerSecond;
    case DatePart::Millisecond: return days * 86400000 + millisecondOfDay(dt.ticks);
  }
  return 0;
}

Value dateAdd(DatePart part, std::int64_t n, const Value& date, const Type& resultType) {
  const DateTime dt = dateOf(date);
  if (resultType.id == TypeId::Date && isTimePart(part))
    throw refuse::datePartNotSupported(canonicalPartName(part), "dateadd", "date");
  const auto overflow = [&] { return refuse::dateAddOverflow(typeName(resultType.id)); };
  std::int64_t days = dt.days;
  std::int64_t ticks = dt.ticks;
  switch (part) {
    case DatePart::Year:
    case DatePart::Quarter:
    case DatePart::Month: {
      const CivilDate d = civilFromDays(dt.days);
      const std::int64_t months = part == DatePart::Year ? n * 12 : part == DatePart::Quarter ? n * 3 : n;
      const std::int64_t index = d.year * 12LL + d.month - 1 + months;
      const std::int64_t year = floorDivide(index, 12);
      const int month = static_cast<int>(index - year * 12) + 1;
      if (year < 1 || year > 9999) throw overflow();
      const int y = static_cast<int>(year);
      days = daysFromCivil(y, month, std::min(d.day, daysInMonth(y, month)));
      break;
    }
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday: days += n; break;
    case DatePart::Week: days += n * 7; break;
    case DatePart::Hour: ticks += n * 60 * kTicksPerMinute; break;
    case DatePart::Minute: ticks += n * kTicksPerMinute; break;
    case DatePart::Second: ticks += n * kTicksPerSecond; break;
    case DatePart::Millisecond: ticks = ticksFromMilliseconds(millisecondOfDay(dt.ticks) + n); break;
  }
  const std::int64_t carry = floorDivide(ticks, kTicksPerDay);
  days += carry;
  ticks -= carry * kTicksPerDay;
  const std::int64_t firstDay = resultType.id == TypeId::Date            ? kFirstDateDay
                                : resultType.id == TypeId::SmallDateTime ? 0
                                                                         : kFirstDateTimeDay;
  const std::int64_t lastDay = resultType.id == TypeId::SmallDateTime ? kLastSmallDateTimeDay : kLastDay;
  if (days < firstDay || days > lastDay) throw overflow();
  return convert(Value::dateTime({static_cast<std::int32_t>(days), static_cast<std::int32_t>(ticks)}), resultType);
}

// ------------------------------------------------------------------ text helpers

std::u32string_view trimLeading(std::u32string_view s) {
  while (!s.empty() && s.front() == U' ') s.remove_prefix(1);
  return s;
}

std::u32string_view trimTrailing(std::u32string_view s) {
  while (!s.empty() && s.back() == U' ') s.remove_suffix(1);
  return s;
}

std::u32string foldedCodePoints(std::string_view text) {
  std::u32string s = decodeUtf8(text);
  for (char32_t& c : s) c = toLower(c);
  return s;
}

// Positions of `find` in `text` compared as the collation compares characters.
size_t findFolded(const std::u32string& text, const std::u32string& find, size_t from) {
  if (find.empty() || from > text.size()) return std::u32string::npos;
  return text.find(find, from);
}

int dataLength(const Value& v) {
  const Type& t = v.type();
  if (isCharacter(t.id)) return characterLength(v.text(), t.id) * (isUnicode(t.id) ? 2 : 1);
  if (isBinaryString(t.id) || t.id == TypeId::UniqueIdentifier) return static_cast<int>(v.bytes().size());
  switch (t.id) {
    case TypeId::Bit:
    case TypeId::TinyInt: return 1;
    case TypeId::SmallInt: return 2;
    case TypeId::Int:
    case TypeId::Real:
    case TypeId::SmallMoney:
    case TypeId::SmallDateTime: return 4;
    case TypeId::Date: return 3;
    case TypeId::Decimal:
    case TypeId::Numeric: return t.precision <= 9 ? 5 : t.precision <= 19 ? 9 : t.precision <= 28 ? 13 : 17;
    default: return 8;
  }
}

// STR(number, length, decimals): right-justified in `length`, decimals given up to fit the
// integer digits, and all asterisks when even those do not fit.
std::string strText(double value, int length, int decimals) {
  decimals = std::clamp(decimals, 0, 16);
  for (int d = decimals; d >= 0; --d) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", d, value);
    const std::string s = text;
    if (static_cast<int>(s.size()) <= length) return std::string(static_cast<size_t>(length) - s.size(), ' ') + s;
  }
  return std::string(static_cast<size_t>(length), '*');
}

Value roundNumber(const Value& v, std::int64_t digits, bool truncate, const Type& resultType) {
  const TypeId id = v.type().id;
  if (isApproximate(id)) {
    const double scale = std::pow(10.0, static_cast<double>(digits));
    const double x = v.floating() * scale;
    const double r = truncate ? std::trunc(x) : std::round(x);
    return Value::floating(std::isfinite(r / scale) ? r / scale : v.floating(), id);
  }
  const int scale = isDecimal(id) || isMoney(id) ? v.type().scale : 0;
  const Int128 unscaled = isDecimal(id) || isMoney(id) ? v.unscaled() : Int128{v.integer()};
  const std::int64_t drop = scale - digits;
  if (drop <= 0) return convert(v, resultType);
  if (drop > 38) return convert(Value::decimal(0, Type::decimal(1, 0)), resultType);
  const int d = static_cast<int>(drop);
  const Int128 kept = truncate ? divideTruncated(unscaled, d) : divideRounded(unscaled, d);
  const Int128 rounded = kept * pow10(d);
  if (isDecimal(id) || isMoney(id)) {
    if (digitCount(rounded) > resultType.precision && !isMoney(id))
      throw refuse::overflowConverting("expression", "numeric");
    return convert(Value::decimal(rounded, Type::decimal(38, scale)), resultType);
  }
  return convert(Value::decimal(rounded, Type::decimal(38, 0)), resultType);
}

Value powerOf(const Value& base, const Value& exponent, const Type& resultType) {
  const double b = floatOf(base);
  const double e = floatOf(exponent);
  const double r = std::pow(b, e);
  if (std::isnan(r)) throw refuse::invalidFloatingPointOperation();
  if (!std::isfinite(r)) throw refuse::overflowConverting("expression", typeName(resultType.id));
  if (isApproximate(resultType.id)) return Value::floating(r, resultType.id);
  // Exact results keep the base's type; the power is computed in float and cut to it.
  const Type target = isDecimal(resultType.id) ? resultType : Type::of(resultType.id);
  return convert(Value::floating(isInteger(resultType.id) ? std::trunc(r) : r), target);
}

// ------------------------------------------------------------------ the table

FunctionDefinition fn(std::string name, int minArgs, int maxArgs, std::function<Type(Types)> type,
                      std::function<Value(Values, const EvaluationContext&)> evaluate) {
  return {std::move(name), minArgs, maxArgs, std::move(type), std::move(evaluate)};
}

// A function that is NULL when any argument is NULL.
std::function<Value(Values, const EvaluationContext&)> strict(
    std::function<Value(Values, const EvaluationContext&, const Type&)> body, std::function<Type(Types)> typeRule) {
  return [body = std::move(body), typeRule = std::move(typeRule)](Values args, const EvaluationContext& ctx) {
    std::vector<Type> types;
    for (const Value& v : args) types.push_back(v.type());
    const Type type = typeRule(types);
    if (anyNull(args)) return Value::null(type);
    return body(args, ctx, type);
  };
}

void addStrict(std::map<std::string, FunctionDefinition, std::less<>>& table, std::string name, int minArgs,
               int maxArgs, std::function<Type(Types)> type,
               std::function<Value(Values, const EvaluationContext&, const Type&)> body) {
  FunctionDefinition f = fn(name, minArgs, maxArgs, type, strict(std::move(body), type));
  table.emplace(std::move(name), std::move(f));
}

void addNullHandling(std::map<std::string, FunctionDefinition, std::less<>>& table, FunctionDefinition f) {
  std::string name = f.name;
  table.emplace(std::move(name), std::move(f));
}

Type resultOf(const std::function<Type(Types)>& rule, Values args) {
  std::vector<Type> types;
  for (const Value& v : args) types.push_back(v.type());
  return rule(types);
}

void addNullFunctions(std::map<std::string, FunctionDefinition, std::less<>>& t) {
  const auto isnullType = [](Types a) { return a[0]; };
  addNullHandling(t, fn("isnull", 2, 2, isnullType, [isnullType](Values a, const EvaluationContext&) {
                        // The replacement takes the first argument's type, cut to its length.
                        return a[0].isNull() ? convertImplicitly(a[1], resultOf(isnullType, a)) : a[0];
                      }));
  const auto coalesceType = [](Types a) {
    Type t = a[0];
    for (const Type& next : a.subspan(1)) t = commonType(t, next);
    return t;
  };
  addNullHandling(t, fn("coalesce", 2, kUnlimited, coalesceType, [coalesceType](Values a, const EvaluationContext&) {
                        const Type type = resultOf(coalesceType, a);
                        for (const Value& v : a)
                          if (!v.isNull()) return convertImplicitly(v, type);
                        return Value::null(type);
                      }));
  addNullHandling(t, fn("nullif", 2, 2, [](Types a) { return a[0]; }, [](Values a, const EvaluationContext&) {
                        if (!a[0].isNull() && compare(Comparison::Equal, a[0], a[1]) == Truth::True)
                          return Value::null(a[0].type());
                        return a[0];
                      }));
  addNullHandling(t, fn("isnumeric", 1, 1, [](Types) { return intType(); }, [](Values a, const EvaluationContext&) {
                        const Value& v = a[0];
                        if (v.isNull()) return Value::integer(0);
                        if (isNumber(v.type().id)) return Value::integer(1);
                        return Value::integer(isCharacter(v.type().id) && looksNumeric(v.text()) ? 1 : 0);
                      }));
  addNullHandling(t, fn("isdate", 1, 1, [](Types) { return intType(); }, [](Values a, const EvaluationContext&) {
                        const Value& v = a[0];
                        if (v.isNull()) return Value::integer(0);
                        if (isDateOrTime(v.type().id)) return Value::integer(1);
                        if (!isCharacter(v.type().id) || v.text().find_first_not_of(' ') == std::string::npos)
                          return Value::integer(0);
                        const ParsedDateTime p = parseDateTimeText(v.text(), 0);
                        const bool ok = p.status == DateTimeParse::Parsed && p.value.days >= kFirstDateTimeDay;
                        return Value::integer(ok ? 1 : 0);
                      }));
}

void addStringFunctions(std::map<std::string, FunctionDefinition, std::less<>>& t) {
  const auto sameString = [](Types a) { return stringTypeOf(a[0]); };
  const auto lengthType = [](Types a) { return Type::of(isLargeObject(a[0]) ? TypeId::BigInt : TypeId::Int); };
  addStrict(t, "len", 1, 1, lengthType, [](Values a, const EvaluationContext&, const Type& type) {
    const std::u32string s = decodeUtf8(textOf(a[0]));
    return Value::integer(static_cast<std::int64_t>(trimTrailing(s).size()), type.id);
  });
  addStrict(t, "datalength", 1, 1, lengthType, [](Values a, const EvaluationContext&, const Type& type) {
    return Value::integer(dataLength(a[0]), type.id);
  });
  const auto leftOrRight = [](bool left) {
    return [left](Values a, const EvaluationContext&, const Type& type) {
      const std::int64_t n = integerOf(a[1]);
      if (n < 0) throw refuse::invalidLengthArgument(left ? "left" : "right");
      const std::u32string s = decodeUtf8(textOf(a[0]));
      const size_t count = std::min<size_t>(s.size(), static_cast<size_t>(n));
      return stringResult(left ? std::u32string_view(s).substr(0, count)
                               : std::u32string_view(s).substr(s.size() - count),
                          type);
    };
  };
  addStrict(t, "left", 2, 2, sameString, leftOrRight(true));
  addStrict(t, "right", 2, 2, sameString, leftOrRight(false));
  addStrict(t, "substring", 3, 3, [](Types a) {
    return isBinaryString(a[0].id) ? Type::binary(TypeId::VarBinary, a[0].length) : stringTypeOf(a[0]);
  }, [](Values a, const EvaluationContext&, const Type& type) {
    const std::int64_t start = integerOf(a[1]);
    const std::int64_t length = integerOf(a[2]);
    if (length < 0) throw refuse::invalidLengthArgument("substring");
    // The characters from `start` for `length`, where they overlap 1..n.
    const auto window = [&](std::int64_t size) {
      const std::int64_t first = std::max<std::int64_t>(start, 1);
      const std::int64_t end = std::min<std::int64_t>(start + length, size + 1);
      return std::pair<size_t, size_t>{static_cast<size_t>(first - 1),
                                       end > first ? static_cast<size_t>(end - first) : 0};
    };
    if (isBinaryString(a[0].type().id)) {
      const auto [from, count] = window(static_cast<std::int64_t>(a[0].bytes().size()));
      return Value::binary(count ? a[0].bytes().substr(from, count) : "", type);
    }
    const std::u32string s = decodeUtf8(textOf(a[0]));
    const auto [from, count] = window(static_cast<std::int64_t>(s.size()));
    return stringResult(count ? std::u32string_view(s).substr(from, count) : U"", type);
  });
  addStrict(t, "charindex", 2, 3, [](Types) { return intType(); }, [](Values a, const EvaluationContext&, const Type&) {
    const std::u32string find = foldedCodePoints(textOf(a[0]));
    const std::u32string in = foldedCodePoints(textOf(a[1]));
    const std::int64_t start = a.size() == 3 ? std::max<std::int64_t>(integerOf(a[2]), 1) : 1;
    const size_t at = findFolded(in, find, static_cast<size_t>(start - 1));
    return Value::integer(at == std::u32string::npos ? 0 : static_cast<std::int64_t>(at) + 1);
  });
  addStrict(t, "patindex", 2, 2, [](Types) { return intType(); }, [](Values a, const EvaluationContext&, const Type&) {
    return Value::integer(patternIndex(textOf(a[0]), textOf(a[1])));
  });
  addStrict(t, "replace", 3, 3, [](Types a) {
    const bool unicode = std::any_of(a.begin(), a.end(), [](const Type& x) { return isUnicode(x.id); });
    const bool max = isLargeObject(a[0]);
    return Type::character(unicode ? TypeId::NVarChar : TypeId::VarChar, max ? Type::kMax : unicode ? 4000 : 8000);
  }, [](Values a, const EvaluationContext&, const Type& type) {
    // Occurrences are found as the collation compares, ignoring case.
    const std::u32string text = decodeUtf8(textOf(a[0]));
    const std::u32string foldedText = foldedCodePoints(textOf(a[0]));
    const std::u32string find = foldedCodePoints(textOf(a[1]));
    const std::u32string with = decodeUtf8(textOf(a[2]));
    std::u32string out;
    size_t at = 0;
    for (size_t hit; (hit = findFolded(foldedText, find, at)) != std::u32string::npos; at = hit + find.size())
      out.append(text, at, hit - at).append(with);
    out.append(text, std::min(at, text.size()));
    return stringResult(out, type);
  });
  addStrict(t, "ltrim", 1, 1, sameString, [](Values a, const EvaluationContext&, const Type& type) {
    return stringResult(trimLeading(decodeUtf8(textOf(a[0]))), type);
  });
  addStrict(t, "rtrim", 1, 1, sameString, [](Values a, const EvaluationContext&, const Type& type) {
    return stringResult(trimTrailing(decodeUtf8(textOf(a[0]))), type);
  });
  const auto changeCase = [](char32_t (*change)(char32_t)) {
    return [change](Values a, const EvaluationContext&, const Type& type) {
      std::u32string s = decodeUtf8(textOf(a[0]));
      for (char32_t& c : s) c = change(c);
      return stringResult(s, type);
    };
  };
  addStrict(t, "upper", 1, 1, sameString, changeCase(&toUpper));
  addStrict(t, "lower", 1, 1, sameString, changeCase(&toLower));
  addStrict(t, "replicate", 2, 2, [](Types a) {
    const Type s = stringTypeOf(a[0]);
    return Type::character(s.id, isLargeObject(s) ? Type::kMax : isUnicode(s.id) ? 4000 : 8000);
  }, [](Values a, const EvaluationContext&, const Type& type) {
    const std::int64_t n = integerOf(a[1]);
    if (n < 0) return Value::null(type);
    const std::u32string unit = decodeUtf8(textOf(a[0]));
    std::u32string out;
    const size_t limit = type.length == Type::kMax ? SIZE_MAX : static_cast<size_t>(type.length);
    for (std::int64_t i = 0; i < n && out.size() < limit; ++i) out += unit;
    return stringResult(out, type);
  });
  addStrict(t, "space", 1, 1, [](Types) { return Type::character(TypeId::VarChar, 8000); },
            [](Values a, const EvaluationContext&, const Type& type) {
              const std::int64_t n = integerOf(a[0]);
              if (n < 0) return Value::null(type);
              return Value::text(std::string(static_cast<size_t>(std::min<std::int64_t>(n, 8000)), ' '), type);
            });
  addStrict(t, "str", 1, 3, [](Types a) {
    requireNumber(a[0], 1, "str");
    return Type::character(TypeId::VarChar, 10);
  }, [](Values a, const EvaluationContext&, const Type&) {
    const std::int64_t length = a.size() > 1 ? integerOf(a[1]) : 10;
    const std::int64_t decimals = a.size() > 2 ? integerOf(a[2]) : 0;
    if (length <= 0 || length > 8000 || decimals < 0) return Value::null(Type::character(TypeId::VarChar, 10));
    const int n = static_cast<int>(length);
    return Value::text(strText(floatOf(a[0]), n, static_cast<int>(decimals)), Type::character(TypeId::VarChar, n));
  });
  addStrict(t, "char", 1, 1, [](Types) { return Type::character(TypeId::Char, 1); },
            [](Values a, const EvaluationContext&, const Type& type) {
              // Codes of the single-byte code page; the upper half is read as Latin-1.
              const std::int64_t code = integerOf(a[0]);
              if (code < 0 || code > 255) return Value::null(type);
              std::string s;
              appendUtf8(s, static_cast<char32_t>(code));
              return Value::text(s, type);
            });
  addStrict(t, "nchar", 1, 1, [](Types) { return Type::character(TypeId::NChar, 1); },
            [](Values a, const EvaluationContext&, const Type& type) {
              const std::int64_t code = integerOf(a[0]);
              if (code < 0 || code > 0xFFFF) return Value::null(type);
              std::string s;
              appendUtf8(s, static_cast<char32_t>(code));
              return Value::text(s, type);
            });
  const auto firstCode = [](bool unicode) {
    return [unicode](Values a, const EvaluationContext&, const Type& type) {
      const std::u32string s = decodeUtf8(textOf(a[0]));
      if (s.empty()) return Value::null(type);
      const char32_t c = s.front();
      return Value::integer(unicode || c < 0x100 ? static_cast<std::int64_t>(c) : '?');
    };
  };
  addStrict(t, "ascii", 1, 1, [](Types) { return intType(); }, firstCode(false));
  addStrict(t, "unicode", 1, 1, [](Types) { return intType(); }, firstCode(true));
}

void addMathFunctions(std::map<std::string, FunctionDefinition, std::less<>>& t) {
  const auto sameNumber = [](std::string_view name) {
    return [name](Types a) { return numberTypeOf(a[0], 1, name); };
  };
  addStrict(t, "abs", 1, 1, sameNumber("abs"), [](Values a, const EvaluationContext&, const Type&) {
    const Value v = asNumber(a[0]);
    const bool negative = isApproximate(v.type().id)                          ? v.floating() < 0
                          : isDecimal(v.type().id) || isMoney(v.type().id) ? v.unscaled() < 0
                                                                              : v.integer() < 0;
    return negative ? negate(v) : v;
  });
  addStrict(t, "sign", 1, 1, sameNumber("sign"), [](Values a, const EvaluationContext&, const Type& type) {
    const Value v = asNumber(a[0]);
    const int s = compare(Comparison::Greater, v, Value::integer(0)) == Truth::True ? 1
                  : compare(Comparison::Less, v, Value::integer(0)) == Truth::True ? -1
                                                                                    : 0;
    return convert(Value::integer(s), type);
  });
  const auto wholeType = [](std::string_view name) {
    return [name](Types a) {
      const Type n = numberTypeOf(a[0], 1, name);
      return isDecimal(n.id) ? Type{n.id, 0, std::min(38, n.precision - n.scale + 1), 0} : n;
    };
  };
  const auto whole = [](bool up) {
    return [up](Values a, const EvaluationContext&, const Type& type) {
      const Value v = asNumber(a[0]);
      const TypeId id = v.type().id;
      if (isApproximate(id)) return Value::floating(up ? std::ceil(v.floating()) : std::floor(v.floating()), id);
      if (!isDecimal(id) && !isMoney(id)) return v;
      const Int128 unit = pow10(v.type().scale);
      Int128 q = v.unscaled() / unit;
      const Int128 r = v.unscaled() % unit;
      if (r != 0 && (up ? r > 0 : r < 0)) q += up ? 1 : -1;
      if (isMoney(id)) return Value::decimal(q * unit, v.type());
      return convert(Value::decimal(q, Type::decimal(38, 0)), type);
    };
  };
  addStrict(t, "floor", 1, 1, wholeType("floor"), whole(false));
  addStrict(t, "ceiling", 1, 1, wholeType("ceiling"), whole(true));
  addStrict(t, "round", 2, 3, [](Types a) {
    // Decimals keep their precision, so ROUND(748.58, -3) overflows decimal(5,2); the small
    // integers widen to int, the moneys to money, real to float.
    const Type n = numberTypeOf(a[0], 1, "round");
    if (n.id == TypeId::TinyInt || n.id == TypeId::SmallInt) return intType();
    if (isMoney(n.id)) return Type::of(TypeId::Money);
    if (isApproximate(n.id)) return Type::of(TypeId::Float);
    return n;
  }, [](Values a, const EvaluationContext&, const Type& type) {
    const bool truncate = a.size() == 3 && integerOf(a[2]) != 0;
    return roundNumber(asNumber(a[0]), integerOf(a[1]), truncate, type);
  });
  addStrict(t, "power", 2, 2, [](Types a) {
    const Type n = numberTypeOf(a[0], 1, "power");
    requireNumber(a[1], 2, "power");
    return isDecimal(n.id) ? Type{n.id, 0, 38, n.scale} : n;
  }, [](Values a, const EvaluationContext&, const Type& type) { return powerOf(a[0], a[1], type); });
  addStrict(t, "sqrt", 1, 1, [](Types a) {
    requireNumber(a[0], 1, "sqrt");
    return Type::of(TypeId::Float);
  }, [](Values a, const EvaluationContext&, const Type&) {
    const double x = floatOf(a[0]);
    if (x < 0) throw refuse::invalidFloatingPointOperation();
    return Value::floating(std::sqrt(x));
  });
}

void addDateFunctions(std::map<std::string, FunctionDefinition, std::less<>>& t) {
  addNullHandling(t, fn("getdate", 0, 0, [](Types) { return Type::of(TypeId::DateTime); },
                        [](Values, const EvaluationContext& ctx) {
                          if (!ctx.now) throw Error::provider("GETDATE needs the session's clock; none was given.");
                          return Value::dateTime(ctx.now());
                        }));
  addStrict(t, "dateadd", 3, 3, [](Types a) { return dateArgumentType(a[2], 3, "dateadd"); },
            [](Values a, const EvaluationContext&, const Type& type) {
              return dateAdd(partOf(a[0]), integerOf(a[1]), a[2], type);
            });
  addStrict(t, "datediff", 3, 3, [](Types a) {
    dateArgumentType(a[1], 2, "datediff");
    dateArgumentType(a[2], 3, "datediff");
    return intType();
  }, [](Values a, const EvaluationContext&, const Type&) {
    const DatePart part = partOf(a[0]);
    const std::int64_t diff = boundaryIndex(part, dateOf(a[2])) - boundaryIndex(part, dateOf(a[1]));
    if (diff < INT32_MIN || diff > INT32_MAX) throw refuse::dateDiffOverflow();
    return Value::integer(diff);
  });
  addStrict(t, "datepart", 2, 2, [](Types a) {
    dateArgumentType(a[1], 2, "datepart");
    return intType();
  }, [](Values a, const EvaluationContext& ctx, const Type&) {
    return Value::integer(datePart(partOf(a[0]), dateOf(a[1]), ctx.dateFirst));
  });
  addStrict(t, "datename", 2, 2, [](Types a) {
    dateArgumentType(a[1], 2, "datename");
    return Type::character(TypeId::NVarChar, 30);
  }, [](Values a, const EvaluationContext& ctx, const Type& type) {
    const DatePart part = partOf(a[0]);
    const DateTime dt = dateOf(a[1]);
    if (part == DatePart::Month) return Value::text(std::string(monthName(civilFromDays(dt.days).month)), type);
    if (part == DatePart::Weekday) return Value::text(std::string(weekdayName(dayOfWeek(dt.days))), type);
    return Value::text(std::to_string(datePart(part, dt, ctx.dateFirst)), type);
  });
  for (const auto& [name, part] : {std::pair<std::string, DatePart>{"year", DatePart::Year},
                                   {"month", DatePart::Month},
                                   {"day", DatePart::Day}}) {
    addStrict(t, name, 1, 1, [name = name](Types a) {
      dateArgumentType(a[0], 1, name);
      return intType();
    }, [part = part](Values a, const EvaluationContext& ctx, const Type&) {
      return Value::integer(datePart(part, dateOf(a[0]), ctx.dateFirst));
    });
  }
}

}  // namespace

std::optional<DatePart> datePartNamed(std::string_view word) {
  const std::string lower = asciiLower(word);
  for (const PartName& p : kPartNames)
    if (p.word == lower) return p.part;
  return std::nullopt;
}

FunctionTable FunctionTable::withBuiltins() {
  FunctionTable table;
  addNullFunctions(table.functions_);
  addStringFunctions(table.functions_);
  addMathFunctions(table.functions_);
  addDateFunctions(table.functions_);
  return table;
}

void FunctionTable::add(FunctionDefinition function) {
  function.name = asciiLower(function.name);
  std::string key = function.name;
  functions_.insert_or_assign(std::move(key), std::move(function));
}

const FunctionDefinition* FunctionTable::find(std::string_view name) const {
  const auto it = functions_.find(asciiLower(name));
  return it == functions_.end() ? nullptr : &it->second;
}

const FunctionDefinition& FunctionTable::resolve(std::string_view nameAsWritten, size_t argumentCount) const {
  const FunctionDefinition* f = find(nameAsWritten);
  if (!f) throw refuse::unknownFunction(nameAsWritten);
  const auto n = static_cast<std::int64_t>(argumentCount);
  if (n < f->minArguments || n > f->maxArguments) {
    if (f->minArguments == f->maxArguments) throw refuse::argumentCount(f->name, f->minArguments);
    if (f->maxArguments == kUnlimited) throw refuse::argumentCount(f->name, f->minArguments);
    throw refuse::argumentCountRange(f->name, f->minArguments, f->maxArguments);
  }
  return *f;
}

}  // namespace db::embedded::types
