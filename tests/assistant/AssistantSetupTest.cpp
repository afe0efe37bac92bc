#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "assistant/AssistantSetup.h"
#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"
#include "db/embedded/TestHooks.h"
#include "support/RecordingObserver.h"
#include "support/TempDir.h"

namespace {

using Strings = std::vector<std::string>;

struct AssistantSetupTest : ::testing::Test {
  testsupport::TempDir dir;
  db::embedded::EmbeddedConnection query{dir.path(), "assistant-setup"};
  db::embedded::EmbeddedConnection connection{dir.path(), "assistant"};
  testsupport::RecordingObserver recorder;
  schema::Label label;

  void SetUp() override {
    query.addObserver(&recorder);
    connection.addObserver(&recorder);
  }
  bool runSetup() {
    assistant::Setup setup{query, connection, label, true, {}};
    return setup.run();
  }
};

TEST_F(AssistantSetupTest, CreatesTheMissingCatalogWithItsThreeTables) {
  EXPECT_TRUE(runSetup());
  const Strings executed = recorder.executed();
  ASSERT_GE(executed.size(), 3u);
  EXPECT_EQ(executed[0], "create database BenvoAssistant");
  EXPECT_EQ(executed[1], "create table P_Sherkat( ID  Integer primary key (ID))");
  EXPECT_EQ(executed[2], "ALTER TABLE P_Sherkat ADD NameSherkat nvarchar(250)");
  // Each key's second entry adds nothing: 3 creates and 1 + 10 + 10 additions.
  EXPECT_EQ(executed.size(), 1u + 3u + 21u);
  EXPECT_EQ(connection.columnNames("P_DMali").size(), 11u);
  EXPECT_EQ(connection.columnNames("Login").back(), "Name_DataBase");
  EXPECT_EQ(label.text(), "Login");

  const auto& first = recorder.entries().front().call;
  EXPECT_EQ(first.op, db::Op::Open);
  EXPECT_EQ(first.text, assistant::kMasterConnectionString);
}

// The columns each assistant table has once it is complete: the key, then the entries.
std::map<std::string, Strings> completeTables() {
  std::map<std::string, Strings> tables;
  for (const schema::CatalogEntry& entry : assistant::tables()) {
    Strings& columns = tables[entry.table];
    columns.push_back(entry.keyColumn);
    for (const auto& column : entry.columns)
      if (std::find(columns.begin(), columns.end(), column.name) == columns.end()) columns.push_back(column.name);
  }
  return tables;
}

void expectComplete(db::Connection& catalog, const std::string& context) {
  EXPECT_EQ(catalog.tableNames().size(), assistant::tables().size()) << context;
  for (const auto& [table, columns] : completeTables()) EXPECT_EQ(catalog.columnNames(table), columns) << context;
}

TEST_F(AssistantSetupTest, AnExistingCatalogGetsOnlyWhatItLacks) {
  ASSERT_TRUE(runSetup());
  ASSERT_TRUE(connection.isOpen());  // left open on the new catalog
  connection.execute("drop table Login");
  connection.execute("alter table P_DMali drop column Ta_Pa_R");
  recorder.clear();

  EXPECT_FALSE(runSetup());
  const Strings executed = recorder.executed();
  ASSERT_EQ(executed.size(), 1u + 1u + 10u);
  EXPECT_EQ(executed[0], "ALTER TABLE P_DMali ADD Ta_Pa_R nvarchar(50)");
  EXPECT_EQ(executed[1], "create table Login( ID  Integer primary key (ID))");
  expectComplete(connection, "healed");
  const auto query = std::find_if(recorder.entries().begin(), recorder.entries().end(),
                                  [](const auto& e) { return e.call.op == db::Op::Query; });
  EXPECT_EQ(query->call.text, assistant::kExistenceQuery);
  EXPECT_EQ(query->call.params.at("p1"), "BenvoAssistant");

  recorder.clear();
  EXPECT_FALSE(runSetup());
  EXPECT_TRUE(recorder.executed().empty());
}

// Whichever call of a set-up fails (the existence query, the create, any table or column),
// the next set-up leaves the catalog complete.
TEST(AssistantSetupInterrupted, IsCompletedByTheNextSetUp) {
  bool setUpGotThrough = false;
  for (std::int64_t failAt = 1; !setUpGotThrough; ++failAt) {
    testsupport::TempDir dir;
    db::embedded::EmbeddedConnection query{dir.path(), "assistant-setup"};
    db::embedded::EmbeddedConnection connection{dir.path(), "assistant"};
    schema::Label label;
    assistant::Setup setup{query, connection, label, true, {}};
    {
      db::embedded::hooks::Scoped failing({.failAt = failAt});
      try {
        setup.run();
        setUpGotThrough = true;
      } catch (const db::Error&) {
      }
    }
    setup.run();
    expectComplete(connection, "failed at call " + std::to_string(failAt));
    ASSERT_LT(failAt, 1000) << "the set-up never got through";
  }
}

}  // namespace
