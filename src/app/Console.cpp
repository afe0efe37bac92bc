#include "app/Console.h"

#include "app/Connect.h"
#include "app/ConnectionText.h"
#include "app/Session.h"

namespace app {

namespace {

// The console's command works on the main connection; its calls are told apart by role.
class RoleScope {
 public:
  RoleScope(db::Connection& connection, std::string role) : connection_(connection), previous_(connection.role()) {
    connection_.setRole(std::move(role));
  }
  ~RoleScope() { connection_.setRole(previous_); }
  RoleScope(const RoleScope&) = delete;
  RoleScope& operator=(const RoleScope&) = delete;

 private:
  db::Connection& connection_;
  std::string previous_;
};

}  // namespace

std::string consoleFailureMessage(const ErrorInfo& error) {
  return "Error class: " + error.className + "\r" + "Error message: " + error.message;
}

Outcome openConsole(Session& session) {
  Outcome outcome;
  try {
    if (!connectToTarget(session)) {
      outcome.status = Outcome::Status::Cancelled;
      return outcome;
    }
  } catch (...) {
    failWithErrorDialog(outcome, session.platform());
    return outcome;
  }
  session.platform().requestKeyboardLayout(kConsoleKeyboardLayout);
  return outcome;
}

Outcome executeConsoleText(Session& session, const std::string& text,
                           const std::function<void(const db::Results&)>& showResults) {
  Outcome outcome;
  const auto started = std::chrono::steady_clock::now();
  try {
    requireUtf8(text, "The command");
    RoleScope console(session.mainConnection(), Session::kConsoleRole);
    session.mainConnection().run(text, {}, outcome.results);
    outcome.message = kConsoleSuccessMessage;
  } catch (...) {
    outcome.status = Outcome::Status::Failed;
    outcome.error = currentErrorInfo();
    outcome.message = consoleFailureMessage(*outcome.error);
  }
  outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
  if (showResults) showResults(outcome.results);
  session.platform().showInformation(outcome.message);
  return outcome;
}

}  // namespace app
