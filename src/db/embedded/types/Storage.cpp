#include "db/embedded/types/Storage.h"

#include "db/embedded/types/ValueRefusals.h"

namespace db::embedded::types {

namespace {

constexpr int kWideDigits = 38;

bool fitsInteger(const Type& t) { return isMoney(t.id) || (isDecimal(t.id) && t.precision <= 18); }

std::string wideDecimalKey(Int128 unscaled) {
  const bool negative = unscaled < 0;
  const Int128 shown = negative ? maxOfPrecision(kWideDigits) + unscaled : unscaled;
  std::string digits = decimalText(shown, 0);
  return (negative ? "N" : "P") + std::string(static_cast<size_t>(kWideDigits) - digits.size(), '0') + digits;
}

Int128 wideDecimalValue(const std::string& key) {
  Int128 v = 0;
  for (char c : key.substr(1)) v = v * 10 + (c - '0');
  return key.front() == 'N' ? v - maxOfPrecision(kWideDigits) : v;
}

}  // namespace

StorageClass storageClassOf(const Type& column) {
  const TypeId id = column.id;
  if (id == TypeId::Bit || isInteger(id) || fitsInteger(column) || id == TypeId::Date || id == TypeId::DateTime ||
      id == TypeId::SmallDateTime)
    return StorageClass::Integer;
  if (isApproximate(id)) return StorageClass::Real;
  if (isCharacter(id) || isDecimal(id)) return StorageClass::Text;
  return StorageClass::Blob;
}

Stored toStored(const Value& value, const Type& column) {
  if (value.isNull()) return std::monostate{};
  const TypeId id = column.id;
  if (id == TypeId::Bit || isInteger(id)) return value.integer();
  if (isDecimal(id) || isMoney(id)) {
    if (fitsInteger(column)) return static_cast<std::int64_t>(value.unscaled());
    return wideDecimalKey(value.unscaled());
  }
  if (isApproximate(id)) return value.floating();
  if (isCharacter(id)) return value.text();
  if (id == TypeId::Date || id == TypeId::DateTime || id == TypeId::SmallDateTime) {
    const DateTime dt = value.dateTime();
    return static_cast<std::int64_t>(dt.days) * kTicksPerDay + dt.ticks;
  }
  if (id == TypeId::UniqueIdentifier) return uniqueIdentifierSortKey(value.bytes());
  if (isBinaryString(id)) return value.bytes();
  throw refuse::unsupportedType(typeName(id));
}

Value fromStored(const Stored& stored, const Type& column) {
  if (std::holds_alternative<std::monostate>(stored)) return Value::null(column);
  const TypeId id = column.id;
  if (id == TypeId::Bit || isInteger(id)) return Value::integer(std::get<std::int64_t>(stored), id);
  if (isDecimal(id) || isMoney(id)) {
    const Type type = isMoney(id) ? Type::of(id) : column;
    if (fitsInteger(column)) return Value::decimal(std::get<std::int64_t>(stored), type);
    return Value::decimal(wideDecimalValue(std::get<std::string>(stored)), type);
  }
  if (isApproximate(id)) return Value::floating(std::get<double>(stored), id);
  if (isCharacter(id)) return Value::text(std::get<std::string>(stored), column);
  if (id == TypeId::Date || id == TypeId::DateTime || id == TypeId::SmallDateTime) {
    const std::int64_t ticks = std::get<std::int64_t>(stored);
    std::int64_t days = ticks / kTicksPerDay;
    std::int64_t rest = ticks % kTicksPerDay;
    if (rest < 0) {
      rest += kTicksPerDay;
      --days;
    }
    return Value::dateTime({static_cast<std::int32_t>(days), static_cast<std::int32_t>(rest)}, id);
  }
  if (id == TypeId::UniqueIdentifier) return Value::uniqueIdentifier(uniqueIdentifierFromSortKey(std::get<std::string>(stored)));
  if (isBinaryString(id)) return Value::binary(std::get<std::string>(stored), column);
  throw refuse::unsupportedType(typeName(id));
}

}  // namespace db::embedded::types
