#include "db/embedded/Instance.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstddef>
#include <optional>
#include <vector>

#include <sqlite3.h>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/embedded/CatalogStore.h"
#include "db/embedded/Sqlite.h"

namespace db::embedded {

namespace {

// SQLite's header keeps a 32-bit application id at offset 68 (big-endian).
constexpr std::uint32_t kSqlServerCatalogId = 0x4D525653;  // "MRVS"
constexpr std::uint32_t kAccessFileId = 0x4D525641;        // "MRVA"
constexpr size_t kApplicationIdOffset = 68;
constexpr std::string_view kSqliteMagic{"SQLite format 3\0", 16};

constexpr std::array<std::string_view, 4> kSystemCatalogs = {"master", "tempdb", "model", "msdb"};

std::uint32_t applicationIdFor(Dialect dialect) {
  return dialect == Dialect::Jet ? kAccessFileId : kSqlServerCatalogId;
}

// The journal files beside a catalog X are X-wal, X-shm and X-journal.
std::optional<std::string_view> journalSuffixOf(std::string_view name) {
  const std::string lower = asciiLower(name);
  for (std::string_view suffix : {"-wal", "-shm", "-journal"})
    if (lower.size() > suffix.size() && lower.ends_with(suffix)) return suffix;
  return std::nullopt;
}

bool isJournalName(std::string_view name) { return journalSuffixOf(name).has_value(); }

// Reads the start of a file through SQLite's own file layer. POSIX ties a process's record
// locks to the file, not to the descriptor: closing any descriptor of a catalog that this
// process has open would drop every lock SQLite holds on it, and another process would then
// take the catalog for unused, reset its shared memory and crash this one mid-commit. SQLite's
// layer knows its descriptors and defers such a close until its locks are released.
std::optional<std::array<char, 100>> readHeader(const std::filesystem::path& file) {
  sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  if (!vfs) return std::nullopt;
  std::vector<std::max_align_t> storage((static_cast<size_t>(vfs->szOsFile) + sizeof(std::max_align_t) - 1) /
                                        sizeof(std::max_align_t));
  auto* handle = reinterpret_cast<sqlite3_file*>(storage.data());
  handle->pMethods = nullptr;
  sqlite3_filename name = sqlite3_create_filename(file.c_str(), "", "", 0, nullptr);
  int flags = 0;
  const int opened = vfs->xOpen(vfs, name, handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB, &flags);
  std::optional<std::array<char, 100>> header;
  if (opened == SQLITE_OK) {
    std::array<char, 100> bytes{};
    if (handle->pMethods->xRead(handle, bytes.data(), static_cast<int>(bytes.size()), 0) == SQLITE_OK) header = bytes;
  }
  if (handle->pMethods) handle->pMethods->xClose(handle);
  sqlite3_free_filename(name);
  return header;
}

}  // namespace

FileKind identifyFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return FileKind::Missing;
  const auto header = readHeader(file);
  if (!header) return FileKind::Foreign;
  if (std::string_view(header->data(), kSqliteMagic.size()) != kSqliteMagic) return FileKind::Foreign;
  std::uint32_t id = 0;
  for (size_t i = 0; i < 4; ++i) id = (id << 8) | static_cast<unsigned char>((*header)[kApplicationIdOffset + i]);
  if (id == kSqlServerCatalogId) return FileKind::SqlServerCatalog;
  if (id == kAccessFileId) return FileKind::AccessFile;
  return FileKind::Foreign;
}

bool isSystemCatalog(std::string_view name) {
  return std::any_of(kSystemCatalogs.begin(), kSystemCatalogs.end(),
                     [&](std::string_view s) { return equalsAsciiNoCase(s, name); });
}

std::optional<std::filesystem::path> findCatalogFile(const std::filesystem::path& dataDir, std::string_view name) {
  std::error_code ec;
  const auto exact = dataDir / std::string(name);
  if (std::filesystem::is_regular_file(exact, ec)) return exact;
  for (const auto& entry : std::filesystem::directory_iterator(dataDir, ec)) {
    if (entry.is_regular_file(ec) && equalsAsciiNoCase(entry.path().filename().string(), name)) return entry.path();
  }
  return std::nullopt;
}

std::vector<CatalogEntry> listCatalogs(const std::filesystem::path& dataDir) {
  std::vector<CatalogEntry> system, user;
  for (std::string_view name : kSystemCatalogs) system.push_back({std::string(name), dataDir / std::string(name)});
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dataDir, ec)) {
    const std::string name = entry.path().filename().string();
    // A journal beside a catalog is never one; SQLite holds locks on it, so it is not opened.
    if (name.empty() || name.front() == '.' || isSystemCatalog(name) || isJournalName(name)) continue;
    if (identifyFile(entry.path()) == FileKind::SqlServerCatalog) user.push_back({name, entry.path()});
  }
  std::sort(user.begin(), user.end(),
            [](const CatalogEntry& a, const CatalogEntry& b) { return asciiLower(a.name) < asciiLower(b.name); });
  system.insert(system.end(), user.begin(), user.end());
  return system;
}

bool createDatabaseFile(const std::filesystem::path& file, Dialect dialect) {
  static std::atomic<int> counter{0};
  std::filesystem::create_directories(file.parent_path().empty() ? "." : file.parent_path());
  // Built under a hidden name and linked into place, so no reader ever sees half a file and
  // two creators cannot both win.
  const auto temp = file.parent_path() / ("." + file.filename().string() + ".creating." + std::to_string(getpid()) +
                                          "." + std::to_string(counter++));
  {
    SqliteDb db(temp, true);
    db.exec("PRAGMA application_id = " + std::to_string(applicationIdFor(dialect)));
    CatalogStore::initialize(db, dialect == Dialect::Jet ? "jet" : "sqlserver");
  }  // closing the last connection checkpoints the journal into the file
  const bool created = link(temp.c_str(), file.c_str()) == 0;
  std::error_code ec;
  std::filesystem::remove(temp, ec);
  return created;
}

void checkCatalogName(std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos ||
      name.find('\0') != std::string_view::npos || name.front() == '.')
    throw Error::provider("The embedded engine keeps each catalog as a file named after it; '" + std::string(name) +
                          "' cannot be a file name. Choose a name without '/' that does not begin with '.'.");
  // The journal files beside a catalog X are X-wal, X-shm and X-journal: a catalog of that
  // name would be taken for, and destroyed as, another catalog's journal.
  if (const auto suffix = journalSuffixOf(name))
    throw Error::provider("The embedded engine keeps its journals beside each catalog as files ending in '" +
                          std::string(*suffix) + "'; choose a catalog name that does not end so.");
}

}  // namespace db::embedded
