#pragma once

#include <string_view>

#include "db/Error.h"

namespace db::embedded {

// SQL Server's messages for views, functions, procedures and triggers, with their numbers.

// Modules (and views) call one another at most 32 levels deep.
inline constexpr int kMaxModuleNesting = 32;
Error moduleNestingExceeded();                                                     // 217
Error missingFunction(std::string_view schema, std::string_view nameAsWritten);    // 4121
Error viewColumnRepeated(std::string_view column, std::string_view view);         // 4506
Error viewReferencesItself(std::string_view view);                                // 4429
Error viewColumnUnnamed(int position);                                            // 4511
Error viewColumnCount(std::string_view view, bool moreInQuery);                   // 8158, 8159
Error tooManyArguments(std::string_view module);                                  // 8144
Error notAParameter(std::string_view parameter, std::string_view module);         // 8145
Error parameterNotSupplied(std::string_view module, std::string_view parameter);  // 201
Error namedThenPositional(int position);                                          // 119
Error notAnOutputParameter(std::string_view parameter);                           // 8162
Error sideEffectInFunction(std::string_view operation);                           // 443
Error selectInFunction();                                                          // 444
Error functionWithoutFinalReturn();                                                // 455
Error procedureInFunction();                                                       // 557
Error returnWithValueInTrigger();                                                  // 178 (a trigger returns nothing)
// 2007, a warning (severity 10): the module is created all the same.
std::string missingDependencyWarning(std::string_view module, std::string_view missing);

}  // namespace db::embedded
