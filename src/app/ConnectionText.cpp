#include "app/ConnectionText.h"

#include <vector>

#include "db/ConnectionString.h"
#include "db/Error.h"

namespace app {

namespace {

// One "keyword=value" segment of a connection string, as positions in the text.
struct Segment {
  std::string_view keyword;  // surrounding blanks removed
  size_t valueBegin;         // just after '=' (npos when the segment has no '=')
  size_t end;                // the ';' that ends it, or the text's end
};

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<Segment> segmentsOf(std::string_view text) {
  std::vector<Segment> segments;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = text.find(';', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view part = text.substr(begin, end - begin);
    size_t eq = part.find('=');
    if (eq != std::string_view::npos)
      segments.push_back({trimBlanks(part.substr(0, eq)), begin + eq + 1, end});
    begin = end + 1;
  }
  return segments;
}

bool isPasswordKeyword(std::string_view keyword) {
  for (std::string_view k : {"Password", "Pwd", "Jet OLEDB:Database Password"})
    if (db::equalsAsciiNoCase(keyword, k)) return true;
  return false;
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
  const std::vector<Segment> segments = segmentsOf(connectionString);
  const Segment* last = nullptr;
  for (const Segment& s : segments)
    if (db::equalsAsciiNoCase(s.keyword, "Initial Catalog")) last = &s;
  if (last) return text.replace(last->valueBegin, last->end - last->valueBegin, catalog);
  if (!text.empty() && text.back() != ';') text += ';';
  return text + "Initial Catalog=" + std::string(catalog);
}

std::string initialCatalogOf(std::string_view connectionString) {
  std::string catalog;
  for (const Segment& s : segmentsOf(connectionString))
    if (db::equalsAsciiNoCase(s.keyword, "Initial Catalog"))
      catalog = connectionString.substr(s.valueBegin, s.end - s.valueBegin);
  return catalog;
}

std::string maskPasswords(std::string_view connectionString) {
  std::string masked;
  size_t copied = 0;
  for (const Segment& s : segmentsOf(connectionString)) {
    if (!isPasswordKeyword(s.keyword)) continue;
    masked.append(connectionString.substr(copied, s.valueBegin - copied));
    masked.append("****");
    copied = s.end;
  }
  masked.append(connectionString.substr(copied));
  return masked;
}

}  // namespace app
