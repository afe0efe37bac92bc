#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/embedded/types/Value.h"

namespace db::embedded::types {

// Whether SQL Server converts values of one type to another on its own (an operand, an
// assignment, a stored value), only when asked by CAST or CONVERT, or never.
enum class Conversion { Implicit, Explicit, NotAllowed };
Conversion conversionBetween(TypeId from, TypeId to);

// CAST(value AS to) or CONVERT(to, value[, style]). Lengths are honoured silently: text is
// cut to the length and char/nchar padded with blanks; a number too long for a char/varchar
// becomes "*", for anything else it fails with 8115. `style` is CONVERT's third argument;
// without it each type converts in its default form. Refused with 529 where no conversion
// exists; NULL stays NULL, typed `to`.
Value convert(const Value& value, const Type& to, std::optional<int> style = std::nullopt);

// The conversion SQL Server makes without being asked: refused with 257 where it takes CAST or
// CONVERT, and with 206 where the types never meet. Assigning to a variable cuts text silently.
Value convertImplicitly(const Value& value, const Type& to);

// Whether a value, already of the column's type family, fits the column without losing
// characters or bytes (trailing blanks aside, which SQL Server drops without complaint).
bool fitsColumn(const Value& value, const Type& column);

// The value a column stores: converted implicitly, refused with 8152 ("String or binary data
// would be truncated.") where it does not fit.
Value toColumn(const Value& value, const Type& column);

// The character form of a value under CONVERT's style, before any length applies.
std::string characterForm(const Value& value, std::optional<int> style = std::nullopt);

// A number as a T-SQL literal types it: 12 is int, 3000000000 numeric(10,0), 1.50
// numeric(3,2), 1.5e3 float. Nullopt when the text is not a number literal.
std::optional<Value> numberLiteral(std::string_view text);

// Character text as a number, the way ISNUMERIC accepts it (integers, decimals, money with its
// currency sign and thousands separators, floats with an exponent).
bool looksNumeric(std::string_view text);

}  // namespace db::embedded::types
