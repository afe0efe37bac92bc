#include "db/embedded/SqlTypes.h"

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

enum class Args {
  None,         // int, money, ...
  Length,       // char(n), binary(n): 1..max
  LengthOrMax,  // varchar(n|max), nvarchar(n|max), varbinary(n|max)
  PrecScale,    // decimal(p[,s])
  Optional1,    // float(n), datetime2(n), time(n): one optional small number
};

struct TypeInfo {
  std::string_view spelling;  // lower case, as a statement may write it
  std::string_view canonical;
  Args args;
  int maxLength;  // Length / LengthOrMax: the largest n
  Affinity affinity;
};

// SQL Server's system types and their synonyms.
constexpr std::array<TypeInfo, 38> kSqlServerTypes = {{
    {"int", "int", Args::None, 0, Affinity::Integer},
    {"integer", "int", Args::None, 0, Affinity::Integer},
    {"bigint", "bigint", Args::None, 0, Affinity::Integer},
    {"smallint", "smallint", Args::None, 0, Affinity::Integer},
    {"tinyint", "tinyint", Args::None, 0, Affinity::Integer},
    {"bit", "bit", Args::None, 0, Affinity::Integer},
    {"money", "money", Args::None, 0, Affinity::Numeric},
    {"smallmoney", "smallmoney", Args::None, 0, Affinity::Numeric},
    {"decimal", "decimal", Args::PrecScale, 0, Affinity::Numeric},
    {"dec", "decimal", Args::PrecScale, 0, Affinity::Numeric},
    {"numeric", "numeric", Args::PrecScale, 0, Affinity::Numeric},
    {"float", "float", Args::Optional1, 0, Affinity::Real},
    {"double precision", "float", Args::None, 0, Affinity::Real},
    {"real", "real", Args::None, 0, Affinity::Real},
    {"char", "char", Args::Length, 8000, Affinity::Text},
    {"character", "char", Args::Length, 8000, Affinity::Text},
    {"varchar", "varchar", Args::LengthOrMax, 8000, Affinity::Text},
    {"nchar", "nchar", Args::Length, 4000, Affinity::Text},
    {"nvarchar", "nvarchar", Args::LengthOrMax, 4000, Affinity::Text},
    {"text", "text", Args::None, 0, Affinity::Text},
    {"ntext", "ntext", Args::None, 0, Affinity::Text},
    {"xml", "xml", Args::None, 0, Affinity::Text},
    {"sysname", "nvarchar", Args::None, 0, Affinity::Text},
    {"binary", "binary", Args::Length, 8000, Affinity::Blob},
    {"varbinary", "varbinary", Args::LengthOrMax, 8000, Affinity::Blob},
    {"image", "image", Args::None, 0, Affinity::Blob},
    {"timestamp", "timestamp", Args::None, 0, Affinity::Blob},
    {"rowversion", "timestamp", Args::None, 0, Affinity::Blob},
    {"date", "date", Args::None, 0, Affinity::Text},
    {"datetime", "datetime", Args::None, 0, Affinity::Text},
    {"smalldatetime", "smalldatetime", Args::None, 0, Affinity::Text},
    {"datetime2", "datetime2", Args::Optional1, 0, Affinity::Text},
    {"datetimeoffset", "datetimeoffset", Args::Optional1, 0, Affinity::Text},
    {"time", "time", Args::Optional1, 0, Affinity::Text},
    {"uniqueidentifier", "uniqueidentifier", Args::None, 0, Affinity::Text},
    {"sql_variant", "sql_variant", Args::None, 0, Affinity::Blob},
    {"hierarchyid", "hierarchyid", Args::None, 0, Affinity::Blob},
    {"geography", "geography", Args::None, 0, Affinity::Blob},
}};

// Jet's own type names, mapped onto the SQL Server type that holds the same values.
// TEXT takes a length in Jet (TEXT(50) is a short text); MEMO is the long one.
constexpr std::array<TypeInfo, 21> kJetTypes = {{
    {"text", "nvarchar", Args::Length, 255, Affinity::Text},
    {"memo", "ntext", Args::None, 0, Affinity::Text},
    {"longtext", "ntext", Args::None, 0, Affinity::Text},
    {"long", "int", Args::None, 0, Affinity::Integer},
    {"short", "smallint", Args::None, 0, Affinity::Integer},
    {"byte", "tinyint", Args::None, 0, Affinity::Integer},
    {"single", "real", Args::None, 0, Affinity::Real},
    {"double", "float", Args::None, 0, Affinity::Real},
    {"currency", "money", Args::None, 0, Affinity::Numeric},
    {"counter", "int", Args::None, 0, Affinity::Integer},
    {"autoincrement", "int", Args::None, 0, Affinity::Integer},
    {"yesno", "bit", Args::None, 0, Affinity::Integer},
    {"logical", "bit", Args::None, 0, Affinity::Integer},
    {"datetime", "datetime", Args::None, 0, Affinity::Text},
    {"date", "datetime", Args::None, 0, Affinity::Text},
    {"time", "datetime", Args::None, 0, Affinity::Text},
    {"oleobject", "image", Args::None, 0, Affinity::Blob},
    {"longbinary", "image", Args::None, 0, Affinity::Blob},
    {"general", "image", Args::None, 0, Affinity::Blob},
    {"guid", "uniqueidentifier", Args::None, 0, Affinity::Text},
    {"varchar", "nvarchar", Args::Length, 255, Affinity::Text},
}};

// SQL Server names Jet does not know.
constexpr std::array<std::string_view, 7> kNotInJet = {"bigint",      "xml",         "datetime2", "datetimeoffset",
                                                       "sql_variant", "hierarchyid", "geography"};

const TypeInfo* lookup(std::string_view lowerName, Dialect dialect) {
  if (dialect == Dialect::Jet) {
    for (const TypeInfo& t : kJetTypes)
      if (t.spelling == lowerName) return &t;
    for (std::string_view n : kNotInJet)
      if (n == lowerName) return nullptr;
  }
  for (const TypeInfo& t : kSqlServerTypes)
    if (t.spelling == lowerName) return &t;
  return nullptr;
}

std::optional<int> toInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

Affinity affinityOf(std::string_view canonicalName) {
  for (const TypeInfo& t : kSqlServerTypes)
    if (t.canonical == canonicalName) return t.affinity;
  return Affinity::Blob;
}

std::optional<SqlType> resolveType(const TypeRef& ref, Dialect dialect, TypeProblem& problem) {
  std::string lower = asciiLower(ref.name);
  const TypeInfo* info = lookup(lower, dialect);
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
    case Args::None:
      if (!args.empty()) {
        problem = {TypeProblem::WidthNotAllowed};
        return std::nullopt;
      }
      if (type.name == "nvarchar") type.length = 128;  // sysname
      break;
    case Args::Length:
    case Args::LengthOrMax: {
      // Without a length a text type holds 1 character in SQL Server and 255 in Jet.
      type.length = dialect == Dialect::Jet ? 255 : 1;
      if (args.size() > 1) {
        problem = {TypeProblem::WidthNotAllowed};
        return std::nullopt;
      }
      if (args.size() == 1) {
        if (equalsAsciiNoCase(args[0], "max")) {
          if (info->args != Args::LengthOrMax || dialect == Dialect::Jet) {
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
    case Args::PrecScale: {
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
    case Args::Optional1:
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
