#include <gtest/gtest.h>

#include "db/syntax/SyntaxTestSupport.h"

// What the binder and the runtime read from the tree beyond its shape: names by part, types by
// argument, places in the text.
namespace db::embedded::syntax {
namespace {

template <class T>
const T& only(const Batch& batch) {
  EXPECT_EQ(batch.statements.size(), 1u);
  return batch.statements.at(0)->as<T>();
}

TEST(TreeDetailsTest, NamesByPart) {
  const Batch batch = parseBatch("drop table srv.db.dbo.[my table], db..t, t");
  const auto& names = only<DropObjectsStatement>(batch).names;
  EXPECT_EQ(names[0].object(), "my table");
  EXPECT_TRUE(names[0].parts.back().quoted);
  EXPECT_EQ(names[0].schema(), "dbo");
  EXPECT_EQ(names[0].qualifier(2), "db");
  EXPECT_EQ(names[1].schema(), "");
  EXPECT_EQ(names[1].qualifier(2), "db");
  EXPECT_EQ(names[2].schema(), "");
}

TEST(TreeDetailsTest, TypesByArgumentAndAsWritten) {
  const Batch batch = parseBatch("declare @a nvarchar (max), @b decimal(18,2), @c double precision, @d int");
  const auto& v = only<DeclareStatement>(batch).variables;
  EXPECT_TRUE(v[0].type->isMax());
  EXPECT_EQ(v[0].type->text, "nvarchar (max)");
  EXPECT_EQ(v[1].type->arguments, (std::vector<std::string>{"18", "2"}));
  EXPECT_EQ(v[2].type->name.object(), "double precision");
  EXPECT_TRUE(v[3].type->arguments.empty());
}

TEST(TreeDetailsTest, ColumnDetails) {
  const Batch batch = parseBatch("create table t (id int identity(-5, -1) not null rowguidcol, n nchar(5) null)");
  const auto& columns = only<CreateTableStatement>(batch).columns;
  EXPECT_EQ(columns[0].identity->seed, "-5");
  EXPECT_EQ(columns[0].identity->increment, "-1");
  EXPECT_EQ(columns[0].nullable, false);
  EXPECT_TRUE(columns[0].rowGuidCol);
  EXPECT_EQ(columns[1].nullable, true);
}

TEST(TreeDetailsTest, ModuleBodiesKeepTheirStatementsAndLines) {
  const std::string text = "create procedure p @a int = -1 output, @b nvarchar(5) = null readonly\ras\rprint 1\r"
                           "if @a = 1\rbegin\r  select 1\rend";
  const Batch batch = parseBatch(text);
  const auto& p = only<CreateProcedureStatement>(batch);
  EXPECT_EQ(p.module.text, text);
  EXPECT_EQ(p.module.name.object(), "p");
  EXPECT_TRUE(p.parameters[0].output);
  EXPECT_TRUE(p.parameters[1].readOnly);
  ASSERT_EQ(p.body.size(), 2u);
  EXPECT_EQ(p.body[0]->span.line, 3);
  const auto& block = p.body[1]->as<IfStatement>().then->as<BlockStatement>();
  EXPECT_EQ(block.span.line, 5);
  EXPECT_EQ(block.statements[0]->span.line, 6);
  EXPECT_EQ(block.statements[0]->span.textIn(text), "select 1");
}

TEST(TreeDetailsTest, AnErrorInsideAModuleNamesItsLineInTheBatch) {
  const Error e = testing::refusal("create procedure p as\rprint 1\rselect * from\rwhere");
  EXPECT_EQ(e.number(), 156);
  EXPECT_EQ(e.line(), 4);
}

TEST(TreeDetailsTest, StatementSpansLeaveTheirSemicolonOut) {
  const std::string text = "update t set a = 1 ;  delete t;";
  const Batch batch = parseBatch(text);
  EXPECT_EQ(batch.statements[0]->span.textIn(text), "update t set a = 1");
  EXPECT_EQ(batch.statements[1]->span.textIn(text), "delete t");
}

TEST(TreeDetailsTest, ExecuteArgumentsAndTargets) {
  const Batch batch = parseBatch("exec @p @x = N'a', 3 out");
  const auto& e = only<ExecuteStatement>(batch);
  EXPECT_EQ(e.procedureVariable, "@p");
  EXPECT_EQ(e.arguments[0].parameter, "@x");
  EXPECT_TRUE(e.arguments[0].value->as<Literal>().national);
  EXPECT_TRUE(e.arguments[1].output);
  const Batch insert = parseBatch("insert into @t (a) values (1)");
  EXPECT_EQ(only<InsertStatement>(insert).target.variable, "@t");
}

}  // namespace
}  // namespace db::embedded::syntax
