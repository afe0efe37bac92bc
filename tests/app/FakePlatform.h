#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/Platform.h"
#include "db/Error.h"

namespace apptest {

// A scripted platform: a computer name, files next to a pretend executable, answers for the
// file dialog, and a record of every message shown.
class FakePlatform : public app::Platform {
 public:
  static constexpr const char* kExecutableDirectory = "/opt/morav";

  std::string hostName = "PC1";
  std::map<std::string, std::string> files;  // file name next to the executable -> content
  std::vector<std::string> unreadableFiles;  // exist but cannot be read
  std::deque<std::optional<std::filesystem::path>> dialogAnswers;  // empty: the dialog is cancelled

  std::vector<std::string> dialogFilters;
  std::vector<std::string> informations;
  std::vector<std::string> errors;
  std::vector<std::string> layoutsApplied;

  std::string computerName() override { return hostName; }
  std::filesystem::path executableDirectory() override { return kExecutableDirectory; }
  std::optional<std::string> readFirstLine(const std::filesystem::path& file) override {
    if (file.parent_path() != kExecutableDirectory) return std::nullopt;
    const std::string name = file.filename().string();
    for (const auto& unreadable : unreadableFiles)
      if (unreadable == name) throw db::Error(kInOutErrorClass, "Cannot read " + file.string());
    auto it = files.find(name);
    if (it == files.end()) return std::nullopt;
    const std::string& content = it->second;
    return content.substr(0, content.find_first_of("\r\n"));
  }
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string& filter) override {
    dialogFilters.push_back(filter);
    if (dialogAnswers.empty()) return std::nullopt;
    auto answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
  }
  void showInformation(const std::string& message) override { informations.push_back(message); }
  void showError(const std::string& message) override { errors.push_back(message); }

 protected:
  void applyKeyboardLayout(const std::string& layout) override { layoutsApplied.push_back(layout); }
};

}  // namespace apptest
