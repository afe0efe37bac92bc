// The general-accounting upgrade on the embedded engine: a first run that builds the catalog
// from nothing, a rerun on the finished catalog, and a replay of the first run's statements
// with no catalog reads, which is what the run would cost if reading the catalog were free.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/PosixPlatform.h"
#include "app/RunDriver.h"
#include "app/Session.h"
#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"

namespace {

class QuietPlatform : public app::PosixPlatform {
 public:
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string&) override { return std::nullopt; }
  void showInformation(const std::string&) override {}
  void showError(const std::string& message) override { std::fprintf(stderr, "run failed: %s\n", message.c_str()); }
};

// Counts the calls of the main connection and keeps the statements it sent to the target.
struct MainCalls : db::Observer {
  long reads = 0;
  std::vector<std::string> statements;
  void onCall(const db::Call& c) override {
    if (c.connection != app::Session::kMainRole) return;
    if (c.op == db::Op::Tables || c.op == db::Op::Columns) ++reads;
    if (c.op == db::Op::Execute && c.text.rfind("create database ", 0) != 0) statements.push_back(c.text);
  }
  void onError(const db::Call&, const db::Error&) override {}
};

struct Timed {
  double seconds;
  MainCalls calls;
};

Timed runBenvo(const std::filesystem::path& dataDir, bool createCatalog) {
  QuietPlatform platform;
  app::Config config;
  config.backend.dataDir = dataDir;
  app::Session session(platform, config);
  session.choices.productIndex.reset();
  session.state.productCode = "Benvo";
  session.createMissingCatalog = createCatalog;
  Timed timed{};
  session.addObserver(&timed.calls);
  const auto start = std::chrono::steady_clock::now();
  const app::Outcome outcome = app::runUpgrade(session);
  timed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  session.removeObserver(&timed.calls);
  if (outcome.status != app::Outcome::Status::Completed) std::exit(1);
  return timed;
}

}  // namespace

int main() {
  char pattern[] = "/tmp/morav-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(pattern);

  const Timed first = runBenvo(dir / "run", true);
  const Timed rerun = runBenvo(dir / "run", false);

  std::filesystem::create_directories(dir / "replay");
  db::embedded::EmbeddedConnection replay(dir / "replay", "replay");
  const std::string prefix = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
  replay.open(prefix + "master");
  replay.execute("create database Benvo");
  replay.close();
  const auto start = std::chrono::steady_clock::now();
  replay.open(prefix + "Benvo");
  for (const std::string& s : first.calls.statements) replay.execute(s);
  const double replayed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  replay.close();

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("general-accounting run (180 steps) on the embedded engine\n");
  std::printf("  first run       : %7.3f s  %6ld catalog reads  %6zu statements\n", first.seconds, first.calls.reads,
              first.calls.statements.size());
  std::printf("  rerun           : %7.3f s  %6ld catalog reads  %6zu statements\n", rerun.seconds, rerun.calls.reads,
              rerun.calls.statements.size());
  std::printf("  replay, no reads: %7.3f s  (first / replay = %.2f)\n", replayed, first.seconds / replayed);
  std::printf("  peak memory     : %7.1f MB\n", usage.ru_maxrss / 1024.0);
  std::filesystem::remove_all(dir);
  return 0;
}
