#include <gtest/gtest.h>

#include "db/Error.h"
#include "odbc/SqliteOdbc.h"

namespace {

using Strings = std::vector<std::string>;
using odbctest::sqlServerString;

class OdbcConnectionTest : public odbctest::SqliteOdbcTest {
 protected:
  // The single value of a one-row, one-column query.
  std::optional<std::string> scalar(const std::string& sql, const db::Params& params = {}) {
    const db::Rows rows = connection->query({sql}, params, db::QueryMode::Open);
    EXPECT_EQ(rows.size(), 1u);
    return rows.empty() ? std::nullopt : rows.values[0].at(0);
  }
};

TEST_F(OdbcConnectionTest, OpensClosesAndReopensKeepingWhatWasExecuted) {
  EXPECT_TRUE(connection->isOpen());
  connection->execute("create table A_Agsat(sh nvarchar(50), Ta nvarchar(50))");
  connection->execute("insert into A_Agsat values('1', 'x')");
  connection->close();
  EXPECT_FALSE(connection->isOpen());
  connection->close();  // closing a closed connection does nothing and is not a call
  EXPECT_EQ(recorder.count(db::Op::Close), 1u);

  connection->open(sqlServerString(kCatalog));
  EXPECT_TRUE(connection->isOpen());
  EXPECT_EQ(connection->tableNames(), Strings{"A_Agsat"});
  EXPECT_EQ(scalar("select Ta from A_Agsat"), "x");

  // A second connection to the same catalog sees the same data; another catalog is another file.
  auto other = newConnection("assistant");
  other->open(sqlServerString(kCatalog));
  EXPECT_EQ(other->tableNames(), Strings{"A_Agsat"});
  other->close();
  other->open(sqlServerString("Other"));
  EXPECT_TRUE(other->tableNames().empty());
  EXPECT_TRUE(std::filesystem::exists(catalogFile("Other")));
}

TEST_F(OdbcConnectionTest, CallsOnAClosedConnectionFailCleanly) {
  auto closed = newConnection();
  closed->addObserver(&recorder);
  const auto expectClosed = [&](const char* what, const std::function<void()>& call) {
    try {
      call();
      ADD_FAILURE() << what << " did not fail";
    } catch (const db::Error& e) {
      EXPECT_EQ(e.className(), db::Error::kProviderClass) << what;
      EXPECT_EQ(e.message(), "Operation is not allowed when the object is closed.") << what;
      EXPECT_EQ(e.number(), 3704) << what;  // as the embedded engine and ADO number it
      EXPECT_EQ(e.sqlState(), "08003") << what;
    }
  };
  for (int round = 0; round < 2; ++round) {  // never opened, then opened and closed
    expectClosed("execute", [&] { closed->execute("select 1"); });
    expectClosed("tables", [&] { closed->tableNames(); });
    expectClosed("columns", [&] { closed->columnNames("T"); });
    expectClosed("query", [&] { closed->query({"select :p1"}, {{"p1", "x"}}, db::QueryMode::Open); });
    closed->open(sqlServerString(kCatalog));
    closed->close();
  }
  EXPECT_TRUE(recorder.entries().front().failed);
  closed->removeObserver(&recorder);

  // Opening an open connection is refused and leaves it open and usable.
  try {
    connection->open(sqlServerString("Other"));
    ADD_FAILURE() << "a second open did not fail";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.message(), "Operation is not allowed when the object is open.");
  }
  EXPECT_TRUE(connection->isOpen());
  EXPECT_EQ(scalar("select 1+1"), "2");
}

TEST_F(OdbcConnectionTest, TableNamesListTablesAndViewsAsTheDriverOrdersThem) {
  prepare("create table Zeta(a int)");
  prepare("create table alpha_One(b int)");
  prepare("create view V_Zeta as select a from Zeta");
  prepare("create index IX_Zeta on Zeta(a)");
  prepare("create temp table Scratch(c int)");
  EXPECT_EQ(connection->tableNames(), (Strings{"Zeta", "alpha_One", "V_Zeta"}));
  EXPECT_EQ(recorder.count(db::Op::Tables), 1u);
}

TEST_F(OdbcConnectionTest, ColumnNamesAreRestrictedByTableNameOnly) {
  prepare("create table A_B(Sh nvarchar(50), [To] nvarchar(50), mablag money)");
  prepare("create table AxB(other int)");  // matches "A_B" if '_' were taken as a wildcard
  prepare("create table A_B2(more int)");
  prepare("create view V_AB as select mablag, Sh from A_B");
  EXPECT_EQ(connection->columnNames("A_B"), (Strings{"Sh", "To", "mablag"}));
  EXPECT_EQ(connection->columnNames("a_b"), (Strings{"Sh", "To", "mablag"}));
  EXPECT_EQ(connection->columnNames("V_AB"), (Strings{"mablag", "Sh"}));
  EXPECT_TRUE(connection->columnNames("Missing").empty());
  EXPECT_TRUE(connection->columnNames("A%").empty());
}

TEST_F(OdbcConnectionTest, FailuresCarryTheDriversMessageSqlStateAndNumber) {
  try {
    connection->execute("select * from Missing");
    ADD_FAILURE() << "no failure";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.className(), db::Error::kProviderClass);
    EXPECT_EQ(e.message(), "[SQLite]no such table: Missing (1)");
    EXPECT_EQ(e.sqlState(), "HY000");
    EXPECT_EQ(e.number(), 1);  // SQLITE_ERROR, the driver's native error
  }
  ASSERT_EQ(recorder.entries().size(), 1u);
  EXPECT_TRUE(recorder.entries()[0].failed);
  EXPECT_THROW(connection->query({"selec 1"}, {}, db::QueryMode::Open), db::Error);
  EXPECT_EQ(scalar("select 1"), "1");  // the connection is still usable

  // A driver that is not registered: the driver manager's message and what to check, no password.
  config.odbcSqlServerDriver = "No Such Driver";
  auto unregistered = newConnection();
  try {
    unregistered->open("Data Source=h,1434;Initial Catalog=C;User ID=u;Password=s3cret;");
    ADD_FAILURE() << "no failure";
  } catch (const db::Error& e) {
    EXPECT_FALSE(e.sqlState().empty());
    EXPECT_NE(e.message().find("[unixODBC][Driver Manager]"), std::string::npos) << e.message();
    EXPECT_NE(e.message().find("odbcinst -q -d"), std::string::npos) << e.message();
    EXPECT_NE(e.message().find("Driver={No Such Driver};Server=tcp:h,1434;Database=C;UID=u;PWD=****"),
              std::string::npos) << e.message();
    EXPECT_EQ(e.message().find("s3cret"), std::string::npos) << e.message();
  }
  EXPECT_FALSE(unregistered->isOpen());

  // A failure of the driver itself: its words and what was tried, without the registration hint.
  config.odbcSqlServerDriver = odbctest::kDriverName;
  config.odbcExtraKeywords = "Directory=" + (dir / "missing").string();
  try {
    newConnection()->open(sqlServerString(kCatalog));
    ADD_FAILURE() << "no failure";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.message().rfind("[SQLite]", 0), 0u) << e.message();
    EXPECT_NE(e.message().find("\nODBC connection string: Driver={SQLite3 (morav tests)};Database=" +
                               (dir / "missing" / "TestDb.db").string()),
              std::string::npos) << e.message();
    EXPECT_EQ(e.message().find("odbcinst"), std::string::npos) << e.message();
  }
}

TEST_F(OdbcConnectionTest, PersianNamesAndLiteralsRoundTripThroughUtf16) {
  connection->execute("create table [جدول آزمایش]([كد عنوان] nvarchar(50), [عنوان] ntext)");
  // (unixODBC hands statement texts to a driver without wide-character entry points, such as
  // SQLite's, as UCS-2: a character beyond U+FFFF reaches it through a bound parameter only.)
  connection->execute("insert into [جدول آزمایش] values('۱۲۳', 'طراحي جواهرات')");
  EXPECT_EQ(connection->tableNames(), Strings{"جدول آزمایش"});
  EXPECT_EQ(connection->columnNames("جدول آزمایش"), (Strings{"كد عنوان", "عنوان"}));
  const db::Rows rows = connection->query({"select [عنوان] as [نام], [كد عنوان] from [جدول آزمایش]"}, {}, db::QueryMode::Open);
  EXPECT_EQ(rows.columns, (Strings{"نام", "كد عنوان"}));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.values[0][0], "طراحي جواهرات");
  EXPECT_EQ(rows.values[0][1], "۱۲۳");
}

TEST_F(OdbcConnectionTest, ParametersAreBoundAsTextInBothModes) {
  prepare("create table P(k nvarchar(50), v ntext, n int)");
  const db::Rows none = connection->query({"insert into P(k, v, n)", "values (:p1, :p2, 7)"},
                                          {{"p1", "کلید"}, {"p2", "':p1' stays a literal"}}, db::QueryMode::Execute);
  EXPECT_TRUE(none.columns.empty());
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(recorder.entries().back().call.text, "insert into P(k, v, n)\r\nvalues (:p1, :p2, 7)");

  const db::Rows rows = connection->query({"select v, n, null as z, ':p1' from P where k = :p1 or k = :p1"},
                                          {{"p1", "کلید"}}, db::QueryMode::Open);
  EXPECT_EQ(rows.columns, (Strings{"v", "n", "z", "':p1'"}));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.values[0], (std::vector<std::optional<std::string>>{"':p1' stays a literal", "7", std::nullopt, ":p1"}));

  // A value longer than one read piece and than a short bound text, with characters of 1 to 4 bytes.
  std::string longValue;
  for (int i = 0; i < 1700; ++i) longValue += i % 3 == 0 ? "a" : i % 3 == 1 ? "ب" : "😀";
  connection->query({"update P set v = :p1"}, {{"p1", longValue}}, db::QueryMode::Execute);
  EXPECT_EQ(scalar("select v from P"), longValue);
  EXPECT_EQ(scalar("select length(:p1)", {{"p1", ""}}), "0");

  try {
    connection->query({"select :p1, :p2"}, {{"p1", "x"}}, db::QueryMode::Open);
    ADD_FAILURE() << "no failure";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.message(), "The query's parameter :p2 has no value.");
  }
}

TEST_F(OdbcConnectionTest, RunHandsBackEachResultWithItsCount) {
  prepare("create table R(k nvarchar(50), n int)");
  const db::Results inserted = connection->run("insert into R values (:p1, 1)", {{"p1", "یک"}});
  ASSERT_EQ(inserted.items.size(), 1u);
  EXPECT_EQ(inserted.items[0].kind, db::Result::Kind::Count);
  EXPECT_EQ(inserted.items[0].count, 1);
  EXPECT_EQ(recorder.entries().back().call.op, db::Op::Query);

  const db::Results selected = connection->run("select k, n from R");
  const auto sets = selected.resultSets();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0]->columns, (Strings{"k", "n"}));
  EXPECT_EQ(sets[0]->values, (std::vector<std::vector<std::optional<std::string>>>{{"یک", "1"}}));

  db::Results partial;
  EXPECT_THROW(connection->run("select * from Missing", {}, partial), db::Error);
  ASSERT_EQ(partial.messages().size(), 1u);
  EXPECT_TRUE(partial.messages()[0].isError());
}

}  // namespace
