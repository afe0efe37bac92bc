#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "db/embedded/types/Value.h"

namespace db::embedded::types {

// How values are kept in SQLite columns, so that SQLite's own comparisons on the stored form
// (ORDER BY, indexes, MIN/MAX, joins on equal types) agree with SQL Server's order of the values:
//   bit, the integers                INTEGER, the value
//   money, smallmoney, decimal(p<=18) INTEGER, the value scaled by the column's scale: exact, and
//                                    numeric order because every row of a column shares the scale
//   decimal(p>18)                    TEXT "P" + 38 digits, or "N" + the 38-digit complement of a
//                                    negative value: beyond 64 bits, yet ordered by BINARY text
//                                    comparison (negatives first, larger magnitudes before)
//   real, float                      REAL
//   character types                  TEXT as held (char and nchar padded); comparisons that must
//                                    ignore case and trailing blanks use compareText as collation
//   date, smalldatetime, datetime    INTEGER, 1/300-second ticks since 1900-01-01: exact and
//                                    chronological, and comparable across the three types
//   binary types                     BLOB, the bytes
//   uniqueidentifier                 BLOB, its bytes reordered so that byte order is SQL Server's
// Comparing stored values of two decimal columns of different scales, or a column with a
// literal, takes the literal in the column's stored form (toStored with the column's type).
enum class StorageClass { Integer, Real, Text, Blob };

StorageClass storageClassOf(const Type& column);

// NULL, an INTEGER, a REAL, or TEXT/BLOB bytes (which one the column's storage class says).
using Stored = std::variant<std::monostate, std::int64_t, double, std::string>;

// The stored form of a value already of the column's type (see toColumn in Convert.h).
Stored toStored(const Value& value, const Type& column);

// The value a stored form holds, typed as the column.
Value fromStored(const Stored& stored, const Type& column);

}  // namespace db::embedded::types
