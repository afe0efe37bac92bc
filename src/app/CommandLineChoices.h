#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Choices.h"
#include "app/Config.h"
#include "app/RunState.h"
#include "db/Backend.h"

namespace app {

// Choices that a command line can make, shared by morav-update and the window. Everything here
// throws std::invalid_argument with a message for the operator.

// "--product CODE|INDEX": a list index, or a product code. A code the list offers selects its
// index; a product's code that the list does not offer (Benvo, Vedizi2) is preset with no list
// index selected, so that resolution keeps it as the product code. Any other code is refused.
struct ProductSelection {
  std::optional<int> listIndex;
  std::string presetCode;  // used when listIndex is empty

  void applyTo(Choices& choices, RunState& state) const;
};

ProductSelection productSelectionFrom(std::string_view codeOrIndex);

// "--backend embedded|odbc".
db::BackendConfig::Kind backendKindNamed(std::string_view name);

// Walks command-line arguments; "--name VALUE" and "--name=VALUE" are the same. Arguments that
// are not UTF-8 are refused as a whole, naming the first such one: they would reach names,
// statements and logs as raw bytes.
class ArgumentReader {
 public:
  explicit ArgumentReader(std::vector<std::string_view> args);

  bool done() const { return next_ >= args_.size(); }
  // The next argument; an option's "=VALUE" is set aside for value().
  std::string_view take();
  // The next argument, not taken.
  std::string_view peek() const { return args_[next_]; }
  // The next argument as it is, whatever it looks like.
  std::string_view takeRaw() { return args_[next_++]; }
  // The value of the option just taken.
  std::string value(std::string_view option);
  // For a flag: refuses "--flag=VALUE".
  void refuseValue(std::string_view option) const;

 private:
  std::vector<std::string_view> args_;
  size_t next_ = 0;
  std::optional<std::string_view> inlineValue_;
};

// The start-up choices the window and the tool share.
struct StartChoices {
  std::optional<ProductSelection> product;  // absent: the window's default
  BackendOverrides backend;
  bool createDatabase = false;              // create a missing target before connecting
};

// Takes `option`, just taken from `reader`, when it is one of the shared start-up options
// (--product, --backend, --data-dir, --odbc-driver, --create-database), with its value.
// Returns false for any other option.
bool takeStartChoice(std::string_view option, ArgumentReader& reader, StartChoices& choices);

}  // namespace app
