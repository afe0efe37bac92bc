#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/embedded/EmbeddedConnection.h"
#include "support/RecordingObserver.h"
#include "support/TempDir.h"

namespace testsupport {

// A fresh embedded instance with one empty catalog, a connection open on it and a
// recorder of every call made on that connection.
class EngineFixture : public ::testing::Test {
 protected:
  static constexpr const char* kCatalog = "TestDb";

  void SetUp() override;
  void TearDown() override;

  static std::string connectionStringFor(const std::string& catalog);
  // Executes on the catalog without recording the call.
  void prepare(const std::string& statement);

  TempDir dir;
  std::unique_ptr<db::embedded::EmbeddedConnection> connection;
  RecordingObserver recorder;
};

}  // namespace testsupport
