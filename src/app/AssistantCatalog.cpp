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
    outcome.status = Outcome::Status::Failed;
    outcome.error = currentErrorInfo();
    outcome.message = outcome.error->message;
    session.platform().showError(outcome.message);
  }
  return outcome;
}

}  // namespace app
