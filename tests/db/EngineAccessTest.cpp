#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "db/embedded/EmbeddedConnection.h"
#include "support/TempDir.h"

namespace {

using db::embedded::EmbeddedConnection;
using Strings = std::vector<std::string>;

class EngineAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EmbeddedConnection::createAccessFile(file);
    connection.open(enginetest::jet(file.string()));
  }

  testsupport::TempDir dir;
  std::filesystem::path file = dir / "Benvo.mdb";
  EmbeddedConnection connection{dir.path()};
};

TEST_F(EngineAccessTest, TableWithoutColumnsThenTheKeyByAdd) {
  connection.execute("create table dbo.A_Furush");
  EXPECT_EQ(connection.tableNames(), Strings{"A_Furush"});
  EXPECT_TRUE(connection.columnNames("A_Furush").empty());
  connection.execute("ALTER TABLE A_Furush ADD CF nvarchar(50)  PRIMARY KEY ");
  connection.execute("ALTER TABLE A_Furush ADD Sharh Memo");
  connection.execute("ALTER TABLE A_Furush ADD Tedad Long");
  connection.execute("ALTER TABLE A_Furush ADD Mablagh Currency");
  connection.execute("ALTER TABLE A_Furush ADD Naghd YesNo");
  connection.execute("ALTER TABLE A_Furush ADD Ta Text(10)");
  connection.execute("ALTER TABLE A_Furush ADD Vazn Double");
  connection.execute("ALTER TABLE A_Furush ADD Tarikh DateTime");
  connection.execute("ALTER TABLE A_Furush ADD Aks OLEObject");
  connection.execute("ALTER TABLE A_Furush ADD [AutoID] Counter");
  connection.execute("ALTER TABLE A_Furush ADD Ghimat money");
  EXPECT_EQ(connection.columnNames("a_furush").size(), 11u);
  connection.execute("insert into A_Furush(CF, Sharh) values ('1', 'x')");
  const db::Rows rows = connection.query({"select CF, AutoID from A_Furush"}, {}, db::QueryMode::Open);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.values[0][1], "1");
}

TEST_F(EngineAccessTest, RefusesTsqlOnlySyntaxInJetsWords) {
  connection.execute("create table T( K  int)");
  const std::pair<const char*, const char*> cases[] = {
      {"IF NOT EXISTS (select * from T) insert into T values (1)",
       "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
      {"BEGIN select 1 END", "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
      {"DECLARE @x int", "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
      {"EXEC SP_X", "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
      {"select * from T where K = @x",
       "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."},
      {"create procedure SP_X as select 1", "Syntax error in CREATE TABLE statement."},
      {"create database X", "Syntax error in CREATE TABLE statement."},
      {"ALTER TABLE T ADD Notes nvarchar(max)", "Syntax error in field definition."},
      {"ALTER TABLE T ADD KInt AS (K + 1)", "Syntax error in field definition."},
      {"ALTER TABLE T ADD X Bogus", "Syntax error in field definition."},
      {"ALTER TABLE T drop  K", "Syntax error in ALTER TABLE statement."},
      {"select 1; select 2", "Characters found after end of SQL statement."},
      {"create table T( K  int)", "Table 'T' already exists."},
      {"ALTER TABLE T ADD k int", "Field 'k' already exists in table 'T'."},
      {"drop table Nope", "Table 'Nope' does not exist."},
  };
  for (const auto& [statement, message] : cases) {
    EXPECT_EQ(enginetest::errorOf([&] { connection.execute(statement); }).message(), message) << statement;
  }
  EXPECT_EQ(connection.columnNames("T"), Strings{"K"});
}

TEST_F(EngineAccessTest, TheFileKeepsItsData) {
  connection.execute("create table Login( ID  Integer)");
  connection.execute("ALTER TABLE Login ADD Ta nvarchar(50)");
  connection.execute("insert into Login values (1, '1400/01/01')");
  connection.close();
  connection.open(enginetest::jet(file.string()));
  const db::Rows rows = connection.query({"select Ta from Login where ID = 1"}, {}, db::QueryMode::Open);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows.values[0][0], "1400/01/01");
}

}  // namespace
