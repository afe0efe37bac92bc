#pragma once

#include <stdexcept>
#include <string>

namespace db {

// A failure raised by a database provider. `className` is the error's type name as the
// SQL console shows it after "Error class: "; `message` is the provider's own text.
// `number` is the server's message number where one is known (SQL Server's Msg N), else 0;
// `sqlState` is the ODBC SQLSTATE where one is known. `line` is the line of the batch the
// server names in its report ("Line N"), where one is known, else 0.
class Error : public std::runtime_error {
 public:
  // The type name that provider failures carry, as the console has always shown it.
  static constexpr const char* kProviderClass = "EOleException";

  Error(std::string className, std::string message, int number = 0, std::string sqlState = {});

  // A provider failure (class kProviderClass).
  static Error provider(std::string message, int number = 0, std::string sqlState = {});

  const std::string& className() const { return className_; }
  const std::string& message() const { return message_; }
  int number() const { return number_; }
  const std::string& sqlState() const { return sqlState_; }
  int line() const { return line_; }
  // The server's severity (0-25) and state, where the one who raised it said; 0 when not said
  // (the engine then takes the server's usual severity for the number).
  int severity() const { return severity_; }
  int state() const { return state_; }
  // The module (procedure, function, trigger) the error arose in; empty for a batch.
  const std::string& procedure() const { return procedure_; }

  // The same failure, reported at `line` of its batch.
  Error& atLine(int line) {
    line_ = line;
    return *this;
  }
  Error& withSeverity(int severity, int state) {
    severity_ = severity;
    state_ = state;
    return *this;
  }
  Error& inProcedure(std::string procedure) {
    procedure_ = std::move(procedure);
    return *this;
  }

 private:
  std::string className_;
  std::string message_;
  int number_;
  std::string sqlState_;
  int line_ = 0;
  int severity_ = 0;
  int state_ = 1;
  std::string procedure_;
};

}  // namespace db
