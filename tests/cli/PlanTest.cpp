#include <gtest/gtest.h>

#include "cli/Plan.h"

namespace {

using cli::Change;

TEST(Plan, StatementsAreSortedByWhatTheyChange) {
  const std::pair<const char*, Change> cases[] = {
      {"create table dbo.A_AQSAT( SH_A  integer)", Change::CreateTable},
      {"ALTER TABLE A_AQSAT ADD MABLAGH money", Change::AddColumn},
      {"alter table A_AQSAT alter column SHARH nvarchar(250)", Change::AlterColumn},
      {"ALTER TABLE P_Info drop column Reg", Change::DropColumn},
      {"drop table LOGIN", Change::DropTable},
      {"delete from T_AccCode where CodeLevel = 1", Change::Delete},
      {"DELETE A_FASQ", Change::Delete},
      {"CREATE VIEW V_Taraz AS SELECT 1 AS a", Change::Object},
      {"\rcreate procedure SP_X as select 1", Change::Object},
      {"IF OBJECT_ID('DBO.V_Taraz') IS NOT NULL DROP view DBO.V_Taraz ", Change::None},
      {"update P_TTHESAB set CG=6 where CG=4 ", Change::None},
  };
  for (const auto& [text, change] : cases) EXPECT_EQ(cli::changeOf(text), change) << text;
  EXPECT_TRUE(cli::isDestructive(Change::Delete));
  EXPECT_FALSE(cli::isDestructive(Change::AlterColumn));
}

TEST(Plan, CheckListsOnlyWhatIsPendingAndAFailureSaysWhereTheRunWouldStop) {
  cli::Plan plan;
  plan.statements = {{"P_pass_R", "select CK from P_PASS where CK = '1'", Change::None, true, std::nullopt},
                     {"P_pass_R", "ALTER TABLE P_PASS ADD CK nvarchar(10)", Change::AddColumn, false, std::nullopt},
                     {"Login", "drop table LOGIN", Change::DropTable, false, 3}};
  plan.failure = app::ErrorInfo{"EOleException", "Invalid column name 'CK'.", 207, {}};
  plan.failedStep = "Login";
  std::ostringstream out;
  cli::printPlan(plan, true, false, out);
  EXPECT_EQ(out.str(),
            "== P_pass_R\n"
            "  + ALTER TABLE P_PASS ADD CK nvarchar(10)\n"
            "== Login\n"
            "  ! drop table LOGIN    [drop table, 3 rows now]\n"
            "The run would stop at Login: Invalid column name 'CK'.\n"
            "Pending: 2 statements (0 tables created, 1 columns added, 0 columns re-declared, 0 objects installed, "
            "1 destructive).\n");
}

}  // namespace
