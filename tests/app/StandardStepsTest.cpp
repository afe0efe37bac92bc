#include <gtest/gtest.h>

#include <set>

#include "app/SessionFixture.h"
#include "catalog/Catalogs.h"
#include "conversions/Passes.h"

namespace {

std::set<std::string> sequenceStepNames() {
  std::set<std::string> names;
  for (const auto& sequence : app::productSequences())
    for (const auto& name : sequence.stepNames()) names.insert(name);
  return names;
}

// The catalogs, the conversion passes and the sequences are separate data files; a step name
// spelled differently in two of them would leave a step that never runs and one that is
// missing from the run. A pending entry stays unregistered, so a run stops there.
TEST(StandardSteps, EveryCatalogStepAndPassIsRegisteredUnderANameTheRunsUse) {
  const app::StepRegistry steps = app::standardSteps();
  const std::set<std::string> inSequences = sequenceStepNames();
  ASSERT_FALSE(catalog::catalogFiles().empty());
  ASSERT_FALSE(conversions::allPasses().empty());
  for (std::string_view file : catalog::catalogFiles())
    for (const auto& entry : catalog::entriesOf(file)) {
      EXPECT_EQ(steps.contains(entry.step), !entry.pending) << entry.step;
      EXPECT_TRUE(inSequences.count(entry.step)) << file << ": " << entry.step << " is in no product sequence";
    }
  for (const auto& pass : conversions::allPasses()) {
    EXPECT_TRUE(steps.contains(pass.step)) << pass.step;
    EXPECT_TRUE(inSequences.count(pass.step)) << pass.step << " is in no product sequence";
  }
}

class StandardStepRun : public apptest::SessionFixture {};

TEST_F(StandardStepRun, ACatalogStepEnsuresItsTableOnTheMainConnection) {
  const std::vector<std::string_view> files = catalog::catalogFiles();
  ASSERT_FALSE(files.empty());
  const schema::CatalogEntry* entry = nullptr;
  for (std::string_view file : files)
    for (const auto& e : catalog::entriesOf(file))
      if (!entry && !e.keyless() && !e.pending) entry = &e;
  ASSERT_NE(entry, nullptr);

  session->steps() = app::standardSteps();
  createCatalog("Benvo");
  session->state.connectionString = std::string(kSqlPrefix) + "Benvo";
  session->reopenMainConnection();
  session->progress.overall.setMaximum(100);
  session->progress.overall.setProgress(0);

  session->steps().trigger(entry->step, *session);

  EXPECT_EQ(session->state.currentTable, entry->table);
  EXPECT_TRUE(session->primitives().tableExists(entry->table));
  EXPECT_EQ(session->progress.overall.progress(), 1);
  EXPECT_EQ(session->progress.table.text(), entry->table);
}

TEST_F(StandardStepRun, TheInsuranceExpenseRecipientIsAddedBracketedAndFoundBare) {
  session->steps() = app::standardSteps();
  createCatalog("Zedidover");
  executeIn("Zedidover", "create table P_THazineh (CH int, NH nvarchar(50), CG int, NG nvarchar(50))");
  session->state.connectionString = std::string(kSqlPrefix) + "Zedidover";
  session->reopenMainConnection();

  session->steps().trigger("P_THazineh_i", *session);
  EXPECT_EQ(recorder.executed(), std::vector<std::string>{"ALTER TABLE P_THazineh ADD [TO] nvarchar(100)"});
  recorder.clear();
  session->steps().trigger("P_THazineh_i", *session);
  EXPECT_TRUE(recorder.executed().empty()) << "the column TO is found under its bare name";
}

}  // namespace
