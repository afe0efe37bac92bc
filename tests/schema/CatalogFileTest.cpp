#include <gtest/gtest.h>

#include "schema/CatalogFile.h"

namespace {

using schema::CatalogEntry;
using schema::ColumnEntry;

TEST(CatalogFile, ReadsEveryDirectiveKeepingInnerBlanks) {
  const auto entries = schema::parseCatalog(
      "# comment\n"
      "step A_GMTHesab_kol\n"
      "table A_GMTHesab\n"
      "key ID | Integer\n"
      "column ID |   Integer  PRIMARY KEY  \n"
      "column [To] | nvarchar(50)\r\n"
      "alter Mablag | money\n"
      "\n"
      "defaults extra-tick\n"
      "step GP_DP\n"
      "key\n"
      "column [كد عنوان] | nvarchar(50)\n"
      "gauge after-columns\n"
      "step P_pass_R\n"
      "key ID | integer primary key\n"
      "gauge none\n"
      "no-extra-tick\n",
      "t.catalog");
  ASSERT_EQ(entries.size(), 3u);
  const CatalogEntry& kol = entries[0];
  EXPECT_EQ(kol.step, "A_GMTHesab_kol");
  EXPECT_EQ(kol.table, "A_GMTHesab");
  EXPECT_EQ(kol.columns[0].type, "Integer  PRIMARY KEY");
  EXPECT_EQ(kol.columns[1].name, "[To]");
  EXPECT_EQ(kol.columns[1].type, "nvarchar(50)");
  EXPECT_EQ(kol.columns[2].action, ColumnEntry::Action::Alter);
  EXPECT_FALSE(kol.extraTick);
  EXPECT_EQ(kol.gaugeSetup, CatalogEntry::GaugeSetup::BeforeColumns);

  EXPECT_TRUE(entries[1].keyless());
  EXPECT_EQ(entries[1].table, "GP_DP");
  EXPECT_TRUE(entries[1].extraTick);
  EXPECT_EQ(entries[1].gaugeSetup, CatalogEntry::GaugeSetup::AfterColumns);
  EXPECT_EQ(entries[2].keyType, "integer primary key");
  EXPECT_FALSE(entries[2].extraTick);
  EXPECT_EQ(entries[2].gaugeSetup, CatalogEntry::GaugeSetup::None);
}

TEST(CatalogFile, StatementsKeepTheirBlanksAndTheirPlaceAmongTheColumns) {
  const auto entries = schema::parseCatalog(
      "step P_pass_R\n"
      "key CK | nvarchar(50)\n"
      "pending\n"
      "command \"alter table T alter column A  int \"\n"
      "column NK | nvarchar(50)\n"
      "if-no-rows \"select CK from P_PASS where CK = '1'\"\n"
      "query \" INSERT INTO P_PASS  (CK)\"  \n"
      "line \"  VALUES (1,'\"x\"')  \"\n"
      "query \"alter table T alter column B  int\"\n",
      "t.catalog");
  ASSERT_EQ(entries.size(), 1u);
  const CatalogEntry& e = entries[0];
  EXPECT_TRUE(e.pending);
  ASSERT_EQ(e.statements.size(), 3u);
  using Channel = schema::StepStatement::Channel;
  EXPECT_EQ(e.statements[0].channel, Channel::Command);
  EXPECT_EQ(e.statements[0].lines, (std::vector<std::string>{"alter table T alter column A  int "}));
  EXPECT_EQ(e.statements[0].place, 0u);
  EXPECT_TRUE(e.statements[0].onlyWhenNoRows.empty());
  EXPECT_EQ(e.statements[1].channel, Channel::Query);
  // Everything between the first and the last quote: outer blanks and inner quotes kept.
  EXPECT_EQ(e.statements[1].lines, (std::vector<std::string>{" INSERT INTO P_PASS  (CK)", "  VALUES (1,'\"x\"')  "}));
  EXPECT_EQ(e.statements[1].onlyWhenNoRows, "select CK from P_PASS where CK = '1'");
  EXPECT_EQ(e.statements[1].place, 1u);
  EXPECT_TRUE(e.statements[2].onlyWhenNoRows.empty()) << "a look-up guards only the next statement";
  EXPECT_FALSE(schema::parseCatalog("step S\nkey\n", "t.catalog")[0].pending);
}

TEST(CatalogFile, StagesGuardsParamsAndTheHint) {
  const auto entries = schema::parseCatalog(
      "defaults missing-column-hint \"Upgrade the product's database.\"\n"
      "step P_Sanad_Type\n"
      "key Sanad_CD | integer\n"
      "before-step command \"drop {CurrentTable} \"\n"
      "if-table-missing\n"
      "before-create   command \"create table dbo.{CurrentTable} (x int)\"\n"
      "column Sanad_DSC | nvarchar(150)\n"
      "query \"update p set ng=:p1\"\n"
      "param p1 \"بيمه گذار\"\n"
      "after-ticks command \"create index I on T (a) {CR}WITH (ONLINE = OFF)\"\n",
      "t.catalog");
  ASSERT_EQ(entries.size(), 1u);
  const CatalogEntry& e = entries[0];
  EXPECT_EQ(e.missingColumnHint, "Upgrade the product's database.");
  using Stage = schema::StepStatement::Stage;
  ASSERT_EQ(e.statements.size(), 4u);
  EXPECT_EQ(e.statements[0].stage, Stage::BeforeStep);
  EXPECT_EQ(e.statements[0].lines, (std::vector<std::string>{"drop {CurrentTable} "}));
  EXPECT_FALSE(e.statements[0].onlyWhenTableMissing);
  EXPECT_EQ(e.statements[1].stage, Stage::BeforeCreate);
  EXPECT_TRUE(e.statements[1].onlyWhenTableMissing);
  EXPECT_EQ(e.statements[2].stage, Stage::AmongColumns);
  EXPECT_EQ(e.statements[2].place, 1u);
  EXPECT_EQ(e.statements[2].params, (std::map<std::string, std::string>{{"p1", "بيمه گذار"}}));
  EXPECT_EQ(e.statements[3].stage, Stage::AfterTicks);
  EXPECT_EQ(e.statements[3].lines, (std::vector<std::string>{"create index I on T (a) \rWITH (ONLINE = OFF)"}));
  EXPECT_TRUE(schema::parseCatalog("step S\nkey\n", "t.catalog")[0].missingColumnHint.empty());
}

TEST(CatalogFile, FaultsNameTheFileAndLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  for (const Case& c : {
           Case{"column A | int\n", "f.catalog:1: a step line must come first"},
           Case{"step S\nkey A | int\ncolumn A int\n", "f.catalog:3: expected NAME | TYPE"},
           Case{"step S\ncolumn A | int\n", "f.catalog:1: step S has no key line"},
           Case{"step S\nkey\nkey\n", "f.catalog:3: second key line"},
           Case{"step S\nkey\ngauge sideways\n", "f.catalog:3: unknown gauge placement 'sideways'"},
           Case{"step S\nkey\ncolum A | int\n", "f.catalog:3: unknown directive 'colum'"},
           Case{"step S\nkey\nquery alter table T\n", "f.catalog:3: expected a text in double quotes"},
           Case{"step S\nkey\ncommand \"\"\n", "f.catalog:3: empty text"},
           Case{"step S\nkey\ncolumn A | int\nline \"x\"\n", "f.catalog:4: a line must follow a query, a line or a param"},
           Case{"step S\nkey\ncommand \"x\"\nline \"y\"\n", "f.catalog:4: a line must follow a query, a line or a param"},
           Case{"step S\nkey\nif-no-rows \"select 1\"\ncolumn A | int\n",
                "f.catalog:4: a guard (if-no-rows, if-table-missing) must be followed by a command or a query"},
           Case{"step S\nkey\nif-table-missing\n",
                "f.catalog:4: a guard (if-no-rows, if-table-missing) must be followed by a command or a query"},
           Case{"step S\nkey\nafter-ticks column A | int\n", "f.catalog:3: a stage must be followed by a command or a query"},
           Case{"step S\nkey\ncommand \"x\"\nparam p1 \"y\"\n", "f.catalog:4: a param must follow a query, a line or a param"},
           Case{"step S\nkey\nquery \"x\"\nparam p1\n", "f.catalog:4: expected param NAME \"TEXT\""},
       }) {
    try {
      schema::parseCatalog(c.text, "f.catalog");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const schema::CatalogFileError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

}  // namespace
