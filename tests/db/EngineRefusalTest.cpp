#include <gtest/gtest.h>

#include <regex>

#include "db/EngineTestSupport.h"
#include "support/EngineFixture.h"

namespace {

// Every refusal, worded as SQL Server words it. "$PK", "$UQ" and "$DF" in an expected
// message stand for the name the engine gave table T's constraint of that kind.
struct Refusal {
  const char* name;
  std::vector<std::string> setup;
  std::string statement;
  int number;
  std::string message;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

const std::string kT = "create table T( K  int, Name nvarchar(50))";

// "(((K + 1) + 1) ...)" nested `depth` times.
std::string nested(int depth) {
  std::string text = "K";
  for (int i = 0; i < depth; ++i) text = "(" + text + " + 1)";
  return text;
}
const std::string kTooDeep =
    "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into smaller queries.";

// clang-format off
std::vector<Refusal> refusals() {
  return {
      {"ColumnAddedTwice", {kT}, "ALTER TABLE T ADD name nvarchar(20)", 2705,
       "Column names in each table must be unique. Column name 'name' in table 'T' is specified more than once."},
      {"ColumnTwiceInCreate", {}, "create table T( K  int, k int)", 2705,
       "Column names in each table must be unique. Column name 'k' in table 'T' is specified more than once."},
      {"TableCreatedTwice", {kT}, "create table dbo.t( K  int)", 2714,
       "There is already an object named 't' in the database."},
      {"TableNamedLikeAView", {kT, "create view V as select K from T"}, "create table V( K  int)", 2714,
       "There is already an object named 'V' in the database."},
      {"ProcedureNamedLikeATable", {kT}, "create procedure T as select 1", 2714,
       "There is already an object named 'T' in the database."},
      {"CreateWithEmptyColumnList", {}, "create table dbo.T(   )", 102, "Incorrect syntax near ')'."},
      {"IncompleteDelete", {kT}, "delete from", 156, "Incorrect syntax near the keyword 'from'."},
      {"IncompleteUpdate", {kT}, "update T set", 156, "Incorrect syntax near the keyword 'set'."},
      // What the engine accepts it must be able to run: a column it could never read is
      // refused when it is defined, not at every later statement.
      {"ComputedColumnNestedTooDeeply", {kT}, "ALTER TABLE T ADD Deep AS " + nested(120), 191, kTooDeep},
      {"ComputedColumnNestedTooDeeplyInCreate", {}, "create table T( K  int, Deep AS " + nested(120) + ")", 191,
       kTooDeep},
      {"QueryNestedTooDeeply", {kT}, "select " + nested(120) + " from T", 191, kTooDeep},
      // A foreign key needs its table, a key of that table, and every row's key found there.
      {"ForeignKeyToAMissingTable", {kT}, "alter table T add constraint FK_T_X foreign key (K) REFERENCES X(ID) ", 1767,
       "Foreign key 'FK_T_X' references invalid table 'X'.\nCould not create constraint or index. See previous "
       "errors."},
      {"ForeignKeyToANonKeyColumn", {kT, "create table P( ID  int, Code int)"},
       "alter table T add constraint FK_T_P foreign key (K) REFERENCES P(Code) ", 1776,
       "There are no primary or candidate keys in the referenced table 'dbo.P' that match the referencing column list in "
       "the foreign key 'FK_T_P'.\nCould not create constraint or index. See previous errors."},
      {"ForeignKeyInAnotherColumnOrderThanTheKey",
       {"create table P( A  int NOT NULL, B int NOT NULL, CONSTRAINT PK_P PRIMARY KEY (A, B))",
        "create table T( K  int, L int)"},
       "alter table T add constraint FK_T_P foreign key (L, K) REFERENCES P(B, A) ", 1776,
       "There are no primary or candidate keys in the referenced table 'dbo.P' that match the referencing column list in "
       "the foreign key 'FK_T_P'.\nCould not create constraint or index. See previous errors."},
      {"ForeignKeyToATableWithoutPrimaryKey", {kT, "create table P( ID  int)"},
       "alter table T add constraint FK_T_P foreign key (K) REFERENCES P", 1773,
       "Foreign key 'FK_T_P' has implicit reference to object 'P' which does not have a primary key defined on it.\n"
       "Could not create constraint or index. See previous errors."},
      {"ForeignKeyOverOrphanRows",
       {kT, "create table P( ID  int PRIMARY KEY)", "insert into P values (1)", "insert into T(K) values (1)",
        "insert into T(K) values (2)"},
       "alter table T add constraint FK_T_P foreign key (K) REFERENCES P(ID) ", 547,
       "The ALTER TABLE statement conflicted with the FOREIGN KEY constraint \"FK_T_P\". The conflict occurred in "
       "database \"TestDb\", table \"dbo.P\", column 'ID'."},
      // Two dots stand for the default schema and must be followed by a name.
      {"SelectOfTwoDots", {kT}, "select ..", 102, "Incorrect syntax near '.'."},
      {"FromTwoDots", {kT}, "select * from ..", 102, "Incorrect syntax near '.'."},
      {"UpdateOfTwoDotsAndParenthesis", {kT}, "update x..(y) set a=1", 102, "Incorrect syntax near '('."},
      {"RowsOfAnotherCatalog", {kT}, "insert into Nowhere.dbo.T(K) values (5)", 0,
       "The embedded engine does not support names in another catalog ('Nowhere.dbo.T') yet; run this statement "
       "against a SQL Server instance through the ODBC backend."},
      {"CreateWithoutColumnList", {}, "create table dbo.T", 102, "Incorrect syntax near 'T'."},
      {"UnknownTypeInAdd", {kT}, "ALTER TABLE T ADD Sharh Memo", 2715,
       "Column, parameter, or variable #3: Cannot find data type Memo."},
      {"UnknownTypeInCreate", {}, "create table T( K  int, Sharh Memo)", 2715,
       "Column, parameter, or variable #2: Cannot find data type Memo."},
      {"WidthOnAFixedType", {kT}, "ALTER TABLE T ADD X int(5)", 2716,
       "Column, parameter, or variable #3: Cannot specify a column width on data type int."},
      {"SizeTooLarge", {kT}, "ALTER TABLE T ADD X nvarchar(5000)", 131,
       "The size (5000) given to the type 'nvarchar' exceeds the maximum allowed for any data type (4000)."},
      {"AlterOfAMissingColumn", {kT}, "ALTER TABLE T ALTER COLUMN Nope int", 4924,
       "ALTER TABLE ALTER COLUMN failed because column 'Nope' does not exist in table 'T'."},
      {"DropOfAMissingColumn", {kT}, "ALTER TABLE T drop column Nope", 4924,
       "ALTER TABLE DROP COLUMN failed because column 'Nope' does not exist in table 'T'."},
      {"NotNullWithoutDefaultOnRows", {kT, "insert into T(K) values (1)"}, "ALTER TABLE T ADD Flag bit NOT NULL", 4901,
       "ALTER TABLE only allows columns to be added that can contain nulls, or have a DEFAULT definition specified, or "
       "the column being added is an identity or timestamp column, or alternatively if none of the previous "
       "conditions are satisfied the table must be empty to allow addition of this column. Column 'Flag' cannot be "
       "added to non-empty table 'T' because it does not satisfy these conditions."},
      {"DropOfSomethingThatIsNoConstraint", {kT}, "ALTER TABLE T drop  Name", 3728,
       "'Name' is not a constraint.\nCould not drop constraint. See previous errors."},
      {"AlterOfAPrimaryKeyColumn", {"create table T( K  int primary key)"}, "ALTER TABLE T ALTER COLUMN K bigint", 5074,
       "The object '$PK' is dependent on column 'K'.\n"
       "ALTER TABLE ALTER COLUMN K failed because one or more objects access this column."},
      {"WideningAPrimaryKeyColumn", {"create table T( Code nvarchar(10) primary key)"},
       "ALTER TABLE T ALTER COLUMN Code nvarchar(20)", 5074,
       "The object '$PK' is dependent on column 'Code'.\n"
       "ALTER TABLE ALTER COLUMN Code failed because one or more objects access this column."},
      {"NarrowingAnIndexedColumn", {kT, "create index IX_Name on T(Name)"}, "ALTER TABLE T ALTER COLUMN Name nvarchar(40)",
       5074,
       "The index 'IX_Name' is dependent on column 'Name'.\n"
       "ALTER TABLE ALTER COLUMN Name failed because one or more objects access this column."},
      {"RetypingAnIndexedColumn", {kT, "create index IX_Name on T(Name)"}, "ALTER TABLE T ALTER COLUMN Name varchar(80)",
       5074,
       "The index 'IX_Name' is dependent on column 'Name'.\n"
       "ALTER TABLE ALTER COLUMN Name failed because one or more objects access this column."},
      {"AlteringAnIndexedInt", {kT, "create index IX_K on T(K)"}, "ALTER TABLE T ALTER COLUMN K bigint", 5074,
       "The index 'IX_K' is dependent on column 'K'.\n"
       "ALTER TABLE ALTER COLUMN K failed because one or more objects access this column."},
      {"NarrowingAUniqueColumn", {"create table T( K  int, Code nvarchar(10) unique)"},
       "ALTER TABLE T ALTER COLUMN Code nvarchar(5)", 5074,
       "The object '$UQ' is dependent on column 'Code'.\n"
       "ALTER TABLE ALTER COLUMN Code failed because one or more objects access this column."},
      {"DroppingAnIndexedColumn", {kT, "create index IX_Name on T(Name)"}, "ALTER TABLE T drop column Name", 5074,
       "The index 'IX_Name' is dependent on column 'Name'.\n"
       "ALTER TABLE DROP COLUMN Name failed because one or more objects access this column."},
      {"AlteringAColumnOfAComputedColumn",
       {"create table T( AccCode nchar(10), AccInt AS (CONVERT(int,AccCode,0)))"},
       "ALTER TABLE T ALTER COLUMN AccCode nchar(20)", 5074,
       "The column 'AccInt' is dependent on column 'AccCode'.\n"
       "ALTER TABLE ALTER COLUMN AccCode failed because one or more objects access this column."},
      {"DroppingAColumnWithADefault", {"create table T( K  int, F bit default(1))"}, "ALTER TABLE T drop column F", 5074,
       "The object '$DF' is dependent on column 'F'.\n"
       "ALTER TABLE DROP COLUMN F failed because one or more objects access this column."},
      {"RetypingAColumnWithADefault", {"create table T( K  int, F bit default(1))"}, "ALTER TABLE T ALTER COLUMN F int",
       5074,
       "The object '$DF' is dependent on column 'F'.\n"
       "ALTER TABLE ALTER COLUMN F failed because one or more objects access this column."},
      {"AlteringAComputedColumn", {"create table T( A  int, B AS (A + 1))"}, "ALTER TABLE T ALTER COLUMN B int", 4928,
       "Cannot alter column 'B' because it is 'COMPUTED'."},
      {"ComputedColumnOfAMissingColumn", {}, "create table T( A  int, B AS (Nope + 1))", 207,
       "Invalid column name 'Nope'."},
      {"DroppingTheOnlyColumn", {"create table T( K  int)"}, "ALTER TABLE T drop column K", 4923,
       "ALTER TABLE DROP COLUMN failed because 'K' is the only data column in table 'T'. A table must have at least "
       "one data column."},
      {"SecondPrimaryKeyInCreate", {}, "create table T( A  int primary key, B int primary key)", 8110,
       "Cannot add multiple PRIMARY KEY constraints to table 'T'."},
      {"SecondPrimaryKeyAdded", {"create table T( A  int primary key)"}, "ALTER TABLE T ADD B int PRIMARY KEY", 1779,
       "Table 'T' already has a primary key defined on it."},
      {"NullablePrimaryKey", {}, "create table T( A  int NULL primary key)", 8111,
       "Cannot define PRIMARY KEY constraint on nullable column in table 'T'."},
      {"TwoIdentities", {}, "create table T( A  int identity(1,1), B int identity)", 2744,
       "Multiple identity columns specified for table 'T'. Only one identity column per table is allowed."},
      {"IdentityOnText", {}, "create table T( A  nvarchar(10) identity)", 2749,
       "Identity column 'A' must be of data type int, bigint, smallint, tinyint, or decimal or numeric with a scale "
       "of 0, and constrained to be nonnullable."},
      {"DropOfAMissingTable", {}, "drop table Nope", 3701,
       "Cannot drop the table 'Nope', because it does not exist or you do not have permission."},
      {"DropOfAMissingQualifiedTable", {}, "drop table dbo.Nope", 3701,
       "Cannot drop the table 'dbo.Nope', because it does not exist or you do not have permission."},
      {"DropTableOfAView", {kT, "create view V as select K from T"}, "drop table V", 3705,
       "Cannot use DROP TABLE with 'V' because 'V' is a view. Use DROP VIEW."},
      {"DropViewOfATable", {kT}, "drop view T", 3705,
       "Cannot use DROP VIEW with 'T' because 'T' is a table. Use DROP TABLE."},
      {"AlterOfAMissingTable", {}, "ALTER TABLE Nope ADD X int", 4902,
       "Cannot find the object \"Nope\" because it does not exist or you do not have permissions."},
      {"IndexTwice", {kT, "create index IX on T(K)"}, "create index ix on T(Name)", 1913,
       "The operation failed because an index or statistics with name 'ix' already exists on table 'T'."},
      {"IndexOnAMissingColumn", {kT}, "create index IX on T(Nope)", 1911,
       "Column name 'Nope' does not exist in the target table or view."},
      {"IndexOnALargeColumn", {"create table T( K  int, Notes ntext)"}, "create index IX on T(Notes)", 1919,
       "Column 'Notes' in table 'T' is of a type that is invalid for use as a key column in an index."},
      {"DropOfAMissingIndex", {kT}, "drop index T.IX", 3703,
       "Cannot drop the index 'T.IX', because it does not exist or you do not have permission."},
      {"UnknownSchema", {}, "create table sales.T( K  int)", 2760,
       "The specified schema name \"sales\" either does not exist or you do not have permission to use it."},
      {"SelectFromAMissingTable", {}, "select * from dbo.Nope", 208, "Invalid object name 'dbo.Nope'."},
      {"SelectOfAMissingColumn", {kT}, "select Nope from T", 207, "Invalid column name 'Nope'."},
      {"KeywordOutOfPlace", {kT}, "select * from where", 156, "Incorrect syntax near the keyword 'where'."},
      {"KeywordAsColumnName", {}, "create table T( K  int, from int)", 156, "Incorrect syntax near the keyword 'from'."},
      {"MisspelledStatement", {}, "create tablet T( K  int)", 102, "Incorrect syntax near 'tablet'."},
      {"UndeclaredVariable", {kT}, "select @x", 137, "Must declare the scalar variable \"@x\"."},
      {"UnclosedQuote", {kT}, "select 'abc", 105, "Unclosed quotation mark after the character string 'abc'."},
      {"DuplicatePrimaryKey", {"create table T( K  int primary key)", "insert into T values (1)"},
       "insert into T values (1)", 2627,
       "Violation of PRIMARY KEY constraint '$PK'. Cannot insert duplicate key in object 'dbo.T'."},
      {"NullIntoNotNull", {"create table T( K  int not null, Name nvarchar(5))"}, "insert into T(Name) values ('a')", 515,
       "Cannot insert the value NULL into column 'K', table 'TestDb.dbo.T'; column does not allow nulls. INSERT "
       "fails."},
      {"NotNullOverNulls", {kT, "insert into T(K) values (1)"}, "ALTER TABLE T ALTER COLUMN Name nvarchar(50) NOT NULL",
       515,
       "Cannot insert the value NULL into column 'Name', table 'TestDb.dbo.T'; column does not allow nulls. UPDATE "
       "fails."},
      {"ConversionOfText", {kT, "insert into T values (1, 'abc')"}, "ALTER TABLE T ALTER COLUMN Name int", 245,
       "Conversion failed when converting the nvarchar value 'abc' to data type int."},
      {"ExplicitIdentity", {"create table T( K  int identity(1,1), Name nvarchar(5))"},
       "insert into T(K, Name) values (5, 'a')", 544,
       "Cannot insert explicit value for identity column in table 'T' when IDENTITY_INSERT is set to OFF."},
      {"MissingProcedure", {}, "EXEC SP_Nope @Result = 1", 2812, "Could not find stored procedure 'SP_Nope'."},
      {"MissingProcedureByName", {}, "sp_nope 1, 2", 2812, "Could not find stored procedure 'sp_nope'."},
      {"ViewInTheMiddleOfABatch", {kT}, "select 1\r\ncreate view V as select K from T", 111,
       "'CREATE VIEW' must be the first statement in a query batch."},
  };
}
// clang-format on

class EngineRefusalTest : public testsupport::EngineFixture, public ::testing::WithParamInterface<Refusal> {
 protected:
  std::string constraintName(const char* type) {
    const auto rows =
        connection->query({"select name from sys.objects where type = :p1"}, {{"p1", type}}, db::QueryMode::Open);
    return rows.empty() ? "?" : *rows.values[0][0];
  }
};

TEST_P(EngineRefusalTest, IsRefusedInTheServersWords) {
  const Refusal& r = GetParam();
  for (const auto& statement : r.setup) prepare(statement);
  std::string expected = r.message;
  for (const auto& [placeholder, type] : {std::pair{"$PK", "PK"}, {"$UQ", "UQ"}, {"$DF", "D"}}) {
    if (const auto at = expected.find(placeholder); at != std::string::npos)
      expected.replace(at, 3, constraintName(type));
  }
  const auto tablesBefore = connection->tableNames();
  const db::Error e = enginetest::errorOf([&] { connection->execute(r.statement); });
  EXPECT_EQ(e.number(), r.number);
  EXPECT_EQ(e.message(), expected);
  EXPECT_EQ(e.className(), db::Error::kProviderClass);
  EXPECT_EQ(connection->tableNames(), tablesBefore) << "a refused statement changed nothing";
}

INSTANTIATE_TEST_SUITE_P(Refusals, EngineRefusalTest, ::testing::ValuesIn(refusals()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineRefusalTest, GeneratedConstraintNamesFollowTheServersPattern) {
  prepare("create table A_Furush_Kala( ID  Integer primary key (ID), Code nvarchar(10) UNIQUE, F bit default(1))");
  EXPECT_TRUE(std::regex_match(constraintName("PK"), std::regex("PK__A_Furush__[0-9A-F]{16}"))) << constraintName("PK");
  EXPECT_TRUE(std::regex_match(constraintName("UQ"), std::regex("UQ__A_Furush__[0-9A-F]{16}"))) << constraintName("UQ");
  EXPECT_TRUE(std::regex_match(constraintName("D"), std::regex("DF__A_Furush___F__[0-9A-F]{8}")))
      << constraintName("D");
}

}  // namespace
