#include "db/Secrets.h"

#include "db/ConnectionString.h"
#include "db/Text.h"

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

bool isSecretKeyword(std::string_view keyword) {
  const std::string k = asciiLower(keyword);
  constexpr std::string_view suffix = "password";
  return k == "pwd" || (k.size() >= suffix.size() && k.compare(k.size() - suffix.size(), suffix.size(), suffix) == 0);
}

std::string maskSecrets(std::string_view text) {
  std::string masked;
  size_t copied = 0;
  for (const KeywordSpan& span : keywordSpans(text)) {
    if (!isSecretKeyword(span.keyword)) continue;
    const size_t begin = static_cast<size_t>(span.value.data() - text.data());
    masked.append(text.substr(copied, begin - copied));
    masked.append("****");
    copied = begin + span.value.size();
  }
  masked.append(text.substr(copied));
  return masked;
}

}  // namespace db
