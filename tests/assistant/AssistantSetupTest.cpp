#include <gtest/gtest.h>

#include "assistant/AssistantSetup.h"
#include "db/embedded/EmbeddedConnection.h"
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

TEST_F(AssistantSetupTest, AnExistingCatalogGetsNothingButTheExistenceQuery) {
  ASSERT_TRUE(runSetup());
  ASSERT_TRUE(connection.isOpen());  // left open on the new catalog
  connection.execute("drop table Login");
  recorder.clear();
  EXPECT_FALSE(runSetup());
  EXPECT_TRUE(recorder.executed().empty());
  EXPECT_EQ(recorder.count(db::Op::Query), 1u);
  const auto query = std::find_if(recorder.entries().begin(), recorder.entries().end(),
                                  [](const auto& e) { return e.call.op == db::Op::Query; });
  EXPECT_EQ(query->call.text, assistant::kExistenceQuery);
  EXPECT_EQ(query->call.params.at("p1"), "BenvoAssistant");
}

}  // namespace
