// Feeds the embedded engine batches, as the updater and an operator's console send them.
//
// An input is one or more batches separated by NUL bytes, run in order on a fresh catalog, so
// that the fuzzer can build a table in one batch and change it in the next. Refusals are the
// engine's answer and are fine; a crash, a sanitizer report or an exception that is not a
// db::Error is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"

namespace {

// Catalogs live in memory-backed storage where there is some: every statement is synced.
std::filesystem::path dataDirectory() {
  std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
  auto dir = base / ("morav-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

const std::string kConnection =
    "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path dir = dataDirectory();
  static std::uint64_t run = 0;
  const std::string catalog = "Fuzz" + std::to_string(++run);
  {
    db::embedded::EmbeddedConnection master(dir, "fuzz");
    master.open(kConnection + "master");
    master.execute("create database " + catalog);
  }
  {
    db::embedded::EmbeddedConnection c(dir, "fuzz");
    c.open(kConnection + catalog);
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (size_t start = 0; start <= input.size();) {
      const size_t end = std::min(input.find('\0', start), input.size());
      try {
        c.query({std::string(input.substr(start, end - start))}, {}, db::QueryMode::Open);
      } catch (const db::Error&) {
      }
      start = end + 1;
    }
  }
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm", "-journal"})
    std::filesystem::remove(dir / (catalog + suffix), ec);
  return 0;
}
