#pragma once

#include <string>
#include <vector>

#include "db/Connection.h"
#include "schema/CatalogEntry.h"
#include "schema/Label.h"

namespace assistant {

// The assistant catalog that accompanies the general-accounting product.
inline constexpr const char* kCatalogName = "BenvoAssistant";
inline constexpr const char* kExistenceQuery = "select (name) as myname from sysdatabases where name=:p1";
inline constexpr const char* kMasterConnectionString =
    "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=master";
inline constexpr const char* kServerConnectionString =
    "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;";

// The three tables of the catalog, in the order the set-up ensures them.
const std::vector<schema::CatalogEntry>& tables();

// Creates the assistant catalog when it does not exist yet, then ensures its tables and
// columns, so that a set-up that was cut short is completed by the next one; on a complete
// catalog it sends nothing but the existence query and catalog reads. `query` is the set-up's
// own query connection (opened on master), `connection` its own connection (left open on the
// catalog), `label` its table label. Nothing is caught: failures are thrown.
struct Setup {
  db::Connection& query;
  db::Connection& connection;
  schema::Label& label;
  bool sqlServerForm = true;  // the set-up window's engine choice: always SQL Server
  std::string currentTable;   // AssistantCurrentTable

  // Returns true when it created the catalog.
  bool run();

  void ensureTable(const std::string& table, const std::string& keyColumn, const std::string& keyType);
  void ensureColumn(const std::string& table, const std::string& column, const std::string& type);
};

}  // namespace assistant
