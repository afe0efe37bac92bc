#include <gtest/gtest.h>

#include "db/syntax/SyntaxTestSupport.h"

namespace db::embedded::syntax {
namespace {

using testing::shape;

// The select list's one expression, as the printer shows it.
std::string value(const std::string& expression) {
  const std::string s = shape("select " + expression);
  return s.substr(std::string("(select ").size(), s.size() - std::string("(select ").size() - 1);
}

// The WHERE condition, as the printer shows it.
std::string condition(const std::string& text) {
  const std::string s = shape("select 1 where " + text);
  const std::string prefix = "(select 1 (where ";
  return s.substr(prefix.size(), s.size() - prefix.size() - 2);
}

TEST(ExpressionShapeTest, ArithmeticFollowsTsqlPrecedence) {
  EXPECT_EQ(value("1 + 2 * 3"), "(+ 1 (* 2 3))");
  EXPECT_EQ(value("1 - 2 - 3"), "(- (- 1 2) 3)");
  EXPECT_EQ(value("(1 + 2) * 3"), "(* (+ 1 2) 3)");
  EXPECT_EQ(value("a % b / c"), "(/ (% a b) c)");
  // & ^ | share the level of + and -.
  EXPECT_EQ(value("a | b & c + d"), "(+ (& (| a b) c) d)");
  EXPECT_EQ(value("~a * -b"), "(* (~ a) (- b))");
  EXPECT_EQ(value("- - 1"), "(- (- 1))");
}

TEST(ExpressionShapeTest, ConditionsBindNotThenAndThenOr) {
  EXPECT_EQ(condition("a = 1 or b = 2 and c = 3"), "(or (= a 1) (and (= b 2) (= c 3)))");
  EXPECT_EQ(condition("not a = 1 and b = 2"), "(and (not (= a 1)) (= b 2))");
  EXPECT_EQ(condition("(a = 1 or b = 2) and c = 3"), "(and (or (= a 1) (= b 2)) (= c 3))");
  EXPECT_EQ(condition("a + 1 >= b * 2"), "(>= (+ a 1) (* b 2))");
  EXPECT_EQ(condition("(a + 1) <> 2"), "(<> (+ a 1) 2)");
  EXPECT_EQ(condition("a != 1 and a !< 2 and a !> 3"), "(and (and (<> a 1) (!< a 2)) (!> a 3))");
}

TEST(ExpressionShapeTest, Predicates) {
  EXPECT_EQ(condition("a is not null"), "(is-not-null a)");
  EXPECT_EQ(condition("a not like N'%ب%' escape '!'"), "(not-like a N'%ب%' escape '!')");
  EXPECT_EQ(condition("a between 1 and 2 and b = 3"), "(and (between a 1 2) (= b 3))");
  EXPECT_EQ(condition("a not between b + 1 and c"), "(not-between a (+ b 1) c)");
  EXPECT_EQ(condition("a in (1, 2, (3))"), "(in a (1 2 3))");
  EXPECT_EQ(condition("a not in (select b from t)"), "(not-in a (select b (from t)))");
  EXPECT_EQ(condition("exists (select * from t where t.x = u.x)"), "(exists (select * (from t) (where (= t.x u.x))))");
  EXPECT_EQ(condition("a > all (select b from t)"), "(> all a (select b (from t)))");
  EXPECT_EQ(condition("a = some (select b from t)"), "(= some a (select b (from t)))");
}

TEST(ExpressionShapeTest, LiteralsAreKeptAsWritten) {
  EXPECT_EQ(value("12, 1.50, 2e3, $12.50, 0x1F, N'it''s', 'x', NULL"),
            "12 1.50 2e3 $12.50 0x1F N'it''s' 'x' NULL");
  const Batch batch = parseBatch("select 1.50, $3, N'x'");
  const auto& items = batch.statements[0]->as<SelectStatement>().query->body->as<SelectSpec>().items;
  EXPECT_EQ(items[0].expression->as<Literal>().literalKind, LiteralKind::Decimal);
  EXPECT_EQ(items[1].expression->as<Literal>().literalKind, LiteralKind::Money);
  EXPECT_EQ(items[1].expression->as<Literal>().value, "3");
  EXPECT_TRUE(items[2].expression->as<Literal>().national);
}

TEST(ExpressionShapeTest, NamesVariablesAndParameters) {
  EXPECT_EQ(value("db.dbo.t.c, [a b].\"c\", db..t, @v, @@ROWCOUNT, :p1"),
            "db.dbo.t.c [a b].[c] db..t @v @@ROWCOUNT :p1");
}

TEST(ExpressionShapeTest, FunctionsCastsAndCase) {
  EXPECT_EQ(value("dbo.F(1, @a), count(*), COUNT(DISTINCT x), GETDATE(), CURRENT_TIMESTAMP, left(a, 2)"),
            "(call dbo.F 1 @a) (call count *) (call COUNT distinct x) (call GETDATE) "
            "(call CURRENT_TIMESTAMP niladic) (call left a 2)");
  EXPECT_EQ(value("CAST(a AS nvarchar(max)), CONVERT(varchar(8), GETDATE(), 108), CONVERT(decimal(18, 2), b)"),
            "(cast a nvarchar(max)) (convert varchar(8) (call GETDATE) 108) (convert decimal(18, 2) b)");
  EXPECT_EQ(value("CASE x WHEN 1 THEN 'a' ELSE 'b' END"), "(case x (when 1 'a') (else 'b'))");
  EXPECT_EQ(value("CASE WHEN a = 1 OR b IS NULL THEN 1 END"), "(case (when (or (= a 1) (is-null b)) 1))");
  EXPECT_EQ(value("a COLLATE Arabic_CI_AS + b"), "(+ (collate a Arabic_CI_AS) b)");
  EXPECT_EQ(value("IIF(a > 1, 'x', 'y')"), "(call IIF (> a 1) 'x' 'y')");
}

TEST(ExpressionShapeTest, WindowFunctionsAndSubqueries) {
  EXPECT_EQ(value("ROW_NUMBER() OVER (PARTITION BY a, b ORDER BY c DESC, d)"),
            "(call ROW_NUMBER (over (partition a b) (order c desc d)))");
  EXPECT_EQ(value("SUM(x) OVER (ORDER BY y)"), "(call SUM x (over (order y)))");
  EXPECT_EQ(value("(select max(a) from t) + 1"), "(+ (subquery (select (call max a) (from t))) 1)");
}

TEST(ExpressionShapeTest, SpansCoverTheTextAsWritten) {
  const std::string text = "select (a + 1) * 2 as v from t";
  const Batch batch = parseBatch(text);
  const auto& item = batch.statements[0]->as<SelectStatement>().query->body->as<SelectSpec>().items[0];
  EXPECT_EQ(item.expression->span.textIn(text), "(a + 1) * 2");
  EXPECT_EQ(item.expression->as<Binary>().left->span.textIn(text), "(a + 1)");
  EXPECT_EQ(item.span.textIn(text), "(a + 1) * 2 as v");
}

}  // namespace
}  // namespace db::embedded::syntax
