#pragma once

#include <string>

#include <memory>

#include "db/Connection.h"
#include "db/TargetLock.h"

namespace app {

class Session;

// What a run and the console do before their work: clear CancelRun, resolve the target and,
// unless resolution was cancelled, open the main connection on it (creating a missing
// catalog first when the session asks for it). Returns false when cancelled: nothing has
// been opened then. Failures are thrown.
// `upgradeLock`, when given, receives the target's upgrade lock, taken before anything is
// created or opened.
bool connectToTarget(Session& session, std::unique_ptr<db::TargetLock>* upgradeLock = nullptr);

// Creates the catalog that state.connectionString names when it does not exist: on SQL
// Server "create database CATALOG" sent on the instance's master catalog, for an Access
// target a new, empty database file.
void createCatalogIfMissing(Session& session);

}  // namespace app
