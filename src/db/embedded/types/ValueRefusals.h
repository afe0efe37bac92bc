#pragma once

#include <string_view>

#include "db/Error.h"

// SQL Server's refusals of values, conversions, operators and built-in functions, in its
// numbers and words: the one place their texts live.
namespace db::embedded::types::refuse {

// Character data that is not a value of the target type.
Error conversionFailed(std::string_view fromType, std::string_view value, std::string_view toType);     // 245
Error conversionOverflowed(std::string_view fromType, std::string_view value, std::string_view toType);  // 248
Error notANumber(std::string_view fromType, std::string_view toType);                                    // 8114
Error notMoney(std::string_view fromType);                                                               // 235
Error notADateTime();                                                                                    // 241
Error dateTimeOutOfRange(std::string_view fromType, std::string_view toType);                            // 242
Error notAUniqueIdentifier();                                                                           // 8169
Error uniqueIdentifierTooLong();                                                                        // 8170
Error invalidDateStyle(int style, std::string_view fromType);                                           // 281

// A number too large for its target. `what` is "expression" or the source type's name.
Error overflowConverting(std::string_view what, std::string_view toType);   // 8115
Error overflowForType(std::string_view toType, std::string_view value);     // 220, integer to integer
Error overflowForTypeFloat(std::string_view toType, double value);          // 232, float to integer
Error divideByZero();                                                       // 8134

// Types that do not meet.
Error explicitConversionNotAllowed(std::string_view fromType, std::string_view toType);  // 529
Error implicitConversionNotAllowed(std::string_view fromType, std::string_view toType);  // 257
Error operandTypeClash(std::string_view leftType, std::string_view rightType);           // 206
// `operatorName` as SQL Server says it: "add", "modulo", "equal to", "'&'".
Error incompatibleInOperator(std::string_view leftType, std::string_view rightType,
                             std::string_view operatorName);                        // 402
Error invalidOperand(std::string_view type, std::string_view operatorName);          // 8117

// Storing a value that does not fit its column.
Error stringTruncated();  // 8152

// Built-in functions; `function` is the name as written, shown in lower case.
Error unknownFunction(std::string_view nameAsWritten);                                  // 195
Error argumentCount(std::string_view function, int required);                           // 174
Error argumentCountRange(std::string_view function, int minimum, int maximum);          // 189
Error invalidArgumentType(std::string_view type, int position, std::string_view function);  // 8116
Error unknownDatePart(std::string_view part);                // 155
Error dateAddOverflow(std::string_view type);                                           // 517
Error dateDiffOverflow();                                                               // 535
Error invalidLengthArgument(std::string_view function);                                 // 536
Error datePartNotSupported(std::string_view part, std::string_view function, std::string_view type);  // 9810
Error invalidFloatingPointOperation();                                                  // 3623

// A type the engine parses but does not compute with yet: says so and what to do instead.
Error unsupportedType(std::string_view type);

}  // namespace db::embedded::types::refuse
