#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/embedded/Ast.h"
#include "db/embedded/SqlTypes.h"
#include "db/embedded/Sqlite.h"

namespace db::embedded {

// The engine's own record of a catalog's objects, kept in hidden tables of the catalog file
// (names beginning "__morav_", never listed as tables). It plays the part of SQL Server's
// sys.objects, sys.columns and sys.indexes: names are unique per catalog without regard to
// ASCII letter case, and every object keeps what its statement declared.

struct ColumnInfo {
  std::int64_t id = 0;  // SQL Server's column_id: ordinal order
  std::string name;
  SqlType type;  // type.declared: the type text as the statement wrote it
  bool nullable = true;
  std::optional<Identity> identity;
  std::string computed;  // "AS (...)": the expression as written; empty for a stored column

  // char(n) or nchar(n): every value holds n characters, padded with blanks.
  bool isFixedLengthText() const {
    return (type.name == "char" || type.name == "nchar") && type.length > 0 && computed.empty();
  }
};

struct IndexInfo {
  enum Kind { PrimaryKey, UniqueConstraint, Plain } kind = Plain;
  std::string name;
  bool unique = false;
  std::vector<std::string> columns;
  std::vector<std::string> included;
};

// One row of the object namespace: tables "U", views "V", procedures "P", functions "FN",
// triggers "TR", and constraints: "PK", "UQ", "D" (default), "F" (foreign key), "C" (check).
struct ObjectInfo {
  std::int64_t id = 0;
  std::string name;
  std::string type;
  std::int64_t parentId = 0;  // the table of a constraint or trigger
  std::string parentColumn;   // the column of a default (and of a column-level check or foreign key)
  std::string definition;     // a module's text; a default's expression; a constraint's clause
};

struct TableInfo {
  ObjectInfo object;
  bool dataStale = false;  // see DataTables: the SQLite table is rebuilt from here before use
  std::vector<ColumnInfo> columns;
  std::vector<IndexInfo> indexes;
  std::vector<ObjectInfo> children;  // constraints and triggers of the table

  const std::string& name() const { return object.name; }
  const ColumnInfo* column(std::string_view name) const;
  const ObjectInfo* defaultOf(std::string_view column) const;
  const IndexInfo* primaryKey() const;
  const IndexInfo* index(std::string_view name) const;
};

// A foreign key as its clause declares it, with the referenced key's columns filled in when
// the clause names none. What happens to referencing rows when a referenced row is deleted or
// its key changed: NO ACTION refuses the change, CASCADE carries it over, SET NULL clears them.
struct ForeignKeyInfo {
  enum Action { NoAction, Cascade, SetNull, SetDefault };
  std::string name;
  std::string table;  // the referencing table
  std::vector<std::string> columns;
  std::string referencedTable;
  std::vector<std::string> referencedColumns;
  Action onDelete = NoAction;
  Action onUpdate = NoAction;

  bool involves(std::string_view tableName) const;
};

// Reads a foreign key's clause as the parser kept it ("FOREIGN KEY (a) REFERENCES T (b) ON
// DELETE CASCADE", or a column's "REFERENCES T"); `column` is the column of a column constraint.
ForeignKeyInfo parseForeignKey(std::string_view name, std::string_view table, std::string_view column,
                               std::string_view clause);

class CatalogStore {
 public:
  explicit CatalogStore(SqliteDb& db) : db_(db) {}

  static constexpr int kFormatVersion = 1;
  // Creates the hidden tables of a new catalog file.
  static void initialize(SqliteDb& db, std::string_view dialectName);
  // Whether the file holds the hidden tables of a catalog this version can read.
  static bool isCatalog(SqliteDb& db);

  std::optional<std::string> meta(std::string_view key);

  // Catalog reads: table and view names in the tables rowset's order, and one table's
  // column names in ordinal order (empty for a name that is no table or view).
  std::vector<std::string> tableAndViewNames();
  std::vector<std::string> columnNames(std::string_view table);

  std::optional<ObjectInfo> findObject(std::string_view name);
  std::optional<std::string> objectName(std::int64_t id);
  std::optional<TableInfo> loadTable(std::string_view name);
  std::vector<std::string> staleTableNames();
  // Every foreign key of the catalog; a referenced key left unnamed is the table's primary key.
  std::vector<ForeignKeyInfo> foreignKeys();

  std::int64_t insertObject(const ObjectInfo& object);
  void updateObjectDefinition(std::int64_t id, std::string_view definition);
  void deleteObject(std::int64_t id);
  // Removes a table and everything that belongs to it.
  void deleteTable(std::int64_t id);
  void setDataStale(std::int64_t tableId, bool stale);

  std::int64_t nextColumnId(std::int64_t tableId);
  void insertColumn(std::int64_t tableId, const ColumnInfo& column);
  void updateColumn(std::int64_t tableId, const ColumnInfo& column);
  void deleteColumn(std::int64_t tableId, std::int64_t columnId);
  void deleteColumns(std::int64_t tableId);  // all of a view's, when it is altered

  void insertIndex(std::int64_t tableId, const IndexInfo& index);
  void deleteIndex(std::int64_t tableId, std::string_view name);

  // Temporary tables (#name) belong to the connection: their catalog is kept apart from the
  // file's, their ids above kTemporaryIds. Forgets them all, returning the tables to drop.
  static constexpr std::int64_t kTemporaryIds = std::int64_t{1} << 40;
  static bool isTemporaryName(std::string_view name);
  static bool isTemporaryId(std::int64_t id);
  std::vector<std::string> dropTemporaryTables();

 private:
  // `sql` with "$S" naming the schema of the catalog tables it reads: the file's or the
  // connection's temporary one (made on first use).
  std::string inSchema(bool temporary, std::string sql);

  SqliteDb& db_;
  bool temporaryReady_ = false;
};

}  // namespace db::embedded
