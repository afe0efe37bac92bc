#include "app/PosixPlatform.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include <unistd.h>

#include "db/Error.h"

namespace app {

namespace {

[[noreturn]] void cannotRead(const std::filesystem::path& file, int error) {
  throw db::Error(Platform::kInOutErrorClass,
                  "Cannot read " + file.string() + ": " + std::strerror(error) +
                      ". Make the file readable or remove it.");
}

}  // namespace

std::string PosixPlatform::computerName() {
  char buffer[256] = {};
  if (gethostname(buffer, sizeof buffer - 1) != 0) return {};
  return buffer;
}

std::filesystem::path PosixPlatform::executableDirectory() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path();
  return exe.parent_path();
}

std::optional<std::string> PosixPlatform::readFirstLine(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  if (std::filesystem::is_directory(file, ec)) cannotRead(file, EISDIR);
  std::ifstream in(file, std::ios::binary);
  if (!in) cannotRead(file, errno ? errno : EACCES);
  std::string line;
  char c;
  while (in.get(c) && c != '\n' && c != '\r') {
    if (line.size() == kMaxFirstLineBytes)
      throw db::Error(kInOutErrorClass, "The first line of " + file.string() + " is longer than " +
                                            std::to_string(kMaxFirstLineBytes) +
                                            " bytes, more than any server name or product code. Put the name "
                                            "alone on the first line.");
    line += c;
  }
  if (in.bad()) cannotRead(file, errno ? errno : EIO);
  return line;
}

}  // namespace app
