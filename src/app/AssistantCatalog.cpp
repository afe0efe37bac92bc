#include "app/AssistantCatalog.h"

#include "app/Session.h"
#include "assistant/AssistantSetup.h"
#include "db/Backend.h"

namespace app {

AssistantCatalogSetup::AssistantCatalogSetup(Session& session)
    : session_(session),
      query_(db::makeConnection(session.config().backend, kRole)),
      connection_(db::makeConnection(session.config().backend, kRole)) {}

AssistantCatalogSetup::~AssistantCatalogSetup() = default;

Outcome AssistantCatalogSetup::run(schema::Label& label, bool sqlServerForm) {
  Outcome outcome;
  try {
    assistant::Setup setup{*query_, *connection_, label, sqlServerForm, {}};
    setup.run();
  } catch (...) {
    outcome.status = Outcome::Status::Failed;
    outcome.error = currentErrorInfo();
    outcome.message = outcome.error->message;
    session_.platform().showError(outcome.message);
  }
  return outcome;
}

void AssistantCatalogSetup::addObserver(db::Observer* observer) {
  query_->addObserver(observer);
  connection_->addObserver(observer);
}

void AssistantCatalogSetup::removeObserver(db::Observer* observer) {
  query_->removeObserver(observer);
  connection_->removeObserver(observer);
}

}  // namespace app
