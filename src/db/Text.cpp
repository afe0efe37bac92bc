#include "db/Text.h"

namespace db {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = foldAscii(c);
  return out;
}

bool equalsAsciiNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

std::optional<Utf8Char> utf8CharAt(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length;
  char32_t c;
  if (lead < 0x80) return Utf8Char{lead, 1};
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) return std::nullopt;
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    c = (c << 6) | (next & 0x3F);
  }
  if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF))
    return std::nullopt;
  return Utf8Char{c, length};
}

std::optional<size_t> firstNonUtf8Byte(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = utf8CharAt(text, i);
    if (!c) return i;
    i += c->length;
  }
  return std::nullopt;
}

size_t utf16Length(std::string_view utf8) {
  size_t units = 0;
  for (size_t i = 0; i < utf8.size();) {
    const auto c = utf8CharAt(utf8, i);
    if (!c) return units + (utf8.size() - i);  // not UTF-8 from here: a unit a byte
    units += c->codePoint >= 0x10000 ? 2 : 1;
    i += c->length;
  }
  return units;
}

}  // namespace db
