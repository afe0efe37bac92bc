#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "support/TempDir.h"

// The including test target defines MORAV_UPDATE_BINARY, the path of the built tool.
namespace testsupport {

inline std::string quoted(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs morav-update on a fresh data directory, with a configuration file of the test's own so
// that nothing of the machine's environment takes part.
class MoravUpdateFixture : public ::testing::Test {
 protected:
  struct Result {
    int exitCode;
    std::string out;
    std::string err;
  };

  void SetUp() override { writeConfig(""); }

  void writeConfig(const std::string& text) { std::ofstream(work / "morav-updater.ini") << text; }

  // `environment` adds variables for this run only (for example the engine's test hooks).
  Result run(std::vector<std::string> args, bool withOutputs = true,
             const std::vector<std::pair<std::string, std::string>>& environment = {}) {
    if (withOutputs) {
      std::filesystem::remove(log());
      std::filesystem::remove(reportFile());
      args.insert(args.end(), {"--statement-log", log().string(), "--report", reportFile().string()});
    }
    const std::string command = commandLine(args, environment, work / "out.txt", work / "err.txt");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(work / "out.txt"), readFile(work / "err.txt")};
  }

  // A run in the background, its output kept in files of its own.
  struct Background {
    pid_t pid;
    std::filesystem::path out;
    std::filesystem::path err;
  };
  Background start(const std::vector<std::string>& args, const std::string& name,
                   const std::vector<std::pair<std::string, std::string>>& environment = {}) {
    Background b{0, work / (name + ".out"), work / (name + ".err")};
    const std::string command = commandLine(args, environment, b.out, b.err);
    b.pid = fork();
    if (b.pid == 0) {
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    return b;
  }
  // Waits for a background run: its exit code, or -1 when a signal ended it.
  static Result finish(const Background& b) {
    int status = 0;
    waitpid(b.pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(b.out), readFile(b.err)};
  }

  std::string commandLine(const std::vector<std::string>& args,
                          const std::vector<std::pair<std::string, std::string>>& environment,
                          const std::filesystem::path& out, const std::filesystem::path& err) const {
    std::string command = "cd " + quoted(work.path().string()) +
                          " && exec env -u MORAV_UPDATER_BACKEND -u MORAV_DATA_DIR MORAV_UPDATER_CONFIG=" +
                          quoted((work / "morav-updater.ini").string()) + " ";
    for (const auto& [name, value] : environment) command += name + "=" + quoted(value) + " ";
    command += quoted(MORAV_UPDATE_BINARY) + " --data-dir " + quoted(data.path().string());
    for (const auto& a : args) command += " " + quoted(a);
    return command + " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " <" + quoted(input.string());
  }

  std::filesystem::path log() const { return work / "log.jsonl"; }
  std::filesystem::path reportFile() const { return work / "report.json"; }

  std::vector<nlohmann::json> logLines() const {
    std::vector<nlohmann::json> lines;
    std::istringstream in(readFile(log()));
    for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
  }
  nlohmann::json report() const { return nlohmann::json::parse(readFile(reportFile())); }
  std::string firstTargetOpen() const {
    for (const auto& line : logLines())
      if (line["op"] == "open") return line["connection_string"];
    return "(nothing opened)";
  }

  testsupport::TempDir work;
  testsupport::TempDir data;
  std::filesystem::path input = "/dev/null";  // the tool's standard input
};

}  // namespace testsupport
