// The general-accounting upgrade end to end: morav-update against a fresh embedded instance.
#include <gtest/gtest.h>

#include <algorithm>

#include "catalog/Catalogs.h"
#include "conversions/Passes.h"
#include "db/ConnectionString.h"
#include "db/embedded/EmbeddedConnection.h"
#include "schema/Primitives.h"
#include "support/MoravUpdateFixture.h"

namespace {

using Strings = std::vector<std::string>;

class BenvoUpgrade : public testsupport::MoravUpdateFixture {
 protected:
  // The execute calls of the last run's statement log.
  Strings executed() const {
    Strings texts;
    for (const auto& line : logLines())
      if (line["op"] == "execute") texts.push_back(line["text"]);
    return texts;
  }
  Strings stepsOfReport() const { return report()["steps"].get<Strings>(); }

  std::unique_ptr<db::Connection> openBenvo() const {
    auto c = std::make_unique<db::embedded::EmbeddedConnection>(data.path(), "check");
    c->open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=Benvo");
    return c;
  }
};

void addIfMissing(Strings& columns, const std::string& name) {
  const std::string bare = schema::Primitives::bareColumnName(name);
  if (!schema::Primitives::nameInList(bare, columns)) columns.push_back(bare);
}

// The columns each table has after a first run on an empty catalog: the create's key (or, for
// a keyless entry, its first column), the entries in order, then the columns the passes add.
std::map<std::string, Strings> expectedTables() {
  std::map<std::string, Strings> tables;
  for (const schema::CatalogEntry& e : catalog::entriesOf("benvo.catalog")) {
    Strings& columns = tables[e.table];
    addIfMissing(columns, e.keyless() ? e.columns.front().name : e.keyColumn);
    for (const auto& c : e.columns) addIfMissing(columns, c.name);
  }
  for (const conversions::Pass& pass : conversions::allPasses())
    for (const auto& entry : pass.entries)
      if (entry.primitive == conversions::PassEntry::Primitive::Ensure) addIfMissing(tables.at(entry.table), entry.column);
  return tables;
}

TEST_F(BenvoUpgrade, AFreshCatalogIsBuiltWholeAndLaterRunsOnlyReDeclare) {
  Result r = run({"--product", "Benvo", "--create-database"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(report()["outcome"], "completed");
  EXPECT_EQ(stepsOfReport().size(), 180u);
  EXPECT_EQ(report()["reconnects"], 14);

  {
    auto benvo = openBenvo();
    const auto expected = expectedTables();
    EXPECT_EQ(benvo->tableNames().size(), 176u);
    for (const auto& [table, columns] : expected) EXPECT_EQ(benvo->columnNames(table), columns) << table;
  }

  r = run({"--product", "Benvo"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Strings second = executed();
  ASSERT_FALSE(second.empty());
  for (const std::string& text : second)
    EXPECT_NE(text.find(" ALTER COLUMN "), std::string::npos) << "a second run sent: " << text;
  const std::string secondLog = testsupport::readFile(log());

  r = run({"--product", "Benvo"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(testsupport::readFile(log()), secondLog);

  r = run({"--product", "Benvo", "--no-autonum"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const Strings steps = stepsOfReport();
  EXPECT_EQ(steps.size(), 179u);
  EXPECT_EQ(std::count(steps.begin(), steps.end(), "BChangeFields_Autonum"), 0);
  EXPECT_EQ(Strings(steps.end() - 2, steps.end()), (Strings{"BChangeFields_NullValue", "BChangeFields_Other"}));
}

TEST_F(BenvoUpgrade, ARunInterruptedByALostConnectionCompletesWhenRunAgain) {
  ASSERT_EQ(run({"--product", "Talvo", "--create-database"}).exitCode, 0);
  ASSERT_EQ(run({"--product", "Benvo", "--create-database"}, true, {{"MORAV_ENGINE_DROP_AT", "2500"}}).exitCode, 1);
  EXPECT_EQ(report()["outcome"], "failed");
  const Result r = run({"--product", "Benvo"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  auto benvo = openBenvo();
  for (const auto& [table, columns] : expectedTables()) EXPECT_EQ(benvo->columnNames(table), columns) << table;
}

}  // namespace
