#include "odbc/SqliteOdbc.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace odbctest {

void registerDriver() {
  static const testsupport::TempDir iniDir;
  static const bool registered = [] {
    const std::filesystem::path driver = MORAV_SQLITE_ODBC_DRIVER;
    if (!std::filesystem::exists(driver)) return false;
    std::ofstream(iniDir / "odbcinst.ini") << "[" << kDriverName << "]\n"
                                           << "Description=SQLite 3 ODBC driver for the provider's tests\n"
                                           << "Driver=" << driver.string() << "\n";
    setenv("ODBCSYSINI", iniDir.path().c_str(), 1);
    return true;
  }();
  if (!registered)
    FAIL() << "The SQLite ODBC driver (" << MORAV_SQLITE_ODBC_DRIVER
           << ") is missing: run scripts/setup (Debian package libsqliteodbc) and configure again.";
}

std::string sqlServerString(const std::string& catalog) {
  return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + catalog +
         ";Data Source=PC1\\SQLEXPRESS";
}

void SqliteOdbcTest::SetUp() {
  ASSERT_NO_FATAL_FAILURE(registerDriver());
  config.kind = db::BackendConfig::Kind::Odbc;
  config.odbcSqlServerDriver = kDriverName;
  // Without a disk flush per statement: a run of thousands of ALTER TABLE statements takes
  // seconds instead of minutes, and a test loses nothing by it.
  config.odbcExtraKeywords = "Directory=" + dir.path().string() + ";SyncPragma=OFF";
  connection = newConnection();
  connection->open(sqlServerString(kCatalog));
  connection->addObserver(&recorder);
}

void SqliteOdbcTest::TearDown() {
  if (!connection) return;
  connection->removeObserver(&recorder);
  connection->close();
}

std::unique_ptr<db::odbc::OdbcConnection> SqliteOdbcTest::newConnection(const std::string& role) const {
  return std::make_unique<db::odbc::OdbcConnection>(config, role);
}

std::string SqliteOdbcTest::catalogFile(const std::string& catalog) const { return (dir / (catalog + ".db")).string(); }

void SqliteOdbcTest::prepare(const std::string& statement) {
  connection->removeObserver(&recorder);
  connection->execute(statement);
  connection->addObserver(&recorder);
}

}  // namespace odbctest
