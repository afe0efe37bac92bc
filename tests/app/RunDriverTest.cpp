#include <gtest/gtest.h>

#include "app/RunDriver.h"
#include "app/SessionFixture.h"

namespace {

using Status = app::Outcome::Status;

class RunDriverTest : public apptest::SessionFixture {
 protected:
  app::Outcome run() { return app::runUpgrade(*session); }
};

struct Branch {
  const char* code;
  bool web;
  bool autonum;
  int reconnects;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Branch& c, std::ostream* os) { *os << c.code << (c.web ? " web" : "") << (c.autonum ? "" : " no-autonum"); }

class EveryBranch : public RunDriverTest, public ::testing::WithParamInterface<Branch> {};

TEST_P(EveryBranch, TriggersExactlyItsStepsInOrderWithItsReconnects) {
  const Branch& b = GetParam();
  chooseProduct(b.code);
  session->choices.web = b.web;
  session->choices.convertAutonum = b.autonum;
  const bool hosted = b.web && session->choices.productIndex == 0;
  createCatalog(hosted ? "Web3000" : b.code);
  if (std::string(b.code) == "Benvo") createCatalog("BenvoAssistant");

  std::vector<std::string> announced;
  session->onStep = [&](int number, int count, const std::string& name) {
    EXPECT_EQ(number, static_cast<int>(announced.size()) + 1);
    EXPECT_EQ(count, static_cast<int>(app::sequenceFor(b.code)->stepNames().size()) - (b.autonum ? 0 : 1));
    EXPECT_EQ(triggered.size(), announced.size()) << "announced after it ran: " << name;
    announced.push_back(name);
  };

  const app::Outcome outcome = run();

  ASSERT_EQ(outcome.status, Status::Completed) << outcome.message;
  std::vector<std::string> expected = app::sequenceFor(b.code)->stepNames();
  if (!b.autonum) std::erase(expected, "BChangeFields_Autonum");
  EXPECT_EQ(triggeredNames(), expected);
  EXPECT_EQ(announced, expected);
  EXPECT_EQ(outcome.steps, expected);
  EXPECT_EQ(outcome.reconnects, b.reconnects);
  const auto mainOpens = opened("main");
  EXPECT_EQ(static_cast<int>(mainOpens.size()), 1 + b.reconnects);
  for (const auto& text : mainOpens) EXPECT_EQ(text, session->state.connectionString);
  EXPECT_EQ(platform.informations, std::vector<std::string>{app::kCompletionMessage});
  EXPECT_TRUE(platform.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Products, EveryBranch,
                         ::testing::Values(Branch{"Zemtrio", false, true, 2}, Branch{"Vedizi2", false, true, 4},
                                           Branch{"Rivavaruz", false, true, 1}, Branch{"Koltar", false, true, 1},
                                           Branch{"Zedidover", false, true, 10}, Branch{"Zedidover", true, true, 0},
                                           Branch{"Ruvan", false, true, 10}, Branch{"Ruvan", true, true, 0},
                                           Branch{"Pelix", true, true, 0}, Branch{"Koltar", true, true, 1},
                                           Branch{"Benvo", false, true, 14}, Branch{"Benvo", false, false, 14}),
                         [](const auto& info) {
                           return std::string(info.param.code) + (info.param.web ? "_Web" : "") +
                                  (info.param.autonum ? "" : "_NoAutonum");
                         });

TEST_F(RunDriverTest, ProductWithoutSequenceConnectsAndCompletesAtOnce) {
  createCatalog("Talvo");
  executeIn("Talvo", "create table T1 (a int)");
  executeIn("Talvo", "create table T2 (a int)");
  chooseProduct("Talvo");
  session->progress.overall.setProgress(7);

  const app::Outcome outcome = run();

  EXPECT_EQ(outcome.status, Status::Completed);
  EXPECT_TRUE(outcome.steps.empty());
  EXPECT_EQ(opened("main"), std::vector<std::string>{std::string(kSqlPrefix) + "Talvo;Data Source=PC1\\SQLEXPRESS"});
  EXPECT_EQ(session->progress.overall.maximum(), 2 + app::kOverallGaugeHeadroom);
  EXPECT_EQ(session->progress.overall.progress(), session->progress.overall.maximum());
  EXPECT_TRUE(session->exitButtonFocused);
  EXPECT_EQ(platform.informations, std::vector<std::string>{app::kCompletionMessage});
  EXPECT_TRUE(session->mainConnection().isOpen());
}

TEST_F(RunDriverTest, ACodeInAnotherLetterCaseMatchesNoBranch) {
  createCatalog("zedidover");
  session->choices.productIndex.reset();  // the code as NameDataBase.txt could give it
  session->state.productCode = "zedidover";
  const app::Outcome outcome = run();
  EXPECT_EQ(outcome.status, Status::Completed);
  EXPECT_TRUE(triggered.empty());
  EXPECT_EQ(platform.informations, std::vector<std::string>{app::kCompletionMessage});
}

TEST_F(RunDriverTest, WhereTheSessionAsksARunWithoutStepsSaysSoInsteadOfClaimingSuccess) {
  createCatalog("Talvo");
  chooseProduct("Talvo");
  session->reportRunWithoutSteps = true;
  const app::Outcome outcome = run();
  EXPECT_EQ(outcome.status, Status::Completed);
  EXPECT_EQ(outcome.message, std::string("Talvo: ") + app::kNoSequenceMessage);
  EXPECT_EQ(platform.informations, std::vector<std::string>{outcome.message});
  EXPECT_EQ(session->progress.overall.progress(), session->progress.overall.maximum());

  // A product with a sequence still completes with the completion message.
  createCatalog("Koltar");
  chooseProduct("Koltar");
  platform.informations.clear();
  EXPECT_EQ(run().message, app::kCompletionMessage);
}

TEST_F(RunDriverTest, CancelledResolutionStopsSilentlyHavingOpenedNothing) {
  for (app::Engine engine : {app::Engine::Oracle, app::Engine::Access}) {
    session->choices.engine = engine;  // Access: the dialog is cancelled
    const app::Outcome outcome = run();
    EXPECT_EQ(outcome.status, Status::Cancelled);
    EXPECT_TRUE(recorder.entries().empty());
    EXPECT_TRUE(platform.informations.empty());
    EXPECT_TRUE(platform.errors.empty());
    EXPECT_FALSE(session->exitButtonFocused);
  }
}

TEST_F(RunDriverTest, MissingCatalogFailsAtTheOpenBeforeAnyStep) {
  chooseProduct("Koltar");
  const app::Outcome outcome = run();
  EXPECT_EQ(outcome.status, Status::Failed);
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(platform.errors, std::vector<std::string>{outcome.error->message});
  EXPECT_TRUE(platform.informations.empty());
  EXPECT_TRUE(triggered.empty());
}

TEST_F(RunDriverTest, AFailingStepEndsTheRunAndARerunCompletes) {
  createCatalog("Rivavaruz");
  chooseProduct("Rivavaruz");
  failing.insert("A_Pardakht_R");  // the first step after the reconnect
  session->progress.table.setText("before");

  const app::Outcome failed = run();

  EXPECT_EQ(failed.status, Status::Failed);
  EXPECT_EQ(failed.steps.back(), "A_Pardakht_R");
  EXPECT_EQ(failed.steps.size(), 7u);
  EXPECT_EQ(triggeredNames(), failed.steps);  // nothing after the failing step
  EXPECT_EQ(failed.reconnects, 1);
  EXPECT_EQ(failed.error->className, "EOleException");
  EXPECT_EQ(platform.errors, std::vector<std::string>{"Step A_Pardakht_R met a rejected statement."});
  EXPECT_TRUE(platform.informations.empty());
  EXPECT_FALSE(session->exitButtonFocused);
  EXPECT_LT(session->progress.overall.progress(), session->progress.overall.maximum());
  EXPECT_EQ(session->progress.table.text(), "before");
  EXPECT_EQ(session->state.productCode, "Rivavaruz");

  failing.clear();
  triggered.clear();
  const app::Outcome rerun = run();
  EXPECT_EQ(rerun.status, Status::Completed);
  EXPECT_EQ(rerun.steps.size(), 13u);
  EXPECT_EQ(platform.informations, std::vector<std::string>{app::kCompletionMessage});
}

TEST_F(RunDriverTest, AStepThisBuildLacksFailsTheRunNamingIt) {
  createCatalog("Koltar");
  chooseProduct("Koltar");
  app::StepRegistry partial;
  for (const auto& name : app::sequenceFor("Koltar")->stepNames())
    if (name != "FN_Last_Reminder") partial.add(name, [](app::Session&) {});
  session->steps() = partial;

  const app::Outcome outcome = run();

  EXPECT_EQ(outcome.status, Status::Failed);
  EXPECT_EQ(outcome.error->className, "EStepNotAvailable");
  EXPECT_EQ(outcome.message, "Step 'FN_Last_Reminder' is not available in this version of the updater.");
  EXPECT_EQ(outcome.steps.back(), "FN_Last_Reminder");
}

TEST_F(RunDriverTest, InternetServiceRunDropsLoginBeforeItsFirstStep) {
  createCatalog("Vedizi2");
  executeIn("Vedizi2", "create table Login (ID int)");
  chooseProduct("Vedizi2");

  ASSERT_EQ(run().status, Status::Completed);

  const auto& entries = recorder.entries();
  auto drop = std::find_if(entries.begin(), entries.end(),
                           [](const auto& e) { return e.call.op == db::Op::Execute && e.call.text == "drop table LOGIN"; });
  ASSERT_NE(drop, entries.end());
  EXPECT_LT(static_cast<size_t>(drop - entries.begin()), triggered.front().callsBefore);
  EXPECT_EQ(session->progress.table.text(), "LOGIN");
}

TEST_F(RunDriverTest, GeneralAccountingSetsUpThenOpensTheAssistantBeforeItsSteps) {
  createCatalog("Benvo");
  createCatalog("BenvoAssistant");  // empty, as a set-up killed right after its create leaves it
  chooseProduct("Benvo");

  ASSERT_EQ(run().status, Status::Completed);

  EXPECT_EQ(opened("assistant"), std::vector<std::string>{app::kAssistantConnectionString});
  const auto& entries = recorder.entries();
  auto indexOf = [&](auto predicate) {
    return static_cast<size_t>(std::find_if(entries.begin(), entries.end(), predicate) - entries.begin());
  };
  const size_t setupAt = indexOf([](const auto& e) { return e.call.connection == "assistant-setup"; });
  const size_t openAt = indexOf([](const auto& e) { return e.call.connection == "assistant"; });
  EXPECT_LT(setupAt, openAt);
  EXPECT_LT(openAt, triggered.front().callsBefore);
  EXPECT_TRUE(session->assistantConnection().isOpen());
  // The catalog exists: it is not created again, but it gets the tables it lacks.
  std::vector<std::string> setup;
  for (const auto& e : entries)
    if (e.call.connection == "assistant-setup" && e.call.op == db::Op::Execute) setup.push_back(e.call.text);
  ASSERT_FALSE(setup.empty());
  EXPECT_EQ(setup.front(), "create table P_Sherkat( ID  Integer primary key (ID))");
  EXPECT_EQ(setup.back(), "ALTER TABLE Login ADD Name_DataBase nvarchar(100)");
}

TEST_F(RunDriverTest, GeneralAccountingCreatesAMissingAssistantCatalogBeforeItsSteps) {
  createCatalog("Benvo");
  chooseProduct("Benvo");
  ASSERT_EQ(run().status, Status::Completed);
  std::vector<std::string> setup;
  for (const auto& e : recorder.entries())
    if (e.call.connection == "assistant-setup" && e.call.op == db::Op::Execute) setup.push_back(e.call.text);
  ASSERT_FALSE(setup.empty());
  EXPECT_EQ(setup.front(), "create database BenvoAssistant");
  EXPECT_EQ(setup[1], "create table P_Sherkat( ID  Integer primary key (ID))");
  EXPECT_EQ(triggered.size(), 180u);
}

TEST_F(RunDriverTest, CreatesAMissingCatalogOnMasterWhenAsked) {
  chooseProduct("Talvo");
  session->choices.sqlVersionIndex = app::kSql2000;
  session->createMissingCatalog = true;

  ASSERT_EQ(run().status, Status::Completed);
  std::vector<std::string> calls;
  for (const auto& e : recorder.entries())
    calls.push_back(std::string(db::opName(e.call.op)) + " " + e.call.text);
  const std::string target = std::string(kSqlPrefix) + "Talvo;";
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(calls[0], "open " + std::string(kSqlPrefix) + "master;");
  EXPECT_EQ(calls[1].substr(0, 6), "query ");
  EXPECT_EQ(calls[2], "execute create database Talvo");
  EXPECT_EQ(calls[3], "close ");
  EXPECT_EQ(calls[4], "open " + target);

  // Once it exists, nothing is created again.
  recorder.clear();
  ASSERT_EQ(run().status, Status::Completed);
  EXPECT_TRUE(recorder.executed().empty());
}

TEST_F(RunDriverTest, GeneralAccountingFromNothingCreatesBothCatalogsWhenAsked) {
  chooseProduct("Benvo");
  session->createMissingCatalog = true;
  const app::Outcome outcome = run();
  ASSERT_EQ(outcome.status, Status::Completed) << outcome.message;
  const auto executed = recorder.executed();
  EXPECT_NE(std::find(executed.begin(), executed.end(), "create database Benvo"), executed.end());
  EXPECT_NE(std::find(executed.begin(), executed.end(), "create database BenvoAssistant"), executed.end());
  EXPECT_EQ(opened("assistant").back(), app::kAssistantConnectionString);
}

TEST_F(RunDriverTest, CreatesAnEmptyAccessFileWhenAsked) {
  const auto file = dataDir / "Shop.mdb";
  session->choices.engine = app::Engine::Access;
  session->choices.productIndex = 3;
  session->createMissingCatalog = true;
  platform.dialogAnswers.push_back(file);

  ASSERT_EQ(run().status, Status::Completed);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(opened("main").front(),
            "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file.string() +
                ";Persist Security Info=False; Jet OLEDB:Database Password=5190267348");
}

}  // namespace
