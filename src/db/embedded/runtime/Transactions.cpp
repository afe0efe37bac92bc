#include "db/embedded/runtime/Transactions.h"

#include <algorithm>

#include "db/embedded/runtime/RuntimeRefusals.h"

namespace db::embedded::runtime {

Transactions::~Transactions() {
  try {
    rollbackAll();
  } catch (...) {  // the handle is not kept when it is still in a transaction (HandlePool)
  }
}

std::string Transactions::savepointName(const std::string& name) { return quoteName("__morav_save$" + name); }

void Transactions::begin(const std::string& name) {
  if (count_ == 0) {
    db_.exec("BEGIN IMMEDIATE");
    name_ = name;
    savepoints_.clear();
    doomed_ = false;
  }
  ++count_;
}

void Transactions::commit() {
  if (count_ == 0) throw refuse::commitWithoutBegin();
  if (doomed_) throw refuse::uncommittable();
  if (count_ > 1) {
    --count_;
    return;
  }
  db_.exec("COMMIT");
  count_ = 0;
  savepoints_.clear();
}

// Transaction and savepoint names are compared as written: the server holds them case
// sensitive whatever the collation.
void Transactions::rollback(const std::string& name) {
  if (count_ == 0) throw refuse::rollbackWithoutBegin();
  if (name.empty() || name == name_) {
    rollbackAll();
    return;
  }
  const auto it = std::find(savepoints_.rbegin(), savepoints_.rend(), name);
  if (it == savepoints_.rend()) throw refuse::noSuchSavepoint(name);
  if (doomed_) throw refuse::uncommittable();
  db_.exec("ROLLBACK TO " + savepointName(name));
  db_.noteRollback();
  // The savepoint stays; the ones made after it are gone.
  savepoints_.erase(it.base(), savepoints_.end());
}

void Transactions::save(const std::string& name) {
  if (count_ == 0) throw refuse::saveWithoutTransaction();
  if (doomed_) throw refuse::uncommittable();
  db_.exec("SAVEPOINT " + savepointName(name));
  savepoints_.push_back(name);
}

void Transactions::rollbackAll() {
  if (count_ == 0) return;
  count_ = 0;
  doomed_ = false;
  savepoints_.clear();
  name_.clear();
  if (db_.inTransaction()) db_.exec("ROLLBACK");
  db_.noteRollback();
}

}  // namespace db::embedded::runtime
