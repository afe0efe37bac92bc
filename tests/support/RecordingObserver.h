#pragma once

#include <string>
#include <vector>

#include "db/Error.h"
#include "db/Observer.h"

namespace testsupport {

// Records every call made on the connections it observes, in order.
class RecordingObserver : public db::Observer {
 public:
  struct Entry {
    db::Call call;
    bool failed = false;
    std::string errorMessage;
  };

  void onCall(const db::Call& call) override;
  void onError(const db::Call& call, const db::Error& error) override;

  const std::vector<Entry>& entries() const { return entries_; }
  // Texts of the execute calls (statements sent), in order.
  std::vector<std::string> executed() const { return texts(db::Op::Execute); }
  // Texts of the query calls (batches, lines joined with CR LF), in order.
  std::vector<std::string> queried() const { return texts(db::Op::Query); }
  std::vector<std::string> texts(db::Op op) const;
  size_t count(db::Op op) const;
  void clear() { entries_.clear(); }

 private:
  std::vector<Entry> entries_;
};

}  // namespace testsupport
