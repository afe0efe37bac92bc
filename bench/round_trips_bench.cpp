// Round trips and wall time of the general-accounting and insurance runs over a slow link:
// faithful catalog reads, lean reads, lean reads with batches; a first run and a rerun.
//
// Round trips are counted over whole runs without latency (they do not depend on it). Wall
// time is measured with the embedded engine's latency hook at 20 ms a call; since a faithful
// general-accounting run makes thousands of calls (minutes at 20 ms), the timed runs cover the
// first steps of each sequence only (kTimedSteps), which the output says.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/CommandLineChoices.h"
#include "app/PosixPlatform.h"
#include "app/RunDriver.h"
#include "app/Session.h"
#include "db/embedded/EmbeddedConnection.h"
#include "db/embedded/TestHooks.h"

#ifndef MORAV_SOURCE_DIR
#define MORAV_SOURCE_DIR "."
#endif

namespace {

constexpr std::chrono::milliseconds kLatency{20};
constexpr int kTimedSteps = 12;

class QuietPlatform : public app::PosixPlatform {
 public:
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string&) override { return std::nullopt; }
  void showInformation(const std::string&) override {}
  void showError(const std::string&) override {}
};

struct RoundTrips : db::Observer {
  long calls = 0;
  void onCall(const db::Call&) override { ++calls; }
  void onError(const db::Call&, const db::Error&) override {}
};

struct Mode {
  const char* name;
  bool lean;
  bool batches;
};
constexpr Mode kModes[] = {{"faithful", false, false}, {"lean", true, false}, {"lean+batch", true, true}};

struct Product {
  const char* title;
  const char* code;
  bool previousVersion;  // starts from the previous version's database, not from nothing
};
constexpr Product kProducts[] = {{"general accounting", "Benvo", false},
                                 {"insurance (previous-version sample; the run stops at its first object step)",
                                  "Zedidover", true}};

struct Measure {
  long roundTrips = 0;
  double seconds = 0;
};

const std::string kPrefix = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";

void loadPreviousVersion(const std::filesystem::path& dir) {
  db::embedded::EmbeddedConnection c(dir, "setup");
  c.open(kPrefix + "master");
  c.execute("create database Zedidover");
  c.close();
  c.open(kPrefix + "Zedidover");
  std::ifstream file(MORAV_SOURCE_DIR "/samples/zedidover-previous.sql");
  std::stringstream script;
  script << file.rdbuf();
  c.execute(script.str());
  c.close();
}

// The steps of the standard registry; with a limit, those after the first `limit` do nothing.
app::StepRegistry limitedSteps(int limit, int& triggered) {
  if (limit <= 0) return app::standardSteps();
  auto all = std::make_shared<app::StepRegistry>(app::standardSteps());
  app::StepRegistry steps;
  for (const std::string& name : all->names())
    steps.add(name, [all, name, limit, &triggered](app::Session& session) {
      if (triggered++ < limit) all->trigger(name, session);
    });
  return steps;
}

Measure runOnce(const std::filesystem::path& dir, const Product& product, const Mode& mode, int limit) {
  QuietPlatform platform;
  app::Config config;
  config.backend.dataDir = dir;
  int triggered = 0;
  app::Session session(platform, config, limitedSteps(limit, triggered));
  app::productSelectionFrom(product.code).applyTo(session.choices, session.state);
  session.choices.leanReads = mode.lean;
  session.choices.batches = mode.batches;
  session.createMissingCatalog = true;
  RoundTrips trips;
  session.addObserver(&trips);
  const auto start = std::chrono::steady_clock::now();
  const app::Outcome outcome = app::runUpgrade(session);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  session.removeObserver(&trips);
  const bool expected = product.previousVersion ? !outcome.steps.empty() : outcome.status == app::Outcome::Status::Completed;
  if (!expected) {
    std::fprintf(stderr, "%s run failed: %s\n", product.code, outcome.message.c_str());
    std::exit(1);
  }
  return {trips.calls, seconds};
}

// A first run and a rerun on a fresh instance.
std::pair<Measure, Measure> firstAndRerun(const std::filesystem::path& dir, const Product& product, const Mode& mode,
                                          int limit) {
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  if (product.previousVersion) loadPreviousVersion(dir);
  const Measure first = runOnce(dir, product, mode, limit);
  const Measure rerun = runOnce(dir, product, mode, limit);
  return {first, rerun};
}

}  // namespace

int main() {
  char pattern[] = "/tmp/morav-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(pattern);
  db::embedded::hooks::reset();

  for (const Product& product : kProducts) {
    std::printf("%s, whole runs, round trips (all connections):\n", product.title);
    std::printf("  %-11s %10s %10s\n", "", "first run", "rerun");
    long faithfulFirst = 0, faithfulRerun = 0;
    for (const Mode& mode : kModes) {
      const auto [first, rerun] = firstAndRerun(dir / "count", product, mode, 0);
      if (!mode.lean) faithfulFirst = first.roundTrips, faithfulRerun = rerun.roundTrips;
      std::printf("  %-11s %10ld %10ld   (faithful / this: %5.1fx %5.1fx)\n", mode.name, first.roundTrips,
                  rerun.roundTrips, double(faithfulFirst) / first.roundTrips, double(faithfulRerun) / rerun.roundTrips);
    }
    db::embedded::hooks::configure({0, 0, kLatency});
    std::printf("  the first %d steps at %lld ms a call: round trips, wall time\n", kTimedSteps,
                static_cast<long long>(kLatency.count()));
    double faithfulSeconds[2] = {0, 0};
    for (const Mode& mode : kModes) {
      const auto [first, rerun] = firstAndRerun(dir / "timed", product, mode, kTimedSteps);
      if (!mode.lean) faithfulSeconds[0] = first.seconds, faithfulSeconds[1] = rerun.seconds;
      std::printf("  %-11s first run %5ld %6.2f s   rerun %5ld %6.2f s   (faithful / this: %4.1fx %4.1fx)\n", mode.name,
                  first.roundTrips, first.seconds, rerun.roundTrips, rerun.seconds, faithfulSeconds[0] / first.seconds,
                  faithfulSeconds[1] / rerun.seconds);
    }
    db::embedded::hooks::reset();
  }
  std::filesystem::remove_all(dir);
  return 0;
}
