#include "db/odbc/Handles.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "db/odbc/Utf16.h"

namespace db::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
  const SQLRETURN rc = SQLAllocHandle(type, parent, &handle_);
  if (SQL_SUCCEEDED(rc)) return;
  handle_ = nullptr;
  const char* kind = type == SQL_HANDLE_ENV ? "an environment" : type == SQL_HANDLE_DBC ? "a connection" : "a statement";
  throw Error::provider("The ODBC driver manager could not allocate " + std::string(kind) +
                        " handle (return code " + std::to_string(rc) + "); check that unixODBC is installed.");
}

Handle::~Handle() {
  if (handle_ != nullptr) SQLFreeHandle(type_, handle_);
}

Handle::Handle(Handle&& other) noexcept : type_(other.type_), handle_(std::exchange(other.handle_, nullptr)) {}

std::vector<DiagnosticRecord> diagnosticRecords(const Handle& handle) {
  std::vector<DiagnosticRecord> records;
  for (SQLSMALLINT number = 1;; ++number) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    std::u16string text(512, u'\0');
    SQLSMALLINT length = 0;
    SQLRETURN r = SQLGetDiagRecW(handle.type(), handle.get(), number, state, &native, wide(text),
                                 static_cast<SQLSMALLINT>(text.size()), &length);
    if (r == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
      text.assign(static_cast<size_t>(length) + 1, u'\0');
      r = SQLGetDiagRecW(handle.type(), handle.get(), number, state, &native, wide(text),
                         static_cast<SQLSMALLINT>(text.size()), &length);
    }
    if (!SQL_SUCCEEDED(r)) break;
    const std::u16string_view stateText(reinterpret_cast<const char16_t*>(state), 5);
    records.push_back({toUtf8(stateText.substr(0, stateText.find(u'\0'))), native,
                       toUtf8(writtenText(text, static_cast<size_t>(length)))});
  }
  return records;
}

Error diagnose(const Handle& handle, SQLRETURN rc, std::string_view what) {
  using Record = DiagnosticRecord;
  const std::vector<Record> records = diagnosticRecords(handle);
  // Warnings (class 01, such as a server's PRINT output) are left out when an error is there.
  const bool anyError = std::any_of(records.begin(), records.end(), [](const Record& r) { return !r.warning(); });
  std::string message;
  const Record* first = nullptr;
  const Record* previous = nullptr;
  for (const Record& record : records) {
    if (anyError && record.warning()) continue;
    if (!first) first = &record;
    // Some drivers (FreeTDS) repeat a record; once is enough.
    if (!previous || previous->message != record.message) {
      if (!message.empty()) message += '\n';
      message += record.message;
    }
    previous = &record;
  }
  if (!first)
    return Error::provider(std::string(what) + " failed with ODBC return code " + std::to_string(rc) +
                           " and the driver gave no diagnostic.");
  return Error::provider(std::move(message), static_cast<int>(first->native), first->state);
}

void check(SQLRETURN rc, const Handle& handle, std::string_view what) {
  if (!SQL_SUCCEEDED(rc)) throw diagnose(handle, rc, what);
}

}  // namespace db::odbc
