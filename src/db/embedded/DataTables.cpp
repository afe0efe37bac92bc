#include "db/embedded/DataTables.h"

#include "db/ConnectionString.h"
#include "db/embedded/Translator.h"

namespace db::embedded {

bool DataTables::exists(std::string_view table) {
  Stmt s = db_.cached("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
  s.bind(1, table);
  return s.step();
}

bool DataTables::hasRows(std::string_view table) {
  if (!exists(table)) return false;
  Stmt s = db_.prepare("SELECT 1 FROM main." + quoteName(table) + " LIMIT 1");
  return s.step();
}

bool DataTables::hasNulls(std::string_view table, std::string_view column) {
  if (!exists(table)) return false;
  Stmt s = db_.prepare("SELECT 1 FROM main." + quoteName(table) + " WHERE " + quoteName(column) + " IS NULL LIMIT 1");
  return s.step();
}

std::string DataTables::sqliteIndexName(std::string_view table, std::string_view index) const {
  // SQLite's index names are global to the file; SQL Server's are per table.
  return quoteName(std::string(table) + "$" + std::string(index));
}

std::string DataTables::declaration(const TableInfo& table, const ColumnInfo& column) const {
  std::string sql = quoteName(column.name) + " " + affinityName(column.type.affinity);
  // The server's collation ignores letter case: so do comparisons, sorting and unique keys
  // of text columns (NOCASE folds ASCII letters, as the catalog's names do).
  if (column.type.affinity == Affinity::Text) sql += " COLLATE NOCASE";
  if (!column.computed.empty()) {
    // A computed column SQLite cannot express stays an ordinary column (NULL in every row).
    if (const auto expression = translateExpression(column.computed, dialect_))
      return sql + " GENERATED ALWAYS AS (" + *expression + ") VIRTUAL";
    return sql;
  }
  // An identity column is numbered by a trigger after the row is in, so SQLite must let it
  // be NULL for that moment.
  if (!column.nullable && !column.identity) sql += " NOT NULL";
  // SQL Server refuses text longer than its column (8152) where SQLite would keep it whole;
  // blanks past the length are dropped without complaint there, so they are not counted.
  const bool boundedText = column.type.name == "char" || column.type.name == "varchar" ||
                           column.type.name == "nchar" || column.type.name == "nvarchar";
  if (dialect_ == Dialect::SqlServer && boundedText && column.type.length > 0)
    sql += " CONSTRAINT " + quoteName(std::string(kLengthCheck) + column.name) + " CHECK (length(rtrim(" +
           quoteName(column.name) + ")) <= " + std::to_string(column.type.length) + ")";
  if (const ObjectInfo* def = table.defaultOf(column.name)) {
    if (const auto expression = translateExpression(def->definition, dialect_)) sql += " DEFAULT (" + *expression + ")";
  }
  return sql;
}

bool DataTables::canAddNatively(const TableInfo& table, const ColumnInfo& column) const {
  // SQLite gives existing rows a new column's default; SQL Server gives a nullable column NULL
  // and a NOT NULL one its default. Only a plain nullable column without a default agrees.
  return column.nullable && !column.identity && column.computed.empty() && !table.defaultOf(column.name);
}

void DataTables::checkDefinition(const TableInfo& table) const { db_.prepare(createSql(table, "__morav_check")); }

std::string DataTables::createSql(const TableInfo& table, std::string_view sqliteName) const {
  std::string sql = "CREATE TABLE main." + quoteName(sqliteName) + "(";
  for (size_t i = 0; i < table.columns.size(); ++i) sql += (i ? ", " : "") + declaration(table, table.columns[i]);
  return sql + ")";
}

void DataTables::createDependents(const TableInfo& table) {
  for (const IndexInfo& index : table.indexes) createIndex(table.name(), index);
  for (const ColumnInfo& column : table.columns) {
    if (!column.identity) continue;
    const std::string t = quoteName(table.name()), c = quoteName(column.name);
    const std::int64_t seed = column.identity->seed, step = column.identity->increment;
    const std::string last = step >= 0 ? "MAX(" + c + ")" : "MIN(" + c + ")";
    db_.exec("CREATE TRIGGER main." + quoteName(table.name() + "$identity") + " AFTER INSERT ON " + t +
             " FOR EACH ROW WHEN NEW." + c + " IS NULL BEGIN UPDATE " + t + " SET " + c + " = (SELECT IFNULL(" + last +
             ", " + std::to_string(seed - step) + ") + " + std::to_string(step) + " FROM " + t +
             ") WHERE rowid = NEW.rowid; END");
    db_.exec("CREATE TRIGGER main." + quoteName(table.name() + "$identity_insert") + " BEFORE INSERT ON " + t +
             " FOR EACH ROW WHEN NEW." + c + " IS NOT NULL BEGIN SELECT RAISE(ABORT, " +
             quoteText("morav:identity_insert:" + table.name()) + "); END");
  }
}

void DataTables::create(const TableInfo& table) {
  drop(table.name());
  if (table.columns.empty()) return;  // Jet's table without columns: nothing to hold rows yet
  db_.exec(createSql(table, table.name()));
  createDependents(table);
}

void DataTables::drop(std::string_view table) {
  if (exists(table)) db_.exec("DROP TABLE main." + quoteName(table));
}

void DataTables::rebuild(const TableInfo& before, const TableInfo& after,
                         const std::map<std::string, std::string>& fills) {
  const std::string temp = after.name() + "$rebuild";
  db_.exec(createSql(after, temp));
  std::string columns, values;
  for (const ColumnInfo& column : after.columns) {
    if (!column.computed.empty()) continue;
    std::string value = "NULL";
    if (auto fill = fills.find(asciiLower(column.name)); fill != fills.end()) {
      value = fill->second;
    } else if (const ColumnInfo* old = before.column(column.name); old && old->computed.empty()) {
      value = quoteName(old->name);
    }
    columns += (columns.empty() ? "" : ", ") + quoteName(column.name);
    values += (values.empty() ? "" : ", ") + value;
  }
  if (!columns.empty())
    db_.exec("INSERT INTO main." + quoteName(temp) + "(" + columns + ") SELECT " + values + " FROM main." +
             quoteName(before.name()) + " ORDER BY rowid");
  db_.exec("DROP TABLE main." + quoteName(before.name()));
  db_.exec("ALTER TABLE main." + quoteName(temp) + " RENAME TO " + quoteName(after.name()));
  createDependents(after);
}

void DataTables::addColumn(const TableInfo& after, const ColumnInfo& column) {
  db_.exec("ALTER TABLE main." + quoteName(after.name()) + " ADD COLUMN " + declaration(after, column));
}

void DataTables::dropColumn(std::string_view table, std::string_view column) {
  db_.exec("ALTER TABLE main." + quoteName(table) + " DROP COLUMN " + quoteName(column));
}

void DataTables::createIndex(std::string_view table, const IndexInfo& index) {
  std::string columns;
  for (const auto& c : index.columns) columns += (columns.empty() ? "" : ", ") + quoteName(c);
  db_.exec(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX main." +
           sqliteIndexName(table, index.name) + " ON " + quoteName(table) + "(" + columns + ")");
}

void DataTables::dropIndex(std::string_view table, std::string_view index) {
  db_.exec("DROP INDEX IF EXISTS main." + sqliteIndexName(table, index));
}

std::string DataTables::duplicateKeyValue(std::string_view table, const std::vector<std::string>& columns) {
  std::string list;
  for (const auto& c : columns) list += (list.empty() ? "" : ", ") + quoteName(c);
  Stmt s = db_.prepare("SELECT " + list + " FROM main." + quoteName(table) + " GROUP BY " + list +
                       " HAVING COUNT(*) > 1 LIMIT 1");
  if (!s.step()) return "()";
  std::string value = "(";
  for (int i = 0; i < s.columnCount(); ++i)
    value += (i ? ", " : "") + (s.isNull(i) ? std::string("<NULL>") : s.text(i));
  return value + ")";
}

}  // namespace db::embedded
