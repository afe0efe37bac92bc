#include <gtest/gtest.h>

#include "conversions/Passes.h"
#include "support/EngineFixture.h"

namespace {

using conversions::Pass;
using conversions::PassEntry;
using Strings = std::vector<std::string>;

TEST(PassFile, ParsesEveryDirectiveAndReportsFaultsWithTheirLine) {
  const auto passes = conversions::parsePasses(
      "# comment\n"
      "pass P1\n"
      "gauge-maximum 2\n"
      "alter A | [AutoID] |  Integer   not null \n"
      "ensure B | Sat_Fa | int\n"
      "\n"
      "clean-up C1\n"
      "table TInf\n"
      "drop X | bit\n",
      "t.passes");
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].gaugeMaximum, 2);
  EXPECT_EQ(passes[0].entries[0].column, "[AutoID]");
  EXPECT_EQ(passes[0].entries[0].type, "Integer   not null");  // inner blanks kept
  EXPECT_EQ(passes[0].entries[1].primitive, PassEntry::Primitive::Ensure);
  EXPECT_EQ(passes[1].kind, Pass::Kind::CleanUp);
  EXPECT_EQ(passes[1].entries[0].table, "TInf");

  for (const char* bad : {"alter A | B | C\n", "pass P\nalter A | B\n", "pass P\ngauge-maximum x\n",
                          "pass P\ndrop X | bit\n", "clean-up C\ndrop X | bit\n", "pass P\nfrobnicate\n"}) {
    EXPECT_THROW(conversions::parsePasses(bad, "bad.passes"), conversions::PassFileError) << bad;
  }
  try {
    conversions::parsePasses("pass P\n\nwhat\n", "f.passes");
  } catch (const conversions::PassFileError& e) {
    EXPECT_STREQ(e.what(), "f.passes:3: unknown directive 'what'");
  }
}

class PassRunTest : public testsupport::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    p = std::make_unique<schema::Primitives>(*connection, progress, [] { return schema::EngineForm::SqlServer; });
  }
  schema::Progress progress;
  std::unique_ptr<schema::Primitives> p;
  std::string currentTable = "Before";
};

Pass conversion(int maximum, std::vector<PassEntry> entries) {
  Pass pass;
  pass.step = "BChangeFields_Test";
  pass.gaugeMaximum = maximum;
  pass.entries = std::move(entries);
  return pass;
}

TEST_F(PassRunTest, AConversionReDeclaresPresentColumnsOnEveryRunAndAddsMissingOnesOnce) {
  prepare("create table A_Furush( ID  int)");
  prepare("ALTER TABLE A_Furush ADD AutoID int");
  const Pass pass = conversion(1, {{PassEntry::Primitive::Alter, "A_Furush", "[AutoID]", "Integer"},
                                   {PassEntry::Primitive::Alter, "A_Furush", "Missing", "bit"},
                                   {PassEntry::Primitive::Alter, "a_nowhere", "id", "Integer"},
                                   {PassEntry::Primitive::Ensure, "A_Furush", "Sat_Shoro_Fa", "int"}});
  conversions::runPass(pass, *p, currentTable);
  EXPECT_EQ(recorder.executed(), (Strings{"ALTER TABLE A_Furush ALTER COLUMN [AutoID] Integer",
                                          "ALTER TABLE A_Furush ADD Sat_Shoro_Fa int"}));
  EXPECT_EQ(progress.step.maximum(), 1);  // full after the first call, and stays full
  EXPECT_EQ(progress.step.progress(), 1);
  EXPECT_EQ(progress.overall.progress(), 1);
  EXPECT_EQ(currentTable, "Before");  // conversions leave CurrentTable alone

  recorder.clear();
  conversions::runPass(pass, *p, currentTable);
  EXPECT_EQ(recorder.executed(), Strings{"ALTER TABLE A_Furush ALTER COLUMN [AutoID] Integer"});
}

Pass cleanUp() {
  Pass pass;
  pass.kind = Pass::Kind::CleanUp;
  pass.step = "Del_FieldsTInf_in_TInf_kala";
  pass.table = "TInformaition";
  for (const char* column : {"NSKh_CK", "OSKh_v", "ASKh_T1"})
    pass.entries.push_back({PassEntry::Primitive::Drop, pass.table, column, "bit"});
  return pass;
}

TEST_F(PassRunTest, TheCleanUpDropsPresentColumnsOnceAndCountsTheTableFirst) {
  prepare("create table TInformaition( ID  int)");
  prepare("ALTER TABLE TInformaition ADD nskh_ck bit");
  prepare("ALTER TABLE TInformaition ADD ASKh_T1 int");
  conversions::runPass(cleanUp(), *p, currentTable);
  EXPECT_EQ(recorder.executed(), (Strings{"ALTER TABLE TInformaition drop column NSKh_CK",
                                          "ALTER TABLE TInformaition drop column ASKh_T1"}));
  EXPECT_EQ(connection->columnNames("TInformaition"), Strings{"ID"});
  EXPECT_EQ(currentTable, "TInformaition");
  EXPECT_EQ(progress.step.maximum(), 3);
  EXPECT_EQ(progress.overall.progress(), 1);

  recorder.clear();
  conversions::runPass(cleanUp(), *p, currentTable);
  EXPECT_TRUE(recorder.executed().empty());
}

TEST_F(PassRunTest, TheCleanUpOnADatabaseWithoutTheTableCreatesAndDropsNothing) {
  conversions::runPass(cleanUp(), *p, currentTable);
  EXPECT_TRUE(recorder.executed().empty());
  EXPECT_EQ(p->countTables(), 0);
  EXPECT_EQ(progress.table.text(), "TInformaition");
  EXPECT_EQ(progress.overall.progress(), 1);
}

}  // namespace
