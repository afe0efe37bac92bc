#include "app/StatementLog.h"

#include <nlohmann/json.hpp>

#include "db/Error.h"
#include "db/Secrets.h"

namespace app {

namespace {

void writeLine(std::ostream& out, const nlohmann::ordered_json& object) {
  out << object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  out.flush();
}

}  // namespace

void StatementLog::onCall(const db::Call& call) {
  if (!call.batch.empty()) {
    // One line per statement, as if sent alone, each with the batch it travelled in.
    ++batches_;
    for (const std::string& statement : call.batch) {
      nlohmann::ordered_json line;
      line["seq"] = ++seq_;
      line["conn"] = call.connection;
      line["op"] = db::opName(call.op);
      line["text"] = statement;
      line["batch"] = batches_;
      writeLine(out_, line);
    }
    return;
  }
  nlohmann::ordered_json line;
  line["seq"] = ++seq_;
  line["conn"] = call.connection;
  line["op"] = db::opName(call.op);
  switch (call.op) {
    case db::Op::Open: line["connection_string"] = db::maskSecrets(call.text); break;
    case db::Op::Columns: line["table"] = call.table; break;
    case db::Op::Execute: line["text"] = call.text; break;
    case db::Op::Query:
      line["text"] = call.text;
      line["params"] = call.params;
      break;
    case db::Op::Tables:
    case db::Op::Close: break;
  }
  writeLine(out_, line);
}

void StatementLog::onError(const db::Call& call, const db::Error& error) {
  nlohmann::ordered_json line;
  line["seq"] = ++seq_;
  line["conn"] = call.connection;
  line["op"] = "error";
  line["class"] = error.className();
  line["message"] = error.message();
  // The server's message number and the SQLSTATE, where the provider knows them.
  if (error.number() != 0) line["number"] = error.number();
  if (!error.sqlState().empty()) line["sqlstate"] = error.sqlState();
  writeLine(out_, line);
}

}  // namespace app
