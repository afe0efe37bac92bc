#include <gtest/gtest.h>

#include "db/Error.h"
#include "schema/Primitives.h"
#include "support/EngineFixture.h"

namespace {

using schema::EngineForm;
using Strings = std::vector<std::string>;

class PrimitivesTest : public testsupport::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    p = std::make_unique<schema::Primitives>(*connection, progress, [this] { return form; });
    progress.step.setMaximum(1000);
  }

  schema::Progress progress;
  EngineForm form = EngineForm::SqlServer;
  std::unique_ptr<schema::Primitives> p;
};

TEST_F(PrimitivesTest, EnsureTableCreatesOnlyAMissingTableInEitherForm) {
  p->ensureTable("T", "ID", "Integer");
  p->ensureTable("t", "ID", "Integer");  // names compare without regard to case
  form = EngineForm::Access;
  EXPECT_THROW(p->ensureTable("A", "ID", "Integer"), db::Error);  // Access form on a SQL Server catalog
  EXPECT_EQ(recorder.executed(), (Strings{"create table dbo.T( ID  Integer)", "create table dbo.A"}));
  EXPECT_EQ(progress.table.text(), "A");
  EXPECT_EQ(connection->columnNames("T"), Strings{"ID"});
}

TEST_F(PrimitivesTest, EnsureTableWithEmptyKeySendsWhatTheServerRefuses) {
  EXPECT_THROW(p->ensureTable("K", "", ""), db::Error);
  EXPECT_EQ(recorder.executed(), Strings{"create table dbo.K(   )"});
  prepare("create table K( A  int)");
  recorder.clear();
  p->ensureTable("K", "", "");
  EXPECT_TRUE(recorder.executed().empty());
}

TEST_F(PrimitivesTest, EnsureColumnTestsTheBareNameAndSendsTheNameAsPassed) {
  prepare("create table T( ID  int)");
  p->ensureColumn("T", "[To]", "nvarchar(50)");
  p->ensureColumn("T", "[To]", "nvarchar(50)");
  p->ensureColumn("T", "id", "Integer  PRIMARY KEY");  // present under another case
  EXPECT_EQ(recorder.count(db::Op::Columns), 3u);  // a fresh read on every call
  EXPECT_EQ(recorder.executed(), Strings{"ALTER TABLE T ADD [To] nvarchar(50)"});
  EXPECT_EQ(connection->columnNames("T"), (Strings{"ID", "To"}));
  EXPECT_EQ(progress.field.text(), "id");
  EXPECT_EQ(progress.step.progress(), 3);
}

TEST_F(PrimitivesTest, PrimaryKeyClauseIsCutOnlyOnTheSqlServerFormAndMemoBecomesNtext) {
  prepare("create table T( ID  int)");
  p->ensureColumn("T", "Sh", "nvarchar(50)  PRIMARY KEY ");
  EXPECT_EQ(recorder.executed(), Strings{"ALTER TABLE T ADD Sh nvarchar(50)   "});
  EXPECT_EQ(schema::Primitives::sqlServerColumnType("integer primary key"), "integer primary key");
  recorder.clear();
  p->ensureColumn("T", "Matn", "Memo");
  EXPECT_EQ(recorder.executed(), Strings{"ALTER TABLE T ADD Matn ntext"});
  EXPECT_EQ(schema::Primitives::sqlServerColumnType("nvarchar(50)  PRIMARY KEY "), "nvarchar(50)   ");
  EXPECT_EQ(schema::Primitives::sqlServerType("mEmO"), "ntext");
}

TEST_F(PrimitivesTest, AccessFormKeepsTheTypeAsPassed) {
  form = EngineForm::Access;
  EXPECT_EQ(schema::Primitives::bareColumnName("[a]b]"), "ab]");
  prepare("create table T( ID  int)");
  try {
    p->ensureColumn("T", "Sh", "nvarchar(50)  PRIMARY KEY ");
  } catch (const db::Error&) {
    // a second primary key is the engine's matter; the statement text is ours
  }
  EXPECT_EQ(recorder.executed(), Strings{"ALTER TABLE T ADD Sh nvarchar(50)  PRIMARY KEY "});
}

TEST_F(PrimitivesTest, AlterAndDropActOnlyOnPresentColumnsAndTickEitherWay) {
  prepare("create table T( ID  int)");
  prepare("ALTER TABLE T ADD Flag bit not null default(0)");
  prepare("ALTER TABLE T ADD Old int");
  const std::string label = progress.field.text();
  p->alterColumnIfPresent("T", "flag", "bit");
  p->alterColumnIfPresent("T", "Missing", "bit");
  p->dropColumnIfPresent("T", "[Old]", "Integer");
  p->dropColumnIfPresent("T", "Old", "Integer");
  p->dropColumnIfPresent("Nowhere", "Old", "Integer");
  EXPECT_EQ(recorder.executed(), (Strings{"ALTER TABLE T ALTER COLUMN flag bit", "ALTER TABLE T drop column [Old]"}));
  EXPECT_EQ(connection->columnNames("T"), (Strings{"ID", "Flag"}));
  EXPECT_EQ(progress.step.progress(), 5);
  EXPECT_EQ(progress.field.text(), label);  // neither touches the labels
}

TEST_F(PrimitivesTest, DropTableIfPresentMatchesWithoutRegardToCase) {
  prepare("create table Login( ID  int)");
  p->dropTableIfPresent("LOGIN");
  p->dropTableIfPresent("LOGIN");
  EXPECT_EQ(recorder.executed(), Strings{"drop table LOGIN"});
  EXPECT_EQ(progress.table.text(), "LOGIN");
  EXPECT_EQ(p->countTables(), 0);
}

TEST_F(PrimitivesTest, CountsTablesAndColumns) {
  prepare("create table A( ID  int)");
  prepare("create table B( ID  int)");
  prepare("ALTER TABLE B ADD X int");
  EXPECT_EQ(p->countTables(), 2);
  EXPECT_EQ(p->countColumns("b"), 2);
  EXPECT_EQ(p->countColumns("Missing"), 0);
}

TEST_F(PrimitivesTest, NameInListFoldsOnlyAsciiLetters) {
  const Strings list{"Abc", "[To]", "دريافت", "ÄB"};
  EXPECT_TRUE(schema::Primitives::nameInList("aBC", list));
  EXPECT_TRUE(schema::Primitives::nameInList("[to]", list));
  EXPECT_FALSE(schema::Primitives::nameInList("To", list));   // brackets are not removed
  EXPECT_FALSE(schema::Primitives::nameInList("abc ", list));  // nor blanks trimmed
  EXPECT_TRUE(schema::Primitives::nameInList("دريافت", list));
  EXPECT_FALSE(schema::Primitives::nameInList("äb", list));   // only A-Z fold
}

TEST_F(PrimitivesTest, ARejectedStatementSkipsTheTickButKeepsTheLabel) {
  prepare("create table T( ID  int)");
  EXPECT_THROW(p->ensureColumn("T", "Bad", "Memo2"), db::Error);
  EXPECT_EQ(progress.field.text(), "Bad");
  EXPECT_EQ(progress.step.progress(), 0);
  connection->close();
  EXPECT_THROW(p->ensureColumn("T", "X", "int"), db::Error);  // catalog read on a closed connection
}

}  // namespace
