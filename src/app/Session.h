#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Choices.h"
#include "app/Config.h"
#include "app/Platform.h"
#include "app/RunState.h"
#include "app/StepRegistry.h"
#include "db/Connection.h"
#include "db/Observer.h"
#include "db/TargetLock.h"
#include "schema/Primitives.h"
#include "schema/Progress.h"

namespace app {

// Everything an upgrade shares, as the main window of the desktop program holds it: the
// operator's choices, the run state, the main connection with the primitives bound to it,
// the assistant connection, the progress display, the steps and the platform. The window and
// the command-line tool are faces over one Session.
class Session {
 public:
  // Role names of the connections, as observers and the statement log see them.
  static constexpr const char* kMainRole = "main";
  static constexpr const char* kAssistantRole = "assistant";
  static constexpr const char* kConsoleRole = "console";
  static constexpr const char* kAssistantSetupRole = "assistant-setup";

  Session(Platform& platform, Config config, StepRegistry steps = standardSteps());
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Choices choices;
  RunState state;
  schema::Progress progress;

  // Set when a run completes: the keyboard focus goes to the exit button.
  bool exitButtonFocused = false;

  // Before connecting, create the target catalog (or an empty Access file) when it is
  // missing, and likewise the assistant catalog of the general-accounting run, so that a run
  // can start from nothing. Off in the window.
  bool createMissingCatalog = false;

  // Told before each step of a run: its number (from 1), how many steps the run has, its name.
  std::function<void(int number, int count, const std::string& name)> onStep;

  // Told, in a sentence for the operator, when another run is upgrading the target and this
  // one waits for it.
  std::function<void(const std::string& message)> onTargetBusy;

  // The upgrade lock of the database `connectionString` names (see db::lockTarget); waits
  // while another run holds it.
  std::unique_ptr<db::TargetLock> lockForUpgrade(const std::string& connectionString);

  // A run that triggered no step (the product has no upgrade sequence) ends with a message
  // that says so, not with the completion message, which would claim work that was not done.
  // Off in the window, which shows the completion message whatever the product.
  bool reportRunWithoutSteps = false;

  // The assistant set-up's own table label (its window's LNameTable).
  schema::Label assistantTableLabel{schema::Progress::kTableLabelInitial};

  Platform& platform() { return platform_; }
  const Config& config() const { return config_; }
  StepRegistry& steps() { return steps_; }

  // The connections are made on first use, with every observer of the session attached.
  db::Connection& mainConnection();
  db::Connection& assistantConnection();
  // The assistant set-up's own query (opened on master) and connection.
  db::Connection& assistantSetupQuery();
  db::Connection& assistantSetupConnection();
  // The schema primitives on the main connection, in the engine form of the moment.
  schema::Primitives& primitives();

  // Closes the main connection when open and opens it on state.connectionString.
  void reopenMainConnection();

  // The observer sees every call on every connection of the session, present and future.
  // Not owned; it must outlive the session or be removed.
  void addObserver(db::Observer* observer);
  void removeObserver(db::Observer* observer);

 private:
  std::unique_ptr<db::Connection> makeConnection(const char* role);
  std::vector<db::Connection*> connections() const;  // those made so far

  Platform& platform_;
  Config config_;
  StepRegistry steps_;
  std::vector<db::Observer*> observers_;
  std::unique_ptr<db::Connection> main_;
  std::unique_ptr<db::Connection> assistant_;
  std::unique_ptr<db::Connection> assistantSetupQuery_;
  std::unique_ptr<db::Connection> assistantSetupConnection_;
  std::unique_ptr<schema::Primitives> primitives_;
};

}  // namespace app
