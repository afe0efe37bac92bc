#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

// How the rows of a column are stored in SQLite.
enum class Affinity { Integer, Numeric, Real, Text, Blob };
const char* affinityName(Affinity affinity);  // "INTEGER", "NUMERIC", ...

// A type as a statement writes it, before it is checked: "nvarchar(50)" is name "nvarchar"
// with argument "50"; "nvarchar(max)" has argument "max".
struct TypeRef {
  std::string name;               // as written ("Integer", "double precision")
  std::vector<std::string> args;  // as written, without blanks
  std::string written;            // the whole type text as written, e.g. "nvarchar(50)"
};

// A checked type. `name` is the engine's canonical name ("int", "nvarchar", "ntext", ...),
// so that two spellings of one type compare equal; `declared` is the text as written.
struct SqlType {
  std::string name;
  std::string declared;
  int length = 0;  // character or byte length; kMax for (max); 0 when the type has none
  int precision = 0;
  int scale = 0;
  bool autoNumber = false;  // Jet's COUNTER / AUTOINCREMENT: an identity column
  Affinity affinity = Affinity::Text;

  static constexpr int kMax = -1;

  bool isVariableLength() const { return name == "varchar" || name == "nvarchar" || name == "varbinary"; }
  // text, ntext, image and the (max) types: values too large for an index key.
  bool isLargeObject() const;
  // int, bigint, smallint, tinyint, or decimal/numeric with scale 0.
  bool canBeIdentity() const;
  // SQL Server's exception for indexed columns: same variable-length type, size not reduced.
  bool widens(const SqlType& before) const;
};

// Why a type text cannot be used; the caller words the refusal.
struct TypeProblem {
  enum Kind { UnknownType, WidthNotAllowed, SizeTooLarge, MaxNotAllowed } kind;
  int size = 0;     // SizeTooLarge: the size given
  int maximum = 0;  // SizeTooLarge: the type's limit
};

// Checks a type against the dialect's vocabulary: SQL Server's types, or Jet's types plus the
// common SQL Server names (the updater sends its SQL Server type texts to Access files too).
// Returns the type, or the problem through `problem`.
std::optional<SqlType> resolveType(const TypeRef& ref, Dialect dialect, TypeProblem& problem);

// The storage affinity of a canonical type name (as kept in the catalog).
Affinity affinityOf(std::string_view canonicalName);

}  // namespace db::embedded
