#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "db/embedded/EmbeddedConnection.h"
#include "support/MoravUpdateFixture.h"

namespace {

const std::string kSql = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
const std::string kCompletion = "عمليات ارتقاء با موفقيت پايان پذيرفت";

std::string hostName() {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  return host;
}

using MoravUpdate = testsupport::MoravUpdateFixture;
using testsupport::readFile;

TEST_F(MoravUpdate, UsageExitCodes) {
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const Case cases[] = {
      {{"help"}, 0},        {{"--help"}, 0},          {{"products"}, 0},         {{"--bogus"}, 2},
      {{"frobnicate"}, 2},  {{"--product", "9"}, 2},  {{"--engine", "db2"}, 2},  {{"--sql-version", "7"}, 2},
      {{"console"}, 2},
  };
  for (const Case& c : cases) {
    const Result r = run(c.args, false);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.front() << ": " << r.err;
    if (c.exitCode == 2) {
      EXPECT_NE(r.err.find("morav-update help"), std::string::npos);
    }
  }
  EXPECT_NE(run({"products"}, false).out.find("Vedizi2"), std::string::npos);
}

TEST_F(MoravUpdate, ConsoleTakesItsTextFromAnArgumentAFileOrStandardInput) {
  ASSERT_EQ(run({"--product", "Benvo", "--create-database", "console", "create table T (a int)"}).exitCode, 0);
  std::ofstream(work / "fill.sql") << "insert into T (a) values (1)";
  const Result fromFile = run({"console", "--product", "Benvo", "-f", (work / "fill.sql").string()});
  EXPECT_EQ(fromFile.exitCode, 0) << fromFile.err;
  std::ofstream(work / "more.sql") << "insert into T (a) values (2)";
  input = work / "more.sql";
  const Result fromInput = run({"console", "-", "--product", "Benvo"});
  EXPECT_EQ(fromInput.exitCode, 0) << fromInput.err;
  bool sawBoth = false;
  for (const auto& line : logLines())
    if (line["op"] == "execute" && line["text"] == "insert into T (a) values (2)") sawBoth = true;
  EXPECT_TRUE(sawBoth);

  const Result missing = run({"console", "--product", "Benvo", "--file", (work / "absent.sql").string()});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("Cannot read the console's --file"), std::string::npos) << missing.err;
}

TEST_F(MoravUpdate, ManyCatalogsAreUpgradedSeveralAtATimeAndTheFailuresNamedForARerun) {
  std::ofstream targets(work / "offices.txt");
  targets << "# the office's catalogs\n";
  for (int i = 1; i <= 10; ++i) {
    const std::string catalog = "Pelix" + std::to_string(i);
    targets << catalog << (i == 3 ? " \r\n\n" : "\n");
    if (i == 7) continue;  // never created: its run fails
    ASSERT_EQ(run({"--catalog", catalog, "--create-database", "console", "select 1"}, false).exitCode, 0);
  }
  targets.close();

  const Result r = run({"--product", "Pelix", "--targets", (work / "offices.txt").string(), "--jobs", "4"}, false);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  std::istringstream table(r.out);
  std::string line;
  std::getline(table, line);
  EXPECT_EQ(line.rfind("TARGET", 0), 0u) << line;
  int completed = 0;
  while (std::getline(table, line)) {
    if (line.rfind("Pelix7 ", 0) == 0) {
      EXPECT_NE(line.find("failed"), std::string::npos) << line;
      EXPECT_NE(line.find("Cannot open database \"Pelix7\""), std::string::npos) << line;
    } else if (line.find("completed") != std::string::npos) {
      ++completed;
    }
  }
  EXPECT_EQ(completed, 9) << r.out;
  EXPECT_NE(r.err.find("1 of 10 targets did not complete: Pelix7."), std::string::npos) << r.err;
  const std::filesystem::path runs = work / "offices.txt.runs";
  EXPECT_EQ(readFile(runs / "failed.txt"), "Pelix7\n");
  const auto report = nlohmann::json::parse(readFile(runs / "Pelix3.json"));
  EXPECT_EQ(report["outcome"], "completed");
  EXPECT_EQ(report["steps"].size(), 8u);
  EXPECT_NE(readFile(runs / "Pelix3.jsonl").find("Initial Catalog=Pelix3"), std::string::npos);

  // The rerun takes just the failure.
  const Result rerun =
      run({"--targets", (runs / "failed.txt").string(), "--product", "Pelix", "--create-database", "--quiet"}, false);
  EXPECT_EQ(rerun.exitCode, 0) << rerun.err << rerun.out;
  EXPECT_NE(rerun.out.find("Pelix7"), std::string::npos);
  EXPECT_EQ(run({"--targets", (work / "absent.txt").string()}, false).exitCode, 1);
  EXPECT_EQ(run({"--targets", (work / "offices.txt").string(), "--report", "r.json"}, false).exitCode, 2);
}

TEST_F(MoravUpdate, PlanAndCheckShowWhatARunWouldSendAndLeaveTheCatalogAsItWas) {
  ASSERT_EQ(run({"--product", "Benvo", "--create-database", "console", "select 1"}, false).exitCode, 0);
  const auto catalogBytes = [&] { return readFile(data / "Benvo"); };
  const std::string before = catalogBytes();

  Result plan = run({"plan", "--product", "Benvo", "--format", "json"}, false);
  ASSERT_EQ(plan.exitCode, 0) << plan.err;
  auto doc = nlohmann::json::parse(plan.out);
  EXPECT_GT(doc["summary"]["tables_created"].get<int>(), 100);
  EXPECT_GT(doc["summary"]["columns_added"].get<int>(), 1000);
  EXPECT_EQ(doc["failure"], nullptr);
  EXPECT_GT(doc["pending"].get<int>(), 1000);
  EXPECT_EQ(catalogBytes(), before);

  ASSERT_EQ(run({"--product", "Benvo", "--quiet"}, false).exitCode, 0);
  plan = run({"plan", "--product", "Benvo", "--format=json"}, false);
  doc = nlohmann::json::parse(plan.out);
  EXPECT_EQ(doc["pending"], 0);
  for (const auto& step : doc["steps"])
    for (const auto& statement : step["statements"]) EXPECT_EQ(statement["repeats"], true) << statement;
}

TEST_F(MoravUpdate, APlanMarksWhatWouldRemoveDataWithTheRowsItHolds) {
  ASSERT_EQ(run({"--product", "Vedizi2", "--create-database", "console",
                 "create table LOGIN (ID int, Ta nvarchar(50), Karbar nvarchar(100))"}, false).exitCode, 0);
  ASSERT_EQ(run({"--product", "Vedizi2", "console", "insert into LOGIN (ID, Ta, Karbar) values (1, 'a', 'b')"}, false)
                .exitCode, 0);
  ASSERT_EQ(run({"--product", "Vedizi2", "console", "insert into LOGIN (ID, Ta, Karbar) values (2, 'c', 'd')"}, false)
                .exitCode, 0);
  const Result plan = run({"--product", "Vedizi2", "plan"}, false);
  EXPECT_EQ(plan.exitCode, 0) << plan.err;
  EXPECT_NE(plan.out.find("  ! drop table LOGIN    [drop table, 2 rows now]\n"), std::string::npos) << plan.out;
  EXPECT_NE(plan.out.find(", 1 destructive)"), std::string::npos) << plan.out;
  EXPECT_EQ(run({"--product", "Vedizi2", "check", "--quiet"}, false).exitCode, 4);
  ASSERT_EQ(run({"--product", "Vedizi2", "--quiet"}, false).exitCode, 0);
  const Result check = run({"check", "--product", "Vedizi2"}, false);
  EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
  EXPECT_NE(check.out.find("Pending: 0 statements"), std::string::npos) << check.out;
  EXPECT_EQ(run({"--product", "Vedizi2", "plan", "--catalog", "Absent"}, false).exitCode, 1);
}

TEST_F(MoravUpdate, VersionIsPrintedWithoutOpeningAnything) {
  const Result r = run({"--version"}, false);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "morav-update " MORAV_VERSION "\n");
  EXPECT_EQ(run({"--version=1"}, false).exitCode, 2);
}

TEST_F(MoravUpdate, ATypoInTheProductCodeIsABadUsageThatCreatesNothing) {
  for (const char* code : {"Bogus", "benvo"}) {
    const Result r = run({"--product", code, "--create-database"});
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_NE(r.err.find("no product has this code"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::is_empty(data.path()));
    EXPECT_FALSE(std::filesystem::exists(log()));
  }
}

TEST_F(MoravUpdate, TalvoOnAFreshDataDirectoryConnectsRunsNoStepAndSaysSo) {
  const Result r = run({"--product", "Talvo", "--create-database"});

  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.find(kCompletion), std::string::npos);
  EXPECT_NE(r.out.find("Talvo: no upgrade sequence for this product"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("embedded engine, data directory " + data.path().string()), std::string::npos) << r.err;

  const auto lines = logLines();
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0].dump(), nlohmann::json({{"seq", 1}, {"conn", "main"}, {"op", "open"},
                                             {"connection_string", kSql + "master;Data Source=" + hostName() + "\\SQLEXPRESS"}})
                                 .dump());
  EXPECT_EQ(lines[2]["text"], "create database Talvo");
  EXPECT_EQ(lines[4]["connection_string"], kSql + "Talvo;Data Source=" + hostName() + "\\SQLEXPRESS");
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]["seq"], i + 1);

  const nlohmann::json rep = report();
  EXPECT_EQ(rep["product"], "Talvo");
  EXPECT_EQ(rep["outcome"], "completed");
  EXPECT_EQ(rep["message"].get<std::string>().find("Talvo: no upgrade sequence for this product"), 0u);
  EXPECT_TRUE(rep["error"].is_null());
  EXPECT_EQ(rep["steps"], nlohmann::json::array());
  EXPECT_EQ(rep["reconnects"], 0);
  EXPECT_EQ(rep["statements"], 2);  // the existence query and the create
  EXPECT_EQ(rep["catalog_reads"], 1);
  EXPECT_EQ(rep["gauge1"]["position"], rep["gauge1"]["maximum"]);
  EXPECT_EQ(rep["gauge1"]["maximum"], 10);
  EXPECT_EQ(rep["labels"]["table"], "نام جدول");
  EXPECT_TRUE(rep.contains("elapsed_ms"));
  EXPECT_TRUE(rep.contains("gauge2"));
}

TEST_F(MoravUpdate, ABatchedRunLogsEachStatementWithItsBatchAndCountsOneRoundTrip) {
  const Result r = run({"--product", "Zemtrio", "--create-database", "--batch"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  long batched = 0, batches = 0;
  for (const auto& line : logLines()) {
    if (!line.contains("batch")) continue;
    EXPECT_EQ(line["op"], "execute");
    ++batched;
    batches = std::max(batches, line["batch"].get<long>());
  }
  EXPECT_GT(batches, 10);
  const nlohmann::json rep = report();
  EXPECT_EQ(rep["round_trips"].get<long>(), static_cast<long>(logLines().size()) - batched + batches);
}

TEST_F(MoravUpdate, CancelledRunsOpenNothingAndExitWithThree) {
  for (const auto& args : {std::vector<std::string>{"--engine", "oracle"}, std::vector<std::string>{"--engine", "access"}}) {
    const Result r = run(args);
    EXPECT_EQ(r.exitCode, 3) << args[1] << ": " << r.err;
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(report()["outcome"], "cancelled");
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(MoravUpdate, AMissingCatalogFailsWithTheErrorOnStandardError) {
  const Result r = run({"--product", "Koltar"});
  EXPECT_EQ(r.exitCode, 1);
  const auto lines = logLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1]["op"], "error");
  const std::string message = lines[1]["message"];
  EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
  EXPECT_EQ(report()["outcome"], "failed");
  EXPECT_EQ(report()["error"]["message"], message);
  EXPECT_EQ(lines[1]["number"], 4060);
  EXPECT_EQ(report()["error"]["number"], 4060);
  EXPECT_EQ(r.out, "");
}

TEST_F(MoravUpdate, AMissingCatalogIsExplainedWithWhatToDoAlsoWhenQuiet) {
  for (const bool quiet : {false, true}) {
    const Result r = run(quiet ? std::vector<std::string>{"--product", "Benvo", "--quiet"}
                               : std::vector<std::string>{"--product", "Benvo"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("Cannot open database \"Benvo\" requested by the login. The login failed."),
              std::string::npos) << r.err;
    EXPECT_NE(r.err.find("the data directory " + data.path().string() + " has no catalog \"Benvo\""),
              std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--create-database"), std::string::npos);
    EXPECT_NE(r.err.find("--data-dir"), std::string::npos);
  }
}

TEST_F(MoravUpdate, InputsBeyondWhatSqlServerAcceptsAreRefusedBeforeAnythingOpens) {
  writeConfig("[web]\nserver = web.example.test\ncatalog_prefix = Ins\nuser = upd\npassword = s3cret\n");
  const Result tooLong = run({"--web", "--web-suffix", std::string(126, '9')});
  EXPECT_EQ(tooLong.exitCode, 1);
  EXPECT_NE(tooLong.err.find("is 129 characters long; SQL Server accepts 128 at most"), std::string::npos)
      << tooLong.err;
  EXPECT_TRUE(logLines().empty());

  const Result notUtf8 = run({"--web", "--web-suffix", "30\xff" "0"});
  EXPECT_EQ(notUtf8.exitCode, 2);
  EXPECT_NE(notUtf8.err.find("(after --web-suffix) is not valid UTF-8"), std::string::npos) << notUtf8.err;
  EXPECT_TRUE(std::filesystem::is_empty(data.path()));
}

TEST_F(MoravUpdate, StatementLogShowsTheConnectionStringOfTheOptionsGiven) {
  writeConfig("[web]\nserver = web.example.test\ncatalog_prefix = Ins\nuser = upd\npassword = s3cret\n");
  const std::string local = ";Data Source=" + hostName() + "\\SQLEXPRESS";
  struct Case {
    std::vector<std::string> args;
    std::string expected;
  };
  const Case cases[] = {
      {{}, kSql + "Zedidover" + local},
      {{"--sql-version", "2000"}, kSql + "Zedidover;"},
      {{"--sql-version", "2005", "--product", "2"}, kSql + "Pelix" + local},
      {{"--fyc"}, kSql + "Zedidover_FYC" + local},
      {{"--fyc", "--product", "Ruvan"}, kSql + "Ruvan" + local},
      {{"--product", "Benvo"}, kSql + "Benvo" + local},
      {{"--web", "--fyc"}, "Data Source=web.example.test,1434;Initial Catalog=Ins3000;User ID=upd;Password=****;"},
      {{"--web", "--web-suffix", "4000"}, "Data Source=web.example.test,1434;Initial Catalog=Ins4000;User ID=upd;Password=****;"},
      {{"--engine", "access", "--access-file", "shop.mdb"},
       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + (work / "shop.mdb").string() +
           ";Persist Security Info=False; Jet OLEDB:Database Password=****"},
  };
  for (const Case& c : cases) {
    run(c.args);
    EXPECT_EQ(firstTargetOpen(), c.expected);
  }
}

TEST_F(MoravUpdate, RefusedOrUnconfiguredTargetsFailBeforeAnythingIsOpened) {
  struct Case {
    std::vector<std::string> args;
    std::string mentions;
  };
  const Case cases[] = {
      {{"--web"}, "[web] section"},
  };
  for (const Case& c : cases) {
    const Result r = run(c.args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    EXPECT_TRUE(logLines().empty());
  }
}

TEST_F(MoravUpdate, AccessTargetCanStartFromNothing) {
  const Result r = run({"--engine", "access", "--access-file", "new.mdb", "--create-database", "--product", "3"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(std::filesystem::exists(work / "new.mdb"));
}

TEST_F(MoravUpdate, ConsoleExecutesOneTextAndReportsItsOutcome) {
  ASSERT_EQ(run({"--product", "Talvo", "--create-database", "--quiet"}).exitCode, 0);

  Result ok = run({"--product", "Talvo", "--quiet", "console", "create table Notes (ID int)"});
  EXPECT_EQ(ok.exitCode, 0) << ok.err;
  EXPECT_NE(ok.out.find(".دستور مورد نظر با موفقيت اجرا گرديد"), std::string::npos);
  EXPECT_EQ(ok.err, "");
  const auto lines = logLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back()["conn"], "console");
  EXPECT_EQ(lines.back()["text"], "create table Notes (ID int)");

  Result bad = run({"--product", "Talvo", "--quiet", "console", "select * from NoSuchTable"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.out.find("Error class: "), std::string::npos);
  EXPECT_NE(bad.out.find("\nError message: "), std::string::npos);
  EXPECT_EQ(report()["outcome"], "failed");
  EXPECT_EQ(report()["message"].get<std::string>().find("Error class: "), 0u);
  EXPECT_NE(bad.err, "");
}

TEST_F(MoravUpdate, ConsoleShowsWhatTheCommandReturnsBeforeItsMessage) {
  ASSERT_EQ(run({"--product", "Talvo", "--create-database", "--quiet", "console",
                 "create table Shobeh (CK int, NK nvarchar(30)) insert into Shobeh values (1, N'مرکزی')"})
                .exitCode, 0);
  const std::string kSuccess = ".دستور مورد نظر با موفقيت اجرا گرديد";
  // Not a terminal: CSV on standard output, the counts on standard error.
  Result csv = run({"console", "--product", "Talvo", "--quiet", "select CK, NK from Shobeh; select count(*) AS n from Shobeh"});
  EXPECT_EQ(csv.exitCode, 0) << csv.err;
  EXPECT_EQ(csv.out, "CK,NK\r\n1,مرکزی\r\nn\r\n1\r\n" + kSuccess + "\n");
  Result table = run({"console", "--product", "Talvo", "--quiet", "--format", "table", "select NK from Shobeh"});
  EXPECT_EQ(table.out, "NK\n-----\nمرکزی\n\n(1 row affected)\n" + kSuccess + "\n");
  Result json = run({"console", "--product", "Talvo", "--quiet", "--format=json", "select CK from Shobeh"});
  EXPECT_EQ(json.out.substr(0, json.out.find('\n')),
            R"({"result_sets":[{"columns":["CK"],"rows":[["1"]]}],"messages":[{"rows_affected":1}]})");
}

TEST_F(MoravUpdate, AnInterruptedAssistantSetUpIsCompletedByTheNextOne) {
  // Call 20 comes after the create database and before the last table.
  const Result cut = run({"assistant-setup"}, true, {{"MORAV_ENGINE_FAIL_AT", "20"}});
  ASSERT_EQ(cut.exitCode, 1) << cut.err;
  db::embedded::EmbeddedConnection assistant(data.path(), "check");
  assistant.open(kSql + "BenvoAssistant");
  ASSERT_LT(assistant.tableNames().size(), 3u);
  assistant.close();

  const Result healed = run({"assistant-setup"});
  ASSERT_EQ(healed.exitCode, 0) << healed.err;
  assistant.open(kSql + "BenvoAssistant");
  EXPECT_EQ(assistant.tableNames().size(), 3u);
  EXPECT_EQ(assistant.columnNames("Login").size(), 11u);
}

}  // namespace
