#include "db/embedded/Snapshot.h"

#include <sqlite3.h>

#include <memory>

#include "db/Error.h"

namespace db::embedded {

namespace {

struct Closer {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Handle = std::unique_ptr<sqlite3, Closer>;

Handle openFile(const std::filesystem::path& file, int flags) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(file.c_str(), &raw, flags, nullptr);
  Handle handle(raw);
  if (rc != SQLITE_OK)
    throw Error("EInOutError", "Cannot copy the database file " + file.string() + ": " + sqlite3_errstr(rc) + ".");
  return handle;
}

}  // namespace

void copyDatabaseFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  const Handle source = openFile(from, SQLITE_OPEN_READONLY);
  const Handle target = openFile(to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  sqlite3_busy_timeout(source.get(), 10000);
  sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", source.get(), "main");
  if (!backup)
    throw Error("EInOutError", "Cannot copy the database file " + from.string() + ": " + sqlite3_errmsg(target.get()));
  const int rc = sqlite3_backup_step(backup, -1);
  sqlite3_backup_finish(backup);
  if (rc != SQLITE_DONE)
    throw Error("EInOutError", "Cannot copy the database file " + from.string() + ": " + sqlite3_errstr(rc) + ".");
}

}  // namespace db::embedded
