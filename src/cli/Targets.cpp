#include "cli/Targets.h"

#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <map>
#include <ostream>
#include <set>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace cli {

namespace {

std::string stemFor(const std::string& text) {
  std::string stem = std::filesystem::path(text).filename().string();
  if (stem.empty()) stem = text;
  for (char& c : stem)
    if (c == '/' || c == '\\' || c == ' ' || c == ':') c = '_';
  return stem;
}

std::string readAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Finished {
  int exitCode = -1;
  std::string outcome;
  std::string message;
  double seconds = 0;
};

// What a target's run left behind: its report when it wrote one, else its exit code and the
// last line of its error output.
Finished summarise(const Target& target, const TargetRunPlan& plan, int status, double seconds) {
  Finished f;
  f.seconds = seconds;
  f.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  try {
    const auto report = nlohmann::json::parse(readAll(plan.outputDir / (target.fileStem + ".json")));
    f.outcome = report.at("outcome").get<std::string>();
    if (report.at("error").is_object()) f.message = report["error"].at("message").get<std::string>();
  } catch (const std::exception&) {
    f.outcome = f.exitCode == 0 ? "completed" : f.exitCode == 3 ? "cancelled" : "failed";
  }
  if (f.exitCode != 0 && f.message.empty()) {
    std::string text = readAll(plan.outputDir / (target.fileStem + ".err"));
    while (!text.empty() && text.back() == '\n') text.pop_back();
    f.message = text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  }
  return f;
}

pid_t start(const Target& target, const TargetRunPlan& plan) {
  std::vector<std::string> args = {plan.program.string()};
  args.insert(args.end(), plan.sharedArgs.begin(), plan.sharedArgs.end());
  switch (plan.kind) {
    case TargetKind::Catalog: args.insert(args.end(), {"--catalog", target.text}); break;
    case TargetKind::WebSuffix: args.insert(args.end(), {"--web-suffix", target.text}); break;
    case TargetKind::AccessFile: args.insert(args.end(), {"--access-file", target.text}); break;
  }
  const std::filesystem::path base = plan.outputDir / target.fileStem;
  args.insert(args.end(), {"--quiet", "--statement-log", base.string() + ".jsonl", "--report", base.string() + ".json"});
  std::filesystem::remove(base.string() + ".json");
  const std::string errFile = base.string() + ".err";
  const std::string outFile = base.string() + ".out";

  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid < 0) throw std::runtime_error("cannot start the run of target " + target.text);
  return pid;
}

}  // namespace

std::vector<Target> readTargets(const std::filesystem::path& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read the targets file " + file.string());
  std::vector<Target> targets;
  std::set<std::string> stems;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    line = line.substr(first, line.find_last_not_of(" \t") - first + 1);
    Target t{line, stemFor(line)};
    // Two targets with one file name would overwrite each other's report.
    if (!stems.insert(t.fileStem).second)
      throw std::runtime_error("the targets file " + file.string() + " names " + line +
                               " twice (or two targets whose reports would share the name " + t.fileStem + ")");
    targets.push_back(std::move(t));
  }
  if (targets.empty()) throw std::runtime_error("the targets file " + file.string() + " names no target");
  return targets;
}

std::vector<std::string> argumentsForEachTarget(const std::vector<std::string>& args) {
  static const std::set<std::string> withValue = {"--targets", "--jobs", "-j", "--output-dir", "--statement-log", "--report"};
  std::vector<std::string> kept;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--") {
      kept.insert(kept.end(), args.begin() + static_cast<long>(i), args.end());
      break;
    }
    const std::string name = a.substr(0, a.find('='));
    if (withValue.count(name)) {
      if (name == a) ++i;  // the value is the next argument
      continue;
    }
    if (a == "--quiet" || a == "-q") continue;
    kept.push_back(a);
  }
  return kept;
}

int runTargets(const std::vector<Target>& targets, const TargetRunPlan& plan, std::ostream& out, std::ostream& err) {
  std::filesystem::create_directories(plan.outputDir);
  using Clock = std::chrono::steady_clock;
  std::map<pid_t, std::pair<size_t, Clock::time_point>> running;
  std::vector<Finished> finished(targets.size());
  size_t next = 0;
  while (next < targets.size() || !running.empty()) {
    while (next < targets.size() && static_cast<int>(running.size()) < std::max(1, plan.jobs)) {
      running[start(targets[next], plan)] = {next, Clock::now()};
      ++next;
    }
    int status = 0;
    const pid_t pid = waitpid(-1, &status, 0);
    if (pid < 0) break;
    const auto it = running.find(pid);
    if (it == running.end()) continue;
    const auto [index, started] = it->second;
    running.erase(it);
    finished[index] = summarise(targets[index], plan, status,
                                std::chrono::duration<double>(Clock::now() - started).count());
  }

  size_t width = 6;
  for (const Target& t : targets) width = std::max(width, t.text.size());
  out << std::left << std::setw(static_cast<int>(width + 2)) << "TARGET" << std::setw(11) << "OUTCOME" << std::setw(8)
      << "TIME" << "MESSAGE\n";
  std::vector<std::string> failed;
  for (size_t i = 0; i < targets.size(); ++i) {
    const Finished& f = finished[i];
    char time[32];
    std::snprintf(time, sizeof time, "%.1fs", f.seconds);
    out << std::left << std::setw(static_cast<int>(width + 2)) << targets[i].text << std::setw(11) << f.outcome
        << std::setw(8) << time << (f.exitCode == 0 ? "" : f.message) << '\n';
    if (f.exitCode != 0) failed.push_back(targets[i].text);
  }
  std::ofstream failedFile(plan.outputDir / "failed.txt", std::ios::trunc);
  for (const std::string& f : failed) failedFile << f << '\n';
  if (failed.empty()) return 0;
  err << "morav-update: " << failed.size() << " of " << targets.size() << " targets did not complete:";
  for (const std::string& f : failed) err << ' ' << f;
  err << ". Their reports and error output are in " << plan.outputDir.string() << "; run again with --targets "
      << (plan.outputDir / "failed.txt").string() << " to take just them.\n";
  return 1;
}

}  // namespace cli
