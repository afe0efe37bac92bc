// The object steps: their data (every object step a run names, its drop statements, style and
// caption), the composition of the creation texts, and the runner on the engine: the exact
// statements sent, the gauges and labels of each style, reruns, and a drop that is refused.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/Sequences.h"
#include "app/StepRegistry.h"
#include "db/Error.h"
#include "objects/ObjectSteps.h"
#include "objectsdata_embedded.h"
#include "support/EngineFixture.h"

namespace {

using objects::ObjectStep;
using Strings = std::vector<std::string>;

const ObjectStep& step(std::string_view name) {
  const ObjectStep* s = objects::findObjectStep(name);
  if (!s) throw std::runtime_error("no object step " + std::string(name));
  return *s;
}

// A step of a sequence that is neither a table step nor a conversion pass, by its name.
bool namedAsObjectStep(const std::string& name) {
  for (const char* prefix : {"V_", "SP_", "FN_", "Fn_", "I_Fn_", "TRG_"})
    if (name.starts_with(prefix)) return true;
  return name == "BtnF_DOSYA_ARASHTIR" || name == "M_Moaref";
}

// ---------------------------------------------------------------------------------------
// The data.

TEST(ObjectStepData, EveryObjectStepOfTheRunsInRunOrder) {
  Strings inRuns;
  for (const char* code : {"Zedidover", "Koltar"})
    for (const std::string& name : app::sequenceFor(code)->stepNames())
      if (namedAsObjectStep(name)) inRuns.push_back(name);
  Strings listed;
  for (const ObjectStep& s : objects::allObjectSteps()) listed.push_back(s.step);
  EXPECT_EQ(listed, inRuns);
  EXPECT_EQ(listed.size(), 40u) << "37 insurance and 2 treasury object steps, and M_Moaref";

  std::map<ObjectStep::Style, int> styles;
  std::set<std::string> files;
  for (const ObjectStep& s : objects::allObjectSteps())
    if (s.kind == ObjectStep::Kind::Install) {
      ++styles[s.style];
      files.insert(s.textFile);
    }
  EXPECT_EQ(styles[ObjectStep::Style::A], 10);
  EXPECT_EQ(styles[ObjectStep::Style::APrime], 1);
  EXPECT_EQ(styles[ObjectStep::Style::B], 7);
  EXPECT_EQ(styles[ObjectStep::Style::C], 21);
  EXPECT_EQ(files.size(), 38u) << "38 objects; two steps install Fn_Miladi2shamsi";
  EXPECT_EQ(step("Fn_Milad2shamsi").textFile, step("I_Fn_Miladi2shamsi").textFile);
}

// Each drop names one object twice, the second time after the kind of object it drops.
TEST(ObjectStepData, DropStatementsAreSentAsWritten) {
  const std::regex form(R"(^IF OBJECT_ID\('((DBO\.)?\w+)'\) IS NOT NULL DROP  ?(view|VIEW|FUNCTION|function|procedure|PROCEDURE|TRIGGER) (\w+|DBO\.\w+) *$)");
  for (const ObjectStep& s : objects::allObjectSteps())
    for (const std::string& drop : s.drops) {
      std::smatch m;
      ASSERT_TRUE(std::regex_match(drop, m, form)) << s.step << ": " << drop;
      EXPECT_EQ(m[1], m[4]) << drop;
    }
  // The literals differ in blanks, case and prefix; they are sent unchanged.
  EXPECT_EQ(step("Fn_Milad2shamsi").drops,
            Strings{"IF OBJECT_ID('DBO.Fn_Miladi2shamsi') IS NOT NULL DROP FUNCTION DBO.Fn_Miladi2shamsi"});
  EXPECT_EQ(step("SP_RECONFIG_MORAV").drops,
            Strings{"IF OBJECT_ID('DBO.SP_RECONFIG_MORAV') IS NOT NULL DROP  PROCEDURE DBO.SP_RECONFIG_MORAV  "});
  EXPECT_EQ(step("V_Pursuant_Dt").drops,
            (Strings{"IF OBJECT_ID('DBO.V_ISSUANCE_PERCENT_DT') IS NOT NULL DROP view DBO.V_ISSUANCE_PERCENT_DT ",
                     "IF OBJECT_ID('DBO.V_Pursuant_Dt') IS NOT NULL DROP view DBO.V_Pursuant_Dt "}));
  EXPECT_EQ(step("SP_FillOutBox").drops,
            Strings{"IF OBJECT_ID('SP_FillOutbox') IS NOT NULL DROP procedure SP_FillOutbox "});
  EXPECT_EQ(step("I_Fn_Miladi2shamsi").drops,
            Strings{"IF OBJECT_ID('Fn_Miladi2shamsi') IS NOT NULL DROP function Fn_Miladi2shamsi "});
}

TEST(ObjectStepData, CaptionsNameTheObject) {
  for (const ObjectStep& s : objects::allObjectSteps()) {
    const std::string expected = s.step == "I_Fn_Miladi2shamsi" ? "Fn_Miladi2shamsi"
                                 : s.step == "SP_FillOutBox"     ? "SP_FillOutbox"
                                                                 : s.step;
    EXPECT_EQ(s.caption, expected);
  }
  EXPECT_EQ(step("M_Moaref").statements,
            (Strings{"update P_TTHESAB set CG=6 where CG=4 ", "update SUDUR set CGM=6 where CGM=4"}));
}

// The texts carried: each creates the object its step drops, with a line end after every
// fragment, and is written for SQL Server 2005.
TEST(ObjectStepData, CarriedTextsCreateTheirObjectFor2005) {
  const std::regex creates(R"(^CREATE (VIEW|FUNCTION|PROCEDURE|TRIGGER) (\[?dbo\]?\.)?\[?(\w+)\]?)", std::regex::icase);
  const std::regex newerThan2005(R"(\bDECLARE\s+@\w+\s+[\w(), ]+=|\bTRY_CONVERT\s*\(|\bTHROW\b|\bFORMAT\s*\(|\bIIF\s*\(|\bCONCAT\s*\()",
                                 std::regex::icase);
  int carried = 0;
  for (const ObjectStep& s : objects::allObjectSteps()) {
    const std::optional<std::string> text = objects::creationText(s);
    if (!text) continue;
    ++carried;
    const std::string_view file = *objectsdata::embeddedFile(s.textFile);
    EXPECT_EQ(file.find('\r'), std::string_view::npos) << s.textFile << ": fragments are lines";
    EXPECT_EQ(*text, objects::composeFragments(objects::fragmentsOf(file)));
    std::smatch m;
    ASSERT_TRUE(std::regex_search(*text, m, creates)) << s.textFile;
    const std::regex dropped("'(DBO\\.)?" + m[3].str() + "'", std::regex::icase);
    EXPECT_TRUE(std::regex_search(s.drops.back(), dropped)) << s.step << ": the server takes names without case";
    EXPECT_FALSE(std::regex_search(*text, newerThan2005)) << s.textFile;
  }
  EXPECT_GE(carried, 3) << "both calendar functions, through three steps";
  for (std::string_view name : objectsdata::embeddedFileNames())
    if (name.ends_with(".sql")) {
      bool used = false;
      for (const ObjectStep& s : objects::allObjectSteps()) used = used || s.textFile == name;
      EXPECT_TRUE(used) << name << " is no step's text";
    }
}

// A step whose text is not carried yet is not registered, so a run stops there as before.
TEST(ObjectStepData, OnlyStepsWithTheirTextAreRegistered) {
  const app::StepRegistry steps = app::standardSteps();
  for (const ObjectStep& s : objects::allObjectSteps())
    EXPECT_EQ(steps.contains(s.step), s.kind == ObjectStep::Kind::DataFix || objects::creationText(s).has_value())
        << s.step;
  for (const char* carried : {"Fn_Milad2shamsi", "Fn_DayDiff", "I_Fn_Miladi2shamsi", "M_Moaref"})
    EXPECT_TRUE(steps.contains(carried)) << carried;
}

TEST(ObjectStepText, EveryFragmentEndsWithALineEnd) {
  EXPECT_EQ(objects::composeFragments(objects::fragmentsOf("CREATE VIEW V AS\n-- note\nSELECT 1 AS A\n")),
            "CREATE VIEW V AS\r-- note\rSELECT 1 AS A\r");
  EXPECT_EQ(objects::fragmentsOf("a\n\nb"), (Strings{"a", "", "b"}));
  EXPECT_TRUE(objects::fragmentsOf("").empty());
}

TEST(ObjectStepFile, ReportsMistakesWithTheirLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  for (const Case& c : {
           Case{"style A\n", "f:1: style belongs to an object step"},
           Case{"object S\nstyle D\n", "f:2: unknown style 'D' (A, A', B or C)"},
           Case{"object S\nstyle A\ntext S.sql\nobject T\n", "f:1: step S has no drop statement"},
           Case{"object S\nstyle A\ndrop IF x\n", "f:3: expected a non-empty text in double quotes"},
           Case{"object S\ndrop \"d\"\ntext S.sql\n", "f:1: step S has no style"},
           Case{"fix F\ndrop \"d\"\n", "f:2: drop belongs to an object step"},
           Case{"fix F\n", "f:1: step F has no update"},
           Case{"object S\nstyle A\ndrop \"d\"\ntext S.txt\n", "f:4: expected a .sql file name"},
       }) {
    try {
      objects::parseObjectSteps(c.text, "f");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const objects::ObjectFileError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

// ---------------------------------------------------------------------------------------
// The runner on the engine.

class ObjectStepRun : public testsupport::EngineFixture {
 protected:
  void SetUp() override {
    EngineFixture::SetUp();
    primitives = std::make_unique<schema::Primitives>(*connection, progress, [] { return schema::EngineForm::SqlServer; });
    progress.overall.setMaximum(100);
    progress.overall.setProgress(5);
    progress.step.setMaximum(7);
    progress.step.setProgress(3);
    progress.table.setText("T");
    progress.field.setText("F");
    // Which statements had been sent when a label was set.
    progress.table.onRepaint([this](const std::string& text) { labelled.push_back({text, recorder.executed().size()}); });
  }

  void run(const ObjectStep& s) { objects::runObjectStep(s, *primitives); }

  // A step of the given style over a carried text.
  static ObjectStep styled(ObjectStep::Style style) {
    ObjectStep s = step("Fn_DayDiff");
    s.style = style;
    return s;
  }

  std::string scalar(const std::string& sql) {
    const db::Rows r = connection->query({sql}, {}, db::QueryMode::Open);
    return r.empty() ? "<no rows>" : r.values[0][0].value_or("NULL");
  }

  struct Gauges {
    int overall, stepProgress, stepMaximum;
    bool operator==(const Gauges&) const = default;
  };
  Gauges gauges() const { return {progress.overall.progress(), progress.step.progress(), progress.step.maximum()}; }

  schema::Progress progress;
  std::unique_ptr<schema::Primitives> primitives;
  std::vector<std::pair<std::string, size_t>> labelled;
};

TEST_F(ObjectStepRun, SendsTheDropsThenTheTextAndARerunEqualsAFirstInstall) {
  const ObjectStep& s = step("Fn_Milad2shamsi");
  const std::string text = *objects::creationText(s);
  run(s);
  EXPECT_EQ(recorder.executed(), (Strings{s.drops[0], text}));
  EXPECT_EQ(recorder.count(db::Op::Query), 0u) << "nothing is read back";
  const std::string object = "select name + ' ' + type from sys.objects where name = 'Fn_Miladi2shamsi'";
  const std::string installed = scalar(object);
  EXPECT_EQ(installed, "Fn_Miladi2shamsi FN");

  for (const char* again : {"Fn_Milad2shamsi", "I_Fn_Miladi2shamsi", "Fn_Milad2shamsi"}) {
    recorder.clear();
    run(step(again));
    EXPECT_EQ(recorder.executed(), (Strings{step(again).drops[0], text})) << again;
    EXPECT_EQ(scalar(object), installed) << again;
    EXPECT_EQ(scalar("select count(*) from sys.objects"), "1");
  }
}

TEST_F(ObjectStepRun, StyleALeavesTheProgressDisplayAsItWas) {
  run(styled(ObjectStep::Style::A));
  EXPECT_EQ(gauges(), (Gauges{5, 3, 7}));
  EXPECT_EQ(progress.table.text(), "T");
  EXPECT_EQ(progress.field.text(), "F");
}

TEST_F(ObjectStepRun, StyleAPrimeTicksBothGaugesOnce) {
  run(styled(ObjectStep::Style::APrime));
  EXPECT_EQ(gauges(), (Gauges{6, 4, 7}));
  EXPECT_EQ(progress.table.text(), "T");
}

TEST_F(ObjectStepRun, StylesBAndCFillTheStepGaugeAndCNamesTheObjectBeforeItIsCreated) {
  run(styled(ObjectStep::Style::B));
  EXPECT_EQ(gauges(), (Gauges{6, 10, 10}));
  EXPECT_EQ(progress.table.text(), "T");
  EXPECT_TRUE(labelled.empty());

  recorder.clear();
  run(step("I_Fn_Miladi2shamsi"));
  EXPECT_EQ(gauges(), (Gauges{7, 10, 10}));
  EXPECT_EQ(progress.table.text(), "Fn_Miladi2shamsi");
  EXPECT_EQ(progress.field.text(), "-");
  ASSERT_EQ(labelled.size(), 1u);
  EXPECT_EQ(labelled[0].second, 1u) << "after the drop, before the creation";
}

TEST_F(ObjectStepRun, TheIntroducersMoveToGroupSix) {
  prepare("create table P_TTHESAB (CTH int, CG int)");
  prepare("create table SUDUR (SH_B nvarchar(50), CGM int)");
  prepare("insert into P_TTHESAB values (1, 4)");
  prepare("insert into P_TTHESAB values (2, 3)");
  prepare("insert into P_TTHESAB values (3, 4)");
  prepare("insert into SUDUR values (N'a', 4)");
  prepare("insert into SUDUR values (N'b', NULL)");
  const ObjectStep& fix = step("M_Moaref");
  run(fix);
  EXPECT_EQ(recorder.executed(), fix.statements);
  EXPECT_EQ(scalar("select count(*) from P_TTHESAB where CG = 6"), "2");
  EXPECT_EQ(scalar("select count(*) from P_TTHESAB where CG = 3"), "1");
  EXPECT_EQ(scalar("select count(*) from SUDUR where CGM = 6"), "1");
  EXPECT_EQ(gauges(), (Gauges{6, 3, 3}));
  EXPECT_EQ(progress.table.text(), "M_Moaref");
  EXPECT_EQ(progress.field.text(), "-");

  run(fix);  // nothing left to move; the gauges still advance
  EXPECT_EQ(scalar("select count(*) from P_TTHESAB where CG = 4"), "0");
  EXPECT_EQ(gauges(), (Gauges{7, 3, 3}));
}

// A table under an object's name cannot be dropped as a function: the step ends at its drop,
// with the server's refusal, and creates nothing.
TEST_F(ObjectStepRun, ATableUnderTheObjectsNameStopsTheStepAtItsDrop) {
  prepare("create table Fn_Miladi2shamsi (a int)");
  try {
    run(step("I_Fn_Miladi2shamsi"));
    FAIL() << "the drop was accepted";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.number(), 3705);
    EXPECT_EQ(std::string(e.what()),
              "Cannot use DROP FUNCTION with 'Fn_Miladi2shamsi' because 'Fn_Miladi2shamsi' is a table. Use DROP TABLE.");
  }
  EXPECT_EQ(recorder.executed(), Strings{step("I_Fn_Miladi2shamsi").drops[0]});
  EXPECT_EQ(gauges(), (Gauges{5, 0, 10}));
  EXPECT_EQ(scalar("select type from sys.objects where name = 'Fn_Miladi2shamsi'"), "U");
}

}  // namespace
