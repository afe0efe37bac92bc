#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "db/embedded/types/Calendar.h"
#include "db/embedded/types/Numbers.h"
#include "db/embedded/types/Type.h"

namespace db::embedded::types {

// NULL or a value of a SQL Server type. What is held follows the type:
//   bit and the integers           std::int64_t
//   decimal, numeric, the moneys   Int128 scaled by the type's scale (money: 4)
//   real, float                    double (a real's value is rounded to float precision)
//   character types                UTF-8 text; char and nchar values are already padded
//   binary types                   the bytes, in a std::string
//   date, smalldatetime, datetime  DateTime
//   uniqueidentifier               its 16 bytes in SQL Server's storage order
// A NULL keeps its type, so that NULL + 'x' is still typed.
class Value {
 public:
  Value() = default;  // NULL of type int, the type of a bare NULL literal

  static Value null(const Type& type);
  static Value integer(std::int64_t value, TypeId id = TypeId::Int);
  static Value bit(bool value);
  static Value decimal(Int128 unscaled, const Type& type);  // decimal, numeric, money, smallmoney
  static Value money(Int128 unscaledTenThousandths);
  static Value floating(double value, TypeId id = TypeId::Float);
  static Value text(std::string utf8, const Type& type);
  static Value varchar(std::string utf8);   // varchar of the text's own length, as a literal '...'
  static Value nvarchar(std::string utf8);  // nvarchar of the text's own length, as N'...'
  static Value binary(std::string bytes, const Type& type);
  static Value dateTime(DateTime value, TypeId id = TypeId::DateTime);
  static Value uniqueIdentifier(std::string sixteenBytes);

  const Type& type() const { return type_; }
  bool isNull() const { return std::holds_alternative<std::monostate>(data_); }

  // The held value; the type says which one is held.
  std::int64_t integer() const { return std::get<std::int64_t>(data_); }
  Int128 unscaled() const { return std::get<Int128>(data_); }
  double floating() const { return std::get<double>(data_); }
  const std::string& text() const { return std::get<std::string>(data_); }
  const std::string& bytes() const { return std::get<std::string>(data_); }
  DateTime dateTime() const { return std::get<DateTime>(data_); }

  // The value as SQL Server shows it converted to nvarchar with the default style: money with
  // two decimals, float in six significant digits, datetime "Jan  1 1900 12:00AM". NULL gives
  // "NULL", as the console shows it.
  std::string toString() const;

  // Same type and same held value (NULLs of one type are identical); not SQL equality, which
  // is compare() in Operators.h.
  bool operator==(const Value& other) const = default;

 private:
  Value(Type type, std::variant<std::monostate, std::int64_t, Int128, double, std::string, DateTime> data)
      : type_(type), data_(std::move(data)) {}

  Type type_ = Type::of(TypeId::Int);
  std::variant<std::monostate, std::int64_t, Int128, double, std::string, DateTime> data_;
};

// Characters of UTF-8 text as SQL Server counts them: code points for char and varchar, UTF-16
// units for nchar and nvarchar (a character beyond the BMP counts 2).
int characterLength(std::string_view utf8, TypeId id);

// uniqueidentifier bytes reordered so that their byte order is SQL Server's order of the
// values (the last six bytes first, then back through the groups), and back.
std::string uniqueIdentifierSortKey(std::string_view bytes);
std::string uniqueIdentifierFromSortKey(std::string_view key);

}  // namespace db::embedded::types
