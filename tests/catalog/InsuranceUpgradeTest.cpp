// The insurance table steps run on the embedded engine: on the previous version's database
// (samples/zedidover-previous.sql) they complete, twice, with the keys, indexes, foreign keys,
// numbers and seed rows they are for; a second run leaves the database as the first left it and
// a third sends what the second sent. On an empty catalog they stop where the product's own
// columns are first named, and say so.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CatalogTestSupport.h"
#include "catalog/Catalogs.h"
#include "db/Error.h"
#include "schema/TableStep.h"
#include "support/EngineFixture.h"
#include "support/SqlScript.h"

namespace {

using catalogtest::lower;
using Strings = std::vector<std::string>;

// Every call a run makes, as one text per call: what the statement log of a run holds.
Strings callLog(const testsupport::RecordingObserver& recorder) {
  Strings log;
  for (const auto& entry : recorder.entries()) {
    std::string line = std::string(db::opName(entry.call.op)) + " " + entry.call.table + " " + entry.call.text;
    for (const auto& [name, value] : entry.call.params) line += " :" + name + "=" + value;
    log.push_back(std::move(line));
  }
  return log;
}

class InsuranceUpgrade : public testsupport::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    primitives = std::make_unique<schema::Primitives>(*connection, progress, [] { return schema::EngineForm::SqlServer; });
    progress.overall.setMaximum(1000);
  }

  void loadPreviousVersion() { testsupport::runScriptFile(*connection, MORAV_SOURCE_DIR "/samples/zedidover-previous.sql"); }

  struct Outcome {
    std::string stoppedAt;  // the step that failed; empty when all ran
    std::optional<db::Error> error;
  };

  // The 72 table steps in run order, as the run triggers them (the object steps between them
  // are left out); stops at the first failure, as a run does.
  Outcome runTableSteps() {
    recorder.clear();
    connection->addObserver(&recorder);
    Outcome outcome;
    for (const schema::CatalogEntry& entry : catalog::entriesOf("zedidover.catalog")) {
      try {
        schema::runTableStep(*primitives, entry, currentTable);
      } catch (const db::Error& e) {
        outcome.stoppedAt = entry.step;
        outcome.error = e;
        break;
      }
    }
    connection->removeObserver(&recorder);
    return outcome;
  }

  db::Rows rows(const std::string& sql) { return connection->query({sql}, {}, db::QueryMode::Open); }
  std::string scalar(const std::string& sql) {
    const db::Rows r = rows(sql);
    if (r.empty() || r.values[0].empty()) return "<no rows>";
    return r.values[0][0].value_or("NULL");
  }
  long count(const std::string& sql) { return std::stol(scalar(sql)); }
  Strings column(const std::string& sql) {
    Strings out;
    for (const auto& row : rows(sql).values) out.push_back(row.at(0).value_or("NULL"));
    return out;
  }

  // What a run can change: every table's columns with their types, the keys, indexes and
  // foreign keys by name and table, and every row.
  std::map<std::string, Strings> snapshot() {
    std::map<std::string, Strings> state;
    state["columns"] = column(
        "select TABLE_NAME + '.' + COLUMN_NAME + ' ' + DATA_TYPE + '(' + isnull(cast(CHARACTER_MAXIMUM_LENGTH as "
        "varchar(10)), '') + ') ' + IS_NULLABLE from INFORMATION_SCHEMA.COLUMNS");
    state["indexes"] = column(
        "select o.name + '.' + i.name + ' ' + cast(i.is_unique as varchar(1)) + cast(i.is_primary_key as "
        "varchar(1)) from sys.indexes i join sys.objects o on o.object_id = i.object_id");
    state["constraints"] = column(
        "select p.name + '.' + o.name + ' ' + o.type from sys.objects o join sys.objects p on p.object_id = "
        "o.parent_object_id");
    for (const std::string& table : connection->tableNames()) {
      Strings& content = state["rows of " + lower(table)];
      for (const auto& row : rows("select * from " + table).values) {
        std::string text;
        for (const auto& value : row) text += value.value_or("NULL") + "|";
        content.push_back(text);
      }
    }
    for (auto& [what, lines] : state) std::sort(lines.begin(), lines.end());
    return state;
  }

  // The keys, unique indexes and foreign keys that the steps give the database, present on
  // their tables; the unique ones hold on exactly their columns (checked by the duplicates
  // they refuse, at the end of a test: the probes add rows).
  void expectKeysIndexesAndForeignKeys() {
    const std::pair<const char*, const char*> indexes[] = {
        {"A_AQSAT", "Idx_A_AQSAT"},           {"A_AQSAT", "Idx_UK_A_AQSAT"},
        {"A_GHAVALEH", "Idx_Uniq_A_GHAVALEH"}, {"A_Sharh_Aqsat", "Idx_A_SHARH_AQSAT"},
        {"T_Credit_Cash", "IX_T_Credit_Cash"}, {"T_AccCode", "Idx_Uq_AccCode"},
        {"T_AccCode_Forms", "Idx_Uq_Form_FatherAccID"}, {"T_AccCode_FormCode", "Idx_Pk_AccCode_FormCode"},
        {"T_AccCode_FormCode", "Idx_Uq_Form_AccID"},    {"T_AccCode_FormCode", "Idx_Uq_Form_FormCode"},
        {"T_AccCode_FormCode", "Idx_Uq_AccID_FormCode"},
    };
    for (const auto& [table, index] : indexes)
      EXPECT_EQ(count(std::string("select count(*) from sys.indexes where name = '") + index +
                      "' and object_id = object_id('" + table + "')"),
                1)
          << table << "." << index;
    EXPECT_EQ(count("select count(*) from sys.indexes where name = 'UK_A_GHAVALEH'"), 0);

    const std::pair<const char*, const char*> constraints[] = {
        {"A_CDARYAFTI", "PK_A_CDARYAFTI_NEW"}, {"A_FASQ", "PK_A_FASQ"},
        {"A_GHAVALEH", "PK_A_GHAVALEH"},       {"A_GMSANDUQ", "PK_A_GMSANDUQ"},
        {"A_Sharh_Aqsat", "PK_A_SHARH_AQSAT"}, {"P_TBimeh_Wage_DT", "PK_TBimeh_Wage_DT"},
        {"T_SMS_Vote_Dt", "FK_VOTE_ID"},       {"T_Advantages", "FK_Adv_Formula_ID"},
        {"T_Credit_Cash_History", "FK_T_Credit_Cash"}, {"T_AccCode_FormCode", "FK_AccCode_FormCode"},
        {"T_CureCost", "FK_CostCureID"},       {"T_CureCost", "FK_Cure_SH_B"},
    };
    for (const auto& [table, name] : constraints)
      EXPECT_EQ(count(std::string("select count(*) from sys.objects where name = '") + name +
                      "' and parent_object_id = object_id('" + table + "')"),
                1)
          << table << "." << name;
    EXPECT_EQ(count("select count(*) from sys.key_constraints where name = 'PK_A_CDARYAFTI'"), 0);
    EXPECT_EQ(count("select count(*) from sys.key_constraints where type = 'PK' and parent_object_id = "
                    "object_id('Sudur')"),
              1);
    EXPECT_EQ(count("select count(*) from sys.key_constraints where parent_object_id = object_id('P_Sanad_Type')"),
              0);
  }

  schema::Progress progress;
  std::unique_ptr<schema::Primitives> primitives;
  std::string currentTable;
};

TEST_F(InsuranceUpgrade, CompletesThePreviousVersionTwiceAndTheSecondRunChangesNothing) {
  loadPreviousVersion();
  const long numberedFasq = count("select count(*) from A_FASQ where SH_ID is not null");
  const long unnumberedFasq = count("select count(*) from A_FASQ where SH_ID is null");
  const std::string highestFasq = scalar("select max(SH_ID) from A_FASQ");
  const long expenseGroups = count("select count(*) from P_TGHAZINEH");

  const Outcome first = runTableSteps();
  ASSERT_EQ(first.stoppedAt, "") << first.error->message();
  const auto afterFirst = snapshot();
  expectKeysIndexesAndForeignKeys();

  // Numbering: every row has a number, the new ones after the highest held, none twice.
  EXPECT_EQ(count("select count(*) from A_FASQ where SH_ID is null"), 0);
  EXPECT_EQ(count("select count(*) from A_FASQ where SH_ID > " + highestFasq), unnumberedFasq);
  EXPECT_EQ(count("select count(*) from A_FASQ"), numberedFasq + unnumberedFasq);
  EXPECT_EQ(count("select count(*) from A_Sharh_Aqsat where RowID is null"), 0);
  EXPECT_EQ(count("select count(distinct RowID) from A_Sharh_Aqsat"), count("select count(*) from A_Sharh_Aqsat"));
  EXPECT_EQ(scalar("select IS_NULLABLE from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = 'A_Sharh_Aqsat' and "
                   "COLUMN_NAME = 'RowID'"),
            "NO");
  // Defaults given before the keys.
  EXPECT_EQ(count("select count(*) from A_CDARYAFTI where SeriNo is null or SeriNo = ''"), 0);
  EXPECT_GT(count("select count(*) from A_CDARYAFTI where SeriNo = '0'"), 0);
  EXPECT_EQ(count("select count(*) from P_TBimeh_Wage_DT where Ins_com_cd is null or Wage_Year is null"), 0);
  EXPECT_GT(count("select count(*) from P_TBimeh_Wage_DT where Wage_Year = ''"), 0);
  // Reference rows: thirteen voucher types, the root account, the expense groups left alone.
  EXPECT_EQ(count("select count(*) from P_Sanad_Type"), 13);
  EXPECT_EQ(scalar("select Sanad_DSC from P_Sanad_Type where Sanad_CD = 13"), "واريز جايگزين اقساط عمر");
  EXPECT_EQ(count("select count(*) from T_AccCode where ID = 0 and AccCode = '0' and FatherID = -1"), 1);
  EXPECT_EQ(count("select count(*) from P_TGHAZINEH"), expenseGroups);
  EXPECT_EQ(count("select count(*) from P_TTHESAB where CG = 2 and NG <> N'بيمه گذار'"), 0);
  // The widened columns.
  EXPECT_EQ(scalar("select CHARACTER_MAXIMUM_LENGTH from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = "
                   "'A_GMTHESAB' and COLUMN_NAME = 'SHARH'"),
            "250");
  EXPECT_EQ(scalar("select CHARACTER_MAXIMUM_LENGTH from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = "
                   "'T_Lottery_Dt' and COLUMN_NAME = 'ServiceType'"),
            "100");

  const Outcome second = runTableSteps();
  ASSERT_EQ(second.stoppedAt, "") << second.error->message();
  const Strings secondLog = callLog(recorder);
  EXPECT_EQ(snapshot(), afterFirst);

  const Outcome third = runTableSteps();
  ASSERT_EQ(third.stoppedAt, "") << third.error->message();
  EXPECT_EQ(callLog(recorder), secondLog);
}

TEST_F(InsuranceUpgrade, TheComputedOrdinalReadsThePersianWord) {
  loadPreviousVersion();
  ASSERT_EQ(runTableSteps().stoppedAt, "");
  connection->execute("delete from P_TBimeh_Wage_DT");
  const std::pair<const char*, const char*> years[] = {
      {"سال اول", "1"}, {"سال چهارم", "4"}, {"سال هفتم", "7"}, {"سال دهم", "NULL"}, {"", "NULL"}};
  int cb = 1;
  for (const auto& [year, ordinal] : years) {
    connection->execute("insert into P_TBimeh_Wage_DT (CB, Wage_Year, Ins_com_cd) values (" + std::to_string(cb) +
                        ", N'" + year + "', 1)");
    EXPECT_EQ(scalar("select Wage_Year_Int from P_TBimeh_Wage_DT where CB = " + std::to_string(cb++)), ordinal)
        << year;
  }
}

TEST_F(InsuranceUpgrade, TheUniqueKeysAndIndexesHoldOnTheirColumns) {
  loadPreviousVersion();
  ASSERT_EQ(runTableSteps().stoppedAt, "");
  auto refusal = [&](const std::string& statement) -> std::optional<int> {
    try {
      connection->execute(statement);
    } catch (const db::Error& e) {
      return e.number();
    }
    return std::nullopt;
  };
  // A row that repeats the key columns of an existing one is refused; one that repeats all
  // but one of them is taken.
  struct Probe {
    const char* duplicate;
    const char* distinct;
  };
  const Probe probes[] = {
      {"insert into A_GHAVALEH (SH_R, CA, ID) select SH_R, CA, 900001 from A_GHAVALEH where ID = (select min(ID) from A_GHAVALEH)",
       "insert into A_GHAVALEH (SH_R, CA, ID) select SH_R, 999, 900002 from A_GHAVALEH where ID = (select min(ID) from A_GHAVALEH)"},
      {"insert into A_GHAVALEH (SH_R, CA, ID) select 999991, 999, ID from A_GHAVALEH where ID = (select min(ID) from A_GHAVALEH)",
       "insert into A_GHAVALEH (SH_R, CA, ID) values (999992, 999, 900003)"},
      {"insert into A_GMSANDUQ (SH_R, CA) select SH_R, CA from A_GMSANDUQ where SH_R = (select min(SH_R) from A_GMSANDUQ)",
       "insert into A_GMSANDUQ (SH_R, CA) select min(SH_R), 998 from A_GMSANDUQ"},
      {"insert into Sudur (SH_B) select min(SH_B) from Sudur", "insert into Sudur (SH_B) values ('probe-1')"},
      {"insert into A_FASQ (SH_B, SH_SANAD, SH_ID) select SH_B, 1, SH_ID from A_FASQ where SH_ID = (select min(SH_ID) from A_FASQ)",
       "insert into A_FASQ (SH_B, SH_SANAD, SH_ID) select SH_B, 1, 999999 from A_FASQ where SH_ID = (select min(SH_ID) from A_FASQ)"},
      {"insert into A_Sharh_Aqsat (SH_A, RowID) select SH_A, RowID from A_Sharh_Aqsat where RowID = 1",
       "insert into A_Sharh_Aqsat (SH_A, RowID) values (1, 999999)"},
      {"insert into A_CDARYAFTI (SHSERIAL, SeriNo) select SHSERIAL, SeriNo from A_CDARYAFTI where SeriNo = '0' and SHSERIAL = (select min(SHSERIAL) from A_CDARYAFTI where SeriNo = '0')",
       "insert into A_CDARYAFTI (SHSERIAL, SeriNo) select min(SHSERIAL), 'probe' from A_CDARYAFTI"},
      {"insert into P_TBimeh_Wage_DT (Ins_com_cd, CB, Wage_Year) select Ins_com_cd, CB, Wage_Year from P_TBimeh_Wage_DT where Wage_Year = '' and CB = (select min(CB) from P_TBimeh_Wage_DT where Wage_Year = '')",
       "insert into P_TBimeh_Wage_DT (Ins_com_cd, CB, Wage_Year) select Ins_com_cd, CB, N'probe' from P_TBimeh_Wage_DT where Wage_Year = '' and CB = (select min(CB) from P_TBimeh_Wage_DT where Wage_Year = '')"},
      {"insert into T_Credit_Cash (Cash_CD, INS_COM_CD) select 99999, INS_COM_CD from T_Credit_Cash where Cash_CD = (select min(Cash_CD) from T_Credit_Cash)",
       "insert into T_Credit_Cash (Cash_CD, INS_COM_CD) values (99998, 99998)"},
      {"insert into T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, FatherID) select 99999, AccCode, '-', 1, FatherID from T_AccCode where ID = 0",
       "insert into T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, FatherID) select 99998, AccCode, '-', 1, 99 from T_AccCode where ID = 0"},
      // Against a row of its own: (FormName, AccID), (FormName, FormCode) and (AccID, FormCode).
      {"insert into T_AccCode_FormCode (FormName, AccID, FormCode) values ('probe', 0, 99991)",
       "insert into T_AccCode_FormCode (FormName, AccID, FormCode) values ('probe2', 0, 99991)"},
      {"insert into T_AccCode_FormCode (FormName, AccID, FormCode) select 'probe', max(ID), 99990 from T_AccCode",
       "insert into T_AccCode_FormCode (FormName, AccID, FormCode) values ('probe3', 0, 99992)"},
      {"insert into T_AccCode_FormCode (FormName, AccID, FormCode) values ('probe4', 0, 99990)",
       "insert into T_AccCode_FormCode (FormName, AccID, FormCode) values ('probe4', 0, 99993)"},
  };
  prepare("insert into T_AccCode_FormCode (FormName, AccID, FormCode) values ('probe', 0, 99990)");
  for (const Probe& probe : probes) {
    const std::optional<int> duplicate = refusal(probe.duplicate);
    EXPECT_TRUE(duplicate == 2627 || duplicate == 2601) << probe.duplicate << " -> " << duplicate.value_or(0);
    EXPECT_EQ(refusal(probe.distinct), std::nullopt) << probe.distinct;
  }
}

TEST_F(InsuranceUpgrade, OnAnEmptyCatalogStopsAtTheProductsOwnColumnsAndSaysSo) {
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const Outcome outcome = runTableSteps();
    EXPECT_EQ(outcome.stoppedAt, "P_TTHESAB_I");
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->number(), 4924);
    // The server's message first, then what the operator needs to know.
    EXPECT_TRUE(outcome.error->message().starts_with(
        "ALTER TABLE ALTER COLUMN failed because column 'pursant_yuzda' does not exist in table 'P_TTHESAB'."))
        << outcome.error->message();
    EXPECT_NE(outcome.error->message().find("completes an existing database of the insurance-office product"),
              std::string::npos)
        << outcome.error->message();
  }
  // The steps before it did their work on the tables they created.
  EXPECT_EQ(count("select count(*) from sys.key_constraints where type = 'PK' and parent_object_id = "
                  "object_id('Sudur')"),
            1);
  for (const char* key : {"PK_A_CDARYAFTI_NEW", "PK_A_FASQ", "PK_A_GHAVALEH", "PK_A_GMSANDUQ", "PK_A_SHARH_AQSAT"})
    EXPECT_EQ(count(std::string("select count(*) from sys.key_constraints where name = '") + key + "'"), 1) << key;
  EXPECT_EQ(scalar("select CHARACTER_MAXIMUM_LENGTH from INFORMATION_SCHEMA.COLUMNS where TABLE_NAME = "
                   "'P_TTHESAB' and COLUMN_NAME = 'ADR'"),
            "250");
}

// A product database whose insurance tables are all missing but P_TTHESAB: the steps create
// them, the eight look-ups with statements of their own, and run to the end.
TEST_F(InsuranceUpgrade, OnAProductDatabaseWithoutItsTablesCreatesThemAndSeedsOnce) {
  prepare("create table P_TTHESAB (CTH int, CG int, NG nvarchar(100), [TO] nvarchar(100), pursant_yuzda real)");
  prepare("insert into P_TTHESAB (CTH, CG, NG) values (1, 2, N'مشتري')");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const Outcome outcome = runTableSteps();
    ASSERT_EQ(outcome.stoppedAt, "") << outcome.error->message();
    expectKeysIndexesAndForeignKeys();
    EXPECT_EQ(count("select count(*) from P_Sanad_Type"), 13);
    EXPECT_EQ(count("select count(*) from T_AccCode"), 1);
    EXPECT_EQ(column("select NGH from P_TGHAZINEH order by CGH"), (Strings{"هزينه هاي ثابت", "هزينه هاي غير ثابت"}));
    EXPECT_EQ(scalar("select NG from P_TTHESAB where CTH = 1"), "بيمه گذار");
  }
  // The look-ups' own creates: composite keys and identity columns.
  for (const char* table : {"P_TKarmozd", "P_Cash_Users", "T_Advantage_Formulas"})
    EXPECT_EQ(count(std::string("select count(*) from sys.key_constraints where type = 'PK' and parent_object_id = "
                                "object_id('") +
                    table + "')"),
              1)
        << table;
  for (const char* table : {"T_Offers", "T_General", "T_SMS_Sendbox", "T_SMS_Inbox"})
    EXPECT_EQ(count(std::string("select count(*) from sys.columns where is_identity = 1 and object_id = object_id('") +
                    table + "')"),
              1)
        << table;
  EXPECT_EQ(count("select count(*) from sys.key_constraints where type = 'UQ' and parent_object_id = "
                  "object_id('T_Advantage_Formulas')"),
            1);
}

// Two expense groups go only into an empty table.
TEST_F(InsuranceUpgrade, TheExpenseGroupsAreSeededOnlyIntoAnEmptyTable) {
  loadPreviousVersion();
  prepare("delete from P_TGHAZINEH");
  ASSERT_EQ(runTableSteps().stoppedAt, "");
  EXPECT_EQ(count("select count(*) from P_TGHAZINEH"), 2);
  prepare("delete from P_TGHAZINEH where CGH = 2");
  ASSERT_EQ(runTableSteps().stoppedAt, "");
  EXPECT_EQ(column("select NGH from P_TGHAZINEH"), Strings{"هزينه هاي ثابت"});
}

}  // namespace
