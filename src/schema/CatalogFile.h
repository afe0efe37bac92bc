#pragma once

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "db/Text.h"
#include "schema/CatalogEntry.h"

namespace schema {

// A fault in a catalog data file, with the file name and line number.
class CatalogFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses a table catalog file. One directive per line; '#' starts a comment line;
// blank lines are ignored. Names and types are separated by "|"; blanks around a name
// or a type carry no meaning and are trimmed, inner blanks are kept.
//
//   defaults extra-tick        every following step makes the extra step-gauge tick
//   defaults no-extra-tick     (the default) they do not
//   defaults missing-column-hint "TEXT"
//                              every following step adds TEXT to the server's message when one
//                              of its statements names a column the table lacks
//   step NAME                  starts an entry; its table is NAME unless a table line follows
//   table NAME                 the table the step works on
//   key NAME | TYPE            the created-with pair; a bare "key" means no key column
//   column NAME | TYPE         a column ensured (added when missing)
//   alter NAME | TYPE          a column altered when present, in its place in the list
//   gauge after-columns|none   where the step gauge is set up (default: before the columns)
//   extra-tick | no-extra-tick this entry only
//   command "TEXT"             a statement sent through the command object, after the column
//                              entries above it and before those below
//   query "LINE"               likewise, a query batch (executed, no rows read)
//   line "LINE"                one more line of the query batch just above
//   param NAME "TEXT"          a text parameter of the query batch just above (":NAME" in it)
//   if-no-rows "QUERY"         the next statement is sent only when QUERY finds no rows
//   if-table-missing           the next statement is sent only when the step's table is missing
//   before-step command|query ...    sent before the step sets CurrentTable
//   before-create command|query ...  sent after CurrentTable is set, before the table is ensured
//   after-ticks command|query ...    sent after the step's gauge ticks
//   pending                    the step has statements of its own not carried yet (it is not
//                              registered, so a run stops there)
//
// A statement text is everything between the first and the last double quote of its line, so
// its outer blanks are kept. In it {CurrentTable} stands for the step's table, replaced when the
// statement is sent, and {CR} for a carriage return.
std::vector<CatalogEntry> parseCatalog(std::string_view text, std::string_view fileName);

// A statement text as the data files write it: the text between the double quotes that open and
// close `field`, with {CR} made a carriage return (a line of a file cannot hold one). nullopt
// when `field` is not a non-empty text in double quotes.
std::optional<std::string> quotedText(std::string_view field);

// Calls `line` with each line of a data file, its blanks trimmed, in order (the last line too,
// whether or not a line feed ends it): the line reader of every data-file parser.
template <typename F>
void forEachTrimmedLine(std::string_view text, F&& line) {
  size_t pos = 0;
  while (pos <= text.size()) {
    const size_t end = std::min(text.find('\n', pos), text.size());
    line(db::trimBlanks(text.substr(pos, end - pos)));
    pos = end + 1;
  }
}

}  // namespace schema
