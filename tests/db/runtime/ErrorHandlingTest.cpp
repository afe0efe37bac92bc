// TRY ... CATCH, RAISERROR, THROW and PRINT, and what a batch hands back to its caller.
#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "db/embedded/runtime/ErrorHandling.h"
#include "support/EngineFixture.h"

namespace {

using enginetest::errorOf;
using Row = std::vector<std::optional<std::string>>;

class ErrorHandlingTest : public testsupport::EngineFixture {
 protected:
  // The rows of the first result set of a batch run for its results.
  std::vector<Row> firstSet(const db::Results& results) {
    const auto sets = results.resultSets();
    if (sets.empty()) {
      ADD_FAILURE() << "no result set";
      return {};
    }
    return sets.front()->values;
  }
  std::vector<std::string> texts(const db::Results& results) {
    std::vector<std::string> out;
    for (const db::Message& m : results.messages()) out.push_back(m.text);
    return out;
  }
};

TEST_F(ErrorHandlingTest, ACatchBlockSeesTheErrorAndTheBatchGoesOn) {
  prepare("create table T( ID int PRIMARY KEY)");
  prepare("insert into T values (1)");
  const auto results = connection->run(
      "BEGIN TRY\r\n"
      "  insert into T values (2)\r\n"
      "  insert into T values (1)\r\n"
      "  insert into T values (3)\r\n"
      "END TRY\r\n"
      "BEGIN CATCH\r\n"
      "  select ERROR_NUMBER(), ERROR_SEVERITY(), ERROR_STATE(), ERROR_LINE(), ERROR_PROCEDURE(),\r\n"
      "         ERROR_MESSAGE()\r\n"
      "END CATCH\r\n"
      "select count(*) from T");
  const auto sets = results.resultSets();
  ASSERT_EQ(sets.size(), 2u);
  const Row& caught = sets[0]->values.at(0);
  EXPECT_EQ(caught[0], "2627");
  EXPECT_EQ(caught[1], "14");
  EXPECT_EQ(caught[2], "1");
  EXPECT_EQ(caught[3], "3");
  EXPECT_EQ(caught[4], std::nullopt);
  EXPECT_NE(caught[5]->find("PRIMARY KEY"), std::string::npos);
  // The row before the error stays; the one after it never ran; nothing reached the caller.
  EXPECT_EQ(sets[1]->values.at(0).at(0), "2");
  for (const db::Message& m : results.messages()) EXPECT_FALSE(m.isError()) << m.text;
}

TEST_F(ErrorHandlingTest, ErrorFunctionsAreNullOutsideACatchBlockAndNestedBlocksSeeTheirOwn) {
  const auto results = connection->run(
      "select ERROR_NUMBER(), ERROR_MESSAGE()\r\n"
      "BEGIN TRY\r\n"
      "  RAISERROR('outer', 16, 1)\r\n"
      "END TRY\r\n"
      "BEGIN CATCH\r\n"
      "  BEGIN TRY\r\n"
      "    select 1/0\r\n"
      "  END TRY\r\n"
      "  BEGIN CATCH\r\n"
      "    select ERROR_NUMBER(), ERROR_MESSAGE()\r\n"
      "  END CATCH\r\n"
      "  select ERROR_NUMBER(), ERROR_MESSAGE()\r\n"
      "END CATCH\r\n"
      "select ERROR_NUMBER()");
  const auto sets = results.resultSets();
  ASSERT_EQ(sets.size(), 4u);
  EXPECT_EQ(sets[0]->values.at(0), (Row{std::nullopt, std::nullopt}));
  EXPECT_EQ(sets[1]->values.at(0), (Row{"8134", "Divide by zero error encountered."}));
  EXPECT_EQ(sets[2]->values.at(0), (Row{"50000", "outer"}));
  EXPECT_EQ(sets[3]->values.at(0), (Row{std::nullopt}));
}

TEST_F(ErrorHandlingTest, RaiserrorFormatsItsMessageAndItsSeverityDecides) {
  const auto results = connection->run(
      "declare @n int = 7, @s nvarchar(20) = N'سفارش'\r\n"
      "RAISERROR('row %d of %s: %5s|%-4d|%%', 10, 1, @n, @s, 'ab', 3) WITH NOWAIT\r\n"
      "PRINT 'after'\r\n"
      "PRINT NULL");
  const auto messages = results.messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].text, "row 7 of سفارش:    ab|3   |%");
  EXPECT_EQ(messages[0].severity, 10);
  EXPECT_FALSE(messages[0].isError());
  EXPECT_EQ(messages[1].text, "after");
  EXPECT_EQ(messages[1].number, 0);
  EXPECT_EQ(messages[2].text, "");

  // Severity 11 and above is an error: the caller gets it, and the batch still goes on.
  prepare("create table T( ID int)");
  db::Results partial;
  const db::Error e = errorOf([&] {
    connection->run("RAISERROR(N'bad %s', 16, 2, N'value') WITH LOG\r\ninsert into T values (1)", {}, partial);
  });
  EXPECT_EQ(e.number(), 50000);
  EXPECT_EQ(e.message(), "bad value");
  EXPECT_EQ(e.severity(), 16);
  EXPECT_EQ(e.state(), 2);
  EXPECT_EQ(connection->query({"select count(*) from T"}, {}, db::QueryMode::Open).values.at(0).at(0), "1");
  ASSERT_FALSE(partial.messages().empty());
  EXPECT_TRUE(partial.messages().front().isError());
}

TEST_F(ErrorHandlingTest, ThrowEndsTheBatchAndRethrowsInCatch) {
  prepare("create table T( ID int)");
  const db::Error thrown = errorOf([&] {
    connection->execute("THROW 50001, N'custom', 3;\r\ninsert into T values (1)");
  });
  EXPECT_EQ(thrown.number(), 50001);
  EXPECT_EQ(thrown.message(), "custom");
  EXPECT_EQ(thrown.state(), 3);
  EXPECT_EQ(connection->query({"select count(*) from T"}, {}, db::QueryMode::Open).values.at(0).at(0), "0");

  const db::Error again = errorOf([&] {
    connection->execute(
        "BEGIN TRY\r\n select 1/0\r\nEND TRY\r\nBEGIN CATCH\r\n insert into T values (9);\r\n THROW;\r\nEND "
        "CATCH\r\ninsert into T values (10)");
  });
  EXPECT_EQ(again.number(), 8134);
  EXPECT_EQ(connection->query({"select ID from T"}, {}, db::QueryMode::Open).values, (std::vector<Row>{{"9"}}));
}

TEST_F(ErrorHandlingTest, Refusals) {
  // A THROW without arguments outside a CATCH block does not compile: nothing runs.
  prepare("create table T( ID int)");
  const db::Error rethrow = errorOf([&] { connection->execute("insert into T values (1); THROW;"); });
  EXPECT_EQ(rethrow.number(), 10704);
  EXPECT_EQ(connection->query({"select count(*) from T"}, {}, db::QueryMode::Open).values.at(0).at(0), "0");

  EXPECT_EQ(errorOf([&] { connection->execute("THROW 49999, 'low', 1"); }).number(), 35100);
  EXPECT_EQ(errorOf([&] { connection->execute("RAISERROR(100, 16, 1)"); }).number(), 2732);
  const db::Error missing = errorOf([&] { connection->execute("RAISERROR(60000, 16, 1)"); });
  EXPECT_EQ(missing.number(), 18054);
  EXPECT_EQ(missing.message().rfind("Error 60000, severity 16, state 1 was raised", 0), 0u) << missing.message();
  EXPECT_EQ(errorOf([&] { connection->execute("RAISERROR('x', 20, 1)"); }).number(), 2754);
}

TEST_F(ErrorHandlingTest, ResultsComeInOrderWithTheirCounts) {
  prepare("create table T( ID int, N nvarchar(10))");
  const auto results = connection->run(
      "insert into T values (1, N'یک'), (2, N'دو')\r\n"
      "print 'two in'\r\n"
      "select N from T order by ID\r\n"
      "update T set N = N'x' where ID = 5\r\n"
      "select ID from T where ID = 2");
  using Kind = db::Result::Kind;
  std::vector<Kind> kinds;
  for (const db::Result& item : results.items) kinds.push_back(item.kind);
  EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Count, Kind::Message, Kind::Rows, Kind::Count, Kind::Count, Kind::Rows,
                                      Kind::Count}));
  EXPECT_EQ(results.items[0].count, 2);
  EXPECT_EQ(results.items[2].values, (std::vector<Row>{{"یک"}, {"دو"}}));
  EXPECT_EQ(results.items[4].count, 0);
  EXPECT_EQ(firstSet(results).size(), 2u);

  // NOCOUNT keeps the counts back, and lasts for the connection.
  connection->run("SET NOCOUNT ON");
  const auto quiet = connection->run("insert into T values (3, N'سه'); select ID from T where ID = 3");
  ASSERT_EQ(quiet.items.size(), 1u);
  EXPECT_EQ(quiet.items[0].kind, Kind::Rows);
  EXPECT_EQ(texts(connection->run("SET NOCOUNT OFF; print 'x'")), (std::vector<std::string>{"x"}));

  // A statement-level error reaches the caller as a message among the rest, and as the error.
  prepare("create table K( ID int PRIMARY KEY)");
  db::Results partial;
  const db::Error e = errorOf([&] {
    connection->run("insert into K values (1); insert into K values (1); print 'still here'", {}, partial);
  });
  EXPECT_EQ(e.number(), 2627);
  const auto messages = partial.messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].number, 2627);
  EXPECT_EQ(messages[0].severity, 14);
  EXPECT_EQ(messages[1].text, "still here");
}

TEST(RaisedMessageFormat, FlagsWidthsAndNulls) {
  using db::embedded::runtime::formatRaised;
  EXPECT_EQ(formatRaised("%05d|%+d|%x|%#X|%.2s|%*d", {"-42", "5", "255", "255", "abcdef", "4", "7"}),
            "-0042|+5|ff|0XFF|ab|   7");
  EXPECT_EQ(formatRaised("%s and %d", {std::nullopt}), "(null) and (null)");
  EXPECT_EQ(formatRaised("%I64d %ld %hd", {"9000000000", "1", "2"}), "9000000000 1 2");
  EXPECT_EQ(formatRaised("100%", {}), "100%");
  // A message is cut to the server's 2,047 characters, however wide a conversion asks to be.
  EXPECT_EQ(formatRaised("%999999999d", {"1"}).size(), 2047u);
  const std::string wide = formatRaised("%2000d%2000d", {"1", "2"});
  EXPECT_EQ(wide.size(), 2047u);
  EXPECT_EQ(wide.substr(2044), "...");
}

}  // namespace
