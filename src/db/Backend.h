#pragma once

#include <filesystem>
#include <memory>
#include <optional>
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

// A copy of a target to try a run on (plan, check): the backend that reaches the copy and, for
// an Access target, the copied file.
struct TargetCopy {
  BackendConfig config;
  std::optional<std::filesystem::path> accessFile;
};

// Copies the database `connectionString` addresses (and, for SQL Server, the instance's master
// and BenvoAssistant catalogs, which runs also open) into the empty directory `scratch`, leaving
// the target untouched. Throws db::Error as opening the target would when it is missing, and
// for providers that cannot copy a target (ODBC: not yet).
TargetCopy copyTarget(const BackendConfig& config, const std::string& connectionString,
                      const std::filesystem::path& scratch);

// Creates a new, empty Access database file that the configured provider can open.
// Throws db::Error when the file exists or the provider cannot create one.
void createAccessFile(const BackendConfig& config, const std::filesystem::path& file);

}  // namespace db
