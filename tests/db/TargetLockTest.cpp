#include "db/TargetLock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "db/EngineTestSupport.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;

class TargetLockTest : public ::testing::Test {
 protected:
  db::BackendConfig embedded() const {
    db::BackendConfig config;
    config.dataDir = dir.path();
    return config;
  }
  testsupport::TempDir dir;
};

TEST_F(TargetLockTest, ASecondUpgradeOfOneCatalogWaitsThenSaysWhoHoldsIt) {
  auto first = db::lockTarget(embedded(), enginetest::sqlServer("Benvo"));
  int told = 0;
  std::string notice;
  const db::LockWaiting brief{150ms, [&](const std::string& m) {
                                ++told;
                                notice = m;
                              }};
  // The catalog name is compared as the engine compares it: without regard to case.
  const db::Error e = enginetest::errorOf([&] { db::lockTarget(embedded(), enginetest::sqlServer("BENVO"), brief); });
  EXPECT_EQ(e.className(), "ETargetInUse");
  const std::string holder = "process " + std::to_string(getpid());
  EXPECT_NE(e.message().find("being upgraded by " + holder), std::string::npos) << e.message();
  EXPECT_NE(e.message().find("Wait for that upgrade to finish"), std::string::npos) << e.message();
  EXPECT_EQ(told, 1);
  EXPECT_NE(notice.find("waiting"), std::string::npos) << notice;

  first.reset();
  EXPECT_NO_THROW(db::lockTarget(embedded(), enginetest::sqlServer("Benvo"), brief));
}

TEST_F(TargetLockTest, OtherCatalogsAndAccessFilesHaveLocksOfTheirOwn) {
  auto benvo = db::lockTarget(embedded(), enginetest::sqlServer("Benvo"));
  const db::LockWaiting none{0ms, {}};
  EXPECT_NO_THROW(db::lockTarget(embedded(), enginetest::sqlServer("BenvoAssistant"), none));
  const std::string file = (dir.path() / "office.mdb").string();
  auto access = db::lockTarget(embedded(), enginetest::jet(file), none);
  EXPECT_THROW(db::lockTarget(embedded(), enginetest::jet(file), none), db::Error);
}

TEST_F(TargetLockTest, ServersThroughOdbcAreNotLockedFromHere) {
  db::BackendConfig odbc;
  odbc.kind = db::BackendConfig::Kind::Odbc;
  auto first = db::lockTarget(odbc, enginetest::sqlServer("Benvo"));
  EXPECT_NO_THROW(db::lockTarget(odbc, enginetest::sqlServer("Benvo"), {0ms, {}}));
}

}  // namespace
