#pragma once

#include <sqlite3.h>

#include <optional>

#include "db/Error.h"

namespace db::embedded {

// CAST and CONVERT with SQL Server's rules (types/Convert.h) for the SQL that data statements
// become: the SQLite function __morav_convert(value, type name, type arguments, style).
// SQLite's values carry no SQL Server type: an integer reads as int (bigint beyond it), a
// real as float, text as nvarchar, except that text in the engine's datetime form
// (yyyy-mm-dd hh:mi:ss.mmm) reads as datetime where a date type or a date style asks for it.
// Also __morav_divisor(x), through which the divisor of / and % goes: SQLite divides by zero
// into NULL, the server refuses it (8134); and __morav_scalar(rows, value), which refuses a
// scalar subquery of several rows (512) where SQLite would take the first.
void registerConversion(sqlite3* db);

// A SQL function's refusal in the server's words (its number with it), raised inside SQLite:
// SQLite reports it as its message kFunctionRefusal, and the caller takes the refusal from here.
inline constexpr const char* kFunctionRefusal = "morav:function-refusal";
std::optional<Error> takeFunctionRefusal();
void raiseFunctionRefusal(sqlite3_context* ctx, const Error& refusal);

}  // namespace db::embedded
