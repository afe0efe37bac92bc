#include "db/embedded/types/Unicode.h"

namespace db::embedded::types {

std::u32string decodeUtf8(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    char32_t c = extra == 0 ? lead : extra == 1 ? lead & 0x1F : extra == 2 ? lead & 0x0F : lead & 0x07;
    bool valid = extra >= 0 && i + static_cast<size_t>(extra) < utf8.size();
    for (int k = 1; valid && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((next & 0xC0) != 0x80) valid = false;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out.push_back(U'\uFFFD');
      ++i;
      continue;
    }
    out.push_back(c);
    i += static_cast<size_t>(extra) + 1;
  }
  return out;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string encodeUtf8(std::u32string_view codePoints) {
  std::string out;
  out.reserve(codePoints.size());
  for (char32_t c : codePoints) appendUtf8(out, c);
  return out;
}

namespace {

// A range of capitals whose small letters lie `offset` code points further on, every `step`
// code points (step 2 for the alternating pairs of Latin Extended-A and Cyrillic).
struct CaseRange {
  char32_t firstUpper;
  char32_t lastUpper;
  int offset;
  int step;
};

constexpr CaseRange kCaseRanges[] = {
    {0x0041, 0x005A, 32, 1},    // Basic Latin
    {0x00C0, 0x00D6, 32, 1},    // Latin-1, before the multiplication sign
    {0x00D8, 0x00DE, 32, 1},    // Latin-1, after it
    {0x0100, 0x012F, 1, 2},     // Latin Extended-A
    {0x0132, 0x0137, 1, 2},
    {0x0139, 0x0148, 1, 2},
    {0x014A, 0x0177, 1, 2},
    {0x0179, 0x017E, 1, 2},
    {0x0391, 0x03A1, 32, 1},    // Greek
    {0x03A3, 0x03AB, 32, 1},
    {0x0400, 0x040F, 80, 1},    // Cyrillic
    {0x0410, 0x042F, 32, 1},
    {0x0460, 0x0481, 1, 2},
    {0x048A, 0x04BF, 1, 2},
    {0x04D0, 0x052F, 1, 2},
    {0x0531, 0x0556, 48, 1},    // Armenian
    {0x1E00, 0x1E95, 1, 2},     // Latin Extended Additional
    {0x1EA0, 0x1EFF, 1, 2},
    {0xFF21, 0xFF3A, 32, 1},    // fullwidth Latin
};

}  // namespace

char32_t toLower(char32_t c) {
  for (const CaseRange& r : kCaseRanges)
    if (c >= r.firstUpper && c <= r.lastUpper && (c - r.firstUpper) % static_cast<char32_t>(r.step) == 0)
      return c + static_cast<char32_t>(r.offset);
  if (c == 0x0178) return 0x00FF;  // Y with diaeresis
  return c;
}

char32_t toUpper(char32_t c) {
  for (const CaseRange& r : kCaseRanges) {
    const char32_t offset = static_cast<char32_t>(r.offset);
    if (c >= r.firstUpper + offset && c <= r.lastUpper + offset &&
        (c - offset - r.firstUpper) % static_cast<char32_t>(r.step) == 0)
      return c - offset;
  }
  if (c == 0x00FF) return 0x0178;
  if (c == 0x03C2) return 0x03A3;  // final sigma
  return c;
}

}  // namespace db::embedded::types
