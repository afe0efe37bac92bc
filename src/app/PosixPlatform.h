#pragma once

#include "app/Platform.h"

namespace app {

// The operating-system half of the platform on Linux: host name, the program's directory
// and file reading. The dialogs are left to the face (terminal or window).
class PosixPlatform : public Platform {
 public:
  std::string computerName() override;
  std::filesystem::path executableDirectory() override;
  std::optional<std::string> readFirstLine(const std::filesystem::path& file) override;
};

}  // namespace app
