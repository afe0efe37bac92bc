// The touch-screen, internet-service, restaurant, office-automation, treasury and insurance
// upgrades end to end: morav-update against fresh embedded catalogs and Access files, and the
// insurance product's previous-version database.
#include <gtest/gtest.h>

#include <map>

#include "catalog/Catalogs.h"
#include "db/embedded/EmbeddedConnection.h"
#include "schema/Primitives.h"
#include "support/MoravUpdateFixture.h"
#include "support/SqlScript.h"

namespace {

using Strings = std::vector<std::string>;

struct Product {
  const char* code;
  const char* catalogFile;
  size_t steps;
  int reconnects;
};

void PrintTo(const Product& p, std::ostream* os) { *os << p.code; }

class ProductUpgrade : public testsupport::MoravUpdateFixture {
 protected:
  Strings textsOf(const char* op) const {
    Strings texts;
    for (const auto& line : logLines())
      if (line["op"] == op) texts.push_back(line["text"]);
    return texts;
  }
  Strings stepsOfReport() const { return report()["steps"].get<Strings>(); }

  std::unique_ptr<db::Connection> openCatalog(const std::string& code) const {
    auto c = std::make_unique<db::embedded::EmbeddedConnection>(data.path(), "check");
    c->open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + code);
    return c;
  }
  std::unique_ptr<db::Connection> openAccessFile(const std::filesystem::path& file) const {
    auto c = std::make_unique<db::embedded::EmbeddedConnection>(data.path(), "check");
    c->open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.string());
    return c;
  }
  static std::string scalar(db::Connection& c, const std::string& query) {
    const db::Rows rows = c.query({query}, {}, db::QueryMode::Open);
    return rows.empty() || !rows.values[0][0] ? "(none)" : *rows.values[0][0];
  }
};

void addIfMissing(Strings& columns, const std::string& name) {
  const std::string bare = schema::Primitives::bareColumnName(name);
  if (!schema::Primitives::nameInList(bare, columns)) columns.push_back(bare);
}

// The columns each table has after a first run on an empty SQL Server catalog: the create's
// key, then the entries in order.
std::map<std::string, Strings> expectedTables(const char* catalogFile) {
  std::map<std::string, Strings> tables;
  for (const schema::CatalogEntry& e : catalog::entriesOf(catalogFile)) {
    Strings& columns = tables[e.table];
    addIfMissing(columns, e.keyColumn);
    for (const auto& c : e.columns) addIfMissing(columns, c.name);
  }
  return tables;
}

class CompleteProduct : public ProductUpgrade, public ::testing::WithParamInterface<Product> {};

TEST_P(CompleteProduct, AFreshCatalogIsBuiltWholeAndASecondRunAddsNothing) {
  const Product& p = GetParam();
  Result r = run({"--product", p.code, "--create-database"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(report()["outcome"], "completed");
  EXPECT_EQ(stepsOfReport().size(), p.steps);
  EXPECT_EQ(report()["reconnects"], p.reconnects);
  {
    auto target = openCatalog(p.code);
    const auto expected = expectedTables(p.catalogFile);
    EXPECT_EQ(target->tableNames().size(), expected.size());
    for (const auto& [table, columns] : expected) EXPECT_EQ(target->columnNames(table), columns) << table;
  }

  r = run({"--product", p.code});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(stepsOfReport().size(), p.steps);
  EXPECT_EQ(report()["reconnects"], p.reconnects);
  EXPECT_EQ(textsOf("execute"), Strings{}) << "no table created, no column added, nothing dropped";
}

TEST_P(CompleteProduct, AnAccessFileIsUpgradedTwice) {
  const Product& p = GetParam();
  const auto file = work / "target.mdb";
  const Strings access = {"--product", p.code, "--engine", "access", "--access-file", file.string()};
  Strings first = access;
  first.push_back("--create-database");
  Result r = run(first);
  // Jet creates a table without columns and the restaurant lists leave the key out, so P_Pass
  // has no CK to look the administrator up by.
  if (std::string(p.code) == "Rivavaruz") {
    ASSERT_EQ(r.exitCode, 1);
    EXPECT_EQ(stepsOfReport().back(), "P_pass_R");
    EXPECT_EQ(report()["error"]["message"], "Invalid column name 'CK'.");
    r = run(access);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(textsOf("execute"), Strings{});
    return;
  }
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(stepsOfReport().size(), p.steps);
  EXPECT_TRUE(openAccessFile(file)->tableNames().size() == expectedTables(p.catalogFile).size());
  r = run(access);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(textsOf("execute"), Strings{});
}

INSTANTIATE_TEST_SUITE_P(Products, CompleteProduct,
                         ::testing::Values(Product{"Zemtrio", "zemtrio.catalog", 19, 2},
                                           Product{"Vedizi2", "vedizi2.catalog", 49, 4},
                                           Product{"Rivavaruz", "rivavaruz.catalog", 13, 1},
                                           Product{"Pelix", "pelix.catalog", 8, 0}),
                         [](const auto& info) { return std::string(info.param.code); });

TEST_F(ProductUpgrade, TheActivityLogIsReplacedOnlyWhileItHasTheOldLayout) {
  ASSERT_EQ(run({"--product", "Vedizi2", "--create-database"}).exitCode, 0);
  {
    // The log as an older version left it.
    auto target = openCatalog("Vedizi2");
    target->execute("drop table Login");
    target->execute("create table LOGIN (ID int, Ta nvarchar(50), Karbar nvarchar(100))");
    target->execute("insert into LOGIN (ID, Ta, Karbar) values (1, '1390/01/01', 'old')");
  }
  ASSERT_EQ(run({"--product", "Vedizi2"}).exitCode, 0);
  EXPECT_EQ(textsOf("execute").front(), "drop table LOGIN");
  {
    auto target = openCatalog("Vedizi2");
    EXPECT_EQ(target->columnNames("Login"), (Strings{"ID", "Ta", "Saat", "CKarbar", "Name_Form", "Name_Amal",
                                                     "Sharh_Amal", "Noe_Amal"}));
    target->execute("insert into Login (ID, Ta) values (7, '1403/05/01')");
  }
  ASSERT_EQ(run({"--product", "Vedizi2"}).exitCode, 0);
  EXPECT_EQ(textsOf("execute"), Strings{});
  auto target = openCatalog("Vedizi2");
  EXPECT_EQ(scalar(*target, "select count(*) from Login where ID = 7"), "1") << "the log keeps its rows";
}

TEST_F(ProductUpgrade, TheRestaurantAdministratorIsSeededOnceAndTheSettingsReDeclaredEveryRun) {
  ASSERT_EQ(run({"--product", "Rivavaruz", "--create-database"}).exitCode, 0);
  ASSERT_EQ(run({"--product", "Rivavaruz"}).exitCode, 0);
  const Strings queries = textsOf("query");
  ASSERT_GE(queries.size(), 8u);
  EXPECT_EQ(Strings(queries.end() - 8, queries.end()),
            (Strings{"alter table Setting alter column Auto_back  integer",
                     "alter table Setting alter column Auto_print  integer",
                     "alter table Setting alter column Auto_New  integer",
                     "alter table Setting alter column preview  integer",
                     "alter table Setting alter column TO_P1  integer", "alter table Setting alter column TO_P2  integer",
                     "alter table Setting alter column TO_P3  integer", "select CK from P_PASS where CK = '1'"}));
  auto target = openCatalog("Rivavaruz");
  EXPECT_EQ(scalar(*target, "select count(*) from P_Pass"), "1");
  EXPECT_EQ(scalar(*target, "select NK from P_Pass where CK = '1'"), "مديري سيستم");
  EXPECT_EQ(scalar(*target, "select PASSWORD from P_Pass where CK = '1'"), "1");
  EXPECT_EQ(scalar(*target, "select count(*) from P_Pass where en_qoz = 1 and en_set = 1"), "1");
}

TEST_F(ProductUpgrade, TheTreasuryRunsToItsFirstObjectStepWithItsLedgersUserCodeAsText) {
  const Result r = run({"--product", "Koltar", "--create-database"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(report()["error"]["message"], "Step 'FN_Last_Reminder' is not available in this version of the updater.");
  EXPECT_EQ(stepsOfReport().size(), 10u);
  EXPECT_EQ(report()["reconnects"], 1);
  auto target = openCatalog("Koltar");
  for (const char* table : {"A_GMTHesab", "A_GMTHESAB_OLD"})
    EXPECT_EQ(scalar(*target, std::string("select DATA_TYPE from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = '") +
                                  table + "' and COLUMN_NAME = 'CK'"),
              "nvarchar")
        << table;
}

// On an empty catalog the insurance run stops at the first statement that names a column of
// the product's own (P_TTHESAB_I), with the server's message and what the operator must know.
TEST_F(ProductUpgrade, TheInsuranceRunOnAnEmptyCatalogStopsWhereTheProductsOwnColumnsAreNamed) {
  for (const char* code : {"Zedidover", "Ruvan"}) {
    const Result r = run({"--product", code, "--create-database"});
    EXPECT_EQ(r.exitCode, 1) << code;
    const std::string message = report()["error"]["message"];
    EXPECT_TRUE(message.starts_with("ALTER TABLE ALTER COLUMN failed because column 'pursant_yuzda' does not exist"))
        << message;
    EXPECT_NE(message.find("completes an existing database of the insurance-office product"), std::string::npos)
        << message;
    const Strings steps = stepsOfReport();
    ASSERT_FALSE(steps.empty());
    EXPECT_EQ(steps.front(), "A_AQSAT_I");
    EXPECT_EQ(steps.back(), "P_TTHESAB_I");
  }
}

// On the previous version's database the table steps complete, twice, and the calendar
// functions are installed (the second run replaces them), up to the first object step whose
// text this version does not carry yet.
class PreviousInsuranceVersion : public ProductUpgrade {
 protected:
  void SetUp() override {
    ProductUpgrade::SetUp();
    db::embedded::EmbeddedConnection setup(data.path(), "setup");
    setup.open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=master");
    setup.execute("create database Zedidover");
    setup.close();
    setup.open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Initial Catalog=Zedidover");
    testsupport::runScriptFile(setup, MORAV_SOURCE_DIR "/samples/zedidover-previous.sql");
  }
};

TEST_F(PreviousInsuranceVersion, TheRunGoesOnToItsFirstObjectStepWithTheCalendarFunctions) {
  for (int run = 1; run <= 2; ++run) {
    const Result r = this->run({"--product", "Zedidover"});
    EXPECT_EQ(r.exitCode, 1) << "run " << run;
    EXPECT_EQ(report()["error"]["message"],
              "Step 'BtnF_DOSYA_ARASHTIR' is not available in this version of the updater.");
    const Strings steps = stepsOfReport();
    ASSERT_GE(steps.size(), 3u);
    EXPECT_EQ(Strings(steps.end() - 3, steps.end()), (Strings{"Fn_Milad2shamsi", "Fn_DayDiff", "BtnF_DOSYA_ARASHTIR"}));
    auto target = openCatalog("Zedidover");
    EXPECT_EQ(scalar(*target, "select count(*) from sys.objects where type = 'FN' and name in "
                              "('Fn_Miladi2shamsi', 'Fn_Daydiff')"),
              "2")
        << "run " << run;
  }
}

// A table under a function's name: its drop is refused and the run ends at that step.
TEST_F(PreviousInsuranceVersion, ATableUnderAnObjectsNameEndsTheRunAtItsStep) {
  openCatalog("Zedidover")->execute("create table Fn_Miladi2shamsi (a int)");
  const Result r = run({"--product", "Zedidover"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(report()["error"]["message"],
            "Cannot use DROP FUNCTION with 'Fn_Miladi2shamsi' because 'Fn_Miladi2shamsi' is a table. Use DROP TABLE.");
  EXPECT_EQ(stepsOfReport().back(), "Fn_Milad2shamsi");
  const Strings executed = textsOf("execute");
  ASSERT_FALSE(executed.empty());
  EXPECT_EQ(executed.back(), "IF OBJECT_ID('DBO.Fn_Miladi2shamsi') IS NOT NULL DROP FUNCTION DBO.Fn_Miladi2shamsi");
}

}  // namespace
