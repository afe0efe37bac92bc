#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>
#include <string>

#include "app/FakePlatform.h"
#include "app/Session.h"
#include "gui/UpdaterWindows.h"
#include "support/RecordingObserver.h"
#include "support/TempDir.h"

namespace guitest {

// The updater's windows over a session on a fresh embedded instance, with a scripted platform
// that answers the dialogs and records every message, and a recorder of every database call.
class GuiFixture : public ::testing::Test {
 protected:
  static constexpr const char* kSqlPrefix =
      "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";

  void SetUp() override;
  void TearDown() override;

  // Creates a catalog of the instance without going through the session.
  void createCatalog(const std::string& name);
  bool catalogExists(const std::string& name);

  template <typename T>
  T* find(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  testsupport::TempDir dataDir;
  apptest::FakePlatform platform;
  std::unique_ptr<app::Session> session;
  std::unique_ptr<gui::UpdaterWindows> windows;
  testsupport::RecordingObserver recorder;
};

}  // namespace guitest
