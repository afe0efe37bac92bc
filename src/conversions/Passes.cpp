#include "conversions/Passes.h"

#include <charconv>
#include <optional>

#include "conversionsdata_embedded.h"
#include "db/Text.h"

namespace conversions {

namespace {

std::vector<std::string> fields(std::string_view rest) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (true) {
    const size_t bar = rest.find('|', pos);
    out.emplace_back(db::trimBlanks(rest.substr(pos, bar == std::string_view::npos ? std::string_view::npos : bar - pos)));
    if (bar == std::string_view::npos) return out;
    pos = bar + 1;
  }
}

}  // namespace

std::vector<Pass> parsePasses(std::string_view text, std::string_view fileName) {
  std::vector<Pass> passes;
  int lineNumber = 0;
  const auto fail = [&](const std::string& what) -> void {
    throw PassFileError(std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + what);
  };
  const auto current = [&]() -> Pass& {
    if (passes.empty()) fail("a pass or clean-up line must come first");
    return passes.back();
  };

  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = std::min(text.find('\n', pos), text.size());
    ++lineNumber;
    const std::string_view line = db::trimBlanks(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == '#') continue;

    const size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    const std::string_view rest = blank == std::string_view::npos ? std::string_view{} : db::trimBlanks(line.substr(blank + 1));

    if (word == "pass" || word == "clean-up") {
      Pass pass;
      pass.kind = word == "pass" ? Pass::Kind::Conversion : Pass::Kind::CleanUp;
      pass.step = std::string(rest);
      if (pass.step.empty()) fail("a pass needs a step name");
      passes.push_back(std::move(pass));
    } else if (word == "gauge-maximum") {
      int value = 0;
      auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
      if (ec != std::errc() || ptr != rest.data() + rest.size()) fail("gauge-maximum needs a whole number");
      current().gaugeMaximum = value;
    } else if (word == "table") {
      current().table = std::string(rest);
    } else if (word == "alter" || word == "ensure") {
      auto f = fields(rest);
      if (f.size() != 3) fail("expected TABLE | COLUMN | TYPE");
      current().entries.push_back({word == "alter" ? PassEntry::Primitive::Alter : PassEntry::Primitive::Ensure,
                                   f[0], f[1], f[2]});
    } else if (word == "drop") {
      auto f = fields(rest);
      if (f.size() != 2) fail("expected COLUMN | TYPE");
      if (current().kind != Pass::Kind::CleanUp) fail("drop belongs to a clean-up step");
      current().entries.push_back({PassEntry::Primitive::Drop, current().table, f[0], f[1]});
    } else {
      fail("unknown directive '" + std::string(word) + "'");
    }
  }
  for (const Pass& p : passes)
    if (p.kind == Pass::Kind::CleanUp && p.table.empty())
      throw PassFileError(std::string(fileName) + ": clean-up " + p.step + " names no table");
  return passes;
}

const std::vector<Pass>& allPasses() {
  static const std::vector<Pass> passes = [] {
    std::vector<Pass> all;
    for (std::string_view name : conversionsdata::embeddedFileNames()) {
      auto parsed = parsePasses(*conversionsdata::embeddedFile(name), name);
      all.insert(all.end(), std::make_move_iterator(parsed.begin()), std::make_move_iterator(parsed.end()));
    }
    return all;
  }();
  return passes;
}

const Pass* findPass(std::string_view step) {
  for (const Pass& p : allPasses())
    if (p.step == step) return &p;
  return nullptr;
}

void runPass(const Pass& pass, schema::Primitives& primitives, std::string& currentTable) {
  schema::Progress& progress = primitives.progress();
  schema::Primitives::StepScope scope(primitives);
  if (pass.kind == Pass::Kind::CleanUp) {
    currentTable = pass.table;
    progress.table.setText(currentTable);
    if (!primitives.tableExists(currentTable)) {
      progress.overall.addProgress(1);
      return;
    }
    progress.step.setMaximum(primitives.countColumns(currentTable));
  } else {
    progress.step.setMaximum(pass.gaugeMaximum);
  }
  progress.step.setProgress(0);

  for (const PassEntry& e : pass.entries) {
    switch (e.primitive) {
      case PassEntry::Primitive::Alter: primitives.alterColumnIfPresent(e.table, e.column, e.type); break;
      case PassEntry::Primitive::Ensure: primitives.ensureColumn(e.table, e.column, e.type); break;
      case PassEntry::Primitive::Drop: primitives.dropColumnIfPresent(currentTable, e.column, e.type); break;
    }
  }
  scope.finish();
  progress.overall.addProgress(1);
}

}  // namespace conversions
