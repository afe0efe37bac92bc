#include "db/embedded/TestHooks.h"

#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace db::embedded::hooks {

namespace {

struct State {
  std::mutex mutex;
  Settings settings;
  std::int64_t calls = 0;
  bool initialised = false;
};

State& state() {
  static State s;
  return s;
}

std::int64_t fromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return 0;
  char* end = nullptr;
  const long long n = std::strtoll(value, &end, 10);
  return (end && *end == '\0' && n > 0) ? n : 0;
}

Settings environmentSettings() {
  Settings settings;
  settings.failAt = fromEnvironment("MORAV_ENGINE_FAIL_AT");
  settings.dropAt = fromEnvironment("MORAV_ENGINE_DROP_AT");
  settings.latency = std::chrono::milliseconds(fromEnvironment("MORAV_ENGINE_LATENCY_MS"));
  return settings;
}

// The environment is read once, at the first use; code that configures first wins.
void initialiseLocked(State& s) {
  if (s.initialised) return;
  s.initialised = true;
  s.settings = environmentSettings();
}

}  // namespace

Settings settings() {
  State& s = state();
  std::lock_guard lock(s.mutex);
  initialiseLocked(s);
  return s.settings;
}

std::int64_t callCount() {
  State& s = state();
  std::lock_guard lock(s.mutex);
  return s.calls;
}

void configure(const Settings& settings) {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.initialised = true;
  s.settings = settings;
  s.calls = 0;
}

void reset() { configure(Settings{}); }

void configureFromEnvironment() { configure(environmentSettings()); }

Fault onCall() {
  State& s = state();
  std::int64_t call;
  Settings current;
  {
    std::lock_guard lock(s.mutex);
    initialiseLocked(s);
    call = ++s.calls;
    current = s.settings;
  }
  if (current.latency.count() > 0) std::this_thread::sleep_for(current.latency);
  if (call == current.failAt) return Fault::Fail;
  if (call == current.dropAt) return Fault::Drop;
  return Fault::None;
}

}  // namespace db::embedded::hooks
