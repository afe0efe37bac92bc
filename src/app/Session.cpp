#include "app/Session.h"

#include <algorithm>
#include <system_error>

#include "db/Backend.h"

namespace app {

Session::Session(Platform& platform, Config config, StepRegistry steps)
    : platform_(platform), config_(std::move(config)), steps_(std::move(steps)) {}

Session::~Session() = default;

db::Connection& Session::mainConnection() {
  if (!main_) main_ = makeConnection(kMainRole);
  return *main_;
}

db::Connection& Session::assistantConnection() {
  if (!assistant_) assistant_ = makeConnection(kAssistantRole);
  return *assistant_;
}

db::Connection& Session::assistantSetupQuery() {
  if (!assistantSetupQuery_) assistantSetupQuery_ = makeConnection(kAssistantSetupRole);
  return *assistantSetupQuery_;
}

db::Connection& Session::assistantSetupConnection() {
  if (!assistantSetupConnection_) assistantSetupConnection_ = makeConnection(kAssistantSetupRole);
  return *assistantSetupConnection_;
}

schema::Primitives& Session::primitives() {
  if (!primitives_)
    primitives_ = std::make_unique<schema::Primitives>(mainConnection(), progress, [this] {
      // The engine choice of the moment decides, as the operator may change it between runs.
      return choices.engine == Engine::SqlServer ? schema::EngineForm::SqlServer : schema::EngineForm::Access;
    });
  return *primitives_;
}

std::unique_ptr<db::TargetLock> Session::lockForUpgrade(const std::string& connectionString) {
  db::LockWaiting waiting;
  waiting.onWait = onTargetBusy;
  return db::lockTarget(config_.backend, connectionString, waiting);
}

void Session::reopenMainConnection() {
  db::Connection& main = mainConnection();
  if (main.isOpen()) main.close();
  main.open(state.connectionString);
}

void Session::addObserver(db::Observer* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) return;
  observers_.push_back(observer);
  for (db::Connection* connection : connections()) connection->addObserver(observer);
}

void Session::removeObserver(db::Observer* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
  for (db::Connection* connection : connections()) connection->removeObserver(observer);
}

std::vector<db::Connection*> Session::connections() const {
  std::vector<db::Connection*> made;
  for (const auto* owned : {&main_, &assistant_, &assistantSetupQuery_, &assistantSetupConnection_})
    if (*owned) made.push_back(owned->get());
  return made;
}

std::unique_ptr<db::Connection> Session::makeConnection(const char* role) {
  if (config_.backend.kind == db::BackendConfig::Kind::Embedded) {
    // A fresh data directory is an empty instance; the engine reports anything else.
    std::error_code ignored;
    std::filesystem::create_directories(config_.backend.dataDir, ignored);
  }
  auto connection = db::makeConnection(config_.backend, role);
  for (db::Observer* observer : observers_) connection->addObserver(observer);
  return connection;
}

}  // namespace app
