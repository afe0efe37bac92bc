#include "db/embedded/ModuleRefusals.h"

#include <string>

namespace db::embedded {

namespace {

std::string str(std::string_view s) { return std::string(s); }

Error sqlServer(int number, std::string message) { return Error::provider(std::move(message), number); }

}  // namespace

Error moduleNestingExceeded() {
  return sqlServer(217, "Maximum stored procedure, function, trigger, or view nesting level exceeded (limit 32).");
}

Error missingFunction(std::string_view schema, std::string_view nameAsWritten) {
  return sqlServer(4121, "Cannot find either column \"" + str(schema) + "\" or the user-defined function or aggregate \"" +
                             str(nameAsWritten) + "\", or the name is ambiguous.");
}

Error viewColumnRepeated(std::string_view column, std::string_view view) {
  return sqlServer(4506, "Column names in each view or function must be unique. Column name '" + str(column) +
                             "' in view or function '" + str(view) + "' is specified more than once.");
}

Error viewReferencesItself(std::string_view view) {
  return sqlServer(4429, "View or function '" + str(view) +
                             "' contains a self-reference. Views or functions cannot reference themselves directly or "
                             "indirectly.");
}

Error viewColumnUnnamed(int position) {
  return sqlServer(4511, "Create View or Function failed because no column name was specified for column " +
                             std::to_string(position) + ".");
}

Error viewColumnCount(std::string_view view, bool moreInQuery) {
  if (moreInQuery) return sqlServer(8158, "'" + str(view) + "' has more columns than were specified in the column list.");
  return sqlServer(8159, "'" + str(view) + "' has fewer columns than were specified in the column list.");
}

Error tooManyArguments(std::string_view module) {
  return sqlServer(8144, "Procedure or function " + str(module) + " has too many arguments specified.");
}

Error notAParameter(std::string_view parameter, std::string_view module) {
  return sqlServer(8145, str(parameter) + " is not a parameter for procedure " + str(module) + ".");
}

Error parameterNotSupplied(std::string_view module, std::string_view parameter) {
  return sqlServer(201, "Procedure or function '" + str(module) + "' expects parameter '" + str(parameter) +
                            "', which was not supplied.");
}

Error namedThenPositional(int position) {
  return sqlServer(119, "Must pass parameter number " + std::to_string(position) +
                            " and subsequent parameters as '@name = value'. After the form '@name = value' has been "
                            "used, all subsequent parameters must be passed in the form '@name = value'.");
}

Error notAnOutputParameter(std::string_view parameter) {
  return sqlServer(8162, "The formal parameter \"" + str(parameter) +
                             "\" was not declared as an OUTPUT parameter, but the actual parameter passed in "
                             "requested output.");
}

Error sideEffectInFunction(std::string_view operation) {
  return sqlServer(443, "Invalid use of a side-effecting operator '" + str(operation) + "' within a function.");
}

Error selectInFunction() {
  return sqlServer(444, "Select statements included within a function cannot return data to a client.");
}

Error functionWithoutFinalReturn() {
  return sqlServer(455, "The last statement included within a function must be a return statement.");
}

Error procedureInFunction() {
  return sqlServer(557, "Only functions and some extended stored procedures can be executed from within a function.");
}

Error returnWithValueInTrigger() {
  return sqlServer(178, "A RETURN statement with a return value cannot be used in this context.");
}

std::string missingDependencyWarning(std::string_view module, std::string_view missing) {
  return "The module '" + str(module) + "' depends on the missing object '" + str(missing) +
         "'. The module will still be created; however, it cannot run successfully until the object exists.";
}

}  // namespace db::embedded
