#pragma once

#include <string>

namespace app {

// The strings and flags that target resolution, the run driver and the steps share. All
// start empty; each value is kept from one run to the next until something overwrites it.
struct RunState {
  std::string productCode;       // the product being upgraded; on SQL Server also the catalog
  std::string computerName;
  std::string dataSourceClause;  // empty, or "Data Source=" + the server name
  std::string connectionString;  // what the main connection is opened with
  std::string accessFilePath;
  bool cancelRun = false;        // set by resolution when there is no target
  std::string currentTable;      // the table the current table step works on
};

}  // namespace app
