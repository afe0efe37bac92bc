#include "objects/ObjectSteps.h"

#include <map>
#include <utility>

#include "db/Text.h"
#include "objectsdata_embedded.h"
#include "schema/CatalogFile.h"

namespace objects {

namespace {

constexpr std::string_view kStepsFile = "objects.steps";

class Parser {
 public:
  explicit Parser(std::string_view fileName) : fileName_(fileName) {}

  std::vector<ObjectStep> parse(std::string_view text) {
    schema::forEachTrimmedLine(text, [this](std::string_view line) {
      ++line_;
      directive(line);
    });
    finish();
    return std::move(steps_);
  }

 private:
  [[noreturn]] void fail(const std::string& what) const { failAt(line_, what); }
  [[noreturn]] void failAt(int line, const std::string& what) const {
    throw ObjectFileError(std::string(fileName_) + ":" + std::to_string(line) + ": " + what);
  }

  ObjectStep& current(ObjectStep::Kind kind, std::string_view word) {
    if (steps_.empty() || steps_.back().kind != kind)
      fail(std::string(word) + " belongs to " + (kind == ObjectStep::Kind::Install ? "an object" : "a fix") + " step");
    return steps_.back();
  }

  std::string quoted(std::string_view rest) {
    std::optional<std::string> text = schema::quotedText(rest);
    if (!text) fail("expected a non-empty text in double quotes");
    return std::move(*text);
  }

  void start(ObjectStep::Kind kind, std::string_view name) {
    finish();
    if (name.empty() || name.find(' ') != std::string_view::npos) fail("expected one step name");
    ObjectStep step;
    step.kind = kind;
    step.step = std::string(name);
    steps_.push_back(std::move(step));
    styleSeen_ = false;
    stepLine_ = line_;
  }

  // A step is complete when it has what its kind needs; a fault is reported at its first line.
  void finish() {
    if (steps_.empty()) return;
    ObjectStep& s = steps_.back();
    const std::string what = "step " + s.step + " ";
    if (s.kind == ObjectStep::Kind::Install) {
      if (!styleSeen_) failAt(stepLine_, what + "has no style");
      if (s.drops.empty()) failAt(stepLine_, what + "has no drop statement");
      if (s.textFile.empty()) failAt(stepLine_, what + "has no text file");
    } else if (s.statements.empty()) {
      failAt(stepLine_, what + "has no update");
    }
    if (s.caption.empty()) s.caption = s.step;
  }

  void directive(std::string_view line) {
    if (line.empty() || line.front() == '#') return;
    const size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? "" : db::trimBlanks(line.substr(blank + 1));
    using Kind = ObjectStep::Kind;
    if (word == "object") {
      start(Kind::Install, rest);
    } else if (word == "fix") {
      start(Kind::DataFix, rest);
    } else if (word == "style") {
      ObjectStep& s = current(Kind::Install, word);
      static const std::map<std::string_view, ObjectStep::Style> styles = {
          {"A", ObjectStep::Style::A}, {"A'", ObjectStep::Style::APrime}, {"B", ObjectStep::Style::B},
          {"C", ObjectStep::Style::C}};
      const auto it = styles.find(rest);
      if (it == styles.end()) fail("unknown style '" + std::string(rest) + "' (A, A', B or C)");
      s.style = it->second;
      styleSeen_ = true;
    } else if (word == "caption") {
      if (rest.empty()) fail("empty caption");
      current(Kind::Install, word).caption = std::string(rest);
    } else if (word == "drop") {
      current(Kind::Install, word).drops.push_back(quoted(rest));
    } else if (word == "text") {
      if (!rest.ends_with(".sql")) fail("expected a .sql file name");
      current(Kind::Install, word).textFile = std::string(rest);
    } else if (word == "update") {
      current(Kind::DataFix, word).statements.push_back(quoted(rest));
    } else {
      fail("unknown directive '" + std::string(word) + "'");
    }
  }

  std::string_view fileName_;
  int line_ = 0;
  int stepLine_ = 0;
  bool styleSeen_ = false;
  std::vector<ObjectStep> steps_;
};

struct Loaded {
  std::vector<ObjectStep> steps;
  std::map<std::string, const ObjectStep*, std::less<>> byStep;
};

const Loaded& loaded() {
  static const Loaded all = [] {
    Loaded l;
    l.steps = parseObjectSteps(*objectsdata::embeddedFile(kStepsFile), kStepsFile);
    for (const ObjectStep& step : l.steps)
      if (!l.byStep.emplace(step.step, &step).second)
        throw ObjectFileError(std::string(kStepsFile) + ": step " + step.step + " is defined twice");
    return l;
  }();
  return all;
}

}  // namespace

std::vector<ObjectStep> parseObjectSteps(std::string_view text, std::string_view fileName) {
  return Parser(fileName).parse(text);
}

const std::vector<ObjectStep>& allObjectSteps() { return loaded().steps; }

const ObjectStep* findObjectStep(std::string_view step) {
  const auto& steps = loaded().byStep;
  const auto it = steps.find(step);
  return it == steps.end() ? nullptr : it->second;
}

std::vector<std::string> fragmentsOf(std::string_view fileText) {
  std::vector<std::string> fragments;
  size_t pos = 0;
  while (pos < fileText.size()) {
    const size_t end = std::min(fileText.find('\n', pos), fileText.size());
    fragments.emplace_back(fileText.substr(pos, end - pos));
    pos = end + 1;
  }
  return fragments;
}

std::string composeFragments(const std::vector<std::string>& fragments) {
  std::string text;
  for (const std::string& fragment : fragments) text += fragment + "\r";
  return text;
}

std::optional<std::string> creationText(const ObjectStep& step) {
  if (step.kind != ObjectStep::Kind::Install) return std::nullopt;
  const std::optional<std::string_view> file = objectsdata::embeddedFile(step.textFile);
  if (!file) return std::nullopt;
  return composeFragments(fragmentsOf(*file));
}

void runObjectStep(const ObjectStep& step, schema::Primitives& primitives) {
  schema::Progress& progress = primitives.progress();
  db::Connection& connection = primitives.connection();
  auto nameInLabels = [&] {
    progress.table.setText(step.caption);
    progress.field.setText("-");
  };

  if (step.kind == ObjectStep::Kind::DataFix) {
    progress.step.setMaximum(static_cast<int>(step.statements.size()) + 1);
    progress.step.setProgress(1);
    nameInLabels();
    for (const std::string& statement : step.statements) {
      connection.execute(statement);
      progress.step.addProgress(1);
    }
    progress.overall.addProgress(1);
    return;
  }

  const std::optional<std::string> text = creationText(step);
  if (!text) throw ObjectFileError("the creation text " + step.textFile + " of step " + step.step + " is not carried");
  using Style = ObjectStep::Style;
  const bool tenTicks = step.style == Style::B || step.style == Style::C;
  if (tenTicks) {
    progress.step.setMaximum(10);
    progress.step.setProgress(0);
  }
  // Each drop and the creation go as commands of their own: a CREATE VIEW, FUNCTION,
  // PROCEDURE or TRIGGER must begin its batch.
  for (const std::string& drop : step.drops) connection.execute(drop);
  if (step.style == Style::C) nameInLabels();
  connection.execute(*text);
  if (tenTicks || step.style == Style::APrime) {
    progress.step.addProgress(tenTicks ? 10 : 1);
    progress.overall.addProgress(1);
  }
}

}  // namespace objects
