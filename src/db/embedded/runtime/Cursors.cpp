#include "db/embedded/runtime/Cursors.h"

#include "db/Text.h"
#include "db/embedded/runtime/RuntimeRefusals.h"

namespace db::embedded::runtime {

Cursor& Cursors::declare(Cursor cursor) {
  auto& cursors = scope(cursor.local);
  const std::string key = asciiLower(cursor.name);
  if (cursors.count(key)) throw refuse::cursorExists(cursor.name);
  return cursors.emplace(key, std::move(cursor)).first->second;
}

Cursor& Cursors::find(const std::string& name, bool global) {
  const std::string key = asciiLower(name);
  if (!global)
    if (auto it = local_.find(key); it != local_.end()) return it->second;
  if (auto it = global_.find(key); it != global_.end()) return it->second;
  throw refuse::cursorMissing(name);
}

void Cursors::deallocate(const std::string& name, bool global) {
  const Cursor& cursor = find(name, global);
  scope(cursor.local).erase(asciiLower(name));
}

const std::vector<std::optional<std::string>>* Cursors::fetch(Cursor& cursor, const std::string& direction,
                                                              std::int64_t offset) {
  if (!cursor.open) throw refuse::cursorNotOpen();
  if (direction != "NEXT" && !cursor.scrolls) throw refuse::fetchTypeForwardOnly(direction);
  const auto size = static_cast<std::int64_t>(cursor.rows.size());
  std::int64_t target = cursor.at;
  if (direction == "NEXT") target = cursor.at + 1;
  else if (direction == "PRIOR") target = cursor.at - 1;
  else if (direction == "FIRST") target = 0;
  else if (direction == "LAST") target = size - 1;
  else if (direction == "ABSOLUTE") target = offset > 0 ? offset - 1 : offset < 0 ? size + offset : -1;
  else if (direction == "RELATIVE") target = cursor.at + offset;
  if (target < 0) {
    cursor.at = -1;
    return nullptr;
  }
  if (target >= size) {
    cursor.at = size;
    return nullptr;
  }
  cursor.at = target;
  return &cursor.rows.values[static_cast<size_t>(target)];
}

}  // namespace db::embedded::runtime
