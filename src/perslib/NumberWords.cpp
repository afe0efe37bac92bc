#include "perslib/NumberWords.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace perslib {
namespace {

// The kaf of "يك" and "يكصد" is the Arabic kaf (U+0643) and every yeh the Arabic yeh
// (U+064A): stored texts are compared with these words character for character.
constexpr std::array<std::string_view, 20> kBelowTwenty = {
    "صفر", "يك",    "دو",     "سه",    "چهار",   "پنج",    "شش",     "هفت",  "هشت",  "نه",
    "ده",  "يازده", "دوازده", "سيزده", "چهارده", "پانزده", "شانزده", "هفده", "هجده", "نوزده"};
constexpr std::array<std::string_view, 10> kTens = {"",     "",      "بيست",  "سي",     "چهل",
                                                    "پنجاه", "شصت", "هفتاد", "هشتاد", "نود"};
constexpr std::array<std::string_view, 10> kHundreds = {"",      "يكصد",  "دويست",  "سيصد",  "چهارصد",
                                                        "پانصد", "ششصد", "هفتصد", "هشتصد", "نهصد"};

// Between a word and the lower part it is followed by: "بيست" + " و " + "يك".
constexpr std::string_view kJoiner = " و ";

struct Scale {
  std::uint64_t unit;
  std::string_view word;
};
constexpr std::array<Scale, 4> kScales = {{
    {1'000, " هزار"},
    {1'000'000, " ميليون"},
    {1'000'000'000, " ميليارد"},
    {1'000'000'000'000, " تريليون"},
}};

// Exclusive upper bounds of the levels: below ten, a hundred, a thousand, then each scale.
constexpr std::uint64_t kBelowTen = 10;
constexpr std::uint64_t kBelowHundred = 100;
constexpr std::uint64_t kBelowThousand = 1'000;
constexpr std::uint64_t kUpperBound = 1'000'000'000'000'000;

std::string WordsBelowThousand(std::uint64_t value) {
  if (value < 20) return std::string(kBelowTwenty[value]);
  const std::uint64_t unit = value < 100 ? 10 : 100;
  std::string words(unit == 10 ? kTens[value / 10] : kHundreds[value / 100]);
  if (const std::uint64_t rest = value % unit; rest != 0) words += std::string(kJoiner) + WordsBelowThousand(rest);
  return words;
}

// Words for a value below 1000 times the largest of the first `scaleCount` scales.
std::string WordsWithScales(std::uint64_t value, std::size_t scaleCount) {
  if (scaleCount == 0) return WordsBelowThousand(value);
  const Scale& scale = kScales[scaleCount - 1];
  const std::uint64_t high = value / scale.unit;
  const std::uint64_t low = value % scale.unit;
  if (high == 0) return WordsWithScales(low, scaleCount - 1);
  std::string words = WordsBelowThousand(high) + std::string(scale.word);
  if (low != 0) words += std::string(kJoiner) + WordsWithScales(low, scaleCount - 1);
  return words;
}

std::string LevelWords(Currency amount, std::uint64_t bound, std::size_t scaleCount) {
  const std::int64_t whole = amount.wholeValue();
  if (whole < 0 || static_cast<std::uint64_t>(whole) >= bound) return {};
  return WordsWithScales(static_cast<std::uint64_t>(whole), scaleCount);
}

}  // namespace

std::string DigToStr(Currency amount) {
  const std::int64_t whole = amount.roundedToWhole();
  if (whole < 0 || static_cast<std::uint64_t>(whole) >= kUpperBound) return {};
  return WordsWithScales(static_cast<std::uint64_t>(whole), kScales.size());
}

std::string DigToStr9(Currency amount) { return LevelWords(amount, kBelowTen, 0); }
std::string DigToStr99(Currency amount) { return LevelWords(amount, kBelowHundred, 0); }
std::string DigToStr999(Currency amount) { return LevelWords(amount, kBelowThousand, 0); }
std::string DigToStrThousand(Currency amount) { return LevelWords(amount, kScales[0].unit * 1000, 1); }
std::string DigToStrMillion(Currency amount) { return LevelWords(amount, kScales[1].unit * 1000, 2); }
std::string DigToStrBillion(Currency amount) { return LevelWords(amount, kScales[2].unit * 1000, 3); }
std::string DigToStrTrillion(Currency amount) { return LevelWords(amount, kUpperBound, 4); }

}  // namespace perslib
