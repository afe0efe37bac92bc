#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "db/embedded/SqlTypes.h"

namespace db::embedded {

// A possibly qualified object name: [database.][schema.]name, brackets removed.
struct ObjectName {
  std::string database;
  std::string schema;
  std::string name;
  std::string written;  // the parts joined with '.', as SQL Server quotes the name in its messages
};

// A DEFAULT clause: the expression as written (without the keyword), and the name given to
// the default constraint by "CONSTRAINT name", if any.
struct DefaultDef {
  std::string expression;
  std::string constraintName;
};

struct Identity {
  std::int64_t seed = 1;
  std::int64_t increment = 1;
};

// A constraint of the table: a primary key, a unique key, a foreign key, a check, or (in
// ALTER TABLE ... ADD CONSTRAINT n DEFAULT x FOR c) a default.
struct TableConstraint {
  enum Kind { PrimaryKey, Unique, ForeignKey, Check, Default } kind = PrimaryKey;
  std::string name;                  // empty: the engine names it as SQL Server does
  std::vector<std::string> columns;  // key columns; a default's column
  std::string text;                  // the clause as written (foreign key, check, default expression)
  // A foreign key's referenced table, and its columns (none written: its primary key).
  ObjectName referencedTable;
  std::vector<std::string> referencedColumns;
};

struct ColumnDef {
  std::string name;
  std::optional<TypeRef> type;  // absent for a computed column
  std::optional<bool> notNull;  // set by an explicit NULL / NOT NULL
  std::optional<Identity> identity;
  std::optional<DefaultDef> defaultValue;
  std::string computed;                      // "AS expr": the expression as written
  std::vector<TableConstraint> constraints;  // column constraints (their columns filled in)
};

struct CreateTable {
  ObjectName table;
  bool hasColumnList = true;  // Jet's "create table T" names no column
  std::vector<ColumnDef> columns;
  std::vector<TableConstraint> constraints;
};

struct AddToTable {  // ALTER TABLE t ADD ...
  ObjectName table;
  std::vector<ColumnDef> columns;
  std::vector<TableConstraint> constraints;
};

struct AlterColumn {  // ALTER TABLE t ALTER COLUMN c type [NULL | NOT NULL]
  ObjectName table;
  std::string column;
  TypeRef type;
  std::optional<bool> notNull;
};

struct DropColumns {  // ALTER TABLE t DROP COLUMN a, b
  ObjectName table;
  std::vector<std::string> columns;
};

struct DropConstraints {  // ALTER TABLE t DROP [CONSTRAINT] x, y
  ObjectName table;
  std::vector<std::string> names;
};

// The objects that share a catalog's namespace, by SQL Server's sys.objects type codes.
enum class ObjectKind { Table, View, Procedure, Function, Trigger };
const char* objectKindCode(ObjectKind kind);     // "U", "V", "P", "FN", "TR"
const char* objectKindWord(ObjectKind kind);     // "table", "view", "procedure", "function", "trigger"
const char* objectKindKeyword(ObjectKind kind);  // "TABLE", "VIEW", "PROCEDURE", "FUNCTION", "TRIGGER"
// The kind of a sys.objects type code, when it is one of the kinds above.
std::optional<ObjectKind> objectKindOfCode(std::string_view code);

struct DropObjects {  // DROP TABLE | VIEW | PROCEDURE | FUNCTION | TRIGGER [IF EXISTS] a, b
  ObjectKind kind;
  bool ifExists = false;
  std::vector<ObjectName> names;
};

struct CreateDatabase {
  std::string name;
};

struct CreateIndex {
  bool unique = false;
  std::string name;
  ObjectName table;
  std::vector<std::string> columns;
  std::vector<std::string> included;
};

struct DropIndex {
  struct Target {
    ObjectName table;
    std::string index;
    std::string written;  // "T.IX" as SQL Server quotes it
  };
  std::vector<Target> targets;
};

// CREATE / ALTER of a view, procedure, function or trigger: stored with its text.
struct CreateModule {
  ObjectKind kind;
  bool alter = false;
  ObjectName name;
  ObjectName parentTable;  // a trigger's table
  std::string text;        // the whole statement, from CREATE to the end of the batch
};

// SELECT, INSERT, UPDATE, DELETE (and WITH ... SELECT): run by translating its tokens.
struct DataStatement {
  enum Kind { Select, Insert, Update, Delete } kind;
  size_t firstToken = 0;  // [firstToken, endToken) in the batch's tokens
  size_t endToken = 0;
};

// EXEC name ... (or a batch that opens with a procedure's name).
struct ExecProcedure {
  ObjectName procedure;
  std::string text;  // from EXEC (or the name) to the end of the batch
};

// A statement the engine recognises but does not run yet (IF, DECLARE, ...): `what` names it
// ("IF statements").
struct Unsupported {
  std::string what;
};

using Statement =
    std::variant<CreateTable, AddToTable, AlterColumn, DropColumns, DropConstraints, DropObjects, CreateDatabase,
                 CreateIndex, DropIndex, CreateModule, DataStatement, ExecProcedure, Unsupported>;

}  // namespace db::embedded
