#include "db/embedded/Sqlite.h"

namespace db::embedded {

namespace {
constexpr int kBusyTimeoutMs = 30000;
}

Stmt::Stmt(Stmt&& other) noexcept : db_(other.db_), stmt_(other.stmt_), owned_(other.owned_) { other.stmt_ = nullptr; }

Stmt::~Stmt() {
  if (!stmt_) return;
  if (owned_) {
    sqlite3_finalize(stmt_);
  } else {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
  }
}

Stmt& Stmt::bind(int index, std::string_view text) {
  const int rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  if (rc != SQLITE_OK) db_->fail(rc);
  return *this;
}

Stmt& Stmt::bind(int index, std::int64_t value) {
  const int rc = sqlite3_bind_int64(stmt_, index, value);
  if (rc != SQLITE_OK) db_->fail(rc);
  return *this;
}

Stmt& Stmt::bindNull(int index) {
  const int rc = sqlite3_bind_null(stmt_, index);
  if (rc != SQLITE_OK) db_->fail(rc);
  return *this;
}

Stmt& Stmt::bindOptional(int index, const std::optional<std::string>& text) {
  return text ? bind(index, *text) : bindNull(index);
}

bool Stmt::bindNamed(const std::string& name, std::string_view text) {
  const int index = sqlite3_bind_parameter_index(stmt_, (":" + name).c_str());
  if (index == 0) return false;
  bind(index, text);
  return true;
}

bool Stmt::step() {
  const int rc = sqlite3_step(stmt_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  // The statement's own message is more precise than the connection's.
  const std::string message = sqlite3_errmsg(db_->handle());
  sqlite3_reset(stmt_);
  throw SqliteFailure(rc, message);
}

void Stmt::run() {
  while (step()) {
  }
}

std::string Stmt::columnName(int i) const {
  const char* name = sqlite3_column_name(stmt_, i);
  return name ? name : "";
}

std::string Stmt::text(int i) const {
  const unsigned char* p = sqlite3_column_text(stmt_, i);
  if (!p) return {};
  return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_column_bytes(stmt_, i)));
}

std::optional<std::string> Stmt::optionalText(int i) const {
  if (isNull(i)) return std::nullopt;
  return text(i);
}

SqliteDb::SqliteDb(const std::filesystem::path& file, bool create) {
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
  const int rc = sqlite3_open_v2(file.c_str(), &db_, flags, nullptr);
  if (rc != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw SqliteFailure(rc, message);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  exec("PRAGMA journal_mode=WAL");
  exec("PRAGMA synchronous=FULL");
}

SqliteDb::~SqliteDb() {
  for (auto& [sql, stmt] : cache_) sqlite3_finalize(stmt);
  sqlite3_close_v2(db_);
}

void SqliteDb::fail(int code) const { throw SqliteFailure(code, sqlite3_errmsg(db_)); }

Stmt SqliteDb::cached(const std::string& sql) {
  auto it = cache_.find(sql);
  if (it == cache_.end()) {
    sqlite3_stmt* stmt = nullptr;
    const int rc =
        sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) fail(rc);
    it = cache_.emplace(sql, stmt).first;
  }
  return Stmt(*this, it->second, false);
}

Stmt SqliteDb::prepare(std::string_view sql) {
  sqlite3_stmt* stmt = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt, &tail);
  if (rc != SQLITE_OK) fail(rc);
  if (!stmt) throw SqliteFailure(SQLITE_ERROR, "incomplete input");
  return Stmt(*this, stmt, true);
}

void SqliteDb::exec(const std::string& sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    std::string text = message ? message : sqlite3_errstr(rc);
    sqlite3_free(message);
    throw SqliteFailure(rc, text);
  }
}

namespace {
constexpr const char* kStatementSavepoint = "__morav_statement";
}

WriteTransaction::WriteTransaction(SqliteDb& db) : db_(db), nested_(db.inTransaction()) {
  db_.exec(nested_ ? std::string("SAVEPOINT ") + kStatementSavepoint : std::string("BEGIN IMMEDIATE"));
}

WriteTransaction::~WriteTransaction() {
  if (done_ || !db_.inTransaction()) return;
  if (nested_) {
    const std::string undo = std::string("ROLLBACK TO ") + kStatementSavepoint + "; RELEASE " + kStatementSavepoint;
    sqlite3_exec(db_.handle(), undo.c_str(), nullptr, nullptr, nullptr);
  } else {
    sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
  }
  db_.noteRollback();
}

void WriteTransaction::commit() {
  db_.exec(nested_ ? std::string("RELEASE ") + kStatementSavepoint : std::string("COMMIT"));
  done_ = true;
}

bool isTooDeep(const SqliteFailure& failure) {
  const std::string_view message = failure.what();
  return message.find("parser stack overflow") != std::string_view::npos ||
         message.find("Expression tree is too large") != std::string_view::npos;
}

std::string quoteName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string quoteText(std::string_view text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out + "'";
}

}  // namespace db::embedded
