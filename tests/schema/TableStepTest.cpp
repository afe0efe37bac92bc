#include <gtest/gtest.h>

#include "db/Error.h"
#include "schema/TableStep.h"
#include "support/EngineFixture.h"

namespace {

using schema::CatalogEntry;
using schema::ColumnEntry;
using Strings = std::vector<std::string>;

CatalogEntry entry(std::string table, std::string key, std::string keyType, std::vector<ColumnEntry> columns) {
  CatalogEntry e;
  e.step = table;
  e.table = std::move(table);
  e.keyColumn = std::move(key);
  e.keyType = std::move(keyType);
  e.columns = std::move(columns);
  return e;
}

schema::StepStatement statement(schema::StepStatement::Channel channel, Strings lines, size_t place = 0,
                                schema::StepStatement::Stage stage = schema::StepStatement::Stage::AmongColumns) {
  schema::StepStatement s;
  s.channel = channel;
  s.lines = std::move(lines);
  s.place = place;
  s.stage = stage;
  return s;
}

class TableStepTest : public testsupport::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    p = std::make_unique<schema::Primitives>(*connection, progress, [] { return schema::EngineForm::SqlServer; });
    progress.overall.setMaximum(100);
  }
  void run(const CatalogEntry& e, const schema::StepHooks& hooks = {}) { schema::runTableStep(*p, e, currentTable, hooks); }

  schema::Progress progress;
  std::unique_ptr<schema::Primitives> p;
  std::string currentTable;
};

const CatalogEntry kAgsat = entry("A_Agsat", "sh", "nvarchar(50)",
                                  {{"sh", "nvarchar(50)  PRIMARY KEY"},
                                   {"[To]", "nvarchar(50)"},
                                   {"Ta", "nvarchar(50)"},
                                   {"Mablag", "money"}});

TEST_F(TableStepTest, FirstRunBuildsTheTableAndASecondRunSendsNothing) {
  run(kAgsat);
  EXPECT_EQ(recorder.executed(), (Strings{"create table dbo.A_Agsat( sh  nvarchar(50))",
                                          "ALTER TABLE A_Agsat ADD [To] nvarchar(50)",
                                          "ALTER TABLE A_Agsat ADD Ta nvarchar(50)",
                                          "ALTER TABLE A_Agsat ADD Mablag money"}));
  EXPECT_EQ(connection->columnNames("A_Agsat"), (Strings{"sh", "To", "Ta", "Mablag"}));
  // The step gauge's maximum is the column count before the additions: full early.
  EXPECT_EQ(progress.step.maximum(), 1);
  EXPECT_EQ(progress.step.progress(), 1);
  EXPECT_EQ(progress.overall.progress(), 1);
  EXPECT_EQ(currentTable, "A_Agsat");
  EXPECT_EQ(progress.table.text(), "A_Agsat");
  EXPECT_EQ(progress.field.text(), "Mablag");

  recorder.clear();
  run(kAgsat);
  EXPECT_TRUE(recorder.executed().empty());
  EXPECT_EQ(progress.step.maximum(), 4);
  EXPECT_EQ(progress.step.progress(), 4);
  EXPECT_EQ(progress.overall.progress(), 2);
}

TEST_F(TableStepTest, ExistingColumnsKeepTheirTypeAndMissingOnesAreAddedInOrder) {
  prepare("create table A_Agsat( SH  int)");
  prepare("ALTER TABLE A_Agsat ADD [to] int");
  run(kAgsat);
  EXPECT_EQ(recorder.executed(), (Strings{"ALTER TABLE A_Agsat ADD Ta nvarchar(50)",
                                          "ALTER TABLE A_Agsat ADD Mablag money"}));
  EXPECT_EQ(connection->columnNames("A_Agsat"), (Strings{"SH", "to", "Ta", "Mablag"}));
}

TEST_F(TableStepTest, AMissingKeylessTableIsCreatedWithItsFirstColumnAsKey) {
  const CatalogEntry keyless = entry("GP_DP", "", "", {{"[كد عنوان]", "nvarchar(50)"}, {"[عنوان]", "nvarchar(50)"}});
  run(keyless);
  EXPECT_EQ(recorder.executed(), (Strings{"create table dbo.GP_DP( [كد عنوان]  nvarchar(50))",
                                          "ALTER TABLE GP_DP ADD [عنوان] nvarchar(50)"}));
  EXPECT_EQ(connection->columnNames("GP_DP"), (Strings{"كد عنوان", "عنوان"}));
  recorder.clear();
  run(keyless);
  EXPECT_TRUE(recorder.executed().empty());

  const CatalogEntry keylessWithKeyClause = entry("O_TelBookM", "", "", {{"ID", "Integer  PRIMARY KEY"}, {"Name", "Memo"}});
  recorder.clear();
  run(keylessWithKeyClause);
  EXPECT_EQ(recorder.executed(), (Strings{"create table dbo.O_TelBookM( ID  Integer  )",
                                          "ALTER TABLE O_TelBookM ADD Name ntext"}));
}

TEST_F(TableStepTest, VariantsMoveTheStepGaugeAsDeclared) {
  CatalogEntry late = entry("T_Insured", "ID", "integer primary key", {{"A", "int"}, {"B", "int"}});
  late.extraTick = true;
  late.gaugeSetup = CatalogEntry::GaugeSetup::AfterColumns;
  progress.step.setMaximum(50);
  progress.step.setProgress(10);
  run(late);
  EXPECT_EQ(progress.step.maximum(), 3);  // counted after the additions
  EXPECT_EQ(progress.step.progress(), 1);  // reset, then the extra tick

  CatalogEntry none = entry("P_pass", "ID", "int", {{"A", "int"}});
  none.gaugeSetup = CatalogEntry::GaugeSetup::None;
  none.extraTick = true;
  progress.step.setMaximum(50);
  progress.step.setProgress(10);
  run(none);
  EXPECT_EQ(progress.step.maximum(), 50);
  EXPECT_EQ(progress.step.progress(), 12);

  CatalogEntry createOnly = entry("P_040_SHARZ", "ID", "int", {});
  createOnly.extraTick = true;
  run(createOnly);
  EXPECT_EQ(progress.step.maximum(), 1);
  EXPECT_EQ(progress.step.progress(), 1);
  EXPECT_EQ(progress.overall.progress(), 3);
}

TEST_F(TableStepTest, AlterEntriesReDeclareInPlaceAndHooksRunWhereDeclared) {
  prepare("create table A_GMTHesab( ID  int)");
  prepare("ALTER TABLE A_GMTHesab ADD Mablag int");
  const CatalogEntry e = entry("A_GMTHesab", "ID", "int",
                               {{"X", "int"}, {"Mablag", "money", ColumnEntry::Action::Alter}, {"Y", "int"}});
  Strings order;
  schema::StepHooks hooks;
  hooks.beforeStep = [&](schema::Primitives&) { order.push_back("before:" + currentTable); };
  hooks.beforeCreate = [&](schema::Primitives&) { order.push_back("create:" + currentTable); };
  hooks.afterColumns = [&](schema::Primitives& prim) {
    order.push_back("columns");
    prim.connection().execute("create index IX_X on A_GMTHesab (X)");
  };
  hooks.afterTicks = [&](schema::Primitives&) { order.push_back("ticks"); };
  run(e, hooks);
  EXPECT_EQ(order, (Strings{"before:", "create:A_GMTHesab", "columns", "ticks"}));
  EXPECT_EQ(recorder.executed(), (Strings{"ALTER TABLE A_GMTHesab ADD X int",
                                          "ALTER TABLE A_GMTHesab ALTER COLUMN Mablag money",
                                          "ALTER TABLE A_GMTHesab ADD Y int",
                                          "create index IX_X on A_GMTHesab (X)"}));
}

TEST_F(TableStepTest, StatementsAreSentInTheirPlacesAndALookUpGuardsTheNext) {
  using Channel = schema::StepStatement::Channel;
  CatalogEntry e = entry("P_Pass", "CK", "nvarchar(50)", {{"NK", "nvarchar(50)"}, {"en", "bit"}});
  e.statements = {
      statement(Channel::Command, {"alter table P_Pass alter column CK  nvarchar(50)"}, 0),
      statement(Channel::Query, {"alter table P_Pass alter column NK  nvarchar(100)"}, 1),
      statement(Channel::Query, {" INSERT INTO P_PASS  (CK,NK,en)", "  VALUES (1,'a',1)  "}, 2),
  };
  e.statements[2].onlyWhenNoRows = "select CK from P_PASS where CK = '1'";
  e.gaugeSetup = CatalogEntry::GaugeSetup::None;
  e.extraTick = true;
  progress.step.setMaximum(10);
  progress.step.setProgress(4);
  run(e);
  EXPECT_EQ(recorder.executed(), (Strings{"create table dbo.P_Pass( CK  nvarchar(50))",
                                          "alter table P_Pass alter column CK  nvarchar(50)",
                                          "ALTER TABLE P_Pass ADD NK nvarchar(50)",
                                          "ALTER TABLE P_Pass ADD en bit"}));
  EXPECT_EQ(recorder.queried(), (Strings{"alter table P_Pass alter column NK  nvarchar(100)",
                                         "select CK from P_PASS where CK = '1'",
                                         " INSERT INTO P_PASS  (CK,NK,en)\r\n  VALUES (1,'a',1)  "}));
  // No gauge set-up: the two columns and the extra tick go on from the previous step's gauge.
  EXPECT_EQ(progress.step.maximum(), 10);
  EXPECT_EQ(progress.step.progress(), 7);

  recorder.clear();
  run(e);
  EXPECT_EQ(recorder.queried(), (Strings{"alter table P_Pass alter column NK  nvarchar(100)",
                                         "select CK from P_PASS where CK = '1'"}))
      << "the row is there: the insert is not sent again";
  EXPECT_EQ(connection->query({"select count(*) from P_Pass"}, {}, db::QueryMode::Open).values[0][0], "1");
}

TEST_F(TableStepTest, AFailureEndsTheStepAndARerunCompletesIt) {
  prepare("create table T( ID  int)");
  prepare("insert into T (ID) values (1)");
  const CatalogEntry e = entry("T", "ID", "int", {{"A", "int"}, {"B", "int not null"}, {"C", "int"}});
  EXPECT_THROW(run(e), db::Error);  // NOT NULL without default on a table with rows
  EXPECT_EQ(connection->columnNames("T"), (Strings{"ID", "A"}));
  EXPECT_EQ(progress.overall.progress(), 0);
  EXPECT_EQ(progress.field.text(), "B");

  const CatalogEntry fixed = entry("T", "ID", "int", {{"A", "int"}, {"B", "int"}, {"C", "int"}});
  run(fixed);
  EXPECT_EQ(connection->columnNames("T"), (Strings{"ID", "A", "B", "C"}));
  EXPECT_EQ(progress.overall.progress(), 1);
}

// Before the step, before the create, among the columns, after the ticks: each in its place,
// {CurrentTable} as the step has set it at that moment (the previous step's table before it).
TEST_F(TableStepTest, StagesNameTheirTableAsCurrentTableIsAtThatMoment) {
  using Channel = schema::StepStatement::Channel;
  using Stage = schema::StepStatement::Stage;
  currentTable = "Previous";
  CatalogEntry e = entry("T", "ID", "int", {{"A", "int"}});
  e.statements = {
      statement(Channel::Command, {"print '{CurrentTable} before'"}, 0, Stage::BeforeStep),
      statement(Channel::Command, {"create table dbo.{CurrentTable} (ID int, B int)"}, 0, Stage::BeforeCreate),
      statement(Channel::Command, {"create index IX_{CurrentTable} on {CurrentTable} (B)"}, 1),
      statement(Channel::Query, {"update {CurrentTable} set B = :p1"}, 0, Stage::AfterTicks),
  };
  e.statements[1].onlyWhenTableMissing = true;
  e.statements[3].params = {{"p1", "7"}};
  e.extraTick = true;
  std::vector<std::string> ticks;
  schema::StepHooks hooks;
  hooks.afterTicks = [&](schema::Primitives&) { ticks.push_back(std::to_string(progress.overall.progress())); };
  run(e, hooks);
  EXPECT_EQ(recorder.executed(), (Strings{"print 'Previous before'", "create table dbo.T (ID int, B int)",
                                          "ALTER TABLE T ADD A int", "create index IX_T on T (B)"}));
  EXPECT_EQ(recorder.queried(), Strings{"update T set B = :p1"});
  EXPECT_EQ(recorder.entries().back().call.params, (db::Params{{"p1", "7"}}));
  EXPECT_EQ(ticks, Strings{"1"}) << "the overall tick comes before the after-ticks statements";

  recorder.clear();
  EXPECT_THROW(run(e), db::Error) << "the index exists: the create is not guarded";
  EXPECT_EQ(recorder.executed(), (Strings{"print 'T before'", "create index IX_T on T (B)"}))
      << "the table is there: its own create is not sent again";
}

// Only a refusal for a missing column gets the step's hint, after the server's own message.
TEST_F(TableStepTest, TheMissingColumnHintFollowsTheServersMessage) {
  using Channel = schema::StepStatement::Channel;
  prepare("create table T( ID  int)");
  CatalogEntry e = entry("T", "ID", "int", {});
  e.missingColumnHint = "Upgrade the product's own database.";
  e.statements = {statement(Channel::Query, {"alter table T alter column Missing float"})};
  try {
    run(e);
    ADD_FAILURE() << "the alter of a missing column was taken";
  } catch (const db::Error& error) {
    EXPECT_EQ(error.number(), 4924);
    EXPECT_EQ(error.message(),
              "ALTER TABLE ALTER COLUMN failed because column 'Missing' does not exist in table 'T'.\n"
              "Upgrade the product's own database.");
  }
  e.statements = {statement(Channel::Command, {"update T set Missing = 1"})};
  try {
    run(e);
    ADD_FAILURE() << "the update of a missing column was taken";
  } catch (const db::Error& error) {
    EXPECT_EQ(error.number(), 207);
    EXPECT_TRUE(error.message().ends_with("\nUpgrade the product's own database.")) << error.message();
  }
  e.statements = {statement(Channel::Command, {"insert into Absent (ID) values (1)"})};
  try {
    run(e);
    ADD_FAILURE() << "the insert into a missing table was taken";
  } catch (const db::Error& error) {
    EXPECT_EQ(error.message().find("product's own"), std::string::npos) << error.message();
  }
}

}  // namespace
