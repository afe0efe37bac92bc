#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "catalog/Catalogs.h"
#include "odbc/SqliteOdbc.h"
#include "schema/TableStep.h"

namespace {

// The general accounting (Benvo) table steps run through the ODBC provider against the
// SQLite driver: the statements are the SQL Server dialect's, exactly as a run sends them.
class OdbcBenvoRunTest : public odbctest::SqliteOdbcTest {
 protected:
  struct Run {
    size_t calls = 0, tableReads = 0, columnReads = 0, statements = 0;
    double milliseconds = 0;
  };

  // SQLite has no dbo schema: the catalog's own file attached as "dbo" makes
  // "create table dbo.T" create T in the catalog. An attachment lasts as long as its connection.
  void attachDbo() { prepare("ATTACH DATABASE '" + catalogFile(kCatalog) + "' AS dbo"); }

  Run runAllSteps() {
    recorder.clear();
    schema::Progress progress;
    schema::Primitives primitives(*connection, progress, [] { return schema::EngineForm::SqlServer; });
    std::string currentTable;
    const auto start = std::chrono::steady_clock::now();
    for (const schema::CatalogEntry& entry : catalog::entriesOf("benvo.catalog"))
      schema::runTableStep(primitives, entry, currentTable);
    Run run;
    run.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.calls = recorder.entries().size();
    run.tableReads = recorder.count(db::Op::Tables);
    run.columnReads = recorder.count(db::Op::Columns);
    run.statements = recorder.count(db::Op::Execute);
    return run;
  }

  static std::string describe(const Run& run) {
    return std::to_string(run.calls) + " round trips (" + std::to_string(run.tableReads) + " table reads, " +
           std::to_string(run.columnReads) + " column reads, " + std::to_string(run.statements) + " statements) in " +
           std::to_string(static_cast<long>(run.milliseconds)) + " ms";
  }
};

TEST_F(OdbcBenvoRunTest, TheStepsBuildEveryTableAndASecondRunSendsNoDdl) {
  const auto& entries = catalog::entriesOf("benvo.catalog");
  attachDbo();
  const Run first = runAllSteps();
  for (const auto& entry : recorder.entries()) EXPECT_FALSE(entry.failed) << entry.call.text << ": " << entry.errorMessage;

  const std::vector<std::string> tables = connection->tableNames();
  for (const schema::CatalogEntry& entry : entries) {
    ASSERT_TRUE(schema::Primitives::nameInList(entry.table, tables)) << entry.table;
    const std::vector<std::string> columns = connection->columnNames(entry.table);
    for (const schema::ColumnEntry& column : entry.columns)
      EXPECT_TRUE(schema::Primitives::nameInList(schema::Primitives::bareColumnName(column.name), columns))
          << entry.table << "." << column.name;
  }

  // Again on a new connection: everything is in place, so only catalog reads go out.
  connection->close();
  connection->open(odbctest::sqlServerString(kCatalog));
  attachDbo();
  const Run second = runAllSteps();
  EXPECT_TRUE(recorder.executed().empty()) << recorder.executed().front();
  EXPECT_EQ(second.statements, 0u);
  EXPECT_GT(first.statements, entries.size());

  std::cout << "[ odbc     ] Benvo, " << entries.size() << " table steps through ODBC on SQLite: first run "
            << describe(first) << "; second run " << describe(second) << std::endl;
  RecordProperty("first_run", describe(first));
  RecordProperty("second_run", describe(second));
}

}  // namespace
