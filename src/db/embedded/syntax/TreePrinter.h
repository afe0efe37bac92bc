#pragma once

#include <string>

#include "db/embedded/syntax/SyntaxTree.h"

namespace db::embedded::syntax {

// The tree as one S-expression-like line, for tests and debugging: operators come first and
// every nested node is parenthesized, so precedence and nesting read at a glance:
//   "a + b * c" -> (+ a (* b c));   "IF x = 1 PRINT 'y'" -> (if (= x 1) (print 'y')).
// Names and literals print as written; keywords of the tree print in lower case.
std::string toSExpression(const Expression& expression);
std::string toSExpression(const Query& query);
std::string toSExpression(const Statement& statement);
std::string toSExpression(const Batch& batch);  // its statements, one per line

}  // namespace db::embedded::syntax
