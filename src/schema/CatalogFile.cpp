#include "schema/CatalogFile.h"

#include <optional>
#include <tuple>
#include <utility>

#include "db/Text.h"

namespace schema {

namespace {

class Parser {
 public:
  explicit Parser(std::string_view fileName) : fileName_(fileName) {}

  std::vector<CatalogEntry> parse(std::string_view text) {
    forEachTrimmedLine(text, [this](std::string_view line) {
      ++line_;
      directive(line);
    });
    finish();
    return std::move(entries_);
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { failAt(line_, what); }
  [[noreturn]] void failAt(int line, const std::string& what) const {
    throw CatalogFileError(std::string(fileName_) + ":" + std::to_string(line) + ": " + what);
  }

  CatalogEntry& current() {
    if (!current_) fail("a step line must come first");
    return *current_;
  }

  std::pair<std::string, std::string> nameAndType(std::string_view rest) {
    const size_t bar = rest.find('|');
    if (bar == std::string_view::npos) fail("expected NAME | TYPE");
    std::string name(db::trimBlanks(rest.substr(0, bar)));
    std::string type(db::trimBlanks(rest.substr(bar + 1)));
    if (name.empty()) fail("empty name");
    return {std::move(name), std::move(type)};
  }

  std::string quoted(std::string_view rest) {
    std::optional<std::string> text = quotedText(rest);
    if (!text) fail(rest == "\"\"" ? "empty text" : "expected a text in double quotes");
    return std::move(*text);
  }

  static std::pair<std::string_view, std::string_view> splitWord(std::string_view line) {
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return {line, {}};
    return {line.substr(0, blank), db::trimBlanks(line.substr(blank + 1))};
  }

  static std::optional<StepStatement::Stage> stageNamed(std::string_view word) {
    if (word == "before-step") return StepStatement::Stage::BeforeStep;
    if (word == "before-create") return StepStatement::Stage::BeforeCreate;
    if (word == "after-ticks") return StepStatement::Stage::AfterTicks;
    return std::nullopt;
  }

  bool guardWaiting() const { return !pendingGuard_.empty() || pendingTableGuard_; }

  void addStatement(StepStatement::Channel channel, StepStatement::Stage stage, std::string text) {
    CatalogEntry& entry = current();
    StepStatement statement;
    statement.channel = channel;
    statement.stage = stage;
    statement.lines.push_back(std::move(text));
    statement.onlyWhenNoRows = std::exchange(pendingGuard_, {});
    statement.onlyWhenTableMissing = std::exchange(pendingTableGuard_, false);
    statement.place = stage == StepStatement::Stage::AmongColumns ? entry.columns.size() : 0;
    entry.statements.push_back(std::move(statement));
  }

  void directive(std::string_view line) {
    if (line.empty() || line.front() == '#') return;
    auto [word, rest] = splitWord(line);
    auto stage = StepStatement::Stage::AmongColumns;
    if (const auto named = stageNamed(word)) {
      stage = *named;
      std::tie(word, rest) = splitWord(rest);
      if (word != "command" && word != "query") fail("a stage must be followed by a command or a query");
    }
    const bool continuesQuery = queryOpen_;
    queryOpen_ = false;
    if (guardWaiting() && word != "command" && word != "query")
      fail("a guard (if-no-rows, if-table-missing) must be followed by a command or a query");

    if (word == "defaults") {
      static constexpr std::string_view kHint = "missing-column-hint ";
      if (rest == "extra-tick") defaultExtraTick_ = true;
      else if (rest == "no-extra-tick") defaultExtraTick_ = false;
      else if (rest.starts_with(kHint)) defaultMissingColumnHint_ = quoted(db::trimBlanks(rest.substr(kHint.size())));
      else fail("unknown default '" + std::string(rest) + "'");
    } else if (word == "step") {
      finish();
      if (rest.empty()) fail("step without a name");
      current_.emplace();
      stepLine_ = line_;
      current_->step = std::string(rest);
      current_->table = current_->step;
      current_->extraTick = defaultExtraTick_;
      current_->missingColumnHint = defaultMissingColumnHint_;
    } else if (word == "table") {
      if (rest.empty()) fail("table without a name");
      current().table = std::string(rest);
    } else if (word == "key") {
      if (sawKey_) fail("second key line");
      sawKey_ = true;
      if (!rest.empty()) {
        auto [name, type] = nameAndType(rest);
        current().keyColumn = std::move(name);
        current().keyType = std::move(type);
      }
    } else if (word == "column" || word == "alter") {
      auto [name, type] = nameAndType(rest);
      current().columns.push_back({std::move(name), std::move(type),
                                   word == "alter" ? ColumnEntry::Action::Alter
                                                   : ColumnEntry::Action::Ensure});
    } else if (word == "command") {
      addStatement(StepStatement::Channel::Command, stage, quoted(rest));
    } else if (word == "query") {
      addStatement(StepStatement::Channel::Query, stage, quoted(rest));
      queryOpen_ = true;
    } else if (word == "line") {
      if (!continuesQuery) fail("a line must follow a query, a line or a param");
      current().statements.back().lines.push_back(quoted(rest));
      queryOpen_ = true;
    } else if (word == "param") {
      if (!continuesQuery) fail("a param must follow a query, a line or a param");
      auto [name, value] = splitWord(rest);
      if (name.empty() || value.empty()) fail("expected param NAME \"TEXT\"");
      current().statements.back().params[std::string(name)] = quoted(value);
      queryOpen_ = true;
    } else if (word == "if-no-rows") {
      current();
      pendingGuard_ = quoted(rest);
    } else if (word == "if-table-missing") {
      current();
      pendingTableGuard_ = true;
    } else if (word == "pending") {
      current().pending = true;
    } else if (word == "gauge") {
      if (rest == "after-columns") current().gaugeSetup = CatalogEntry::GaugeSetup::AfterColumns;
      else if (rest == "none") current().gaugeSetup = CatalogEntry::GaugeSetup::None;
      else fail("unknown gauge placement '" + std::string(rest) + "'");
    } else if (word == "extra-tick") {
      current().extraTick = true;
    } else if (word == "no-extra-tick") {
      current().extraTick = false;
    } else {
      fail("unknown directive '" + std::string(word) + "'");
    }
  }

  void finish() {
    if (guardWaiting()) fail("a guard (if-no-rows, if-table-missing) must be followed by a command or a query");
    queryOpen_ = false;
    if (!current_) return;
    if (!sawKey_) failAt(stepLine_, "step " + current_->step + " has no key line");
    entries_.push_back(std::move(*current_));
    current_.reset();
    sawKey_ = false;
  }

  std::string_view fileName_;
  int line_ = 0;
  int stepLine_ = 0;  // where the entry under way started
  bool defaultExtraTick_ = false;
  std::string defaultMissingColumnHint_;
  bool sawKey_ = false;
  bool queryOpen_ = false;    // the previous line was a query or one of its lines
  std::string pendingGuard_;  // an if-no-rows query waiting for its statement
  bool pendingTableGuard_ = false;  // an if-table-missing waiting for its statement
  std::optional<CatalogEntry> current_;
  std::vector<CatalogEntry> entries_;
};

}  // namespace

std::optional<std::string> quotedText(std::string_view field) {
  if (field.size() < 3 || field.front() != '"' || field.back() != '"') return std::nullopt;
  std::string text(field.substr(1, field.size() - 2));
  static constexpr std::string_view kCarriageReturn = "{CR}";
  for (size_t at = text.find(kCarriageReturn); at != std::string::npos; at = text.find(kCarriageReturn, at + 1))
    text.replace(at, kCarriageReturn.size(), "\r");
  return text;
}

std::vector<CatalogEntry> parseCatalog(std::string_view text, std::string_view fileName) {
  return Parser(fileName).parse(text);
}

}  // namespace schema
