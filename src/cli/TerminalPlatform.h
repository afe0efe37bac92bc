#pragma once

#include <functional>
#include <optional>

#include "app/PosixPlatform.h"

namespace cli {

// The platform of morav-update: messages go to the terminal, and the open-file dialog is
// answered by --access-file (no answer means the operator cancelled it).
class TerminalPlatform : public app::PosixPlatform {
 public:
  explicit TerminalPlatform(std::optional<std::filesystem::path> accessFile) : accessFile_(std::move(accessFile)) {}

  std::optional<std::filesystem::path> chooseFileToOpen(const std::string& filter) override;
  void showInformation(const std::string& message) override;  // stdout
  void showError(const std::string& message) override;        // stderr

  // Called before any message is written, so that a progress line can end first.
  void beforeOutput(std::function<void()> hook) { beforeOutput_ = std::move(hook); }

 private:
  void prepareOutput() {
    if (beforeOutput_) beforeOutput_();
  }

  std::optional<std::filesystem::path> accessFile_;
  std::function<void()> beforeOutput_;
};

// A message for the terminal: the carriage return that separates lines of a message box
// becomes a line feed.
std::string terminalText(std::string message);

}  // namespace cli
