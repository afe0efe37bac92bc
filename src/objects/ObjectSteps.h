#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "schema/Primitives.h"

namespace objects {

class ObjectFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An object step (drop the object, create it again from its text) or the data-fix step.
struct ObjectStep {
  enum class Kind { Install, DataFix };
  // What an install step does to the gauges and labels (see data/objects.steps).
  enum class Style { A, APrime, B, C };

  Kind kind = Kind::Install;
  std::string step;
  Style style = Style::A;
  std::string caption;                  // the table label's text (style C, data fix)
  std::vector<std::string> drops;       // install: sent in order before the creation
  std::string textFile;                 // install: the creation text's file under sql/
  std::vector<std::string> statements;  // data fix
};

// Parses an object steps file (format in data/objects.steps). Throws ObjectFileError with the
// file name and line number.
std::vector<ObjectStep> parseObjectSteps(std::string_view text, std::string_view fileName);

// The object steps compiled into the program, in file order.
const std::vector<ObjectStep>& allObjectSteps();
const ObjectStep* findObjectStep(std::string_view step);

// The fragments of a creation text file: its lines, without their line feeds.
std::vector<std::string> fragmentsOf(std::string_view fileText);
// The statement the fragments make: each fragment followed by a carriage return, which the
// server takes as a line end, so a "--" comment never runs into the next fragment.
std::string composeFragments(const std::vector<std::string>& fragments);

// The creation text of an install step as sent; nullopt while its file is not carried (the
// step is then not available).
std::optional<std::string> creationText(const ObjectStep& step);

// Runs one step on the main primitives: drops, labels, creation and gauge ticks as its style
// says, or the data fix. Catches nothing: a refused statement ends the step there.
void runObjectStep(const ObjectStep& step, schema::Primitives& primitives);

}  // namespace objects
