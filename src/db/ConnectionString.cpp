#include "db/ConnectionString.h"

#include <algorithm>

namespace db {

namespace {

// Where a value starting at `from` ends: past its closing quote or brace (then at the next
// ';'), or at the next ';'. An unclosed quote or brace runs to the end of the text.
size_t valueEnd(std::string_view text, size_t from) {
  size_t i = from;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < text.size() && (text[i] == '{' || text[i] == '"' || text[i] == '\'')) {
    const char close = text[i] == '{' ? '}' : text[i];
    size_t j = i + 1;
    for (; j < text.size(); ++j) {
      if (text[j] != close) continue;
      if (close == '}' && j + 1 < text.size() && text[j + 1] == '}') {
        ++j;
        continue;
      }
      break;
    }
    if (j >= text.size()) return text.size();
    i = j + 1;
  }
  const size_t semi = text.find(';', i);
  return semi == std::string_view::npos ? text.size() : semi;
}

}  // namespace

std::vector<KeywordSpan> keywordSpans(std::string_view text) {
  std::vector<KeywordSpan> spans;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t eq = text.find('=', pos);
    const size_t semi = text.find(';', pos);
    if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
      if (semi == std::string_view::npos) break;
      pos = semi + 1;
      continue;
    }
    const size_t end = valueEnd(text, eq + 1);
    const std::string_view keyword = trimBlanks(text.substr(pos, eq - pos));
    if (!keyword.empty()) spans.push_back({keyword, text.substr(eq + 1, end - eq - 1)});
    pos = end + 1;
  }
  return spans;
}

std::string unquotedValue(std::string_view value) {
  const std::string_view v = trimBlanks(value);
  if (v.size() >= 2 && v.front() == '{' && v.back() == '}') {
    std::string out;
    const std::string_view inner = v.substr(1, v.size() - 2);
    for (size_t i = 0; i < inner.size(); ++i) {
      out += inner[i];
      if (inner[i] == '}' && i + 1 < inner.size() && inner[i + 1] == '}') ++i;
    }
    return out;
  }
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return std::string(v.substr(1, v.size() - 2));
  return std::string(v);
}

ConnectionString ConnectionString::parse(std::string_view text) {
  ConnectionString cs;
  for (const KeywordSpan& span : keywordSpans(text)) {
    const std::string_view v = trimBlanks(span.value);
    const bool quoted = v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    cs.pairs_.push_back({std::string(span.keyword), std::string(quoted ? v.substr(1, v.size() - 2) : span.value)});
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
