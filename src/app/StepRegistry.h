#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace app {

class Session;

// Every upgrade step by name. Only the run driver triggers steps.
class StepRegistry {
 public:
  using Step = std::function<void(Session&)>;

  // Error class of a step that a sequence names but this build does not have.
  static constexpr const char* kNotAvailableClass = "EStepNotAvailable";

  // A later registration under the same name replaces the earlier one, so a step with work of
  // its own can take over a plain catalog step.
  void add(std::string name, Step step);
  bool contains(std::string_view name) const;
  // Runs the step to completion; throws what the step throws, or db::Error of class
  // kNotAvailableClass when nothing is registered under the name.
  void trigger(std::string_view name, Session& session) const;
  std::vector<std::string> names() const;
  size_t size() const { return steps_.size(); }

 private:
  std::map<std::string, Step, std::less<>> steps_;
};

// The steps of this version of the updater: every table step of every catalog (but those whose
// own statements are still pending), every column conversion pass, and the object steps whose
// creation texts are carried, with the data-fix step.
StepRegistry standardSteps();

}  // namespace app
