#include "app/Outcome.h"

#include "app/Platform.h"
#include "db/Error.h"

namespace app {

ErrorInfo currentErrorInfo() {
  try {
    throw;
  } catch (const db::Error& e) {
    return {e.className(), e.message(), e.number(), e.sqlState()};
  } catch (const std::exception& e) {
    return {"Exception", e.what(), 0, {}};
  } catch (...) {
    return {"Exception", "unknown failure", 0, {}};
  }
}

void failWithErrorDialog(Outcome& outcome, Platform& platform) {
  outcome.status = Outcome::Status::Failed;
  outcome.error = currentErrorInfo();
  outcome.message = outcome.error->message;
  platform.showError(outcome.message);
}

const char* statusName(Outcome::Status status) {
  switch (status) {
    case Outcome::Status::Completed: return "completed";
    case Outcome::Status::Failed: return "failed";
    case Outcome::Status::Cancelled: return "cancelled";
  }
  return "?";
}

}  // namespace app
