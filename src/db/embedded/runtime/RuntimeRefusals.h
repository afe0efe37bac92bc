#pragma once

#include <cstdint>
#include <string_view>

#include "db/Error.h"

// The server's refusals of the procedural runtime: transactions, error handling and cursors,
// with SQL Server's numbers, severities and words.
namespace db::embedded::runtime::refuse {

// Transactions
Error commitWithoutBegin();                                        // 3902
Error rollbackWithoutBegin();                                      // 3903
Error saveWithoutTransaction();                                    // 628
Error noSuchSavepoint(std::string_view name);                      // 6401
Error uncommittable();                                             // 3930
Error uncommittableAtEndOfBatch();                                 // 3998
// A module that ends with another @@TRANCOUNT than it began with (what EXEC raises).
Error transactionCountMismatch(std::int64_t before, std::int64_t after);  // 266

// RAISERROR and THROW
Error rethrowOutsideCatch();                                       // 10704
Error throwNumberOutOfRange(std::int64_t number);                  // 35100
Error raiserrorNumberInvalid(std::int64_t number);                 // 2732
Error noSuchMessage(std::int64_t number, int severity, int state); // 18054
Error severityNeedsLog();                                          // 2754

// sp_executesql
Error statementNotNational();                                      // 214
Error tooManyArguments(std::string_view procedure);                // 8144

// Cursors
Error cursorMissing(std::string_view name);                        // 16916
Error cursorExists(std::string_view name);                         // 16915
Error cursorNotOpen();                                             // 16917
Error cursorAlreadyOpen();                                         // 16905
Error fetchVariablesMismatch();                                    // 16924
Error fetchTypeForwardOnly(std::string_view fetchType);            // 16911

// SQL Server's severity of an engine error by its number, for the errors the engine raises
// without stating one; 16 for the rest.
int usualSeverity(int number);

}  // namespace db::embedded::runtime::refuse
