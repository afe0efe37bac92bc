#include "db/embedded/Session.h"

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/embedded/HandlePool.h"
#include "db/embedded/Instance.h"
#include "db/embedded/Refusals.h"

namespace db::embedded {

namespace {

// Finds the file a connection string addresses, or fails as the provider would.
std::filesystem::path locate(const std::filesystem::path& dataDir, const ConnectionString& cs, Dialect& dialect,
                             std::string& catalogName) {
  switch (providerKind(cs)) {
    case ProviderKind::Other:
      throw Error::provider(
          "Provider cannot be found. It may not be properly installed. (The embedded engine serves "
          "SQLOLEDB and Microsoft.Jet.OLEDB.4.0, not \"" +
              cs.getOr("Provider", "") + "\".)",
          3706);
    case ProviderKind::Jet: {
      dialect = Dialect::Jet;
      const std::filesystem::path file = cs.getOr("Data Source", "");
      switch (identifyFile(file)) {
        case FileKind::Missing: throw Error::provider("Could not find file '" + file.string() + "'.", 3024);
        case FileKind::AccessFile: break;
        default: throw Error::provider("Unrecognized database format '" + file.string() + "'.", 3343);
      }
      catalogName = file.stem().string();
      return file;
    }
    case ProviderKind::SqlServer: break;
  }
  dialect = Dialect::SqlServer;
  // Blanks around the name are not part of it, as the server reads it.
  std::string name = cs.getOr("Initial Catalog", cs.getOr("Database", ""));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(name.begin());
  if (name.empty()) name = "master";
  checkCatalogName(name);
  auto file = findCatalogFile(dataDir, name);
  if (!file && isSystemCatalog(name)) {
    file = dataDir / asciiLower(name);
    createDatabaseFile(*file, Dialect::SqlServer);  // false: another connection created it first
  }
  if (!file)
    throw Error::provider("Cannot open database \"" + name + "\" requested by the login. The login failed.", 4060);
  if (identifyFile(*file) != FileKind::SqlServerCatalog)
    throw Error::provider(
        "Cannot open database \"" + name + "\": the file " + file->string() +
            " in the engine's data directory is not one of its catalogs. Move it away or open another "
            "catalog.",
        4060);
  catalogName = file->filename().string();
  return *file;
}

}  // namespace

Session::Session(const std::filesystem::path& dataDir, const std::string& connectionString) {
  file_ = locate(dataDir, ConnectionString::parse(connectionString), dialect_, catalogName_);
  const std::filesystem::path& file = file_;
  try {
    db_ = handlePool::take(file);
    if (!db_) db_ = std::make_unique<SqliteDb>(file, false);
    fileIdentity_ = handlePool::identityOf(file);
    if (!CatalogStore::isCatalog(*db_))
      throw Error::provider("The file " + file.string() + " was written by another version of the embedded engine.");
  } catch (const SqliteFailure& failure) {
    throw Error::provider("The embedded engine cannot open " + file.string() + ": " + failure.what());
  }
  catalog_ = std::make_unique<CatalogStore>(*db_);
  data_ = std::make_unique<DataTables>(*db_, *catalog_, dialect_);
  views_ = std::make_unique<SystemViews>(*db_, *catalog_, dataDir, catalogName_);
  functions_.catalogName = catalogName_;
  functions_.findObject = [this](const std::string& name) -> std::optional<std::pair<std::int64_t, std::string>> {
    const auto object = catalog_->findObject(name);
    if (!object) return std::nullopt;
    return std::make_pair(object->id, object->type);
  };
  registerFunctions(*db_, functions_);
  executor_ =
      std::make_unique<Executor>(CatalogContext{*db_, *catalog_, *data_, *views_, dialect_, catalogName_, dataDir, functions_});
  if (dialect_ == Dialect::SqlServer) {
    modules_ = std::make_unique<runtime::Modules>(*executor_, *db_, *catalog_);
    executor_->setModules(modules_.get());
  }
  interpreter_ = std::make_unique<runtime::Interpreter>(*executor_, modules_.get());
}

Session::~Session() {
  // The connection's #tables go with it; the handle is kept for the next connection.
  bool keepHandle = true;
  try {
    for (const std::string& table : catalog_->dropTemporaryTables()) data_->drop(table);
  } catch (const std::exception&) {
    keepHandle = false;  // a handle that may still hold them is not kept for another connection
  }
  // What refers to the handle goes first (the interpreter unregisters its functions on it).
  interpreter_.reset();
  if (executor_) executor_->setModules(nullptr);
  modules_.reset();
  executor_.reset();
  views_.reset();
  data_.reset();
  catalog_.reset();
  if (keepHandle) handlePool::keep(file_, fileIdentity_, std::move(db_));
}

template <typename F>
auto Session::guarded(F&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const SqliteFailure& failure) {
    if ((failure.code() & 0xFF) == SQLITE_BUSY) throw refusalsFor(dialect_).lockTimeout();
    throw Error::provider(std::string("The embedded engine failed to read its catalog: ") + failure.what());
  }
}

std::vector<std::string> Session::tableNames() {
  return guarded([&] { return catalog_->tableAndViewNames(); });
}

std::vector<std::string> Session::columnNames(const std::string& table) {
  return guarded([&] { return catalog_->columnNames(table); });
}

std::optional<Rows> Session::runBatch(const std::string& batch, const Params& params, bool wantRows) {
  // Jet has no control of flow: its form keeps refusing it in Jet's words.
  if (dialect_ == Dialect::SqlServer &&
      (interpreter_->holdsSessionState() || runtime::Interpreter::isNeededFor(batch)))
    return interpreter_->run(batch, params, wantRows);
  return executor_->run(batch, params, wantRows);
}

void Session::execute(const std::string& batch) {
  guarded([&] { runBatch(batch, {}, false); });
}

Rows Session::query(const std::string& batch, const Params& params, QueryMode mode) {
  return guarded([&] {
    auto rows = runBatch(batch, params, mode == QueryMode::Open);
    return rows ? std::move(*rows) : Rows{};
  });
}

void Session::run(const std::string& batch, const Params& params, Results& results) {
  guarded([&] {
    // The interpreter tells a batch's results apart; Jet's form runs one statement, whose rows
    // are its one result.
    if (dialect_ == Dialect::SqlServer) {
      interpreter_->run(batch, params, results);
      return;
    }
    auto rows = executor_->run(batch, params, true);
    if (rows) {
      results.addRows(rows->columns, rows->values);
      results.addCount(static_cast<std::int64_t>(rows->size()));
    } else {
      results.addCount(executor_->rowsAffected());
    }
  });
}

}  // namespace db::embedded
