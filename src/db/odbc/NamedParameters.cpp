#include "db/odbc/NamedParameters.h"

namespace db::odbc {

namespace {

bool nameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool nameChar(char c) { return nameStart(c) || (c >= '0' && c <= '9'); }

// The position just past a quoted run starting at `at` and closed by `close`; a doubled
// closing character stays inside. An unclosed run reaches the end.
size_t pastQuoted(std::string_view s, size_t at, char close) {
  for (size_t i = at + 1; i < s.size(); ++i) {
    if (s[i] != close) continue;
    if (i + 1 < s.size() && s[i + 1] == close) {
      ++i;
      continue;
    }
    return i + 1;
  }
  return s.size();
}

size_t pastSkipped(std::string_view s, size_t at) {
  switch (s[at]) {
    case '\'': return pastQuoted(s, at, '\'');
    case '"': return pastQuoted(s, at, '"');
    case '[': return pastQuoted(s, at, ']');
    case '-':
      if (at + 1 < s.size() && s[at + 1] == '-') {
        const size_t eol = s.find('\n', at);
        return eol == std::string_view::npos ? s.size() : eol;
      }
      return at;
    case '/':
      if (at + 1 < s.size() && s[at + 1] == '*') {
        const size_t close = s.find("*/", at + 2);
        return close == std::string_view::npos ? s.size() : close + 2;
      }
      return at;
    default: return at;
  }
}

}  // namespace

MarkedBatch markParameters(std::string_view batch) {
  MarkedBatch marked;
  marked.text.reserve(batch.size());
  size_t i = 0;
  while (i < batch.size()) {
    if (const size_t past = pastSkipped(batch, i); past != i) {
      marked.text.append(batch.substr(i, past - i));
      i = past;
      continue;
    }
    const char c = batch[i];
    const bool afterName = i > 0 && (nameChar(batch[i - 1]) || batch[i - 1] == ':');
    if (c == ':' && !afterName && i + 1 < batch.size() && nameStart(batch[i + 1])) {
      size_t end = i + 1;
      while (end < batch.size() && nameChar(batch[end])) ++end;
      marked.names.emplace_back(batch.substr(i + 1, end - i - 1));
      marked.text += '?';
      i = end;
      continue;
    }
    marked.text += c;
    ++i;
  }
  return marked;
}

}  // namespace db::odbc
