#include "schema/Primitives.h"

#include <algorithm>

#include "db/Text.h"

namespace schema {

Primitives::Primitives(db::Connection& connection, Progress& progress, std::function<EngineForm()> engine)
    : connection_(connection), progress_(progress), engine_(std::move(engine)) {}

int Primitives::countTables() { return static_cast<int>(connection_.tableNames().size()); }

int Primitives::countColumns(const std::string& table) {
  return static_cast<int>(connection_.columnNames(table).size());
}

bool Primitives::nameInList(std::string_view name, const std::vector<std::string>& list) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& entry) { return db::equalsAsciiNoCase(entry, name); });
}

std::string Primitives::bareColumnName(std::string_view column) {
  std::string bare(column);
  if (auto open = bare.find('['); open != std::string::npos) bare.erase(open, 1);
  if (auto close = bare.find(']'); close != std::string::npos) bare.erase(close, 1);
  return bare;
}

std::string Primitives::sqlServerType(std::string_view type) {
  // Memo is an Access type that SQL Server does not know (Msg 2715); ntext is its equivalent.
  if (db::equalsAsciiNoCase(db::trimBlanks(type), "Memo")) return "ntext";
  return std::string(type);
}

std::string Primitives::sqlServerColumnType(std::string_view type) {
  std::string result(type);
  if (auto at = result.find("PRIMARY"); at != std::string::npos) result.erase(at, 11);
  return sqlServerType(result);
}

bool Primitives::tableIn(db::Connection& connection, const std::string& table) {
  return nameInList(table, connection.tableNames());
}

bool Primitives::columnIn(db::Connection& connection, const std::string& table, const std::string& column) {
  return nameInList(bareColumnName(column), connection.columnNames(table));
}

bool Primitives::tableExists(const std::string& table) { return tableIn(connection_, table); }

bool Primitives::columnPresent(const std::string& table, const std::string& column) {
  return columnIn(connection_, table, column);
}

void Primitives::ensureTable(const std::string& table, const std::string& keyColumn, const std::string& keyType) {
  progress_.table.setText(table);
  if (tableExists(table)) return;
  if (engine_() == EngineForm::SqlServer) {
    connection_.execute("create table dbo." + table + "( " + keyColumn + "  " + sqlServerType(keyType) + ")");
  } else {
    connection_.execute("create table dbo." + table);
  }
}

void Primitives::ensureColumn(const std::string& table, const std::string& column, const std::string& type) {
  progress_.field.setText(column);
  const bool present = columnPresent(table, column);
  if (!present) {
    const std::string sentType = engine_() == EngineForm::SqlServer ? sqlServerColumnType(type) : type;
    connection_.execute("ALTER TABLE " + table + " ADD " + column + " " + sentType);
  }
  progress_.step.addProgress(1);
}

void Primitives::alterColumnIfPresent(const std::string& table, const std::string& column, const std::string& type) {
  if (columnPresent(table, column)) connection_.execute("ALTER TABLE " + table + " ALTER COLUMN " + column + " " + type);
  progress_.step.addProgress(1);
}

void Primitives::dropColumnIfPresent(const std::string& table, const std::string& column, const std::string&) {
  // "drop  C" would name a constraint and be refused; a column is dropped with "drop column".
  if (columnPresent(table, column)) connection_.execute("ALTER TABLE " + table + " drop column " + column);
  progress_.step.addProgress(1);
}

void Primitives::dropTableIfPresent(const std::string& table) {
  progress_.table.setText(table);
  if (tableExists(table)) connection_.execute("drop table " + table);
}

}  // namespace schema
