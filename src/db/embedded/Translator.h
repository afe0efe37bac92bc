#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "db/embedded/SqlTypes.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

// A data statement rewritten for SQLite.
// The variables of a batch that the interpreter runs, by name in lower case with its '@', with
// the storage class of their declared type: a statement it hands on reads each as the named
// parameter variableParameter(name), bound as a number where the type is one.
using VariableNames = std::map<std::string, Affinity>;
std::string variableParameter(std::string_view variable);

struct Translation {
  std::string sql;
  std::set<std::string> systemViews;           // catalog views it reads (see SystemViews)
  std::set<std::string> names;                 // every name it mentions, lower case (tables to bring up to date)
  std::map<std::string, std::string> written;  // lower-case name -> the name as the statement wrote it
  std::map<std::string, std::string> functions;  // user functions called: lower-case name -> as written
};

// The SQLite function a call of the user function `name` becomes (see runtime/Modules).
std::string userFunctionSqlName(std::string_view name);

// Rewrites T-SQL's SELECT / INSERT / UPDATE / DELETE into SQLite's SQL, token by token:
// [names] and "names" become SQLite quoted names, the "dbo." schema and a database prefix are
// dropped, N'..' becomes '..', TOP n becomes LIMIT n, CAST and CONVERT take SQLite's storage
// classes, ISNULL becomes IFNULL, table hints WITH (NOLOCK) go, and the server's catalog views
// map onto SystemViews. SQL Server's functions that SQLite lacks are registered on the
// connection (see Functions); any other function is reported by the run as unknown.
// '+' next to a string literal becomes SQLite's '||'; between two columns it stays '+' (the
// engine does not infer types), so the "sum" of two text columns is a number there.
class Translator {
 public:
  // What a column of the statement holds, as far as its tables tell: '+' joins texts and adds
  // numbers, so the translation needs to know which it meets.
  enum class Operand { Text, Number, Date, Unknown };
  // A column's kind; for a number, its type as a conversion names it ("int", "decimal" with
  // "18,2"), empty where the statement's tables disagree.
  struct ColumnKind {
    Operand operand = Operand::Unknown;
    std::string numberType;
    std::string numberArgs;
  };
  using ColumnKinds = std::function<ColumnKind(std::string_view column)>;

  // `catalogName` is the connected catalog: a three-part name of another one is refused.
  Translator(const std::vector<Token>& tokens, Dialect dialect, std::string catalogName = {},
             const VariableNames* variables = nullptr, ColumnKinds columnKinds = {});

  Translation translate(size_t first, size_t end);

  // A view named where a table may stand becomes its query, translated by `expander`
  // (nullopt: the name is no view).
  using ViewExpander = std::function<std::optional<Translation>(std::string_view name)>;
  void expandViews(ViewExpander expander) { viewExpander_ = std::move(expander); }

 private:
  void emitRange(size_t first, size_t end, Translation& out, bool statementLevel);
  size_t emitName(size_t i, size_t end, Translation& out);
  size_t emitFunction(size_t i, size_t end, Translation& out);
  size_t matchingParen(size_t open, size_t end) const;
  std::string storageClassOf(size_t first, size_t end) const;
  std::string literalOperand(size_t first, size_t end, const std::string& translated) const;
  std::string conversionCall(const std::string& value, size_t typeFirst, size_t typeEnd, const std::string& style) const;
  void emit(Translation& out, std::string_view text);

  const std::vector<Token>& tokens_;
  Dialect dialect_;
  std::string catalogName_;
  Operand operandBefore(size_t plus, size_t first) const;
  Operand operandAfter(size_t plus, size_t end) const;
  size_t primaryEnd(size_t first, size_t end) const;
  size_t primaryStart(size_t op, size_t first) const;
  bool isScalarSubquery(size_t open, size_t first) const;
  bool yieldsOneRow(size_t select, size_t end) const;
  Operand kindOfName(size_t name) const;
  // `'text' op column` and `column op 'text'` with a number column: the text converted to the
  // column's type, as the server converts it (245 when it is no number). The tokens it took
  // from `op` on, 0 when the comparison is not of that kind.
  size_t emitTextBesideNumber(size_t op, size_t first, size_t end, Translation& out, std::map<size_t, size_t>& offsets);
  Operand kindOfVariable(const Token& variable) const;

  const VariableNames* variables_;
  ColumnKinds columnKinds_;
  std::string limit_;  // from TOP n
  ViewExpander viewExpander_;
  std::map<std::string, std::string> functionsCalled_;
  bool isTablePosition(size_t name) const;
};

// Translates one expression (a DEFAULT or a computed column) for use in SQLite's DDL; nullopt
// when it holds something SQLite's DDL cannot take.
std::optional<std::string> translateExpression(std::string_view expression, Dialect dialect);

}  // namespace db::embedded
