#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Error.h"
#include "db/Results.h"
#include "db/embedded/Sqlite.h"

namespace db::embedded::runtime {

// An error as the server reports it to a CATCH block and to the caller.
struct ErrorInfo {
  int number = 0;
  int severity = 16;
  int state = 1;
  int line = 0;
  std::string procedure;  // empty in a batch: ERROR_PROCEDURE() is then NULL
  std::string message;
};

// `error` as the server reports it: its usual severity where none was said, and its line in
// the batch, `statementLine` being the line the failing statement begins on.
ErrorInfo describe(const Error& error, int statementLine);
// The message that reaches the caller.
Message messageOf(const ErrorInfo& info);
// The error again, as THROW without arguments raises it.
Error errorOf(const ErrorInfo& info);

// RAISERROR's message: `format` with its printf-like conversions (%d, %i, %u, %s, %o, %x, %X,
// with flags, width, precision and h/l/I64 modifiers; '*' takes the width or precision from the
// arguments) replaced by the arguments in order; %% is a percent sign. A NULL argument shows
// as "(null)".
std::string formatRaised(std::string_view format, const std::vector<std::optional<std::string>>& arguments);

// ERROR_NUMBER(), ERROR_SEVERITY(), ERROR_STATE(), ERROR_LINE(), ERROR_PROCEDURE(),
// ERROR_MESSAGE() and XACT_STATE(), as functions of the catalog's handle that every statement
// can call. Outside a CATCH block the ERROR_ functions return NULL; in nested CATCH blocks they
// describe the innermost block's error.
class ErrorFunctions {
 public:
  ErrorFunctions(SqliteDb& db, std::function<int()> transactionState);
  ~ErrorFunctions();
  ErrorFunctions(const ErrorFunctions&) = delete;
  ErrorFunctions& operator=(const ErrorFunctions&) = delete;

  // Entering and leaving a CATCH block.
  void enter(ErrorInfo error) { caught_.push_back(std::move(error)); }
  void leave() { caught_.pop_back(); }
  // The error of the innermost CATCH block being run, if any.
  const ErrorInfo* current() const { return caught_.empty() ? nullptr : &caught_.back(); }

 private:
  SqliteDb& db_;
  std::function<int()> transactionState_;
  std::vector<ErrorInfo> caught_;
};

}  // namespace db::embedded::runtime
