#pragma once

#include <string>
#include <vector>

namespace schema {

// One column entry of a table step: ensured (added when missing) or, in a few steps,
// altered when present.
struct ColumnEntry {
  enum class Action { Ensure, Alter };
  std::string name;  // exactly as passed, brackets included
  std::string type;  // the type text, outer blanks trimmed
  Action action = Action::Ensure;
};

// The data of one table step.
struct CatalogEntry {
  // Where the step sets the maximum of the step gauge.
  enum class GaugeSetup {
    BeforeColumns,  // the usual place: right after the table is ensured
    AfterColumns,   // after the columns, counting the columns the step added
    None,           // never: the columns tick the gauge as the previous step left it
  };

  std::string step;       // the name the run triggers it by
  std::string table;      // the table it works on (CurrentTable)
  std::string keyColumn;  // created-with pair; both empty for a keyless step
  std::string keyType;
  std::vector<ColumnEntry> columns;
  bool extraTick = false;  // one more step-gauge tick after the columns
  GaugeSetup gaugeSetup = GaugeSetup::BeforeColumns;

  bool keyless() const { return keyColumn.empty() && keyType.empty(); }
};

}  // namespace schema
