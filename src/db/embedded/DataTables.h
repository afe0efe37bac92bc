#pragma once

#include <map>
#include <string>
#include <string_view>

#include "db/embedded/CatalogStore.h"
#include "db/embedded/Sqlite.h"

namespace db::embedded {

// The SQLite tables that hold the rows. A table's SQLite definition is derived entirely from
// its catalog entry: columns with their storage classes, NOT NULL, defaults and computed
// expressions, a unique index per key constraint, the indexes, and triggers that number an
// identity column.
//
// Schema changes in SQLite are costly (every ALTER re-reads the whole schema), and a table
// step changes an empty table dozens of times. So a change to a table without rows is made in
// the catalog only and the table is marked stale; a stale table is (re)created from the
// catalog just before a data statement uses it. A table that holds rows is changed at once.
// Invariant: a stale table has no rows.
//
// Foreign keys are kept by triggers (SQLite's own foreign keys cannot name the constraint a
// row broke, and would need every referenced table present): the referencing table checks
// each row it gains or changes, the referenced table each row it loses or re-keys. A key's
// triggers exist exactly while both its tables do, so no trigger ever names a missing table
// (SQLite then refuses every later ALTER TABLE of the file).
// The name of the check that keeps a text column's values within its length: SQLite reports
// "CHECK constraint failed: <kLengthCheck><column>" for a value too long.
inline constexpr std::string_view kLengthCheck = "__morav_length$";
// What the triggers of a foreign key raise: "<kForeignKeyConflict><INSERT|UPDATE|DELETE>:<key>",
// and for the referenced side "<kReferenceConflict>...".
// The hidden table of each table's current identity value.
inline constexpr std::string_view kIdentityTable = "__morav_identity";
inline constexpr std::string_view kForeignKeyConflict = "morav:foreign_key:";
inline constexpr std::string_view kReferenceConflict = "morav:reference:";

// The condition of a CHECK constraint as the catalog keeps its clause.
std::string checkCondition(std::string_view clause);

class DataTables {
 public:
  DataTables(SqliteDb& db, CatalogStore& catalog, Dialect dialect) : db_(db), catalog_(catalog), dialect_(dialect) {}

  bool exists(std::string_view table);
  bool hasRows(std::string_view table);
  // Whether `column` holds a NULL in some row.
  bool hasNulls(std::string_view table, std::string_view column);

  // Drops whatever SQLite table is there and creates it afresh from the catalog.
  void create(const TableInfo& table);
  void drop(std::string_view table);

  // Brings a table that holds rows to the definition `after`: columns it had keep their
  // values; new ones take `fills` (SQL over the old row; NULL when absent).
  void rebuild(const TableInfo& before, const TableInfo& after, const std::map<std::string, std::string>& fills);
  void addColumn(const TableInfo& after, const ColumnInfo& column);  // SQLite's own ADD COLUMN
  void dropColumn(std::string_view table, std::string_view column);
  void createIndex(std::string_view table, const IndexInfo& index);
  // Makes the triggers of a foreign key, when both its tables hold their SQLite tables.
  void createForeignKeyTriggers(const ForeignKeyInfo& key);
  void dropForeignKeyTriggers(const ForeignKeyInfo& key);
  void dropIndex(std::string_view table, std::string_view index);

  // The SQLite declaration of a column, e.g. "\"Sh\" TEXT NOT NULL DEFAULT ('x')".
  std::string declaration(const TableInfo& table, const ColumnInfo& column) const;
  // Whether SQLite's native ADD COLUMN gives existing rows what SQL Server gives them (NULL).
  bool canAddNatively(const TableInfo& table, const ColumnInfo& column) const;

  // A unique key's duplicate values as SQL Server shows them, e.g. "(1)" or "(a, 2)".
  std::string duplicateKeyValue(std::string_view table, const std::vector<std::string>& columns);

  // Prepares, without running, the SQLite table the catalog's `table` becomes: throws
  // SqliteFailure when SQLite cannot parse one of its column definitions.
  void checkDefinition(const TableInfo& table) const;

 private:
  std::string createSql(const TableInfo& table, std::string_view sqliteName) const;
  void createDependents(const TableInfo& table);
  std::string sqliteIndexName(std::string_view table, std::string_view index) const;
  // The foreign keys that refer to `table` or that it declares.
  std::vector<ForeignKeyInfo> foreignKeysOf(std::string_view table);

  SqliteDb& db_;
  CatalogStore& catalog_;
  Dialect dialect_;
};

}  // namespace db::embedded
