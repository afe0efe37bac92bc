#pragma once

#include <filesystem>

namespace db::embedded {

// Copies a catalog or Access file of the engine to `to`, consistently, while other connections
// may be using it: through SQLite's online backup, which reads the committed state (journal
// included) and leaves the source untouched. Throws db::Error when the copy fails.
void copyDatabaseFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace db::embedded
