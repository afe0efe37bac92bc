#pragma once

#include <filesystem>
#include <memory>

#include "db/embedded/Sqlite.h"

namespace db::embedded {

// SQLite handles that connections of this process have closed, kept open for the next
// connection to the same file. The updater closes and reopens its connection many times in a
// run; a kept handle spares a checkpoint of the journal at every close and a cold cache at
// every open. Nothing is held in memory that another process could make stale: the engine
// reads its catalog from the file on every call, and every statement is committed when it
// completes. A handle is handed out again only while the path still names the same file.
namespace handlePool {

// A kept handle of `file`, or nullptr when there is none.
std::unique_ptr<SqliteDb> take(const std::filesystem::path& file);
// Keeps the handle of `file` for later use (closing the oldest kept one when too many are).
void keep(const std::filesystem::path& file, std::unique_ptr<SqliteDb> db);

}  // namespace handlePool

}  // namespace db::embedded
