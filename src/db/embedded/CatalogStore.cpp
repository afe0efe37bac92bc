#include "db/embedded/CatalogStore.h"

#include <algorithm>

#include "db/ConnectionString.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

namespace {

// The sort weight of one byte in SQL Server's case-insensitive Windows collations, as far as
// the table rowset's order shows it: punctuation before digits before letters, letters
// without regard to case, and other scripts (Persian) after, in code point order.
int collationWeight(unsigned char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
  if (c >= 'a' && c <= 'z') return 0x300 + c;
  if (c >= '0' && c <= '9') return 0x200 + c;
  if (c < 0x80) return 0x100 + c;
  return 0x400 + c;
}

bool collationLess(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int wa = collationWeight(static_cast<unsigned char>(a[i]));
    const int wb = collationWeight(static_cast<unsigned char>(b[i]));
    if (wa != wb) return wa < wb;
  }
  return a.size() < b.size();
}

std::string joinNames(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : "\x1f") + n;
  return out;
}

constexpr const char* kSchema = R"(
CREATE TABLE __morav_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
CREATE TABLE __morav_objects(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL COLLATE NOCASE,
  type TEXT NOT NULL,
  parent_id INTEGER NOT NULL DEFAULT 0,
  parent_column TEXT NOT NULL DEFAULT '' COLLATE NOCASE,
  definition TEXT NOT NULL DEFAULT '',
  data_stale INTEGER NOT NULL DEFAULT 0,
  created TEXT NOT NULL DEFAULT (datetime('now')));
CREATE UNIQUE INDEX __morav_objects_name ON __morav_objects(name);
CREATE INDEX __morav_objects_parent ON __morav_objects(parent_id);
CREATE TABLE __morav_columns(
  table_id INTEGER NOT NULL,
  column_id INTEGER NOT NULL,
  name TEXT NOT NULL COLLATE NOCASE,
  type_text TEXT NOT NULL,
  type_name TEXT NOT NULL,
  length INTEGER NOT NULL,
  precision INTEGER NOT NULL,
  scale INTEGER NOT NULL,
  nullable INTEGER NOT NULL,
  identity_seed INTEGER,
  identity_increment INTEGER,
  computed TEXT NOT NULL DEFAULT '',
  PRIMARY KEY(table_id, column_id)) WITHOUT ROWID;
CREATE UNIQUE INDEX __morav_columns_name ON __morav_columns(table_id, name);
CREATE TABLE __morav_indexes(
  table_id INTEGER NOT NULL,
  name TEXT NOT NULL COLLATE NOCASE,
  kind TEXT NOT NULL,
  is_unique INTEGER NOT NULL,
  columns TEXT NOT NULL,
  included TEXT NOT NULL);
CREATE UNIQUE INDEX __morav_indexes_name ON __morav_indexes(table_id, name);
)";

std::vector<std::string> splitNames(const std::string& joined) {
  std::vector<std::string> names;
  if (joined.empty()) return names;
  size_t start = 0;
  while (true) {
    const size_t sep = joined.find('\x1f', start);
    names.push_back(joined.substr(start, sep == std::string::npos ? std::string::npos : sep - start));
    if (sep == std::string::npos) break;
    start = sep + 1;
  }
  return names;
}

const char* indexKindCode(IndexInfo::Kind kind) {
  switch (kind) {
    case IndexInfo::PrimaryKey: return "PK";
    case IndexInfo::UniqueConstraint: return "UQ";
    case IndexInfo::Plain: return "IX";
  }
  return "IX";
}

IndexInfo::Kind indexKindFromCode(std::string_view code) {
  if (code == "PK") return IndexInfo::PrimaryKey;
  if (code == "UQ") return IndexInfo::UniqueConstraint;
  return IndexInfo::Plain;
}

constexpr const char* kObjectColumns = "id, name, type, parent_id, parent_column, definition";

ObjectInfo readObject(const Stmt& s, int first = 0) {
  ObjectInfo o;
  o.id = s.integer(first);
  o.name = s.text(first + 1);
  o.type = s.text(first + 2);
  o.parentId = s.integer(first + 3);
  o.parentColumn = s.text(first + 4);
  o.definition = s.text(first + 5);
  return o;
}

}  // namespace

const ColumnInfo* TableInfo::column(std::string_view name) const {
  for (const ColumnInfo& c : columns)
    if (equalsAsciiNoCase(c.name, name)) return &c;
  return nullptr;
}

const ObjectInfo* TableInfo::defaultOf(std::string_view columnName) const {
  for (const ObjectInfo& o : children)
    if (o.type == "D" && equalsAsciiNoCase(o.parentColumn, columnName)) return &o;
  return nullptr;
}

const IndexInfo* TableInfo::primaryKey() const {
  for (const IndexInfo& i : indexes)
    if (i.kind == IndexInfo::PrimaryKey) return &i;
  return nullptr;
}

const IndexInfo* TableInfo::index(std::string_view indexName) const {
  for (const IndexInfo& i : indexes)
    if (equalsAsciiNoCase(i.name, indexName)) return &i;
  return nullptr;
}

void CatalogStore::initialize(SqliteDb& db, std::string_view dialectName) {
  WriteTransaction tx(db);
  db.exec(kSchema);
  db.cached("INSERT INTO __morav_meta(key, value) VALUES (?1, ?2)")
      .bind(1, "format")
      .bind(2, std::to_string(kFormatVersion))
      .run();
  db.cached("INSERT INTO __morav_meta(key, value) VALUES (?1, ?2)").bind(1, "dialect").bind(2, dialectName).run();
  tx.commit();
}

bool CatalogStore::isCatalog(SqliteDb& db) {
  try {
    Stmt s = db.prepare("SELECT value FROM __morav_meta WHERE key = 'format'");
    return s.step() && s.text(0) == std::to_string(kFormatVersion);
  } catch (const SqliteFailure&) {
    return false;
  }
}

bool CatalogStore::isTemporaryName(std::string_view name) { return !name.empty() && name.front() == '#'; }

bool CatalogStore::isTemporaryId(std::int64_t id) { return id > kTemporaryIds; }

std::string CatalogStore::inSchema(bool temporary, std::string sql) {
  if (temporary && !temporaryReady_) {
    // The connection's own catalog of #tables, in SQLite's TEMP schema: the same tables as the
    // file's, seen by this connection alone and gone with it.
    std::string schema = kSchema;
    for (const std::string_view create : {"CREATE TABLE ", "CREATE UNIQUE INDEX ", "CREATE INDEX "})
      for (size_t at = schema.find(create); at != std::string::npos; at = schema.find(create, at + 1))
        schema.insert(at + create.size(), "IF NOT EXISTS temp.");
    db_.exec(schema);
    temporaryReady_ = true;
  }
  const std::string_view prefix = temporary ? "temp." : "main.";
  for (size_t at = sql.find("$S"); at != std::string::npos; at = sql.find("$S", at + prefix.size()))
    sql.replace(at, 2, prefix);
  return sql;
}

std::vector<std::string> CatalogStore::dropTemporaryTables() {
  std::vector<std::string> tables;
  if (!temporaryReady_) return tables;
  {
    Stmt s = db_.prepare("SELECT name FROM temp.__morav_objects WHERE type = 'U'");
    while (s.step()) tables.push_back(s.text(0));
  }
  for (const char* table : {"__morav_objects", "__morav_columns", "__morav_indexes", "__morav_meta"})
    db_.exec(std::string("DROP TABLE IF EXISTS temp.") + table);
  temporaryReady_ = false;
  return tables;
}

std::optional<std::string> CatalogStore::meta(std::string_view key) {
  Stmt s = db_.cached("SELECT value FROM main.__morav_meta WHERE key = ?1");
  s.bind(1, key);
  if (!s.step()) return std::nullopt;
  return s.text(0);
}

std::vector<std::string> CatalogStore::tableAndViewNames() {
  // The tables rowset lists by TABLE_TYPE ("TABLE" before "VIEW"), then by name.
  std::vector<std::string> tables, views;
  Stmt s = db_.cached(inSchema(false, "SELECT name, type FROM $S__morav_objects WHERE type IN ('U', 'V')"));
  while (s.step()) (s.text(1) == "U" ? tables : views).push_back(s.text(0));
  std::sort(tables.begin(), tables.end(), collationLess);
  std::sort(views.begin(), views.end(), collationLess);
  tables.insert(tables.end(), views.begin(), views.end());
  return tables;
}

std::vector<std::string> CatalogStore::columnNames(std::string_view table) {
  Stmt s = db_.cached(inSchema(false, 
      "SELECT c.name FROM $S__morav_objects o JOIN $S__morav_columns c ON c.table_id = o.id "
      "WHERE o.name = ?1 AND o.type IN ('U', 'V') ORDER BY c.column_id"));
  s.bind(1, table);
  std::vector<std::string> names;
  while (s.step()) names.push_back(s.text(0));
  return names;
}

std::optional<ObjectInfo> CatalogStore::findObject(std::string_view name) {
  Stmt s = db_.cached(inSchema(isTemporaryName(name), std::string("SELECT ") + kObjectColumns + " FROM $S__morav_objects WHERE name = ?1"));
  s.bind(1, name);
  if (!s.step()) return std::nullopt;
  return readObject(s);
}

std::optional<std::string> CatalogStore::objectName(std::int64_t id) {
  Stmt s = db_.cached(inSchema(isTemporaryId(id), "SELECT name FROM $S__morav_objects WHERE id = ?1"));
  s.bind(1, id);
  if (!s.step()) return std::nullopt;
  return s.text(0);
}

std::optional<TableInfo> CatalogStore::loadTable(std::string_view name) {
  TableInfo table;
  {
    Stmt s = db_.cached(inSchema(isTemporaryName(name), std::string("SELECT ") + kObjectColumns +
                        ", data_stale FROM $S__morav_objects WHERE name = ?1 AND type = 'U'"));
    s.bind(1, name);
    if (!s.step()) return std::nullopt;
    table.object = readObject(s);
    table.dataStale = s.integer(6) != 0;
  }
  {
    Stmt s = db_.cached(inSchema(isTemporaryName(name), 
        "SELECT column_id, name, type_text, type_name, length, precision, scale, nullable, identity_seed, "
        "identity_increment, computed FROM $S__morav_columns WHERE table_id = ?1 ORDER BY column_id"));
    s.bind(1, table.object.id);
    while (s.step()) {
      ColumnInfo c;
      c.id = s.integer(0);
      c.name = s.text(1);
      c.type.declared = s.text(2);
      c.type.name = s.text(3);
      c.type.length = static_cast<int>(s.integer(4));
      c.type.precision = static_cast<int>(s.integer(5));
      c.type.scale = static_cast<int>(s.integer(6));
      c.type.affinity = affinityOf(c.type.name);
      c.nullable = s.integer(7) != 0;
      if (!s.isNull(8)) c.identity = Identity{s.integer(8), s.integer(9)};
      c.computed = s.text(10);
      table.columns.push_back(std::move(c));
    }
  }
  {
    Stmt s = db_.cached(inSchema(isTemporaryName(name), 
        "SELECT name, kind, is_unique, columns, included FROM $S__morav_indexes WHERE table_id = ?1 ORDER BY rowid"));
    s.bind(1, table.object.id);
    while (s.step()) {
      IndexInfo i;
      i.name = s.text(0);
      i.kind = indexKindFromCode(s.text(1));
      i.unique = s.integer(2) != 0;
      i.columns = splitNames(s.text(3));
      i.included = splitNames(s.text(4));
      table.indexes.push_back(std::move(i));
    }
  }
  {
    Stmt s = db_.cached(inSchema(isTemporaryName(name), std::string("SELECT ") + kObjectColumns + " FROM $S__morav_objects WHERE parent_id = ?1"));
    s.bind(1, table.object.id);
    while (s.step()) table.children.push_back(readObject(s));
  }
  return table;
}

std::vector<std::string> CatalogStore::staleTableNames() {
  Stmt s = db_.cached(inSchema(false, "SELECT name FROM $S__morav_objects WHERE type = 'U' AND data_stale = 1"));
  std::vector<std::string> names;
  while (s.step()) names.push_back(s.text(0));
  return names;
}

bool ForeignKeyInfo::involves(std::string_view tableName) const {
  return equalsAsciiNoCase(table, tableName) || equalsAsciiNoCase(referencedTable, tableName);
}

ForeignKeyInfo parseForeignKey(std::string_view name, std::string_view table, std::string_view column,
                               std::string_view clause) {
  ForeignKeyInfo fk;
  fk.name = name;
  fk.table = table;
  const std::vector<Token> tokens = tokenize(clause, Dialect::SqlServer);
  const auto nameOf = [](const Token& t) { return t.kind == TokenKind::QuotedName ? t.value : t.text; };
  // A parenthesised list of names from tokens[i] ("("), returning the index after ")".
  const auto readList = [&](size_t i, std::vector<std::string>& names) {
    for (++i; i < tokens.size() && !tokens[i].isSymbol(")"); ++i)
      if (tokens[i].isName()) names.push_back(nameOf(tokens[i]));
    return i + 1;
  };
  size_t i = 0;
  while (i < tokens.size() && !tokens[i].isWord("references")) {
    if (tokens[i].isSymbol("(")) {
      i = readList(i, fk.columns);
    } else {
      ++i;
    }
  }
  if (fk.columns.empty() && !column.empty()) fk.columns.emplace_back(column);
  // The referenced table: the last part of [schema.]name.
  for (++i; i < tokens.size() && (tokens[i].isName() || tokens[i].isSymbol(".")) && !tokens[i].isWord("on"); ++i)
    if (tokens[i].isName()) fk.referencedTable = nameOf(tokens[i]);
  if (i < tokens.size() && tokens[i].isSymbol("(")) i = readList(i, fk.referencedColumns);
  while (i + 2 < tokens.size()) {
    if (!tokens[i].isWord("on")) {
      ++i;
      continue;
    }
    ForeignKeyInfo::Action& action = tokens[i + 1].isWord("delete") ? fk.onDelete : fk.onUpdate;
    const Token& what = tokens[i + 2];
    action = what.isWord("cascade") ? ForeignKeyInfo::Cascade
             : what.isWord("set") && i + 3 < tokens.size() && tokens[i + 3].isWord("null") ? ForeignKeyInfo::SetNull
             : what.isWord("set") ? ForeignKeyInfo::SetDefault
                                  : ForeignKeyInfo::NoAction;
    i += 3;
  }
  return fk;
}

std::vector<ForeignKeyInfo> CatalogStore::foreignKeys() {
  std::vector<ForeignKeyInfo> keys;
  {
    Stmt s = db_.cached(inSchema(false, 
        "SELECT f.name, t.name, f.parent_column, f.definition FROM $S__morav_objects f "
        "JOIN $S__morav_objects t ON t.id = f.parent_id WHERE f.type = 'F' ORDER BY f.id"));
    while (s.step()) keys.push_back(parseForeignKey(s.text(0), s.text(1), s.text(2), s.text(3)));
  }
  for (ForeignKeyInfo& fk : keys) {
    if (!fk.referencedColumns.empty()) continue;
    if (const auto referenced = loadTable(fk.referencedTable))
      if (const IndexInfo* key = referenced->primaryKey()) fk.referencedColumns = key->columns;
  }
  return keys;
}

std::int64_t CatalogStore::insertObject(const ObjectInfo& o) {
  // A temporary object's id is above every catalog id, so that the id alone tells where it is.
  db_.cached(inSchema(isTemporaryName(o.name) || isTemporaryId(o.parentId),
                      "INSERT INTO $S__morav_objects(id, name, type, parent_id, parent_column, definition) VALUES "
                      "((SELECT IFNULL(MAX(id), CASE WHEN '$S' = 'temp.' THEN " +
                          std::to_string(kTemporaryIds) + " ELSE 0 END) + 1 FROM $S__morav_objects), ?1, ?2, ?3, ?4, ?5)"))
      .bind(1, o.name)
      .bind(2, o.type)
      .bind(3, o.parentId)
      .bind(4, o.parentColumn)
      .bind(5, o.definition)
      .run();
  return db_.lastInsertRowid();
}

void CatalogStore::updateObjectDefinition(std::int64_t id, std::string_view definition) {
  db_.cached(inSchema(isTemporaryId(id), "UPDATE $S__morav_objects SET definition = ?2 WHERE id = ?1")).bind(1, id).bind(2, definition).run();
}

void CatalogStore::deleteObject(std::int64_t id) {
  db_.cached(inSchema(isTemporaryId(id), "DELETE FROM $S__morav_objects WHERE id = ?1")).bind(1, id).run();
}

void CatalogStore::deleteColumns(std::int64_t tableId) {
  db_.cached(inSchema(isTemporaryId(tableId), "DELETE FROM $S__morav_columns WHERE table_id = ?1")).bind(1, tableId).run();
}

void CatalogStore::deleteTable(std::int64_t id) {
  deleteColumns(id);
  db_.cached(inSchema(isTemporaryId(id), "DELETE FROM $S__morav_indexes WHERE table_id = ?1")).bind(1, id).run();
  db_.cached(inSchema(isTemporaryId(id), "DELETE FROM $S__morav_objects WHERE parent_id = ?1")).bind(1, id).run();
  deleteObject(id);
}

void CatalogStore::setDataStale(std::int64_t tableId, bool stale) {
  db_.cached(inSchema(isTemporaryId(tableId), "UPDATE $S__morav_objects SET data_stale = ?2 WHERE id = ?1"))
      .bind(1, tableId)
      .bind(2, std::int64_t{stale ? 1 : 0})
      .run();
}

std::int64_t CatalogStore::nextColumnId(std::int64_t tableId) {
  Stmt s = db_.cached(inSchema(isTemporaryId(tableId), "SELECT IFNULL(MAX(column_id), 0) + 1 FROM $S__morav_columns WHERE table_id = ?1"));
  s.bind(1, tableId);
  s.step();
  return s.integer(0);
}

void CatalogStore::insertColumn(std::int64_t tableId, const ColumnInfo& c) {
  Stmt s = db_.cached(inSchema(isTemporaryId(tableId), 
      "INSERT INTO $S__morav_columns(table_id, column_id, name, type_text, type_name, length, precision, scale, "
      "nullable, identity_seed, identity_increment, computed) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, "
      "?12)"));
  s.bind(1, tableId).bind(2, c.id).bind(3, c.name).bind(4, c.type.declared).bind(5, c.type.name);
  s.bind(6, std::int64_t{c.type.length}).bind(7, std::int64_t{c.type.precision}).bind(8, std::int64_t{c.type.scale});
  s.bind(9, std::int64_t{c.nullable ? 1 : 0});
  if (c.identity) {
    s.bind(10, c.identity->seed).bind(11, c.identity->increment);
  } else {
    s.bindNull(10).bindNull(11);
  }
  s.bind(12, c.computed);
  s.run();
}

void CatalogStore::updateColumn(std::int64_t tableId, const ColumnInfo& c) {
  deleteColumn(tableId, c.id);
  insertColumn(tableId, c);
}

void CatalogStore::deleteColumn(std::int64_t tableId, std::int64_t columnId) {
  db_.cached(inSchema(isTemporaryId(tableId), "DELETE FROM $S__morav_columns WHERE table_id = ?1 AND column_id = ?2"))
      .bind(1, tableId)
      .bind(2, columnId)
      .run();
}

void CatalogStore::insertIndex(std::int64_t tableId, const IndexInfo& i) {
  db_.cached(inSchema(isTemporaryId(tableId), 
         "INSERT INTO $S__morav_indexes(table_id, name, kind, is_unique, columns, included) VALUES (?1, ?2, ?3, ?4, ?5, "
         "?6)"))
      .bind(1, tableId)
      .bind(2, i.name)
      .bind(3, indexKindCode(i.kind))
      .bind(4, std::int64_t{i.unique ? 1 : 0})
      .bind(5, joinNames(i.columns))
      .bind(6, joinNames(i.included))
      .run();
}

void CatalogStore::deleteIndex(std::int64_t tableId, std::string_view name) {
  db_.cached(inSchema(isTemporaryId(tableId), "DELETE FROM $S__morav_indexes WHERE table_id = ?1 AND name = ?2")).bind(1, tableId).bind(2, name).run();
}

}  // namespace db::embedded
