#include "app/ConnectionText.h"

#include <optional>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/Secrets.h"

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
