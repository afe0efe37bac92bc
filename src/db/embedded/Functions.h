#pragma once

#include <functional>
#include <cstdint>
#include <optional>
#include <string>

#include "db/embedded/Sqlite.h"

namespace db::embedded {

// Registers on a connection the SQL Server functions SQLite lacks, under their T-SQL names:
// GETDATE, GETUTCDATE, NEWID, LEN, DATALENGTH, CHARINDEX, LEFT, RIGHT, SPACE, REPLICATE, YEAR,
// MONTH, DAY, DB_NAME and OBJECT_ID. `objectType` answers OBJECT_ID: the sys.objects type
// code of a name in the catalog, if any.
struct FunctionContext {
  std::string catalogName;
  // The session's identity state: the table SET IDENTITY_INSERT is on for (empty: none), and
  // the identity value the last insert gave (@@IDENTITY, SCOPE_IDENTITY()).
  std::string identityInsertTable;
  std::optional<std::int64_t> lastIdentity;
  std::function<std::optional<std::pair<std::int64_t, std::string>>(const std::string& name)> findObject;
};

void registerFunctions(SqliteDb& db, FunctionContext& context);

}  // namespace db::embedded
