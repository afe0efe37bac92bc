#pragma once

#include <ostream>

#include "db/Results.h"

namespace cli {

enum class ResultsFormat { Table, Csv, Json };

// What a console command returned, for a person or a script: the result sets (an aligned table,
// CSV with a header line, or one JSON document), then the messages and the rows affected in the
// order the batch sent them (to `notes`, so that CSV stays CSV; the same stream as `out` for a
// table).
void printResults(const db::Results& results, ResultsFormat format, std::ostream& out, std::ostream& notes);

}  // namespace cli
