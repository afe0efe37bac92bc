#include "support/SqlScript.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "db/Error.h"

namespace testsupport {

namespace {

bool blank(std::string_view s) { return s.find_first_not_of(" \t\r\n") == std::string_view::npos; }

void trimEnd(std::string& text) {
  const size_t end = text.find_last_not_of(" \t\r");
  text.erase(end == std::string::npos ? 0 : end + 1);
}

// Removes trailing blanks and reports whether the text then ends with ";", which goes too,
// with the blanks before it.
bool takeTerminator(std::string& text) {
  trimEnd(text);
  if (text.empty() || text.back() != ';') return false;
  text.pop_back();
  trimEnd(text);
  return true;
}

}  // namespace

std::vector<ScriptStatement> splitScript(std::string_view script) {
  std::vector<ScriptStatement> statements;
  ScriptStatement current;
  char closing = 0;  // the character that closes the open quote or bracket, 0 outside
  int line = 1;
  int openedOn = 0;
  for (size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (closing == 0 && c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
      while (i + 1 < script.size() && script[i + 1] != '\n') ++i;
      continue;
    }
    if (closing != 0) {
      // A doubled closing character ('' or ]]) stands for itself and closes nothing: the
      // second one reopens what the first closed.
      if (c == closing) closing = 0;
    } else if (c == '\'') {
      closing = '\'';
      openedOn = line;
    } else if (c == '[') {
      closing = ']';
      openedOn = line;
    }
    if (c == '\n') {
      if (closing == 0 && takeTerminator(current.text)) {
        statements.push_back(std::move(current));
        current = {};
      } else if (!current.text.empty()) {
        current.text += '\n';
      }
      ++line;
      continue;
    }
    if (current.text.empty()) {
      if (c == ' ' || c == '\t' || c == '\r') continue;
      current.line = line;
    }
    current.text += c;
  }
  if (closing != 0)
    throw std::runtime_error("line " + std::to_string(openedOn) + ": the " +
                             (closing == ']' ? "bracket" : "quote") + " opened here is never closed");
  if (takeTerminator(current.text)) {
    statements.push_back(std::move(current));
  } else if (!blank(current.text)) {
    throw std::runtime_error("line " + std::to_string(current.line) +
                             ": the statement that begins here does not end with \";\" at the end of a line");
  }
  return statements;
}

void runScriptFile(db::Connection& connection, const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read the script " + file.string());
  std::ostringstream text;
  text << in.rdbuf();
  std::vector<ScriptStatement> statements;
  try {
    statements = splitScript(text.str());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(file.string() + ": " + e.what());
  }
  for (const ScriptStatement& statement : statements) {
    try {
      connection.execute(statement.text);
    } catch (const db::Error& e) {
      throw db::Error(e.className(), file.string() + ":" + std::to_string(statement.line) + ": " + e.message(),
                      e.number(), e.sqlState());
    }
  }
}

}  // namespace testsupport
