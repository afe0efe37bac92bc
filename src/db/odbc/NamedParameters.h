#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db::odbc {

// A batch whose named parameters (":p1") have become ODBC markers ('?'), with the names in
// the order of the markers. A name used twice gives two markers.
struct MarkedBatch {
  std::string text;
  std::vector<std::string> names;  // without the ':'
};

// A parameter is ':' followed by a letter or '_' and then letters, digits and '_', where the
// ':' does not follow a name character or another ':'. Nothing inside a '...' literal, a
// "..." or [...] identifier, or a -- or /* */ comment is a parameter.
MarkedBatch markParameters(std::string_view batch);

}  // namespace db::odbc
