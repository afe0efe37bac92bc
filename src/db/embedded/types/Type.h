#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace db::embedded::types {

// SQL Server's system types as the engine knows them. Nullability is a property of a column
// or an expression, never of its type.
enum class TypeId : std::uint8_t {
  Bit,
  TinyInt,
  SmallInt,
  Int,
  BigInt,
  Decimal,
  Numeric,
  SmallMoney,
  Money,
  Real,
  Float,
  Date,
  Time,
  SmallDateTime,
  DateTime,
  DateTime2,
  DateTimeOffset,
  Char,
  VarChar,
  Text,
  NChar,
  NVarChar,
  NText,
  Binary,
  VarBinary,
  Image,
  Timestamp,
  UniqueIdentifier,
  Xml,
  SqlVariant,
  HierarchyId,
  Geography,
};

// A type with its arguments: character types carry a length in characters (the n types in
// UTF-16 units, as SQL Server counts byte pairs), binary types a length in bytes, decimal and
// numeric a precision and scale. Money is decimal(19,4) and smallmoney decimal(10,4) in all
// arithmetic; integers take part in decimal arithmetic as decimal(p,0) of their width.
struct Type {
  static constexpr int kMax = -1;  // (max): up to 2 GB

  TypeId id = TypeId::Int;
  int length = 0;
  int precision = 0;
  int scale = 0;

  // `id` with its fixed precision and scale, and the length of a declaration without one.
  static Type of(TypeId id);
  static Type decimal(int precision, int scale);
  static Type character(TypeId id, int length);  // char, varchar, nchar, nvarchar
  static Type binary(TypeId id, int length);     // binary, varbinary

  bool operator==(const Type&) const = default;

  // "int", "nvarchar(10)", "varchar(max)", "decimal(5,2)": as SQL Server names the type.
  std::string name() const;
};

// The base name of a type: "nvarchar" for nvarchar(10); what SQL Server's messages print.
std::string_view typeName(TypeId id);

bool isInteger(TypeId id);        // tinyint, smallint, int, bigint (not bit)
bool isDecimal(TypeId id);        // decimal, numeric
bool isMoney(TypeId id);          // money, smallmoney
bool isApproximate(TypeId id);    // real, float
bool isExactNumeric(TypeId id);   // bit, the integers, decimal, numeric, the money types
bool isNumber(TypeId id);         // exact or approximate
bool isCharacter(TypeId id);      // char, varchar, text, nchar, nvarchar, ntext
bool isUnicode(TypeId id);        // nchar, nvarchar, ntext
bool isBinaryString(TypeId id);   // binary, varbinary, image, timestamp
bool isDateOrTime(TypeId id);     // date, time, smalldatetime, datetime, datetime2, datetimeoffset
bool isFixedLength(TypeId id);    // char, nchar, binary: values are padded to the length
bool isLargeObject(const Type& t);  // text, ntext, image, xml and the (max) types

// The decimal(p,s) an exact number takes part in decimal arithmetic as: int is decimal(10,0),
// money decimal(19,4). Only for exact numerics.
Type asDecimal(const Type& t);

// SQL Server's data type precedence: when two types meet, the one with the higher rank wins
// and the other is converted to it.
int precedence(TypeId id);
const Type& higherPrecedence(const Type& a, const Type& b);

// The type of CASE, COALESCE, UNION and the like over two branch types: the higher precedence
// wins; character lengths take the larger, decimals the precision and scale that hold both
// (integer digits and scale kept, capped at 38 by giving up scale).
Type commonType(const Type& a, const Type& b);

// Decimal precision above 38 brought back to 38 as SQL Server does: the scale gives way so
// that the integer digits survive, keeping at least `minimumScale` digits (6 for arithmetic,
// 0 for CASE and UNION), never more than the scale computed.
Type boundedDecimal(int precision, int scale, int minimumScale);

// A type as a statement writes it ("nvarchar" with arguments {"50"}). The name may be any
// spelling SQL Server accepts (integer, dec, character, double precision, sysname, rowversion).
enum class ArgumentForm {
  None,         // int, money, ...
  Length,       // char(n), binary(n): 1..maximum
  LengthOrMax,  // varchar(n|max), nvarchar(n|max), varbinary(n|max)
  PrecisionScale,
  Optional1,  // float(n), datetime2(n), time(n): one optional small number
};

struct TypeSpelling {
  std::string_view spelling;  // lower case
  TypeId id;
  ArgumentForm form;
  int maxLength;  // Length, LengthOrMax: the largest n
};

// The vocabulary entry of a lower-case type name, or null when SQL Server has no such type.
const TypeSpelling* findTypeSpelling(std::string_view lowerName);

// Why a type text cannot be used; the caller words the refusal (2715, 2716, 131).
struct TypeNameProblem {
  enum Kind { UnknownType, WidthNotAllowed, SizeTooLarge, MaxNotAllowed } kind = UnknownType;
  int size = 0;     // SizeTooLarge: the size given
  int maximum = 0;  // SizeTooLarge: the type's limit
};

// A character or binary type without a length holds 1 in a declaration and 30 in CAST and
// CONVERT.
enum class LengthDefault { Declaration, Conversion };

std::optional<Type> parseType(std::string_view name, std::span<const std::string> args, LengthDefault lengthDefault,
                              TypeNameProblem& problem);

}  // namespace db::embedded::types
