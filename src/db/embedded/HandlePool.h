#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "db/embedded/Sqlite.h"

namespace db::embedded {

// SQLite handles that connections of this process have closed, kept open for the next
// connection to the same file. The updater closes and reopens its connection many times in a
// run; a kept handle spares a checkpoint of the journal at every close and a cold cache at
// every open. Nothing is held in memory that another process could make stale: the engine
// reads its catalog from the file on every call, and every statement is committed when it
// completes. A handle is handed out again only while the path still names the same file.
namespace handlePool {

// Which file a path names at a moment (device and inode); empty when there is none.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> identityOf(const std::filesystem::path& file);

// A kept handle of `file`, or nullptr when there is none.
std::unique_ptr<SqliteDb> take(const std::filesystem::path& file);
// Keeps the handle opened on `file` when it was `openedOn`, for later use (closing the oldest
// kept one when too many are). A handle whose file was replaced or removed meanwhile is closed.
void keep(const std::filesystem::path& file, const std::optional<FileIdentity>& openedOn,
          std::unique_ptr<SqliteDb> db);

}  // namespace handlePool

}  // namespace db::embedded
