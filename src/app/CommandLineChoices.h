#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/Choices.h"
#include "app/RunState.h"
#include "db/Backend.h"

namespace app {

// Choices that a command line can make, shared by morav-update and the window. The parsers
// throw std::invalid_argument with a message for the operator.

// "--product CODE|INDEX": a list index, or a product code. A code the list offers selects its
// index; any other code (Benvo, Vedizi2, ...) is preset with no list index selected, so that
// resolution keeps it as the product code.
struct ProductSelection {
  std::optional<int> listIndex;
  std::string presetCode;  // used when listIndex is empty

  void applyTo(Choices& choices, RunState& state) const;
};

ProductSelection productSelectionFrom(std::string_view codeOrIndex);

// "--backend embedded|odbc".
db::BackendConfig::Kind backendKindNamed(std::string_view name);

}  // namespace app
