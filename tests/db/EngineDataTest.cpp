#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "support/EngineFixture.h"

namespace {

using Row = std::vector<std::optional<std::string>>;

class EngineDataTest : public testsupport::EngineFixture {
 protected:
  std::vector<Row> rows(const std::string& select, const db::Params& params = {}) {
    return connection->query({select}, params, db::QueryMode::Open).values;
  }
};

TEST_F(EngineDataTest, RowsAreInsertedReadChangedAndDeleted) {
  prepare("create table dbo.P_Kala( CK  nvarchar(50) PRIMARY KEY, NK nvarchar(100), Price money, Active bit)");
  connection->execute("insert into dbo.P_Kala (CK, NK, Price, Active) values (N'1', N'طلا', 10.5, 1)");
  connection->execute("insert into [P_Kala] values ('2', 'نقره', 3, 0)");
  EXPECT_EQ(rows("select CK, NK, Price, Active from P_Kala order by CK"),
            (std::vector<Row>{{"1", "طلا", "10.5", "1"}, {"2", "نقره", "3", "0"}}));
  connection->execute("update P_Kala set Price = Price * 2 where CK = '2'");
  connection->execute("delete from P_Kala where Active = 1");
  EXPECT_EQ(rows("select top 1 [CK], Price from dbo.[P_Kala] with (nolock)"), (std::vector<Row>{{"2", "6"}}));
  EXPECT_EQ(rows("SELECT COUNT(*) AS n FROM P_KALA WHERE ISNULL(NK, '') <> ''"), (std::vector<Row>{{"1"}}));
}

TEST_F(EngineDataTest, TextComparesWithoutRegardToCaseAsInTheServersCollation) {
  prepare("create table T( Code nvarchar(10) PRIMARY KEY, Name nvarchar(20))");
  prepare("insert into T values ('abc', 'Ali')");
  EXPECT_EQ(rows("select Name + ' ' + Code from T where Code = 'ABC'"), (std::vector<Row>{{"Ali abc"}}));
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("insert into T values ('ABC', 'x')"); }).number(), 2627);
}

TEST_F(EngineDataTest, ParametersAreBoundAsText) {
  prepare("create table T( K  int, Name nvarchar(50))");
  prepare("insert into T values (1, N'it''s')");
  const db::Rows result = connection->query({"select Name as myname", "from T", "where Name = :p1 and K = :p2"},
                                            {{"p1", "it's"}, {"p2", "1"}}, db::QueryMode::Open);
  EXPECT_EQ(result.columns, std::vector<std::string>{"myname"});
  EXPECT_EQ(result.values, (std::vector<Row>{{"it's"}}));
  EXPECT_TRUE(
      connection->query({"select Name from T where Name = :p1"}, {{"p1", "nobody"}}, db::QueryMode::Open).empty());
}

TEST_F(EngineDataTest, ExecuteModeRunsTheBatchWithoutRows) {
  prepare("create table T( K  int)");
  const db::Rows none = connection->query({"insert into T values (1)", "insert into T values (2)", "select K from T"},
                                          {}, db::QueryMode::Execute);
  EXPECT_TRUE(none.empty());
  EXPECT_EQ(rows("select count(*) from T"), (std::vector<Row>{{"2"}}));
}

TEST_F(EngineDataTest, DefaultsIdentityAndNulls) {
  prepare(
      "create table T( ID  int IDENTITY(1,1) PRIMARY KEY, Kind nchar(2) not null default('MV'), Flag bit default(1), "
      "Note nvarchar(10))");
  connection->execute("insert into T(Note) values ('a')");
  connection->execute("insert into T(Note, Kind) values ('b', 'XY')");
  EXPECT_EQ(rows("select ID, Kind, Flag, Note from T order by ID"),
            (std::vector<Row>{{"1", "MV", "1", "a"}, {"2", "XY", "1", "b"}}));
  // The server does not give a deleted row's identity value again.
  connection->execute("delete from T where ID = 2");
  connection->execute("insert into T(Note) values ('c')");
  EXPECT_EQ(rows("select max(ID) from T"), (std::vector<Row>{{"3"}}));
}

TEST_F(EngineDataTest, ColumnsChangeUnderRowsAsOnTheServer) {
  prepare("create table T( K  int, Code nvarchar(10))");
  prepare("insert into T values (1, '7')");
  prepare("insert into T values (2, NULL)");
  connection->execute("ALTER TABLE T ADD Plain nvarchar(5)");                     // NULL in old rows
  connection->execute("ALTER TABLE T ADD Flag bit default(1)");                   // nullable: NULL too
  connection->execute("ALTER TABLE T ADD Kind nchar(2) not null default('MV')");  // NOT NULL: the default
  connection->execute("ALTER TABLE T ADD Seq int identity(10, 5)");               // numbered
  connection->execute("ALTER TABLE T ALTER COLUMN Code int");                     // '7' converts
  EXPECT_EQ(rows("select K, Code, Plain, Flag, Kind, Seq from T order by K"),
            (std::vector<Row>{{"1", "7", std::nullopt, std::nullopt, "MV", "10"},
                              {"2", std::nullopt, std::nullopt, std::nullopt, "MV", "15"}}));
  EXPECT_EQ(rows("select K from T where Code = 7"), (std::vector<Row>{{"1"}})) << "the column holds numbers now";
  connection->execute("ALTER TABLE T drop column Plain");
  connection->execute("create unique index IX_K on T(K)");
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("insert into T(K, Kind) values (1, 'a')"); }).number(), 2601);
  EXPECT_EQ(connection->columnNames("T"), (std::vector<std::string>{"K", "Code", "Flag", "Kind", "Seq"}));
}

TEST_F(EngineDataTest, UniqueIndexOverDuplicatesIsRefused) {
  prepare("create table T( K  int)");
  prepare("insert into T values (3)");
  prepare("insert into T values (3)");
  const db::Error e = enginetest::errorOf([&] { connection->execute("create unique index IX_K on T(K)"); });
  EXPECT_EQ(e.number(), 1505);
  EXPECT_EQ(e.message(),
            "The CREATE UNIQUE INDEX statement terminated because a duplicate key was found for the object name "
            "'dbo.T' and the index name 'IX_K'. The duplicate key value is (3).");
}

TEST_F(EngineDataTest, RowsAndSchemaPersistAcrossReopen) {
  prepare("create table T( K  int primary key, Name nvarchar(50))");
  prepare("insert into T values (1, N'يك')");
  prepare("ALTER TABLE T ADD Extra money");
  connection->close();
  connection->open(connectionStringFor("testdb"));
  EXPECT_EQ(connection->columnNames("T"), (std::vector<std::string>{"K", "Name", "Extra"}));
  EXPECT_EQ(rows("select K, Name, Extra from T"), (std::vector<Row>{{"1", "يك", std::nullopt}}));
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("insert into T values (1, 'x', 0)"); }).number(), 2627);
}

TEST_F(EngineDataTest, CatalogViewsAndFunctions) {
  prepare("create table T_Outbox( ID  int not null, Body ntext)");
  prepare("create view V_Outbox as select ID from T_Outbox");
  EXPECT_EQ(rows("select count(*) from sysobjects where name = 'T_Outbox' and xtype = 'U'"), (std::vector<Row>{{"1"}}));
  EXPECT_EQ(rows("select TABLE_NAME, TABLE_TYPE from INFORMATION_SCHEMA.TABLES order by TABLE_NAME"),
            (std::vector<Row>{{"T_Outbox", "BASE TABLE"}, {"V_Outbox", "VIEW"}}));
  EXPECT_EQ(
      rows("select COLUMN_NAME, IS_NULLABLE, DATA_TYPE from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = 'T_Outbox'"),
      (std::vector<Row>{{"ID", "NO", "int"}, {"Body", "YES", "ntext"}}));
  EXPECT_EQ(rows("select case when OBJECT_ID('dbo.T_Outbox') is not null then 1 else 0 end, "
                 "case when object_id(N'[V_Outbox]', 'U') is null then 1 else 0 end"),
            (std::vector<Row>{{"1", "1"}}));
  EXPECT_EQ(rows("select LEN('abc  '), LEFT(N'سلام', 2), CHARINDEX('b', 'abc'), CONVERT(int, '12') + 1, "
                 "CAST(3.0 AS nvarchar(10))"),
            (std::vector<Row>{{"3", "سل", "2", "13", "3.0"}}));
}

}  // namespace

namespace {

TEST_F(EngineDataTest, ANestedComputedColumnThatIsAcceptedCanBeRead) {
  std::string deep = "K";
  for (int i = 0; i < 30; ++i) deep = "(" + deep + " + 1)";
  prepare("create table T( K  int)");
  connection->execute("ALTER TABLE T ADD Deep AS " + deep);
  connection->execute("insert into T(K) values (1)");
  EXPECT_EQ(rows("select Deep from T"), (std::vector<Row>{{"31"}}));
  // A refused deeper one leaves the table as usable as before.
  EXPECT_THROW(connection->execute("ALTER TABLE T ADD Deeper AS (" + deep + std::string(100, ')').insert(0, 100, '(')),
               db::Error);
  EXPECT_EQ(rows("select K, Deep from T"), (std::vector<Row>{{"1", "31"}}));
}

}  // namespace

namespace {

// Conversions follow SQL Server: lengths, styles, refusals with the server's numbers.
TEST_F(EngineDataTest, CastAndConvertFollowTheServersRules) {
  prepare("create table T( K  int, D datetime, Name nvarchar(20))");
  connection->execute("insert into T(K, D, Name) values (1, '2024-03-20 14:05:09', N'سلام دنیا')");
  EXPECT_EQ(rows("select CONVERT(varchar(8), D, 108), CONVERT(varchar(10), D, 111), CAST(Name AS nvarchar(4)) "
                 "from T"),
            (std::vector<Row>{{"14:05:09", "2024/03/20", "سلام"}}));
  EXPECT_EQ(rows("select CAST('42' AS int) + K, CAST(2.5 AS money), CAST(K AS nchar(3)) + '|' from T"),
            (std::vector<Row>{{"43", "2.5", "1  |"}}));
  const db::Error notANumber = enginetest::errorOf([&] { rows("select CAST('1x' AS int)"); });
  EXPECT_EQ(notANumber.number(), 245);
  EXPECT_EQ(notANumber.message(), "Conversion failed when converting the varchar value '1x' to data type int.");
}

}  // namespace

namespace {

TEST_F(EngineDataTest, TextLongerThanItsColumnIsRefused) {
  prepare("create table T( K  int, Name nvarchar(10), Code varchar(3))");
  const auto truncated = [&](const std::string& statement) {
    const db::Error e = enginetest::errorOf([&] { connection->execute(statement); });
    EXPECT_EQ(e.number(), 8152) << statement;
    EXPECT_EQ(e.message(), "String or binary data would be truncated.\nThe statement has been terminated.");
  };
  truncated("insert into T(K, Name) values (1, N'چهارده حرف است')");
  connection->execute("insert into T(K, Name, Code) values (2, N'ده حرف است', 'ab  ')");  // blanks past it: kept quiet
  truncated("update T set Code = 'abcd' where K = 2");
  truncated("ALTER TABLE T ALTER COLUMN Name nvarchar(5)");
  EXPECT_EQ(rows("select K, Name, Code from T"), (std::vector<Row>{{"2", "ده حرف است", "ab  "}}));
  connection->execute("ALTER TABLE T ALTER COLUMN Name nvarchar(20)");  // widening keeps the rows
  connection->execute("update T set Name = N'چهارده حرف است'");
  EXPECT_EQ(rows("select LEN(Name) from T"), (std::vector<Row>{{"14"}}));
}

}  // namespace

namespace {

TEST_F(EngineDataTest, PlusJoinsTextsAndAddsNumbers) {
  prepare("create table P( ID  int, Name nvarchar(20), Family nvarchar(30), Code varchar(5))");
  prepare("create table Q( ID  int, Amount money)");
  connection->execute("insert into P values (1, N'علی', N'رضایی', '7')");
  connection->execute("insert into Q values (1, 2.5)");
  EXPECT_EQ(rows("select Name + ' ' + Family, p.Name + p.Family, LEFT(Name, 1) + Code, Code + 1, ID + 1 from P p"),
            (std::vector<Row>{{"علی رضایی", "علیرضایی", "ع7", "8", "2"}}));
  EXPECT_EQ(rows("select p.ID + q.Amount from P p join Q q on q.ID = p.ID"), (std::vector<Row>{{"3.5"}}));
  connection->execute("declare @s nvarchar(50); set @s = N'کد '; update P set Name = @s + Code");
  EXPECT_EQ(rows("select Name from P"), (std::vector<Row>{{"کد 7"}}));
}

}  // namespace

namespace {

TEST_F(EngineDataTest, DivisionTruncatesTowardZeroAndRefusesZero) {
  prepare("create table T( A  int, B int)");
  connection->execute("insert into T values (7, 0)");
  EXPECT_EQ(rows("select A / 2, -A / 2, A % -3, -A % 3, A / (B + 2), A / NULL from T"),
            (std::vector<Row>{{"3", "-3", "1", "-1", "3", std::nullopt}}));
  for (const char* zero : {"select 1/0", "select A / B from T", "select A % (B * 5) from T", "select A/ABS(B) from T"}) {
    const db::Error e = enginetest::errorOf([&] { rows(zero); });
    EXPECT_EQ(e.number(), 8134) << zero;
    EXPECT_EQ(e.message(), "Divide by zero error encountered.") << zero;
  }
}

}  // namespace

namespace {

TEST_F(EngineDataTest, AScalarSubqueryOfSeveralRowsIsRefused) {
  prepare("create table P( ID  int, Name nvarchar(20))");
  prepare("create table C( PID  int, Amount int)");
  for (const char* row : {"insert into P values (1, N'الف')", "insert into P values (2, N'ب')",
                          "insert into C values (1, 10)", "insert into C values (1, 5)", "insert into C values (2, 7)"})
    prepare(row);
  // One row each: correlated, aggregated, and a table of the FROM clause (not a value).
  EXPECT_EQ(rows("select ID, (select sum(Amount) from C where C.PID = P.ID), (select Name from P p2 where p2.ID = "
                 "P.ID) from P where ID in (select PID from C) and exists (select 1 from C) order by ID"),
            (std::vector<Row>{{"1", "15", "الف"}, {"2", "7", "ب"}}));
  EXPECT_EQ(rows("select count(*) from (select PID from C) x"), (std::vector<Row>{{"3"}}));
  const db::Error e = enginetest::errorOf([&] { rows("select ID from P where ID = (select PID from C)"); });
  EXPECT_EQ(e.number(), 512);
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("update P set Name = (select Amount from C)"); }).number(),
            512);
}

}  // namespace

namespace {

TEST_F(EngineDataTest, AnInsertTakesTheTopRowsOfItsQuery) {
  prepare("create table S( ID  int)");
  prepare("create table T( ID  int)");
  for (const char* row : {"insert into S values (3)", "insert into S values (1)", "insert into S values (2)"}) prepare(row);
  connection->execute("insert into T (ID) select top 2 ID from S order by ID desc");
  EXPECT_EQ(rows("select ID from T order by ID"), (std::vector<Row>{{"2"}, {"3"}}));
}

}  // namespace

namespace {

// char(n) and nchar(n) hold n characters, and texts compare without their trailing blanks.
TEST_F(EngineDataTest, FixedLengthTextIsPaddedAndComparedWithoutTrailingBlanks) {
  prepare("create table T( Code  nchar(5) PRIMARY KEY, C char(3), V nvarchar(10))");
  connection->execute("insert into T values (N'ab', 'x', 'v  ')");
  EXPECT_EQ(rows("select Code + '|', C + '|', V + '|', LEN(Code), DATALENGTH(C) from T"),
            (std::vector<Row>{{"ab   |", "x  |", "v  |", "2", "3"}}));
  connection->execute("update T set Code = 'c', C = 'yz'");
  EXPECT_EQ(rows("select Code + '|', C + '|' from T where Code = 'C' and V = 'v' and C = 'yz '"),
            (std::vector<Row>{{"c    |", "yz |"}}));
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("insert into T values ('c  ', 'a', 'b')"); }).number(),
            2627);
  // A column that becomes nchar pads the values it holds.
  connection->execute("alter table T alter column V nchar(4)");
  EXPECT_EQ(rows("select V + '|' from T"), (std::vector<Row>{{"v   |"}}));
}

TEST_F(EngineDataTest, DateTimePlusOrMinusANumberMovesByDays) {
  prepare("create table D( At  datetime, N int)");
  connection->execute("insert into D values ('2024-03-01 10:30:00', 2)");
  EXPECT_EQ(rows("select At - 1, At + N, At - 0.5 from D"),
            (std::vector<Row>{{"2024-02-29 10:30:00.000", "2024-03-03 10:30:00.000", "2024-02-29 22:30:00.000"}}));
  EXPECT_EQ(rows("select count(*) from D where At > GETDATE() - 36500 and At < GETDATE() + 3"),
            (std::vector<Row>{{"1"}}));
  EXPECT_EQ(rows("select count(*) from D where GETDATE() - 3 < GETDATE() - 2.5"), (std::vector<Row>{{"1"}}));
}

}  // namespace

namespace {

// A #table belongs to the connection that made it: later batches of that connection see it,
// no other connection does, and it is gone when the connection closes.
TEST_F(EngineDataTest, TemporaryTablesBelongToTheirConnection) {
  connection->execute("create table #t( ID  int PRIMARY KEY, N nvarchar(5))");
  connection->execute("insert into #t values (1, 'a')\r\ninsert into #t (ID, N) values (2, 'b')");
  EXPECT_EQ(rows("select count(*) from #t where N in ('a', 'b')"), (std::vector<Row>{{"2"}}));
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("insert into #t values (1, 'c')"); }).number(), 2627);
  EXPECT_NE(rows("select OBJECT_ID('tempdb..#t')"), (std::vector<Row>{{std::nullopt}}));
  EXPECT_EQ(rows("select OBJECT_ID('#t')"), (std::vector<Row>{{std::nullopt}}));
  EXPECT_TRUE(connection->tableNames().empty());
  connection->execute("alter table #t add M nchar(3) NOT NULL DEFAULT 'x'");
  EXPECT_EQ(rows("select M + '|' from #t where ID = 2"), (std::vector<Row>{{"x  |"}}));

  db::embedded::EmbeddedConnection other(dir.path(), "other");
  other.open(connectionStringFor(kCatalog));
  EXPECT_EQ(enginetest::errorOf([&] { other.execute("insert into #t values (3, 'c', 'y')"); }).number(), 208);
  other.execute("create table #t( Other  int)");  // its own, beside the first connection's
  other.close();

  connection->execute("drop table #t");
  EXPECT_EQ(rows("select OBJECT_ID('tempdb..#t')"), (std::vector<Row>{{std::nullopt}}));
  connection->execute("create table #u( A  int)");
  connection->execute("insert into #u values (1)");
  connection->close();
  connection->open(connectionStringFor(kCatalog));
  EXPECT_EQ(rows("select OBJECT_ID('tempdb..#u')"), (std::vector<Row>{{std::nullopt}}));
  connection->execute("create table #u( A  int)");
  EXPECT_EQ(rows("select count(*) from #u"), (std::vector<Row>{{"0"}}));
}

}  // namespace

namespace {

// A text beside a number column is converted to the column's type, and refused when it is no
// number of that type, as the server refuses it.
TEST_F(EngineDataTest, TextComparedWithANumberColumnIsConverted) {
  prepare("create table N( I  int, D decimal(10, 2), T nvarchar(10))");
  prepare("insert into N values (5, 5.5, '05')");
  EXPECT_EQ(rows("select count(*) from N where I = ' 5' and '5.50' = D and I <> '6' and T = '05'"),
            (std::vector<Row>{{"1"}}));
  const db::Error e = enginetest::errorOf([&] { rows("select count(*) from N where I = 'abc'"); });
  EXPECT_EQ(e.number(), 245);
  EXPECT_EQ(e.message(), "Conversion failed when converting the varchar value 'abc' to data type int.");
  EXPECT_EQ(enginetest::errorOf([&] { connection->execute("update N set T = 'x' where N'5x' < I"); }).number(), 245);
  EXPECT_EQ(rows("select T from N"), (std::vector<Row>{{"05"}}));
}

}  // namespace
