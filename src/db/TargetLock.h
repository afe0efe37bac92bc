#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "db/Backend.h"

namespace db {

// Keeps a second upgrade off a database while one changes it. Every step looks at the catalog
// and then changes it; two runs interleaved would each find a column missing and both add it,
// and the later one would fail half way. Consoles and other readers take no such lock.
class TargetLock {
 public:
  virtual ~TargetLock() = default;
};

struct LockWaiting {
  // How long to wait for the other run to finish before giving up.
  std::chrono::milliseconds patience{std::chrono::minutes(10)};
  // Told once, with a sentence for the operator, when the lock is held by another run.
  std::function<void(const std::string& message)> onWait;
};

// The upgrade lock of the database that `connectionString` names, held until the returned
// object is destroyed. Waits while another process (or another connection of this one) holds
// it; throws db::Error (class "ETargetInUse") when the patience runs out. On the embedded
// engine it is a lock file beside the catalog; through ODBC the server's catalog cannot be
// locked without sending statements of our own, so nothing is locked there.
std::unique_ptr<TargetLock> lockTarget(const BackendConfig& config, const std::string& connectionString,
                                       const LockWaiting& waiting = {});

}  // namespace db
