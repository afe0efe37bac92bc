// The primitives and the table step with lean catalog reads and with batches: the same
// statements as the faithful reads, fewer reads, and a failed batch that leaves the database,
// the labels and the step gauge as the statements sent one by one would.
#include <gtest/gtest.h>

#include "db/Error.h"
#include "schema/TableStep.h"
#include "support/EngineFixture.h"

namespace {

using schema::CatalogEntry;
using schema::CatalogReads;
using schema::ColumnEntry;
using Strings = std::vector<std::string>;

CatalogEntry entry(std::string table, std::vector<ColumnEntry> columns) {
  CatalogEntry e;
  e.step = table;
  e.table = std::move(table);
  e.keyColumn = "Sh";
  e.keyType = "int";
  e.columns = std::move(columns);
  return e;
}

const CatalogEntry kKala = entry("P_Kala", {{"Sh", "int  PRIMARY KEY"}, {"[Name]", "nvarchar(50)"}, {"Gheymat", "money"}});

// What a step left: the statements one by one (a batch's split up), the number of batches,
// the reads, the catalog and the progress display.
struct Effect {
  Strings statements;
  int batches = 0;
  size_t tableReads = 0;
  size_t columnReads = 0;
  Strings columns;
  std::string field;
  int stepProgress = 0;
  std::string error;
};

class LeanReadsTest : public testsupport::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    p = std::make_unique<schema::Primitives>(*connection, progress, [] { return schema::EngineForm::SqlServer; });
    progress.overall.setMaximum(100);
  }

  Effect run(const CatalogEntry& e, CatalogReads reads, bool batches = false) {
    p->setCatalogReads(reads, batches);
    recorder.clear();
    Effect effect;
    try {
      schema::runTableStep(*p, e, currentTable);
    } catch (const db::Error& error) {
      effect.error = error.message();
    }
    for (const auto& entry : recorder.entries()) {
      const db::Call& call = entry.call;
      if (call.op == db::Op::Tables) ++effect.tableReads;
      if (call.op == db::Op::Columns) ++effect.columnReads;
      if (call.op != db::Op::Execute && call.op != db::Op::Query) continue;
      if (call.batch.empty()) effect.statements.push_back(call.text);
      effect.statements.insert(effect.statements.end(), call.batch.begin(), call.batch.end());
      effect.batches += !call.batch.empty();
    }
    effect.columns = connection->columnNames(e.table);
    effect.field = progress.field.text();
    effect.stepProgress = progress.step.progress();
    return effect;
  }

  // The same step on a fresh table in another catalog, faithfully, for comparison.
  Effect faithfully(const CatalogEntry& e) {
    const std::string catalog = "Other" + std::to_string(++others);
    prepare("create database " + catalog);
    auto other = std::make_unique<db::embedded::EmbeddedConnection>(dir.path(), "main");
    other->open(connectionStringFor(catalog));
    other->addObserver(&recorder);
    schema::Progress otherProgress;
    otherProgress.overall.setMaximum(100);
    schema::Primitives faithful(*other, otherProgress, [] { return schema::EngineForm::SqlServer; });
    recorder.clear();
    Effect effect;
    try {
      schema::runTableStep(faithful, e, currentTable);
    } catch (const db::Error& error) {
      effect.error = error.message();
    }
    for (const auto& entry : recorder.entries())
      if (entry.call.op == db::Op::Execute || entry.call.op == db::Op::Query) effect.statements.push_back(entry.call.text);
    effect.columns = other->columnNames(e.table);
    effect.field = otherProgress.field.text();
    effect.stepProgress = otherProgress.step.progress();
    other->removeObserver(&recorder);
    return effect;
  }

  schema::Progress progress;
  std::unique_ptr<schema::Primitives> p;
  std::string currentTable;
  int others = 0;
};

TEST_F(LeanReadsTest, AStepReadsTheTablesOnceAndTheColumnsOnlyOfATableItDidNotCreate) {
  const Effect faithful = run(kKala, CatalogReads::Faithful);
  EXPECT_EQ(faithful.tableReads, 1u);
  EXPECT_EQ(faithful.columnReads, 4u);  // the gauge's count, then one per entry
  prepare("drop table P_Kala");

  const Effect lean = run(kKala, CatalogReads::Lean);
  EXPECT_EQ(lean.statements, faithful.statements);
  EXPECT_EQ(lean.tableReads, 1u);
  EXPECT_EQ(lean.columnReads, 0u);  // the create says what the new table holds
  EXPECT_EQ(lean.columns, (Strings{"Sh", "Name", "Gheymat"}));
  EXPECT_EQ(progress.step.maximum(), 1);

  // Again: the catalog is kept from the step before.
  const Effect again = run(kKala, CatalogReads::Lean);
  EXPECT_TRUE(again.statements.empty());
  EXPECT_EQ(again.tableReads + again.columnReads, 0u);
  EXPECT_EQ(progress.step.maximum(), 3);
  EXPECT_EQ(again.stepProgress, 3);

  // A new run reads afresh: the table list once, the table's columns once.
  p->readAfresh();
  const Effect rerun = run(kKala, CatalogReads::Lean);
  EXPECT_TRUE(rerun.statements.empty());
  EXPECT_EQ(rerun.tableReads, 1u);
  EXPECT_EQ(rerun.columnReads, 1u);
}

TEST_F(LeanReadsTest, WhatElseIsSentMakesTheNextTestReadAfresh) {
  p->setCatalogReads(CatalogReads::Lean);
  EXPECT_EQ(p->countTables(), 0);
  // A statement of a step adds a column that a later entry ensures: it is not added twice.
  CatalogEntry withStatement = kKala;
  withStatement.statements.push_back(
      {schema::StepStatement::Channel::Command, schema::StepStatement::Stage::AmongColumns, 2,
       {"ALTER TABLE P_Kala ADD Gheymat money"}, {}, {}, false});
  const Effect lean = run(withStatement, CatalogReads::Lean);
  EXPECT_EQ(lean.error, "");
  EXPECT_EQ(lean.statements, (Strings{"create table dbo.P_Kala( Sh  int)", "ALTER TABLE P_Kala ADD [Name] nvarchar(50)",
                                      "ALTER TABLE P_Kala ADD Gheymat money"}));
  EXPECT_EQ(lean.columnReads, 1u);

  // Someone else's statements: the table list is read again after each.
  recorder.clear();
  connection->execute("drop table P_Kala");
  EXPECT_EQ(p->countTables(), 0);
  connection->execute("create table X( A  int)");
  EXPECT_TRUE(p->tableExists("x"));
  EXPECT_EQ(recorder.count(db::Op::Tables), 2u);
  // Reopening the same catalog changes nothing in it; opening another one does.
  connection->close();
  connection->open(connectionStringFor(kCatalog));
  EXPECT_EQ(p->countColumns("X"), 1);
  EXPECT_EQ(recorder.count(db::Op::Tables) + recorder.count(db::Op::Columns), 3u);
  prepare("create database Second");
  connection->close();
  connection->open(connectionStringFor("Second"));
  EXPECT_FALSE(p->tableExists("x"));
  EXPECT_EQ(recorder.count(db::Op::Tables), 3u);
}

TEST_F(LeanReadsTest, BatchesCarryAStepsConsecutiveChangesAndKeepTheirOrderAroundItsStatements) {
  CatalogEntry withStatement = kKala;
  withStatement.statements.push_back({schema::StepStatement::Channel::Query, schema::StepStatement::Stage::AmongColumns,
                                      2, {"UPDATE P_Kala SET Sh = Sh"}, {}, {}, false});
  const Effect faithful = faithfully(withStatement);
  const Effect batched = run(withStatement, CatalogReads::Lean, true);
  EXPECT_EQ(batched.statements, faithful.statements);
  EXPECT_EQ(batched.batches, 1);  // the create and the first add; the last add goes alone
  EXPECT_EQ(recorder.count(db::Op::Execute), 2u);
  EXPECT_EQ(batched.columns, faithful.columns);
  EXPECT_EQ(batched.stepProgress, faithful.stepProgress);

  // A batch of one goes as a plain statement; the Access form never batches.
  prepare("alter table P_Kala drop column Gheymat");
  const Effect one = run(kKala, CatalogReads::Lean, true);
  EXPECT_EQ(one.statements, Strings{"ALTER TABLE P_Kala ADD Gheymat money"});
  EXPECT_EQ(one.batches, 0);
}

TEST_F(LeanReadsTest, AFailedBatchLeavesWhatTheStatementsOneByOneWouldAndNamesTheOneThatFailed) {
  // A syntax error (the server runs none of the batch) and a type the server does not know.
  for (const char* badType : {"nvarchar(50", "no_such_type"}) {
    SCOPED_TRACE(badType);
    const CatalogEntry bad =
        entry("P_Bad", {{"A", "int"}, {"B", badType}, {"C", "int"}, {"D", "int"}});
    const Effect faithful = faithfully(bad);
    const Effect batched = run(bad, CatalogReads::Lean, true);
    ASSERT_NE(faithful.error, "");
    EXPECT_EQ(batched.columns, faithful.columns);  // the create and A are done, C and D not
    EXPECT_EQ(batched.columns, (Strings{"Sh", "A"}));
    EXPECT_EQ(batched.field, "B");
    EXPECT_EQ(batched.stepProgress, faithful.stepProgress);
    EXPECT_EQ(batched.error.substr(0, faithful.error.size()), faithful.error);
    EXPECT_NE(batched.error.find("statement 3 of 5"), std::string::npos) << batched.error;
    EXPECT_NE(batched.error.find(std::string("ALTER TABLE P_Bad ADD B ") + badType), std::string::npos);

    // The step run again completes what is left, as after a failure one by one.
    CatalogEntry fixed = bad;
    fixed.columns[1].type = "int";
    const Effect rerun = run(fixed, CatalogReads::Lean, true);
    EXPECT_EQ(rerun.error, "");
    EXPECT_EQ(rerun.columns, (Strings{"Sh", "A", "B", "C", "D"}));
    prepare("drop table P_Bad");
  }
}

TEST_F(LeanReadsTest, AltersAndDropsKeepTheKeptColumnsTrue) {
  p->setCatalogReads(CatalogReads::Lean, true);
  prepare("create table T( A  int, B  int)");
  schema::Primitives::StepScope scope(*p);
  p->alterColumnIfPresent("T", "A", "bigint");
  p->dropColumnIfPresent("T", "B", "");
  p->dropColumnIfPresent("T", "B", "");  // gone from what is kept: sent once
  p->ensureColumn("T", "B", "int");
  EXPECT_EQ(p->countColumns("T"), 2);
  p->dropTableIfPresent("T");
  EXPECT_FALSE(p->tableExists("T"));
  EXPECT_TRUE(recorder.executed().empty()) << "waiting for the end of the step";
  scope.finish();
  ASSERT_EQ(recorder.entries().size(), 3u);  // the table list, T's columns, one batch
  EXPECT_EQ(recorder.entries().back().call.batch,
            (Strings{"ALTER TABLE T ALTER COLUMN A bigint", "ALTER TABLE T drop column B", "ALTER TABLE T ADD B int",
                     "drop table T"}));
  EXPECT_TRUE(connection->tableNames().empty());
}

}  // namespace
