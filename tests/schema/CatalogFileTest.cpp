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
           Case{"step S\nkey\ncolumn A | int\nline \"x\"\n", "f.catalog:4: a line must follow a query or another line"},
           Case{"step S\nkey\ncommand \"x\"\nline \"y\"\n", "f.catalog:4: a line must follow a query or another line"},
           Case{"step S\nkey\nif-no-rows \"select 1\"\ncolumn A | int\n",
                "f.catalog:4: if-no-rows must be followed by a command or a query"},
           Case{"step S\nkey\nif-no-rows \"select 1\"\n", "f.catalog:4: if-no-rows must be followed by a command or a query"},
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
