#pragma once

#include <map>
#include <string>
#include <string_view>
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

// A statement a step sends besides the template, in its place in the step.
struct StepStatement {
  enum class Channel {
    Command,  // the command object: the one line executed once
    Query,    // a query batch: the lines joined with CR LF, executed without reading rows
  };
  // The stages of a step, in the order it goes through them.
  enum class Stage {
    BeforeStep,    // before CurrentTable is set: the text sees the previous step's table
    BeforeCreate,  // after CurrentTable is set, before the table is ensured
    AmongColumns,  // after `place` column entries (all of them: after the list, before the ticks)
    AfterTicks,    // after the extra and the overall gauge ticks
  };
  // Stands for CurrentTable in a statement text; replaced when the statement is sent.
  static constexpr std::string_view kCurrentTable = "{CurrentTable}";

  Channel channel = Channel::Query;
  Stage stage = Stage::AmongColumns;
  size_t place = 0;                // AmongColumns: how many column entries are ensured before it
  std::vector<std::string> lines;  // exactly as sent, outer blanks included
  std::map<std::string, std::string> params;  // a query's text parameters, by name without ':'
  // When not empty, a query opened first: the statement is sent only when it finds no rows.
  std::string onlyWhenNoRows;
  // Sent only when CurrentTable is not among the tables (looked up as EnsureTable does).
  bool onlyWhenTableMissing = false;
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
  // Added to the server's message when a statement of the step is refused because it names a
  // column the table lacks: says what the operator's database is missing.
  std::string missingColumnHint;
  // The step runs statements of its own that this version does not carry yet; it is not
  // registered, so a run stops there saying that the step is not available.
  bool pending = false;

  bool keyless() const { return keyColumn.empty() && keyType.empty(); }
};

}  // namespace schema
