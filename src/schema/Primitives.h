#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "schema/Progress.h"

namespace schema {

// Which form the create and add-column statements take.
enum class EngineForm { SqlServer, Access };

// The idempotent schema primitives. Each reads the database's own catalog afresh and acts
// only when the catalog says the change is still needed, so every call can be repeated
// without effect. They catch nothing: a failed catalog read or a rejected statement is
// thrown to the caller, skipping the rest of the call (its gauge tick included).
class Primitives {
 public:
  // `engine` is asked at every call: the operator's engine choice of the moment decides.
  Primitives(db::Connection& connection, Progress& progress, std::function<EngineForm()> engine);

  int countTables();
  int countColumns(const std::string& table);
  // True when some entry equals `name` after folding A-Z to a-z in both (nothing else folded).
  static bool nameInList(std::string_view name, const std::vector<std::string>& list);
  // The column name with its first '[' and then its first ']' removed.
  static std::string bareColumnName(std::string_view column);
  // The SQL Server form of a type text: the Access-only type "Memo" becomes "ntext".
  static std::string sqlServerType(std::string_view type);
  // The SQL Server form of an added column's type: the 11 characters from the first
  // upper-case "PRIMARY" cut, then sqlServerType.
  static std::string sqlServerColumnType(std::string_view type);

  void ensureTable(const std::string& table, const std::string& keyColumn, const std::string& keyType);
  void ensureColumn(const std::string& table, const std::string& column, const std::string& type);
  void alterColumnIfPresent(const std::string& table, const std::string& column, const std::string& type);
  void dropColumnIfPresent(const std::string& table, const std::string& column, const std::string& type);
  void dropTableIfPresent(const std::string& table);

  bool tableExists(const std::string& table);

  // The presence tests every primitive makes, on any connection (the assistant set-up has its
  // own): a fresh catalog read, names compared as nameInList does, brackets off a column name.
  static bool tableIn(db::Connection& connection, const std::string& table);
  static bool columnIn(db::Connection& connection, const std::string& table, const std::string& column);
  EngineForm engineForm() const { return engine_(); }
  db::Connection& connection() { return connection_; }
  Progress& progress() { return progress_; }

 private:
  bool columnPresent(const std::string& table, const std::string& column);

  db::Connection& connection_;
  Progress& progress_;
  std::function<EngineForm()> engine_;
};

}  // namespace schema
