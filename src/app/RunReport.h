#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "app/Outcome.h"
#include "db/Observer.h"

namespace app {

class Session;

// Counts the calls of a run and writes the run report: one JSON object with product,
// outcome, message, error (class and message, or null), steps, reconnects, statements,
// catalog_reads, gauge1 and gauge2 (position, maximum), labels (table, field), elapsed_ms.
// Statements are the texts sent (executions and queries, each statement of a batch counted);
// catalog reads are the table and column reads; round trips are the calls on the connections,
// a batch counted once.
class RunReport : public db::Observer {
 public:
  void onCall(const db::Call& call) override;
  void onError(const db::Call&, const db::Error&) override {}

  long statements() const { return statements_; }
  long catalogReads() const { return catalogReads_; }
  long roundTrips() const { return roundTrips_; }

  nlohmann::ordered_json build(const Session& session, const Outcome& outcome) const;

 private:
  long statements_ = 0;
  long catalogReads_ = 0;
  long roundTrips_ = 0;
};

}  // namespace app
