#include <gtest/gtest.h>

#include "db/EngineTestSupport.h"
#include "support/EngineFixture.h"

namespace {

using Strings = std::vector<std::string>;

class EngineDdlTest : public testsupport::EngineFixture {
 protected:
  std::optional<std::string> scalar(const std::string& select) {
    const db::Rows rows = connection->query({select}, {}, db::QueryMode::Open);
    if (rows.empty()) return std::nullopt;
    return rows.values[0][0];
  }
};

TEST_F(EngineDdlTest, EveryTypeTextOfTheCatalogs) {
  prepare("create table dbo.T( ID  Integer)");
  const Strings types = {"int",
                         "Integer",
                         "INT",
                         "integer PRIMARY KEY",
                         "nvarchar(50)",
                         "nvarchar(255)",
                         "varchar(10)",
                         "nchar(2)",
                         "char(5)",
                         "nvarchar(max)",
                         "varchar(max)",
                         "money",
                         "Money",
                         "MONEY",
                         "bit",
                         "Bit",
                         "BIT",
                         "float",
                         "Float",
                         "real",
                         "numeric(10,0)",
                         "decimal(18, 4)",
                         "image",
                         "varbinary(128)",
                         "varbinary(max)",
                         "Date",
                         "datetime",
                         "smalldatetime",
                         "ntext",
                         "text",
                         "uniqueidentifier",
                         "bigint",
                         "smallint",
                         "tinyint",
                         "nvarchar(15)  null",
                         "integer not null",
                         "bit default(1)",
                         "nchar(2) not null default('MV')",
                         "integer  UNIQUE",
                         "int IDENTITY(1,1)",
                         "nvarchar(50)   ",
                         "money DEFAULT 0",
                         "nvarchar(10) DEFAULT N'الف'",
                         "datetime default getdate()",
                         "[int]",
                         "double precision",
                         "smallmoney"};
  for (size_t i = 0; i < types.size(); ++i) {
    const std::string column = "C" + std::to_string(i);
    SCOPED_TRACE(types[i]);
    connection->execute("ALTER TABLE T ADD " + column + " " + types[i]);
  }
  EXPECT_EQ(connection->columnNames("T").size(), types.size() + 1);
}

TEST_F(EngineDdlTest, NamesBracketsPrefixesAndBlanks) {
  connection->execute("create   table   dbo.A_Furush  (  ID    Integer  )  ");
  connection->execute("ALTER TABLE A_Furush ADD [To] nvarchar(50)");
  connection->execute("ALTER TABLE a_furush ADD [AutoID] Integer");
  connection->execute("ALTER TABLE [A_Furush] ADD [دريافت نقد] money");
  connection->execute("ALTER TABLE dbo.A_Furush ADD Sh nvarchar(50)  ");
  connection->execute("ALTER  TABLE\tA_Furush\r\nADD   Ta   nvarchar(50)");
  connection->execute("ALTER TABLE A_Furush ADD [Key] nvarchar(5), [Add] bit -- two at once\n");
  connection->execute("/* leading comment */ ALTER TABLE A_Furush ADD [No] int");
  EXPECT_EQ(connection->columnNames("A_FURUSH"),
            (Strings{"ID", "To", "AutoID", "دريافت نقد", "Sh", "Ta", "Key", "Add", "No"}));
  connection->execute("ALTER TABLE A_Furush drop column [دريافت نقد], sh");
  connection->execute("drop table DBO.a_FURUSH");
  EXPECT_TRUE(connection->tableNames().empty());
}

TEST_F(EngineDdlTest, CreateFormsOfBothPrimitives) {
  connection->execute("create table dbo.A_AQSAT( SH_A  integer)");
  connection->execute("create table P_Sherkat( ID  Integer primary key (ID))");
  connection->execute("create table T_AccCode( AccCode nchar(10) NOT NULL PRIMARY KEY)");
  connection->execute("ALTER TABLE T_AccCode ADD AccCodeInt AS (CONVERT(int,AccCode,0))");
  EXPECT_EQ(connection->tableNames(), (Strings{"A_AQSAT", "P_Sherkat", "T_AccCode"}));
  EXPECT_EQ(scalar("select count(*) from sys.objects where type = 'PK'"), "2");
  connection->execute("insert into T_AccCode(AccCode) values (N'0042')");
  EXPECT_EQ(scalar("select AccCodeInt from T_AccCode"), "42");
}

TEST_F(EngineDdlTest, WideningAnIndexedVariableLengthColumnIsAllowed) {
  prepare("create table T( K  int, Name nvarchar(50), Code varchar(10) UNIQUE)");
  prepare("create index IX_Name on T(Name)");
  connection->execute("ALTER TABLE T ALTER COLUMN Name nvarchar(100)");
  connection->execute("ALTER TABLE T ALTER COLUMN Code varchar(20)");
  connection->execute("ALTER TABLE T ALTER COLUMN K bigint");  // not indexed: any change
}

TEST_F(EngineDdlTest, ConstraintsAndIndexesComeAndGo) {
  prepare("create table T( K  int CONSTRAINT PK_T PRIMARY KEY, Name nvarchar(50) CONSTRAINT DF_T_Name DEFAULT 'x')");
  connection->execute("ALTER TABLE T drop  DF_T_Name");
  connection->execute("ALTER TABLE T drop constraint PK_T");
  connection->execute("ALTER TABLE T ADD CONSTRAINT PK_T PRIMARY KEY (K)");
  connection->execute("create unique index IX_Name on T(Name)");
  connection->execute("drop index T.IX_Name");
  connection->execute("create nonclustered index IX_Name on dbo.T (Name ASC) include (K)");
  connection->execute("drop index IX_Name on T");
  connection->execute("ALTER TABLE T drop column Name");
  EXPECT_EQ(connection->columnNames("T"), Strings{"K"});
}

TEST_F(EngineDdlTest, ModulesAreStoredWithTheirText) {
  prepare("create table T( K  int)");
  const std::string view = "create view V_T\r\nas\r\nselect K from dbo.T";
  connection->execute(view);
  connection->execute("CREATE PROCEDURE SP_X @Result nvarchar(50) output AS BEGIN SET @Result = 'Ok' END");
  connection->execute("create function Fn_X(@a int) returns int as begin return @a end");
  connection->execute("create trigger TRG_T on T after insert as begin set nocount on end");
  EXPECT_EQ(connection->tableNames(), (Strings{"T", "V_T"}));
  EXPECT_EQ(enginetest::errorOf([&] { scalar("select definition from __morav_objects"); }).number(), 208)
      << "the engine's own tables are hidden";
  connection->execute("drop view V_T");
  connection->execute("drop procedure SP_X");
  connection->execute("drop function Fn_X");
  connection->execute("drop trigger TRG_T");
  EXPECT_EQ(scalar("select count(*) from sysobjects"), "1");
}

TEST_F(EngineDdlTest, StatementsNotRunYetSaySo) {
  for (const char* statement :
       {"DECLARE @t table (a int)", "if 1 = 1 DECLARE @t table (a int)"}) {
    const db::Error e = enginetest::errorOf([&] { connection->execute(statement); });
    EXPECT_EQ(e.number(), 0) << statement;
    EXPECT_NE(e.message().find("The embedded engine does not support"), std::string::npos) << e.message();
  }
  // Nothing of such a batch runs.
  EXPECT_THROW(connection->execute("create table T( K  int)\r\nDECLARE @t table (a int)"), db::Error);
  EXPECT_EQ(connection->tableNames(), Strings{});
}

TEST_F(EngineDdlTest, CreateDatabaseThenOpenIt) {
  connection->close();
  connection->open(connectionStringFor("master"));
  connection->execute("create database [Benvo_FYC]");
  connection->close();
  connection->open(connectionStringFor("Benvo_FYC"));
  EXPECT_TRUE(connection->tableNames().empty());
}

}  // namespace

namespace {

TEST_F(EngineDdlTest, ConstraintsAppearInTheirCatalogViews) {
  prepare("create table P( ID  int PRIMARY KEY, Code nvarchar(10) CONSTRAINT UQ_P_Code UNIQUE)");
  prepare("create table C( ID  int, PID int CONSTRAINT FK_C_P REFERENCES P(ID), N int CONSTRAINT DF_C_N DEFAULT 0)");
  EXPECT_EQ(scalar("select count(*) from sys.key_constraints where parent_object_id = object_id('P')"), "2");
  EXPECT_EQ(scalar("select name from sys.foreign_keys where parent_object_id = object_id('C')"), "FK_C_P");
  EXPECT_EQ(scalar("select c.name from sys.default_constraints d join sys.columns c on c.object_id = "
                   "d.parent_object_id and c.column_id = d.parent_column_id where d.name = 'DF_C_N'"),
            "N");
  connection->execute("alter table C drop  constraint FK_C_P ");
  // Keys that do match: a unique constraint, the table's own key, rows that all find theirs.
  connection->execute("insert into P values (1, 'a')");
  connection->execute("insert into C(ID, PID) values (1, 1)");
  connection->execute("insert into C(ID, PID) values (2, NULL)");
  connection->execute("alter table C add constraint FK_C_P foreign key (PID) REFERENCES P(ID) ");
  prepare("create table Code( C  nvarchar(10), CONSTRAINT UQ_Code UNIQUE (C))");
  connection->execute("create table Tree( ID  int PRIMARY KEY, Father int REFERENCES Tree(ID), C nvarchar(10) "
                      "REFERENCES Code(C))");
  EXPECT_EQ(scalar("select count(*) from sys.foreign_keys"), "3");
}

// SQL Server's index options and filegroup are taken and not kept; the WITH is the index's,
// not a second statement (which once made the index and then reported a syntax error).
TEST_F(EngineDdlTest, IndexOptionsAndFilegroupBelongToTheIndex) {
  prepare("create table T( K  int, Code int)");
  connection->execute(
      "CREATE UNIQUE NONCLUSTERED INDEX IX_T ON T (Code ASC) \rWITH (PAD_INDEX  = OFF, STATISTICS_NORECOMPUTE  = OFF, "
      "SORT_IN_TEMPDB = OFF, IGNORE_DUP_KEY = OFF, DROP_EXISTING = OFF, ONLINE = OFF, ALLOW_ROW_LOCKS  = ON, "
      "ALLOW_PAGE_LOCKS  = ON) ON [PRIMARY]");
  EXPECT_EQ(scalar("select count(*) from sys.indexes where name = 'IX_T' and is_unique = 1"), "1");
  connection->execute("create index IX_T2 on T (K) with (fillfactor = 80)");
  EXPECT_EQ(scalar("select count(*) from sys.indexes where object_id = object_id('T')"), "2");
}

// sys.columns numbers the types as SQL Server's sys.types does.
TEST_F(EngineDdlTest, ColumnsCarrySqlServersTypeNumbers) {
  prepare("create table T( K  int, N nvarchar(50), V varchar(10), F float, M money, B bit, D datetime)");
  EXPECT_EQ(scalar("select count(*) from sys.columns where object_id = object_id('T') and system_type_id = "
                   "user_type_id"),
            "7");
  const std::pair<const char*, const char*> numbers[] = {{"K", "56"}, {"N", "231"}, {"V", "167"}, {"F", "62"},
                                                         {"M", "60"}, {"B", "104"}, {"D", "61"}};
  for (const auto& [column, number] : numbers)
    EXPECT_EQ(scalar(std::string("select system_type_id from sys.columns where object_id = object_id('T') and "
                                 "name = '") +
                     column + "'"),
              number)
        << column;
}

}  // namespace

namespace {

TEST_F(EngineDdlTest, CatalogViewsListKeyAndIndexColumns) {
  prepare("create table P( ID  int CONSTRAINT PK_P PRIMARY KEY, A int, B int, Note nvarchar(10))");
  prepare("create table C( ID  int, PA int, PB int, N int CONSTRAINT DF_C_N DEFAULT 0, "
          "CONSTRAINT FK_C_P FOREIGN KEY (PB) REFERENCES P)");
  prepare("create index IX_P on P (B, A) include (Note)");
  const auto columnsOf = [&](const std::string& index) {
    const db::Rows rows = connection->query(
        {"select c.name, ic.key_ordinal, ic.is_included_column from sys.index_columns ic join sys.indexes i on "
         "i.object_id = ic.object_id and i.index_id = ic.index_id join sys.columns c on c.object_id = ic.object_id "
         "and c.column_id = ic.column_id where i.name = '" +
         index + "' order by ic.index_column_id"},
        {}, db::QueryMode::Open);
    std::string listed;
    for (const auto& row : rows.values) listed += *row[0] + ":" + *row[1] + ":" + *row[2] + " ";
    return listed;
  };
  EXPECT_EQ(columnsOf("IX_P"), "B:1:0 A:2:0 Note:0:1 ");
  EXPECT_EQ(columnsOf("PK_P"), "ID:1:0 ");
  EXPECT_EQ(scalar("select index_id from sys.indexes where name = 'PK_P'"), "1");
  EXPECT_EQ(scalar("select referenced_object_id - object_id('P') from sys.foreign_keys where name = 'FK_C_P'"), "0");
  EXPECT_EQ(scalar("select pc.name + '>' + rc.name from sys.foreign_key_columns k join sys.columns pc on "
                   "pc.object_id = k.parent_object_id and pc.column_id = k.parent_column_id join sys.columns rc on "
                   "rc.object_id = k.referenced_object_id and rc.column_id = k.referenced_column_id"),
            "PB>ID");
  // OBJECT_ID finds constraints, with or without their type, and never an index.
  EXPECT_EQ(scalar("select count(*) from sys.objects where object_id in (object_id('PK_P'), object_id('FK_C_P', "
                   "'F'), object_id('dbo.DF_C_N', 'D'), object_id('C', 'U'))"),
            "4");
  EXPECT_EQ(scalar("select object_id('IX_P')"), std::nullopt);
  EXPECT_EQ(scalar("select object_id('FK_C_P', 'U')"), std::nullopt);
  EXPECT_EQ(scalar("select TABLE_TYPE from INFORMATION_SCHEMA.TABLES where TABLE_NAME = 'C'"), "BASE TABLE");
  EXPECT_EQ(scalar("select COLUMN_DEFAULT from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = 'C' and COLUMN_NAME = "
                   "'N'"),
            "0");
}

}  // namespace
