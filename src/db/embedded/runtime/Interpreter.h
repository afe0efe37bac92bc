#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "db/Connection.h"
#include "db/Error.h"
#include "db/embedded/Executor.h"
#include "db/embedded/syntax/SyntaxTree.h"

namespace db::embedded::runtime {

// Runs T-SQL batches with control of flow and variables: IF ... ELSE, BEGIN ... END, WHILE,
// BREAK, CONTINUE, RETURN, DECLARE, SET @v, SELECT @v = ..., PRINT, and UPDATE's
// "SET @v = column = @v + n" numbering. The batch is read whole by the syntax layer first, so a
// syntax error runs nothing. Every other statement, and every condition and value, is handed
// to the executor as its text, with the batch's variables bound as parameters: SQLite does the
// relational work, the interpreter the procedural part.
//
// Errors as SQL Server has them: the ones that end only their statement (a duplicate key, a
// foreign key, a NULL or a text too long for its column, a subquery of several rows, a
// division by zero) let the batch go on; any other ends it. Either way the caller receives
// the first.
class Interpreter {
 public:
  explicit Interpreter(Executor& executor) : executor_(executor) {}

  // Whether a batch needs the interpreter rather than the executor alone: it declares or reads
  // variables, or holds a statement of control of flow.
  static bool isNeededFor(std::string_view batch);

  std::optional<Rows> run(std::string_view batch, const Params& params, bool wantRows);

 private:
  enum class Flow { Next, Break, Continue, Return };
  struct Variable {
    std::string type;                  // as declared
    std::optional<std::string> value;  // NULL when absent
  };

  void check(const syntax::StatementList& statements);
  void check(const syntax::Statement& statement);
  Flow runList(const syntax::StatementList& statements);
  Flow runStatement(const syntax::Statement& statement);
  void declare(const syntax::DeclareStatement& s);
  void setVariable(const syntax::SetVariableStatement& s);
  void assignFromSelect(const syntax::SelectStatement& s);
  void numberRows(const syntax::UpdateStatement& s);
  void handOn(const syntax::Statement& s);
  void resetVariables();
  void afterStatement(std::int64_t rows, int error);

  // The executor's answers, with the batch's variables bound.
  std::optional<Rows> execute(const std::string& text, bool wantRows);
  bool isTrue(const syntax::Expression& condition);
  std::optional<std::string> valueOf(const syntax::Expression& expression);
  std::string textOf(const syntax::SourceSpan& span) const;
  Variable& variable(const std::string& name);
  void assign(const std::string& name, const std::string& op, const syntax::Expression& value);

  Executor& executor_;
  std::string_view batch_;
  Params callerParams_;
  std::map<std::string, Variable> variables_;  // by lower-case name
  VariableNames declared_;
  bool wantRows_ = false;
  std::optional<Rows> rows_;
  std::optional<Error> firstError_;
};

}  // namespace db::embedded::runtime
