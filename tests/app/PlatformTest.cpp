#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

#include "app/PosixPlatform.h"
#include "db/Error.h"
#include "support/TempDir.h"

namespace {

// The terminal face's dialogs are not used here.
struct LinuxPlatform : app::PosixPlatform {
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string&) override { return std::nullopt; }
  void showInformation(const std::string&) override {}
  void showError(const std::string&) override {}
};

TEST(PosixPlatform, FirstLineIsTheTextBeforeTheFirstLineBreakByteForByte) {
  testsupport::TempDir dir;
  LinuxPlatform platform;
  const std::pair<std::string, std::string> cases[] = {
      {"SRV\\SQLEXPRESS\r\nsecond", "SRV\\SQLEXPRESS"},
      {"  blanks kept \nx", "  blanks kept "},
      {"no line break", "no line break"},
      {"", ""},
      {"\nsecond", ""},
      {"\xd8\xb3\xd8\xb1\xd9\x88\xd8\xb1\rnext", "\xd8\xb3\xd8\xb1\xd9\x88\xd8\xb1"},
  };
  for (const auto& [content, line] : cases) {
    std::ofstream(dir / "f.txt", std::ios::binary) << content;
    EXPECT_EQ(platform.readFirstLine(dir / "f.txt"), line) << content;
  }
  EXPECT_EQ(platform.readFirstLine(dir / "absent.txt"), std::nullopt);
}

TEST(PosixPlatform, AFileThatCannotBeReadIsAnInputOutputError) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir / "ServerName.txt");
  LinuxPlatform platform;
  try {
    platform.readFirstLine(dir / "ServerName.txt");
    FAIL() << "read a directory as a file";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.className(), "EInOutError");
    EXPECT_NE(e.message().find("ServerName.txt"), std::string::npos);
  }
}

TEST(PosixPlatform, AFirstLineLongerThanAnyNameIsRefusedWithoutReadingItWhole) {
  testsupport::TempDir dir;
  LinuxPlatform platform;
  const std::string longest(app::Platform::kMaxFirstLineBytes, 's');
  std::ofstream(dir / "ServerName.txt", std::ios::binary) << longest << "\nnext";
  EXPECT_EQ(platform.readFirstLine(dir / "ServerName.txt"), longest);

  std::ofstream(dir / "ServerName.txt", std::ios::binary) << std::string(10 << 20, 's');
  try {
    platform.readFirstLine(dir / "ServerName.txt");
    FAIL() << "a 10 MB line was taken";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.className(), "EInOutError");
    EXPECT_NE(e.message().find("ServerName.txt is longer than 1024 bytes"), std::string::npos) << e.message();
  }
}

TEST(PosixPlatform, ComputerNameAndProgramDirectory) {
  LinuxPlatform platform;
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  EXPECT_EQ(platform.computerName(), host);
  EXPECT_TRUE(std::filesystem::exists(platform.executableDirectory() / "app_tests"));
}

TEST(Platform, KeyboardLayoutRequestIsKept) {
  LinuxPlatform platform;
  EXPECT_EQ(platform.keyboardLayout(), "");
  platform.requestKeyboardLayout("00000429");
  platform.requestKeyboardLayout("00000409");
  EXPECT_EQ(platform.keyboardLayout(), "00000409");
}

}  // namespace
