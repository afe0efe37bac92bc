#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/embedded/Sqlite.h"

namespace db::embedded::runtime {

// A connection's transaction as SQL Server keeps it: BEGIN TRAN counts up (@@TRANCOUNT), COMMIT
// counts down and the outermost one commits, ROLLBACK undoes everything and ends it, SAVE TRAN
// marks a point that ROLLBACK TRAN name returns to. It is one SQLite transaction on the
// catalog's handle: the data and the catalog's own tables change and roll back together, and a
// commit is as durable as a single statement's. Statements inside it are savepoints of it (see
// WriteTransaction), so each still changes everything or nothing.
//
// An open transaction spans the connection's batches; closing the connection rolls it back.
class Transactions {
 public:
  explicit Transactions(SqliteDb& db) : db_(db) {}
  ~Transactions();
  Transactions(const Transactions&) = delete;
  Transactions& operator=(const Transactions&) = delete;

  // @@TRANCOUNT
  std::int64_t count() const { return count_; }
  // XACT_STATE(): 0 without a transaction, 1 when it can commit, -1 when an error left it
  // uncommittable (it can then only be rolled back).
  int state() const { return count_ == 0 ? 0 : doomed_ ? -1 : 1; }

  // `name` as written (a transaction or savepoint name), "" when none.
  void begin(const std::string& name);
  void commit();
  void rollback(const std::string& name);
  void save(const std::string& name);
  // Undoes the whole transaction, if there is one: XACT_ABORT after an error, a closing
  // connection, an uncommittable transaction at the end of a batch.
  void rollbackAll();
  // An error in a TRY block that would have ended the transaction leaves it uncommittable.
  void doom() {
    if (count_ > 0) doomed_ = true;
  }

  // SET XACT_ABORT: a run-time error ends the batch and rolls the transaction back.
  bool xactAbort = false;

 private:
  static std::string savepointName(const std::string& name);

  SqliteDb& db_;
  std::int64_t count_ = 0;
  std::string name_;                     // the outermost BEGIN's name
  std::vector<std::string> savepoints_;  // SAVE TRAN names, oldest first
  bool doomed_ = false;
};

}  // namespace db::embedded::runtime
