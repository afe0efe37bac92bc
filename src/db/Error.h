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

  // The same failure, reported at `line` of its batch.
  Error& atLine(int line) {
    line_ = line;
    return *this;
  }

 private:
  std::string className_;
  std::string message_;
  int number_;
  std::string sqlState_;
  int line_ = 0;
};

}  // namespace db
