#include <gtest/gtest.h>

#include "db/Error.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {
namespace {

std::vector<std::string> texts(std::string_view batch) {
  std::vector<std::string> out;
  for (const Token& t : tokenize(batch, Dialect::SqlServer))
    if (t.kind != TokenKind::End) out.push_back(t.text);
  return out;
}

TEST(SyntaxTokenizerTest, LineCommentsEndAtCrLfOrCrLf) {
  // Module texts end their lines with a lone CR: the statement after the comment survives.
  using V = std::vector<std::string>;
  EXPECT_EQ(texts("select 1 -- one\rselect 2"), (V{"select", "1", "select", "2"}));
  EXPECT_EQ(texts("select 1 -- one\nselect 2"), (V{"select", "1", "select", "2"}));
  EXPECT_EQ(texts("select 1 -- one\r\nselect 2 --"), (V{"select", "1", "select", "2"}));
}

TEST(SyntaxTokenizerTest, BlockCommentsNestAndMayHoldLineEnds) {
  EXPECT_EQ(texts("a /* x /* y */ -- z\r */ b"), (std::vector<std::string>{"a", "b"}));
  try {
    tokenize("a /* x /* y */ b", Dialect::SqlServer);
    FAIL() << "an unclosed nested comment was accepted";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 113);
  }
}

}  // namespace
}  // namespace db::embedded
