#pragma once

#include <chrono>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "db/Results.h"

namespace app {

// A failure as the operator sees it: the error's class name and its message.
struct ErrorInfo {
  std::string className;
  std::string message;
  int number = 0;  // the server's message number where one is known, else 0
  std::string sqlState;  // the ODBC SQLSTATE where the provider gives one
};

// The class and message of the exception being handled (db::Error keeps its own class;
// anything else is reported as class "Exception").
ErrorInfo currentErrorInfo();

// How a run or a console operation ended, for the faces and the run report.
struct Outcome {
  enum class Status { Completed, Failed, Cancelled };
  Status status = Status::Completed;
  std::string message;              // what the operator was shown; empty when cancelled
  std::optional<ErrorInfo> error;   // set when failed
  std::vector<std::string> steps;   // names triggered, in order (the failing one included)
  int reconnects = 0;
  std::chrono::milliseconds elapsed{0};
  db::Results results;              // console: what the command returned, in order (also before a failure)
};

const char* statusName(Outcome::Status status);  // "completed", "failed", "cancelled"

class Platform;

// Records the exception being handled as the outcome's failure and shows its message in the
// platform's error dialog, as every operation the operator starts ends on a failure.
void failWithErrorDialog(Outcome& outcome, Platform& platform);

}  // namespace app
