#pragma once

#include <optional>
#include <string>

namespace app {

enum class Engine { Access, SqlServer, Oracle };

// SQL Server versions offered to the operator, by list index.
enum SqlVersionIndex { kSql2000 = 0, kSql2005 = 1, kSql2008 = 2, kSql2012 = 3 };

// The operator's choices, with the defaults the main window starts with. They are not saved
// between starts. An index left empty means that nothing is selected in that list.
struct Choices {
  std::optional<int> productIndex = 0;         // the product list; empty keeps ProductCode as it is
  Engine engine = Engine::SqlServer;
  std::optional<int> sqlVersionIndex = kSql2008;
  std::optional<int> oracleVersionIndex;       // offered, read by nothing
  bool convertAutonum = true;                  // run BChangeFields_Autonum in general accounting
  bool web = false;                            // hosted database (product 0), no insurance reconnects
  std::string webCatalogSuffix = "3000";       // appended to the hosted catalog-name prefix
  bool fiscalYearClosed = false;               // product 0 on SQL Server: the "_FYC" catalog
  bool local = false;                          // offered, read by nothing
  // SQL Server: this catalog instead of the product code's (the command line's --catalog, for
  // offices that keep several databases of one product; the window has no such choice).
  std::optional<std::string> catalog;
  // How a run reads the catalog: lean (true) or faithful (false); empty means lean for the
  // hosted database, where every round trip crosses the internet, and faithful elsewhere.
  std::optional<bool> leanReads;
  bool batches = false;                        // a table step's changes in one batch (lean reads)

  bool readsLean() const;
};

}  // namespace app
