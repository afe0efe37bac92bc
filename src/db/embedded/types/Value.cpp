#include "db/embedded/types/Value.h"

#include "db/embedded/types/Convert.h"
#include "db/embedded/types/Unicode.h"

namespace db::embedded::types {

Value Value::null(const Type& type) { return Value(type, std::monostate{}); }

Value Value::integer(std::int64_t value, TypeId id) { return Value(Type::of(id), value); }

Value Value::bit(bool value) { return Value(Type::of(TypeId::Bit), std::int64_t{value ? 1 : 0}); }

Value Value::decimal(Int128 unscaled, const Type& type) { return Value(type, unscaled); }

Value Value::money(Int128 unscaledTenThousandths) { return Value(Type::of(TypeId::Money), unscaledTenThousandths); }

Value Value::floating(double value, TypeId id) { return Value(Type::of(id), value); }

Value Value::text(std::string utf8, const Type& type) { return Value(type, std::move(utf8)); }

Value Value::varchar(std::string utf8) {
  const int length = std::max(1, characterLength(utf8, TypeId::VarChar));
  return Value(Type::character(TypeId::VarChar, length), std::move(utf8));
}

Value Value::nvarchar(std::string utf8) {
  const int length = std::max(1, characterLength(utf8, TypeId::NVarChar));
  return Value(Type::character(TypeId::NVarChar, length), std::move(utf8));
}

Value Value::binary(std::string bytes, const Type& type) { return Value(type, std::move(bytes)); }

Value Value::dateTime(DateTime value, TypeId id) { return Value(Type::of(id), value); }

Value Value::uniqueIdentifier(std::string sixteenBytes) {
  return Value(Type::of(TypeId::UniqueIdentifier), std::move(sixteenBytes));
}

std::string Value::toString() const {
  if (isNull()) return "NULL";
  return characterForm(*this);
}

int characterLength(std::string_view utf8, TypeId id) {
  int n = 0;
  for (char32_t c : decodeUtf8(utf8)) n += isUnicode(id) && c > 0xFFFF ? 2 : 1;
  return n;
}

namespace {

constexpr size_t kGuidOrder[16] = {10, 11, 12, 13, 14, 15, 8, 9, 6, 7, 4, 5, 0, 1, 2, 3};

}  // namespace

std::string uniqueIdentifierSortKey(std::string_view bytes) {
  std::string key(16, '\0');
  for (size_t i = 0; i < 16 && kGuidOrder[i] < bytes.size(); ++i) key[i] = bytes[kGuidOrder[i]];
  return key;
}

std::string uniqueIdentifierFromSortKey(std::string_view key) {
  std::string bytes(16, '\0');
  for (size_t i = 0; i < 16 && i < key.size(); ++i) bytes[kGuidOrder[i]] = key[i];
  return bytes;
}

}  // namespace db::embedded::types
