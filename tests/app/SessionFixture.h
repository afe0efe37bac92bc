#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/FakePlatform.h"
#include "app/CommandLineChoices.h"
#include "app/Sequences.h"
#include "app/Session.h"
#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"
#include "support/RecordingObserver.h"
#include "support/TempDir.h"

namespace apptest {

// A session on a fresh embedded instance, with a scripted platform and, in place of the real
// steps, a recording step under every name the product sequences use.
class SessionFixture : public ::testing::Test {
 protected:
  struct Triggered {
    std::string step;
    size_t callsBefore;  // database calls recorded before the step ran
  };

  void SetUp() override {
    config.backend.dataDir = dataDir.path();
    config.hosted = {"web.example.test", "Web", "upd", "s3cret"};
    session = std::make_unique<app::Session>(platform, config, recordingSteps());
    session->addObserver(&recorder);
  }
  void TearDown() override { session->removeObserver(&recorder); }

  app::StepRegistry recordingSteps() {
    app::StepRegistry steps;
    for (const auto& sequence : app::productSequences())
      for (const auto& name : sequence.stepNames())
        steps.add(name, [this, name](app::Session&) {
          triggered.push_back({name, recorder.entries().size()});
          if (failing.count(name)) throw db::Error::provider("Step " + name + " met a rejected statement.");
        });
    return steps;
  }

  // Creates a catalog of the instance without going through the session.
  void createCatalog(const std::string& name) {
    db::embedded::EmbeddedConnection c(dataDir.path(), "setup");
    c.open(std::string(kSqlPrefix) + "master");
    c.execute("create database " + name);
    c.close();
  }
  void executeIn(const std::string& catalog, const std::string& statement) {
    db::embedded::EmbeddedConnection c(dataDir.path(), "setup");
    c.open(std::string(kSqlPrefix) + catalog);
    c.execute(statement);
    c.close();
  }

  // Chooses a product by code, as the command line does: its list index, or the code preset.
  void chooseProduct(const std::string& code) {
    app::productSelectionFrom(code).applyTo(session->choices, session->state);
  }

  std::vector<std::string> triggeredNames() const {
    std::vector<std::string> names;
    for (const auto& t : triggered) names.push_back(t.step);
    return names;
  }
  std::vector<std::string> opened(const std::string& role) const {
    std::vector<std::string> strings;
    for (const auto& e : recorder.entries())
      if (e.call.op == db::Op::Open && e.call.connection == role) strings.push_back(e.call.text);
    return strings;
  }

  static constexpr const char* kSqlPrefix =
      "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";

  testsupport::TempDir dataDir;
  FakePlatform platform;
  app::Config config;
  std::unique_ptr<app::Session> session;
  testsupport::RecordingObserver recorder;
  std::vector<Triggered> triggered;
  std::set<std::string> failing;
};

}  // namespace apptest
