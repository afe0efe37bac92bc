#pragma once

// ODBC handles owned by RAII objects, and driver diagnostics turned into db::Error. Only the
// provider's own sources include this header (and with it the ODBC headers).

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "db/Error.h"

namespace db::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's SQLWCHAR is a UTF-16 unit");

inline SQLWCHAR* wide(std::u16string& text) { return reinterpret_cast<SQLWCHAR*>(text.data()); }
inline SQLINTEGER wideLength(const std::u16string& text) { return static_cast<SQLINTEGER>(text.size()); }

// The text a call wrote into `buffer`, given the length it reported. unixODBC reports the
// length of text it converted for a driver without wide-character entry points in that
// driver's bytes rather than in UTF-16 units; the terminator it writes is what counts then.
inline std::u16string_view writtenText(const std::u16string& buffer, size_t reportedLength) {
  const std::u16string_view text(buffer.data(), std::min(reportedLength, buffer.size()));
  return text.substr(0, text.find(u'\0'));
}

// One allocated ODBC handle, freed when the object goes. Allocation failures throw db::Error.
class Handle {
 public:
  Handle(SQLSMALLINT type, SQLHANDLE parent);
  ~Handle();
  Handle(Handle&& other) noexcept;
  Handle& operator=(Handle&&) = delete;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE handle_ = nullptr;
};

// One diagnostic record of the last call on a handle.
struct DiagnosticRecord {
  std::string state;  // SQLSTATE
  SQLINTEGER native = 0;
  std::string message;
  bool warning() const { return state.rfind("01", 0) == 0; }  // class 01: PRINT output, say
};
std::vector<DiagnosticRecord> diagnosticRecords(const Handle& handle);

// The diagnostic records of a failed call as a provider error: the messages of the records, one
// a line, exactly as the driver wrote them, and the native error and SQLSTATE of the first.
// Warnings (class 01) count only when there is nothing else. `what` names the call for the
// rare failure that leaves no record.
Error diagnose(const Handle& handle, SQLRETURN rc, std::string_view what);

// Throws diagnose(...) unless rc is SQL_SUCCESS or SQL_SUCCESS_WITH_INFO.
void check(SQLRETURN rc, const Handle& handle, std::string_view what);

}  // namespace db::odbc
