#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

// The files of an embedded instance. A SQL Server catalog X is the file <dataDir>/X; an Access
// file is any path. Both are SQLite files whose header carries an application id saying which
// of the two they are, so that a foreign file is recognised without opening it.

enum class FileKind { Missing, SqlServerCatalog, AccessFile, Foreign };

FileKind identifyFile(const std::filesystem::path& file);

struct CatalogEntry {
  std::string name;
  std::filesystem::path file;
};

// master, tempdb, model and msdb: every instance has them; they are created on first use.
bool isSystemCatalog(std::string_view name);

// The file of catalog `name` (compared without regard to ASCII case), if it exists.
std::optional<std::filesystem::path> findCatalogFile(const std::filesystem::path& dataDir, std::string_view name);

// The databases of the instance in database-id order: the four system catalogs, then the
// catalog files of the data directory by name.
std::vector<CatalogEntry> listCatalogs(const std::filesystem::path& dataDir);

// Creates a new, empty database file of the given dialect, atomically: it appears complete
// or not at all. Returns false when the file already exists.
bool createDatabaseFile(const std::filesystem::path& file, Dialect dialect);

// Checks a catalog name for use as a file name in the data directory; throws db::Error.
void checkCatalogName(std::string_view name);

}  // namespace db::embedded
