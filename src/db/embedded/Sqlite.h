#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace db::embedded {

// A failure reported by SQLite; the engine turns it into the server's refusal where one fits.
class SqliteFailure : public std::runtime_error {
 public:
  SqliteFailure(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

class SqliteDb;

// A prepared statement in use. Cached statements are reset and unbound when the handle goes
// out of scope, so a later DROP TABLE finds no statement still reading.
class Stmt {
 public:
  Stmt(SqliteDb& db, sqlite3_stmt* stmt, bool owned) : db_(&db), stmt_(stmt), owned_(owned) {}
  Stmt(Stmt&& other) noexcept;
  Stmt& operator=(Stmt&&) = delete;
  Stmt(const Stmt&) = delete;
  ~Stmt();

  Stmt& bind(int index, std::string_view text);
  Stmt& bind(int index, std::int64_t value);
  Stmt& bindNull(int index);
  Stmt& bindOptional(int index, const std::optional<std::string>& text);
  // Binds a named parameter (":p1") if the statement has it; returns whether it had it.
  bool bindNamed(const std::string& name, std::string_view text);
  int parameterCount() const { return sqlite3_bind_parameter_count(stmt_); }
  const char* parameterName(int index) const { return sqlite3_bind_parameter_name(stmt_, index); }

  // Steps once: true while a row is available.
  bool step();
  // Runs to completion, ignoring rows.
  void run();
  // Makes the statement ready to run again, keeping its bindings.
  void reset() { sqlite3_reset(stmt_); }

  int columnCount() const { return sqlite3_column_count(stmt_); }
  std::string columnName(int i) const;
  bool isNull(int i) const { return sqlite3_column_type(stmt_, i) == SQLITE_NULL; }
  int columnType(int i) const { return sqlite3_column_type(stmt_, i); }
  std::string text(int i) const;
  std::optional<std::string> optionalText(int i) const;
  std::int64_t integer(int i) const { return sqlite3_column_int64(stmt_, i); }
  double real(int i) const { return sqlite3_column_double(stmt_, i); }
  sqlite3_stmt* handle() const { return stmt_; }

 private:
  SqliteDb* db_;
  sqlite3_stmt* stmt_;
  bool owned_;
};

// One SQLite connection with a cache of prepared statements for the engine's own queries.
class SqliteDb {
 public:
  // Opens (and with `create`, creates) the file. Durability: WAL journal, a full sync of the
  // journal at every commit, and a busy timeout so that a second process waits its turn.
  SqliteDb(const std::filesystem::path& file, bool create);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  // A cached statement for the engine's own fixed SQL.
  Stmt cached(const std::string& sql);
  // A one-off statement for SQL built from a user's statement.
  Stmt prepare(std::string_view sql);
  void exec(const std::string& sql);

  std::int64_t lastInsertRowid() const { return sqlite3_last_insert_rowid(db_); }
  int changes() const { return sqlite3_changes(db_); }
  sqlite3* handle() const { return db_; }
  [[noreturn]] void fail(int code) const;
  bool inTransaction() const { return !sqlite3_get_autocommit(db_); }
  // How many times a transaction or savepoint was rolled back on this handle: what the
  // connection keeps beside the file (its temp objects, say) is to be checked again after one.
  std::uint64_t rollbacks() const { return rollbacks_; }
  void noteRollback() { ++rollbacks_; }

 private:
  sqlite3* db_ = nullptr;
  std::unordered_map<std::string, sqlite3_stmt*> cache_;
  std::uint64_t rollbacks_ = 0;
};

// BEGIN IMMEDIATE ... COMMIT: one statement's changes become durable together or not at all.
// Rolls back when left without commit() (an exception on the way). Inside a transaction the
// connection opened (BEGIN TRAN), the statement is a savepoint of it instead: it still
// changes everything or nothing, and its changes last as long as the transaction does.
class WriteTransaction {
 public:
  explicit WriteTransaction(SqliteDb& db);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void commit();

 private:
  SqliteDb& db_;
  bool nested_ = false;
  bool done_ = false;
};

// Whether SQLite refused a statement for its depth: its parser's stack or its expression-tree
// limit, which SQL Server's "nested too deeply" stands for.
bool isTooDeep(const SqliteFailure& failure);

// The SQL text of a name as SQLite reads it: "name" with inner quotes doubled.
std::string quoteName(std::string_view name);
// The SQL text of a string literal: 'text' with inner quotes doubled.
std::string quoteText(std::string_view text);

}  // namespace db::embedded
