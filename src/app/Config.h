#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/Backend.h"

namespace app {

// The hosted SQL Server behind the "Web" choice. Nothing of it is compiled in: it comes from
// the [web] section of the configuration file.
struct HostedDatabase {
  std::string server;
  std::string catalogPrefix;
  std::string login;
  std::string password;

  // The [web] keys still missing, in the order the file documents them.
  std::vector<std::string> missingKeys() const;
};

// Backend choices made on the command line; they win over everything else.
struct BackendOverrides {
  std::optional<db::BackendConfig::Kind> kind;  // --backend
  std::optional<std::filesystem::path> dataDir;  // --data-dir (implies the embedded engine)
  std::optional<std::string> odbcDriver;         // --odbc-driver (implies ODBC)

  // What is contradictory in these choices, if anything (--data-dir and --odbc-driver
  // without --backend to say which wins).
  std::optional<std::string> conflict() const;
};

using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;
std::optional<std::string> processEnvironment(const std::string& name);

// Where the updater's settings come from, strongest first: command-line options, the
// environment (MORAV_UPDATER_BACKEND = "embedded[:DIR]" or "odbc[:DRIVER]", MORAV_DATA_DIR),
// the configuration file (MORAV_UPDATER_CONFIG, else morav-updater.ini next to the program):
//
//   [backend]  kind = embedded | odbc        data_dir = DIR (relative to the file)
//   [odbc]     sqlserver_driver = NAME       access_driver = NAME      extra = KEY=VALUE;...
//   [web]      server = HOST                 catalog_prefix = TEXT     user = LOGIN   password = TEXT
//
// and last the default: the embedded engine in $XDG_DATA_HOME/morav-updater/data
// (~/.local/share/morav-updater/data).
struct Config {
  static constexpr const char* kFileName = "morav-updater.ini";

  db::BackendConfig backend;
  HostedDatabase hosted;
  std::filesystem::path file;  // the configuration file read; empty when there was none

  // Throws db::Error (class EConfigError) for a file that cannot be read or a setting that
  // makes no sense, saying what to change.
  static Config load(const std::filesystem::path& executableDirectory, const BackendOverrides& overrides = {},
                     const EnvironmentLookup& environment = processEnvironment);

  // Where the [web] settings are read from, for messages.
  std::string hostedSettingsSource() const;
};

}  // namespace app
