#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "db/EngineTestSupport.h"
#include "db/embedded/EmbeddedConnection.h"
#include "support/TempDir.h"

namespace {

using db::embedded::EmbeddedConnection;

constexpr int kColumnsPerTable = 20;

// Statement i of a table-step workload: a create every kColumnsPerTable + 1 statements, then
// the adds of that table, each after a fresh read of its columns.
void runStatement(EmbeddedConnection& c, const std::string& prefix, int i) {
  const int table = i / (kColumnsPerTable + 1), column = i % (kColumnsPerTable + 1);
  const std::string name = prefix + std::to_string(table);
  if (column == 0) {
    c.execute("create table dbo." + name + "( ID  Integer)");
  } else {
    c.columnNames(name);
    c.execute("ALTER TABLE " + name + " ADD C" + std::to_string(column) + " nvarchar(50)");
  }
}

// How many statements of the workload the catalog shows applied (they apply in order).
int appliedStatements(EmbeddedConnection& c, const std::string& prefix, int total) {
  int applied = 0;
  for (int i = 0; i < total; ++i) {
    const int table = i / (kColumnsPerTable + 1), column = i % (kColumnsPerTable + 1);
    const auto columns = c.columnNames(prefix + std::to_string(table));
    const std::string wanted = column == 0 ? "ID" : "C" + std::to_string(column);
    if (std::find(columns.begin(), columns.end(), wanted) == columns.end()) break;
    ++applied;
  }
  return applied;
}

std::string integrityCheck(const std::filesystem::path& file) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  std::string result = "cannot open";
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    result = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
  sqlite3_finalize(stmt);
  sqlite3_close_v2(db);
  return result;
}

class EngineDurabilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EmbeddedConnection c(dir.path());
    c.open(enginetest::sqlServer("master"));
    c.execute("create database Work");
  }

  testsupport::TempDir dir;
};

TEST_F(EngineDurabilityTest, AKilledProcessLosesNoCompletedStatement) {
  constexpr int kTotal = 100000;  // far more than the child gets through
  int progress[2];
  ASSERT_EQ(pipe(progress), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(progress[0]);
    try {
      EmbeddedConnection c(dir.path());
      c.open(enginetest::sqlServer("Work"));
      for (int i = 0; i < kTotal; ++i) {
        runStatement(c, "T", i);
        if (i % 7 == 3) {  // rows too, so that changes reach tables that hold rows
          const std::string name = "T" + std::to_string(i / (kColumnsPerTable + 1));
          c.execute("insert into " + name + "(ID) values (" + std::to_string(i) + ")");
        }
        const int done = i + 1;
        if (write(progress[1], &done, sizeof done) != sizeof done) _exit(2);
      }
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  close(progress[1]);
  int reported = 0, value = 0;
  while (reported < 150 && read(progress[0], &value, sizeof value) == sizeof value) reported = value;
  kill(child, SIGKILL);
  while (read(progress[0], &value, sizeof value) == sizeof value) reported = value;
  close(progress[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended before it was killed";
  ASSERT_GE(reported, 150);

  EXPECT_EQ(integrityCheck(dir / "Work"), "ok");
  EmbeddedConnection c(dir.path());
  c.open(enginetest::sqlServer("Work"));
  const int applied = appliedStatements(c, "T", reported + 2);
  // Every statement the child reported is there; at most one more finished before the kill.
  EXPECT_GE(applied, reported);
  EXPECT_LE(applied, reported + 1);
  // And the catalog takes more work.
  runStatement(c, "T", applied);
  EXPECT_EQ(appliedStatements(c, "T", applied + 2), applied + 1);
  EXPECT_FALSE(c.query({"select count(*) from T0"}, {}, db::QueryMode::Open).empty());
}

TEST_F(EngineDurabilityTest, AKilledProcessKeepsItsCommittedTransactionAndNothingOfAnOpenOne) {
  int progress[2];
  ASSERT_EQ(pipe(progress), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(progress[0]);
    try {
      EmbeddedConnection c(dir.path());
      c.open(enginetest::sqlServer("Work"));
      c.execute("create table T( ID int)");
      c.execute("BEGIN TRAN; insert into T values (1); create table Committed( A int); COMMIT");
      int step = 1;
      if (write(progress[1], &step, sizeof step) != sizeof step) _exit(2);
      c.execute("BEGIN TRAN; insert into T values (2); create table Uncommitted( A int); alter table T add X int");
      step = 2;
      if (write(progress[1], &step, sizeof step) != sizeof step) _exit(2);
      pause();  // killed here, its transaction open
    } catch (...) {
      _exit(1);
    }
    _exit(0);
  }
  close(progress[1]);
  int reported = 0, value = 0;
  while (reported < 2 && read(progress[0], &value, sizeof value) == sizeof value) reported = value;
  kill(child, SIGKILL);
  close(progress[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_EQ(reported, 2);
  ASSERT_TRUE(WIFSIGNALED(status));

  EXPECT_EQ(integrityCheck(dir / "Work"), "ok");
  EmbeddedConnection c(dir.path());
  c.open(enginetest::sqlServer("Work"));
  EXPECT_EQ(c.query({"select ID from T"}, {}, db::QueryMode::Open).values,
            (std::vector<std::vector<std::optional<std::string>>>{{"1"}}));
  EXPECT_EQ(c.columnNames("T"), std::vector<std::string>{"ID"});
  EXPECT_EQ(c.query({"select OBJECT_ID('Committed'), OBJECT_ID('Uncommitted')"}, {}, db::QueryMode::Open)
                .values.at(0)
                .at(1),
            std::nullopt);
  EXPECT_FALSE(c.columnNames("Committed").empty());
}

TEST_F(EngineDurabilityTest, TwoProcessesWriteOneCatalog) {
  constexpr int kStatements = 21 * 6;
  pid_t children[2];
  const std::string prefixes[2] = {"A", "B"};
  for (int k = 0; k < 2; ++k) {
    children[k] = fork();
    ASSERT_GE(children[k], 0);
    if (children[k] == 0) {
      try {
        EmbeddedConnection c(dir.path());
        c.open(enginetest::sqlServer("Work"));
        for (int i = 0; i < kStatements; ++i) {
          runStatement(c, prefixes[k], i);
          if (i % 5 == 0) {
            c.close();  // the updater reconnects often
            c.open(enginetest::sqlServer("Work"));
          }
        }
        c.execute("insert into " + prefixes[k] + "0(ID) values (1)");
      } catch (const std::exception& e) {
        fprintf(stderr, "child %d: %s\n", k, e.what());
        _exit(1);
      }
      _exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(integrityCheck(dir / "Work"), "ok");
  EmbeddedConnection c(dir.path());
  c.open(enginetest::sqlServer("Work"));
  EXPECT_EQ(c.tableNames().size(), 12u);
  for (const auto& prefix : prefixes) {
    EXPECT_EQ(appliedStatements(c, prefix, kStatements), kStatements) << prefix;
    EXPECT_EQ(c.query({"select ID from " + prefix + "0"}, {}, db::QueryMode::Open).size(), 1u);
  }
}

}  // namespace

// Reconnecting reuses this process's idle handle of a catalog file; it must never hand back the
// handle of a file that has since been replaced, nor hide what another connection wrote.
TEST(EngineReconnect, SeesTheFileAsItIsNowAfterAReplacementOrAnotherWriter) {
  testsupport::TempDir dir;
  db::embedded::EmbeddedConnection first(dir.path(), "main");
  first.open(enginetest::sqlServer("master"));
  first.execute("create database Reused");
  first.close();
  first.open(enginetest::sqlServer("Reused"));
  first.execute("create table Old( ID  int)");
  first.close();

  db::embedded::EmbeddedConnection other(dir.path(), "other");
  other.open(enginetest::sqlServer("Reused"));
  other.execute("create table Added( ID  int)");
  other.close();
  first.open(enginetest::sqlServer("Reused"));
  EXPECT_EQ(first.tableNames(), (std::vector<std::string>{"Added", "Old"}));
  first.close();

  // The catalog removed and created again under the same name is a new, empty catalog.
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    if (entry.path().filename().string().rfind("Reused", 0) == 0) std::filesystem::remove(entry.path());
  first.open(enginetest::sqlServer("master"));
  first.execute("create database Reused");
  first.close();
  first.open(enginetest::sqlServer("Reused"));
  EXPECT_TRUE(first.tableNames().empty());
  first.execute("create table Old( ID  int)");  // no leftover of the removed file refuses it

  // Replaced while a connection is open: that connection's handle is not kept for the new file.
  first.close();
  first.open(enginetest::sqlServer("Reused"));
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    if (entry.path().filename().string().rfind("Reused", 0) == 0) std::filesystem::remove(entry.path());
  other.open(enginetest::sqlServer("master"));
  other.execute("create database Reused");
  other.close();
  first.close();
  first.open(enginetest::sqlServer("Reused"));
  EXPECT_TRUE(first.tableNames().empty());
  first.execute("create table New( ID  int)");
  other.open(enginetest::sqlServer("Reused"));
  EXPECT_EQ(other.tableNames(), std::vector<std::string>{"New"});
}

namespace {

// Listing the catalogs reads every file's header while this process holds SQLite's locks on
// some of them. Had it opened and closed a descriptor of one of them itself, POSIX would have
// dropped those locks: another process would then take the catalog for unused, checkpoint it
// and delete its journal and shared memory under the open connection.
TEST(EngineSharing, ListingTheCatalogsKeepsTheLocksOfOpenConnections) {
  testsupport::TempDir dir;
  EmbeddedConnection master(dir.path(), "master");
  master.open(enginetest::sqlServer("master"));
  master.execute("create database Benvo");
  EmbeddedConnection benvo(dir.path(), "benvo");
  benvo.open(enginetest::sqlServer("Benvo"));
  benvo.execute("create table dbo.T( ID  Integer)");
  ASSERT_TRUE(std::filesystem::exists(dir / "Benvo-shm"));

  EXPECT_FALSE(master.query({"select name from sysdatabases"}, {}, db::QueryMode::Open).empty());
  // Another process comes and goes; while this one has the catalog open it must leave the
  // journal in place.
  const std::string other = "sqlite3 '" + (dir / "Benvo").string() + "' 'select count(*) from sqlite_master' >/dev/null";
  ASSERT_EQ(std::system(other.c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(dir / "Benvo-wal"));
  EXPECT_TRUE(std::filesystem::exists(dir / "Benvo-shm"));
  EXPECT_NO_THROW(benvo.execute("ALTER TABLE T ADD Name nvarchar(50)"));
  EXPECT_EQ(benvo.columnNames("T").size(), 2u);
}

}  // namespace
