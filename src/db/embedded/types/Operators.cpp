#include "db/embedded/types/Operators.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "db/embedded/types/Collation.h"
#include "db/embedded/types/Convert.h"
#include "db/embedded/types/ValueRefusals.h"

namespace db::embedded::types {

namespace {

std::string_view operatorName(BinaryOperator op) {
  switch (op) {
    case BinaryOperator::Add: return "add";
    case BinaryOperator::Subtract: return "subtract";
    case BinaryOperator::Multiply: return "multiply";
    case BinaryOperator::Divide: return "divide";
    case BinaryOperator::Modulo: return "modulo";
    case BinaryOperator::BitAnd: return "'&'";
    case BinaryOperator::BitOr: return "'|'";
    case BinaryOperator::BitXor: return "'^'";
  }
  return "";
}

std::string_view comparisonName(Comparison cmp) {
  switch (cmp) {
    case Comparison::Equal: return "equal to";
    case Comparison::NotEqual: return "not equal to";
    case Comparison::Less: return "less than";
    case Comparison::LessOrEqual: return "less than or equal to";
    case Comparison::Greater: return "greater than";
    case Comparison::GreaterOrEqual: return "greater than or equal to";
  }
  return "";
}

bool isBitwise(BinaryOperator op) {
  return op == BinaryOperator::BitAnd || op == BinaryOperator::BitOr || op == BinaryOperator::BitXor;
}

bool isShortString(TypeId id) { return isCharacter(id) && id != TypeId::Text && id != TypeId::NText; }

bool isDateTimeArithmetic(TypeId id) { return id == TypeId::DateTime || id == TypeId::SmallDateTime; }

bool isLarge(TypeId id) { return id == TypeId::Text || id == TypeId::NText || id == TypeId::Image; }

Type concatenationType(const Type& left, const Type& right) {
  Type result = higherPrecedence(left, right);
  const int cap = isUnicode(result.id) ? 4000 : 8000;
  if (left.length == Type::kMax || right.length == Type::kMax) result.length = Type::kMax;
  else result.length = std::min(cap, left.length + right.length);
  return result;
}

// Decimal precision and scale of each operator, on operands taken as decimals.
Type decimalResult(BinaryOperator op, const Type& left, const Type& right) {
  const Type a = asDecimal(left);
  const Type b = asDecimal(right);
  const int p1 = a.precision, s1 = a.scale, p2 = b.precision, s2 = b.scale;
  Type result;
  switch (op) {
    case BinaryOperator::Add:
    case BinaryOperator::Subtract: {
      const int s = std::max(s1, s2);
      result = boundedDecimal(s + std::max(p1 - s1, p2 - s2) + 1, s, 6);
      break;
    }
    case BinaryOperator::Multiply: result = boundedDecimal(p1 + p2 + 1, s1 + s2, 6); break;
    case BinaryOperator::Divide: {
      const int s = std::max(6, s1 + p2 + 1);
      result = boundedDecimal(p1 - s1 + s2 + s, s, 6);
      break;
    }
    default: {
      const int s = std::max(s1, s2);
      result = boundedDecimal(std::min(p1 - s1, p2 - s2) + s, s, 6);
      break;
    }
  }
  if (left.id == TypeId::Numeric || right.id == TypeId::Numeric) result.id = TypeId::Numeric;
  return result;
}

Type numericResult(BinaryOperator op, const Type& left, const Type& right) {
  const Type& winner = higherPrecedence(left, right);
  if (isApproximate(winner.id)) return Type::of(winner.id);
  if (isDecimal(winner.id)) return decimalResult(op, left, right);
  if (isMoney(winner.id)) return Type::of(winner.id);
  if (left.id == TypeId::Bit && right.id == TypeId::Bit) return Type::of(isBitwise(op) ? TypeId::Bit : TypeId::Int);
  return Type::of(winner.id);
}

// The operand type a string beside a number is converted to.
Type numberTypeForString(const Type& other) {
  if (isDecimal(other.id)) return Type::decimal(38, other.scale);
  return Type::of(other.id);
}

// ------------------------------------------------------------------ exact arithmetic

Int128 checkedRange(Int128 v, const Type& type) {
  bool fits = true;
  if (isMoney(type.id)) {
    const Int128 limit = type.id == TypeId::Money ? std::numeric_limits<std::int64_t>::max()
                                                  : std::numeric_limits<std::int32_t>::max();
    fits = v >= -limit - 1 && v <= limit;
  } else if (isDecimal(type.id)) {
    fits = v >= -maxOfPrecision(type.precision) && v <= maxOfPrecision(type.precision);
  } else {
    const Int128 low = type.id == TypeId::TinyInt    ? 0
                       : type.id == TypeId::SmallInt ? -32768
                       : type.id == TypeId::Int      ? std::numeric_limits<std::int32_t>::min()
                                                     : std::numeric_limits<std::int64_t>::min();
    const Int128 high = type.id == TypeId::TinyInt    ? 255
                        : type.id == TypeId::SmallInt ? 32767
                        : type.id == TypeId::Int      ? std::numeric_limits<std::int32_t>::max()
                                                      : std::numeric_limits<std::int64_t>::max();
    fits = v >= low && v <= high;
  }
  if (!fits) throw refuse::overflowConverting("expression", isDecimal(type.id) ? "numeric" : typeName(type.id));
  return v;
}

struct Scaled {
  Int128 unscaled;
  int scale;
};

Scaled scaledOf(const Value& v) {
  if (isDecimal(v.type().id) || isMoney(v.type().id)) return {v.unscaled(), v.type().scale};
  return {v.integer(), 0};
}

bool fitsDigits(Int128 v, int extraDigits) { return digitCount(v) + extraDigits <= 38; }

// Products and quotients whose intermediate exceeds 38 digits are taken through long double:
// exact to about 19 digits, enough to tell an overflow from a result.
Int128 fromLongDouble(long double v) {
  if (!(std::fabs(v) < 1e38L)) return pow10(38);  // beyond every precision: the caller's overflow
  return static_cast<Int128>(std::roundl(v));
}

Int128 decimalArithmetic(BinaryOperator op, Scaled a, Scaled b, int scale) {
  switch (op) {
    case BinaryOperator::Add:
    case BinaryOperator::Subtract:
    case BinaryOperator::Modulo: {
      const int common = std::max(a.scale, b.scale);
      const Int128 x = a.unscaled * pow10(common - a.scale);
      const Int128 y = b.unscaled * pow10(common - b.scale);
      Int128 r = op == BinaryOperator::Add ? x + y : op == BinaryOperator::Subtract ? x - y : x % y;
      return *rescale(r, common, scale);
    }
    case BinaryOperator::Multiply: {
      const int productScale = a.scale + b.scale;
      if (digitCount(a.unscaled) + digitCount(b.unscaled) <= 38)
        return *rescale(a.unscaled * b.unscaled, productScale, scale);
      const long double product = static_cast<long double>(a.unscaled) * static_cast<long double>(b.unscaled);
      return fromLongDouble(product / std::pow(10.0L, productScale - scale));
    }
    default: {
      // The quotient is cut, not rounded, at the result's scale: 2.0 / 3 is 0.666666.
      const int shift = scale - a.scale + b.scale;
      if (shift >= 0 && fitsDigits(a.unscaled, shift)) return a.unscaled * pow10(shift) / b.unscaled;
      if (shift < 0) return a.unscaled / pow10(-shift) / b.unscaled;
      const long double q = static_cast<long double>(a.unscaled) * std::pow(10.0L, shift) /
                            static_cast<long double>(b.unscaled);
      return fromLongDouble(std::truncl(q));
    }
  }
}

Value exactArithmetic(BinaryOperator op, const Value& left, const Value& right, const Type& result) {
  if (isMoney(result.id) || isDecimal(result.id)) {
    const Scaled a = scaledOf(left);
    const Scaled b = scaledOf(right);
    if ((op == BinaryOperator::Divide || op == BinaryOperator::Modulo) && b.unscaled == 0) throw refuse::divideByZero();
    return Value::decimal(checkedRange(decimalArithmetic(op, a, b, result.scale), result), result);
  }
  const Int128 a = left.integer();
  const Int128 b = right.integer();
  if ((op == BinaryOperator::Divide || op == BinaryOperator::Modulo) && b == 0) throw refuse::divideByZero();
  Int128 r = 0;
  switch (op) {
    case BinaryOperator::Add: r = a + b; break;
    case BinaryOperator::Subtract: r = a - b; break;
    case BinaryOperator::Multiply: r = a * b; break;
    case BinaryOperator::Divide: r = a / b; break;  // toward zero, as T-SQL
    case BinaryOperator::Modulo: r = a % b; break;  // the dividend's sign, as T-SQL
    case BinaryOperator::BitAnd: r = a & b; break;
    case BinaryOperator::BitOr: r = a | b; break;
    case BinaryOperator::BitXor: r = a ^ b; break;
  }
  if (result.id == TypeId::Bit) return Value::bit(r != 0);
  return Value::integer(static_cast<std::int64_t>(checkedRange(r, result)), result.id);
}

Value approximateArithmetic(BinaryOperator op, double a, double b, const Type& result) {
  if (op == BinaryOperator::Divide && b == 0) throw refuse::divideByZero();
  double r = op == BinaryOperator::Add        ? a + b
             : op == BinaryOperator::Subtract ? a - b
             : op == BinaryOperator::Multiply ? a * b
                                              : a / b;
  if (!std::isfinite(r) || (result.id == TypeId::Real && std::fabs(r) > std::numeric_limits<float>::max()))
    throw refuse::overflowConverting("expression", typeName(result.id));
  if (result.id == TypeId::Real) r = static_cast<float>(r);
  return Value::floating(r, result.id);
}

Value dateTimeArithmetic(BinaryOperator op, const Value& left, const Value& right, const Type& result) {
  // A number beside a datetime counts days; both sides become datetime and their days and
  // ticks add or subtract.
  const Type datetime = Type::of(TypeId::DateTime);
  const auto asDateTime = [&](const Value& v) {
    if (isDateOrTime(v.type().id)) return v.dateTime();
    if (isCharacter(v.type().id)) return convert(v, datetime).dateTime();
    const double days = convert(v, Type::of(TypeId::Float)).floating();
    if (!(std::fabs(days) < 3e6)) throw refuse::overflowConverting("expression", "datetime");
    const double whole = std::floor(days);
    return DateTime{static_cast<std::int32_t>(whole),
                    static_cast<std::int32_t>(std::llround((days - whole) * kTicksPerDay))};
  };
  const DateTime a = asDateTime(left);
  const DateTime b = asDateTime(right);
  const int sign = op == BinaryOperator::Add ? 1 : -1;
  std::int64_t days = static_cast<std::int64_t>(a.days) + sign * static_cast<std::int64_t>(b.days);
  std::int64_t ticks = static_cast<std::int64_t>(a.ticks) + sign * static_cast<std::int64_t>(b.ticks);
  const std::int64_t carry = ticks >= 0 ? ticks / kTicksPerDay : -((kTicksPerDay - 1 - ticks) / kTicksPerDay);
  days += carry;
  ticks -= carry * kTicksPerDay;
  if (days < kFirstDateTimeDay || days > kLastDay) throw refuse::overflowConverting("expression", typeName(result.id));
  return convert(Value::dateTime({static_cast<std::int32_t>(days), static_cast<std::int32_t>(ticks)}), result);
}

// ------------------------------------------------------------------ comparison

// Exact numbers compared exactly; a float on either side compares as float.
int compareNumbers(const Value& a, const Value& b) {
  if (isApproximate(a.type().id) || isApproximate(b.type().id)) {
    const double x = convert(a, Type::of(TypeId::Float)).floating();
    const double y = convert(b, Type::of(TypeId::Float)).floating();
    return x < y ? -1 : x > y ? 1 : 0;
  }
  const Scaled x = scaledOf(a);
  const Scaled y = scaledOf(b);
  const int common = std::max(x.scale, y.scale);
  if (fitsDigits(x.unscaled, common - x.scale) && fitsDigits(y.unscaled, common - y.scale)) {
    const Int128 u = x.unscaled * pow10(common - x.scale);
    const Int128 v = y.unscaled * pow10(common - y.scale);
    return u < v ? -1 : u > v ? 1 : 0;
  }
  const long double u = static_cast<long double>(x.unscaled) / std::pow(10.0L, x.scale);
  const long double v = static_cast<long double>(y.unscaled) / std::pow(10.0L, y.scale);
  return u < v ? -1 : u > v ? 1 : 0;
}

int compareBytes(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// Two non-NULL values compared in the type of higher precedence.
int threeWay(const Value& left, const Value& right, std::string_view operatorText) {
  const Type& l = left.type();
  const Type& r = right.type();
  if (isLarge(l.id) || isLarge(r.id)) throw refuse::incompatibleInOperator(typeName(l.id), typeName(r.id), operatorText);
  const Type& winner = higherPrecedence(l, r);
  if (conversionBetween(l.id, winner.id) != Conversion::Implicit ||
      conversionBetween(r.id, winner.id) != Conversion::Implicit) {
    const TypeId loser = winner.id == l.id ? r.id : l.id;
    if (conversionBetween(loser, winner.id) == Conversion::Explicit)
      throw refuse::implicitConversionNotAllowed(typeName(loser), typeName(winner.id));
    throw refuse::operandTypeClash(typeName(l.id), typeName(r.id));
  }
  if (isCharacter(winner.id)) return compareText(left.text(), right.text());
  if (isNumber(winner.id)) {
    const Type target = numberTypeForString(winner);
    const Value a = isCharacter(l.id) ? convert(left, target) : left;
    const Value b = isCharacter(r.id) ? convert(right, target) : right;
    return compareNumbers(a, b);
  }
  const Value a = convertImplicitly(left, winner);
  const Value b = convertImplicitly(right, winner);
  if (isDateOrTime(winner.id)) return a.dateTime() < b.dateTime() ? -1 : a.dateTime() > b.dateTime() ? 1 : 0;
  if (winner.id == TypeId::UniqueIdentifier)
    return compareBytes(uniqueIdentifierSortKey(a.bytes()), uniqueIdentifierSortKey(b.bytes()));
  return compareBytes(a.bytes(), b.bytes());
}

}  // namespace

Type resultType(BinaryOperator op, const Type& left, const Type& right) {
  const TypeId l = left.id;
  const TypeId r = right.id;
  const std::string_view name = operatorName(op);
  if (isLarge(l) || isLarge(r)) throw refuse::incompatibleInOperator(typeName(l), typeName(r), name);
  if (isBitwise(op)) {
    const auto integral = [](TypeId id) { return id == TypeId::Bit || isInteger(id); };
    if (!integral(l) || !integral(r)) throw refuse::incompatibleInOperator(typeName(l), typeName(r), name);
    return Type::of(higherPrecedence(left, right).id);
  }
  if (op == BinaryOperator::Add && isShortString(l) && isShortString(r)) return concatenationType(left, right);
  if (op == BinaryOperator::Add && isBinaryString(l) && isBinaryString(r)) {
    Type joined = concatenationType(left, right);
    joined.id = TypeId::VarBinary;
    return joined;
  }
  if (isDateOrTime(l) || isDateOrTime(r)) {
    const Type& dateSide = isDateOrTime(l) ? left : right;
    const Type& other = isDateOrTime(l) ? right : left;
    if (op != BinaryOperator::Add && op != BinaryOperator::Subtract)
      throw refuse::invalidOperand(typeName(dateSide.id), name);
    if (!isDateTimeArithmetic(dateSide.id) || (isDateOrTime(other.id) && !isDateTimeArithmetic(other.id)))
      throw refuse::operandTypeClash(typeName(l), typeName(r));
    if (!isNumber(other.id) && !isShortString(other.id) && !isDateOrTime(other.id))
      throw refuse::operandTypeClash(typeName(l), typeName(r));
    return Type::of(higherPrecedence(left, right).id);
  }
  if (isShortString(l) && isShortString(r)) throw refuse::invalidOperand(typeName(l), name);
  const Type& numberSide = isNumber(l) ? left : right;
  const Type& otherSide = isNumber(l) ? right : left;
  if (!isNumber(numberSide.id)) throw refuse::invalidOperand(typeName(l), name);
  if (!isNumber(otherSide.id) && !isShortString(otherSide.id)) {
    if (conversionBetween(otherSide.id, numberSide.id) == Conversion::NotAllowed)
      throw refuse::operandTypeClash(typeName(l), typeName(r));
    throw refuse::invalidOperand(typeName(otherSide.id), name);
  }
  const Type lt = isShortString(l) ? numberTypeForString(right) : left;
  const Type rt = isShortString(r) ? numberTypeForString(left) : right;
  if (op == BinaryOperator::Modulo && (isApproximate(lt.id) || isApproximate(rt.id)))
    throw refuse::incompatibleInOperator(typeName(lt.id), typeName(rt.id), name);
  return numericResult(op, lt, rt);
}

Value apply(BinaryOperator op, const Value& left, const Value& right) {
  const Type result = resultType(op, left.type(), right.type());
  if (left.isNull() || right.isNull()) return Value::null(result);
  if (isCharacter(result.id)) {
    std::string joined = left.text() + right.text();
    return convert(Value::text(std::move(joined), Type::character(result.id, Type::kMax)), result);
  }
  if (isBinaryString(result.id)) return convert(Value::binary(left.bytes() + right.bytes(), Type::binary(TypeId::VarBinary, Type::kMax)), result);
  if (isDateOrTime(result.id)) return dateTimeArithmetic(op, left, right, result);
  // Each operand in its own numeric type (a string in the other side's), then computed in the
  // result's arithmetic.
  const auto operand = [&](const Value& v, const Value& other) {
    return isCharacter(v.type().id) ? convert(v, numberTypeForString(other.type())) : v;
  };
  const Value a = operand(left, right);
  const Value b = operand(right, left);
  if (isApproximate(result.id)) {
    return approximateArithmetic(op, convert(a, Type::of(TypeId::Float)).floating(),
                                 convert(b, Type::of(TypeId::Float)).floating(), result);
  }
  if (isMoney(result.id)) return exactArithmetic(op, convert(a, result), convert(b, result), result);
  if (isDecimal(result.id)) return exactArithmetic(op, a, b, result);
  return exactArithmetic(op, convert(a, result), convert(b, result), result);
}

Value negate(const Value& v) {
  const TypeId id = v.type().id;
  if (!isNumber(id) || id == TypeId::Bit) throw refuse::invalidOperand(typeName(id), "minus");
  if (v.isNull()) return v;
  if (isApproximate(id)) return Value::floating(-v.floating(), id);
  if (isDecimal(id) || isMoney(id)) return Value::decimal(checkedRange(-v.unscaled(), v.type()), v.type());
  if (id == TypeId::TinyInt && v.integer() != 0) throw refuse::overflowConverting("expression", "tinyint");
  return Value::integer(static_cast<std::int64_t>(checkedRange(-static_cast<Int128>(v.integer()), v.type())), id);
}

Value bitwiseNot(const Value& v) {
  const TypeId id = v.type().id;
  if (id != TypeId::Bit && !isInteger(id)) throw refuse::invalidOperand(typeName(id), "'~'");
  if (v.isNull()) return v;
  if (id == TypeId::Bit) return Value::bit(v.integer() == 0);
  if (id == TypeId::TinyInt) return Value::integer(~v.integer() & 0xFF, id);
  return Value::integer(~v.integer(), id);
}

Truth operator&&(Truth a, Truth b) {
  if (a == Truth::False || b == Truth::False) return Truth::False;
  if (a == Truth::Unknown || b == Truth::Unknown) return Truth::Unknown;
  return Truth::True;
}

Truth operator||(Truth a, Truth b) {
  if (a == Truth::True || b == Truth::True) return Truth::True;
  if (a == Truth::Unknown || b == Truth::Unknown) return Truth::Unknown;
  return Truth::False;
}

Truth operator!(Truth a) {
  return a == Truth::Unknown ? Truth::Unknown : a == Truth::True ? Truth::False : Truth::True;
}

Truth compare(Comparison cmp, const Value& left, const Value& right) {
  if (left.isNull() || right.isNull()) {
    // The types must still meet, as the statement is typed before it runs.
    if (isLarge(left.type().id) || isLarge(right.type().id))
      throw refuse::incompatibleInOperator(typeName(left.type().id), typeName(right.type().id), comparisonName(cmp));
    return Truth::Unknown;
  }
  const int c = threeWay(left, right, comparisonName(cmp));
  bool holds = false;
  switch (cmp) {
    case Comparison::Equal: holds = c == 0; break;
    case Comparison::NotEqual: holds = c != 0; break;
    case Comparison::Less: holds = c < 0; break;
    case Comparison::LessOrEqual: holds = c <= 0; break;
    case Comparison::Greater: holds = c > 0; break;
    case Comparison::GreaterOrEqual: holds = c >= 0; break;
  }
  return holds ? Truth::True : Truth::False;
}

int orderOf(const Value& left, const Value& right) {
  if (left.isNull() || right.isNull()) return left.isNull() == right.isNull() ? 0 : left.isNull() ? -1 : 1;
  return threeWay(left, right, "order by");
}

}  // namespace db::embedded::types
