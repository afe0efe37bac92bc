#include "db/embedded/DataTables.h"

#include "db/ConnectionString.h"
#include "db/embedded/Translator.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

namespace {

// The SQLite schema of a table's rows: the connection's TEMP one for a #table.
std::string schemaOf(std::string_view table) { return CatalogStore::isTemporaryName(table) ? "temp." : "main."; }

// SQL for `value` padded with blanks to `length` characters, as char(n) and nchar(n) hold it.
std::string padded(const std::string& value, int length) {
  return "substr(" + value + " || " + quoteText(std::string(static_cast<size_t>(length), ' ')) + ", 1, max(length(" +
         value + "), " + std::to_string(length) + "))";
}

}  // namespace

bool DataTables::exists(std::string_view table) {
  Stmt s = db_.cached(CatalogStore::isTemporaryName(table)
                          ? "SELECT 1 FROM sqlite_temp_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"
                          : "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
  s.bind(1, table);
  return s.step();
}

bool DataTables::hasRows(std::string_view table) {
  if (!exists(table)) return false;
  Stmt s = db_.prepare("SELECT 1 FROM " + schemaOf(table) + quoteName(table) + " LIMIT 1");
  return s.step();
}

bool DataTables::hasNulls(std::string_view table, std::string_view column) {
  if (!exists(table)) return false;
  Stmt s = db_.prepare("SELECT 1 FROM " + schemaOf(table) + quoteName(table) + " WHERE " + quoteName(column) + " IS NULL LIMIT 1");
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
  std::string sql = "CREATE TABLE " + schemaOf(table.name()) + quoteName(sqliteName) + "(";
  for (size_t i = 0; i < table.columns.size(); ++i) sql += (i ? ", " : "") + declaration(table, table.columns[i]);
  // CHECK constraints are SQLite's own, under their names: a refused row names its constraint.
  for (const ObjectInfo& check : table.children) {
    if (check.type != "C") continue;
    const auto expression = translateExpression(checkCondition(check.definition), dialect_);
    // The statement that adds a check SQLite cannot evaluate is refused (Executor::checkRunnable).
    sql += ", CONSTRAINT " + quoteName(check.name) + " CHECK (" + expression.value_or("__morav_untranslatable") + ")";
  }
  return sql + ")";
}

std::string checkCondition(std::string_view clause) {
  // A column's constraint keeps its keyword ("CHECK (x > 0)"), a table's only the condition.
  const std::vector<Token> tokens = tokenize(clause, Dialect::SqlServer);
  if (!tokens.empty() && tokens.front().isWord("check") && clause.find('(') != std::string_view::npos)
    return std::string(clause.substr(clause.find('(')));
  return std::string(clause);
}

std::vector<ForeignKeyInfo> DataTables::foreignKeysOf(std::string_view table) {
  std::vector<ForeignKeyInfo> keys;
  for (ForeignKeyInfo& key : catalog_.foreignKeys())
    if (key.involves(table)) keys.push_back(std::move(key));
  return keys;
}

namespace {

// "a.x = b.y AND ..." over two column lists.
std::string matching(std::string_view left, const std::vector<std::string>& leftColumns, std::string_view right,
                     const std::vector<std::string>& rightColumns) {
  std::string sql;
  for (size_t i = 0; i < leftColumns.size() && i < rightColumns.size(); ++i)
    sql += std::string(i ? " AND " : "") + std::string(left) + quoteName(leftColumns[i]) + " = " + std::string(right) +
           quoteName(rightColumns[i]);
  return sql;
}

std::string triggerName(const ForeignKeyInfo& key, std::string_view what) {
  return quoteName(key.name + "$" + std::string(what));
}

}  // namespace

void DataTables::dropForeignKeyTriggers(const ForeignKeyInfo& key) {
  for (std::string_view what : {"insert", "update", "delete", "rekey"})
    db_.exec("DROP TRIGGER IF EXISTS main." + triggerName(key, what));
}

// SQL Server checks a foreign key per statement; a row-level trigger with ABORT undoes the
// whole statement all the same, so a refused statement leaves every row as it was.
void DataTables::createForeignKeyTriggers(const ForeignKeyInfo& key) {
  dropForeignKeyTriggers(key);
  if (key.columns.empty() || key.columns.size() != key.referencedColumns.size() || !exists(key.table) ||
      !exists(key.referencedTable))
    return;
  const std::string child = quoteName(key.table), parent = quoteName(key.referencedTable);
  std::string present, childColumns, parentColumns, changed;
  for (size_t i = 0; i < key.columns.size(); ++i) {
    present += std::string(i ? " AND " : "") + "NEW." + quoteName(key.columns[i]) + " IS NOT NULL";
    childColumns += (i ? ", " : "") + quoteName(key.columns[i]);
    parentColumns += (i ? ", " : "") + quoteName(key.referencedColumns[i]);
    changed += std::string(i ? " OR " : "") + "OLD." + quoteName(key.referencedColumns[i]) + " IS NOT NEW." +
               quoteName(key.referencedColumns[i]);
  }
  const auto raise = [&](std::string_view kind, std::string_view statement) {
    return "SELECT RAISE(ABORT, " + quoteText(std::string(kind) + std::string(statement) + ":" + key.name) + ");";
  };
  const std::string orphan = present + " AND NOT EXISTS (SELECT 1 FROM main." + parent + " WHERE " +
                             matching("", key.referencedColumns, "NEW.", key.columns) + ")";
  db_.exec("CREATE TRIGGER main." + triggerName(key, "insert") + " AFTER INSERT ON " + child + " FOR EACH ROW WHEN " +
           orphan + " BEGIN " + raise(kForeignKeyConflict, "INSERT") + " END");
  db_.exec("CREATE TRIGGER main." + triggerName(key, "update") + " AFTER UPDATE OF " + childColumns + " ON " + child +
           " FOR EACH ROW WHEN " + orphan + " BEGIN " + raise(kForeignKeyConflict, "UPDATE") + " END");

  const std::string referencing =
      "FROM " + child + " WHERE " + matching("", key.columns, "OLD.", key.referencedColumns);
  const auto action = [&](ForeignKeyInfo::Action a, std::string_view statement, bool rekey) -> std::string {
    switch (a) {
      case ForeignKeyInfo::Cascade:
        if (!rekey) return " BEGIN DELETE " + referencing + "; END";  // a trigger's changes name no schema
        {
          std::string set;
          for (size_t i = 0; i < key.columns.size(); ++i)
            set += (i ? ", " : "") + quoteName(key.columns[i]) + " = NEW." + quoteName(key.referencedColumns[i]);
          return " BEGIN UPDATE " + child + " SET " + set + " WHERE " +
                 matching("", key.columns, "OLD.", key.referencedColumns) + "; END";
        }
      case ForeignKeyInfo::SetNull: {
        std::string set;
        for (size_t i = 0; i < key.columns.size(); ++i) set += (i ? ", " : "") + quoteName(key.columns[i]) + " = NULL";
        return " BEGIN UPDATE " + child + " SET " + set + " WHERE " +
               matching("", key.columns, "OLD.", key.referencedColumns) + "; END";
      }
      default:
        // NO ACTION: refused while a row still refers to a key no row of the table holds now.
        return std::string(" WHEN EXISTS (SELECT 1 ") + referencing + ")" +
               (rekey ? " AND NOT EXISTS (SELECT 1 FROM main." + parent + " WHERE " +
                            matching("", key.referencedColumns, "OLD.", key.referencedColumns) + ")"
                      : std::string()) +
               " BEGIN " + raise(kReferenceConflict, statement) + " END";
    }
  };
  const std::string onDelete = action(key.onDelete, "DELETE", false);
  const std::string onRekey = action(key.onUpdate, "UPDATE", true);
  db_.exec("CREATE TRIGGER main." + triggerName(key, "delete") + " AFTER DELETE ON " + parent + " FOR EACH ROW" +
           onDelete);
  // A cascade or SET NULL fires on a changed key only; NO ACTION's condition sees that itself.
  const bool acting = key.onUpdate == ForeignKeyInfo::Cascade || key.onUpdate == ForeignKeyInfo::SetNull;
  db_.exec("CREATE TRIGGER main." + triggerName(key, "rekey") + " AFTER UPDATE OF " + parentColumns + " ON " + parent +
           " FOR EACH ROW" + (acting ? " WHEN " + changed : std::string()) + onRekey);
}

void DataTables::createDependents(const TableInfo& table) {
  for (const IndexInfo& index : table.indexes) createIndex(table.name(), index);
  // char(n) and nchar(n) hold n characters: a shorter value is stored padded with blanks.
  std::string shortValue, assignments, paddedColumns;
  for (const ColumnInfo& column : table.columns) {
    if (!column.isFixedLengthText()) continue;
    const std::string c = quoteName(column.name), n = std::to_string(column.type.length);
    shortValue += (shortValue.empty() ? "" : " OR ") + std::string("length(NEW.") + c + ") < " + n;
    assignments += (assignments.empty() ? "" : ", ") + c + " = " + padded(c, column.type.length);
    paddedColumns += (paddedColumns.empty() ? "" : ", ") + c;
  }
  if (dialect_ == Dialect::SqlServer && !assignments.empty()) {
    const std::string t = quoteName(table.name());
    const std::string body = " FOR EACH ROW WHEN " + shortValue + " BEGIN UPDATE " + t + " SET " + assignments +
                             " WHERE rowid = NEW.rowid; END";
    db_.exec("CREATE TRIGGER " + schemaOf(table.name()) + quoteName(table.name() + "$pad") + " AFTER INSERT ON " + t + body);
    db_.exec("CREATE TRIGGER " + schemaOf(table.name()) + quoteName(table.name() + "$repad") + " AFTER UPDATE OF " + paddedColumns +
             " ON " + t + body);
  }
  for (const ColumnInfo& column : table.columns) {
    if (!column.identity) continue;
    const std::string t = quoteName(table.name()), c = quoteName(column.name);
    const std::int64_t seed = column.identity->seed, step = column.identity->increment;
    const std::string name = quoteText(table.name()), schema = schemaOf(table.name());
    // The table's current identity value is kept apart from its rows, as the server keeps it:
    // deleting the highest rows does not hand their values out again. A table that already
    // holds rows (one rebuilt) goes on from its highest value.
    db_.exec("CREATE TABLE IF NOT EXISTS " + schema + quoteName(kIdentityTable) +
             "(name TEXT PRIMARY KEY COLLATE NOCASE, value INTEGER NOT NULL)");
    const std::string counter = quoteName(kIdentityTable);  // a trigger names its own schema's tables
    db_.exec("INSERT OR IGNORE INTO " + schema + counter + " SELECT " + name + ", v FROM (SELECT " +
             (step >= 0 ? "MAX(" : "MIN(") + c + ") AS v FROM " + schema + t + ") WHERE v IS NOT NULL");
    // Numbered after the row is in; the value is noted for @@IDENTITY and SCOPE_IDENTITY().
    db_.exec("CREATE TRIGGER " + schema + quoteName(table.name() + "$identity") + " AFTER INSERT ON " + t +
             " FOR EACH ROW WHEN NEW." + c + " IS NULL BEGIN INSERT OR IGNORE INTO " + counter + " VALUES (" + name +
             ", " + std::to_string(seed - step) + "); UPDATE " + counter + " SET value = value + " +
             std::to_string(step) + " WHERE name = " + name + "; UPDATE " + t + " SET " + c + " = (SELECT value FROM " +
             counter + " WHERE name = " + name + ") WHERE rowid = NEW.rowid; SELECT __morav_identity_noted(" + c +
             ") FROM " + t + " WHERE rowid = NEW.rowid; END");
    // An explicit value only under SET IDENTITY_INSERT ON (544), and then always one (545); a
    // value past the current one becomes the current one.
    const std::string on = "__morav_identity_insert(" + name + ")";
    db_.exec("CREATE TRIGGER " + schema + quoteName(table.name() + "$identity_insert") + " BEFORE INSERT ON " + t +
             " FOR EACH ROW BEGIN SELECT CASE WHEN NEW." + c + " IS NULL THEN CASE WHEN " + on + " THEN RAISE(ABORT, " +
             quoteText("morav:identity_missing:" + table.name()) + ") END WHEN NOT " + on + " THEN RAISE(ABORT, " +
             quoteText("morav:identity_insert:" + table.name()) + ") ELSE __morav_identity_noted(NEW." + c +
             ") END; INSERT OR IGNORE INTO " + counter + " SELECT " + name + ", NEW." + c + " WHERE NEW." + c +
             " IS NOT NULL; UPDATE " + counter + " SET value = " + (step >= 0 ? "max" : "min") + "(value, NEW." + c +
             ") WHERE name = " + name + " AND NEW." + c + " IS NOT NULL; END");
  }
}

void DataTables::create(const TableInfo& table) {
  drop(table.name());
  if (table.columns.empty()) return;  // Jet's table without columns: nothing to hold rows yet
  db_.exec(createSql(table, table.name()));
  createDependents(table);
  for (const ForeignKeyInfo& key : foreignKeysOf(table.name())) createForeignKeyTriggers(key);
}

void DataTables::drop(std::string_view table) {
  if (!exists(table)) return;
  for (const ForeignKeyInfo& key : foreignKeysOf(table)) dropForeignKeyTriggers(key);
  db_.exec("DROP TABLE " + schemaOf(table) + quoteName(table));
  // A table made again numbers from its seed.
  const bool temporary = CatalogStore::isTemporaryName(table);
  Stmt counter = db_.cached(std::string("SELECT 1 FROM ") + (temporary ? "sqlite_temp_schema" : "sqlite_schema") +
                            " WHERE name = " + quoteText(kIdentityTable));
  if (counter.step())
    db_.cached("DELETE FROM " + schemaOf(table) + quoteName(kIdentityTable) + " WHERE name = ?1").bind(1, table).run();
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
    if (column.isFixedLengthText() && value != "NULL")  // a default or old value takes the column's padding
      value = padded(value, column.type.length);
    columns += (columns.empty() ? "" : ", ") + quoteName(column.name);
    values += (values.empty() ? "" : ", ") + value;
  }
  if (!columns.empty())
    db_.exec("INSERT INTO " + schemaOf(temp) + quoteName(temp) + "(" + columns + ") SELECT " + values + " FROM " + schemaOf(temp) +
             quoteName(before.name()) + " ORDER BY rowid");
  drop(before.name());
  db_.exec("ALTER TABLE " + schemaOf(temp) + quoteName(temp) + " RENAME TO " + quoteName(after.name()));
  createDependents(after);
  for (const ForeignKeyInfo& key : foreignKeysOf(after.name())) createForeignKeyTriggers(key);
}

void DataTables::addColumn(const TableInfo& after, const ColumnInfo& column) {
  db_.exec("ALTER TABLE " + schemaOf(after.name()) + quoteName(after.name()) + " ADD COLUMN " + declaration(after, column));
}

void DataTables::dropColumn(std::string_view table, std::string_view column) {
  db_.exec("ALTER TABLE " + schemaOf(table) + quoteName(table) + " DROP COLUMN " + quoteName(column));
}

void DataTables::createIndex(std::string_view table, const IndexInfo& index) {
  std::string columns;
  for (const auto& c : index.columns) columns += (columns.empty() ? "" : ", ") + quoteName(c);
  db_.exec(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " + schemaOf(table) +
           sqliteIndexName(table, index.name) + " ON " + quoteName(table) + "(" + columns + ")");
}

void DataTables::dropIndex(std::string_view table, std::string_view index) {
  db_.exec("DROP INDEX IF EXISTS " + schemaOf(table) + sqliteIndexName(table, index));
}

std::string DataTables::duplicateKeyValue(std::string_view table, const std::vector<std::string>& columns) {
  std::string list;
  for (const auto& c : columns) list += (list.empty() ? "" : ", ") + quoteName(c);
  Stmt s = db_.prepare("SELECT " + list + " FROM " + schemaOf(table) + quoteName(table) + " GROUP BY " + list +
                       " HAVING COUNT(*) > 1 LIMIT 1");
  if (!s.step()) return "()";
  std::string value = "(";
  for (int i = 0; i < s.columnCount(); ++i)
    value += (i ? ", " : "") + (s.isNull(i) ? std::string("<NULL>") : s.text(i));
  return value + ")";
}

}  // namespace db::embedded
