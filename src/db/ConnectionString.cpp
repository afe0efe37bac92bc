#include "db/ConnectionString.h"

#include <algorithm>

namespace db {

ConnectionString ConnectionString::parse(std::string_view text) {
  ConnectionString cs;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t eq = text.find('=', pos);
    const size_t semi = text.find(';', pos);
    if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
      // A segment without '=' carries no keyword; skip it.
      if (semi == std::string_view::npos) break;
      pos = semi + 1;
      continue;
    }
    Pair pair;
    pair.keyword = std::string(trimBlanks(text.substr(pos, eq - pos)));
    size_t valueStart = eq + 1;
    // A quoted value runs to its closing quote and may hold ';'.
    size_t firstNonBlank = valueStart;
    while (firstNonBlank < text.size() && text[firstNonBlank] == ' ') ++firstNonBlank;
    if (firstNonBlank < text.size() && (text[firstNonBlank] == '"' || text[firstNonBlank] == '\'')) {
      const char quote = text[firstNonBlank];
      const size_t close = text.find(quote, firstNonBlank + 1);
      if (close != std::string_view::npos) {
        pair.value = std::string(text.substr(firstNonBlank + 1, close - firstNonBlank - 1));
        const size_t next = text.find(';', close);
        pos = next == std::string_view::npos ? text.size() : next + 1;
        if (!pair.keyword.empty()) cs.pairs_.push_back(std::move(pair));
        continue;
      }
    }
    const size_t end = text.find(';', valueStart);
    pair.value = std::string(text.substr(valueStart, (end == std::string_view::npos ? text.size() : end) - valueStart));
    pos = end == std::string_view::npos ? text.size() : end + 1;
    if (!pair.keyword.empty()) cs.pairs_.push_back(std::move(pair));
  }
  return cs;
}

std::optional<std::string> ConnectionString::get(std::string_view keyword) const {
  const std::string_view wanted = trimBlanks(keyword);
  for (auto it = pairs_.rbegin(); it != pairs_.rend(); ++it)
    if (equalsAsciiNoCase(it->keyword, wanted)) return it->value;
  return std::nullopt;
}

std::string ConnectionString::getOr(std::string_view keyword, std::string fallback) const {
  auto v = get(keyword);
  return v ? *v : std::move(fallback);
}

ProviderKind providerKind(const ConnectionString& cs) {
  const auto provider = cs.get("Provider");
  // Values are kept as written, but blanks around a provider name do not change the provider.
  const std::string p = provider ? asciiLower(trimBlanks(*provider)) : std::string();
  if (p.empty()) return ProviderKind::SqlServer;
  if (p.rfind("sqloledb", 0) == 0) return ProviderKind::SqlServer;
  if (p.rfind("microsoft.jet.oledb", 0) == 0) return ProviderKind::Jet;
  return ProviderKind::Other;
}

}  // namespace db
