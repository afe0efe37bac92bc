#pragma once

#include <string_view>

#include "db/embedded/syntax/SyntaxTree.h"

namespace db::embedded::syntax {

// How deeply anything may nest (parentheses, subqueries, CASEs, BEGIN ... END, IFs, WHILEs),
// counted together. SQL Server stops some constructs at 32 levels and takes deeper
// expressions; 128 levels are more than any text we send and stay far inside the stack of a
// worker thread. Deeper texts are refused with SQL Server's 191 ("nested too deeply").
inline constexpr int kMaxNesting = 128;

// Reads a T-SQL batch into its tree, without running anything or looking at any catalog.
// Throws db::Error for a batch SQL Server refuses to compile, with its number, its text and
// the line of the batch it names.
Batch parseBatch(std::string_view text);

}  // namespace db::embedded::syntax
