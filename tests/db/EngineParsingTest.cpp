#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "db/embedded/Parser.h"
#include "db/embedded/syntax/Tokenizer.h"
#include "db/embedded/Translator.h"

namespace {

using namespace db::embedded;

TEST(EngineTokenizerTest, QuotesCommentsVariablesAndParameters) {
  const auto tokens = tokenize(
      "select [a]]b], \"q\", N'it''s', 'x' /* one /* nested */ comment */ -- to the end\n@v, @@ROWCOUNT, :p1, 0x1F, "
      "1.5e3",
      Dialect::SqlServer);
  std::vector<std::pair<TokenKind, std::string>> got;
  for (const Token& t : tokens)
    if (!t.isSymbol(",")) got.emplace_back(t.kind, t.value);
  const std::vector<std::pair<TokenKind, std::string>> expected = {{TokenKind::Word, "select"},
                                                                   {TokenKind::QuotedName, "a]b"},
                                                                   {TokenKind::QuotedName, "q"},
                                                                   {TokenKind::String, "it's"},
                                                                   {TokenKind::String, "x"},
                                                                   {TokenKind::Variable, "@v"},
                                                                   {TokenKind::Variable, "@@ROWCOUNT"},
                                                                   {TokenKind::Parameter, "p1"},
                                                                   {TokenKind::Binary, "0x1F"},
                                                                   {TokenKind::Number, "1.5e3"},
                                                                   {TokenKind::End, ""}};
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(tokens[2].isSymbol(","));
  EXPECT_TRUE(tokens[5].national);
}

TEST(EngineTokenizerTest, JetReadsDoubleQuotesAsText) {
  const auto tokens = tokenize("select \"x\"", Dialect::Jet);
  EXPECT_EQ(tokens[1].kind, TokenKind::String);
}

TEST(EngineTokenizerTest, UnclosedCommentIsRefused) {
  const db::Error e = enginetest::errorOf([] { tokenize("select 1 /* open", Dialect::SqlServer); });
  EXPECT_EQ(e.number(), 113);
  EXPECT_EQ(e.message(), "Missing end comment mark '*/'.");
}

// How a batch splits into statements without ';'.
std::vector<std::string> statementTexts(const std::string& batch) {
  const auto tokens = tokenize(batch, Dialect::SqlServer);
  std::vector<std::string> texts;
  for (const Statement& s : Parser(batch, tokens, Dialect::SqlServer).parseBatch()) {
    if (const auto* data = std::get_if<DataStatement>(&s)) {
      texts.push_back(batch.substr(tokens[data->firstToken].begin,
                                   tokens[data->endToken - 1].end - tokens[data->firstToken].begin));
    } else {
      texts.push_back(s.index() == 0 ? "<create table>" : "<other>");
    }
  }
  return texts;
}

TEST(EngineParserTest, DataStatementsEndWhereTheNextBegins) {
  using S = std::vector<std::string>;
  EXPECT_EQ(statementTexts("insert into T values (1) insert into T values (2)"),
            (S{"insert into T values (1)", "insert into T values (2)"}));
  EXPECT_EQ(statementTexts("insert into T (a) select a from U union all select 1 select 2"),
            (S{"insert into T (a) select a from U union all select 1", "select 2"}));
  EXPECT_EQ(statementTexts("update T set a = case when b = 1 then 2 else 3 end where c = 1\r\nselect * from T"),
            (S{"update T set a = case when b = 1 then 2 else 3 end where c = 1", "select * from T"}));
  EXPECT_EQ(statementTexts("select * from T with (nolock) where a in (select a from U); delete from T"),
            (S{"select * from T with (nolock) where a in (select a from U)", "delete from T"}));
  EXPECT_EQ(statementTexts("select 1 create table T( K  int)"), (S{"select 1", "<create table>"}));
}

TEST(EngineParserTest, TypeTextsAndQualifiersAreKeptAsWritten) {
  const std::string batch =
      "create table dbo.T( [To]  nvarchar(50)  NOT NULL  PRIMARY KEY, Kind nchar(2) not null "
      "default('MV'), Seq int identity(10, -2), AccInt AS (CONVERT(int,AccCode,0)))";
  const auto tokens = tokenize(batch, Dialect::SqlServer);
  const auto statements = Parser(batch, tokens, Dialect::SqlServer).parseBatch();
  ASSERT_EQ(statements.size(), 1u);
  const auto& create = std::get<CreateTable>(statements[0]);
  EXPECT_EQ(create.table.name, "T");
  EXPECT_EQ(create.table.written, "dbo.T");
  ASSERT_EQ(create.columns.size(), 4u);
  EXPECT_EQ(create.columns[0].name, "To");
  EXPECT_EQ(create.columns[0].type->written, "nvarchar(50)");
  EXPECT_EQ(create.columns[0].notNull, true);
  EXPECT_EQ(create.columns[0].constraints.at(0).kind, TableConstraint::PrimaryKey);
  EXPECT_EQ(create.columns[1].defaultValue->expression, "('MV')");
  EXPECT_EQ(create.columns[2].identity->seed, 10);
  EXPECT_EQ(create.columns[2].identity->increment, -2);
  EXPECT_EQ(create.columns[3].computed, "(CONVERT(int,AccCode,0))");
}

std::string translated(const std::string& select) {
  const auto tokens = tokenize(select, Dialect::SqlServer);
  return Translator(tokens, Dialect::SqlServer).translate(0, tokens.size() - 1).sql;
}

TEST(EngineTranslatorTest, TsqlBecomesSqlite) {
  const std::pair<const char*, const char*> cases[] = {
      {"select top 5 [Name] from dbo.[My Table]", "select \"Name\" from \"My Table\" LIMIT 5"},
      {"select N'it''s'", "select 'it''s'"},
      {"select ISNULL(a, 0) from Benvo.dbo.T", "select IFNULL ( a , 0 ) from T"},
      {"select CONVERT(nvarchar(10), K, 111), CAST(x AS money) from T",
       "select __morav_convert(K, 'nvarchar', '10', 111) , __morav_convert(x, 'money', '', NULL) from T"},
      {"select CAST(3.0 AS int)", "select __morav_convert(__morav_literal('3.0', 'number'), 'int', '', NULL)"},
      {"select name from master..sysdatabases", "select name from temp.\"sysdatabases\""},
      {"select * from INFORMATION_SCHEMA.COLUMNS", "select * from temp.\"information_schema.columns\""},
      {"select T.a from T with (nolock) where a !< 2", "select T.a from T where a >= 2"},
      {"select left(a, 2) from T", "select \"left\" ( a , 2 ) from T"},
  };
  for (const auto& [tsql, sqlite] : cases) EXPECT_EQ(translated(tsql), sqlite) << tsql;
}

}  // namespace
