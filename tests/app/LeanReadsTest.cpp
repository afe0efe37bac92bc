// Lean catalog reads and batches against the faithful reads, over whole runs of every product
// on the embedded engine: the statements sent (texts, parameters, order, connection) are the
// same, on a first run and on a rerun; only the catalog reads and the round trips differ.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CommandLineChoices.h"
#include "app/FakePlatform.h"
#include "app/RunDriver.h"
#include "app/RunReport.h"
#include "app/Session.h"
#include "db/embedded/EmbeddedConnection.h"
#include "support/SqlScript.h"
#include "support/TempDir.h"

namespace {

using Strings = std::vector<std::string>;

struct Mode {
  const char* name;
  std::optional<bool> lean;
  bool batches;
};
const Mode kFaithful{"faithful", false, false};
const Mode kLean{"lean", true, false};
const Mode kBatched{"lean+batch", true, true};

// Everything a run sent but its catalog reads, one text per statement (a batch's statements
// one by one), and the round trips of every call.
struct Sent : db::Observer {
  Strings statements;
  long roundTrips = 0;
  void onCall(const db::Call& call) override {
    ++roundTrips;
    if (call.op == db::Op::Tables || call.op == db::Op::Columns) return;
    const std::string head = call.connection + " " + db::opName(call.op) + " ";
    if (!call.batch.empty()) {
      for (const std::string& s : call.batch) statements.push_back(head + s);
      return;
    }
    std::string line = head + call.text;
    for (const auto& [name, value] : call.params) line += " :" + name + "=" + value;
    statements.push_back(std::move(line));
  }
  void onError(const db::Call&, const db::Error& error) override { statements.push_back("error " + error.message()); }
};

struct RunSent {
  app::Outcome outcome;
  Sent sent;
};

class LeanReads : public ::testing::Test {
 protected:
  // One run of `code` in `mode` on the instance in `dir`, creating what is missing.
  RunSent run(const std::filesystem::path& dir, const std::string& code, const Mode& mode, bool access = false) {
    apptest::FakePlatform platform;
    app::Config config;
    config.backend.dataDir = dir;
    app::Session session(platform, config);
    app::productSelectionFrom(code).applyTo(session.choices, session.state);
    session.choices.leanReads = mode.lean;
    session.choices.batches = mode.batches;
    if (access) {
      session.choices.engine = app::Engine::Access;
      platform.dialogAnswers.push_back(dir / "target.mdb");
    }
    session.createMissingCatalog = true;
    RunSent r;
    session.addObserver(&r.sent);
    r.outcome = app::runUpgrade(session);
    session.removeObserver(&r.sent);
    // Each mode has an instance of its own: its directory is no difference.
    for (std::string& statement : r.sent.statements)
      for (size_t at; (at = statement.find(dir.string())) != std::string::npos;)
        statement.replace(at, dir.string().size(), "DIR");
    return r;
  }

  // A first run and a rerun in each mode, each mode on an instance of its own prepared by
  // `prepare`; the statements of each must equal the faithful ones.
  template <typename Prepare>
  std::vector<std::pair<RunSent, RunSent>> runEveryMode(const std::string& code, Prepare prepare, bool access = false) {
    std::vector<std::pair<RunSent, RunSent>> runs;
    for (const Mode& mode : {kFaithful, kLean, kBatched}) {
      const std::filesystem::path dir = root.path() / mode.name;
      std::filesystem::create_directories(dir);
      prepare(dir);
      RunSent first = run(dir, code, mode, access);
      RunSent again = run(dir, code, mode, access);
      runs.emplace_back(std::move(first), std::move(again));
    }
    const auto& faithful = runs.front();
    for (size_t i = 1; i < runs.size(); ++i) {
      const char* name = i == 1 ? kLean.name : kBatched.name;
      EXPECT_EQ(runs[i].first.outcome.status, faithful.first.outcome.status) << name;
      EXPECT_EQ(runs[i].first.outcome.steps, faithful.first.outcome.steps) << name;
      expectSameStatements(runs[i].first.sent.statements, faithful.first.sent.statements, name, "first run");
      expectSameStatements(runs[i].second.sent.statements, faithful.second.sent.statements, name, "rerun");
      EXPECT_LT(runs[i].second.sent.roundTrips, faithful.second.sent.roundTrips) << name;
    }
    return runs;
  }

  static void expectSameStatements(const Strings& got, const Strings& faithful, const char* mode, const char* which) {
    ASSERT_FALSE(faithful.empty());
    EXPECT_EQ(got.size(), faithful.size()) << mode << ", " << which;
    for (size_t i = 0; i < std::min(got.size(), faithful.size()); ++i)
      ASSERT_EQ(got[i], faithful[i]) << mode << ", " << which << ", statement " << i + 1;
  }

  testsupport::TempDir root;
};

struct Product {
  const char* code;
  bool completes;
};
void PrintTo(const Product& p, std::ostream* os) { *os << p.code; }

class LeanReadsOfProduct : public LeanReads, public ::testing::WithParamInterface<Product> {};

TEST_P(LeanReadsOfProduct, SendTheFaithfulStatementsOnAFirstRunAndARerun) {
  const Product& p = GetParam();
  const auto runs = runEveryMode(p.code, [](const std::filesystem::path&) {});
  if (!p.completes) return;  // compared up to where the run stops
  EXPECT_EQ(runs.front().first.outcome.status, app::Outcome::Status::Completed);
  EXPECT_EQ(runs.front().second.outcome.status, app::Outcome::Status::Completed);
}

INSTANTIATE_TEST_SUITE_P(Products, LeanReadsOfProduct,
                         ::testing::Values(Product{"Zemtrio", true}, Product{"Vedizi2", true},
                                           Product{"Rivavaruz", true}, Product{"Pelix", true},
                                           Product{"Koltar", false}),
                         [](const auto& info) { return std::string(info.param.code); });

TEST_F(LeanReads, GeneralAccountingMakesEightTimesFewerRoundTrips) {
  const auto runs = runEveryMode("Benvo", [](const std::filesystem::path&) {});
  const auto& [faithfulFirst, faithfulRerun] = runs[0];
  ASSERT_EQ(faithfulFirst.outcome.status, app::Outcome::Status::Completed);
  ASSERT_EQ(faithfulRerun.outcome.status, app::Outcome::Status::Completed);
  EXPECT_GE(faithfulRerun.sent.roundTrips, 8 * runs[1].second.sent.roundTrips) << "rerun, lean";
  EXPECT_GE(faithfulFirst.sent.roundTrips, 8 * runs[2].first.sent.roundTrips) << "first run, lean with batches";
}

TEST_F(LeanReads, TheInsuranceRunOnThePreviousVersionSendsTheFaithfulStatementsUpToWhereItStops) {
  const auto load = [](const std::filesystem::path& dir) {
    db::embedded::EmbeddedConnection c(dir, "setup");
    const std::string prefix = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
    c.open(prefix + "master");
    c.execute("create database Zedidover");
    c.close();
    c.open(prefix + "Zedidover");
    testsupport::runScriptFile(c, MORAV_SOURCE_DIR "/samples/zedidover-previous.sql");
  };
  const auto runs = runEveryMode("Zedidover", load);
  // The table steps before the first object step at least (the run may stop there).
  EXPECT_GE(runs.front().first.outcome.steps.size(), 32u);
}

TEST_F(LeanReads, AnAccessFileGetsTheFaithfulStatementsWithoutBatches) {
  // Jet runs one statement per command: batches are not made for it.
  const auto runs = runEveryMode("Pelix", [](const std::filesystem::path&) {}, true);
  ASSERT_EQ(runs.front().first.outcome.status, app::Outcome::Status::Completed);
  EXPECT_EQ(runs[2].first.sent.roundTrips, runs[1].first.sent.roundTrips);
}

}  // namespace
