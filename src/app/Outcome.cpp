#include "app/Outcome.h"

#include "db/Error.h"

namespace app {

ErrorInfo currentErrorInfo() {
  try {
    throw;
  } catch (const db::Error& e) {
    return {e.className(), e.message()};
  } catch (const std::exception& e) {
    return {"Exception", e.what()};
  } catch (...) {
    return {"Exception", "unknown failure"};
  }
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
