#include "db/embedded/types/Type.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "db/Text.h"

namespace db::embedded::types {

namespace {

struct TypeFacts {
  std::string_view name;
  int rank;       // data type precedence, higher wins
  int precision;  // fixed precision of the numeric types
  int scale;
};

// Indexed by TypeId. Ranks follow SQL Server's precedence list (sql_variant highest ... binary
// lowest); timestamp ranks with the binary strings it converts like.
constexpr std::array<TypeFacts, 32> kFacts = {{
    {"bit", 12, 1, 0},
    {"tinyint", 13, 3, 0},
    {"smallint", 14, 5, 0},
    {"int", 15, 10, 0},
    {"bigint", 16, 19, 0},
    {"decimal", 19, 18, 0},
    {"numeric", 19, 18, 0},
    {"smallmoney", 17, 10, 4},
    {"money", 18, 19, 4},
    {"real", 20, 24, 0},
    {"float", 21, 53, 0},
    {"date", 23, 0, 0},
    {"time", 22, 0, 0},
    {"smalldatetime", 24, 0, 0},
    {"datetime", 25, 0, 0},
    {"datetime2", 26, 0, 0},
    {"datetimeoffset", 27, 0, 0},
    {"char", 4, 0, 0},
    {"varchar", 5, 0, 0},
    {"text", 10, 0, 0},
    {"nchar", 6, 0, 0},
    {"nvarchar", 7, 0, 0},
    {"ntext", 11, 0, 0},
    {"binary", 1, 0, 0},
    {"varbinary", 2, 0, 0},
    {"image", 9, 0, 0},
    {"timestamp", 3, 0, 0},
    {"uniqueidentifier", 8, 0, 0},
    {"xml", 28, 0, 0},
    {"sql_variant", 29, 0, 0},
    {"hierarchyid", 0, 0, 0},
    {"geography", 0, 0, 0},
}};

const TypeFacts& facts(TypeId id) { return kFacts[static_cast<size_t>(id)]; }

// SQL Server's system types and their synonyms: the one list of type names the engine knows.
constexpr std::array<TypeSpelling, 38> kSpellings = {{
    {"int", TypeId::Int, ArgumentForm::None, 0},
    {"integer", TypeId::Int, ArgumentForm::None, 0},
    {"bigint", TypeId::BigInt, ArgumentForm::None, 0},
    {"smallint", TypeId::SmallInt, ArgumentForm::None, 0},
    {"tinyint", TypeId::TinyInt, ArgumentForm::None, 0},
    {"bit", TypeId::Bit, ArgumentForm::None, 0},
    {"money", TypeId::Money, ArgumentForm::None, 0},
    {"smallmoney", TypeId::SmallMoney, ArgumentForm::None, 0},
    {"decimal", TypeId::Decimal, ArgumentForm::PrecisionScale, 0},
    {"dec", TypeId::Decimal, ArgumentForm::PrecisionScale, 0},
    {"numeric", TypeId::Numeric, ArgumentForm::PrecisionScale, 0},
    {"float", TypeId::Float, ArgumentForm::Optional1, 0},
    {"double precision", TypeId::Float, ArgumentForm::None, 0},
    {"real", TypeId::Real, ArgumentForm::None, 0},
    {"char", TypeId::Char, ArgumentForm::Length, 8000},
    {"character", TypeId::Char, ArgumentForm::Length, 8000},
    {"varchar", TypeId::VarChar, ArgumentForm::LengthOrMax, 8000},
    {"nchar", TypeId::NChar, ArgumentForm::Length, 4000},
    {"nvarchar", TypeId::NVarChar, ArgumentForm::LengthOrMax, 4000},
    {"text", TypeId::Text, ArgumentForm::None, 0},
    {"ntext", TypeId::NText, ArgumentForm::None, 0},
    {"xml", TypeId::Xml, ArgumentForm::None, 0},
    {"sysname", TypeId::NVarChar, ArgumentForm::None, 0},
    {"binary", TypeId::Binary, ArgumentForm::Length, 8000},
    {"varbinary", TypeId::VarBinary, ArgumentForm::LengthOrMax, 8000},
    {"image", TypeId::Image, ArgumentForm::None, 0},
    {"timestamp", TypeId::Timestamp, ArgumentForm::None, 0},
    {"rowversion", TypeId::Timestamp, ArgumentForm::None, 0},
    {"date", TypeId::Date, ArgumentForm::None, 0},
    {"datetime", TypeId::DateTime, ArgumentForm::None, 0},
    {"smalldatetime", TypeId::SmallDateTime, ArgumentForm::None, 0},
    {"datetime2", TypeId::DateTime2, ArgumentForm::Optional1, 0},
    {"datetimeoffset", TypeId::DateTimeOffset, ArgumentForm::Optional1, 0},
    {"time", TypeId::Time, ArgumentForm::Optional1, 0},
    {"uniqueidentifier", TypeId::UniqueIdentifier, ArgumentForm::None, 0},
    {"sql_variant", TypeId::SqlVariant, ArgumentForm::None, 0},
    {"hierarchyid", TypeId::HierarchyId, ArgumentForm::None, 0},
    {"geography", TypeId::Geography, ArgumentForm::None, 0},
}};

constexpr int kSysnameLength = 128;

std::optional<int> toInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string_view typeName(TypeId id) { return facts(id).name; }

Type Type::of(TypeId id) {
  Type t;
  t.id = id;
  if (isExactNumeric(id) || isApproximate(id)) {
    t.precision = facts(id).precision;
    t.scale = facts(id).scale;
  }
  if (isFixedLength(id) || id == TypeId::VarChar || id == TypeId::NVarChar || id == TypeId::VarBinary) t.length = 1;
  return t;
}

Type Type::decimal(int precision, int scale) { return {TypeId::Decimal, 0, precision, scale}; }

Type Type::character(TypeId id, int length) { return {id, length, 0, 0}; }

Type Type::binary(TypeId id, int length) { return {id, length, 0, 0}; }

std::string Type::name() const {
  std::string out(typeName(id));
  if (isDecimal(id)) return out + "(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
  const bool sized = isFixedLength(id) || id == TypeId::VarChar || id == TypeId::NVarChar || id == TypeId::VarBinary;
  if (sized) out += length == kMax ? "(max)" : "(" + std::to_string(length) + ")";
  return out;
}

bool isInteger(TypeId id) {
  return id == TypeId::TinyInt || id == TypeId::SmallInt || id == TypeId::Int || id == TypeId::BigInt;
}
bool isDecimal(TypeId id) { return id == TypeId::Decimal || id == TypeId::Numeric; }
bool isMoney(TypeId id) { return id == TypeId::Money || id == TypeId::SmallMoney; }
bool isApproximate(TypeId id) { return id == TypeId::Real || id == TypeId::Float; }
bool isExactNumeric(TypeId id) { return id == TypeId::Bit || isInteger(id) || isDecimal(id) || isMoney(id); }
bool isNumber(TypeId id) { return isExactNumeric(id) || isApproximate(id); }
bool isCharacter(TypeId id) {
  return id == TypeId::Char || id == TypeId::VarChar || id == TypeId::Text || isUnicode(id);
}
bool isUnicode(TypeId id) { return id == TypeId::NChar || id == TypeId::NVarChar || id == TypeId::NText; }
bool isBinaryString(TypeId id) {
  return id == TypeId::Binary || id == TypeId::VarBinary || id == TypeId::Image || id == TypeId::Timestamp;
}
bool isDateOrTime(TypeId id) {
  return id == TypeId::Date || id == TypeId::Time || id == TypeId::SmallDateTime || id == TypeId::DateTime ||
         id == TypeId::DateTime2 || id == TypeId::DateTimeOffset;
}
bool isFixedLength(TypeId id) { return id == TypeId::Char || id == TypeId::NChar || id == TypeId::Binary; }
bool isLargeObject(const Type& t) {
  return t.id == TypeId::Text || t.id == TypeId::NText || t.id == TypeId::Image || t.id == TypeId::Xml ||
         t.length == Type::kMax;
}

Type asDecimal(const Type& t) {
  if (isDecimal(t.id)) return t;
  return Type::decimal(facts(t.id).precision, facts(t.id).scale);
}

int precedence(TypeId id) { return facts(id).rank; }

const Type& higherPrecedence(const Type& a, const Type& b) { return precedence(b.id) > precedence(a.id) ? b : a; }

Type boundedDecimal(int precision, int scale, int minimumScale) {
  if (precision <= 38) return Type::decimal(precision, scale);
  const int integerDigits = precision - scale;
  return Type::decimal(38, std::max(std::min(scale, 38 - integerDigits), std::min(scale, minimumScale)));
}

Type commonType(const Type& a, const Type& b) {
  Type result = higherPrecedence(a, b);
  if (isDecimal(result.id) && isExactNumeric(a.id) && isExactNumeric(b.id)) {
    // UNION and CASE: max(s1, s2) + max(p1 - s1, p2 - s2) digits, scale max(s1, s2).
    const Type da = asDecimal(a);
    const Type db = asDecimal(b);
    const int scale = std::max(da.scale, db.scale);
    const int integerDigits = std::max(da.precision - da.scale, db.precision - db.scale);
    Type bounded = boundedDecimal(integerDigits + scale, scale, 0);
    bounded.id = result.id;
    return bounded;
  }
  if (isCharacter(result.id) || isBinaryString(result.id)) {
    const int la = isCharacter(a.id) || isBinaryString(a.id) ? a.length : 0;
    const int lb = isCharacter(b.id) || isBinaryString(b.id) ? b.length : 0;
    result.length = la == Type::kMax || lb == Type::kMax ? Type::kMax : std::max(la, lb);
    if (result.length == 0 && result.id != TypeId::Text && result.id != TypeId::NText) result.length = 1;
  }
  return result;
}

const TypeSpelling* findTypeSpelling(std::string_view lowerName) {
  for (const TypeSpelling& s : kSpellings)
    if (s.spelling == lowerName) return &s;
  return nullptr;
}

std::optional<Type> parseType(std::string_view name, std::span<const std::string> args, LengthDefault lengthDefault,
                              TypeNameProblem& problem) {
  const std::string lower = asciiLower(name);
  const TypeSpelling* spelling = findTypeSpelling(lower);
  if (!spelling) {
    problem = {TypeNameProblem::UnknownType};
    return std::nullopt;
  }
  Type type = Type::of(spelling->id);
  const auto refuse = [&problem](TypeNameProblem p) -> std::optional<Type> {
    problem = p;
    return std::nullopt;
  };
  switch (spelling->form) {
    case ArgumentForm::None:
      if (!args.empty()) return refuse({TypeNameProblem::WidthNotAllowed});
      if (lower == "sysname") type.length = kSysnameLength;
      break;
    case ArgumentForm::Length:
    case ArgumentForm::LengthOrMax:
      type.length = lengthDefault == LengthDefault::Conversion ? 30 : 1;
      if (args.size() > 1) return refuse({TypeNameProblem::WidthNotAllowed});
      if (args.size() == 1) {
        if (equalsAsciiNoCase(args[0], "max")) {
          if (spelling->form != ArgumentForm::LengthOrMax) return refuse({TypeNameProblem::MaxNotAllowed});
          type.length = Type::kMax;
          break;
        }
        const auto n = toInt(args[0]);
        if (!n || *n < 1) return refuse({TypeNameProblem::WidthNotAllowed});
        if (*n > spelling->maxLength) return refuse({TypeNameProblem::SizeTooLarge, *n, spelling->maxLength});
        type.length = *n;
      }
      break;
    case ArgumentForm::PrecisionScale: {
      if (args.size() > 2) return refuse({TypeNameProblem::WidthNotAllowed});
      if (!args.empty()) {
        const auto p = toInt(args[0]);
        const auto s = args.size() == 2 ? toInt(args[1]) : std::optional<int>(0);
        if (!p || !s || *p < 1 || *p > 38 || *s < 0 || *s > *p) return refuse({TypeNameProblem::WidthNotAllowed});
        type.precision = *p;
        type.scale = *s;
      }
      break;
    }
    case ArgumentForm::Optional1: {
      if (args.size() > 1 || (args.size() == 1 && !toInt(args[0])))
        return refuse({TypeNameProblem::WidthNotAllowed});
      if (args.size() == 1) {
        const int n = *toInt(args[0]);
        // float(1..24) is real, float(25..53) float.
        if (type.id == TypeId::Float) {
          if (n < 1 || n > 53) return refuse({TypeNameProblem::WidthNotAllowed});
          if (n <= 24) type = Type::of(TypeId::Real);
        } else {
          if (n < 0 || n > 7) return refuse({TypeNameProblem::WidthNotAllowed});
          type.scale = n;
        }
      } else if (type.id != TypeId::Float) {
        type.scale = 7;  // fractional-second digits of time, datetime2 and datetimeoffset
      }
      break;
    }
  }
  return type;
}

}  // namespace db::embedded::types
