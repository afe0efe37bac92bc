// Batches with control of flow and variables, as the table steps send them and as a console
// user writes them.
#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "support/EngineFixture.h"

namespace {

using Column = std::vector<std::optional<std::string>>;

class InterpreterTest : public testsupport::EngineFixture {
 protected:
  Column column(const std::string& select) {
    Column values;
    for (const auto& row : connection->query({select}, {}, db::QueryMode::Open).values) values.push_back(row.at(0));
    return values;
  }
  std::optional<std::string> scalar(const std::string& select) { return column(select).at(0); }
  // Runs a step's statement twice: the second time shows what its guard keeps from repeating.
  void twice(const std::string& statement) {
    connection->execute(statement);
    connection->execute(statement);
  }
};

TEST_F(InterpreterTest, GuardedDropsFindIndexesAndForeignKeysByName) {
  prepare("create table A_AQSAT( SH_A  integer, SH_B int, NOE_AQSAT int)");
  prepare("create index Idx_A_AQSAT on A_AQSAT(NOE_AQSAT)");
  prepare("create table P( ID  int PRIMARY KEY)");
  prepare("create table C( ID  int, PID int CONSTRAINT FK_C_P REFERENCES P(ID))");
  twice("if exists (select 1 from sys.indexes where name='Idx_A_AQSAT' and object_id=object_id('A_AQSAT')) "
        "DROP INDEX  Idx_A_AQSAT ON A_AQSAT");
  EXPECT_EQ(scalar("select count(*) from sys.indexes where name='Idx_A_AQSAT'"), "0");
  twice("if exists (select name from sys.foreign_keys where name='FK_C_P') alter table C drop  constraint FK_C_P ");
  EXPECT_EQ(scalar("select count(*) from sys.foreign_keys"), "0");
}

TEST_F(InterpreterTest, NumberingGivesEachRowWithoutANumberTheNextOne) {
  prepare("create table A_FASQ( SH_ID  int, N nvarchar(20))");
  for (const char* n : {"'a'", "'b'", "'c'"}) prepare(std::string("insert into A_FASQ(N) values (") + n + ")");
  const std::string numbering = "DECLARE @ID INT;SET @ID=0;UPDATE A_FASQ SET @ID=SH_ID=@ID+1 WHERE SH_ID IS NULL;";
  connection->execute(numbering);
  EXPECT_EQ(column("select SH_ID from A_FASQ order by N"), (Column{"1", "2", "3"}));
  prepare("insert into A_FASQ(N) values ('d')");
  connection->execute(numbering);  // only the row still without a number is touched
  EXPECT_EQ(column("select SH_ID from A_FASQ order by N"), (Column{"1", "2", "3", "1"}));
}

TEST_F(InterpreterTest, AColumnAddedOnlyWhenMissingThenNumbered) {
  prepare("create table A_Sharh_Aqsat( SH_A  int)");
  prepare("insert into A_Sharh_Aqsat(SH_A) values (7)");
  prepare("insert into A_Sharh_Aqsat(SH_A) values (8)");
  twice("if not exists (select 1 from sys.columns where name='RowID' and object_id=object_id('A_Sharh_Aqsat'))  "
        "alter table A_Sharh_Aqsat add RowID INT ;");
  connection->execute("declare @id int;set @id=0;UPDATE A_Sharh_Aqsat set @id=RowID=@id+1 where RowID is null;");
  EXPECT_EQ(column("select RowID from A_Sharh_Aqsat order by SH_A"), (Column{"1", "2"}));
}

TEST_F(InterpreterTest, SeedRowsGoOnlyIntoAnEmptyTableOrWhereTheirKeyIsMissing) {
  prepare("create table P_TGHAZINEH( CG  int, NG nvarchar(50), TOZIH nvarchar(50))");
  twice("if not exists (select * from P_TGHAZINEH ) begin insert into P_TGHAZINEH values(1,'هزينه هاي ثابت',''); "
        "insert into P_TGHAZINEH values(2,'هزينه هاي غير ثابت','');end; ");
  EXPECT_EQ(column("select NG from P_TGHAZINEH order by CG"), (Column{"هزينه هاي ثابت", "هزينه هاي غير ثابت"}));

  prepare("create table T_AccCode( ID int, AccCode nchar(10), AccCodeDsc nvarchar(50), AccCodeLevel int, "
          "AccCodeSts int, AccCode_MA money, AccCode_MN money, AccCode_REC nvarchar(10), FatherID int)");
  twice("if NOT EXISTS ( SELECT * FROM T_AccCode WHERE ID=0) begin  insert into T_AccCode "
        "(ID,AccCode,AccCodeDsc,AccCodeLevel,AccCodeSts,AccCode_MA,AccCode_MN,AccCode_REC,FatherID) "
        "values(0,'0','-',0,1,0,0,'بد/بس',-1) end ;");
  EXPECT_EQ(column("select AccCode_REC from T_AccCode"), (Column{"بد/بس"}));
}

TEST_F(InterpreterTest, ABatchOfLinesIsGovernedByItsIfUpToEnd) {
  prepare("create table A_CDARYAFTI( SHSERIAL varchar(50) NOT NULL, SeriNo varchar(50), "
          "CONSTRAINT PK_A_CDARYAFTI PRIMARY KEY (SHSERIAL))");
  prepare("insert into A_CDARYAFTI(SHSERIAL) values ('100')");
  const std::vector<std::string> lines = {
      "IF (OBJECT_ID('dbo.PK_A_CDARYAFTI') IS NOT NULL) begin alter table A_CDARYAFTI DROP CONSTRAINT "
      "[PK_A_CDARYAFTI];",
      "update A_CDARYAFTI set SeriNo='0' where 1=1 and ( SeriNo is null or SeriNo= '' ) ; ",
      "ALTER TABLE A_CDARYAFTI alter column [SHSERIAL] varchar(50) not null;",
      "ALTER TABLE A_CDARYAFTI alter column [SeriNo] varchar(50) not null;",
      "ALTER TABLE A_CDARYAFTI ADD CONSTRAINT PK_A_CDARYAFTI_NEW PRIMARY KEY NONCLUSTERED (shserial,[SeriNo]);",
      "end;"};
  connection->query(lines, {}, db::QueryMode::Execute);
  connection->query(lines, {}, db::QueryMode::Execute);  // the old key is gone: nothing more happens
  EXPECT_EQ(column("select name from sys.key_constraints"), (Column{"PK_A_CDARYAFTI_NEW"}));
  EXPECT_EQ(scalar("select SeriNo from A_CDARYAFTI"), "0");
}

TEST_F(InterpreterTest, LoopsAndVariablesAssignedFromQueries) {
  prepare("create table P( ID  int PRIMARY KEY)");
  connection->execute("declare @i int; set @i = 0; while @i < 5 begin set @i = @i + 1; if @i = 3 break; end; "
                      "insert into P values (@i)");
  connection->execute("declare @n int, @top int; select @n = count(*), @top = max(ID) from P; "
                      "insert into P values (@n + @top + 10)");
  EXPECT_EQ(column("select ID from P order by ID"), (Column{"3", "14"}));
}

TEST_F(InterpreterTest, AStatementLevelErrorLetsTheBatchGoOnAndIsReported) {
  prepare("create table P( ID  int PRIMARY KEY)");
  const db::Error e = enginetest::errorOf([&] {
    connection->execute("declare @x int; insert into P values (1); insert into P values (1); insert into P values (2)");
  });
  EXPECT_EQ(e.number(), 2627);
  EXPECT_EQ(column("select ID from P order by ID"), (Column{"1", "2"}));
}

TEST_F(InterpreterTest, RowCountAndErrorDescribeTheLastStatement) {
  prepare("create table P( ID  int PRIMARY KEY)");
  for (const char* row : {"insert into P values (1)", "insert into P values (2)", "insert into P values (3)"}) prepare(row);
  connection->execute("declare @n int; update P set ID = ID where ID > 1; set @n = @@ROWCOUNT; "
                      "if @@ROWCOUNT = 1 insert into P values (@n + 100)");
  EXPECT_EQ(scalar("select max(ID) from P"), "102");
  const db::Error e = enginetest::errorOf([&] {
    connection->execute("declare @e int; insert into P values (1); set @e = @@ERROR; insert into P values (@e)");
  });
  EXPECT_EQ(e.number(), 2627);
  EXPECT_EQ(scalar("select max(ID) from P"), "2627");
}

TEST_F(InterpreterTest, WhatCannotRunIsRefusedBeforeAnythingRuns) {
  prepare("create table P( ID  int PRIMARY KEY)");
  const db::Error undeclared =
      enginetest::errorOf([&] { connection->execute("declare @x int; insert into P values (5); select @y"); });
  EXPECT_EQ(undeclared.number(), 137);
  EXPECT_EQ(undeclared.message(), "Must declare the scalar variable \"@y\".");
  const db::Error syntax =
      enginetest::errorOf([&] { connection->execute("insert into P values (6); if (1=1 begin select 1 end"); });
  EXPECT_EQ(syntax.number(), 156);
  EXPECT_TRUE(column("select ID from P").empty());
}

}  // namespace
