#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/embedded/Translator.h"

namespace db::embedded::runtime {

// A T-SQL cursor: DECLARE c CURSOR [LOCAL|GLOBAL] [FORWARD_ONLY|SCROLL] [STATIC|KEYSET|DYNAMIC|
// FAST_FORWARD] [READ_ONLY] FOR select; OPEN reads its rows, FETCH walks them, CLOSE lets them
// go, DEALLOCATE removes it.
//
// OPEN reads the rows once (as a STATIC cursor does, whatever the cursor's declared kind): a
// row changed after OPEN is fetched as it was. A DYNAMIC or KEYSET cursor on SQL Server would
// see such changes; the engine's cursors do not.
struct Cursor {
  std::string name;   // as declared
  std::string query;  // the SELECT's text
  // The variables the query reads, with the values they had at DECLARE: they keep them.
  Params parameters;
  VariableNames variables;
  bool local = false;
  bool scrolls = false;  // FETCH PRIOR, FIRST, LAST, ABSOLUTE, RELATIVE allowed
  bool open = false;
  Rows rows;
  std::int64_t at = -1;  // the current row: -1 before the first, rows.size() after the last
};

// The cursors of a connection. GLOBAL ones (the server's default) live until DEALLOCATE or
// the connection's end; LOCAL ones end with their batch. A name means the local cursor when
// there is one, unless GLOBAL is said.
class Cursors {
 public:
  // Refuses a second cursor of the same name and scope (16915).
  Cursor& declare(Cursor cursor);
  // The cursor a statement names; refused when there is none (16916).
  Cursor& find(const std::string& name, bool global);
  void deallocate(const std::string& name, bool global);
  // The end of a batch: its local cursors go.
  void endBatch() { local_.clear(); }

  // FETCH: moves to the row `direction` names and returns it, or nullptr past either end.
  // `direction` is NEXT, PRIOR, FIRST, LAST, ABSOLUTE or RELATIVE (with `offset`).
  static const std::vector<std::optional<std::string>>* fetch(Cursor& cursor, const std::string& direction,
                                                              std::int64_t offset);

 private:
  std::map<std::string, Cursor>& scope(bool local) { return local ? local_ : global_; }

  std::map<std::string, Cursor> global_;  // by lower-case name
  std::map<std::string, Cursor> local_;
};

}  // namespace db::embedded::runtime
