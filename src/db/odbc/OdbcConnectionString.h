#pragma once

#include <string>
#include <string_view>

#include "db/Backend.h"

namespace db::odbc {

// The families of ODBC drivers whose keywords differ, told apart by the configured name.
enum class DriverFamily {
  Microsoft,  // "ODBC Driver 17/18 for SQL Server" and any other name: Server=tcp:host,port
  FreeTds,    // a name containing "FreeTDS": Server=host;Port=port
  Sqlite,     // a name containing "SQLite": tests and demonstrations only (see below)
};
DriverFamily driverFamily(std::string_view driverName);

// A value as an ODBC connection-string value: braced, with '}' doubled, when it holds ';',
// '{' or '}' or begins or ends with a blank; otherwise as it is.
std::string odbcValue(std::string_view value);

// The ODBC connection string for one of the system's ADO connection strings, by the
// configuration's driver names and extra keywords. Throws db::Error (class EConfigError)
// saying what to configure when the target needs a driver that is not configured, or when the
// string names a provider other than SQL Server's or Access's.
//
// SQL Server (SQLOLEDB or no provider): Data Source "host", "host\instance" or "host,port"
// (none, "." or "(local)": the local default instance, "localhost") becomes the server,
// Initial Catalog the database, Integrated Security=SSPI a trusted (Kerberos) connection,
// User ID and Password the UID and PWD. Keywords of no meaning to ODBC (Provider, Persist
// Security Info) are dropped; unknown ones are passed on for the driver to judge.
//
// Access (Microsoft.Jet.OLEDB.4.0): Driver={access driver};DBQ=file;PWD=database password.
//
// The extra keywords ("KEY=VALUE;...") follow; one that names a keyword already written
// replaces its value, so an operator can override any of them (Encrypt, TrustServerCertificate,
// TDS_Version, Port...).
//
// The SQLite family maps a SQL Server catalog onto a file: "Directory=DIR" in the extra
// keywords (consumed here) and Initial Catalog X give Database=DIR/X.db ("master" when no
// catalog is named). It lets the provider be exercised against a real driver without a SQL
// Server; it is not a way to run the products on SQLite.
std::string toOdbcConnectionString(std::string_view adoConnectionString, const BackendConfig& config);

}  // namespace db::odbc
