#pragma once

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "db/embedded/types/Value.h"

namespace db::embedded::types {

// What a function may read besides its arguments: the clock GETDATE reads (the caller's, so
// that tests fix the time) and SET DATEFIRST (7, Sunday, under us_english).
struct EvaluationContext {
  std::function<DateTime()> now;
  int dateFirst = 7;
};

// A scalar function as the binder types a call and the interpreter runs it. A datepart
// argument (DATEADD's first, for one) reaches both as character data holding the word as
// written (day, dd, d ...).
struct FunctionDefinition {
  std::string name;  // lower case
  int minArguments = 0;
  int maxArguments = 0;
  // The call's type from its arguments' types; refuses arguments of a type the function
  // does not take (8116).
  std::function<Type(std::span<const Type>)> resultType;
  std::function<Value(std::span<const Value>, const EvaluationContext&)> evaluate;
};

// The functions a statement can call by name: SQL Server's built-in scalar functions that need
// nothing but their arguments, plus those the runtime registers (OBJECT_ID, SCOPE_IDENTITY and
// the others that read the catalog or the session).
class FunctionTable {
 public:
  // A table holding the built-in functions.
  static FunctionTable withBuiltins();

  // Adds a function, replacing a built-in one of the same name.
  void add(FunctionDefinition function);

  // The function of a name written in any case, or null.
  const FunctionDefinition* find(std::string_view name) const;

  // The function a call names, checked against its argument count: refused with 195 for a
  // name that is no function, 174 or 189 for a wrong number of arguments.
  const FunctionDefinition& resolve(std::string_view nameAsWritten, size_t argumentCount) const;

 private:
  std::map<std::string, FunctionDefinition, std::less<>> functions_;
};

// SQL Server's date parts and their abbreviations, for DATEADD, DATEDIFF, DATEPART, DATENAME.
enum class DatePart { Year, Quarter, Month, DayOfYear, Day, Week, Weekday, Hour, Minute, Second, Millisecond };
std::optional<DatePart> datePartNamed(std::string_view word);

}  // namespace db::embedded::types
