#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/Backend.h"
#include "db/odbc/OdbcConnection.h"
#include "support/RecordingObserver.h"
#include "support/TempDir.h"

namespace odbctest {

// The SQLite ODBC driver under the name the tests give it, registered in an odbcinst.ini of
// the test process's own (ODBCSYSINI), so that nothing system-wide is needed.
inline constexpr const char* kDriverName = "SQLite3 (morav tests)";
void registerDriver();

// SQL Server connection string of the system for a catalog, as resolution builds it.
std::string sqlServerString(const std::string& catalog);

// A fresh directory of catalog files, a provider configured with the SQLite mapping onto it,
// and a connection opened on the catalog "TestDb" with a recorder of its calls.
class SqliteOdbcTest : public ::testing::Test {
 protected:
  static constexpr const char* kCatalog = "TestDb";

  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<db::odbc::OdbcConnection> newConnection(const std::string& role = "main") const;
  std::string catalogFile(const std::string& catalog) const;
  // Executes without recording the call.
  void prepare(const std::string& statement);

  testsupport::TempDir dir;
  db::BackendConfig config;
  std::unique_ptr<db::odbc::OdbcConnection> connection;
  testsupport::RecordingObserver recorder;
};

}  // namespace odbctest
