#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The services the updater takes from the operating system and the operator's desktop.
// The window implements the dialogs with widgets, the command-line tool with the terminal,
// and the tests with a scripted fake.
class Platform {
 public:
  // Error class of a text file that exists but cannot be read.
  static constexpr const char* kInOutErrorClass = "EInOutError";

  virtual ~Platform() = default;

  // The local computer's name; empty when the system cannot tell it.
  virtual std::string computerName() = 0;
  // The directory of the running program, where ServerName.txt and NameDataBase.txt live.
  virtual std::filesystem::path executableDirectory() = 0;
  // The longest first line read: room for a server text of 256 characters in UTF-8. A
  // longer line holds no name the updater could use, and is not read into memory whole.
  static constexpr size_t kMaxFirstLineBytes = 1024;

  // The first line of a text file, byte for byte; nullopt when there is no such file.
  // Throws db::Error of class kInOutErrorClass when the file exists but cannot be read, or
  // when its first line is longer than kMaxFirstLineBytes.
  virtual std::optional<std::string> readFirstLine(const std::filesystem::path& file) = 0;

  // The open-file dialog: the chosen file's full path, or nullopt when cancelled.
  // `filter` is in the "Description|*.ext" form.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(const std::string& filter) = 0;
  // A message box with one OK button; returns when the operator dismisses it.
  virtual void showInformation(const std::string& message) = 0;
  // The standard error dialog for a failure that ended an operation.
  virtual void showError(const std::string& message) = 0;

  virtual std::chrono::system_clock::time_point now() { return std::chrono::system_clock::now(); }

  // Loads and activates a keyboard layout by its identifier ("00000409" is US English).
  // The request is kept as state: the last layout asked for is the active one.
  void requestKeyboardLayout(const std::string& layout) {
    keyboardLayout_ = layout;
    applyKeyboardLayout(layout);
  }
  const std::string& keyboardLayout() const { return keyboardLayout_; }

 protected:
  // Where a keyboard layout can really be switched; nothing to do on a terminal.
  virtual void applyKeyboardLayout(const std::string& /*layout*/) {}

 private:
  std::string keyboardLayout_;
};

}  // namespace app
