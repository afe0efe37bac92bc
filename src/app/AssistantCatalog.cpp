#include "app/AssistantCatalog.h"

#include "app/Sequences.h"
#include "app/Session.h"
#include "assistant/AssistantSetup.h"

namespace app {

void setUpAssistantCatalog(Session& session, bool sqlServerForm) {
  const auto lock = session.lockForUpgrade(kAssistantConnectionString);
  assistant::Setup setup{session.assistantSetupQuery(), session.assistantSetupConnection(),
                         session.assistantTableLabel, sqlServerForm, {}};
  setup.run();
}

Outcome runAssistantSetup(Session& session, bool sqlServerForm) {
  Outcome outcome;
  try {
    setUpAssistantCatalog(session, sqlServerForm);
  } catch (...) {
    failWithErrorDialog(outcome, session.platform());
  }
  return outcome;
}

}  // namespace app
