// Transactions: BEGIN/COMMIT/ROLLBACK/SAVE TRAN, @@TRANCOUNT, XACT_STATE(), XACT_ABORT, with
// data and catalog changes undone together.
#include <gtest/gtest.h>

#include <algorithm>

#include "db/EngineTestSupport.h"
#include "support/EngineFixture.h"

namespace {

using enginetest::errorOf;

class TransactionsTest : public testsupport::EngineFixture {
 protected:
  std::optional<std::string> scalar(const std::string& select) {
    return connection->query({select}, {}, db::QueryMode::Open).values.at(0).at(0);
  }
  std::string count(const std::string& table) { return scalar("select count(*) from " + table).value_or("NULL"); }
  std::vector<std::vector<std::optional<std::string>>> firstSet(const std::string& batch) {
    const auto results = connection->run(batch);
    const auto sets = results.resultSets();
    if (sets.empty()) return {};
    return sets.front()->values;
  }
};

TEST_F(TransactionsTest, ARollbackUndoesDataAndCatalogChangesTogether) {
  prepare("create table T( ID int)");
  prepare("insert into T values (1)");
  connection->execute(
      "BEGIN TRANSACTION\r\n"
      "insert into T values (2)\r\n"
      "create table NewT( A int)\r\n"
      "insert into NewT values (5)\r\n"
      "alter table T add Extra nvarchar(10)\r\n"
      "update T set Extra = N'x'\r\n"
      "create index IX_T on T(ID)\r\n");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "1");
  EXPECT_EQ(count("NewT"), "1");  // the connection sees its own changes
  connection->execute("ROLLBACK");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
  EXPECT_EQ(count("T"), "1");
  EXPECT_EQ(scalar("select OBJECT_ID('NewT')"), std::nullopt);
  const auto tables = connection->tableNames();
  EXPECT_EQ(std::count(tables.begin(), tables.end(), "NewT"), 0);
  EXPECT_EQ(connection->columnNames("T"), (std::vector<std::string>{"ID"}));
  EXPECT_EQ(scalar("select count(*) from sys.indexes where name = 'IX_T'"), "0");
  // And the catalog takes the same changes again.
  connection->execute("create table NewT( A int); alter table T add Extra nvarchar(10)");
  EXPECT_EQ(connection->columnNames("T"), (std::vector<std::string>{"ID", "Extra"}));
}

TEST_F(TransactionsTest, NestingCountsAndOnlyTheOutermostCommitCommits) {
  prepare("create table T( ID int)");
  prepare("insert into T values (0)");
  EXPECT_EQ(firstSet("BEGIN TRAN outer_t; BEGIN TRAN; insert into T values (1); select @@TRANCOUNT, XACT_STATE()"),
            (std::vector<std::vector<std::optional<std::string>>>{{"2", "1"}}));
  connection->execute("COMMIT");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "1");
  // A second connection does not see what the open transaction wrote. (It reads the last
  // committed state where the server would wait for the transaction to end.)
  db::embedded::EmbeddedConnection other(dir.path());
  other.open(connectionStringFor(kCatalog));
  EXPECT_EQ(other.query({"select count(*) from T"}, {}, db::QueryMode::Open).values.at(0).at(0), "1");
  connection->execute("COMMIT TRANSACTION outer_t");
  EXPECT_EQ(other.query({"select count(*) from T"}, {}, db::QueryMode::Open).values.at(0).at(0), "2");
  EXPECT_EQ(scalar("select XACT_STATE()"), "0");

  // ROLLBACK undoes every level at once.
  connection->execute("BEGIN TRAN; BEGIN TRAN; insert into T values (2); ROLLBACK");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
  EXPECT_EQ(count("T"), "2");
}

TEST_F(TransactionsTest, SavepointsUndoPartOfATransaction) {
  prepare("create table T( ID int)");
  connection->execute(
      "BEGIN TRAN\r\n"
      "insert into T values (1)\r\n"
      "SAVE TRAN first_half\r\n"
      "insert into T values (2)\r\n"
      "create table Gone( A int)\r\n"
      "ROLLBACK TRAN first_half\r\n"
      "insert into T values (3)\r\n"
      "COMMIT");
  EXPECT_EQ(connection->query({"select ID from T order by ID"}, {}, db::QueryMode::Open).values,
            (std::vector<std::vector<std::optional<std::string>>>{{"1"}, {"3"}}));
  EXPECT_EQ(scalar("select OBJECT_ID('Gone')"), std::nullopt);
}

TEST_F(TransactionsTest, EveryStatementInATransactionIsStillAtomic) {
  prepare("create table K( ID int PRIMARY KEY)");
  prepare("insert into K values (3)");
  const db::Error e = errorOf([&] { connection->execute("BEGIN TRAN; insert into K values (1), (2), (3)"); });
  EXPECT_EQ(e.number(), 2627);
  // The failing insert left nothing; the transaction goes on (XACT_ABORT is off).
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "1");
  EXPECT_EQ(count("K"), "1");
  connection->execute("insert into K values (4); COMMIT");
  EXPECT_EQ(count("K"), "2");
}

TEST_F(TransactionsTest, XactAbortEndsTheBatchAndRollsBack) {
  prepare("create table K( ID int PRIMARY KEY)");
  prepare("create table Log( Msg nvarchar(20))");
  const db::Error e = errorOf([&] {
    connection->execute(
        "SET XACT_ABORT ON\r\nBEGIN TRAN\r\ninsert into K values (1)\r\ninsert into K values (1)\r\n"
        "insert into Log values ('not reached')\r\nCOMMIT");
  });
  EXPECT_EQ(e.number(), 2627);
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
  EXPECT_EQ(count("K"), "0");
  EXPECT_EQ(count("Log"), "0");

  // In a TRY block the error leaves the transaction uncommittable for the CATCH block.
  const auto caught = firstSet(
      "BEGIN TRY\r\n BEGIN TRAN\r\n insert into K values (1)\r\n insert into K values (1)\r\n COMMIT\r\nEND TRY\r\n"
      "BEGIN CATCH\r\n select XACT_STATE(), @@TRANCOUNT, ERROR_NUMBER()\r\n"
      " IF XACT_STATE() <> 0 ROLLBACK\r\nEND CATCH");
  EXPECT_EQ(caught, (std::vector<std::vector<std::optional<std::string>>>{{"-1", "1", "2627"}}));
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
  EXPECT_EQ(count("K"), "0");
  connection->execute("SET XACT_ABORT OFF");

  // Without XACT_ABORT a statement-level error caught leaves the transaction committable.
  const auto kept = firstSet(
      "BEGIN TRY\r\n BEGIN TRAN\r\n insert into K values (1)\r\n insert into K values (1)\r\nEND TRY\r\n"
      "BEGIN CATCH\r\n select XACT_STATE()\r\n COMMIT\r\nEND CATCH");
  EXPECT_EQ(kept, (std::vector<std::vector<std::optional<std::string>>>{{"1"}}));
  EXPECT_EQ(count("K"), "1");
}

TEST_F(TransactionsTest, AnUncommittableTransactionRefusesWritesAndEndsWithItsBatch) {
  prepare("create table T( ID int)");
  connection->execute("SET XACT_ABORT ON");
  db::Results results;
  const db::Error e = errorOf([&] {
    connection->run(
        "BEGIN TRAN\r\ninsert into T values (1)\r\n"
        "BEGIN TRY\r\n select 1/0\r\nEND TRY\r\n"
        "BEGIN CATCH\r\n BEGIN TRY\r\n  insert into T values (2)\r\n END TRY\r\n"
        " BEGIN CATCH\r\n  select ERROR_NUMBER()\r\n END CATCH\r\nEND CATCH",
        {}, results);
  });
  EXPECT_EQ(e.number(), 3998);
  ASSERT_FALSE(results.resultSets().empty());
  EXPECT_EQ(results.resultSets().front()->values.at(0).at(0), "3930");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
  EXPECT_EQ(count("T"), "0");
}

TEST_F(TransactionsTest, AClosedConnectionRollsBackItsTransaction) {
  prepare("create table T( ID int)");
  connection->execute("BEGIN TRAN");
  connection->execute("insert into T values (1)");
  connection->execute("create table Later( A int)");
  connection->close();
  connection->open(connectionStringFor(kCatalog));
  EXPECT_EQ(count("T"), "0");
  EXPECT_EQ(scalar("select OBJECT_ID('Later')"), std::nullopt);
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
}

TEST_F(TransactionsTest, Refusals) {
  EXPECT_EQ(errorOf([&] { connection->execute("COMMIT"); }).number(), 3902);
  EXPECT_EQ(errorOf([&] { connection->execute("ROLLBACK TRANSACTION"); }).number(), 3903);
  EXPECT_EQ(errorOf([&] { connection->execute("SAVE TRAN s"); }).number(), 628);
  const db::Error unknown = errorOf([&] { connection->execute("BEGIN TRAN outer_t; BEGIN TRAN inner_t; ROLLBACK TRAN inner_t"); });
  EXPECT_EQ(unknown.number(), 6401);
  EXPECT_EQ(unknown.message(), "Cannot roll back inner_t. No transaction or savepoint of that name was found.");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "2");  // the failed rollback changed nothing
  // Names are held as written, whatever the collation.
  EXPECT_EQ(errorOf([&] { connection->execute("ROLLBACK TRAN OUTER_T"); }).number(), 6401);
  connection->execute("ROLLBACK TRAN outer_t");
  EXPECT_EQ(scalar("select @@TRANCOUNT"), "0");
}

}  // namespace
