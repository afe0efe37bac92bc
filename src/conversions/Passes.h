#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "schema/Primitives.h"

namespace conversions {

class PassFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One re-declaration, addition or removal of a column.
struct PassEntry {
  enum class Primitive { Alter, Ensure, Drop };
  Primitive primitive;
  std::string table;
  std::string column;
  std::string type;  // appended to the statement unchanged (ignored by a drop)
};

// A step that works column by column across tables instead of following the table template.
struct Pass {
  enum class Kind {
    Conversion,  // fixed step-gauge maximum, then every entry in order
    CleanUp,     // one table: its column count as the step-gauge maximum, then the drops
  };
  Kind kind = Kind::Conversion;
  std::string step;
  int gaugeMaximum = 0;  // conversions only
  std::string table;     // clean-up only
  std::vector<PassEntry> entries;
};

// Parses a passes file. One directive per line, '#' comment lines, fields separated by '|'
// with the blanks around them trimmed:
//   pass STEP / clean-up STEP       starts a pass
//   gauge-maximum N                 the step gauge's maximum of a conversion pass
//   table NAME                      the table of a clean-up step
//   alter TABLE | COLUMN | TYPE     re-declare when present
//   ensure TABLE | COLUMN | TYPE    add when missing
//   drop COLUMN | TYPE              drop from the clean-up table when present
std::vector<Pass> parsePasses(std::string_view text, std::string_view fileName);

// The passes compiled into the program, in file order.
const std::vector<Pass>& allPasses();
const Pass* findPass(std::string_view step);

// Runs a pass with the main primitives. `currentTable` is the run's CurrentTable, which only
// the clean-up step sets. A clean-up whose table is missing does nothing but tick: there is
// nothing to drop, and the table's own step creates it later in the run.
void runPass(const Pass& pass, schema::Primitives& primitives, std::string& currentTable);

}  // namespace conversions
