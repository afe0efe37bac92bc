#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "db/Connection.h"

namespace db::embedded {

class Session;  // the engine's per-connection state (engine internals)

// A connection to the embedded engine: a file-backed stand-in for a SQL Server instance
// whose catalogs are files in `dataDir` ("Initial Catalog=X" opens the catalog X; "master"
// always exists), and for an Access file named by a Jet connection string's Data Source.
//
// The engine, on SQLite (one file per catalog):
//   syntax/ (tokens, the T-SQL syntax tree and its parser), types/ (SQL Server's types, values,
//   conversions, operators, collation and built-in functions), runtime/ (the interpreter of
//   batches with control of flow and variables), and the executor: Parser (Ast.h) ->
//   Executor, which keeps its own catalog (CatalogStore, hidden tables) and the rows
//   (DataTables, real SQLite tables); data statements are rewritten for SQLite by Translator,
//   with SystemViews, Functions and ServerFunctions for the server's catalog views, functions and
//   conversions. Refusals words every refusal as the server does; Instance knows the files;
//   TestHooks injects faults. Each statement commits on its own (WAL, full sync).
// Not run yet (refused with a message that says so): table variables, #tables, EXEC of a
// procedure; views, procedures, functions and triggers are stored with their text only.
class EmbeddedConnection : public Connection {
 public:
  EmbeddedConnection(std::filesystem::path dataDir, std::string role = "main");
  ~EmbeddedConnection() override;

  const std::filesystem::path& dataDir() const { return dataDir_; }

  // Creates an empty Access file at `file` (what a product's set-up would ship), to be opened
  // with "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>". Throws db::Error if it exists.
  static void createAccessFile(const std::filesystem::path& file);

 protected:
  void doOpen(const std::string& connectionString) override;
  void doClose() override;
  bool doIsOpen() const override;
  void doExecute(const std::string& text) override;
  std::vector<std::string> doTableNames() override;
  std::vector<std::string> doColumnNames(const std::string& table) override;
  Rows doQuery(const std::string& batch, const Params& params, QueryMode mode) override;
  void doRun(const std::string& batch, const Params& params, Results& results) override;

 private:
  // Counts the call for the test hooks (TestHooks.h) and applies an injected fault.
  void injectFaults(bool opening);
  Session& session();  // the open session, or the closed-connection error

  std::filesystem::path dataDir_;
  std::unique_ptr<Session> session_;
};

}  // namespace db::embedded
