#include "db/embedded/Functions.h"

#include <algorithm>

#include <chrono>
#include <ctime>
#include <random>
#include <string_view>

#include "db/ConnectionString.h"
#include "db/embedded/ServerFunctions.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

namespace {

std::string argText(sqlite3_value* v) {
  const unsigned char* p = sqlite3_value_text(v);
  return p ? std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_value_bytes(v))) : "";
}

bool anyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i)
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  return false;
}

void resultText(sqlite3_context* ctx, const std::string& text) {
  sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

// Characters, not bytes: T-SQL counts characters of its national strings.
size_t utf8Length(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

// Byte offset of character `index` (0-based), clamped to the end.
size_t utf8Offset(std::string_view s, size_t index) {
  size_t chars = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == index) return i;
      ++chars;
    }
  }
  return s.size();
}

std::string localTimestamp(bool utc) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm tm{};
  if (utc) {
    gmtime_r(&t, &tm);
  } else {
    localtime_r(&t, &tm);
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  char buf[40];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
  char out[48];
  std::snprintf(out, sizeof out, "%s.%03d", buf, static_cast<int>(ms));
  return out;
}

void getdate(sqlite3_context* ctx, int, sqlite3_value**) { resultText(ctx, localTimestamp(false)); }
void getutcdate(sqlite3_context* ctx, int, sqlite3_value**) { resultText(ctx, localTimestamp(true)); }

void newid(sqlite3_context* ctx, int, sqlite3_value**) {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  const std::uint64_t a = rng(), b = rng();
  char out[40];
  std::snprintf(out, sizeof out, "%08X-%04X-4%03X-%04X-%012llX", static_cast<unsigned>(a >> 32),
                static_cast<unsigned>((a >> 16) & 0xFFFF), static_cast<unsigned>(a & 0xFFF),
                static_cast<unsigned>(0x8000 | ((b >> 48) & 0x3FFF)),
                static_cast<unsigned long long>(b & 0xFFFFFFFFFFFFULL));
  resultText(ctx, out);
}

// LEN ignores trailing blanks.
void len(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  std::string s = argText(argv[0]);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(utf8Length(s)));
}

void datalength(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, sqlite3_value_bytes(argv[0]));
}

// CHARINDEX(what, in [, start]): 1-based, 0 when absent.
void charindex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  const std::string what = argText(argv[0]), in = argText(argv[1]);
  const std::int64_t start = argc > 2 ? std::max<std::int64_t>(sqlite3_value_int64(argv[2]), 1) : 1;
  const size_t from = utf8Offset(in, static_cast<size_t>(start - 1));
  const size_t at = asciiLower(in).find(asciiLower(what), from);
  sqlite3_result_int64(ctx, at == std::string::npos ? 0 : static_cast<sqlite3_int64>(utf8Length(in.substr(0, at)) + 1));
}

void left(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  const std::string s = argText(argv[0]);
  const std::int64_t n = std::max<std::int64_t>(sqlite3_value_int64(argv[1]), 0);
  resultText(ctx, s.substr(0, utf8Offset(s, static_cast<size_t>(n))));
}

void right(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  const std::string s = argText(argv[0]);
  const std::int64_t n = std::max<std::int64_t>(sqlite3_value_int64(argv[1]), 0);
  const size_t length = utf8Length(s);
  const size_t skip = n >= static_cast<std::int64_t>(length) ? 0 : length - static_cast<size_t>(n);
  resultText(ctx, s.substr(utf8Offset(s, skip)));
}

// The longest text a function may build: SQLite's own limit on a value.
std::int64_t maxTextLength(sqlite3_context* ctx) {
  return sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1);
}

void replicate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  const std::string s = argText(argv[0]);
  if (static_cast<double>(s.size()) * static_cast<double>(sqlite3_value_int64(argv[1])) >
      static_cast<double>(maxTextLength(ctx)))
    return sqlite3_result_error_toobig(ctx);
  std::string out;
  for (std::int64_t i = 0; i < sqlite3_value_int64(argv[1]); ++i) out += s;
  resultText(ctx, out);
}

void space(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  if (sqlite3_value_int64(argv[0]) > maxTextLength(ctx)) return sqlite3_result_error_toobig(ctx);
  resultText(ctx, std::string(static_cast<size_t>(std::max<std::int64_t>(sqlite3_value_int64(argv[0]), 0)), ' '));
}

// YEAR, MONTH, DAY of a date written yyyy-mm-dd...
template <int Offset, int Length>
void datePart(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  const std::string s = argText(argv[0]);
  if (s.size() < static_cast<size_t>(Offset + Length)) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, std::atoll(s.substr(Offset, Length).c_str()));
}

void dbName(sqlite3_context* ctx, int, sqlite3_value**) {
  resultText(ctx, static_cast<FunctionContext*>(sqlite3_user_data(ctx))->catalogName);
}

// OBJECT_ID('dbo.T' [, 'U']): the object's id, or NULL.
void objectId(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (anyNull(argc, argv)) return sqlite3_result_null(ctx);
  auto* context = static_cast<FunctionContext*>(sqlite3_user_data(ctx));
  std::string name, database;
  try {
    for (const Token& t : tokenize(argText(argv[0]), Dialect::SqlServer)) {
      if (!t.isName()) continue;
      name = t.kind == TokenKind::QuotedName ? t.value : t.text;
      if (database.empty()) database = name;
    }
  } catch (...) {
    return sqlite3_result_null(ctx);
  }
  // A #table lives in tempdb: the server finds it as 'tempdb..#t', not from the catalog.
  if (name.empty() || (name.front() == '#' && !equalsAsciiNoCase(database, "tempdb"))) return sqlite3_result_null(ctx);
  const auto found = context->findObject(name);
  if (!found) return sqlite3_result_null(ctx);
  if (argc > 1) {
    std::string type = argText(argv[1]);
    while (!type.empty() && type.back() == ' ') type.pop_back();
    if (!equalsAsciiNoCase(type, found->second)) return sqlite3_result_null(ctx);
  }
  sqlite3_result_int64(ctx, found->first);
}

// Whether SET IDENTITY_INSERT is on for the table named (the identity triggers ask).
void identityInsert(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const auto* context = static_cast<FunctionContext*>(sqlite3_user_data(ctx));
  sqlite3_result_int(ctx, equalsAsciiNoCase(context->identityInsertTable, argText(argv[0])) ? 1 : 0);
}

// Keeps the identity value a row took, and answers it.
void identityNoted(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* context = static_cast<FunctionContext*>(sqlite3_user_data(ctx));
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  context->lastIdentity = sqlite3_value_int64(argv[0]);
  sqlite3_result_int64(ctx, *context->lastIdentity);
}

// SCOPE_IDENTITY() and @@IDENTITY: the session's last identity value, NULL before any.
void lastIdentity(sqlite3_context* ctx, int, sqlite3_value**) {
  const auto* context = static_cast<FunctionContext*>(sqlite3_user_data(ctx));
  if (!context->lastIdentity) return sqlite3_result_null(ctx);
  sqlite3_result_int64(ctx, *context->lastIdentity);
}

// SQLite calls the functions from C: no exception may cross back into it.
template <void (*Function)(sqlite3_context*, int, sqlite3_value**)>
void guarded(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  try {
    Function(ctx, argc, argv);
  } catch (const std::exception& e) {
    sqlite3_result_error(ctx, e.what(), -1);
  } catch (...) {
    sqlite3_result_error(ctx, "the function failed", -1);
  }
}

struct Registration {
  const char* name;
  int args;
  void (*fn)(sqlite3_context*, int, sqlite3_value**);
  bool deterministic;
};

constexpr Registration kFunctions[] = {
    {"getdate", 0, guarded<getdate>, false},      {"getutcdate", 0, guarded<getutcdate>, false},
    {"newid", 0, guarded<newid>, false},          {"len", 1, guarded<len>, true},
    {"datalength", 1, guarded<datalength>, true}, {"charindex", 2, guarded<charindex>, true},
    {"charindex", 3, guarded<charindex>, true},   {"left", 2, guarded<left>, true},
    {"right", 2, guarded<right>, true},           {"replicate", 2, guarded<replicate>, true},
    {"space", 1, guarded<space>, true},           {"year", 1, guarded<datePart<0, 4>>, true},
    {"month", 1, guarded<datePart<5, 2>>, true},  {"day", 1, guarded<datePart<8, 2>>, true},
    {"db_name", 0, guarded<dbName>, false},       {"object_id", 1, guarded<objectId>, false},
    {"object_id", 2, guarded<objectId>, false},   {"scope_identity", 0, guarded<lastIdentity>, false},
    {"__morav_identity_insert", 1, guarded<identityInsert>, false},
    {"__morav_identity_noted", 1, guarded<identityNoted>, false},
};

}  // namespace

namespace {

// SQL Server's comparison of texts ignores trailing blanks ('ab' = 'ab  '), which an nchar or
// char column always holds; the text columns' NOCASE is made to do the same. Letters fold as
// SQLite's NOCASE folds them (ASCII), so an index keeps the order it was built in.
int compareIgnoringCaseAndTrailingBlanks(void*, int leftSize, const void* left, int rightSize, const void* right) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  while (leftSize > 0 && a[leftSize - 1] == ' ') --leftSize;
  while (rightSize > 0 && b[rightSize - 1] == ' ') --rightSize;
  const int n = std::min(leftSize, rightSize);
  for (int i = 0; i < n; ++i) {
    const int ca = a[i] >= 'A' && a[i] <= 'Z' ? a[i] + 32 : a[i];
    const int cb = b[i] >= 'A' && b[i] <= 'Z' ? b[i] + 32 : b[i];
    if (ca != cb) return ca - cb;
  }
  return leftSize - rightSize;
}

}  // namespace

void registerFunctions(SqliteDb& db, FunctionContext& context) {
  if (const int rc = sqlite3_create_collation_v2(db.handle(), "NOCASE", SQLITE_UTF8, nullptr,
                                                 compareIgnoringCaseAndTrailingBlanks, nullptr);
      rc != SQLITE_OK)
    db.fail(rc);
  for (const Registration& r : kFunctions) {
    const int flags = SQLITE_UTF8 | (r.deterministic ? SQLITE_DETERMINISTIC : 0);
    const int rc =
        sqlite3_create_function_v2(db.handle(), r.name, r.args, flags, &context, r.fn, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) db.fail(rc);
  }
  registerServerFunctions(db.handle());
}

}  // namespace db::embedded
