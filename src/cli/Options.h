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

// What morav-update was asked to do. The operator's choices start from the window's defaults.
struct Options {
  enum class Action { Run, Console, AssistantSetup, Products, Help };
  Action action = Action::Run;
  std::string consoleText;                 // console: the command to execute

  app::Choices choices;
  // --product: a list index, or a code the list does not offer (Benvo, Vedizi2, ...), preset
  // with no index selected so that resolution keeps it. Absent: the window's default.
  std::optional<app::ProductSelection> product;
  std::optional<std::filesystem::path> accessFile;  // absent: the file dialog is cancelled
  bool createDatabase = false;

  app::BackendOverrides backend;
  std::optional<std::filesystem::path> statementLog;
  std::optional<std::filesystem::path> report;
  bool quiet = false;
};

// Parses the arguments after the program name. Throws UsageError.
Options parseOptions(const std::vector<std::string_view>& args);

std::string usageText();

}  // namespace cli
