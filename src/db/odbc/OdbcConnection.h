#pragma once

#include <memory>
#include <string>

#include "db/Backend.h"
#include "db/Connection.h"

namespace db::odbc {

// A connection through unixODBC to the driver the configuration names for the target: the
// ADO connection string is translated (OdbcConnectionString.h), every text goes to the driver
// as UTF-16, and every driver failure is thrown as a provider db::Error with the driver's
// message, native error number and SQLSTATE. Statements run in autocommit mode, each taking
// effect on its own.
class OdbcConnection : public Connection {
 public:
  OdbcConnection(const BackendConfig& config, std::string role = "main");
  ~OdbcConnection() override;

 protected:
  void doOpen(const std::string& connectionString) override;
  void doClose() override;
  bool doIsOpen() const override;
  void doExecute(const std::string& text) override;
  std::vector<std::string> doTableNames() override;
  std::vector<std::string> doColumnNames(const std::string& table) override;
  Rows doQuery(const std::string& batch, const Params& params, QueryMode mode) override;
  void doRun(const std::string& batch, const Params& params, Results& results) override;

 private:
  struct Link;  // the handles of an open connection

  Link& link();  // the open connection's handles; throws db::Error when closed

  BackendConfig config_;
  std::unique_ptr<Link> link_;
};

}  // namespace db::odbc
