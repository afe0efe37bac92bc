#include "app/Sequences.h"

#include <algorithm>
#include <sstream>

#include "appdata_embedded.h"

namespace app {

namespace {

constexpr std::string_view kSequenceFile = "sequences.txt";

std::vector<std::string> words(std::string_view line) {
  std::vector<std::string> result;
  std::istringstream in{std::string(line)};
  for (std::string word; in >> word;) result.push_back(word);
  return result;
}

}  // namespace

bool ProductSequence::matches(std::string_view productCode) const {
  return std::find(codes.begin(), codes.end(), productCode) != codes.end();
}

std::vector<std::string> ProductSequence::stepNames() const {
  std::vector<std::string> names;
  for (const SequenceItem& item : items)
    if (item.kind == SequenceItem::Kind::Step) names.push_back(item.name);
  return names;
}

std::vector<ProductSequence> parseSequences(std::string_view text, std::string_view fileName) {
  std::vector<ProductSequence> sequences;
  int lineNumber = 0;
  auto fail = [&](const std::string& why) -> SequenceFileError {
    return SequenceFileError(std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + why);
  };
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    const std::vector<std::string> w = words(line);
    if (w.empty() || w[0].starts_with('#')) continue;
    const std::string& keyword = w[0];
    if (keyword == "branch") {
      if (w.size() < 2) throw fail("a branch names at least one product code");
      sequences.push_back({{w.begin() + 1, w.end()}, {}});
      continue;
    }
    if (sequences.empty()) throw fail("\"" + keyword + "\" before the first branch");
    auto& items = sequences.back().items;
    auto add = [&](SequenceItem::Kind kind, std::string name = {}) -> SequenceItem& {
      SequenceItem& item = items.emplace_back();
      item.kind = kind;
      item.name = std::move(name);
      return item;
    };
    if (keyword == "step" && w.size() == 2) {
      add(SequenceItem::Kind::Step, w[1]);
    } else if (keyword == "step" && w.size() == 4 && w[2] == "if" && w[3] == "autonum") {
      add(SequenceItem::Kind::Step, w[1]).onlyWithAutonum = true;
    } else if (keyword == "reconnect" && w.size() == 1) {
      add(SequenceItem::Kind::Reconnect);
    } else if (keyword == "reconnect" && w.size() == 3 && w[1] == "unless" && w[2] == "web") {
      add(SequenceItem::Kind::Reconnect).skippedWhenWeb = true;
    } else if (keyword == "drop-table" && w.size() == 2) {
      add(SequenceItem::Kind::DropTable, w[1]);
    } else if (keyword == "drop-table" && w.size() == 4 && w[2] == "if-older-than") {
      add(SequenceItem::Kind::DropTable, w[1]).unlessLayoutOf = w[3];
    } else if (keyword == "open-assistant" && w.size() == 1) {
      add(SequenceItem::Kind::OpenAssistant);
    } else {
      throw fail("cannot read \"" + line + "\"");
    }
  }
  return sequences;
}

const std::vector<ProductSequence>& productSequences() {
  static const std::vector<ProductSequence> sequences =
      parseSequences(*appdata::embeddedFile(kSequenceFile), kSequenceFile);
  return sequences;
}

const ProductSequence* sequenceFor(std::string_view productCode) {
  for (const ProductSequence& sequence : productSequences())
    if (sequence.matches(productCode)) return &sequence;
  return nullptr;
}

}  // namespace app
