#pragma once

#include "app/Outcome.h"

namespace app {

class Session;

// The assistant set-up: creates the assistant catalog when it is missing and ensures its three
// tables and their columns, completing a catalog that an interrupted set-up left short. It
// works on the session's set-up connections (role "assistant-setup") and table label; the
// set-up connection stays open on the catalog afterwards. Failures are thrown; what was
// created before stays.
void setUpAssistantCatalog(Session& session, bool sqlServerForm = true);

// The set-up as the assistant window's button runs it: a failure is shown in the error
// dialog and returned.
Outcome runAssistantSetup(Session& session, bool sqlServerForm = true);

}  // namespace app
