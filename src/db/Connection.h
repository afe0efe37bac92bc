#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/Observer.h"
#include "db/Results.h"

namespace db {

// Rows read by a query: column names and, per row, one optional text per column
// (nullopt for NULL). Numbers come back as their text.
struct Rows {
  std::vector<std::string> columns;
  std::vector<std::vector<std::optional<std::string>>> values;
  size_t size() const { return values.size(); }
  bool empty() const { return values.empty(); }
};

enum class QueryMode {
  Open,     // read the rows
  Execute,  // run the batch, read nothing
};

// One database connection, whatever the provider behind it. Every failure is thrown as
// db::Error; nothing returns a status. Every call is shown to the observers first.
class Connection {
 public:
  explicit Connection(std::string role = "main") : role_(std::move(role)) {}
  virtual ~Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the connection with an ADO connection string (the login prompt is always off).
  void open(const std::string& connectionString);
  // Closes an open connection; closing a closed one does nothing.
  void close();
  bool isOpen() const { return doIsOpen(); }
  // Executes a command text once and discards any result.
  void execute(const std::string& text);
  // Executes the statements as one batch, joined with CR LF: one round trip. Observers see
  // one execution whose `batch` lists the statements.
  void executeBatch(const std::vector<std::string>& statements);
  // Names of the tables and views (no system tables), in the provider's rowset order.
  std::vector<std::string> tableNames();
  // Column names of one table in ordinal order, restricted by table name only;
  // empty for a missing table.
  std::vector<std::string> columnNames(const std::string& table);
  // Joins the lines with CR LF into one batch, binds the named text parameters (written
  // ":p1" in the text) and either opens it for rows or executes it.
  Rows query(const std::vector<std::string>& lines, const Params& params, QueryMode mode);
  // Runs a batch and hands back, in order, everything it returned: its result sets, the rows
  // each statement affected, and its messages (PRINT, RAISERROR, errors it went on past).
  // Shown to the observers as an execution (a query when it has parameters). On failure the db::Error is thrown and `results` keeps
  // what the batch returned before it.
  void run(const std::string& batch, const Params& params, Results& results);
  Results run(const std::string& batch, const Params& params = {});

  const std::string& role() const { return role_; }
  void setRole(std::string role) { role_ = std::move(role); }
  // Observers are not owned and must outlive the connection or be removed.
  void addObserver(Observer* observer);
  void removeObserver(Observer* observer);

  static std::string joinLines(const std::vector<std::string>& lines);

 protected:
  virtual void doOpen(const std::string& connectionString) = 0;
  virtual void doClose() = 0;
  virtual bool doIsOpen() const = 0;
  virtual void doExecute(const std::string& text) = 0;
  virtual std::vector<std::string> doTableNames() = 0;
  virtual std::vector<std::string> doColumnNames(const std::string& table) = 0;
  virtual Rows doQuery(const std::string& batch, const Params& params, QueryMode mode) = 0;
  // A provider that cannot tell its results apart refuses to (see Connection.cpp).
  virtual void doRun(const std::string& batch, const Params& params, Results& results);

 private:
  template <typename F>
  auto observed(Call call, F&& body) -> decltype(body());

  std::string role_;
  std::vector<Observer*> observers_;
};

}  // namespace db
