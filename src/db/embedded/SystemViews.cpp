#include "db/embedded/SystemViews.h"

#include <array>
#include <string_view>

#include "db/ConnectionString.h"
#include "db/embedded/Instance.h"

namespace db::embedded {

namespace {

struct ViewDef {
  std::string_view name;  // lower case, parts joined with '.'
  std::string_view sql;   // the SELECT behind it; $CATALOG stands for the catalog name
};

constexpr std::string_view kTypeDesc =
    "CASE o.type WHEN 'U' THEN 'USER_TABLE' WHEN 'V' THEN 'VIEW' WHEN 'P' THEN 'SQL_STORED_PROCEDURE' "
    "WHEN 'FN' THEN 'SQL_SCALAR_FUNCTION' WHEN 'TR' THEN 'SQL_TRIGGER' WHEN 'PK' THEN 'PRIMARY_KEY_CONSTRAINT' "
    "WHEN 'UQ' THEN 'UNIQUE_CONSTRAINT' WHEN 'D' THEN 'DEFAULT_CONSTRAINT' WHEN 'F' THEN 'FOREIGN_KEY_CONSTRAINT' "
    "WHEN 'C' THEN 'CHECK_CONSTRAINT' END";

// sys.columns.max_length counts bytes: two per character of the national types, -1 for (max).
constexpr std::string_view kMaxLength =
    "CASE WHEN c.length = -1 THEN -1 WHEN c.type_name IN ('nchar', 'nvarchar') THEN c.length * 2 "
    "WHEN c.length > 0 THEN c.length ELSE 0 END";

// sys.columns.system_type_id: SQL Server's number of each system type (sys.types); the CLR types
// hierarchyid and geography share 240. user_type_id is the same number for a system type, but
// for the CLR types, which have their own.
constexpr std::string_view kSystemTypeId =
    "CASE c.type_name WHEN 'image' THEN 34 WHEN 'text' THEN 35 WHEN 'uniqueidentifier' THEN 36 WHEN 'date' THEN 40 "
    "WHEN 'time' THEN 41 WHEN 'datetime2' THEN 42 WHEN 'datetimeoffset' THEN 43 WHEN 'tinyint' THEN 48 "
    "WHEN 'smallint' THEN 52 WHEN 'int' THEN 56 WHEN 'smalldatetime' THEN 58 WHEN 'real' THEN 59 "
    "WHEN 'money' THEN 60 WHEN 'datetime' THEN 61 WHEN 'float' THEN 62 WHEN 'sql_variant' THEN 98 "
    "WHEN 'ntext' THEN 99 WHEN 'bit' THEN 104 WHEN 'decimal' THEN 106 WHEN 'numeric' THEN 108 "
    "WHEN 'smallmoney' THEN 122 WHEN 'bigint' THEN 127 WHEN 'varbinary' THEN 165 WHEN 'varchar' THEN 167 "
    "WHEN 'binary' THEN 173 WHEN 'char' THEN 175 WHEN 'timestamp' THEN 189 WHEN 'nvarchar' THEN 231 "
    "WHEN 'nchar' THEN 239 WHEN 'xml' THEN 241 ELSE 240 END";
constexpr std::string_view kUserTypeId =
    "CASE c.type_name WHEN 'hierarchyid' THEN 128 WHEN 'geography' THEN 130 ELSE $SYSTEMTYPEID END";

// sys.indexes.index_id: 1 for the primary key (the clustered index), 2 on for the others in
// the order they were made.
constexpr std::string_view kIndexId =
    "CASE WHEN i.kind = 'PK' THEN 1 ELSE 1 + (SELECT COUNT(*) FROM main.__morav_indexes j WHERE j.table_id = "
    "i.table_id AND j.kind <> 'PK' AND j.rowid <= i.rowid) END";

const std::array<ViewDef, 17> kViews = {{
    {"sysobjects",
     "SELECT o.name, o.id, o.type AS xtype, CASE WHEN o.type IN ('PK', 'UQ') THEN 'K' ELSE o.type END AS type, "
     "o.parent_id AS parent_obj, o.created AS crdate, 1 AS uid FROM main.__morav_objects o"},
    {"sys.objects",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.parent_id AS parent_object_id, o.type, $TYPEDESC AS "
     "type_desc, o.created AS create_date, o.created AS modify_date, 0 AS is_ms_shipped FROM main.__morav_objects o"},
    {"sys.tables",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.type, 'USER_TABLE' AS type_desc, o.created AS "
     "create_date FROM main.__morav_objects o WHERE o.type = 'U'"},
    {"sys.views",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.type, 'VIEW' AS type_desc, o.created AS create_date "
     "FROM main.__morav_objects o WHERE o.type = 'V'"},
    {"sys.procedures",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.type, 'SQL_STORED_PROCEDURE' AS type_desc, o.created AS "
     "create_date FROM main.__morav_objects o WHERE o.type = 'P'"},
    {"sys.columns",
     "SELECT c.table_id AS object_id, c.name, c.column_id, c.type_name AS type_name, $SYSTEMTYPEID AS "
     "system_type_id, $USERTYPEID AS user_type_id, $MAXLENGTH AS max_length, "
     "c.precision, c.scale, c.nullable AS is_nullable, c.identity_seed IS NOT NULL AS is_identity, "
     "c.computed <> '' AS is_computed FROM main.__morav_columns c"},
    {"syscolumns",
     "SELECT c.name, c.table_id AS id, c.column_id AS colid, $MAXLENGTH AS length, c.nullable AS isnullable "
     "FROM main.__morav_columns c"},
    {"sys.indexes",
     "SELECT i.table_id AS object_id, i.name, $INDEXID AS index_id, CASE WHEN i.kind = 'PK' THEN 1 ELSE 2 END AS "
     "type, CASE WHEN i.kind = 'PK' THEN 'CLUSTERED' ELSE 'NONCLUSTERED' END AS type_desc, i.kind = 'PK' AS "
     "is_primary_key, i.is_unique, i.kind = 'UQ' AS is_unique_constraint FROM main.__morav_indexes i"},
    // An index's key columns, then its included ones, split from the catalog's list of names.
    {"sys.index_columns",
     "WITH RECURSIVE parts(object_id, index_id, is_included_column, rest, name, ordinal) AS ("
     "SELECT i.table_id, $INDEXID, 0, i.columns || char(31), '', 0 FROM main.__morav_indexes i "
     "UNION ALL SELECT i.table_id, $INDEXID, 1, i.included || char(31), '', 0 FROM main.__morav_indexes i "
     "WHERE i.included <> '' "
     "UNION ALL SELECT object_id, index_id, is_included_column, substr(rest, instr(rest, char(31)) + 1), "
     "substr(rest, 1, instr(rest, char(31)) - 1), ordinal + 1 FROM parts WHERE rest <> '') "
     "SELECT p.object_id, p.index_id, ROW_NUMBER() OVER (PARTITION BY p.object_id, p.index_id ORDER BY "
     "p.is_included_column, p.ordinal) AS index_column_id, c.column_id, CASE WHEN p.is_included_column THEN 0 "
     "ELSE p.ordinal END AS key_ordinal, 0 AS is_descending_key, p.is_included_column FROM parts p "
     "JOIN main.__morav_columns c ON c.table_id = p.object_id AND c.name = p.name WHERE p.ordinal > 0"},
    {"sys.foreign_key_columns",
     "SELECT constraint_object_id, constraint_column_id, parent_object_id, parent_column_id, referenced_object_id, "
     "referenced_column_id FROM temp.__morav_foreign_key_columns"},
    {"sys.key_constraints",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.parent_id AS parent_object_id, o.type, $TYPEDESC AS "
     "type_desc, o.created AS create_date, 0 AS is_ms_shipped FROM main.__morav_objects o WHERE o.type IN ('PK', "
     "'UQ')"},
    {"sys.foreign_keys",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.parent_id AS parent_object_id, o.type, $TYPEDESC AS "
     "type_desc, o.created AS create_date, 0 AS is_disabled, 0 AS is_not_trusted, 0 AS is_ms_shipped, "
     "(SELECT k.referenced_object_id FROM temp.__morav_foreign_key_columns k WHERE k.constraint_object_id = o.id "
     "LIMIT 1) AS referenced_object_id FROM main.__morav_objects o WHERE o.type = 'F'"},
    {"sys.default_constraints",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.parent_id AS parent_object_id, o.type, $TYPEDESC AS "
     "type_desc, (SELECT c.column_id FROM main.__morav_columns c WHERE c.table_id = o.parent_id AND c.name = "
     "o.parent_column) AS parent_column_id, o.definition, o.created AS create_date FROM main.__morav_objects o "
     "WHERE o.type = 'D'"},
    {"sys.check_constraints",
     "SELECT o.name, o.id AS object_id, 1 AS schema_id, o.parent_id AS parent_object_id, o.type, $TYPEDESC AS "
     "type_desc, o.definition, 0 AS is_disabled FROM main.__morav_objects o WHERE o.type = 'C'"},
    {"sys.triggers",
     "SELECT o.name, o.id AS object_id, 1 AS parent_class, o.parent_id AS parent_id, o.type, 'SQL_TRIGGER' AS "
     "type_desc, o.created AS create_date, 0 AS is_disabled FROM main.__morav_objects o WHERE o.type = 'TR'"},
    {"information_schema.tables",
     "SELECT $CATALOG AS TABLE_CATALOG, 'dbo' AS TABLE_SCHEMA, o.name AS TABLE_NAME, "
     "CASE o.type WHEN 'U' THEN 'BASE TABLE' ELSE 'VIEW' END AS TABLE_TYPE FROM main.__morav_objects o "
     "WHERE o.type IN ('U', 'V')"},
    {"information_schema.columns",
     "SELECT $CATALOG AS TABLE_CATALOG, 'dbo' AS TABLE_SCHEMA, o.name AS TABLE_NAME, c.name AS COLUMN_NAME, "
     "c.column_id AS ORDINAL_POSITION, (SELECT d.definition FROM main.__morav_objects d WHERE d.parent_id = o.id "
     "AND d.type = 'D' AND d.parent_column = c.name) AS COLUMN_DEFAULT, CASE WHEN c.nullable THEN 'YES' ELSE 'NO' "
     "END AS IS_NULLABLE, c.type_name AS DATA_TYPE, CASE WHEN c.length <> 0 THEN c.length END AS "
     "CHARACTER_MAXIMUM_LENGTH, CASE WHEN c.precision <> 0 THEN c.precision END AS NUMERIC_PRECISION, CASE WHEN "
     "c.precision <> 0 THEN c.scale END AS NUMERIC_SCALE FROM main.__morav_objects o JOIN main.__morav_columns c "
     "ON c.table_id = o.id"},
}};

// The lists of the instance's databases: temp tables filled from the data directory afresh
// at every use, since other connections create databases.
struct DatabaseList {
  std::string_view name;
  std::string_view columns;
  bool withFile;
};

constexpr DatabaseList kDatabaseLists[] = {
    {"sysdatabases", "name TEXT COLLATE NOCASE, dbid INTEGER, crdate TEXT, cmptlevel INTEGER, filename TEXT", true},
    {"sys.databases", "name TEXT COLLATE NOCASE, database_id INTEGER, create_date TEXT, compatibility_level INTEGER",
     false},
};

std::string replaceAll(std::string text, std::string_view what, std::string_view with) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

}  // namespace

SystemViews::SystemViews(SqliteDb& db, CatalogStore& catalog, std::filesystem::path dataDir, std::string catalogName)
    : db_(db), catalog_(catalog), dataDir_(std::move(dataDir)), catalogName_(std::move(catalogName)) {}

void SystemViews::fillForeignKeyColumns() {
  db_.exec(
      "CREATE TEMP TABLE IF NOT EXISTS __morav_foreign_key_columns(constraint_object_id INTEGER, "
      "constraint_column_id INTEGER, parent_object_id INTEGER, parent_column_id INTEGER, referenced_object_id "
      "INTEGER, referenced_column_id INTEGER)");
  db_.exec("DELETE FROM temp.__morav_foreign_key_columns");
  Stmt insert = db_.prepare(
      "INSERT INTO temp.__morav_foreign_key_columns SELECT f.id, ?3, p.id, pc.column_id, r.id, rc.column_id "
      "FROM main.__morav_objects f JOIN main.__morav_objects p ON p.id = f.parent_id "
      "JOIN main.__morav_objects r ON r.name = ?2 AND r.type = 'U' "
      "JOIN main.__morav_columns pc ON pc.table_id = p.id AND pc.name = ?4 "
      "JOIN main.__morav_columns rc ON rc.table_id = r.id AND rc.name = ?5 WHERE f.name = ?1");
  for (const ForeignKeyInfo& key : catalog_.foreignKeys()) {
    for (size_t i = 0; i < key.columns.size() && i < key.referencedColumns.size(); ++i) {
      insert.bind(1, key.name).bind(2, key.referencedTable).bind(3, static_cast<std::int64_t>(i + 1));
      insert.bind(4, key.columns[i]).bind(5, key.referencedColumns[i]);
      insert.run();
      insert.reset();
    }
  }
}

std::optional<std::string> SystemViews::lookup(const std::vector<std::string>& parts) {
  std::string joined;
  for (const auto& p : parts) joined += (joined.empty() ? "" : ".") + asciiLower(p);
  for (const DatabaseList& list : kDatabaseLists)
    if (list.name == joined) return joined;
  for (const ViewDef& v : kViews)
    if (v.name == joined) return joined;
  return std::nullopt;
}

void SystemViews::prepare(const std::string& view) {
  // Temp objects made inside a transaction go with its rollback; they are made again ("IF NOT
  // EXISTS" keeps those that survived).
  if (db_.rollbacks() != rollbacksSeen_) {
    created_.clear();
    rollbacksSeen_ = db_.rollbacks();
  }
  for (const DatabaseList& list : kDatabaseLists) {
    if (list.name != view) continue;
    const std::string table = "temp." + quoteName(view);
    // A kept handle may hold the tables and views of an earlier connection to this file.
    if (created_.insert(view).second)
      db_.exec("CREATE TABLE IF NOT EXISTS " + table + "(" + std::string(list.columns) + ")");
    db_.exec("DELETE FROM " + table);
    Stmt insert =
        db_.prepare("INSERT INTO " + table + " VALUES (?1, ?2, datetime('now'), 100" + (list.withFile ? ", ?3)" : ")"));
    std::int64_t id = 0;
    for (const CatalogEntry& entry : listCatalogs(dataDir_)) {
      insert.bind(1, entry.name).bind(2, ++id);
      if (list.withFile) insert.bind(3, entry.file.string());
      insert.run();
      insert.reset();
    }
    return;
  }
  if (view == "sys.foreign_keys" || view == "sys.foreign_key_columns") fillForeignKeyColumns();
  if (!created_.insert(view).second) return;
  for (const ViewDef& v : kViews) {
    if (v.name != view) continue;
    std::string sql = replaceAll(std::string(v.sql), "$CATALOG", quoteText(catalogName_));
    sql = replaceAll(sql, "$TYPEDESC", kTypeDesc);
    sql = replaceAll(sql, "$MAXLENGTH", kMaxLength);
    sql = replaceAll(sql, "$USERTYPEID", kUserTypeId);
    sql = replaceAll(sql, "$SYSTEMTYPEID", kSystemTypeId);
    sql = replaceAll(sql, "$INDEXID", kIndexId);
    db_.exec("CREATE TEMP VIEW IF NOT EXISTS " + quoteName(view) + " AS " + sql);
  }
}

}  // namespace db::embedded
