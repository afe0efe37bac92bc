#include "db/embedded/types/Collation.h"

#include <vector>

#include "db/embedded/types/Unicode.h"

namespace db::embedded::types {

namespace {

std::u32string folded(std::string_view text) {
  std::u32string s = decodeUtf8(text);
  for (char32_t& c : s) c = toLower(c);
  return s;
}

// One step of a LIKE pattern: any run (%), or one character that a test accepts.
struct PatternStep {
  enum Kind { AnyRun, OneOf } kind = OneOf;
  bool negated = false;
  std::vector<std::pair<char32_t, char32_t>> ranges;  // empty with !negated: any character (_)
  bool anyCharacter = false;

  bool accepts(char32_t c) const {
    if (anyCharacter) return true;
    bool in = false;
    for (const auto& [low, high] : ranges) in = in || (c >= low && c <= high);
    return in != negated;
  }
};

std::vector<PatternStep> compile(std::string_view pattern, std::optional<char32_t> escape) {
  const std::u32string p = folded(pattern);
  const char32_t escapeChar = escape ? toLower(*escape) : 0;
  std::vector<PatternStep> steps;
  for (size_t i = 0; i < p.size(); ++i) {
    const char32_t c = p[i];
    PatternStep step;
    if (escape && c == escapeChar && i + 1 < p.size()) {
      ++i;
      step.ranges.push_back({p[i], p[i]});
    } else if (c == U'%') {
      if (!steps.empty() && steps.back().kind == PatternStep::AnyRun) continue;
      step.kind = PatternStep::AnyRun;
    } else if (c == U'_') {
      step.anyCharacter = true;
    } else if (c == U'[' && p.find(U']', i + 1) != std::u32string::npos) {
      size_t j = i + 1;
      if (p[j] == U'^') {
        step.negated = true;
        ++j;
      }
      // A ']' right after the opening bracket is a member, not the end.
      const size_t close = p.find(U']', j == p.size() ? j : j + 1);
      if (close == std::u32string::npos) {
        step.ranges.push_back({c, c});
      } else {
        for (; j < close; ++j) {
          if (j + 2 < close && p[j + 1] == U'-') {
            step.ranges.push_back({p[j], p[j + 2]});
            j += 2;
          } else {
            step.ranges.push_back({p[j], p[j]});
          }
        }
        i = close;
      }
    } else {
      step.ranges.push_back({c, c});
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

// Whether the steps match the whole of `text`: the wildcard walk that goes back to the last
// % on a mismatch, linear in the text for each %.
bool matchesWhole(const std::vector<PatternStep>& steps, std::u32string_view text) {
  size_t t = 0, s = 0;
  size_t starStep = std::u32string::npos, starText = 0;
  while (t < text.size()) {
    if (s < steps.size() && steps[s].kind == PatternStep::AnyRun) {
      starStep = s++;
      starText = t;
    } else if (s < steps.size() && steps[s].accepts(text[t])) {
      ++s;
      ++t;
    } else if (starStep != std::u32string::npos) {
      s = starStep + 1;
      t = ++starText;
    } else {
      return false;
    }
  }
  while (s < steps.size() && steps[s].kind == PatternStep::AnyRun) ++s;
  return s == steps.size();
}

}  // namespace

std::string sortKey(std::string_view text) {
  std::u32string s = folded(text);
  while (!s.empty() && s.back() == U' ') s.pop_back();
  return encodeUtf8(s);
}

int compareText(std::string_view left, std::string_view right) {
  const int c = sortKey(left).compare(sortKey(right));
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool like(std::string_view text, std::string_view pattern, std::optional<char32_t> escape) {
  const std::vector<PatternStep> steps = compile(pattern, escape);
  const std::u32string t = folded(text);
  size_t trimmed = t.size();
  while (trimmed > 0 && t[trimmed - 1] == U' ') --trimmed;
  for (size_t end = t.size() + 1; end-- > trimmed;)
    if (matchesWhole(steps, std::u32string_view(t).substr(0, end))) return true;
  return false;
}

int patternIndex(std::string_view pattern, std::string_view text) {
  std::vector<PatternStep> steps = compile(pattern, std::nullopt);
  const std::u32string t = folded(text);
  if (steps.empty() || steps.front().kind != PatternStep::AnyRun) return matchesWhole(steps, t) ? 1 : 0;
  steps.erase(steps.begin());
  for (size_t start = 0; start <= t.size(); ++start)
    if (matchesWhole(steps, std::u32string_view(t).substr(start))) return static_cast<int>(start) + 1;
  return 0;
}

}  // namespace db::embedded::types
