#include "db/embedded/types/Convert.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "db/Text.h"
#include "db/embedded/types/DateTimeText.h"
#include "db/embedded/types/Unicode.h"
#include "db/embedded/types/ValueRefusals.h"

namespace db::embedded::types {

namespace {

// Types grouped by how they convert.
enum class Family { Integer, Decimal, Money, Approximate, Character, LargeText, Binary, Image, Date, DateTime, Time, Guid, Other };

Family familyOf(TypeId id) {
  if (id == TypeId::Bit || isInteger(id)) return Family::Integer;
  if (isDecimal(id)) return Family::Decimal;
  if (isMoney(id)) return Family::Money;
  if (isApproximate(id)) return Family::Approximate;
  switch (id) {
    case TypeId::Char:
    case TypeId::VarChar:
    case TypeId::NChar:
    case TypeId::NVarChar: return Family::Character;
    case TypeId::Text:
    case TypeId::NText: return Family::LargeText;
    case TypeId::Binary:
    case TypeId::VarBinary:
    case TypeId::Timestamp: return Family::Binary;
    case TypeId::Image: return Family::Image;
    case TypeId::Date: return Family::Date;
    case TypeId::SmallDateTime:
    case TypeId::DateTime:
    case TypeId::DateTime2:
    case TypeId::DateTimeOffset: return Family::DateTime;
    case TypeId::Time: return Family::Time;
    case TypeId::UniqueIdentifier: return Family::Guid;
    default: return Family::Other;
  }
}

// SQL Server's conversion chart, one row per source family: I implicit, E explicit only,
// - not allowed. Columns in Family order: Integer Decimal Money Approximate Character
// LargeText Binary Image Date DateTime Time Guid.
constexpr const char* kChart[] = {
    /* Integer     */ "IIIII-I--I--",
    /* Decimal     */ "IIIII-I--I--",
    /* Money       */ "IIIII-I--I--",
    /* Approximate */ "IIIII----I--",
    /* Character   */ "IIIIIIEEIIII",
    /* LargeText   */ "----II------",
    /* Binary      */ "III-I-II-E-I",
    /* Image       */ "------II----",
    /* Date        */ "----I---II--",
    /* DateTime    */ "EEEEI-E-III-",
    /* Time        */ "----I----II-",
    /* Guid        */ "----I-II---I",
};

// The type name SQL Server's conversion messages print: decimal shows as numeric.
std::string_view messageName(TypeId id) { return id == TypeId::Decimal ? "numeric" : typeName(id); }

std::string_view trimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// ---------------------------------------------------------------- integers

struct IntegerRange {
  std::int64_t low;
  std::int64_t high;
};

IntegerRange rangeOf(TypeId id) {
  switch (id) {
    case TypeId::Bit: return {0, 1};
    case TypeId::TinyInt: return {0, 255};
    case TypeId::SmallInt: return {-32768, 32767};
    case TypeId::Int: return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    default: return {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
  }
}

bool inRange(Int128 v, TypeId id) {
  const IntegerRange r = rangeOf(id);
  return v >= r.low && v <= r.high;
}

std::string integerText(Int128 v) { return decimalText(v, 0); }

// Optional sign and digits, blanks around: what CAST('...' AS int) accepts. An empty text or
// a lone sign is 0. Nullopt when it is not an integer; `overflow` when it has too many digits.
std::optional<Int128> parseIntegerText(std::string_view text, bool& overflow) {
  std::string_view s = trimSpaces(text);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  Int128 value = 0;
  for (char c : s) {
    if (!isDigit(c)) return std::nullopt;
    if (value < pow10(30)) value = value * 10 + (c - '0');
    else overflow = true;
  }
  return negative ? -value : value;
}

Value integerFromText(const Value& v, const Type& to) {
  bool overflow = false;
  const std::string_view source = messageName(v.type().id);
  if (to.id == TypeId::Bit) {
    const std::string_view t = trimSpaces(v.text());
    if (equalsAsciiNoCase(t, "true")) return Value::bit(true);
    if (equalsAsciiNoCase(t, "false")) return Value::bit(false);
  }
  const auto parsed = parseIntegerText(v.text(), overflow);
  if (!parsed) throw refuse::conversionFailed(source, v.text(), typeName(to.id));
  if (to.id == TypeId::Bit) return Value::bit(*parsed != 0 || overflow);
  if (overflow || !inRange(*parsed, to.id)) throw refuse::conversionOverflowed(source, v.text(), typeName(to.id));
  return Value::integer(static_cast<std::int64_t>(*parsed), to.id);
}

Value checkedInteger(Int128 v, TypeId to, TypeId from) {
  if (to == TypeId::Bit) return Value::bit(v != 0);
  if (!inRange(v, to)) {
    // A narrower integer reports the value (220); other sources report the expression (8115).
    if (isInteger(from) && from != TypeId::BigInt) throw refuse::overflowForType(typeName(to), integerText(v));
    throw refuse::overflowConverting("expression", typeName(to));
  }
  return Value::integer(static_cast<std::int64_t>(v), to);
}

// Bytes read as a big-endian integer: the last bytes of the value, as many as the type holds.
Int128 integerFromBytes(std::string_view bytes, int width) {
  if (bytes.size() > static_cast<size_t>(width)) bytes.remove_prefix(bytes.size() - static_cast<size_t>(width));
  std::uint64_t u = 0;
  for (char b : bytes) u = (u << 8) | static_cast<unsigned char>(b);
  const int bits = static_cast<int>(bytes.size()) * 8;
  if (bits > 0 && bits < 64 && width * 8 == bits && (u >> (bits - 1)) & 1) u |= ~std::uint64_t{0} << bits;
  return static_cast<std::int64_t>(u);
}

int byteWidth(TypeId id) {
  switch (id) {
    case TypeId::Bit:
    case TypeId::TinyInt: return 1;
    case TypeId::SmallInt: return 2;
    case TypeId::Int: return 4;
    default: return 8;
  }
}

Value toInteger(const Value& v, const Type& to) {
  const TypeId from = v.type().id;
  switch (familyOf(from)) {
    case Family::Integer: return checkedInteger(v.integer(), to.id, from);
    case Family::Decimal: return checkedInteger(divideTruncated(v.unscaled(), v.type().scale), to.id, from);
    case Family::Money: return checkedInteger(divideRounded(v.unscaled(), 4), to.id, from);  // money rounds
    case Family::Approximate: {
      const double d = std::trunc(v.floating());
      if (to.id == TypeId::Bit) return Value::bit(v.floating() != 0);
      const IntegerRange r = rangeOf(to.id);
      if (!(d >= static_cast<double>(r.low) && d <= static_cast<double>(r.high)) ||
          (to.id == TypeId::BigInt && d >= 9223372036854775807.0))
        throw refuse::overflowForTypeFloat(typeName(to.id), v.floating());
      return Value::integer(static_cast<std::int64_t>(d), to.id);
    }
    case Family::Character: return integerFromText(v, to);
    case Family::DateTime: {
      // A datetime counts its days; from noon on it rounds to the next day.
      const DateTime dt = v.dateTime();
      return checkedInteger(dt.days + (dt.ticks >= kTicksPerDay / 2 ? 1 : 0), to.id, TypeId::BigInt);
    }
    case Family::Binary: return checkedInteger(integerFromBytes(v.bytes(), byteWidth(to.id)), to.id, TypeId::BigInt);
    default: throw refuse::explicitConversionNotAllowed(typeName(from), typeName(to.id));
  }
}

// ---------------------------------------------------------------- decimals and money

// Digits with an optional point, sign and blanks around; money also takes a currency sign and
// thousands separators.
struct DecimalText {
  bool negative = false;
  std::string integerDigits;
  std::string fractionDigits;
};

bool isCurrencySign(std::u32string_view s, size_t i) {
  const char32_t c = s[i];
  return c == U'$' || c == U'\u00A3' || c == U'\u00A5' || c == U'\u20AC' || c == U'\uFDFC' || c == U'\u00A4';
}

std::optional<DecimalText> parseDecimalText(std::string_view text, bool asMoney) {
  const std::u32string s = decodeUtf8(trimSpaces(text));
  DecimalText out;
  size_t i = 0;
  const auto sign = [&] {
    if (i < s.size() && (s[i] == U'+' || s[i] == U'-')) {
      out.negative = s[i] == U'-';
      ++i;
      return true;
    }
    return false;
  };
  bool signed_ = sign();
  if (asMoney && i < s.size() && isCurrencySign(s, i)) {
    ++i;
    while (i < s.size() && s[i] == U' ') ++i;
    if (!signed_) signed_ = sign();
  }
  bool point = false;
  for (; i < s.size(); ++i) {
    const char32_t c = s[i];
    if (c >= U'0' && c <= U'9') {
      (point ? out.fractionDigits : out.integerDigits).push_back(static_cast<char>(c));
    } else if (c == U'.' && !point) {
      point = true;
    } else if (c == U',' && asMoney && !point) {
      continue;
    } else {
      return std::nullopt;
    }
  }
  return out;
}

// The unscaled value of decimal text at `scale`, rounded; nullopt when it needs more than
// `precision` digits.
std::optional<Int128> unscaledFromText(const DecimalText& d, int precision, int scale) {
  std::string digits = d.integerDigits;
  size_t leading = digits.find_first_not_of('0');
  digits = leading == std::string::npos ? "" : digits.substr(leading);
  if (static_cast<int>(digits.size()) > precision - scale) return std::nullopt;
  std::string fraction = d.fractionDigits;
  const bool roundUp = static_cast<int>(fraction.size()) > scale && fraction[static_cast<size_t>(scale)] >= '5';
  fraction.resize(static_cast<size_t>(scale), '0');
  Int128 value = 0;
  for (char c : digits + fraction) value = value * 10 + (c - '0');
  if (roundUp) ++value;
  if (value > maxOfPrecision(precision)) return std::nullopt;
  return d.negative ? -value : value;
}

// The precision and scale a target holds its value in: money is decimal(19,4) with the range
// of a 64-bit integer.
Type decimalShape(const Type& to) {
  if (to.id == TypeId::Money) return Type::decimal(19, 4);
  if (to.id == TypeId::SmallMoney) return Type::decimal(10, 4);
  return to;
}

bool fitsTarget(Int128 unscaled, const Type& to) {
  if (to.id == TypeId::Money)
    return unscaled >= std::numeric_limits<std::int64_t>::min() && unscaled <= std::numeric_limits<std::int64_t>::max();
  if (to.id == TypeId::SmallMoney)
    return unscaled >= std::numeric_limits<std::int32_t>::min() && unscaled <= std::numeric_limits<std::int32_t>::max();
  return unscaled >= -maxOfPrecision(to.precision) && unscaled <= maxOfPrecision(to.precision);
}

Value checkedDecimal(std::optional<Int128> unscaled, const Type& to, std::string_view what) {
  if (!unscaled || !fitsTarget(*unscaled, to)) throw refuse::overflowConverting(what, messageName(to.id));
  Type type = to;
  if (isMoney(to.id)) type = Type::of(to.id);
  return Value::decimal(*unscaled, type);
}

Int128 unscaledFromDouble(double d, int scale, bool& overflow) {
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", scale, d);
  DecimalText parsed;
  const auto p = parseDecimalText(text, false);
  if (!p || p->integerDigits.size() > 38) {
    overflow = true;
    return 0;
  }
  parsed = *p;
  const auto v = unscaledFromText(parsed, 38, scale);
  if (!v) overflow = true;
  return v.value_or(0);
}

Value toDecimal(const Value& v, const Type& to) {
  const TypeId from = v.type().id;
  const Type shape = decimalShape(to);
  const std::string_view fromName = messageName(from);
  switch (familyOf(from)) {
    case Family::Integer: return checkedDecimal(rescale(v.integer(), 0, shape.scale), to, fromName);
    case Family::Decimal:
    case Family::Money: return checkedDecimal(rescale(v.unscaled(), v.type().scale, shape.scale), to, fromName);
    case Family::Approximate: {
      bool overflow = false;
      const Int128 u = unscaledFromDouble(v.floating(), shape.scale, overflow);
      return checkedDecimal(overflow ? std::nullopt : std::optional<Int128>(u), to, fromName);
    }
    case Family::Character: {
      const auto parsed = parseDecimalText(v.text(), isMoney(to.id));
      if (!parsed || (!isMoney(to.id) && parsed->integerDigits.empty() && parsed->fractionDigits.empty())) {
        if (isMoney(to.id)) throw refuse::notMoney(typeName(from));
        throw refuse::notANumber(typeName(from), messageName(to.id));
      }
      return checkedDecimal(unscaledFromText(*parsed, 38, shape.scale), to, typeName(from));
    }
    case Family::DateTime: {
      const DateTime dt = v.dateTime();
      const Int128 dayUnits = static_cast<Int128>(dt.days) * pow10(shape.scale);
      const Int128 fraction = divideRounded(static_cast<Int128>(dt.ticks) * pow10(shape.scale + 1) / kTicksPerDay, 1);
      return checkedDecimal(dayUnits + fraction, to, "expression");
    }
    case Family::Binary:
      if (isMoney(to.id)) return checkedDecimal(integerFromBytes(v.bytes(), 8), to, "expression");
      throw refuse::unsupportedType("binary as " + std::string(typeName(to.id)));
    default: throw refuse::explicitConversionNotAllowed(typeName(from), typeName(to.id));
  }
}

// ---------------------------------------------------------------- float and real

double doubleFromUnscaled(Int128 unscaled, int scale) {
  return static_cast<double>(unscaled) / static_cast<double>(pow10(scale));
}

std::optional<double> parseFloatText(std::string_view text) {
  const std::string s(trimSpaces(text));
  if (s.empty()) return 0.0;
  for (char c : s)
    if (!isDigit(c) && c != '.' && c != 'e' && c != 'E' && c != '+' && c != '-') return std::nullopt;
  char* end = nullptr;
  const double d = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(d)) return std::nullopt;
  return d;
}

Value toFloat(const Value& v, const Type& to) {
  const TypeId from = v.type().id;
  double d = 0;
  switch (familyOf(from)) {
    case Family::Integer: d = static_cast<double>(v.integer()); break;
    case Family::Decimal:
    case Family::Money: d = doubleFromUnscaled(v.unscaled(), v.type().scale); break;
    case Family::Approximate: d = v.floating(); break;
    case Family::Character: {
      const auto parsed = parseFloatText(v.text());
      if (!parsed) throw refuse::notANumber(typeName(from), typeName(to.id));
      d = *parsed;
      break;
    }
    case Family::DateTime:
      d = v.dateTime().days + static_cast<double>(v.dateTime().ticks) / kTicksPerDay;
      break;
    default: throw refuse::explicitConversionNotAllowed(typeName(from), typeName(to.id));
  }
  if (to.id == TypeId::Real) {
    if (std::fabs(d) > std::numeric_limits<float>::max()) throw refuse::overflowConverting("expression", "real");
    d = static_cast<float>(d);
  }
  return Value::floating(d, to.id);
}

// ---------------------------------------------------------------- character forms

std::string withThousands(const std::string& digits) {
  const bool negative = !digits.empty() && digits.front() == '-';
  const size_t point = digits.find('.');
  const std::string integerPart = digits.substr(negative ? 1 : 0, point - (negative ? 1 : 0));
  std::string grouped;
  for (size_t i = 0; i < integerPart.size(); ++i) {
    if (i > 0 && (integerPart.size() - i) % 3 == 0) grouped.push_back(',');
    grouped.push_back(integerPart[i]);
  }
  return (negative ? "-" : "") + grouped + (point == std::string::npos ? "" : digits.substr(point));
}

// Money in CONVERT's styles: 0 two decimals, 1 two decimals with thousands separators,
// 2 and 126 four decimals.
std::string moneyText(Int128 unscaled, int style) {
  if (style == 2 || style == 126) return decimalText(unscaled, 4);
  const std::string twoDecimals = decimalText(divideRounded(unscaled, 2), 2);
  return style == 1 ? withThousands(twoDecimals) : twoDecimals;
}

// The exponent written with at least three digits, as SQL Server writes it: 1e+006.
std::string threeDigitExponent(std::string text) {
  const size_t e = text.find('e');
  if (e == std::string::npos) return text;
  size_t digits = e + 2;
  const size_t count = text.size() - digits;
  if (count < 3) text.insert(digits, 3 - count, '0');
  return text;
}

// float and real in CONVERT's styles: 0 at most 6 significant digits, scientific when the
// exponent is below -4 or above 5; 1 eight digits, 2 sixteen, both always scientific. 126
// is style 2 for float and style 1 for real.
std::string floatText(double d, TypeId id, int style) {
  if (style == 126) style = id == TypeId::Real ? 1 : 2;
  char text[64];
  if (style == 1) std::snprintf(text, sizeof text, "%.7e", d);
  else if (style == 2 || style == 3) std::snprintf(text, sizeof text, "%.15e", d);
  else std::snprintf(text, sizeof text, "%.6g", d);
  return threeDigitExponent(text);
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string hexText(std::string_view bytes, bool prefix) {
  std::string out = prefix ? "0x" : "";
  for (char b : bytes) {
    out.push_back(kHexDigits[static_cast<unsigned char>(b) >> 4]);
    out.push_back(kHexDigits[static_cast<unsigned char>(b) & 0xF]);
  }
  return out;
}

std::string guidText(std::string_view bytes) {
  std::string hex = hexText(bytes, false);
  for (size_t at : {8u, 13u, 18u, 23u}) hex.insert(at, "-");
  return hex;
}

// Bytes read as characters: one byte each for char and varchar (the single-byte code page,
// taken as Latin-1 here), UTF-16LE pairs for nchar and nvarchar.
std::string textFromBytes(std::string_view bytes, TypeId to) {
  std::string out;
  if (isUnicode(to)) {
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
      appendUtf8(out, static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
  } else {
    for (char b : bytes) appendUtf8(out, static_cast<unsigned char>(b));
  }
  return out;
}

std::string bytesFromText(std::string_view text, TypeId from) {
  std::string out;
  for (char32_t c : decodeUtf8(text)) {
    if (isUnicode(from)) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>((c >> 8) & 0xFF));
    } else {
      out.push_back(static_cast<char>(c < 0x100 ? c : '?'));
    }
  }
  return out;
}

// The first `length` characters (as `id` counts them) of UTF-8 text.
std::string cutToLength(const std::string& text, int length, TypeId id) {
  if (length == Type::kMax) return text;
  std::string out;
  int used = 0;
  for (char32_t c : decodeUtf8(text)) {
    const int width = isUnicode(id) && c > 0xFFFF ? 2 : 1;
    if (used + width > length) break;
    used += width;
    appendUtf8(out, c);
  }
  return out;
}

std::string padToLength(std::string text, int length, TypeId id) {
  const int have = characterLength(text, id);
  if (have < length) text.append(static_cast<size_t>(length - have), ' ');
  return text;
}

Value toCharacter(const Value& v, const Type& to, std::optional<int> style) {
  const TypeId from = v.type().id;
  const Family family = familyOf(from);
  std::string text = characterForm(v, style);
  if (isNumber(from) && to.length != Type::kMax && to.id != TypeId::Text && to.id != TypeId::NText &&
      characterLength(text, to.id) > to.length) {
    // Integers too long for char and varchar show as "*"; every other case is an overflow.
    if (family == Family::Integer && !isUnicode(to.id)) text = "*";
    else throw refuse::overflowConverting(family == Family::Integer ? "expression" : messageName(from), typeName(to.id));
  }
  if (family == Family::Guid && to.length != Type::kMax && to.length < 36 && to.id != TypeId::Text &&
      to.id != TypeId::NText)
    throw refuse::uniqueIdentifierTooLong();
  if (family == Family::Binary && (!style || *style == 0)) text = textFromBytes(v.bytes(), to.id);
  if (to.id != TypeId::Text && to.id != TypeId::NText) text = cutToLength(text, to.length, to.id);
  if (isFixedLength(to.id)) text = padToLength(std::move(text), to.length, to.id);
  return Value::text(std::move(text), to);
}

// ---------------------------------------------------------------- binary

std::optional<std::string> bytesFromHex(std::string_view hex) {
  if (hex.size() >= 2 && hex[0] == '0' && (hex[1] == 'x' || hex[1] == 'X')) hex.remove_prefix(2);
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < hex.size(); i += 2) {
    int byte = 0;
    for (char c : {hex[i], hex[i + 1]}) {
      const int n = isDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
      if (n < 0) return std::nullopt;
      byte = byte * 16 + n;
    }
    out.push_back(static_cast<char>(byte));
  }
  return out;
}

Value toBinary(const Value& v, const Type& to, std::optional<int> style) {
  const TypeId from = v.type().id;
  std::string bytes;
  switch (familyOf(from)) {
    case Family::Binary:
    case Family::Image:
    case Family::Guid: bytes = v.bytes(); break;
    case Family::Character:
    case Family::LargeText:
      if (style && (*style == 1 || *style == 2)) {
        const auto hex = bytesFromHex(v.text());
        if (!hex) throw refuse::conversionFailed(typeName(from), v.text(), typeName(to.id));
        bytes = *hex;
      } else {
        bytes = bytesFromText(v.text(), from);
      }
      break;
    case Family::Integer: {
      const int width = byteWidth(from);
      const auto u = static_cast<std::uint64_t>(v.integer());
      for (int i = width - 1; i >= 0; --i) bytes.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
      break;
    }
    case Family::Money: {
      const auto u = static_cast<std::uint64_t>(static_cast<std::int64_t>(v.unscaled()));
      for (int i = 7; i >= 0; --i) bytes.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
      break;
    }
    default: throw refuse::unsupportedType(std::string(typeName(from)) + " as " + std::string(typeName(to.id)));
  }
  if (to.length != Type::kMax && to.id != TypeId::Image) {
    // Numbers keep their rightmost bytes; strings their leading ones.
    const size_t n = static_cast<size_t>(to.length);
    if (bytes.size() > n) bytes = familyOf(from) == Family::Integer || familyOf(from) == Family::Money
                                      ? bytes.substr(bytes.size() - n)
                                      : bytes.substr(0, n);
    if (to.id == TypeId::Binary && bytes.size() < n) bytes.append(n - bytes.size(), '\0');
  }
  return Value::binary(std::move(bytes), to);
}

// ---------------------------------------------------------------- uniqueidentifier

Value toGuid(const Value& v) {
  if (familyOf(v.type().id) == Family::Guid) return v;
  if (familyOf(v.type().id) == Family::Binary) {
    std::string bytes = v.bytes();
    bytes.resize(16, '\0');
    return Value::uniqueIdentifier(std::move(bytes));
  }
  std::string_view s = trimSpaces(v.text());
  if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
  std::string hex;
  bool shaped = s.size() >= 36;
  for (size_t i = 0; shaped && i < 36; ++i) {
    const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
    if (dash != (s[i] == '-')) shaped = false;
    else if (!dash) hex.push_back(s[i]);
  }
  const auto bytes = shaped ? bytesFromHex(hex) : std::nullopt;
  if (!bytes) throw refuse::notAUniqueIdentifier();
  return Value::uniqueIdentifier(*bytes);
}

// ---------------------------------------------------------------- dates and times

Value checkedDateTime(DateTime dt, TypeId to, std::string_view fromName) {
  if (to == TypeId::Date) {
    dt.ticks = 0;
    if (dt.days < kFirstDateDay || dt.days > kLastDay) throw refuse::dateTimeOutOfRange(fromName, "date");
    return Value::dateTime(dt, to);
  }
  if (to == TypeId::SmallDateTime) {
    // Whole minutes: from 29.999 seconds on the minute rounds up.
    std::int64_t minutes = (static_cast<std::int64_t>(dt.ticks) + kTicksPerMinute / 2) / kTicksPerMinute;
    dt.ticks = static_cast<std::int32_t>(minutes * kTicksPerMinute);
    if (dt.ticks >= kTicksPerDay) {
      dt.ticks -= kTicksPerDay;
      ++dt.days;
    }
    if (dt.days < 0 || dt.days > kLastSmallDateTimeDay || (dt.days == kLastSmallDateTimeDay && dt.ticks > 0))
      throw refuse::dateTimeOutOfRange(fromName, "smalldatetime");
    return Value::dateTime(dt, to);
  }
  if (dt.days < kFirstDateTimeDay || dt.days > kLastDay) throw refuse::dateTimeOutOfRange(fromName, "datetime");
  return Value::dateTime(dt, to);
}

DateTime dateTimeFromDays(double days) {
  const double whole = std::floor(days);
  const double ticks = std::round((days - whole) * kTicksPerDay);
  DateTime dt{static_cast<std::int32_t>(whole), static_cast<std::int32_t>(ticks)};
  if (dt.ticks >= kTicksPerDay) {
    dt.ticks -= kTicksPerDay;
    ++dt.days;
  }
  return dt;
}

Value toDateTime(const Value& v, const Type& to, std::optional<int> style) {
  const TypeId from = v.type().id;
  if (to.id == TypeId::Time || to.id == TypeId::DateTime2 || to.id == TypeId::DateTimeOffset)
    throw refuse::unsupportedType(typeName(to.id));
  const auto fromNumber = [&](double days) {
    if (!(days > -1e7 && days < 1e7)) throw refuse::overflowConverting("expression", typeName(to.id));
    const DateTime dt = dateTimeFromDays(days);
    if (dt.days < kFirstDateTimeDay || dt.days > kLastDay)
      throw refuse::overflowConverting("expression", typeName(to.id));
    return checkedDateTime(dt, to.id, typeName(from));
  };
  switch (familyOf(from)) {
    case Family::Date:
    case Family::DateTime: return checkedDateTime(v.dateTime(), to.id, typeName(from));
    case Family::Character: {
      const auto parsed = parseDateTimeText(v.text(), style.value_or(0));
      if (parsed.status == DateTimeParse::Malformed) throw refuse::notADateTime();
      if (parsed.status == DateTimeParse::OutOfRange) {
        if (to.id == TypeId::Date) throw refuse::notADateTime();
        throw refuse::dateTimeOutOfRange(typeName(from), typeName(to.id));
      }
      return checkedDateTime(parsed.value, to.id, typeName(from));
    }
    case Family::Integer: return fromNumber(static_cast<double>(v.integer()));
    case Family::Decimal:
    case Family::Money: return fromNumber(doubleFromUnscaled(v.unscaled(), v.type().scale));
    case Family::Approximate: return fromNumber(v.floating());
    case Family::Binary: {
      const std::string& b = v.bytes();
      const auto part = [&](size_t at) { return static_cast<std::int32_t>(integerFromBytes(b.substr(at, 4), 4)); };
      if (b.size() < 8) throw refuse::overflowConverting("expression", typeName(to.id));
      return checkedDateTime({part(0), part(4)}, to.id, typeName(from));
    }
    default: throw refuse::explicitConversionNotAllowed(typeName(from), typeName(to.id));
  }
}

bool typeComputable(TypeId id) {
  return familyOf(id) != Family::Other && id != TypeId::Time && id != TypeId::DateTime2 &&
         id != TypeId::DateTimeOffset;
}

}  // namespace

Conversion conversionBetween(TypeId from, TypeId to) {
  const Family f = familyOf(from);
  const Family t = familyOf(to);
  if (f == Family::Other || t == Family::Other) return from == to ? Conversion::Implicit : Conversion::NotAllowed;
  switch (kChart[static_cast<int>(f)][static_cast<int>(t)]) {
    case 'I': return Conversion::Implicit;
    case 'E': return Conversion::Explicit;
    default: return Conversion::NotAllowed;
  }
}

std::string characterForm(const Value& v, std::optional<int> style) {
  const TypeId id = v.type().id;
  switch (familyOf(id)) {
    case Family::Integer: return integerText(v.integer());
    case Family::Decimal: return decimalText(v.unscaled(), v.type().scale);
    case Family::Money: return moneyText(v.unscaled(), style.value_or(0));
    case Family::Approximate: return floatText(v.floating(), id, style.value_or(0));
    case Family::Character:
    case Family::LargeText: return v.text();
    case Family::Binary:
    case Family::Image: return hexText(v.bytes(), style.value_or(1) != 2);
    case Family::Date:
    case Family::DateTime: return dateTimeText(v.dateTime(), id, style);
    case Family::Guid: return guidText(v.bytes());
    default: throw refuse::unsupportedType(typeName(id));
  }
}

Value convert(const Value& value, const Type& to, std::optional<int> style) {
  const TypeId from = value.type().id;
  if (!typeComputable(to.id)) throw refuse::unsupportedType(typeName(to.id));
  if (conversionBetween(from, to.id) == Conversion::NotAllowed)
    throw refuse::explicitConversionNotAllowed(typeName(from), typeName(to.id));
  if (value.isNull()) return Value::null(to);
  switch (familyOf(to.id)) {
    case Family::Integer: return toInteger(value, to);
    case Family::Decimal:
    case Family::Money: return toDecimal(value, to);
    case Family::Approximate: return toFloat(value, to);
    case Family::Character:
    case Family::LargeText: return toCharacter(value, to, style);
    case Family::Binary:
    case Family::Image: return toBinary(value, to, style);
    case Family::Date:
    case Family::DateTime: return toDateTime(value, to, style);
    case Family::Guid: return toGuid(value);
    default: throw refuse::unsupportedType(typeName(to.id));
  }
}

Value convertImplicitly(const Value& value, const Type& to) {
  const TypeId from = value.type().id;
  switch (conversionBetween(from, to.id)) {
    case Conversion::NotAllowed: throw refuse::operandTypeClash(typeName(from), typeName(to.id));
    case Conversion::Explicit: throw refuse::implicitConversionNotAllowed(typeName(from), typeName(to.id));
    case Conversion::Implicit: break;
  }
  return convert(value, to);
}

bool fitsColumn(const Value& value, const Type& column) {
  if (value.isNull() || column.length == Type::kMax) return true;
  const TypeId id = value.type().id;
  if (isCharacter(id) && (isCharacter(column.id) && column.id != TypeId::Text && column.id != TypeId::NText)) {
    std::string_view text = value.text();
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return characterLength(text, column.id) <= column.length;
  }
  if (isBinaryString(id) && (column.id == TypeId::Binary || column.id == TypeId::VarBinary))
    return value.bytes().size() <= static_cast<size_t>(column.length);
  return true;
}

Value toColumn(const Value& value, const Type& column) {
  // Text converted from another type is checked in its character form.
  const Value staged = (isCharacter(column.id) && !isCharacter(value.type().id) && !value.isNull())
                           ? convertImplicitly(value, Type::character(column.id, Type::kMax))
                           : value;
  if ((isCharacter(staged.type().id) || isBinaryString(staged.type().id)) && !fitsColumn(staged, column))
    throw refuse::stringTruncated();
  return convertImplicitly(staged, column);
}

std::optional<Value> numberLiteral(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const bool scientific = text.find_first_of("eE") != std::string_view::npos;
  if (scientific) {
    const auto d = parseFloatText(text);
    if (!d || text.front() == ' ' || text.back() == ' ') return std::nullopt;
    return Value::floating(*d);
  }
  const auto parsed = parseDecimalText(text, false);
  if (!parsed || parsed->negative || text.front() == '+' || text.front() == ' ' || text.back() == ' ' ||
      (parsed->integerDigits.empty() && parsed->fractionDigits.empty()))
    return std::nullopt;
  const bool point = text.find('.') != std::string_view::npos;
  std::string integerDigits = parsed->integerDigits;
  const size_t leading = integerDigits.find_first_not_of('0');
  integerDigits = leading == std::string::npos ? "" : integerDigits.substr(leading);
  const int scale = static_cast<int>(parsed->fractionDigits.size());
  const int precision = std::max(1, static_cast<int>(integerDigits.size()) + scale);
  if (precision > 38) return std::nullopt;
  const Int128 unscaled = *unscaledFromText(*parsed, 38, scale);
  if (!point && inRange(unscaled, TypeId::Int)) return Value::integer(static_cast<std::int64_t>(unscaled));
  return Value::decimal(unscaled, {TypeId::Numeric, 0, std::max(precision, scale), scale});
}

bool looksNumeric(std::string_view text) {
  const std::string_view s = trimSpaces(text);
  if (s.empty()) return false;
  if (parseDecimalText(s, true)) return true;
  return parseFloatText(s).has_value() && s.find_first_of("0123456789") != std::string_view::npos;
}

}  // namespace db::embedded::types
