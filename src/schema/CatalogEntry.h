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

// A statement a step sends besides the template, in its place among the column entries.
struct StepStatement {
  enum class Channel {
    Command,  // the command object: the one line executed once
    Query,    // a query batch: the lines joined with CR LF, executed without reading rows
  };
  Channel channel = Channel::Query;
  std::vector<std::string> lines;  // exactly as sent, outer blanks included
  // When not empty, a query opened first: the statement is sent only when it finds no rows.
  std::string onlyWhenNoRows;
  size_t place = 0;  // how many column entries are ensured before it
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
  std::vector<StepStatement> statements;  // in the order they are sent
  // The step runs statements of its own that this version does not carry yet; it is not
  // registered, so a run stops there saying that the step is not available.
  bool pending = false;

  bool keyless() const { return keyColumn.empty() && keyType.empty(); }
};

}  // namespace schema
