#include "db/embedded/runtime/RuntimeRefusals.h"

#include <array>
#include <string>
#include <utility>

namespace db::embedded::runtime::refuse {

namespace {

Error sqlServer(int number, std::string message, int severity = 16) {
  return Error::provider(std::move(message), number).withSeverity(severity, 1);
}

std::string str(std::string_view s) { return std::string(s); }

}  // namespace

// Texts as SQL Server 2012 and later send them. 3902, 6401, 3930 and 3998 are checked against
// published server output; the others are the server's texts as remembered and written in its
// message table (sys.messages), not confirmed here.

Error commitWithoutBegin() {
  return sqlServer(3902, "The COMMIT TRANSACTION request has no corresponding BEGIN TRANSACTION.");
}

Error rollbackWithoutBegin() {
  return sqlServer(3903, "The ROLLBACK TRANSACTION request has no corresponding BEGIN TRANSACTION.");
}

Error saveWithoutTransaction() {
  return sqlServer(628, "Cannot issue SAVE TRANSACTION when there is no active transaction.");
}

Error noSuchSavepoint(std::string_view name) {
  return sqlServer(6401, "Cannot roll back " + str(name) + ". No transaction or savepoint of that name was found.");
}

Error uncommittable() {
  return sqlServer(3930,
                   "The current transaction cannot be committed and cannot support operations that write to the log "
                   "file. Roll back the transaction.");
}

Error uncommittableAtEndOfBatch() {
  return sqlServer(3998, "Uncommittable transaction is detected at the end of the batch. The transaction is rolled back.");
}

Error transactionCountMismatch(std::int64_t before, std::int64_t after) {
  return sqlServer(266,
                   "Transaction count after EXECUTE indicates a mismatching number of BEGIN and COMMIT statements. "
                   "Previous count = " +
                       std::to_string(before) + ", current count = " + std::to_string(after) + ".");
}

Error rethrowOutsideCatch() {
  return sqlServer(10704,
                   "To rethrow an error, a THROW statement must be used inside a CATCH block. Insert the THROW "
                   "statement inside a CATCH block, or add error parameters to the THROW statement.",
                   15);
}

Error throwNumberOutOfRange(std::int64_t number) {
  return sqlServer(35100, "Error number " + std::to_string(number) +
                              " in the THROW statement is outside the valid range. Specify an error number in the "
                              "valid range of 50000 to 2147483647.");
}

Error raiserrorNumberInvalid(std::int64_t number) {
  return sqlServer(2732, "Error number " + std::to_string(number) +
                             " is invalid. The number must be from 13000 through 2147483647 and it cannot be 50000.");
}

Error noSuchMessage(std::int64_t number, int severity, int state) {
  return sqlServer(18054, "Error " + std::to_string(number) + ", severity " + std::to_string(severity) + ", state " +
                              std::to_string(state) +
                              " was raised, but no message with that error number was found in sys.messages. If "
                              "error is larger than 50000, make sure the user-defined message is added using "
                              "sp_addmessage.");
}

Error severityNeedsLog() {
  return sqlServer(2754,
                   "Error severity levels greater than 18 can only be specified by members of the sysadmin role, "
                   "using the WITH LOG option.");
}

Error statementNotNational() {
  return sqlServer(214, "Procedure expects parameter '@statement' of type 'ntext/nchar/nvarchar'.");
}

Error tooManyArguments(std::string_view procedure) {
  return sqlServer(8144, "Procedure or function " + str(procedure) + " has too many arguments specified.");
}

Error cursorMissing(std::string_view name) {
  return sqlServer(16916, "A cursor with the name '" + str(name) + "' does not exist.");
}

Error cursorExists(std::string_view name) {
  return sqlServer(16915, "A cursor with the name '" + str(name) + "' already exists.");
}

Error cursorNotOpen() { return sqlServer(16917, "Cursor is not open."); }

Error cursorAlreadyOpen() { return sqlServer(16905, "The cursor is already open."); }

Error fetchVariablesMismatch() {
  return sqlServer(16924,
                   "Cursorfetch: The number of variables declared in the INTO list must match that of selected "
                   "columns.");
}

Error fetchTypeForwardOnly(std::string_view fetchType) {
  return sqlServer(16911, "fetch: The fetch type " + str(fetchType) + " cannot be used with forward only cursors.");
}

int usualSeverity(int number) {
  // The numbers whose severity is not 16 among those the engine raises.
  static constexpr std::array<std::pair<int, int>, 14> kSeverities = {{
      {102, 15}, {105, 15}, {111, 15}, {137, 15}, {156, 15}, {174, 15}, {191, 15},
      {195, 15}, {319, 15}, {2601, 14}, {2627, 14}, {3701, 11}, {4060, 11}, {10704, 15},
  }};
  for (const auto& [n, severity] : kSeverities)
    if (n == number) return severity;
  return 16;
}

}  // namespace db::embedded::runtime::refuse
