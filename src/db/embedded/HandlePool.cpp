#include "db/embedded/HandlePool.h"

#include <sys/stat.h>

#include <deque>
#include <mutex>
#include <optional>

namespace db::embedded::handlePool {

namespace {

constexpr size_t kMaxKept = 8;

struct Kept {
  std::filesystem::path file;
  FileIdentity identity;
  std::unique_ptr<SqliteDb> db;
};

std::mutex mutex;
std::deque<Kept>& kept() {
  static std::deque<Kept> handles;
  return handles;
}

}  // namespace

std::optional<FileIdentity> identityOf(const std::filesystem::path& file) {
  struct stat st {};
  if (stat(file.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

std::unique_ptr<SqliteDb> take(const std::filesystem::path& file) {
  const auto identity = identityOf(file);
  if (!identity) return nullptr;
  std::lock_guard lock(mutex);
  auto& handles = kept();
  for (auto it = handles.begin(); it != handles.end(); ++it) {
    if (it->file != file) continue;
    std::unique_ptr<SqliteDb> db = std::move(it->db);
    const bool sameFile = it->identity == *identity;
    handles.erase(it);
    // A file replaced or removed since is another database: its old handle is closed.
    return sameFile ? std::move(db) : nullptr;
  }
  return nullptr;
}

void keep(const std::filesystem::path& file, const std::optional<FileIdentity>& openedOn,
          std::unique_ptr<SqliteDb> db) {
  const auto identity = identityOf(file);
  if (!identity || identity != openedOn || !db || db->inTransaction()) return;
  std::unique_ptr<SqliteDb> closing;  // closed outside the lock
  std::lock_guard lock(mutex);
  auto& handles = kept();
  if (handles.size() >= kMaxKept) {
    closing = std::move(handles.front().db);
    handles.pop_front();
  }
  handles.push_back({file, *identity, std::move(db)});
}

}  // namespace db::embedded::handlePool
