#include "app/RunReport.h"

#include "app/Session.h"

namespace app {

namespace {

nlohmann::ordered_json gaugeJson(const schema::Gauge& gauge) {
  return {{"position", gauge.progress()}, {"maximum", gauge.maximum()}};
}

}  // namespace

void RunReport::onCall(const db::Call& call) {
  ++roundTrips_;
  switch (call.op) {
    case db::Op::Execute: statements_ += call.batch.empty() ? 1 : static_cast<long>(call.batch.size()); break;
    case db::Op::Query: ++statements_; break;
    case db::Op::Tables:
    case db::Op::Columns: ++catalogReads_; break;
    case db::Op::Open:
    case db::Op::Close: break;
  }
}

nlohmann::ordered_json RunReport::build(const Session& session, const Outcome& outcome) const {
  nlohmann::ordered_json report;
  report["product"] = session.state.productCode;
  report["outcome"] = statusName(outcome.status);
  report["message"] = outcome.message;
  report["error"] = nullptr;
  if (outcome.error) {
    nlohmann::ordered_json& error = report["error"] = {{"class", outcome.error->className},
                                                       {"message", outcome.error->message}};
    if (outcome.error->number != 0) error["number"] = outcome.error->number;
    if (!outcome.error->sqlState.empty()) error["sqlstate"] = outcome.error->sqlState;
  }
  report["steps"] = outcome.steps;
  report["reconnects"] = outcome.reconnects;
  report["statements"] = statements_;
  report["catalog_reads"] = catalogReads_;
  report["round_trips"] = roundTrips_;
  report["gauge1"] = gaugeJson(session.progress.overall);
  report["gauge2"] = gaugeJson(session.progress.step);
  report["labels"] = {{"table", session.progress.table.text()}, {"field", session.progress.field.text()}};
  report["elapsed_ms"] = outcome.elapsed.count();
  return report;
}

}  // namespace app
