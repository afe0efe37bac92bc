#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "db/embedded/syntax/Parser.h"
#include "db/syntax/SyntaxTestSupport.h"

namespace db::embedded::syntax {
namespace {

using testing::shape;

struct StepStatement {
  std::string step;
  std::string text;
  int line = 0;
};

std::string unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      const char c = s[++i];
      out += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
    } else {
      out += s[i];
    }
  }
  return out;
}

std::vector<StepStatement> loadStepStatements() {
  const auto file = std::filesystem::path(__FILE__).parent_path() / "data" / "step-statements.txt";
  std::ifstream in(file);
  std::vector<StepStatement> statements;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    statements.push_back({line.substr(0, tab), unescape(line.substr(tab + 1)), number});
  }
  return statements;
}

const std::vector<StepStatement>& stepStatements() {
  static const std::vector<StepStatement> statements = loadStepStatements();
  return statements;
}

class StepStatementTest : public ::testing::TestWithParam<StepStatement> {};

TEST_P(StepStatementTest, ParsesAsSent) {
  const StepStatement& s = GetParam();
  try {
    const Batch batch = parseBatch(s.text);
    EXPECT_FALSE(batch.statements.empty());
  } catch (const Error& e) {
    ADD_FAILURE() << "data line " << s.line << " (" << s.step << "): Msg " << e.number() << ", line " << e.line()
                  << ": " << e.message();
  }
}

INSTANTIATE_TEST_SUITE_P(EveryStatement, StepStatementTest, ::testing::ValuesIn(stepStatements()),
                         [](const ::testing::TestParamInfo<StepStatement>& info) {
                           return info.param.step + "_" + std::to_string(info.index);
                         });

TEST(StepStatementsTest, AllAreThere) {
  // 154 statements: 114 of the table steps, 40 drop statements of the object steps.
  EXPECT_EQ(stepStatements().size(), 154u);
}

const std::string& textOf(std::string_view step, size_t nth = 0) {
  for (const StepStatement& s : stepStatements())
    if (s.step == step && nth-- == 0) return s.text;
  static const std::string none;
  ADD_FAILURE() << "no statement for " << step;
  return none;
}

TEST(StepStatementsTest, TheGuardOfTheKeyReplacementGovernsTheWholeBlock) {
  EXPECT_EQ(shape(textOf("A_CDARYAFTI_I")),
            "(if (is-not-null (call OBJECT_ID 'dbo.PK_A_CDARYAFTI')) (block"
            " (alter-table A_CDARYAFTI (drop (constraint [PK_A_CDARYAFTI])))"
            " (update A_CDARYAFTI (set (= SeriNo '0')) (where (and (= 1 1) (or (is-null SeriNo) (= SeriNo '')))))"
            " (alter-table A_CDARYAFTI (alter-column [SHSERIAL] varchar(50) not-null))"
            " (alter-table A_CDARYAFTI (alter-column [SeriNo] varchar(50) not-null))"
            " (alter-table A_CDARYAFTI (add (primary-key PK_A_CDARYAFTI_NEW nonclustered (shserial [SeriNo]))))))");
}

TEST(StepStatementsTest, RenumberingSetsTheVariableAndTheColumnAtOnce) {
  EXPECT_EQ(shape(textOf("A_FASQ", 2)),
            "(declare (@ID INT))\n(set @ID = 0)\n(update A_FASQ (set (= @ID SH_ID (+ @ID 1))) (where (is-null SH_ID)))");
}

TEST(StepStatementsTest, AGuardWithoutBeginGovernsOneStatement) {
  EXPECT_EQ(shape(textOf("A_GHAVALEH", 4)),
            "(if (is-not-null (call OBJECT_ID 'PK_A_GHAVALEH')) (alter-table A_GHAVALEH (drop (constraint "
            "PK_A_GHAVALEH))))\n"
            "(alter-table A_GHAVALEH (add (primary-key PK_A_GHAVALEH (ID))))");
}

TEST(StepStatementsTest, TheComputedOrdinalIsOneCase) {
  const Batch batch = parseBatch(textOf("P_TBimeh_Wage_DT", 6));
  ASSERT_EQ(batch.statements.size(), 1u);
  const auto& alter = batch.statements[0]->as<AlterTableStatement>();
  ASSERT_EQ(alter.addColumns.size(), 1u);
  const auto& computed = alter.addColumns[0].computed->as<Case>();
  EXPECT_EQ(computed.whens.size(), 7u);
  EXPECT_EQ(computed.whens[3].when->as<Like>().pattern->as<Literal>().value, "%چهارم%");
}

TEST(StepStatementsTest, IndexOptionsFollowALoneCarriageReturn) {
  EXPECT_EQ(shape(textOf("T_Credit_Cash", 1)),
            "(create-index IX_T_Credit_Cash unique nonclustered (on T_Credit_Cash) (INS_COM_CD asc)"
            " (with PAD_INDEX=OFF STATISTICS_NORECOMPUTE=OFF SORT_IN_TEMPDB=OFF IGNORE_DUP_KEY=OFF DROP_EXISTING=OFF"
            " ONLINE=OFF ALLOW_ROW_LOCKS=ON ALLOW_PAGE_LOCKS=ON) (filegroup PRIMARY))");
}

TEST(StepStatementsTest, DropStatementsNameTheirKindAndObject) {
  EXPECT_EQ(shape(textOf("SP_RECONFIG_MORAV")),
            "(if (is-not-null (call OBJECT_ID 'DBO.SP_RECONFIG_MORAV')) (drop PROCEDURE DBO.SP_RECONFIG_MORAV))");
  EXPECT_EQ(shape(textOf("V_Pursuant_Dt", 1)),
            "(if (is-not-null (call OBJECT_ID 'DBO.V_Pursuant_Dt')) (drop VIEW DBO.V_Pursuant_Dt))");
}

TEST(StepStatementsTest, TheSeedRowsAreInsertedOnlyUnderTheirGuard) {
  EXPECT_EQ(shape(textOf("P_TGHAZINEH")),
            "(if (not (exists (select * (from P_TGHAZINEH)))) (block"
            " (insert P_TGHAZINEH (values (1 'هزينه هاي ثابت' ''))) (insert P_TGHAZINEH (values (2 'هزينه هاي غير ثابت' '')))))");
}

}  // namespace
}  // namespace db::embedded::syntax
