#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "perslib/Drives.h"
#include "support/TempDir.h"

namespace perslib {
namespace {

namespace fs = std::filesystem;

class Drives : public ::testing::Test {
 protected:
  OpticalDriveListing listing() const {
    return {dir_ / "cdrom_info", dir_ / "block", dir_ / "dev"};
  }
  void writeInfo(const std::string& text) const { std::ofstream(dir_ / "cdrom_info") << text; }
  void addBlockDevices(const std::vector<std::string>& names) const {
    for (const std::string& name : names) fs::create_directories(dir_ / "block" / name);
  }
  std::string device(const std::string& name) const { return (dir_ / "dev" / name).string(); }

  testsupport::TempDir dir_;
};

TEST_F(Drives, TypeNamesKeepTheirHistoricSpelling) {
  EXPECT_EQ(DriveTypeNames[1], "unkown");
  EXPECT_EQ(DriveTypeNames[5], "cd-rom");
}

TEST_F(Drives, CdromInfoNamesTheDriveAndTheLastInNameOrderWins) {
  const std::pair<const char*, const char*> cases[] = {
      {"CD-ROM information, Id: cdrom.c 3.20 2003/12/17\n\ndrive name:\t\tsr0\ndrive speed:\t\t24\n", "sr0"},
      {"drive name:\t\tsr1\tsr0\n", "sr1"},
      {"drive name:\t\tsr2\tsr10\n", "sr10"},
  };
  for (const auto& [info, name] : cases) {
    writeInfo(info);
    EXPECT_EQ(GetCDROMDrive(listing()), device(name)) << info;
  }
}

TEST_F(Drives, BlockDevicesServeWhenTheInfoNamesNoDrive) {
  addBlockDevices({"sda", "sr3", "loop0"});
  EXPECT_EQ(GetCDROMDrive(listing()), device("sr3"));
  writeInfo("CD-ROM information\n\ndrive name:\n");
  EXPECT_EQ(GetCDROMDrive(listing()), device("sr3"));
}

TEST_F(Drives, NoDriveMeansEmptyTextAndNoEffect) {
  EXPECT_EQ(GetCDROMDrive(listing()), "");
  addBlockDevices({"sda"});
  EXPECT_EQ(GetCDROMDrive(listing()), "");
  EXPECT_NO_THROW(OpenCDROM(listing()));
  EXPECT_NO_THROW(CloseCDROM(listing()));
}

TEST_F(Drives, DoorRequestsToSomethingThatIsNoDriveAreIgnored) {
  writeInfo("drive name:\t\tsr0\n");
  EXPECT_NO_THROW(OpenCDROM(listing()));  // the device file does not exist
  fs::create_directories(dir_ / "dev");
  std::ofstream(device("sr0")) << "not a drive";
  EXPECT_NO_THROW(OpenCDROM(listing()));
  EXPECT_NO_THROW(CloseCDROM(listing()));
  EXPECT_EQ(fs::file_size(device("sr0")), 11u);
}

}  // namespace
}  // namespace perslib
