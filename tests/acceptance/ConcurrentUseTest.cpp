// Several processes on one data directory: a long upgrade must end as if it had been alone,
// whatever consoles, set-ups and other upgrades run beside it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "db/embedded/EmbeddedConnection.h"
#include "support/MoravUpdateFixture.h"

namespace {

using Strings = std::vector<std::string>;
using Schema = std::map<std::string, Strings>;

class ConcurrentUse : public testsupport::MoravUpdateFixture {
 protected:
  // Every table of a catalog with its columns in order.
  static Schema schemaOf(const std::filesystem::path& dataDir, const std::string& catalog) {
    db::embedded::EmbeddedConnection c(dataDir, "check");
    c.open("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + catalog);
    Schema schema;
    for (const std::string& table : c.tableNames()) schema[table] = c.columnNames(table);
    return schema;
  }
};

// Whether the child has not ended yet; it stays waitable either way.
bool isRunning(pid_t pid) {
  siginfo_t info{};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

TEST_F(ConcurrentUse, AnUpgradeOutlivesConsolesSetUpsAndOtherUpgradesOfItsDirectory) {
  // What an undisturbed run leaves; then the directory starts empty again.
  {
    Result r = run({"--product", "Benvo", "--create-database", "--quiet"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
  }
  const Schema expected = schemaOf(data.path(), "Benvo");
  const Schema expectedAssistant = schemaOf(data.path(), "BenvoAssistant");
  for (const auto& entry : std::filesystem::directory_iterator(data.path())) std::filesystem::remove_all(entry.path());

  // The long run, from an empty directory: the others meet it at every stage, from the
  // catalog's creation on.
  const Background upgrade = start({"--product", "Benvo", "--create-database", "--quiet"}, "upgrade");

  const std::vector<Strings> visitors = {
      {"--product", "Benvo", "--quiet", "console", "select 1"},
      {"--product", "Benvo", "--quiet", "console", "select name from master..sysdatabases"},
      {"--product", "Benvo", "--create-database", "--quiet"},
      {"--quiet", "assistant-setup"},
  };
  std::vector<std::pair<Strings, Background>> started;
  for (int i = 0; isRunning(upgrade.pid) && i < 24; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(60 + 20 * (i % 5)));
    const Strings& args = visitors[static_cast<size_t>(i) % visitors.size()];
    started.emplace_back(args, start(args, "visitor" + std::to_string(i)));
  }

  const Result main = finish(upgrade);
  EXPECT_EQ(main.exitCode, 0) << main.err;
  ASSERT_GE(started.size(), visitors.size()) << "the upgrade ended before every kind of visitor came";
  for (const auto& [args, visitor] : started) {
    const Result r = finish(visitor);
    std::string command;
    for (const auto& a : args) command += a + " ";
    // A console may meet a catalog that the upgrade has not created yet; nothing may crash.
    const bool missingCatalog = r.err.find("Cannot open database") != std::string::npos;
    EXPECT_TRUE(r.exitCode == 0 || (r.exitCode == 1 && missingCatalog)) << command << "ended with " << r.exitCode
                                                                         << ":\n" << r.err;
  }
  EXPECT_EQ(schemaOf(data.path(), "Benvo"), expected);
  EXPECT_EQ(schemaOf(data.path(), "BenvoAssistant"), expectedAssistant);
}

}  // namespace
