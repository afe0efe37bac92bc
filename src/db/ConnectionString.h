#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Text.h"

namespace db {

// One keyword=value pair of an ADO or ODBC connection string, as views into the text.
// `keyword` is without its surrounding blanks; `value` is everything after '=' up to the
// ';' that ends the pair, as written: an ADO value may be quoted ("..." or '...') and an
// ODBC value braced ({...}, with "}}" for '}'), and then holds ';'. A segment without '='
// is no pair.
struct KeywordSpan {
  std::string_view keyword;
  std::string_view value;
};
std::vector<KeywordSpan> keywordSpans(std::string_view connectionString);

// The value without its quotes or braces (an escaped "}}" becoming '}') and, when it was
// neither quoted nor braced, without surrounding blanks.
std::string unquotedValue(std::string_view value);

// An ADO connection string parsed into keyword=value pairs. Keywords are matched without
// regard to letter case and without their surrounding blanks; values are kept byte for byte,
// but for the quotes of a quoted value.
class ConnectionString {
 public:
  struct Pair {
    std::string keyword;  // as written, surrounding blanks removed
    std::string value;    // byte for byte (quotes removed when quoted)
  };

  ConnectionString() = default;
  static ConnectionString parse(std::string_view text);

  // The value of the last occurrence of `keyword`, if any.
  std::optional<std::string> get(std::string_view keyword) const;
  std::string getOr(std::string_view keyword, std::string fallback) const;
  bool has(std::string_view keyword) const { return get(keyword).has_value(); }

  const std::vector<Pair>& pairs() const { return pairs_; }

 private:
  std::vector<Pair> pairs_;
};

// Which kind of database a connection string addresses.
enum class ProviderKind {
  SqlServer,  // SQLOLEDB (or no provider named: the connection's preset provider)
  Jet,        // Microsoft.Jet.OLEDB.4.0: an Access file
  Other,      // a provider this program does not know
};

ProviderKind providerKind(const ConnectionString& cs);

}  // namespace db
