#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "db/embedded/CatalogStore.h"
#include "db/embedded/Sqlite.h"

namespace db::embedded {

// The server's catalog views a statement may read (sysobjects, sys.objects, sys.columns,
// INFORMATION_SCHEMA.TABLES, sysdatabases, ...), provided as TEMP views over the hidden
// catalog tables of the connection's file. Temp objects live only in the connection and
// never touch the file.
class SystemViews {
 public:
  SystemViews(SqliteDb& db, CatalogStore& catalog, std::filesystem::path dataDir, std::string catalogName);

  // The temp object standing for a name as a statement writes it ("sysobjects",
  // "master.dbo.sysdatabases", "sys.objects", "INFORMATION_SCHEMA.COLUMNS"), if it is one;
  // `parts` are the name's parts without database and "dbo".
  static std::optional<std::string> lookup(const std::vector<std::string>& parts);

  // Makes the temp object usable by the next statement: creates a view the first time, and
  // fills the database list afresh from the data directory (and the foreign keys' columns from
  // the catalog) every time.
  void prepare(const std::string& view);

 private:
  // The columns of every foreign key, read from their clauses into a temp table.
  void fillForeignKeyColumns();

  SqliteDb& db_;
  CatalogStore& catalog_;
  std::filesystem::path dataDir_;
  std::string catalogName_;
  std::set<std::string> created_;
  std::uint64_t rollbacksSeen_ = 0;  // a rollback may have taken views created since
};

}  // namespace db::embedded
