#include <gtest/gtest.h>

#include "db/embedded/types/Collation.h"

namespace {

using namespace db::embedded::types;

TEST(TypesCollationTest, CaseAndTrailingBlanksAreIgnoredEverythingElseKept) {
  EXPECT_EQ(compareText("Tehran", "TEHRAN  "), 0);
  EXPECT_EQ(compareText("Éa", "éA"), 0);
  EXPECT_NE(compareText("e", "é"), 0);   // accent-sensitive
  EXPECT_NE(compareText(" a", "a"), 0);  // leading blanks count
  EXPECT_LT(compareText("apple", "Banana"), 0);
  // Arabic yeh U+064A and Persian yeh U+06CC, Arabic kaf U+0643 and Persian kaf U+06A9 differ.
  EXPECT_NE(compareText("علي", "علی"), 0);
  EXPECT_NE(compareText("كتاب", "کتاب"), 0);
  EXPECT_EQ(compareText("ПРИВЕТ", "привет"), 0);
}

TEST(TypesCollationTest, SortKeysOrderAndGroupAsTheCollation) {
  EXPECT_EQ(sortKey("Ali "), sortKey("ALI"));
  EXPECT_LT(sortKey("ab"), sortKey("AC"));
  EXPECT_NE(sortKey("علي"), sortKey("علی"));
  EXPECT_LT(sortKey(""), sortKey("a"));
}

TEST(TypesCollationTest, LikeOnCharactersWithPersianPatterns) {
  EXPECT_TRUE(like("محمد رضایی", "محمد%"));
  EXPECT_TRUE(like("محمد رضایی", "%رضا_ی"));
  EXPECT_TRUE(like("علی", "عل_"));            // one character, two bytes
  EXPECT_FALSE(like("علی", "علي"));           // yeh is not normalised
  EXPECT_TRUE(like("کتاب", "[کك]تاب"));
  EXPECT_FALSE(like("كتاب", "[^ك]%"));
  EXPECT_TRUE(like("Tehran", "t%N"));
  EXPECT_TRUE(like("b", "[a-c]"));
  EXPECT_FALSE(like("d", "[a-c]"));
  EXPECT_TRUE(like("x", "[^a-c]"));
  EXPECT_TRUE(like("50%", "50!%", U'!'));
  EXPECT_FALSE(like("501", "50!%", U'!'));
  EXPECT_TRUE(like("a_b", "a[_]b"));
  EXPECT_TRUE(like("abc  ", "abc"));   // trailing blanks of the value may go unmatched
  EXPECT_FALSE(like("abc", "abc "));   // but the pattern's count
  EXPECT_TRUE(like("", "%"));
  EXPECT_FALSE(like("", "_"));
  EXPECT_TRUE(like("aXbXc", "%b%c"));
}

TEST(TypesCollationTest, PatternIndex) {
  EXPECT_EQ(patternIndex("%رضا%", "محمد رضایی"), 6);
  EXPECT_EQ(patternIndex("%[0-9]%", "abc4d"), 4);
  EXPECT_EQ(patternIndex("%z%", "abc"), 0);
  EXPECT_EQ(patternIndex("ab%", "abc"), 1);
}

}  // namespace
