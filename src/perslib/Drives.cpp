#include "perslib/Drives.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

namespace perslib {
namespace {

constexpr std::string_view kDriveNameLabel = "drive name:";

std::vector<std::string> DrivesFromCdromInfo(const std::filesystem::path& info) {
  std::vector<std::string> names;
  std::ifstream in(info);
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(kDriveNameLabel)) continue;
    std::istringstream fields(line.substr(kDriveNameLabel.size()));
    for (std::string name; fields >> name;) names.push_back(name);
    break;
  }
  return names;
}

std::vector<std::string> DrivesFromBlockDevices(const std::filesystem::path& blockDevices) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(blockDevices, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (name.starts_with("sr")) names.push_back(std::move(name));
  }
  return names;
}

// sr2 before sr10: shorter names first, then by text.
bool NameOrderLess(const std::string& a, const std::string& b) {
  return a.size() != b.size() ? a.size() < b.size() : a < b;
}

void SendDoorRequest(unsigned long request, const OpticalDriveListing& listing) {
  const std::string device = GetCDROMDrive(listing);
  if (device.empty()) return;
  // Non-blocking so that an empty drive opens too.
  const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return;
  (void)::ioctl(fd, request, 0);  // the outcome is deliberately ignored
  ::close(fd);
}

}  // namespace

std::string GetCDROMDrive(const OpticalDriveListing& listing) {
  std::vector<std::string> names = DrivesFromCdromInfo(listing.cdromInfo);
  if (names.empty()) names = DrivesFromBlockDevices(listing.blockDevices);
  if (names.empty()) return {};
  return (listing.deviceDirectory / *std::max_element(names.begin(), names.end(), NameOrderLess)).string();
}

void OpenCDROM(const OpticalDriveListing& listing) { SendDoorRequest(CDROMEJECT, listing); }

void CloseCDROM(const OpticalDriveListing& listing) { SendDoorRequest(CDROMCLOSETRAY, listing); }

}  // namespace perslib
