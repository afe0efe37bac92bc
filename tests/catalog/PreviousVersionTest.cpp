// The insurance database as the previous version leaves it (samples/zedidover-previous.sql):
// the script loads on the embedded engine; it holds every catalog table, the product's own
// columns that the upgrade reads and never adds, the older forms the upgrade converts; its
// rows join and leave the upgrade's new keys and unique indexes satisfiable. Also the script
// loader itself.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CatalogTestSupport.h"
#include "catalog/Catalogs.h"
#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"
#include "support/SqlScript.h"
#include "support/TempDir.h"

namespace {

using catalogtest::bare;
using catalogtest::lower;
using testsupport::splitScript;

// --- the loader --------------------------------------------------------------------------

TEST(SqlScriptTest, SplitsAtASemicolonThatEndsALineOutsideQuotesAndBrackets) {
  const auto statements = splitScript(
      "-- heading; not a statement\n"
      "create table T (\n"
      "    [a;b] int, c nvarchar(10)\n"
      ");\n"
      "\n"
      "insert into T (c) values ('x;\n"
      "y');   -- the quote closes here;\n"
      "insert into T (c) values (N'it''s; fine'); insert into T (c) values ('z') ;\n");
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[0].text, "create table T (\n    [a;b] int, c nvarchar(10)\n)");
  EXPECT_EQ(statements[0].line, 2);
  EXPECT_EQ(statements[1].text, "insert into T (c) values ('x;\ny')");
  EXPECT_EQ(statements[1].line, 6);
  // Two statements on one line travel together, as one batch.
  EXPECT_EQ(statements[2].text, "insert into T (c) values (N'it''s; fine'); insert into T (c) values ('z')");
  EXPECT_EQ(statements[2].line, 8);
}

TEST(SqlScriptTest, TheLastStatementNeedsNoLineEndButATerminator) {
  EXPECT_EQ(splitScript("select 1;").size(), 1u);
  EXPECT_TRUE(splitScript("  \n-- only a comment\n").empty());
  try {
    splitScript("select 1;\n\nselect 2\n");
    FAIL() << "an unterminated statement was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
  try {
    splitScript("select 1;\ninsert into T values ('open;\n");
    FAIL() << "an open quote was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
  }
}

TEST(SqlScriptTest, ARefusedStatementIsReportedWithItsFileAndLine) {
  testsupport::TempDir dir;
  const auto script = dir / "broken.sql";
  {
    std::ofstream out(script);
    out << "create table T (a int);\n-- the next one names a missing table\ninsert into U (a) values (1);\n";
  }
  db::embedded::EmbeddedConnection connection(dir.path());
  connection.open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=master");
  connection.execute("create database Broken");
  connection.close();
  connection.open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=Broken");
  try {
    testsupport::runScriptFile(connection, script);
    FAIL() << "the refused insert went unreported";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.number(), 208);  // Invalid object name
    EXPECT_NE(e.message().find("broken.sql:3: "), std::string::npos) << e.message();
  }
}

// --- the previous version's database -----------------------------------------------------

class PreviousVersionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<testsupport::TempDir>();
    connection_ = std::make_unique<db::embedded::EmbeddedConnection>(dir_->path());
    connection_->open(connectionString("master"));
    connection_->execute("create database Zedidover");
    connection_->close();
    connection_->open(connectionString("Zedidover"));
    testsupport::runScriptFile(*connection_, MORAV_SOURCE_DIR "/samples/zedidover-previous.sql");
  }
  static void TearDownTestSuite() {
    connection_.reset();
    dir_.reset();
  }

  static std::string connectionString(const std::string& catalog) {
    return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + catalog;
  }
  static db::Rows rows(const std::string& sql) { return connection_->query({sql}, {}, db::QueryMode::Open); }
  static long count(const std::string& sql) {
    const db::Rows r = rows(sql);
    return std::stol(r.values.at(0).at(0).value());
  }
  static const schema::CatalogEntry& entryFor(const std::string& table) {
    for (const auto& e : catalog::entriesOf("zedidover.catalog"))
      if (lower(e.table) == lower(table)) return e;
    throw std::runtime_error("no insurance step works on " + table);
  }

  // Loaded once: the tests only read.
  static inline std::unique_ptr<testsupport::TempDir> dir_;
  static inline std::unique_ptr<db::embedded::EmbeddedConnection> connection_;
};

TEST_F(PreviousVersionTest, HoldsExactlyTheTablesOfTheInsuranceCatalog) {
  std::set<std::string> expected;
  for (const auto& e : catalog::entriesOf("zedidover.catalog")) expected.insert(lower(e.table));
  std::set<std::string> present;
  for (const auto& name : connection_->tableNames()) present.insert(lower(name));
  EXPECT_EQ(present, expected);
}

// Columns that the upgrade's statements or the installed objects read and no step adds: the
// product's base columns, which only the previous version can have provided.
TEST_F(PreviousVersionTest, HasTheBaseColumnsThatNoStepEnsures) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> readButNeverEnsured = {
      // The policy status view's 21, then those the import writes and the vouchers read.
      {"Sudur",
       {"TA_SUDUR", "CB", "NB", "CTH", "NTH", "Pursant_Codu", "PURSANT_AD", "PURSANT_PERCENT", "BASHLANISH",
        "QURTULUSH", "per_karmozd", "SH_R", "PER_MALIYAT", "PER_AVAREZ", "per_kasr_karmozd", "SH_RP", "JMMaliyat",
        "SH_A", "SH_AP", "JMBIMEH", "mab_karmozd", "JJarimeh", "CA", "NA", "SH_SANAD", "CGB", "NGB", "MAB_PURSANT",
        "toz", "MAB_BIMEH", "TAKH", "TAKH_PER", "MN_SUDUR", "JKDaryafti", "JKPardakhti", "MAB_MALIYAT", "MAB_AVAREZ",
        "SA", "CK", "NK", "mab_kasr_karmozd", "AKH_TA", "vaz_tasviye", "Akh_Ta_P", "JMAqsat"}},
      {"P_TTHESAB", {"NG", "[TO]", "pursant_yuzda", "NTH", "MOB", "MA", "MN"}},
      {"A_Sharh_Aqsat", {"RowID"}},
      {"A_PARDAKHT", {"TA", "CG", "CTH", "JNAQD", "JCHEK", "JHAVALEH", "JCHASHKHAS", "JKOL", "[TO]"}},
      {"A_GMTHESAB", {"AKH_TA", "Karmozd_day"}},
  };
  for (const auto& [table, columns] : readButNeverEnsured) {
    std::set<std::string> present;
    for (const auto& name : connection_->columnNames(table)) present.insert(bare(name));
    std::set<std::string> ensured;
    for (const auto& c : entryFor(table).columns) ensured.insert(bare(c.name));
    for (const auto& column : columns) {
      EXPECT_TRUE(present.count(bare(column))) << table << " lacks " << column;
      EXPECT_FALSE(ensured.count(bare(column))) << table << "." << column << " is ensured by a step now";
    }
  }
}

// Every conversion the upgrade sends finds the column in another form, so that it has work to
// do; the keys it adds only when missing are missing, and the ones it replaces are there.
TEST_F(PreviousVersionTest, LeavesTheUpgradeItsConversionsAndKeysToDo) {
  struct Target {
    const char* table;
    const char* column;
    const char* type;
    int length;  // characters; 0 for a type without one
    bool nullable;
  };
  const Target conversions[] = {
      {"A_ASNAD", "SHARH", "nvarchar", 150, true},      {"A_ENTEQAL", "BABAT", "nvarchar", 250, true},
      {"A_CDARYAFTI", "SeriNo", "varchar", 50, false},  {"A_GHAVALEH", "NA", "nvarchar", 150, true},
      {"A_GHAVALEH", "SH_R", "int", 0, false},          {"A_GHAVALEH", "CA", "int", 0, false},
      {"A_GMSANDUQ", "NA", "nvarchar", 150, true},      {"A_GMSANDUQ", "SH_R", "int", 0, false},
      {"A_GMSANDUQ", "CA", "int", 0, false},            {"A_GMTHESAB", "SA", "nvarchar", 20, true},
      {"A_GMTHESAB", "NA", "nvarchar", 250, true},      {"A_GMTHESAB", "NTH", "nvarchar", 150, true},
      {"A_GMTHESAB", "SHARH", "nvarchar", 250, true},   {"A_Sharh_Aqsat", "RowID", "int", 0, false},
      {"Sudur", "SH_B", "nvarchar", 50, false},         {"P_TBIMEH", "per_karmozd", "float", 0, true},
      {"P_TTHESAB", "ADR", "nvarchar", 250, true},      {"P_TTHESAB", "pursant_yuzda", "float", 0, true},
      {"P_TTHESAB", "TO", "nvarchar", 250, true},       {"T_SMS_Inbox", "SMS_TEXT", "nvarchar", 450, true},
      {"P_TBimeh_Wage_DT", "Ins_com_cd", "int", 0, false}, {"T_Import_Pattern", "F_SHB", "nvarchar", 250, true},
      {"T_AccAsnad", "SanadID_Form", "nvarchar", 20, false}, {"T_Lottery_Dt", "ServiceType", "nvarchar", 100, true},
  };
  for (const Target& t : conversions) {
    const db::Rows r = rows(std::string("select DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE from "
                                        "INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = '") +
                            t.table + "' and COLUMN_NAME = '" + t.column + "'");
    ASSERT_EQ(r.size(), 1u) << t.table << "." << t.column;
    const auto& v = r.values[0];
    const std::string type = lower(v[0].value_or(""));
    const int length = v[1] ? std::stoi(*v[1]) : 0;
    const bool nullable = v[2].value_or("") == "YES";
    EXPECT_TRUE(type != t.type || length != t.length || nullable != t.nullable)
        << t.table << "." << t.column << " is already in the form the upgrade gives it";
  }

  std::set<std::string> keys;
  for (const auto& row : rows("select name from sys.key_constraints").values) keys.insert(lower(row[0].value()));
  for (const char* replaced : {"PK_A_CDARYAFTI", "PK_A_FASQ", "PK_A_GHAVALEH"})
    EXPECT_TRUE(keys.count(lower(replaced))) << replaced;
  for (const char* added : {"PK_SUDUR", "PK_A_GMSANDUQ", "PK_A_SHARH_AQSAT", "PK_A_CDARYAFTI_NEW", "PK_TBimeh_Wage_DT"})
    EXPECT_FALSE(keys.count(lower(added))) << added;
  EXPECT_EQ(count("select count(*) from sys.key_constraints where parent_object_id = object_id('Sudur')"), 0);
}

// The rows the upgrade's numbering, defaults and guarded seeds are about.
TEST_F(PreviousVersionTest, HoldsTheRowsOfTheUpgradesHarderCases) {
  EXPECT_GT(count("select count(*) from A_FASQ where SH_ID is null"), 0);
  EXPECT_GT(count("select count(*) from A_FASQ where SH_ID is not null"), 0);
  EXPECT_GT(count("select count(*) from A_Sharh_Aqsat where RowID is null"), 0);
  EXPECT_GT(count("select count(*) from A_Sharh_Aqsat where RowID is not null"), 0);
  EXPECT_GT(count("select count(*) from A_CDARYAFTI where SeriNo = ''"), 0);
  EXPECT_GT(count("select count(*) from A_CDARYAFTI where SeriNo is null"), 0);
  EXPECT_GT(count("select count(*) from P_TBimeh_Wage_DT where Ins_com_cd is null"), 0);
  EXPECT_GT(count("select count(*) from P_TBimeh_Wage_DT where Wage_Year is null"), 0);
  EXPECT_GT(count("select count(*) from P_TTHESAB where CG = 2 and NG <> N'بيمه گذار'"), 0);
  EXPECT_GT(count("select count(*) from P_TGHAZINEH"), 0);
  EXPECT_GT(count("select count(*) from P_Sanad_Type"), 0);
  EXPECT_EQ(count("select count(*) from T_AccCode where ID = 0"), 0);
  EXPECT_GT(count("select count(*) from T_AccCode"), 0);
}

// Codes that name a row of another table name one that exists.
TEST_F(PreviousVersionTest, ItsRowsJoin) {
  struct Reference {
    const char* table;
    const char* column;
    const char* parent;
    const char* key;
    const char* only;  // a condition on the referring rows, or ""
  };
  const Reference references[] = {
      {"Sudur", "CTH", "P_TTHESAB", "CTH", ""},
      {"Sudur", "INS_COM_CD", "P_TTHESAB", "CTH", ""},
      {"Sudur", "Pursant_Codu", "P_TTHESAB", "CTH", "Pursant_Codu > 0"},
      {"Sudur", "SH_R", "A_DARYAFT", "SH_R", ""},
      {"Sudur", "SH_RP", "A_PARDAKHT", "SH_R", ""},
      {"Sudur", "SH_A", "A_AQSAT", "SH_A", ""},
      {"Sudur", "SH_AP", "A_AQSAT", "SH_A", ""},
      {"Sudur", "ID_EHBTH_ONLINE", "A_EHBTH", "ID", ""},
      {"Sudur", "ID_EHBTH_NORMAL", "A_EHBTH", "ID", ""},
      {"A_DARYAFT", "CTH", "P_TTHESAB", "CTH", ""},
      {"A_DARYAFT", "Babat_SH_B", "Sudur", "SH_B", ""},
      {"A_PARDAKHT", "CTH", "P_TTHESAB", "CTH", ""},
      {"A_PARDAKHT", "Babat_SH_B", "Sudur", "SH_B", ""},
      {"A_CDARYAFTI", "SH_R", "A_DARYAFT", "SH_R", ""},
      {"A_CDARYAFTI", "CTH", "P_TTHESAB", "CTH", ""},
      {"A_CDARYAFTI", "SH_RB", "A_GMTHESAB", "ID", ""},
      {"A_CPARDAKHTI", "SH_R", "A_PARDAKHT", "SH_R", ""},
      {"A_CPARDAKHTI", "SHSERIAL", "A_CDARYAFTI", "SHSERIAL", "IS_ASH = 1"},
      {"A_AQSAT", "SH_B", "Sudur", "SH_B", ""},
      {"A_AQSAT", "CTH", "P_TTHESAB", "CTH", ""},
      {"A_Sharh_Aqsat", "SH_A", "A_AQSAT", "SH_A", ""},
      {"A_Sharh_Aqsat", "SH_RP", "A_PARDAKHT", "SH_R", ""},
      // An instalment line names the receipt that settled it, a life instalment its ledger row.
      {"A_Sharh_Aqsat", "SH_R", "A_DARYAFT", "SH_R", "SH_A in (select SH_A from A_AQSAT where NOE_AQSAT not like N'%عمر%')"},
      {"A_Sharh_Aqsat", "SH_R", "A_GMTHESAB", "ID", "SH_A in (select SH_A from A_AQSAT where NOE_AQSAT like N'%عمر%')"},
      {"A_FASQ", "SH_B", "Sudur", "SH_B", ""},
      {"A_GMTHESAB", "SH_B", "Sudur", "SH_B", ""},
      {"A_GMTHESAB", "CTH", "P_TTHESAB", "CTH", ""},
      {"A_GMSANDUQ", "CS", "P_TSanduq", "CASH_CD", ""},
      {"A_GMSANDUQ", "SH_R", "A_DARYAFT", "SH_R", "CA = 2"},
      {"A_GMSANDUQ", "SH_R", "A_PARDAKHT", "SH_R", "CA = 3"},
      {"A_GHAVALEH", "SH_HESAB", "P_THESAB_BANKI", "SHHesab", ""},
      {"A_GHAVALEH", "SH_R", "A_DARYAFT", "SH_R", "CA = 2"},
      {"A_GHAVALEH", "SH_R", "A_PARDAKHT", "SH_R", "CA = 3"},
      {"A_GHAVALEH", "SH_R", "A_ENTEQAL", "ID", "CA = 11"},
      {"A_EHBTH", "CTH_BED", "P_TTHESAB", "CTH", ""},
      {"A_EHBTH", "CTH_BES", "P_TTHESAB", "CTH", ""},
      {"A_BHAZINEH", "CH", "P_THazineh", "CH", ""},
      {"P_THazineh", "CG", "P_TGHAZINEH", "CGH", ""},
      {"A_BDaramad", "CD", "P_TDaramad", "CD", ""},
      {"P_TDaramad", "CG", "P_TGDaramad", "CGD", ""},
      {"P_Cash_Users", "CK", "P_INFO", "CK", ""},
      {"P_Cash_Users", "CASH_CD", "P_TSanduq", "CASH_CD", ""},
      {"P_TKarmozd", "INS_CD", "P_TTHESAB", "CTH", ""},
      {"P_TKarmozd", "BZR_CD", "P_TTHESAB", "CTH", ""},
      {"P_KAR_OMR", "sh_b", "Sudur", "SH_B", ""},
      {"T_Advantages", "SH_B", "Sudur", "SH_B", ""},
      {"T_Advantages", "Formula_ID", "T_Advantage_Formulas", "Formula_ID", ""},
      {"T_Insured", "SH_B", "Sudur", "SH_B", ""},
      {"T_Credit_Cash", "INS_COM_CD", "P_TTHESAB", "CTH", ""},
      {"T_Credit_Cash_History", "Cash_CD", "T_Credit_Cash", "Cash_CD", ""},
      {"T_Credit_Cash_History", "SH_B", "Sudur", "SH_B", ""},
      {"T_CureCost", "SH_B", "Sudur", "SH_B", ""},
      {"T_CureCost", "CureID", "P_TCure", "CureID", ""},
      {"T_SMS_Vote_Dt", "VOTE_ID", "T_SMS_Vote", "VOTE_ID", ""},
      {"T_Lottery_Dt", "LotteryID", "T_Lottery", "LotteryID", ""},
      {"T_Lottery_Winner", "LotteryID_Dt", "T_Lottery_Dt", "ID", ""},
      {"T_AccCode", "FatherID", "T_AccCode", "ID", "FatherID <> -1"},
      {"T_AccCode_Forms", "Form_FatherAccID", "T_AccCode", "ID", ""},
      {"T_AccCode_FormCode", "AccID", "T_AccCode", "ID", ""},
      {"T_AccCode_FormCode", "FormName", "T_AccCode_Forms", "FormName", ""},
      {"T_AccAsnad", "AccID", "T_AccCode", "ID", ""},
  };
  for (const Reference& r : references) {
    std::string sql = std::string("select count(*) from ") + r.table + " c where c." + r.column +
                      " is not null and not exists (select 1 from " + r.parent + " p where p." + r.key + " = c." +
                      r.column + ")";
    if (*r.only) sql += std::string(" and ") + r.only;
    EXPECT_EQ(count(sql), 0) << r.table << "." << r.column << " names a missing " << r.parent << "." << r.key;
    EXPECT_GT(count(std::string("select count(*) from ") + r.table + " where " + r.column + " is not null" +
                    (*r.only ? std::string(" and ") + r.only : "")),
              0)
        << r.table << "." << r.column << " names nothing: the reference is not exercised";
  }
}

// The keys and unique indexes the upgrade adds find no duplicates (or NULLs in key columns,
// after the defaults the upgrade gives them), so the sample upgrades on its data.
TEST_F(PreviousVersionTest, SatisfiesTheKeysAndUniqueIndexesTheUpgradeAdds) {
  const std::pair<const char*, const char*> uniques[] = {
      {"A_AQSAT", "SH_A, SH_B, NOE_AQSAT"},
      {"A_CDARYAFTI", "SHSERIAL, isnull(nullif(SeriNo, ''), '0')"},
      {"A_FASQ where SH_ID is not null", "SH_B, SH_ID"},
      {"A_GHAVALEH", "ID"},
      {"A_GHAVALEH", "SH_R, CA"},
      {"A_GMSANDUQ", "SH_R, CA"},
      {"A_Sharh_Aqsat where RowID is not null", "RowID"},
      {"Sudur", "SH_B"},
      {"P_TBimeh_Wage_DT", "isnull(Ins_com_cd, 1), CB, isnull(Wage_Year, '')"},
      {"T_Credit_Cash", "INS_COM_CD"},
      {"T_AccCode", "AccCode, FatherID"},
      {"T_AccCode_Forms", "FormName, Form_FatherAccID"},
      {"T_AccCode_FormCode", "FormName, AccID"},
      {"T_AccCode_FormCode", "FormName, FormCode"},
      {"T_AccCode_FormCode", "AccID, FormCode"},
  };
  for (const auto& [table, columns] : uniques)
    EXPECT_EQ(count(std::string("select count(*) from (select count(*) n from ") + table + " group by " + columns +
                    " having count(*) > 1) d"),
              0)
        << table << " (" << columns << ") has duplicates";
  for (const char* notNull : {"A_GHAVALEH where SH_R is null or CA is null", "A_GMSANDUQ where SH_R is null or CA is null",
                              "Sudur where SH_B is null", "A_FASQ where SH_B is null", "T_AccAsnad where SanadID_Form is null"})
    EXPECT_EQ(count(std::string("select count(*) from ") + notNull), 0) << notNull;
}

}  // namespace
