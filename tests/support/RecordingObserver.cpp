#include "support/RecordingObserver.h"

namespace testsupport {

void RecordingObserver::onCall(const db::Call& call) { entries_.push_back({call, false, {}}); }

void RecordingObserver::onError(const db::Call&, const db::Error& error) {
  if (!entries_.empty()) {
    entries_.back().failed = true;
    entries_.back().errorMessage = error.message();
  }
}

std::vector<std::string> RecordingObserver::texts(db::Op op) const {
  std::vector<std::string> texts;
  for (const auto& e : entries_)
    if (e.call.op == op) texts.push_back(e.call.text);
  return texts;
}

size_t RecordingObserver::count(db::Op op) const {
  size_t n = 0;
  for (const auto& e : entries_)
    if (e.call.op == op) ++n;
  return n;
}

}  // namespace testsupport
