#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "db/EngineTestSupport.h"
#include "db/embedded/EmbeddedConnection.h"
#include "db/embedded/TestHooks.h"
#include "support/TempDir.h"

namespace {

namespace hooks = db::embedded::hooks;
using db::embedded::EmbeddedConnection;

class EngineHooksTest : public ::testing::Test {
 protected:
  void SetUp() override { hooks::reset(); }
  void TearDown() override { hooks::reset(); }

  testsupport::TempDir dir;
  EmbeddedConnection connection{dir.path()};
};

TEST_F(EngineHooksTest, CountsEveryCall) {
  connection.open(enginetest::sqlServer("master"));
  connection.tableNames();
  connection.columnNames("T");
  connection.execute("create table T( K  int)");
  connection.query({"select 1"}, {}, db::QueryMode::Open);
  connection.close();
  EXPECT_EQ(hooks::callCount(), 6);
}

TEST_F(EngineHooksTest, FailsTheNthCallOnly) {
  hooks::Scoped scoped({.failAt = 3});
  connection.open(enginetest::sqlServer("master"));
  connection.execute("create table T( K  int)");
  const db::Error e = enginetest::errorOf([&] { connection.execute("ALTER TABLE T ADD A int"); });
  EXPECT_NE(e.message().find("Injected failure at call 3"), std::string::npos);
  EXPECT_TRUE(connection.isOpen());
  EXPECT_EQ(connection.columnNames("T"), std::vector<std::string>{"K"}) << "the failed call did nothing";
  connection.execute("ALTER TABLE T ADD A int");
}

TEST_F(EngineHooksTest, DropsTheConnectionAtTheNthCall) {
  hooks::Scoped scoped({.dropAt = 2});
  connection.open(enginetest::sqlServer("master"));
  const db::Error e = enginetest::errorOf([&] { connection.tableNames(); });
  EXPECT_EQ(e.message(),
            "[DBNETLIB][ConnectionWrite (send()).]General network error. Check your network documentation.");
  EXPECT_FALSE(connection.isOpen());
  EXPECT_EQ(enginetest::errorOf([&] { connection.tableNames(); }).message(),
            "Operation is not allowed when the object is closed.");
  connection.open(enginetest::sqlServer("master"));
  EXPECT_TRUE(connection.tableNames().empty());
}

TEST_F(EngineHooksTest, AddsLatencyToEveryCall) {
  hooks::Scoped scoped({.latency = std::chrono::milliseconds(20)});
  const auto start = std::chrono::steady_clock::now();
  connection.open(enginetest::sqlServer("master"));
  connection.tableNames();
  connection.close();
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
}

TEST_F(EngineHooksTest, SettingsFromTheEnvironment) {
  setenv("MORAV_ENGINE_FAIL_AT", "2", 1);
  setenv("MORAV_ENGINE_DROP_AT", "junk", 1);
  setenv("MORAV_ENGINE_LATENCY_MS", "1", 1);
  hooks::configureFromEnvironment();
  unsetenv("MORAV_ENGINE_FAIL_AT");
  unsetenv("MORAV_ENGINE_DROP_AT");
  unsetenv("MORAV_ENGINE_LATENCY_MS");
  const hooks::Settings s = hooks::settings();
  EXPECT_EQ(s.failAt, 2);
  EXPECT_EQ(s.dropAt, 0) << "a value that is no positive number sets nothing";
  EXPECT_EQ(s.latency, std::chrono::milliseconds(1));
  connection.open(enginetest::sqlServer("master"));
  EXPECT_THROW(connection.tableNames(), db::Error);
}

}  // namespace
