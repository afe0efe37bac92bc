#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace cli {

// One database of a --targets file, as the choices read it: a catalog name, a hosted catalog
// suffix (with --web) or an Access file (with --engine access).
struct Target {
  std::string text;      // as the file has it
  std::string fileStem;  // its report, statement log and error output are named after it
};

// The targets of a file: one a line; blank lines and lines starting with '#' are skipped.
// Throws std::runtime_error when the file cannot be read or names a target twice.
std::vector<Target> readTargets(const std::filesystem::path& file);

// What each target's run is told besides the arguments shared by all.
enum class TargetKind { Catalog, WebSuffix, AccessFile };

struct TargetRunPlan {
  std::filesystem::path program;          // this program, run once per target
  std::vector<std::string> sharedArgs;    // the command line without the options of the whole set
  TargetKind kind = TargetKind::Catalog;
  std::filesystem::path outputDir;        // reports, statement logs, error output, failed.txt
  int jobs = 1;
};

// The command line with the options that concern the whole set taken out (--targets, --jobs,
// --output-dir, --statement-log, --report, --quiet), for each target's own run.
std::vector<std::string> argumentsForEachTarget(const std::vector<std::string>& args);

// Runs each target's upgrade (or other action) as a process of its own, `jobs` at a time, each
// on its own connections, with its report, statement log and error output in the output
// directory; then prints a summary table on `out` and writes the failed targets to failed.txt
// (a targets file for a rerun of just those). Returns the exit status: 0 when every target
// completed, 1 otherwise.
int runTargets(const std::vector<Target>& targets, const TargetRunPlan& plan, std::ostream& out, std::ostream& err);

}  // namespace cli
