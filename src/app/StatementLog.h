#pragma once

#include <ostream>

#include "db/Observer.h"

namespace app {

// Writes every database call as one JSON object per line, in call order:
//   {"seq":1,"conn":"main","op":"open","connection_string":"..."}
//   {"seq":2,"conn":"main","op":"tables"}
//   {"seq":3,"conn":"main","op":"columns","table":"A_AQSAT"}
//   {"seq":4,"conn":"main","op":"execute","text":"..."}
//   {"seq":5,"conn":"main","op":"query","text":"...","params":{"p1":"..."}}
//   {"seq":6,"conn":"main","op":"close"}
// and after a call that failed {"seq":7,"conn":"main","op":"error","class":"...","message":"..."}.
// The statements of a batch are written one line each, as executions with the number of
// their batch: {"seq":8,"conn":"main","op":"execute","text":"...","batch":1}.
// Texts are exactly what was sent, except that password values in connection strings are
// written as "****". Each line is flushed, so a killed run leaves a complete log.
class StatementLog : public db::Observer {
 public:
  explicit StatementLog(std::ostream& out) : out_(out) {}

  void onCall(const db::Call& call) override;
  void onError(const db::Call& call, const db::Error& error) override;

 private:
  std::ostream& out_;
  long seq_ = 0;
  long batches_ = 0;
};

}  // namespace app
