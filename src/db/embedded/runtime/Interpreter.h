#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "db/Connection.h"
#include "db/Error.h"
#include "db/Results.h"
#include "db/embedded/Executor.h"
#include "db/embedded/runtime/Cursors.h"
#include "db/embedded/runtime/ErrorHandling.h"
#include "db/embedded/runtime/Transactions.h"
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
//
// The connection's procedural state lives here too, across its batches: its transaction
// (Transactions), its cursors, SET NOCOUNT and XACT_ABORT. TRY ... CATCH, RAISERROR, THROW,
// PRINT, transactions, cursors and dynamic SQL are in ProceduralStatements.cpp.
class Modules;

class Interpreter {
 public:
  explicit Interpreter(Executor& executor, Modules* modules = nullptr);
  ~Interpreter();

  // Whether a batch needs the interpreter rather than the executor alone: it declares or reads
  // variables, or holds a statement of control of flow.
  static bool isNeededFor(std::string_view batch);
  // Whether every batch of the connection must go through the interpreter: a transaction is
  // open, or XACT_ABORT is on.
  bool holdsSessionState() const { return transactions_.count() > 0 || transactions_.xactAbort; }

  std::optional<Rows> run(std::string_view batch, const Params& params, bool wantRows);
  // Runs a batch and hands everything it returns to `results` in order: result sets, rows
  // affected (unless NOCOUNT is on), PRINT and RAISERROR messages, the errors it went past.
  void run(std::string_view batch, const Params& params, Results& results);

  // The connection's transaction (EXEC compares @@TRANCOUNT before and after a module: 266).
  Transactions& transactions() { return transactions_; }

  // A module's frame (a procedure's, a function's, a trigger's): its parameters are its first
  // variables; `text` is the module's text, which the statements' spans index.
  struct Parameter {
    std::string name;  // @p
    const syntax::TypeName* type = nullptr;
    std::optional<std::string> value;
  };
  struct Outcome {
    std::optional<std::string> returned;  // RETURN's value, converted to `returnType`
    std::optional<Rows> rows;             // the first result set, when no Results take them
    std::map<std::string, std::optional<std::string>> values;  // the variables at the end, by lower-case name
  };
  // Checks a module's statements as its creation compiles them: variables (137), and every
  // statement bound with deferred name resolution (Executor::bind).
  void checkModule(std::string_view text, const syntax::StatementList& body, const std::vector<Parameter>& parameters);
  // `results`, when given, takes what the module returns (its caller's).
  Outcome runModule(std::string_view text, const syntax::StatementList& body, const std::vector<Parameter>& parameters,
                    bool wantRows, const std::string& returnType, Results* results = nullptr);
  Results* results() const { return results_; }

  // The value of an expression written in T-SQL, with this frame's variables.
  std::optional<std::string> evaluate(const std::string& expression);
  std::string textOf(const syntax::SourceSpan& span) const;
  // Assigns a variable of this frame (an OUTPUT argument, EXEC @rc = ...).
  void assignValue(const std::string& name, std::optional<std::string> value);

 private:
  enum class Flow { Next, Break, Continue, Return };
  // An error that a TRY block's CATCH takes, already described; and the end of a batch after
  // an error already reported.
  struct Caught {
    ErrorInfo error;
  };
  struct BatchEnded {};
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
  void runBatch(std::string_view batch, const Params& params);

  // Procedural statements (ProceduralStatements.cpp)
  void checkProcedural(const syntax::Statement& statement);
  std::optional<Flow> runProcedural(const syntax::Statement& statement);
  // What an error ends: as its number says, only its statement (a dynamic text that does not
  // compile), or the batch (THROW).
  enum class Ends { AsItsNumberSays, Statement, Batch };
  Flow onError(const Error& error, const syntax::Statement& statement, std::optional<ErrorInfo> known = {},
               Ends ends = Ends::AsItsNumberSays);
  Flow tryCatch(const syntax::TryCatchStatement& s);
  void raiserror(const syntax::RaiserrorStatement& s);
  Flow throwError(const syntax::ThrowStatement& s);
  void print(const syntax::PrintStatement& s);
  void transaction(const syntax::TransactionStatement& s);
  void setOption(const syntax::SetOptionStatement& s);
  void declareCursor(const syntax::DeclareCursorStatement& s);
  void cursorStatement(const syntax::CursorStatement& s);
  void fetch(const syntax::FetchStatement& s);
  Flow executeString(const syntax::ExecuteStringStatement& s);
  Flow executeSql(const syntax::ExecuteStatement& s);
  // EXEC sp_executesql, which the runtime runs itself.
  static bool runsText(const syntax::ExecuteStatement& s);
  // Runs `text` as a batch of its own (dynamic SQL): its own variables, the connection's
  // transaction, cursors and results. `parameters` are declared in it first, with values.
  struct DynamicParameter {
    std::string name;
    std::optional<std::string> value;
    bool output = false;
    std::string outerVariable;  // receives an OUTPUT parameter's value
  };
  // `declarations` declares the parameters (sp_executesql's list). A text that does not compile
  // is returned, not thrown: it fails the EXEC alone.
  std::optional<Error> runDynamic(const std::string& text, std::vector<DynamicParameter>& parameters,
                                  const syntax::Batch* declarations);
  void report(Message message);
  void reportCount(std::int64_t rows);
  std::string nameOrVariable(const std::string& written);

  // The executor's answers, with the batch's variables bound.
  std::optional<Rows> execute(const std::string& text, bool wantRows);
  bool isTrue(const syntax::Expression& condition);
  std::optional<std::string> valueOf(const syntax::Expression& expression);
  void checkText(const std::string& text);
  void bindParameters(const std::vector<Parameter>& parameters);
  Variable& variable(const std::string& name);
  void assign(const std::string& name, const std::string& op, const syntax::Expression& value);

  Executor& executor_;
  Modules* modules_;
  bool binding_ = false;    // checking a module being created: names are bound too
  bool inModule_ = false;   // RETURN may carry a value
  std::string returnType_;  // what RETURN's value becomes
  std::optional<std::string> returned_;
  Transactions transactions_;
  ErrorFunctions errorFunctions_;
  Cursors cursors_;
  Results* results_ = nullptr;  // where a batch's results go, when the caller wants them
  bool noCount_ = false;        // SET NOCOUNT
  int tryDepth_ = 0;            // TRY blocks being run
  int catchDepth_ = 0;          // CATCH blocks being checked
  std::int64_t fetchStatus_ = -1;  // @@FETCH_STATUS of the connection's last FETCH
  std::string_view batch_;
  Params callerParams_;
  std::map<std::string, Variable> variables_;  // by lower-case name
  VariableNames declared_;
  bool wantRows_ = false;
  std::optional<Rows> rows_;
  std::optional<Error> firstError_;
};

}  // namespace db::embedded::runtime
