#include "cli/TerminalPlatform.h"

#include <algorithm>
#include <iostream>

namespace cli {

std::string terminalText(std::string message) {
  std::replace(message.begin(), message.end(), '\r', '\n');
  return message;
}

std::optional<std::filesystem::path> TerminalPlatform::chooseFileToOpen(const std::string&) {
  if (!accessFile_) return std::nullopt;
  // The dialog answers with the file's full path.
  return std::filesystem::absolute(*accessFile_).lexically_normal();
}

void TerminalPlatform::showInformation(const std::string& message) {
  prepareOutput();
  std::cout << terminalText(message) << std::endl;
}

void TerminalPlatform::showError(const std::string& message) {
  prepareOutput();
  std::cerr << "morav-update: " << terminalText(message) << std::endl;
}

}  // namespace cli
