#include "db/embedded/types/ValueRefusals.h"

#include <cstdio>
#include <string>

#include "db/Text.h"

namespace db::embedded::types::refuse {

namespace {

Error sqlServer(int number, std::string message) { return Error::provider(std::move(message), number); }

std::string str(std::string_view s) { return std::string(s); }

}  // namespace

Error conversionFailed(std::string_view fromType, std::string_view value, std::string_view toType) {
  return sqlServer(245, "Conversion failed when converting the " + str(fromType) + " value '" + str(value) +
                            "' to data type " + str(toType) + ".");
}

Error conversionOverflowed(std::string_view fromType, std::string_view value, std::string_view toType) {
  return sqlServer(248, "The conversion of the " + str(fromType) + " value '" + str(value) + "' overflowed an " +
                            str(toType) + " column.");
}

Error notANumber(std::string_view fromType, std::string_view toType) {
  return sqlServer(8114, "Error converting data type " + str(fromType) + " to " + str(toType) + ".");
}

Error notMoney(std::string_view fromType) {
  return sqlServer(235, "Cannot convert a " + str(fromType) + " value to money. The " + str(fromType) +
                            " value has incorrect syntax.");
}

Error notADateTime() {
  return sqlServer(241, "Conversion failed when converting date and/or time from character string.");
}

Error dateTimeOutOfRange(std::string_view fromType, std::string_view toType) {
  return sqlServer(242, "The conversion of a " + str(fromType) + " data type to a " + str(toType) +
                            " data type resulted in an out-of-range value.");
}

Error notAUniqueIdentifier() {
  return sqlServer(8169, "Conversion failed when converting from a character string to uniqueidentifier.");
}

Error uniqueIdentifierTooLong() {
  return sqlServer(8170, "Insufficient result space to convert uniqueidentifier value to char.");
}

Error invalidDateStyle(int style, std::string_view fromType) {
  return sqlServer(281, std::to_string(style) + " is not a valid style number when converting from " + str(fromType) +
                            " to a character string.");
}

Error overflowConverting(std::string_view what, std::string_view toType) {
  return sqlServer(8115, "Arithmetic overflow error converting " + str(what) + " to data type " + str(toType) + ".");
}

Error overflowForType(std::string_view toType, std::string_view value) {
  return sqlServer(220, "Arithmetic overflow error for data type " + str(toType) + ", value = " + str(value) + ".");
}

Error overflowForTypeFloat(std::string_view toType, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", value);
  return sqlServer(232, "Arithmetic overflow error for type " + str(toType) + ", value = " + text + ".");
}

Error divideByZero() { return sqlServer(8134, "Divide by zero error encountered."); }

Error explicitConversionNotAllowed(std::string_view fromType, std::string_view toType) {
  return sqlServer(529, "Explicit conversion from data type " + str(fromType) + " to " + str(toType) +
                            " is not allowed.");
}

Error implicitConversionNotAllowed(std::string_view fromType, std::string_view toType) {
  return sqlServer(257, "Implicit conversion from data type " + str(fromType) + " to " + str(toType) +
                            " is not allowed. Use the CONVERT function to run this query.");
}

Error operandTypeClash(std::string_view leftType, std::string_view rightType) {
  return sqlServer(206, "Operand type clash: " + str(leftType) + " is incompatible with " + str(rightType));
}

Error incompatibleInOperator(std::string_view leftType, std::string_view rightType, std::string_view operatorName) {
  return sqlServer(402, "The data types " + str(leftType) + " and " + str(rightType) + " are incompatible in the " +
                            str(operatorName) + " operator.");
}

Error invalidOperand(std::string_view type, std::string_view operatorName) {
  return sqlServer(8117, "Operand data type " + str(type) + " is invalid for " + str(operatorName) + " operator.");
}

Error stringTruncated() { return sqlServer(8152, "String or binary data would be truncated."); }

Error unknownFunction(std::string_view nameAsWritten) {
  return sqlServer(195, "'" + str(nameAsWritten) + "' is not a recognized built-in function name.");
}

Error argumentCount(std::string_view function, int required) {
  return sqlServer(174, "The " + asciiLower(function) + " function requires " + std::to_string(required) +
                            " argument(s).");
}

Error argumentCountRange(std::string_view function, int minimum, int maximum) {
  return sqlServer(189, "The " + asciiLower(function) + " function requires " + std::to_string(minimum) + " to " +
                            std::to_string(maximum) + " arguments.");
}

Error invalidArgumentType(std::string_view type, int position, std::string_view function) {
  return sqlServer(8116, "Argument data type " + str(type) + " is invalid for argument " + std::to_string(position) +
                             " of " + asciiLower(function) + " function.");
}

Error unknownDatePart(std::string_view part) {
  return sqlServer(155, "'" + str(part) + "' is not a recognized datepart option.");
}

Error dateAddOverflow(std::string_view type) {
  return sqlServer(517, "Adding a value to a '" + str(type) + "' column caused an overflow.");
}

Error dateDiffOverflow() {
  return sqlServer(535,
                   "The datediff function resulted in an overflow. The number of dateparts separating two date/time "
                   "instances is too large. Try to use datediff with a less precise datepart.");
}

Error invalidLengthArgument(std::string_view function) {
  return sqlServer(536, "Invalid length parameter passed to the " + asciiLower(function) + " function.");
}

Error datePartNotSupported(std::string_view part, std::string_view function, std::string_view type) {
  return sqlServer(9810, "The datepart " + str(part) + " is not supported by date function " + asciiLower(function) +
                             " for data type " + str(type) + ".");
}

Error invalidFloatingPointOperation() { return sqlServer(3623, "An invalid floating point operation occurred."); }

Error unsupportedType(std::string_view type) {
  return Error::provider("The embedded engine does not compute with values of type " + str(type) +
                         " yet; use datetime, or run this statement against a SQL Server instance through the ODBC "
                         "backend.");
}

}  // namespace db::embedded::types::refuse
