#include "app/ConnectionText.h"

#include <optional>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/Secrets.h"
#include "db/Text.h"

namespace app {

namespace {

// The value of the last Initial Catalog keyword, as a view into the text.
std::optional<std::string_view> initialCatalogSpan(std::string_view connectionString) {
  std::optional<std::string_view> value;
  for (const db::KeywordSpan& span : db::keywordSpans(connectionString))
    if (db::equalsAsciiNoCase(span.keyword, "Initial Catalog")) value = span.value;
  return value;
}

}  // namespace

void requireUtf8(std::string_view text, const std::string& what) {
  if (auto bad = db::firstNonUtf8Byte(text))
    throw db::Error(kNotUtf8Class, what + " is not valid UTF-8 (byte " + std::to_string(*bad + 1) + " of " +
                                       std::to_string(text.size()) + "). Save it as UTF-8 and try again.");
}

void requireConnectionValue(std::string_view text, size_t maxLength, const std::string& what) {
  requireUtf8(text, what);
  requireConnectionStringSafe(text, what);
  if (const size_t length = db::utf16Length(text); length > maxLength)
    throw db::Error(kUnsafeTextClass, what + " is " + std::to_string(length) + " characters long; SQL Server accepts " +
                                          std::to_string(maxLength) + " at most. Shorten it.");
}

void requireConnectionStringSafe(std::string_view text, const std::string& what) {
  size_t bad = text.find_first_of(";=");
  if (bad == std::string_view::npos) return;
  throw db::Error(kUnsafeTextClass, what + " \"" + std::string(text) + "\" contains '" + text[bad] +
                                        "', which would change the connection string's keywords. Remove every "
                                        "';' and '=' from it.");
}

std::string withInitialCatalog(std::string_view connectionString, std::string_view catalog) {
  std::string text(connectionString);
  if (auto value = initialCatalogSpan(connectionString))
    return text.replace(static_cast<size_t>(value->data() - connectionString.data()), value->size(), catalog);
  if (!text.empty() && text.back() != ';') text += ';';
  return text + "Initial Catalog=" + std::string(catalog);
}

std::string initialCatalogOf(std::string_view connectionString) {
  auto value = initialCatalogSpan(connectionString);
  return value ? db::unquotedValue(*value) : std::string();
}

}  // namespace app
