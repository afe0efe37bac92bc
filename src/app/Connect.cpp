#include "app/Connect.h"

#include <fstream>

#include "app/ConnectionText.h"
#include "app/Resolution.h"
#include "app/Session.h"
#include "db/ConnectionString.h"
#include "db/Error.h"

namespace app {

namespace {

void createAccessFileIfMissing(const std::filesystem::path& file) {
  if (std::filesystem::exists(file)) return;
  if (!std::ofstream(file, std::ios::binary))
    throw db::Error("EInOutError", "Cannot create the Access file " + file.string() +
                                       ". Check that its folder exists and is writable.");
}

void createSqlServerCatalogIfMissing(Session& session) {
  const std::string catalog = initialCatalogOf(session.state.connectionString);
  if (catalog.empty()) return;
  // The existence check and the create go over the main connection on the master catalog,
  // which every instance has; the run reopens the connection on the target afterwards.
  db::Connection& main = session.mainConnection();
  if (main.isOpen()) main.close();
  main.open(withInitialCatalog(session.state.connectionString, "master"));
  const db::Rows rows = main.query({"select (name) as myname from sysdatabases where name=:p1"}, {{"p1", catalog}},
                                   db::QueryMode::Open);
  if (rows.empty()) main.execute("create database " + catalog);
  main.close();
}

}  // namespace

void createCatalogIfMissing(Session& session) {
  const auto target = db::ConnectionString::parse(session.state.connectionString);
  switch (db::providerKind(target)) {
    case db::ProviderKind::Jet: createAccessFileIfMissing(session.state.accessFilePath); return;
    case db::ProviderKind::SqlServer: createSqlServerCatalogIfMissing(session); return;
    case db::ProviderKind::Other: return;
  }
}

bool connectToTarget(Session& session) {
  session.state.cancelRun = false;
  resolveTarget(session);
  if (session.state.cancelRun) return false;
  if (session.createMissingCatalog) createCatalogIfMissing(session);
  session.reopenMainConnection();
  return true;
}

}  // namespace app
