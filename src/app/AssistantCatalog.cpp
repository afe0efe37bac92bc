#include "app/AssistantCatalog.h"

#include "app/Session.h"
#include "assistant/AssistantSetup.h"

namespace app {

void setUpAssistantCatalog(Session& session, bool sqlServerForm) {
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
