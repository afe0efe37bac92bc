#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/Outcome.h"
#include "cli/Options.h"

namespace cli {

// What a statement changes, as far as its text says.
enum class Change { None, CreateTable, AddColumn, AlterColumn, DropColumn, DropTable, Delete, Object };

Change changeOf(std::string_view statement);
// Whether a change removes what the database holds.
inline bool isDestructive(Change c) { return c == Change::DropColumn || c == Change::DropTable || c == Change::Delete; }

struct PlannedStatement {
  std::string step;  // the step that sends it ("" before the first step)
  std::string text;
  Change change = Change::None;
  bool repeats = false;  // a second run sends it again: every run does
  std::optional<long long> rows;  // what a destructive statement would remove, where the target can count it
};

struct Plan {
  std::vector<PlannedStatement> statements;
  std::optional<app::ErrorInfo> failure;  // the run would stop here
  std::string failedStep;

  // Statements that a run would send and the next run would not: the changes pending.
  long long pending() const;
};

// `plan`: runs the chosen upgrade on a copy of the target, twice, and prints what the first run
// sends grouped by step (destructive statements marked, with the rows they would remove) and a
// summary; `check`: prints only what is pending. The target is never changed. Exit status:
// 0 nothing pending (check) or a plan made, 4 changes pending (check), 1 the run would fail or
// the target cannot be copied.
int runPlan(const Options& options, bool checkOnly, std::ostream& out, std::ostream& err);

void printPlan(const Plan& plan, bool checkOnly, bool json, std::ostream& out);

}  // namespace cli
