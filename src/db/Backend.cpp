#include "db/Backend.h"

#include "db/Error.h"
#include "db/ConnectionString.h"
#include "db/embedded/EmbeddedConnection.h"
#include "db/embedded/Instance.h"
#include "db/embedded/Snapshot.h"
#ifdef MORAV_HAVE_ODBC
#include "db/odbc/OdbcConnection.h"
#endif

namespace db {

std::string BackendConfig::describe() const {
  if (kind == Kind::Embedded)
    return "embedded engine, data directory " + dataDir.string() + " (" + origin + ")";
  return "ODBC, SQL Server driver \"" + odbcSqlServerDriver + "\", Access driver \"" + odbcAccessDriver +
         "\" (" + origin + ")";
}

std::unique_ptr<Connection> makeConnection(const BackendConfig& config, std::string role) {
  if (config.kind == BackendConfig::Kind::Embedded)
    return std::make_unique<embedded::EmbeddedConnection>(config.dataDir, std::move(role));
#ifdef MORAV_HAVE_ODBC
  return std::make_unique<odbc::OdbcConnection>(config, std::move(role));
#else
  throw Error("EConfigError", "This build has no ODBC provider; install unixODBC (scripts/setup) and rebuild.");
#endif
}

TargetCopy copyTarget(const BackendConfig& config, const std::string& connectionString,
                      const std::filesystem::path& scratch) {
  if (config.kind != BackendConfig::Kind::Embedded)
    throw Error("EConfigError",
                "plan and check work on the embedded engine's catalogs in this version; through ODBC, copy the "
                "database to an embedded catalog first (or run on a test server).");
  TargetCopy copy{config, std::nullopt};
  copy.config.dataDir = scratch;
  const ConnectionString cs = ConnectionString::parse(connectionString);
  if (providerKind(cs) == ProviderKind::Jet) {
    const std::filesystem::path file = cs.getOr("Data Source", "");
    if (!std::filesystem::exists(file)) throw Error::provider("Could not find file '" + file.string() + "'.", 3024);
    copy.accessFile = scratch / file.filename();
    embedded::copyDatabaseFile(file, *copy.accessFile);
    return copy;
  }
  std::string catalog = cs.getOr("Initial Catalog", cs.getOr("Database", "master"));
  for (const std::string& name : {catalog, std::string("master"), std::string("BenvoAssistant")}) {
    const auto file = embedded::findCatalogFile(config.dataDir, name);
    if (!file) {
      if (name == catalog)
        throw Error::provider("Cannot open database \"" + name + "\" requested by the login. The login failed.", 4060);
      continue;
    }
    if (!std::filesystem::exists(scratch / file->filename())) embedded::copyDatabaseFile(*file, scratch / file->filename());
  }
  return copy;
}

void createAccessFile(const BackendConfig& config, const std::filesystem::path& file) {
  if (config.kind == BackendConfig::Kind::Embedded) return embedded::EmbeddedConnection::createAccessFile(file);
  throw Error("EConfigError", "The ODBC provider cannot create an Access file; create " + file.string() +
                                  " with Access (or use the embedded engine).");
}

}  // namespace db
