#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "db/Connection.h"

namespace db {

// Which provider stands behind "SQL Server" and "Access" connection strings.
struct BackendConfig {
  enum class Kind { Embedded, Odbc };
  Kind kind = Kind::Embedded;

  // Embedded engine: the instance's data directory (one file per catalog).
  std::filesystem::path dataDir;

  // ODBC: the driver names for SQL Server and Access targets, and extra keywords
  // appended to every ODBC connection string (for example "Encrypt=no").
  std::string odbcSqlServerDriver;
  std::string odbcAccessDriver;
  std::string odbcExtraKeywords;

  // Where the choice came from ("default", "--data-dir", "MORAV_UPDATER_BACKEND", an ini path):
  // shown to the operator.
  std::string origin = "default";

  std::string describe() const;
};

// A new, closed connection of the configured provider with the given role name.
std::unique_ptr<Connection> makeConnection(const BackendConfig& config, std::string role);

// Creates a new, empty Access database file that the configured provider can open.
// Throws db::Error when the file exists or the provider cannot create one.
void createAccessFile(const BackendConfig& config, const std::filesystem::path& file);

}  // namespace db
