#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/Choices.h"
#include "app/CommandLineChoices.h"
#include "app/Config.h"

namespace cli {

// A command line that does not follow the contract; main prints it and exits with 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What morav-update was asked to do: the start-up choices it shares with the window, and the
// operator's choices, which start from the window's defaults.
struct Options : app::StartChoices {
  enum class Action { Run, Console, AssistantSetup, Products, Help, Version, Plan, Check };
  enum class Format { Auto, Table, Csv, Json };
  Action action = Action::Run;
  std::string consoleText;                 // console: the command to execute
  std::optional<std::filesystem::path> consoleFile;  // console: read the command from it ("-": stdin)
  std::string helpTopic;                   // help ACTION: the action explained

  app::Choices choices;
  std::optional<std::filesystem::path> accessFile;  // absent: the file dialog is cancelled
  std::optional<std::filesystem::path> statementLog;
  std::optional<std::filesystem::path> report;
  bool quiet = false;
  Format format = Format::Auto;  // console, plan, check (auto: a table on a terminal, else CSV)

  // Many databases: the action for each target of the file, `jobs` at a time, the outputs of
  // each in `outputDir` (default: the targets file's name with ".runs").
  std::optional<std::filesystem::path> targetsFile;
  int jobs = 1;
  std::optional<std::filesystem::path> outputDir;
};

// Parses the arguments after the program name. Throws UsageError.
Options parseOptions(const std::vector<std::string_view>& args);

// The whole usage, or what one action does and takes (`help ACTION`).
std::string usageText(std::string_view topic = {});

}  // namespace cli
