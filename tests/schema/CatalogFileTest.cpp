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
