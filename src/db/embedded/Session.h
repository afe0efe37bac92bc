#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/embedded/CatalogStore.h"
#include "db/embedded/DataTables.h"
#include "db/embedded/Executor.h"
#include "db/embedded/Functions.h"
#include "db/embedded/HandlePool.h"
#include "db/embedded/Sqlite.h"
#include "db/embedded/SystemViews.h"
#include "db/embedded/runtime/Interpreter.h"
#include "db/embedded/runtime/Modules.h"

namespace db::embedded {

// An open embedded connection: the catalog file it reached through its connection string,
// and what runs statements on it.
class Session {
 public:
  // Opens what the ADO connection string names; throws db::Error as the provider would.
  Session(const std::filesystem::path& dataDir, const std::string& connectionString);
  ~Session();

  std::vector<std::string> tableNames();
  std::vector<std::string> columnNames(const std::string& table);
  void execute(const std::string& batch);
  Rows query(const std::string& batch, const Params& params, QueryMode mode);
  void run(const std::string& batch, const Params& params, Results& results);

 private:
  template <typename F>
  auto guarded(F&& body) -> decltype(body());

  Dialect dialect_ = Dialect::SqlServer;
  std::filesystem::path file_;
  std::optional<handlePool::FileIdentity> fileIdentity_;  // the file as it was when opened
  std::string catalogName_;
  std::unique_ptr<SqliteDb> db_;
  std::unique_ptr<CatalogStore> catalog_;
  std::unique_ptr<DataTables> data_;
  std::unique_ptr<SystemViews> views_;
  FunctionContext functions_;
  std::unique_ptr<Executor> executor_;
  std::unique_ptr<runtime::Modules> modules_;
  std::unique_ptr<runtime::Interpreter> interpreter_;

  // A batch with control of flow or variables goes to the interpreter, any other to the
  // executor alone.
  std::optional<Rows> runBatch(const std::string& batch, const Params& params, bool wantRows);
};

}  // namespace db::embedded
