#include "db/odbc/OdbcConnection.h"

#include <locale.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/Secrets.h"
#include "db/odbc/Handles.h"
#include "db/odbc/NamedParameters.h"
#include "db/odbc/OdbcConnectionString.h"
#include "db/odbc/Utf16.h"

namespace db::odbc {

namespace {

// SQL Server takes a bound nvarchar up to 4000 characters; longer text goes as nvarchar(max).
constexpr size_t kLongestShortText = 4000;

// unixODBC hands the text of a driver without wide-character entry points (SQLite's, mdbtools')
// over in the character set of the calling thread's locale at the time of connecting. Connecting
// under a UTF-8 locale for this thread alone makes that UTF-8, whatever the process's locale.
class Utf8ThreadLocale {
 public:
  Utf8ThreadLocale() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr))) {
    if (utf8_) previous_ = uselocale(utf8_);
  }
  ~Utf8ThreadLocale() {
    if (!utf8_) return;
    uselocale(previous_);
    freelocale(utf8_);
  }
  Utf8ThreadLocale(const Utf8ThreadLocale&) = delete;
  Utf8ThreadLocale& operator=(const Utf8ThreadLocale&) = delete;

 private:
  locale_t utf8_;
  locale_t previous_ = nullptr;
};

Handle odbc3Environment() {
  Handle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
  check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
        environment, "SQLSetEnvAttr");
  return environment;
}

std::string columnName(const Handle& statement, SQLUSMALLINT column) {
  std::u16string name(128, u'\0');
  for (;;) {
    SQLSMALLINT length = 0, type = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    check(SQLDescribeColW(statement.get(), column, wide(name), static_cast<SQLSMALLINT>(name.size()), &length, &type,
                          &size, &digits, &nullable),
          statement, "SQLDescribeColW");
    if (static_cast<size_t>(length) < name.size()) return toUtf8(writtenText(name, static_cast<size_t>(length)));
    name.assign(static_cast<size_t>(length) + 1, u'\0');
  }
}

// One value of the current row as text, read in pieces; nullopt for NULL.
std::optional<std::string> readText(const Handle& statement, SQLUSMALLINT column) {
  std::u16string value;
  char16_t piece[1024];
  constexpr SQLLEN kPieceBytes = sizeof piece;
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement.get(), column, SQL_C_WCHAR, piece, kPieceBytes, &indicator);
    if (rc == SQL_NO_DATA) break;  // the previous piece was the last
    check(rc, statement, "SQLGetData");
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    // The piece holds the whole rest when it fits with its terminator; else it is full.
    if (indicator != SQL_NO_TOTAL && indicator + static_cast<SQLLEN>(sizeof(char16_t)) <= kPieceBytes) {
      value.append(piece, static_cast<size_t>(indicator) / sizeof(char16_t));
      break;
    }
    value.append(piece, static_cast<size_t>(kPieceBytes) / sizeof(char16_t) - 1);
  }
  return toUtf8(value);
}

// The rows of the statement's current result set, every value as text.
Rows readResultSet(const Handle& statement) {
  SQLSMALLINT count = 0;
  check(SQLNumResultCols(statement.get(), &count), statement, "SQLNumResultCols");
  Rows rows;
  for (SQLUSMALLINT c = 1; c <= count; ++c) rows.columns.push_back(columnName(statement, c));
  for (;;) {
    const SQLRETURN rc = SQLFetch(statement.get());
    if (rc == SQL_NO_DATA) break;
    check(rc, statement, "SQLFetch");
    auto& row = rows.values.emplace_back();
    for (SQLUSMALLINT c = 1; c <= count; ++c) row.push_back(readText(statement, c));
  }
  return rows;
}

// Walks every result of an executed batch, `rc` being what the execution returned, and reads
// the rows of the first result that has columns when `rows` is given. A server reports the
// failure of a later statement of a batch on the call that reaches its result; the results
// after it are still walked, so that the batch runs as far as the server runs it, and the
// first failure is thrown at the end.
void finishBatch(const Handle& statement, SQLRETURN rc, Rows* rows) {
  std::optional<Error> failure;
  std::string previous;
  bool haveRows = false;
  for (;;) {
    if (SQL_SUCCEEDED(rc)) {
      SQLSMALLINT columns = 0;
      if (rows && !haveRows && SQL_SUCCEEDED(SQLNumResultCols(statement.get(), &columns)) && columns > 0) {
        *rows = readResultSet(statement);
        haveRows = true;
      }
    } else if (rc != SQL_NO_DATA) {  // SQL_NO_DATA here: a statement that touched no rows
      Error error = diagnose(statement, rc, "SQLExecDirectW");
      const std::string key = error.sqlState() + '\n' + error.message();
      // A function sequence error, a lost link or the same failure again: nothing more to walk.
      const bool stop = rc == SQL_INVALID_HANDLE || key == previous || error.sqlState() == "HY010" ||
                        error.sqlState() == "08S01";
      previous = key;
      if (!failure) failure = std::move(error);
      if (stop) break;
    }
    rc = SQLMoreResults(statement.get());
    if (rc == SQL_NO_DATA) break;
  }
  if (failure) throw *failure;
}

// Walks every result of an executed batch into `results`, in order: each result set with its
// row count, each change's row count where the driver knows it, and the information messages
// (PRINT, RAISERROR up to severity 10) the driver passed on as diagnostics. ODBC does not carry
// a message's severity, state or line: information has severity 0 and an error 16. As in
// finishBatch, the first failure is thrown once the batch has been walked.
void collectBatch(const Handle& statement, SQLRETURN rc, Results& results) {
  std::optional<Error> failure;
  std::string previous;
  for (;;) {
    if (SQL_SUCCEEDED(rc)) {
      if (rc == SQL_SUCCESS_WITH_INFO)
        for (const DiagnosticRecord& record : diagnosticRecords(statement)) {
          Message info;
          info.number = static_cast<int>(record.native);
          info.text = record.message;
          results.addMessage(std::move(info));
        }
      SQLSMALLINT columns = 0;
      if (SQL_SUCCEEDED(SQLNumResultCols(statement.get(), &columns)) && columns > 0) {
        Rows rows = readResultSet(statement);
        const auto count = static_cast<std::int64_t>(rows.size());
        results.addRows(std::move(rows.columns), std::move(rows.values));
        results.addCount(count);
      } else {
        SQLLEN count = -1;
        if (SQL_SUCCEEDED(SQLRowCount(statement.get(), &count)) && count >= 0) results.addCount(count);
      }
    } else if (rc != SQL_NO_DATA) {
      Error error = diagnose(statement, rc, "SQLExecDirectW");
      const std::string key = error.sqlState() + '\n' + error.message();
      const bool stop = rc == SQL_INVALID_HANDLE || key == previous || error.sqlState() == "HY010" ||
                        error.sqlState() == "08S01";
      previous = key;
      Message m;
      m.number = error.number();
      m.severity = 16;
      m.text = error.message();
      results.addMessage(std::move(m));
      if (!failure) failure = std::move(error);
      if (stop) break;
    }
    rc = SQLMoreResults(statement.get());
    if (rc == SQL_NO_DATA) break;
  }
  if (failure) throw *failure;
}

std::u16string escapedPattern(std::u16string_view name, std::u16string_view escape) {
  std::u16string out;
  for (char16_t c : name) {
    if (!escape.empty() && (c == u'_' || c == u'%' || std::u16string_view(&c, 1) == escape)) out += escape;
    out += c;
  }
  return out;
}

}  // namespace

struct OdbcConnection::Link {
  Handle environment = odbc3Environment();
  Handle connection{SQL_HANDLE_DBC, environment.get()};
  bool connected = false;
  std::u16string searchEscape;  // how the driver escapes '_' and '%' in catalog patterns

  Link() = default;
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;
  ~Link() {
    if (connected) SQLDisconnect(connection.get());
  }

  Handle statement() const { return Handle(SQL_HANDLE_STMT, connection.get()); }
};

OdbcConnection::OdbcConnection(const BackendConfig& config, std::string role)
    : Connection(std::move(role)), config_(config) {}

OdbcConnection::~OdbcConnection() = default;

OdbcConnection::Link& OdbcConnection::link() {
  // ADO's words and number for a call on a closed connection; 08003: ODBC's "connection not open".
  if (!link_) throw Error::provider("Operation is not allowed when the object is closed.", 3704, "08003");
  return *link_;
}

void OdbcConnection::doOpen(const std::string& connectionString) {
  if (link_) throw Error::provider("Operation is not allowed when the object is open.", 3705, "08002");
  const std::string odbcText = toOdbcConnectionString(connectionString, config_);
  const Utf8ThreadLocale utf8;
  auto link = std::make_unique<Link>();
  std::u16string text = toUtf16(odbcText);
  const SQLRETURN rc = SQLDriverConnectW(link->connection.get(), nullptr, wide(text), wideLength(text), nullptr, 0,
                                         nullptr, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(rc)) {
    // What was tried goes with the driver's words, secrets masked, and what to check when the
    // driver manager itself speaks: the driver is not registered or cannot be loaded.
    const Error error = diagnose(link->connection, rc, "SQLDriverConnectW");
    std::string message = error.message() + "\nODBC connection string: " + maskSecrets(odbcText);
    if (error.message().find("[Driver Manager]") != std::string::npos)
      message += "\nCheck that the driver is registered in /etc/odbcinst.ini (\"odbcinst -q -d\" lists the "
                 "registered drivers) and that its package is installed.";
    throw Error::provider(std::move(message), error.number(), error.sqlState());
  }
  link->connected = true;

  std::u16string escape(8, u'\0');
  SQLSMALLINT bytes = 0;  // unused: unixODBC may count it in the driver's bytes
  if (SQL_SUCCEEDED(SQLGetInfoW(link->connection.get(), SQL_SEARCH_PATTERN_ESCAPE, wide(escape),
                                static_cast<SQLSMALLINT>(escape.size() * sizeof(char16_t)), &bytes)))
    link->searchEscape = writtenText(escape, escape.size());
  link_ = std::move(link);
}

void OdbcConnection::doClose() { link_.reset(); }

bool OdbcConnection::doIsOpen() const { return link_ != nullptr; }

void OdbcConnection::doExecute(const std::string& text) {
  const Handle statement = link().statement();
  std::u16string sql = toUtf16(text);
  finishBatch(statement, SQLExecDirectW(statement.get(), wide(sql), wideLength(sql)), nullptr);
}

std::vector<std::string> OdbcConnection::doTableNames() {
  const Handle statement = link().statement();
  std::u16string types = u"'TABLE','VIEW'";
  check(SQLTablesW(statement.get(), nullptr, 0, nullptr, 0, nullptr, 0, wide(types), wideLength(types)), statement,
        "SQLTablesW");
  // TABLE_NAME is the third column of the rowset and TABLE_TYPE the fourth.
  std::vector<std::string> names;
  for (auto& row : readResultSet(statement).values) {
    const std::string type = row.at(3).value_or("");
    if (row.at(2) && (type == "TABLE" || type == "VIEW")) names.push_back(std::move(*row[2]));
  }
  return names;
}

std::vector<std::string> OdbcConnection::doColumnNames(const std::string& table) {
  Link& l = link();
  const Handle statement = l.statement();
  // The table argument is a pattern: its '_' and '%' are escaped to match only themselves.
  std::u16string pattern = escapedPattern(toUtf16(table), l.searchEscape);
  check(SQLColumnsW(statement.get(), nullptr, 0, nullptr, 0, wide(pattern), wideLength(pattern), nullptr, 0),
        statement, "SQLColumnsW");
  // A driver without an escape may match other tables through '_' or '%'; those rows go.
  const bool mayMatchOthers = l.searchEscape.empty() && table.find_first_of("_%") != std::string::npos;
  // TABLE_NAME is the third column of the rowset and COLUMN_NAME the fourth.
  std::vector<std::string> names;
  for (auto& row : readResultSet(statement).values) {
    if (mayMatchOthers && !equalsAsciiNoCase(row.at(2).value_or(""), table)) continue;
    if (row.at(3)) names.push_back(std::move(*row[3]));
  }
  return names;
}

namespace {

// Runs a batch with its named parameters bound, then hands what it returned to `walk`.
template <typename Walk>
void runBound(const Handle& statement, const std::string& batch, const Params& params, Walk&& walk) {
  const MarkedBatch marked = markParameters(batch);
  // Bound buffers must stay where they are until the batch has run.
  std::vector<std::u16string> values;
  values.reserve(marked.names.size());
  std::vector<SQLLEN> lengths(marked.names.size());
  for (size_t i = 0; i < marked.names.size(); ++i) {
    const auto value = params.find(marked.names[i]);
    if (value == params.end())
      throw Error::provider("The query's parameter :" + marked.names[i] + " has no value.", 0, "07002");
    std::u16string& text = values.emplace_back(toUtf16(value->second));
    lengths[i] = static_cast<SQLLEN>(text.size() * sizeof(char16_t));
    const SQLSMALLINT type = text.size() > kLongestShortText ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
    check(SQLBindParameter(statement.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_WCHAR, type,
                           std::max<SQLULEN>(text.size(), 1), 0, wide(text), lengths[i], &lengths[i]),
          statement, "SQLBindParameter");
  }
  std::u16string sql = toUtf16(marked.text);
  walk(SQLExecDirectW(statement.get(), wide(sql), wideLength(sql)));
}

}  // namespace

Rows OdbcConnection::doQuery(const std::string& batch, const Params& params, QueryMode mode) {
  const Handle statement = link().statement();
  Rows rows;
  runBound(statement, batch, params,
           [&](SQLRETURN rc) { finishBatch(statement, rc, mode == QueryMode::Open ? &rows : nullptr); });
  return rows;
}

void OdbcConnection::doRun(const std::string& batch, const Params& params, Results& results) {
  const Handle statement = link().statement();
  runBound(statement, batch, params, [&](SQLRETURN rc) { collectBatch(statement, rc, results); });
}

}  // namespace db::odbc
