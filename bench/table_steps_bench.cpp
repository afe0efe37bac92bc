// Synthetic schema workload: 200 table steps of 30 columns on a fresh catalog, then again on
// the finished one, against a replay of the same statements with no catalog reads.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "db/embedded/EmbeddedConnection.h"
#include "schema/TableStep.h"

namespace {

constexpr int kTables = 200;
constexpr int kColumns = 30;
const char* kTypes[] = {"nvarchar(50)", "Integer", "money", "bit", "Float", "nvarchar(200)"};

struct Counter : db::Observer {
  long reads = 0, statements = 0;
  std::vector<std::string> texts;
  void onCall(const db::Call& c) override {
    if (c.op == db::Op::Tables || c.op == db::Op::Columns) ++reads;
    if (c.op == db::Op::Execute) {
      ++statements;
      texts.push_back(c.text);
    }
  }
  void onError(const db::Call&, const db::Error&) override {}
};

std::vector<schema::CatalogEntry> workload() {
  std::vector<schema::CatalogEntry> entries;
  for (int t = 0; t < kTables; ++t) {
    schema::CatalogEntry e;
    e.step = e.table = "B_Table" + std::to_string(t);
    e.keyColumn = "ID";
    e.keyType = "Integer";
    e.columns.push_back({"ID", "Integer  PRIMARY KEY"});
    for (int c = 1; c < kColumns; ++c) e.columns.push_back({"Col" + std::to_string(c), kTypes[c % 6]});
    entries.push_back(std::move(e));
  }
  return entries;
}

std::string catalogString(const std::string& name) {
  return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + name;
}

void createCatalog(db::Connection& c, const std::string& name) {
  c.open(catalogString("master"));
  c.execute("create database " + name);
  c.close();
  c.open(catalogString(name));
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  char pattern[] = "/tmp/morav-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(pattern);
  const auto entries = workload();

  db::embedded::EmbeddedConnection conn(dir, "main");
  createCatalog(conn, "Bench");
  Counter counter;
  conn.addObserver(&counter);
  schema::Progress progress;
  schema::Primitives primitives(conn, progress, [] { return schema::EngineForm::SqlServer; });
  std::string currentTable;

  auto start = std::chrono::steady_clock::now();
  for (const auto& e : entries) schema::runTableStep(primitives, e, currentTable);
  const double fresh = seconds(start);
  const long freshReads = counter.reads, freshStatements = counter.statements;
  const std::vector<std::string> statements = counter.texts;

  counter = Counter{};
  start = std::chrono::steady_clock::now();
  for (const auto& e : entries) schema::runTableStep(primitives, e, currentTable);
  const double rerun = seconds(start);
  const long rerunReads = counter.reads, rerunStatements = counter.statements;
  conn.removeObserver(&counter);
  conn.close();

  db::embedded::EmbeddedConnection replay(dir, "main");
  createCatalog(replay, "Replay");
  start = std::chrono::steady_clock::now();
  for (const auto& s : statements) replay.execute(s);
  const double replayed = seconds(start);
  replay.close();

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("table steps: %d tables x %d columns on the embedded engine\n", kTables, kColumns);
  std::printf("  fresh catalog : %8.3f s  %6ld catalog reads  %6ld statements\n", fresh, freshReads, freshStatements);
  std::printf("  rerun         : %8.3f s  %6ld catalog reads  %6ld statements\n", rerun, rerunReads, rerunStatements);
  std::printf("  replay, no reads: %6.3f s  (fresh / replay = %.2f)\n", replayed, fresh / replayed);
  std::printf("  peak memory   : %8.1f MB\n", usage.ru_maxrss / 1024.0);
  std::filesystem::remove_all(dir);
  return 0;
}
