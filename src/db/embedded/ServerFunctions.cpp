#include "db/embedded/ServerFunctions.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "db/embedded/types/Convert.h"
#include "db/embedded/types/DateTimeText.h"
#include "db/embedded/types/Operators.h"
#include "db/embedded/types/Type.h"

namespace db::embedded {

namespace {

using types::TypeId;
using types::Value;

thread_local std::optional<Error> pendingRefusal;

std::string textOf(sqlite3_value* v) {
  const unsigned char* p = sqlite3_value_text(v);
  return p ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_value_bytes(v))) : "";
}

// The engine keeps datetime values as "yyyy-mm-dd hh:mi:ss[.mmm]".
std::optional<Value> asStoredDateTime(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0, read = 0;
  if (text.size() < 19 || text[4] != '-' || text[10] != ' ') return std::nullopt;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &read) != 6) return std::nullopt;
  if (static_cast<size_t>(read) < text.size() && std::sscanf(text.c_str() + read, ".%3d", &ms) != 1)
    return std::nullopt;
  if (!types::isValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59) return std::nullopt;
  types::DateTime value{
      types::daysFromCivil(y, mo, d),
      static_cast<std::int32_t>(types::ticksFromMilliseconds(((h * 60 + mi) * 60 + s) * 1000LL + ms))};
  return Value::dateTime(value);
}

std::string storedDateTime(const types::DateTime& value) {
  const types::CivilDate date = types::civilFromDays(value.days);
  const types::TimeOfDay time = types::timeOfDay(value.ticks);
  char out[32];
  std::snprintf(out, sizeof out, "%04d-%02d-%02d %02d:%02d:%02d.%03d", date.year, date.month, date.day, time.hour,
                time.minute, time.second, time.millisecond);
  return out;
}

// __morav_literal('3.0', 'number'), __morav_literal('x', 'varchar'): a literal marked with a
// subtype, so that a conversion reads it with its T-SQL type; anywhere else it is its text.
constexpr unsigned kNumberLiteral = 'N';
constexpr unsigned kVarcharLiteral = 'V';
constexpr unsigned kNvarcharLiteral = 'U';

void literalFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const std::string text = textOf(argv[0]);
  const std::string kind = textOf(argv[1]);
  sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  sqlite3_result_subtype(ctx, kind == "number" ? kNumberLiteral : kind == "varchar" ? kVarcharLiteral : kNvarcharLiteral);
}

Value fromSqlite(sqlite3_value* v, const types::Type& to, bool styled) {
  switch (sqlite3_value_subtype(v)) {
    case kNumberLiteral:
      if (auto literal = types::numberLiteral(textOf(v))) return *literal;
      break;
    case kVarcharLiteral: return Value::varchar(textOf(v));
    case kNvarcharLiteral: return Value::nvarchar(textOf(v));
  }
  switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
      return Value();
    case SQLITE_INTEGER: {
      const sqlite3_int64 n = sqlite3_value_int64(v);
      return Value::integer(n, n >= INT32_MIN && n <= INT32_MAX ? TypeId::Int : TypeId::BigInt);
    }
    case SQLITE_FLOAT:
      return Value::floating(sqlite3_value_double(v));
    case SQLITE_BLOB: {
      const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
      const std::string bytes(p ? p : "", static_cast<size_t>(sqlite3_value_bytes(v)));
      return Value::binary(bytes, types::Type::binary(TypeId::VarBinary, static_cast<int>(bytes.size())));
    }
    default: {
      const std::string text = textOf(v);
      if (styled || types::isDateOrTime(to.id))
        if (auto dateTime = asStoredDateTime(text)) return *dateTime;
      return Value::nvarchar(text);
    }
  }
}

void toSqlite(sqlite3_context* ctx, const Value& v) {
  const TypeId id = v.type().id;
  if (v.isNull()) return sqlite3_result_null(ctx);
  if (id == TypeId::Bit || types::isInteger(id)) return sqlite3_result_int64(ctx, v.integer());
  if (types::isApproximate(id)) return sqlite3_result_double(ctx, v.floating());
  if (types::isDecimal(id) || types::isMoney(id)) {
    // Stored as SQLite numbers, as the engine stores these columns.
    const std::string text = types::characterForm(v);
    if (v.type().scale == 0 && text.find('.') == std::string::npos)
      return sqlite3_result_int64(ctx, std::strtoll(text.c_str(), nullptr, 10));
    return sqlite3_result_double(ctx, std::strtod(text.c_str(), nullptr));
  }
  if (types::isDateOrTime(id)) {
    const std::string text = storedDateTime(v.dateTime());
    return sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  if (types::isBinaryString(id))
    return sqlite3_result_blob(ctx, v.bytes().data(), static_cast<int>(v.bytes().size()), SQLITE_TRANSIENT);
  sqlite3_result_text(ctx, v.text().data(), static_cast<int>(v.text().size()), SQLITE_TRANSIENT);
}

void convertFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  try {
    const std::string name = textOf(argv[1]);
    std::vector<std::string> args;
    for (std::string rest = textOf(argv[2]); !rest.empty();) {
      const size_t comma = rest.find(',');
      args.push_back(rest.substr(0, comma));
      rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
    }
    types::TypeNameProblem problem;
    const auto to = types::parseType(name, args, types::LengthDefault::Conversion, problem);
    if (!to) {
      raiseFunctionRefusal(ctx, Error::provider("Type " + name + " is not a defined system type.", 243));
      return;
    }
    std::optional<int> style;
    if (sqlite3_value_type(argv[3]) != SQLITE_NULL) style = sqlite3_value_int(argv[3]);
    toSqlite(ctx, types::convert(fromSqlite(argv[0], *to, style.has_value()), *to, style));
  } catch (const Error& refusal) {
    raiseFunctionRefusal(ctx, refusal);
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

// __morav_divisor(x): x, or the server's refusal of a division by zero.
void divisorFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_value* v = argv[0];
  const int type = sqlite3_value_numeric_type(v);
  if ((type == SQLITE_INTEGER && sqlite3_value_int64(v) == 0) || (type == SQLITE_FLOAT && sqlite3_value_double(v) == 0.0)) {
    raiseFunctionRefusal(ctx, Error::provider("Divide by zero error encountered.", 8134));
    return;
  }
  sqlite3_result_value(ctx, v);
}

// __morav_scalar(rows, value): a scalar subquery's value, or the server's refusal of one that
// returned several rows.
void scalarFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_int64(argv[0]) > 1) {
    raiseFunctionRefusal(ctx, Error::provider("Subquery returned more than 1 value. This is not permitted when the "
                                              "subquery follows =, !=, <, <= , >, >= or when the subquery is used "
                                              "as an expression.",
                                              512));
    return;
  }
  sqlite3_result_value(ctx, argv[1]);
}

// __morav_add_days(d, n, sign): datetime d moved by sign * n days, as T-SQL's d + n and d - n.
void addDaysFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  try {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
      return sqlite3_result_null(ctx);
    const types::Type dateTime = types::Type::of(TypeId::DateTime);
    const Value date = types::convert(fromSqlite(argv[0], dateTime, true), dateTime, std::nullopt);
    const Value days = fromSqlite(argv[1], types::Type::of(TypeId::Float), false);
    const auto op = sqlite3_value_int(argv[2]) < 0 ? types::BinaryOperator::Subtract : types::BinaryOperator::Add;
    toSqlite(ctx, types::apply(op, date, days));
  } catch (const Error& refusal) {
    raiseFunctionRefusal(ctx, refusal);
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  }
}

}  // namespace

std::optional<Error> takeFunctionRefusal() {
  std::optional<Error> refusal = std::move(pendingRefusal);
  pendingRefusal.reset();
  return refusal;
}

void raiseFunctionRefusal(sqlite3_context* ctx, const Error& refusal) {
  pendingRefusal = refusal;
  sqlite3_result_error(ctx, kFunctionRefusal, -1);
}

void registerServerFunctions(sqlite3* db) {
  sqlite3_create_function_v2(db, "__morav_scalar", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, scalarFunction,
                             nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "__morav_divisor", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, divisorFunction,
                             nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "__morav_literal", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, literalFunction,
                             nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "__morav_add_days", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_SUBTYPE, nullptr,
                             addDaysFunction, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "__morav_convert", 4, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_SUBTYPE, nullptr,
                             convertFunction, nullptr, nullptr, nullptr);
}

}  // namespace db::embedded
