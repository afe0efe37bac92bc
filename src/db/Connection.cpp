#include "db/Connection.h"

#include <algorithm>

#include "db/Error.h"

namespace db {

const char* opName(Op op) {
  switch (op) {
    case Op::Open: return "open";
    case Op::Close: return "close";
    case Op::Tables: return "tables";
    case Op::Columns: return "columns";
    case Op::Execute: return "execute";
    case Op::Query: return "query";
  }
  return "?";
}

template <typename F>
auto Connection::observed(Call call, F&& body) -> decltype(body()) {
  call.connection = role_;
  for (Observer* o : observers_) o->onCall(call);
  try {
    return body();
  } catch (const Error& e) {
    for (Observer* o : observers_) o->onError(call, e);
    throw;
  }
}

void Connection::open(const std::string& connectionString) {
  observed(Call{Op::Open, {}, connectionString, {}, {}}, [&] { doOpen(connectionString); });
}

void Connection::close() {
  if (!doIsOpen()) return;
  observed(Call{Op::Close, {}, {}, {}, {}}, [&] { doClose(); });
}

void Connection::execute(const std::string& text) {
  observed(Call{Op::Execute, {}, text, {}, {}}, [&] { doExecute(text); });
}

void Connection::executeBatch(const std::vector<std::string>& statements) {
  const std::string text = joinLines(statements);
  observed(Call{Op::Execute, {}, text, {}, {}, statements}, [&] { doExecute(text); });
}

std::vector<std::string> Connection::tableNames() {
  return observed(Call{Op::Tables, {}, {}, {}, {}}, [&] { return doTableNames(); });
}

std::vector<std::string> Connection::columnNames(const std::string& table) {
  return observed(Call{Op::Columns, {}, {}, table, {}}, [&] { return doColumnNames(table); });
}

Rows Connection::query(const std::vector<std::string>& lines, const Params& params, QueryMode mode) {
  const std::string batch = joinLines(lines);
  return observed(Call{Op::Query, {}, batch, {}, params}, [&] { return doQuery(batch, params, mode); });
}

// A batch run for its results is a command, as execute() is: the statement log shows it so.
void Connection::run(const std::string& batch, const Params& params, Results& results) {
  observed(Call{params.empty() ? Op::Execute : Op::Query, {}, batch, {}, params}, [&] { doRun(batch, params, results); });
}

Results Connection::run(const std::string& batch, const Params& params) {
  Results results;
  run(batch, params, results);
  return results;
}

void Connection::doRun(const std::string&, const Params&, Results&) {
  throw Error::provider("This provider cannot hand back a batch's results one by one; use query() for its first "
                        "result set.");
}

void Connection::addObserver(Observer* observer) {
  if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void Connection::removeObserver(Observer* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

std::string Connection::joinLines(const std::vector<std::string>& lines) {
  std::string batch;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) batch += "\r\n";
    batch += lines[i];
  }
  return batch;
}

}  // namespace db
