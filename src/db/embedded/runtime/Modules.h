#pragma once

#include <sqlite3.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "db/embedded/CatalogStore.h"
#include "db/embedded/Executor.h"
#include "db/embedded/ModuleHooks.h"
#include "db/embedded/Sqlite.h"
#include "db/embedded/syntax/SyntaxTree.h"

namespace db::embedded::runtime {

class Interpreter;

// Views, scalar functions, procedures and triggers: read and checked when created, as SQL Server
// compiles them (views bound strictly; the others with deferred name resolution), and run when
// used, each call in a frame of its own (an Interpreter) over the connection's executor.
// - A view is read as its query wherever a statement names it (Executor::viewExpander).
// - A call dbo.F(...) is a SQLite function that calls back into the interpreter.
// - EXEC binds arguments to parameters by position and by name, with defaults and OUTPUT.
// - AFTER triggers: SQLite records the rows a statement changes in temporary tables; after the
//   statement, inside its transaction, the trigger runs once with them as `inserted` and
//   `deleted`.
class Modules : public ModuleHooks {
 public:
  Modules(Executor& executor, SqliteDb& db, CatalogStore& catalog);
  ~Modules() override;
  Modules(const Modules&) = delete;
  Modules& operator=(const Modules&) = delete;

  std::vector<ColumnInfo> checkModule(const CreateModule& module) override;
  std::optional<Rows> execute(std::string_view text, const Params& params, bool wantRows) override;
  void prepareFunctions(const std::map<std::string, std::string>& functions) override;
  std::optional<ViewQuery> viewQuery(std::string_view name) override;
  std::vector<std::string> armTriggers(const std::set<std::string>& names, Change change,
                                       const std::string& target) override;
  void fireTriggers(const std::vector<std::string>& tables, Change change) override;

  // EXEC from a frame: the caller's variables take the OUTPUT arguments and the return code.
  std::optional<Rows> execute(Interpreter& caller, const syntax::ExecuteStatement& exec, bool wantRows);

  // The informational messages of the statements run so far (the server's warning 2007 when a
  // procedure calls one that does not exist yet), oldest first. Whoever shows a batch's
  // messages takes them from here.
  std::vector<std::string> takeMessages();

  // A call of a user function from SQL (see prepareFunctions).
  void callFunction(sqlite3_context* context, const std::string& name, int argc, sqlite3_value** argv);

 private:
  // A module's text read into its tree, kept while its definition stays the same.
  struct Parsed {
    std::string definition;
    syntax::Batch batch;
    const syntax::Statement& statement() const { return *batch.statements.front(); }
  };
  std::shared_ptr<const Parsed> parsed(const ObjectInfo& object);
  std::shared_ptr<const Parsed> parse(const std::string& definition) const;

  std::vector<ColumnInfo> checkView(const syntax::CreateViewStatement& view, const std::string& text);
  void checkFunction(const syntax::CreateFunctionStatement& function, const std::string& text);
  void checkProcedure(const syntax::CreateProcedureStatement& procedure, const std::string& text);
  void checkTrigger(const syntax::CreateTriggerStatement& trigger, const std::string& text);

  // One level deeper for the duration of a call; 217 past 32 levels.
  struct Nesting {
    explicit Nesting(int& depth);
    ~Nesting() { --depth_; }
    int& depth_;
  };

  void registerFunction(const std::string& name);
  std::optional<std::string> argumentOf(sqlite3_value* value, const SqlType& type);
  struct FunctionSlot {
    Modules* modules;
    std::string name;  // lower case
  };

  Executor& executor_;
  SqliteDb& db_;
  CatalogStore& catalog_;
  std::map<std::int64_t, std::shared_ptr<const Parsed>> parsed_;
  std::map<std::string, std::unique_ptr<FunctionSlot>> registered_;  // by SQLite function name
  std::vector<std::string> messages_;
  int depth_ = 0;
  int functionDepth_ = 0;
  std::string creating_;
  std::string altering_;  // the view being altered, which its new query may not reach  // the function being created, which its body may call  // a function runs now: it may call no procedure (557)
  // Triggers: the tables whose triggers run now (a trigger does not fire itself again, as with
  // the server's RECURSIVE_TRIGGERS OFF), the statement's target, and the `inserted` and
  // `deleted` of outer firings, put aside while an inner one runs.
  std::set<std::string> firing_;
  std::string target_;
  int firingDepth_ = 0;
};

}  // namespace db::embedded::runtime
