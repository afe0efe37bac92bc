#pragma once

#include <map>
#include <string>
#include <vector>

namespace db {

class Error;

// What a call on a connection was. Observers see every call before it is made and every
// failure after it; the statement log, the run report and the tests are observers.
enum class Op { Open, Close, Tables, Columns, Execute, Query };

const char* opName(Op op);  // "open", "close", "tables", "columns", "execute", "query"

using Params = std::map<std::string, std::string>;  // named text parameters, without ':'

struct Call {
  Op op;
  std::string connection;  // the connection's role name: "main", "assistant", "console", ...
  std::string text;        // connection string (open), statement text (execute, query)
  std::string table;       // the table of a columns read
  Params params;           // query parameters
  // An execution of several statements in one batch: the statements, in order (`text` is
  // them joined with CR LF, as sent). Empty for every other call.
  std::vector<std::string> batch = {};
};

class Observer {
 public:
  virtual ~Observer() = default;
  virtual void onCall(const Call& call) = 0;
  virtual void onError(const Call& call, const Error& error) = 0;
};

}  // namespace db
