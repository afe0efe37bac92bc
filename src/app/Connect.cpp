#include "app/Connect.h"

#include "app/ConnectionText.h"
#include "app/Resolution.h"
#include "app/Session.h"
#include "assistant/AssistantSetup.h"
#include "db/Backend.h"
#include "db/ConnectionString.h"
#include "db/Error.h"

namespace app {

namespace {

void createAccessFileIfMissing(const db::BackendConfig& backend, const std::filesystem::path& file) {
  if (!std::filesystem::exists(file)) db::createAccessFile(backend, file);
}

// The existence check and the create go over the connection itself, on the master catalog
// that every instance has; the connection is left closed for the caller to reopen.
void createSqlServerCatalogIfMissing(db::Connection& connection, const std::string& connectionString) {
  const std::string catalog = initialCatalogOf(connectionString);
  if (catalog.empty()) return;
  if (connection.isOpen()) connection.close();
  connection.open(withInitialCatalog(connectionString, "master"));
  const db::Rows rows =
      connection.query({assistant::kExistenceQuery}, {{"p1", catalog}},
                       db::QueryMode::Open);
  if (rows.empty()) connection.execute("create database " + catalog);
  connection.close();
}

}  // namespace

void createCatalogIfMissing(Session& session) {
  const auto target = db::ConnectionString::parse(session.state.connectionString);
  switch (db::providerKind(target)) {
    case db::ProviderKind::Jet:
      createAccessFileIfMissing(session.config().backend, session.state.accessFilePath);
      return;
    case db::ProviderKind::SqlServer:
      createSqlServerCatalogIfMissing(session.mainConnection(), session.state.connectionString);
      return;
    case db::ProviderKind::Other: return;
  }
}

bool connectToTarget(Session& session, std::unique_ptr<db::TargetLock>* upgradeLock) {
  session.state.cancelRun = false;
  resolveTarget(session);
  if (session.state.cancelRun) return false;
  if (upgradeLock) *upgradeLock = session.lockForUpgrade(session.state.connectionString);
  if (session.createMissingCatalog) createCatalogIfMissing(session);
  session.reopenMainConnection();
  return true;
}

}  // namespace app
