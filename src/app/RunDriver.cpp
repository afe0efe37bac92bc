#include "app/RunDriver.h"

#include <algorithm>

#include "app/AssistantCatalog.h"
#include "app/Connect.h"
#include "app/Sequences.h"
#include "app/Session.h"
#include "catalog/Catalogs.h"
#include "schema/TableStep.h"

namespace app {

namespace {

bool hasLayoutOfStep(Session& session, const std::string& table, const std::string& step) {
  const schema::CatalogEntry* entry = catalog::findEntry(step);
  if (!entry) throw SequenceFileError("the layout of " + table + " is that of step " + step + ", which no catalog has");
  return schema::hasLayoutOf(session.primitives(), table, *entry);
}

bool runsStep(const Session& session, const SequenceItem& item) {
  return item.kind == SequenceItem::Kind::Step && !(item.onlyWithAutonum && !session.choices.convertAutonum);
}

void runItem(Session& session, const SequenceItem& item, int stepCount, Outcome& outcome) {
  switch (item.kind) {
    case SequenceItem::Kind::Step:
      if (!runsStep(session, item)) return;
      outcome.steps.push_back(item.name);
      if (session.onStep) session.onStep(static_cast<int>(outcome.steps.size()), stepCount, item.name);
      session.steps().trigger(item.name, session);
      return;
    case SequenceItem::Kind::Reconnect:
      if (item.skippedWhenWeb && session.choices.web) return;
      session.reopenMainConnection();
      ++outcome.reconnects;
      return;
    case SequenceItem::Kind::DropTable:
      if (!item.unlessLayoutOf.empty() && hasLayoutOfStep(session, item.name, item.unlessLayoutOf)) return;
      session.primitives().dropTableIfPresent(item.name);
      return;
    case SequenceItem::Kind::OpenAssistant: {
      // Nothing else creates the catalog this connection needs: set it up first (a no-op
      // beyond its existence query when it is there).
      setUpAssistantCatalog(session);
      db::Connection& assistant = session.assistantConnection();
      if (assistant.isOpen()) assistant.close();
      assistant.open(kAssistantConnectionString);
      return;
    }
  }
}

}  // namespace

Outcome runUpgrade(Session& session) {
  const auto started = std::chrono::steady_clock::now();
  Outcome outcome;
  auto finish = [&](Outcome::Status status) {
    outcome.status = status;
    outcome.elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    return outcome;
  };
  session.exitButtonFocused = false;  // pressing the start button took the focus
  try {
    std::unique_ptr<db::TargetLock> lock;  // held to the end of the run
    if (!connectToTarget(session, &lock)) return finish(Outcome::Status::Cancelled);
    session.primitives().setCatalogReads(
        session.choices.readsLean() ? schema::CatalogReads::Lean : schema::CatalogReads::Faithful,
        session.choices.batches);
    session.primitives().readAfresh();  // what the console or another program changed since the last run

    schema::Gauge& overall = session.progress.overall;
    overall.setMaximum(session.primitives().countTables() + kOverallGaugeHeadroom);
    overall.setProgress(0);

    if (const ProductSequence* sequence = sequenceFor(session.state.productCode)) {
      const auto stepCount = static_cast<int>(std::count_if(sequence->items.begin(), sequence->items.end(),
                                                            [&](const SequenceItem& i) { return runsStep(session, i); }));
      for (const SequenceItem& item : sequence->items) runItem(session, item, stepCount, outcome);
    }

    session.exitButtonFocused = true;
    overall.setProgress(overall.maximum());
    outcome.message = outcome.steps.empty() && session.reportRunWithoutSteps
                          ? session.state.productCode + ": " + kNoSequenceMessage
                          : kCompletionMessage;
    session.platform().showInformation(outcome.message);
    return finish(Outcome::Status::Completed);
  } catch (...) {
    failWithErrorDialog(outcome, session.platform());
    return finish(Outcome::Status::Failed);
  }
}

}  // namespace app
