#include "db/Backend.h"

#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"
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

void createAccessFile(const BackendConfig& config, const std::filesystem::path& file) {
  if (config.kind == BackendConfig::Kind::Embedded) return embedded::EmbeddedConnection::createAccessFile(file);
  throw Error("EConfigError", "The ODBC provider cannot create an Access file; create " + file.string() +
                                  " with Access (or use the embedded engine).");
}

}  // namespace db
