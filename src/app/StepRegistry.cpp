#include "app/StepRegistry.h"

#include "app/Session.h"
#include "catalog/Catalogs.h"
#include "conversions/Passes.h"
#include "db/Error.h"
#include "objects/ObjectSteps.h"
#include "schema/TableStep.h"

namespace app {

void StepRegistry::add(std::string name, Step step) { steps_[std::move(name)] = std::move(step); }

bool StepRegistry::contains(std::string_view name) const { return steps_.find(name) != steps_.end(); }

void StepRegistry::trigger(std::string_view name, Session& session) const {
  auto it = steps_.find(name);
  if (it == steps_.end())
    throw db::Error(kNotAvailableClass,
                    "Step '" + std::string(name) + "' is not available in this version of the updater.");
  it->second(session);
}

std::vector<std::string> StepRegistry::names() const {
  std::vector<std::string> names;
  for (const auto& [name, step] : steps_) names.push_back(name);
  return names;
}

StepRegistry standardSteps() {
  StepRegistry registry;
  for (std::string_view file : catalog::catalogFiles())
    for (const schema::CatalogEntry& entry : catalog::entriesOf(file)) {
      if (entry.pending) continue;  // a run stops there: the step is not available yet
      registry.add(entry.step, [&entry](Session& session) {
        schema::runTableStep(session.primitives(), entry, session.state.currentTable);
      });
    }
  for (const conversions::Pass& pass : conversions::allPasses())
    registry.add(pass.step, [&pass](Session& session) {
      conversions::runPass(pass, session.primitives(), session.state.currentTable);
    });
  for (const objects::ObjectStep& step : objects::allObjectSteps()) {
    // An object whose text is not carried yet stays unregistered, so a run stops there.
    if (step.kind == objects::ObjectStep::Kind::Install && !objects::creationText(step)) continue;
    registry.add(step.step, [&step](Session& session) { objects::runObjectStep(step, session.primitives()); });
  }
  return registry;
}

}  // namespace app
