#include "gui/GuiFixture.h"

#include "db/embedded/EmbeddedConnection.h"

namespace guitest {

namespace {

// One application for the whole test program, on the offscreen platform unless told otherwise.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[12] = "gui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

void GuiFixture::SetUp() {
  app::Config config;
  config.backend.dataDir = dataDir.path();
  session = std::make_unique<app::Session>(platform, config);
  session->addObserver(&recorder);
  windows = std::make_unique<gui::UpdaterWindows>(*session);
}

void GuiFixture::TearDown() {
  windows.reset();
  session->removeObserver(&recorder);
}

void GuiFixture::createCatalog(const std::string& name) {
  db::embedded::EmbeddedConnection c(dataDir.path(), "setup");
  c.open(std::string(kSqlPrefix) + "master");
  c.execute("create database " + name);
  c.close();
}

bool GuiFixture::catalogExists(const std::string& name) {
  db::embedded::EmbeddedConnection c(dataDir.path(), "setup");
  c.open(std::string(kSqlPrefix) + "master");
  const db::Rows rows =
      c.query({"select (name) as myname from sysdatabases where name=:p1"}, {{"p1", name}}, db::QueryMode::Open);
  c.close();
  return !rows.empty();
}

}  // namespace guitest
