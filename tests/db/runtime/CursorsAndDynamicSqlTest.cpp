// Cursors, dynamic SQL (EXEC (...) and sp_executesql) and @@ROWCOUNT.
#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "support/EngineFixture.h"

namespace {

using enginetest::errorOf;
using Rows = std::vector<std::vector<std::optional<std::string>>>;

class CursorsAndDynamicSqlTest : public testsupport::EngineFixture {
 protected:
  std::optional<std::string> scalar(const std::string& select) {
    return connection->query({select}, {}, db::QueryMode::Open).values.at(0).at(0);
  }
  Rows firstSet(const std::string& batch) {
    const db::Results results = connection->run(batch);
    const auto sets = results.resultSets();
    if (sets.empty()) {
      ADD_FAILURE() << "no result set";
      return {};
    }
    return sets.front()->values;
  }
};

TEST_F(CursorsAndDynamicSqlTest, ACursorWalksPersianRowsIntoVariables) {
  prepare("create table Customer( ID int, Name nvarchar(30), City nvarchar(30))");
  prepare("insert into Customer values (1, N'علی', N'تهران'), (2, N'مریم', N'شیراز'), (3, N'رضا', N'تهران')");
  const auto results = connection->run(
      "DECLARE @id int, @name nvarchar(30), @all nvarchar(200) = N'', @city nvarchar(30) = N'تهران'\r\n"
      "DECLARE c CURSOR LOCAL FAST_FORWARD FOR\r\n"
      "  select ID, Name from Customer where City = @city order by ID\r\n"
      "SET @city = N'شیراز'  -- the cursor keeps the value it was declared with\r\n"
      "OPEN c\r\n"
      "FETCH NEXT FROM c INTO @id, @name\r\n"
      "WHILE @@FETCH_STATUS = 0\r\n"
      "BEGIN\r\n"
      "  SET @all = @all + @name + N';'\r\n"
      "  FETCH NEXT FROM c INTO @id, @name\r\n"
      "END\r\n"
      "CLOSE c\r\n"
      "DEALLOCATE c\r\n"
      "select @all, @id, @@FETCH_STATUS");
  ASSERT_EQ(results.resultSets().size(), 1u);
  EXPECT_EQ(results.resultSets().front()->values, (Rows{{"علی;رضا;", "3", "-1"}}));
}

TEST_F(CursorsAndDynamicSqlTest, ScrollCursorsMoveEveryWayAndGlobalOnesOutliveTheirBatch) {
  prepare("create table N( V int)");
  prepare("insert into N values (10), (20), (30)");
  connection->execute("DECLARE g CURSOR SCROLL FOR select V from N order by V; OPEN g");
  const auto walked = firstSet(
      "DECLARE @v int, @seen nvarchar(50) = ''\r\n"
      "FETCH LAST FROM g INTO @v; SET @seen = @seen + CAST(@v AS nvarchar(5)) + ','\r\n"
      "FETCH PRIOR FROM g INTO @v; SET @seen = @seen + CAST(@v AS nvarchar(5)) + ','\r\n"
      "FETCH ABSOLUTE 1 FROM g INTO @v; SET @seen = @seen + CAST(@v AS nvarchar(5)) + ','\r\n"
      "FETCH RELATIVE 2 FROM g INTO @v; SET @seen = @seen + CAST(@v AS nvarchar(5))\r\n"
      "FETCH NEXT FROM g INTO @v\r\n"
      "select @seen, @@FETCH_STATUS");
  EXPECT_EQ(walked, (Rows{{"30,20,10,30", "-1"}}));
  // Without INTO a fetched row is a result set of its own.
  EXPECT_EQ(firstSet("FETCH FIRST FROM g"), (Rows{{"10"}}));
  connection->execute("CLOSE g; DEALLOCATE g");
  // A LOCAL cursor ends with its batch.
  connection->execute("DECLARE l CURSOR LOCAL FOR select V from N");
  EXPECT_EQ(errorOf([&] { connection->execute("OPEN l"); }).number(), 16916);
}

TEST_F(CursorsAndDynamicSqlTest, CursorRefusals) {
  prepare("create table N( V int, W int)");
  prepare("insert into N values (1, 2)");
  const auto number = [&](const std::string& batch) { return errorOf([&] { connection->execute(batch); }).number(); };
  EXPECT_EQ(number("OPEN nothing"), 16916);
  EXPECT_EQ(number("DECLARE c CURSOR LOCAL FOR select V from N; FETCH NEXT FROM c"), 16917);
  EXPECT_EQ(number("DECLARE c CURSOR LOCAL FOR select V from N; OPEN c; OPEN c"), 16905);
  EXPECT_EQ(number("DECLARE c CURSOR LOCAL FOR select V from N; DECLARE c CURSOR LOCAL FOR select W from N"), 16915);
  EXPECT_EQ(number("DECLARE @v int; DECLARE c CURSOR LOCAL FOR select V, W from N; OPEN c; FETCH NEXT FROM c INTO @v"),
            16924);
  EXPECT_EQ(number("DECLARE c CURSOR LOCAL FOR select V from N; OPEN c; FETCH PRIOR FROM c"), 16911);
  EXPECT_EQ(number("DECLARE c CURSOR LOCAL FOR select V from N; CLOSE c"), 16917);
  EXPECT_EQ(number("DECLARE c CURSOR LOCAL FOR select V from N; OPEN c; FETCH NEXT FROM c INTO @missing"), 137);
}

TEST_F(CursorsAndDynamicSqlTest, DynamicSqlRunsAsABatchOfItsOwnDdlIncluded) {
  prepare("create table T( ID int, Name nvarchar(20))");
  prepare("insert into T values (1, N'الف'), (2, N'ب')");
  connection->execute(
      "DECLARE @v nvarchar(128) = N'V_T', @s nvarchar(200)\r\n"
      "SET @s = N'create view ' + @v + N' as select ID, Name from T where ID > 1'\r\n"
      "EXEC (@s)\r\n"
      "EXEC ('alter table T add Extra int')");
  EXPECT_EQ(scalar("select count(*) from sys.views where name = 'V_T'"), "1");
  EXPECT_EQ(connection->columnNames("T"), (std::vector<std::string>{"ID", "Name", "Extra"}));
  // The text's own variables are its own; it cannot see the caller's.
  EXPECT_EQ(firstSet("DECLARE @x int = 5; EXEC (N'DECLARE @x int = 7; select @x'); select @x"), (Rows{{"7"}}));
  EXPECT_EQ(errorOf([&] { connection->execute("DECLARE @x int = 5; EXEC (N'select @x')"); }).number(), 137);
  // A text that does not compile fails its EXEC alone: the batch goes on.
  db::Results results;
  const db::Error e = errorOf([&] { connection->run("EXEC ('select 1 +'); print 'after'", {}, results); });
  EXPECT_EQ(e.number(), 102);
  ASSERT_FALSE(results.messages().empty());
  EXPECT_EQ(results.messages().back().text, "after");
}

TEST_F(CursorsAndDynamicSqlTest, SpExecutesqlBindsParametersAndReturnsOutputs) {
  prepare("create table T( ID int, Name nvarchar(20))");
  prepare("insert into T values (1, N'الف'), (2, N'ب'), (3, N'پ')");
  const auto rows = firstSet(
      "DECLARE @n int, @name nvarchar(20)\r\n"
      "EXEC sp_executesql N'select @count = count(*) from T where ID >= @low; "
      "select @first = Name from T where ID = @low',\r\n"
      "  N'@low int, @count int OUTPUT, @first nvarchar(20) OUTPUT',\r\n"
      "  @low = 2, @count = @n OUTPUT, @first = @name OUTPUT\r\n"
      "select @n, @name");
  EXPECT_EQ(rows, (Rows{{"2", "ب"}}));
  EXPECT_EQ(firstSet("EXEC sp_executesql N'select Name from T where ID = @p', N'@p int', 3"), (Rows{{"پ"}}));
  // The statement must be national text, and arguments must match the list.
  EXPECT_EQ(errorOf([&] { connection->execute("EXEC sp_executesql 'select 1'"); }).number(), 214);
  EXPECT_EQ(errorOf([&] { connection->execute("EXEC sp_executesql N'select @p', N'@p int', 1, 2"); }).number(), 8144);
}

TEST_F(CursorsAndDynamicSqlTest, RowCountFollowsEveryStatement) {
  prepare("create table T( ID int)");
  prepare("insert into T values (1), (2), (3)");
  EXPECT_EQ(firstSet("DECLARE @a int, @b int, @c int\r\n"
                     "update T set ID = ID where ID > 1; SET @a = @@ROWCOUNT\r\n"
                     "PRINT 'x'; SET @b = @@ROWCOUNT\r\n"
                     "BEGIN TRAN; COMMIT; select @c = @@ROWCOUNT\r\n"
                     "select @a, @b, @c"),
            (Rows{{"2", "0", "0"}}));
}

}  // namespace
