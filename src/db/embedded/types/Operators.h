#pragma once

#include <optional>

#include "db/embedded/types/Value.h"

namespace db::embedded::types {

enum class BinaryOperator { Add, Subtract, Multiply, Divide, Modulo, BitAnd, BitOr, BitXor };

// The type of `left op right` as SQL Server types it: the operand of lower precedence is
// converted to the other's type; + of two strings joins them (lengths summed, up to 8000 or
// 4000 characters); decimals take the documented precision and scale of each operator.
// Refused (402, 8117, 206) where the types do not meet in that operator.
Type resultType(BinaryOperator op, const Type& left, const Type& right);

// `left op right` with T-SQL's semantics: NULL in, NULL out (CONCAT_NULL_YIELDS_NULL on);
// integer / and % truncate toward zero, the remainder taking the dividend's sign; division by
// zero 8134; overflow 8115; a string beside a number is converted (245 when it is no number);
// datetime + or - a number moves by days.
Value apply(BinaryOperator op, const Value& left, const Value& right);

Value negate(const Value& operand);      // unary minus
Value bitwiseNot(const Value& operand);  // ~

// Three-valued truth: comparisons with NULL are unknown (ANSI_NULLS on).
enum class Truth { False, True, Unknown };
Truth operator&&(Truth a, Truth b);
Truth operator||(Truth a, Truth b);
Truth operator!(Truth a);

enum class Comparison { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

// `left cmp right`: both sides converted to the type of higher precedence; text compared as
// the case-insensitive collation compares it. Refused with 402 for text, ntext and image.
Truth compare(Comparison cmp, const Value& left, const Value& right);

// The order of ORDER BY, GROUP BY and DISTINCT: NULL first, then as compare() orders; values
// of different types are brought to the type of higher precedence.
int orderOf(const Value& left, const Value& right);

}  // namespace db::embedded::types
