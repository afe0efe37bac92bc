#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"

namespace testsupport {

// A T-SQL script of plain statements (the sample databases under samples/): each statement
// ends with a ";" that ends a line outside quotes and brackets; "--" starts a comment that
// runs to the end of its line. Nothing else is parsed, so no GO, IF or BEGIN ... END blocks.
struct ScriptStatement {
  std::string text;  // without its final ";" and without comments
  int line = 0;      // the line it begins on, from 1
};

// Throws std::runtime_error, naming the line, when text is left after the last ";" or a
// quote or bracket is never closed.
std::vector<ScriptStatement> splitScript(std::string_view script);

// Executes every statement of the file on the connection, one call each, in order. A
// statement the database refuses ends the load with its db::Error, the message prefixed by
// "file:line: ".
void runScriptFile(db::Connection& connection, const std::filesystem::path& file);

}  // namespace testsupport
