#pragma once

#include <sqlite3.h>

#include <optional>

#include "db/Error.h"

namespace db::embedded {

// The SQLite functions that carry SQL Server's rules into the SQL data statements become,
// where SQLite's own operators would answer differently:
// - __morav_convert(value, type name, type arguments, style): CAST and CONVERT with the value
//   layer's rules (types/Convert.h). SQLite's values carry no SQL Server type: an integer reads
//   as int (bigint beyond it), a real as float, text as nvarchar, except that text in the
//   engine's datetime form (yyyy-mm-dd hh:mi:ss.mmm) reads as datetime where a date type or a
//   date style asks for it; __morav_literal(text, kind) keeps a literal's T-SQL type.
// - __morav_divisor(x): the divisor of / and %; SQLite divides by zero into NULL, the server
//   refuses it (8134).
// - __morav_scalar(rows, value): a scalar subquery; the server refuses one of several rows
//   (512) where SQLite would take the first.
void registerServerFunctions(sqlite3* db);

// A SQL function's refusal in the server's words (its number with it), raised inside SQLite:
// SQLite reports it as its message kFunctionRefusal, and the caller takes the refusal from here.
inline constexpr const char* kFunctionRefusal = "morav:function-refusal";
std::optional<Error> takeFunctionRefusal();
void raiseFunctionRefusal(sqlite3_context* ctx, const Error& refusal);

}  // namespace db::embedded
