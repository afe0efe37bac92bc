#include "db/embedded/SqlTypes.h"

#include "db/embedded/types/Type.h"

#include <array>
#include <charconv>

#include "db/ConnectionString.h"

namespace db::embedded {

const char* affinityName(Affinity affinity) {
  switch (affinity) {
    case Affinity::Integer: return "INTEGER";
    case Affinity::Numeric: return "NUMERIC";
    case Affinity::Real: return "REAL";
    case Affinity::Text: return "TEXT";
    case Affinity::Blob: return "BLOB";
  }
  return "BLOB";
}

bool SqlType::isLargeObject() const {
  return name == "text" || name == "ntext" || name == "image" || name == "xml" || length == kMax;
}

bool SqlType::canBeIdentity() const {
  if (name == "int" || name == "bigint" || name == "smallint" || name == "tinyint") return true;
  return (name == "decimal" || name == "numeric") && scale == 0;
}

bool SqlType::widens(const SqlType& before) const {
  return isVariableLength() && name == before.name && length != kMax && before.length != kMax &&
         length >= before.length;
}

namespace {

using types::ArgumentForm;

struct TypeInfo {
  std::string_view spelling;  // lower case, as a statement may write it
  std::string_view canonical;
  ArgumentForm args;
  int maxLength;  // Length / LengthOrMax: the largest n
  Affinity affinity;
};

// How SQLite keeps a SQL Server type's values.
Affinity storageOf(types::TypeId id) {
  using types::TypeId;
  if (id == TypeId::Bit || types::isInteger(id)) return Affinity::Integer;
  if (types::isDecimal(id) || types::isMoney(id)) return Affinity::Numeric;
  if (types::isApproximate(id)) return Affinity::Real;
  if (types::isCharacter(id) || types::isDateOrTime(id) || id == TypeId::UniqueIdentifier || id == TypeId::Xml)
    return Affinity::Text;
  return Affinity::Blob;
}

// SQL Server's system types and their synonyms: the value layer's vocabulary.
std::optional<TypeInfo> sqlServerType(std::string_view lowerName) {
  const types::TypeSpelling* t = types::findTypeSpelling(lowerName);
  if (!t) return std::nullopt;
  return TypeInfo{t->spelling, types::typeName(t->id), t->form, t->maxLength, storageOf(t->id)};
}

// Jet's own type names, mapped onto the SQL Server type that holds the same values.
// TEXT takes a length in Jet (TEXT(50) is a short text); MEMO is the long one.
constexpr std::array<TypeInfo, 21> kJetTypes = {{
    {"text", "nvarchar", ArgumentForm::Length, 255, Affinity::Text},
    {"memo", "ntext", ArgumentForm::None, 0, Affinity::Text},
    {"longtext", "ntext", ArgumentForm::None, 0, Affinity::Text},
    {"long", "int", ArgumentForm::None, 0, Affinity::Integer},
    {"short", "smallint", ArgumentForm::None, 0, Affinity::Integer},
    {"byte", "tinyint", ArgumentForm::None, 0, Affinity::Integer},
    {"single", "real", ArgumentForm::None, 0, Affinity::Real},
    {"double", "float", ArgumentForm::None, 0, Affinity::Real},
    {"currency", "money", ArgumentForm::None, 0, Affinity::Numeric},
    {"counter", "int", ArgumentForm::None, 0, Affinity::Integer},
    {"autoincrement", "int", ArgumentForm::None, 0, Affinity::Integer},
    {"yesno", "bit", ArgumentForm::None, 0, Affinity::Integer},
    {"logical", "bit", ArgumentForm::None, 0, Affinity::Integer},
    {"datetime", "datetime", ArgumentForm::None, 0, Affinity::Text},
    {"date", "datetime", ArgumentForm::None, 0, Affinity::Text},
    {"time", "datetime", ArgumentForm::None, 0, Affinity::Text},
    {"oleobject", "image", ArgumentForm::None, 0, Affinity::Blob},
    {"longbinary", "image", ArgumentForm::None, 0, Affinity::Blob},
    {"general", "image", ArgumentForm::None, 0, Affinity::Blob},
    {"guid", "uniqueidentifier", ArgumentForm::None, 0, Affinity::Text},
    {"varchar", "nvarchar", ArgumentForm::Length, 255, Affinity::Text},
}};

// SQL Server names Jet does not know.
constexpr std::array<std::string_view, 7> kNotInJet = {"bigint",      "xml",         "datetime2", "datetimeoffset",
                                                       "sql_variant", "hierarchyid", "geography"};

std::optional<TypeInfo> lookup(std::string_view lowerName, Dialect dialect) {
  if (dialect == Dialect::Jet) {
    for (const TypeInfo& t : kJetTypes)
      if (t.spelling == lowerName) return t;
    for (std::string_view n : kNotInJet)
      if (n == lowerName) return std::nullopt;
  }
  return sqlServerType(lowerName);
}

std::optional<int> toInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

Affinity affinityOf(std::string_view canonicalName) {
  const auto t = sqlServerType(canonicalName);
  return t ? t->affinity : Affinity::Blob;
}

std::optional<SqlType> resolveType(const TypeRef& ref, Dialect dialect, TypeProblem& problem) {
  std::string lower = asciiLower(ref.name);
  const std::optional<TypeInfo> info = lookup(lower, dialect);
  if (!info) {
    problem = {TypeProblem::UnknownType};
    return std::nullopt;
  }
  SqlType type;
  type.name = std::string(info->canonical);
  type.declared = ref.written;
  type.affinity = info->affinity;
  type.autoNumber = dialect == Dialect::Jet && (lower == "counter" || lower == "autoincrement");

  const auto& args = ref.args;
  switch (info->args) {
    case ArgumentForm::None:
      if (!args.empty()) {
        problem = {TypeProblem::WidthNotAllowed};
        return std::nullopt;
      }
      if (type.name == "nvarchar") type.length = 128;  // sysname
      break;
    case ArgumentForm::Length:
    case ArgumentForm::LengthOrMax: {
      // Without a length a text type holds 1 character in SQL Server and 255 in Jet.
      type.length = dialect == Dialect::Jet ? 255 : 1;
      if (args.size() > 1) {
        problem = {TypeProblem::WidthNotAllowed};
        return std::nullopt;
      }
      if (args.size() == 1) {
        if (equalsAsciiNoCase(args[0], "max")) {
          if (info->args != ArgumentForm::LengthOrMax || dialect == Dialect::Jet) {
            problem = {TypeProblem::MaxNotAllowed};
            return std::nullopt;
          }
          type.length = SqlType::kMax;
        } else {
          const auto n = toInt(args[0]);
          if (!n || *n < 1) {
            problem = {TypeProblem::WidthNotAllowed};
            return std::nullopt;
          }
          if (*n > info->maxLength) {
            problem = {TypeProblem::SizeTooLarge, *n, info->maxLength};
            return std::nullopt;
          }
          type.length = *n;
        }
      }
      break;
    }
    case ArgumentForm::PrecisionScale: {
      type.precision = 18;
      if (args.size() > 2) {
        problem = {TypeProblem::WidthNotAllowed};
        return std::nullopt;
      }
      if (!args.empty()) {
        const auto p = toInt(args[0]);
        const auto s = args.size() == 2 ? toInt(args[1]) : std::optional<int>(0);
        if (!p || !s || *p < 1 || *p > 38 || *s < 0 || *s > *p) {
          problem = {TypeProblem::WidthNotAllowed};
          return std::nullopt;
        }
        type.precision = *p;
        type.scale = *s;
      }
      break;
    }
    case ArgumentForm::Optional1:
      if (args.size() > 1 || (args.size() == 1 && !toInt(args[0]))) {
        problem = {TypeProblem::WidthNotAllowed};
        return std::nullopt;
      }
      if (args.size() == 1) type.precision = *toInt(args[0]);
      break;
  }
  return type;
}

}  // namespace db::embedded
