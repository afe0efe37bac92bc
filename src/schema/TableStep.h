#pragma once

#include <functional>
#include <string>

#include "schema/CatalogEntry.h"
#include "schema/Primitives.h"

namespace schema {

// Statements some steps run besides the template, at fixed places of it. Each hook gets
// the primitives (and through them the connection) and may execute what it needs.
struct StepHooks {
  using Hook = std::function<void(Primitives&)>;
  Hook beforeStep;      // before CurrentTable is set
  Hook beforeCreate;    // after CurrentTable is set, before the table is ensured
  Hook afterColumns;    // after the column entries (and a late gauge set-up)
  Hook afterTicks;      // after the extra tick and the overall tick
};

// Runs one table step: ensure the table, set up the step gauge, ensure each column in order
// with the entry's own statements in their places among them, tick. `currentTable` is the run's CurrentTable, set first and left set afterwards.
//
// A keyless entry cannot create its table on SQL Server ("create table dbo.T(   )" is
// refused), so a missing keyless table is created with its first column entry as key
// (its type without "PRIMARY KEY"); that column's own ensure then finds it present.
void runTableStep(Primitives& primitives, const CatalogEntry& entry, std::string& currentTable,
                  const StepHooks& hooks = {});

// True when `table` has every column of `entry`, its key included, compared as the primitives
// compare names (one catalog read); false for a missing table.
bool hasLayoutOf(Primitives& primitives, const std::string& table, const CatalogEntry& entry);

}  // namespace schema
