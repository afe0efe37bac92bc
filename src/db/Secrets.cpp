#include "db/Secrets.h"

#include "db/ConnectionString.h"

namespace db {

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
