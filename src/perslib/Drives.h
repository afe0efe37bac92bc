#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace perslib {

// Names of the drive type codes 0 to 6 as the library has always spelled them (code 1,
// a path without a root directory, is "unkown").
inline constexpr std::array<std::string_view, 7> DriveTypeNames = {
    "unknown", "unkown", "floppy disk", "local drive", "network drive", "cd-rom", "ram-disk"};

// Where the system lists its optical drives. Tests point these at files of their own.
struct OpticalDriveListing {
  std::filesystem::path cdromInfo = "/proc/sys/dev/cdrom/info";  // its "drive name:" line
  std::filesystem::path blockDevices = "/sys/block";             // sr* entries, when the info is missing
  std::filesystem::path deviceDirectory = "/dev";
};

// Device path of the CD-ROM drive ("/dev/sr0"); the last drive in name order wins, as the
// last drive letter did. Empty text when the system lists none.
std::string GetCDROMDrive(const OpticalDriveListing& listing = {});

// Open and close the CD-ROM drive's door. No drive, or a drive that refuses, has no effect
// and reports nothing.
void OpenCDROM(const OpticalDriveListing& listing = {});
void CloseCDROM(const OpticalDriveListing& listing = {});

}  // namespace perslib
