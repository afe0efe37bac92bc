#pragma once

#include <string>
#include <string_view>
#include <vector>

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

// Password, PWD, Jet OLEDB:Database Password and the other "... Password" keywords.
bool isSecretKeyword(std::string_view keyword);

// The connection string with every secret value written as "****" and everything else
// kept byte for byte: what logs, reports and messages may show.
std::string maskSecrets(std::string_view connectionString);

}  // namespace db
