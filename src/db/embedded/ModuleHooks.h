#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "db/embedded/Ast.h"
#include "db/embedded/CatalogStore.h"

namespace db::embedded {

// What the executor asks of the runtime's modules (runtime/Modules): it runs data statements
// and keeps the catalog, the modules run T-SQL. The runtime sits above the executor, so the
// executor reaches it through this interface.
class ModuleHooks {
 public:
  virtual ~ModuleHooks() = default;

  // Reads and checks a module's text before the catalog records it, as the server compiles it
  // at creation; for a view, returns its columns (names and types as they bind now).
  virtual std::vector<ColumnInfo> checkModule(const CreateModule& module) = 0;

  // Runs an EXEC statement (its text, to the end of the batch).
  virtual std::optional<Rows> execute(std::string_view text, const Params& params, bool wantRows) = 0;

  // Makes the user functions a statement calls known to SQLite, by lower-case name with the
  // name as written; refuses a call of a function that does not exist (4121).
  virtual void prepareFunctions(const std::map<std::string, std::string>& functions) = 0;

  // The query text of a view (its SELECT, WITH included), with the view's column names when
  // it declares them; nullopt when `name` is no view.
  struct ViewQuery {
    std::string text;
    std::vector<std::string> columns;
  };
  virtual std::optional<ViewQuery> viewQuery(std::string_view name) = 0;

  // Triggers. Before a change, inside its transaction: the tables among the names a statement
  // mentions (lower case) whose AFTER triggers wait on this kind of change; the rows the
  // statement changes in them are recorded from then on. `target` is the table the statement
  // names as its target, when it names one and not an alias. After the change, still inside
  // its transaction, fireTriggers runs them with `inserted` and `deleted`; an error there ends
  // the statement, whose changes the caller then rolls back.
  enum class Change { Insert, Update, Delete };
  virtual std::vector<std::string> armTriggers(const std::set<std::string>& names, Change change,
                                               const std::string& target) = 0;
  virtual void fireTriggers(const std::vector<std::string>& tables, Change change) = 0;
};

}  // namespace db::embedded
