#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "db/embedded/Ast.h"
#include "db/embedded/CatalogStore.h"
#include "db/embedded/DataTables.h"
#include "db/embedded/Functions.h"
#include "db/embedded/ModuleHooks.h"
#include "db/embedded/Refusals.h"
#include "db/embedded/Sqlite.h"
#include "db/embedded/SystemViews.h"
#include "db/embedded/Translator.h"

namespace db::embedded {

// What the executor works on: one open catalog file.
struct CatalogContext {
  SqliteDb& db;
  CatalogStore& catalog;
  DataTables& data;
  SystemViews& views;
  Dialect dialect;
  std::string catalogName;
  std::filesystem::path dataDir;
  FunctionContext& session;  // the connection's IDENTITY_INSERT and last identity value
};

// Runs batches: parses the whole batch first (a syntax error runs nothing), then runs its
// statements in order, each committed on its own, stopping at the first refusal. To add a
// statement kind: a node in Ast.h, its parsing in Parser, and a run() overload here.
class Executor {
 public:
  explicit Executor(CatalogContext context);

  // The rows of the first statement that returns rows, when `wantRows`. `variables`, when
  // given, are the variables of an interpreted batch that `batch` may read (see Translator).
  std::optional<Rows> run(std::string_view batch, const Params& params, bool wantRows,
                          const VariableNames* variables = nullptr);
  // The rows the last statement run changed, or returned (@@ROWCOUNT).
  std::int64_t rowsAffected() const { return rowsAffected_; }
  // SET IDENTITY_INSERT [schema.]table ON | OFF: on for one table of the connection at a time.
  void setIdentityInsert(const std::string& schema, const std::string& table, bool on);
  // The catalog's handle: the runtime's transactions and functions work on it.
  SqliteDb& database() const { return ctx_.db; }
  // Refuses, without running anything, what run() would refuse before running.
  void check(std::string_view batch, const VariableNames* variables = nullptr) const;
  // Binds the data statements of `batch` against the catalog without running them, as the
  // server compiles a module's statement when it is created: a statement that names a missing
  // table is left for when it runs (deferred name resolution); any other name it cannot bind
  // refuses it (207, 4121 ...). Needs a write transaction open (stale tables are made).
  void bind(std::string_view batch, const VariableNames* variables);

  // Binds a query strictly, as a view's creation does (every table, view, column and function
  // it names must exist), and returns it prepared, not run, for its columns. Needs a write
  // transaction open.
  Stmt prepareQuery(std::string_view query);

  // Views, user functions, procedures and triggers are the runtime's (runtime/Modules).
  void setModules(ModuleHooks* hooks) { hooks_ = hooks; }

 private:
  void run(const CreateTable& s);
  void run(const AddToTable& s);
  void run(const AlterColumn& s);
  void run(const DropColumns& s);
  void run(const DropConstraints& s);
  void run(const DropObjects& s);
  void run(const CreateDatabase& s);
  void run(const CreateIndex& s);
  void run(const DropIndex& s);
  void run(const CreateModule& s);
  std::optional<Rows> run(const ExecProcedure& s, const Params& params, bool wantRows);
  void run(const Unsupported& s);
  void refuseIfCannotRun(const Statement& statement) const;
  Translator::ColumnKinds columnKinds(const std::vector<Token>& tokens, size_t first, size_t end) const;
  std::optional<Rows> run(const DataStatement& s, const std::vector<Token>& tokens, const Params& params,
                          bool wantRows, const VariableNames* variables);

  // Names
  std::string localName(const ObjectName& name) const;
  // The table an ALTER names, as the catalog has it now; refused when there is none.
  TableInfo tableToAlter(const ObjectName& table) const;
  void checkNewObjectName(std::string_view name) const;
  std::string generatedName(std::string_view prefix, std::string_view table, std::string_view column);

  // Columns and constraints
  SqlType resolve(const TypeRef& type, int position) const;
  ColumnInfo columnFrom(const ColumnDef& def, int position, bool inPrimaryKey) const;
  void checkComputed(const ColumnInfo& column, const std::vector<ColumnInfo>& columns) const;
  void checkRunnable(const TableInfo& table) const;
  void addConstraint(TableInfo& table, const TableConstraint& constraint, bool tableExisted);
  void checkForeignKey(const TableInfo& table, const TableConstraint& c, const std::string& name, bool tableExisted);
  // The constraints a statement declares, with its columns (defaults included) and for the table.
  void addConstraints(TableInfo& table, const std::vector<ColumnDef>& columns,
                      const std::vector<TableConstraint>& constraints, bool tableExisted);
  std::vector<Dependent> dependentsOf(const TableInfo& table, const ColumnInfo& column, bool dropping,
                                      const SqlType* newType) const;

  // Rows
  bool hasRows(const TableInfo& table);
  void markStale(const TableInfo& table);
  // Stale tables (see DataTables) among the names a data statement mentions; bringing them up
  // to date needs a write transaction open.
  std::vector<std::string> staleTablesAmong(const std::set<std::string>& names);
  void bringUpToDate(const std::set<std::string>& names);
  // `lastToken`, when known, is the statement's last token: an incomplete statement is
  // refused near it, as the server does.
  Error refusalFor(const SqliteFailure& failure, const Translation* translation, DataStatement::Kind kind,
                   const Token* lastToken = nullptr);
  Rows readRows(Stmt& stmt);
  // Views named in a statement become their queries, nested ones `depth` levels down.
  Translator::ViewExpander viewExpander(int depth) const;
  Translation translateData(const std::vector<Token>& tokens, const DataStatement& s,
                            const VariableNames* variables) const;

  CatalogContext ctx_;
  const Refusals& refusals_;
  std::int64_t rowsAffected_ = 0;
  ModuleHooks* hooks_ = nullptr;
};

}  // namespace db::embedded
