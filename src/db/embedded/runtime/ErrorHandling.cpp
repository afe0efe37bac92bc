#include "db/embedded/runtime/ErrorHandling.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

#include "db/embedded/runtime/RuntimeRefusals.h"

namespace db::embedded::runtime {

ErrorInfo describe(const Error& error, int statementLine) {
  ErrorInfo info;
  info.number = error.number();
  info.severity = error.severity() > 0 ? error.severity() : refuse::usualSeverity(error.number());
  info.state = error.state();
  info.line = statementLine + (error.line() > 1 ? error.line() - 1 : 0);
  info.procedure = error.procedure();
  info.message = error.message();
  return info;
}

Message messageOf(const ErrorInfo& info) {
  Message m;
  m.number = info.number;
  m.severity = info.severity;
  m.state = info.state;
  m.line = info.line;
  m.procedure = info.procedure;
  m.text = info.message;
  return m;
}

Error errorOf(const ErrorInfo& info) {
  Error error = Error::provider(info.message, info.number);
  error.withSeverity(info.severity, info.state).inProcedure(info.procedure).atLine(info.line);
  return error;
}

namespace {

std::optional<std::int64_t> integerOf(const std::string& text) {
  try {
    size_t used = 0;
    const std::int64_t value = std::stoll(text, &used);
    if (used == text.size()) return value;
    // A decimal value with a zero fraction ("12.00") stands for its integer.
    const double real = std::stod(text, &used);
    if (used == text.size() && real == static_cast<double>(static_cast<std::int64_t>(real)))
      return static_cast<std::int64_t>(real);
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

constexpr size_t kLongestMessage = 2047;

size_t utf8Length(std::string_view text) {
  size_t chars = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++chars;
  return chars;
}

std::string padded(std::string text, size_t width, bool left, char fill) {
  // Width counts characters, not bytes of UTF-8.
  const size_t chars = utf8Length(text);
  if (chars >= width) return text;
  const std::string pad(width - chars, fill);
  if (left) return text + pad;
  // Zeros go after the sign.
  if (fill == '0' && !text.empty() && (text[0] == '-' || text[0] == '+')) return text.substr(0, 1) + pad + text.substr(1);
  return pad + text;
}

std::string truncatedChars(const std::string& text, size_t count) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == count) return text.substr(0, i);
      ++chars;
    }
  }
  return text;
}

}  // namespace

std::string formatRaised(std::string_view format, const std::vector<std::optional<std::string>>& arguments) {
  std::string out;
  size_t next = 0;
  const auto argument = [&]() -> std::optional<std::string> {
    if (next >= arguments.size()) return std::nullopt;
    return arguments[next++];
  };
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t k = i + 1;
    bool left = false, plus = false, space = false, zero = false, hash = false;
    for (; k < format.size(); ++k) {
      const char f = format[k];
      if (f == '-') left = true;
      else if (f == '+') plus = true;
      else if (f == ' ') space = true;
      else if (f == '0') zero = true;
      else if (f == '#') hash = true;
      else break;
    }
    size_t width = 0;
    if (k < format.size() && format[k] == '*') {
      width = static_cast<size_t>(std::max<std::int64_t>(0, integerOf(argument().value_or("0")).value_or(0)));
      ++k;
    } else {
      for (; k < format.size() && format[k] >= '0' && format[k] <= '9'; ++k) width = width * 10 + (format[k] - '0');
    }
    std::optional<size_t> precision;
    if (k < format.size() && format[k] == '.') {
      ++k;
      size_t p = 0;
      if (k < format.size() && format[k] == '*') {
        p = static_cast<size_t>(std::max<std::int64_t>(0, integerOf(argument().value_or("0")).value_or(0)));
        ++k;
      } else {
        for (; k < format.size() && format[k] >= '0' && format[k] <= '9'; ++k) p = p * 10 + (format[k] - '0');
      }
      precision = p;
    }
    if (format.substr(k, 3) == "I64") k += 3;
    else if (k < format.size() && (format[k] == 'h' || format[k] == 'l')) ++k;
    if (k >= format.size()) {  // an incomplete conversion stays as written
      out += format.substr(i);
      break;
    }
    const char type = format[k];
    i = k;
    const std::optional<std::string> value = argument();
    std::string text;
    if (!value) {
      text = "(null)";
    } else if (type == 's') {
      text = precision ? truncatedChars(*value, *precision) : *value;
    } else if (type == 'd' || type == 'i' || type == 'u' || type == 'o' || type == 'x' || type == 'X') {
      const std::int64_t n = integerOf(*value).value_or(0);
      if (type == 'd' || type == 'i') {
        text = std::to_string(n);
        if (n >= 0 && plus) text = "+" + text;
        else if (n >= 0 && space) text = " " + text;
      } else {
        const auto u = static_cast<std::uint32_t>(n);
        char buffer[32];
        const char* conversion = type == 'u' ? "%u" : type == 'o' ? "%o" : type == 'x' ? "%x" : "%X";
        std::snprintf(buffer, sizeof buffer, conversion, u);
        text = buffer;
        if (hash && u != 0 && type != 'u') text = (type == 'o' ? "0" : type == 'x' ? "0x" : "0X") + text;
      }
    } else {  // a type RAISERROR does not know stays as written
      text = "%" + std::string(1, type);
    }
    out += padded(text, std::min(width, kLongestMessage), left, zero && !left && type != 's' ? '0' : ' ');
  }
  // The server keeps 2,047 characters of a message; a longer one shows its first 2,044 and "...".
  if (utf8Length(out) > kLongestMessage) out = truncatedChars(out, kLongestMessage - 3) + "...";
  return out;
}

namespace {

enum class Field { Number, Severity, State, Line, Procedure, Message };

template <Field field>
void errorFunction(sqlite3_context* ctx, int, sqlite3_value**) {
  const auto* functions = static_cast<const ErrorFunctions*>(sqlite3_user_data(ctx));
  const ErrorInfo* e = functions->current();
  if (!e) {
    sqlite3_result_null(ctx);
    return;
  }
  switch (field) {
    case Field::Number: sqlite3_result_int64(ctx, e->number); return;
    case Field::Severity: sqlite3_result_int64(ctx, e->severity); return;
    case Field::State: sqlite3_result_int64(ctx, e->state); return;
    case Field::Line: sqlite3_result_int64(ctx, e->line); return;
    case Field::Procedure:
      if (e->procedure.empty()) {
        sqlite3_result_null(ctx);
      } else {
        sqlite3_result_text(ctx, e->procedure.data(), static_cast<int>(e->procedure.size()), SQLITE_TRANSIENT);
      }
      return;
    case Field::Message:
      sqlite3_result_text(ctx, e->message.data(), static_cast<int>(e->message.size()), SQLITE_TRANSIENT);
      return;
  }
}

void xactState(sqlite3_context* ctx, int, sqlite3_value**) {
  const auto* state = static_cast<const std::function<int()>*>(sqlite3_user_data(ctx));
  sqlite3_result_int(ctx, (*state)());
}

struct Registration {
  const char* name;
  void (*function)(sqlite3_context*, int, sqlite3_value**);
};

constexpr std::array<Registration, 6> kErrorFunctions = {{
    {"error_number", errorFunction<Field::Number>},
    {"error_severity", errorFunction<Field::Severity>},
    {"error_state", errorFunction<Field::State>},
    {"error_line", errorFunction<Field::Line>},
    {"error_procedure", errorFunction<Field::Procedure>},
    {"error_message", errorFunction<Field::Message>},
}};

}  // namespace

ErrorFunctions::ErrorFunctions(SqliteDb& db, std::function<int()> transactionState)
    : db_(db), transactionState_(std::move(transactionState)) {
  for (const Registration& r : kErrorFunctions)
    sqlite3_create_function_v2(db_.handle(), r.name, 0, SQLITE_UTF8, this, r.function, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db_.handle(), "xact_state", 0, SQLITE_UTF8, &transactionState_, xactState, nullptr,
                             nullptr, nullptr);
}

ErrorFunctions::~ErrorFunctions() {
  // The handle outlives this connection in the pool: no function may point here afterwards.
  for (const Registration& r : kErrorFunctions)
    sqlite3_create_function_v2(db_.handle(), r.name, 0, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db_.handle(), "xact_state", 0, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace db::embedded::runtime
