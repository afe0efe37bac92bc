#pragma once

#include <chrono>
#include <cstdint>

namespace db::embedded::hooks {

// Fault injection for tests, process-wide: every call on an embedded connection (open,
// close, tables, columns, execute, query) is counted from 1, and the settings can make the
// Nth call fail, make the connection drop at the Nth call, or slow every call down.
//
// The environment can set them for a whole process (end-to-end tests of a command-line
// tool): MORAV_ENGINE_FAIL_AT=N, MORAV_ENGINE_DROP_AT=N, MORAV_ENGINE_LATENCY_MS=N, read once
// at the first call. Settings made from code replace them.
struct Settings {
  std::int64_t failAt = 0;               // the call that throws an injected provider error; 0 = none
  std::int64_t dropAt = 0;               // the call at which the connection is lost; 0 = none
  std::chrono::milliseconds latency{0};  // added to every call
};

// The settings in force and the number of calls counted so far.
Settings settings();
std::int64_t callCount();

// Replaces the settings and restarts the count at 0.
void configure(const Settings& settings);
// Clears every setting (ignoring the environment) and restarts the count.
void reset();
// Takes the settings from the environment variables now and restarts the count.
void configureFromEnvironment();

// Sets the hooks for one scope and clears them when it ends.
class Scoped {
 public:
  explicit Scoped(const Settings& s) { configure(s); }
  ~Scoped() { reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
};

// What a counted call must do.
enum class Fault { None, Fail, Drop };

// Counts one call, sleeps the latency and says which fault, if any, strikes it.
// Used by EmbeddedConnection.
Fault onCall();

}  // namespace db::embedded::hooks
