#include <gtest/gtest.h>

#include "db/syntax/SyntaxTestSupport.h"

namespace db::embedded::syntax {
namespace {

using testing::refusal;

void expectRefusal(std::string_view batch, int number, const std::string& message, int line = 1) {
  const Error e = refusal(batch);
  EXPECT_EQ(e.number(), number) << batch;
  EXPECT_EQ(e.message(), message) << batch;
  EXPECT_EQ(e.line(), line) << batch;
}

TEST(SyntaxRefusalTest, IncorrectSyntaxNamesTheTokenOrTheKeyword) {
  expectRefusal("select * from t t1 join u", 102, "Incorrect syntax near 'u'.");
  expectRefusal("select * from t where a in ()", 102, "Incorrect syntax near ')'.");
  expectRefusal("exec p 1+1", 102, "Incorrect syntax near '+'.");  // arguments are constants or variables
  expectRefusal("else print 1", 156, "Incorrect syntax near the keyword 'else'.");
  expectRefusal("begin end", 156, "Incorrect syntax near the keyword 'end'.");
  expectRefusal("begin try end try begin catch end catch", 156, "Incorrect syntax near the keyword 'end'.");
  expectRefusal("select top 5 from t", 156, "Incorrect syntax near the keyword 'from'.");
  expectRefusal("declare @a int, @t table (a int)", 156, "Incorrect syntax near the keyword 'table'.");
  expectRefusal("select 1 from t where a = 1 = 2", 102, "Incorrect syntax near '='.");
  // An empty key list, as EnsureTable sends it without a key column.
  expectRefusal("create table dbo.T(   )", 102, "Incorrect syntax near ')'.");
  // Bracketed, a reserved word is a name.
  EXPECT_NO_THROW(parseBatch("select [select] from t where [from] = 1"));
}

TEST(SyntaxRefusalTest, AtTheEndOfTheTextTheLastTokenIsNamed) {
  expectRefusal("select * from", 156, "Incorrect syntax near the keyword 'from'.");
  expectRefusal("update t set a = 1 where", 156, "Incorrect syntax near the keyword 'where'.");
  expectRefusal("select 1 +", 102, "Incorrect syntax near '+'.");
  expectRefusal("if 1 = 1", 102, "Incorrect syntax near '1'.");
  expectRefusal("create proc p as", 156, "Incorrect syntax near the keyword 'as'.");
}

TEST(SyntaxRefusalTest, ModulesMustBeginTheirBatch) {
  expectRefusal("select 1\ncreate view v as select 1", 111, "'CREATE VIEW' must be the first statement in a query batch.",
                2);
  expectRefusal("if 1=1 create procedure p as select 1", 111,
                "'CREATE/ALTER PROCEDURE' must be the first statement in a query batch.");
  expectRefusal("print 1\r\nalter procedure p as select 1", 111,
                "'CREATE/ALTER PROCEDURE' must be the first statement in a query batch.", 2);
  expectRefusal("select 1; create function f() returns int as begin return 1 end", 111,
                "'CREATE FUNCTION' must be the first statement in a query batch.");
  expectRefusal("print 1\rcreate trigger tr on t after insert as print 1", 111,
                "'CREATE TRIGGER' must be the first statement in a query batch.", 2);
  expectRefusal("print 1 alter view v as select 1", 111, "'ALTER VIEW' must be the first statement in a query batch.");
  // A view is the only statement of its batch.
  expectRefusal("create view v as select 1 select 2", 156, "Incorrect syntax near the keyword 'select'.");
  // Comments before the module do not count as statements.
  EXPECT_NO_THROW(parseBatch("-- a view\r/* of */ create view v as select 1"));
}

TEST(SyntaxRefusalTest, GoIsRefusedWhereTheServerRefusesIt) {
  expectRefusal("create table t (a int)\nGO\nselect 1", 102, "Incorrect syntax near 'GO'.", 2);
  expectRefusal("select 1;\rGO", 102, "Incorrect syntax near 'GO'.", 2);
}

TEST(SyntaxRefusalTest, ACommonTableExpressionNeedsTheSemicolonBeforeIt) {
  expectRefusal("select 1\nwith c as (select 1 a) select * from c", 319,
                "Incorrect syntax near the keyword 'with'. If this statement is a common table expression, an "
                "xmlnamespaces clause or a change tracking context clause, the previous statement must be terminated "
                "with a semicolon.",
                2);
  expectRefusal("if 1 = 1 with c as (select 1 a) select * from c", 319,
                "Incorrect syntax near the keyword 'with'. If this statement is a common table expression, an "
                "xmlnamespaces clause or a change tracking context clause, the previous statement must be terminated "
                "with a semicolon.");
  EXPECT_NO_THROW(parseBatch("select 1;\nwith c as (select 1 a) select * from c"));
}

TEST(SyntaxRefusalTest, ConditionsAndValuesAreKeptApart) {
  expectRefusal("if @x begin print 1 end", 4145,
                "An expression of non-boolean type specified in a context where a condition is expected, near 'begin'.");
  expectRefusal("select 1 from t where a = 1 and b", 4145,
                "An expression of non-boolean type specified in a context where a condition is expected, near 'b'.");
  expectRefusal("select (1 = 1)", 102, "Incorrect syntax near '='.");
  expectRefusal("select (a is null) + 1", 156, "Incorrect syntax near the keyword 'is'.");
}

TEST(SyntaxRefusalTest, UnknownSetOptionsUnclosedTextsAndWhatTheEngineDoesNotRun) {
  expectRefusal("set fooption on", 195, "'fooption' is not a recognized SET option.");
  expectRefusal("print 1\rselect 'abc", 105, "Unclosed quotation mark after the character string 'abc'.", 2);
  expectRefusal("select 1 /* x", 113, "Missing end comment mark '*/'.");
  for (const char* batch : {"goto x", "x: print 1", "merge t using u on 1=1 when matched then delete;",
                            "select a from t order by a offset 1 rows", "select a from t for xml auto"}) {
    const Error e = refusal(batch);
    EXPECT_EQ(e.number(), 0) << batch;
    EXPECT_NE(e.message().find("does not support"), std::string::npos) << batch;
  }
}

TEST(SyntaxRefusalTest, LinesEndAtCrLfOrCrLf) {
  expectRefusal("print 1\rprint 2\r\nprint 3\nselect * from", 156, "Incorrect syntax near the keyword 'from'.", 4);
  expectRefusal("print 1 -- a comment\rselect ,", 102, "Incorrect syntax near ','.", 2);
  const Batch batch = parseBatch("print 1\r\rprint 2\n\nprint 3");
  EXPECT_EQ(batch.statements[1]->span.line, 3);
  EXPECT_EQ(batch.statements[2]->span.line, 5);
}

std::string repeated(std::string_view s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

TEST(SyntaxRefusalTest, DeepNestingIsRefusedNotOverflowed) {
  const std::string nestedTooDeeply =
      "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into smaller queries.";
  const int n = 10000;
  for (const std::string& batch : {
           "select " + repeated("(", n) + "1" + repeated(")", n),
           repeated("begin ", n) + "print 1" + repeated(" end", n),
           repeated("if 1 = 1 ", n) + "print 1",
           repeated("while 1 = 1 ", n) + "break",
           "select " + repeated("(select ", n) + "1" + repeated(")", n),
           "select * from t where a in " + repeated("(select a from t where a in ", n) + "(1)" + repeated(")", n),
           "select 1 where " + repeated("not ", n) + "1 = 1",
           "select " + repeated("- ", n) + "1",
           "select " + repeated("case when 1 = 1 then ", n) + "1" + repeated(" end", n),
           "select * from " + repeated("(", n) + "t" + repeated(")", n),
       }) {
    const Error e = refusal(batch);
    EXPECT_EQ(e.number(), 191) << batch.substr(0, 40);
    EXPECT_EQ(e.message(), nestedTooDeeply);
  }
  // Well inside the limit, nesting is taken.
  EXPECT_NO_THROW(parseBatch("select " + repeated("(", 100) + "1" + repeated(")", 100)));
  EXPECT_NO_THROW(parseBatch(repeated("begin ", 60) + "print 1" + repeated(" end", 60)));
  EXPECT_NO_THROW(parseBatch("select " + repeated("(select ", 40) + "1" + repeated(")", 40)));
}

}  // namespace
}  // namespace db::embedded::syntax
