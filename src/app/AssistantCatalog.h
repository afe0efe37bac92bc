#pragma once

#include <memory>

#include "app/Outcome.h"
#include "db/Connection.h"
#include "schema/Label.h"

namespace app {

class Session;

// The set-up of the assistant window: creates the assistant catalog with its three tables when
// the catalog is missing. It works on connections of its own (role "assistant-setup"), apart
// from the main window's, on the session's backend; the connection stays open on the new
// catalog afterwards. A failure ends the set-up and is shown in the error dialog; what was
// created before it stays.
class AssistantCatalogSetup {
 public:
  static constexpr const char* kRole = "assistant-setup";

  explicit AssistantCatalogSetup(Session& session);
  ~AssistantCatalogSetup();
  AssistantCatalogSetup(const AssistantCatalogSetup&) = delete;
  AssistantCatalogSetup& operator=(const AssistantCatalogSetup&) = delete;

  // `label` shows the table being ensured; `sqlServerForm` is the set-up's engine choice.
  // Completed also when the catalog existed and nothing was sent but the existence query.
  Outcome run(schema::Label& label, bool sqlServerForm = true);

  db::Connection& connection() { return *connection_; }

  // Not owned; sees the calls of both connections of the set-up.
  void addObserver(db::Observer* observer);
  void removeObserver(db::Observer* observer);

 private:
  Session& session_;
  std::unique_ptr<db::Connection> query_;
  std::unique_ptr<db::Connection> connection_;
};

}  // namespace app
