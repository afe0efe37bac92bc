#include <gtest/gtest.h>

#include "cli/Options.h"
#include "cli/Targets.h"

namespace {

using Action = cli::Options::Action;

cli::Options parse(std::vector<std::string_view> args) { return cli::parseOptions(args); }

TEST(Options, DefaultsAreTheWindowsDefaults) {
  const cli::Options o = parse({});
  EXPECT_EQ(o.action, Action::Run);
  EXPECT_EQ(o.choices.productIndex, 0);
  EXPECT_EQ(o.choices.engine, app::Engine::SqlServer);
  EXPECT_EQ(o.choices.sqlVersionIndex, app::kSql2008);
  EXPECT_TRUE(o.choices.convertAutonum);
  EXPECT_FALSE(o.choices.web);
  EXPECT_EQ(o.choices.webCatalogSuffix, "3000");
  EXPECT_FALSE(o.accessFile);
  EXPECT_FALSE(o.product);
}

TEST(Options, ProductByIndexListedCodeOrPresetCode) {
  struct Case {
    std::string_view arg;
    std::optional<int> index;
    std::optional<std::string> preset;
  };
  for (const Case& c : {Case{"4", 4, std::nullopt}, Case{"Koltar", 5, std::nullopt}, Case{"Benvo", std::nullopt, "Benvo"},
                        Case{"Vedizi2", std::nullopt, "Vedizi2"}}) {
    const cli::Options o = parse({"--product", c.arg});
    ASSERT_TRUE(o.product);
    EXPECT_EQ(o.product->listIndex, c.index) << c.arg;
    EXPECT_EQ(o.product->presetCode, c.preset.value_or("")) << c.arg;
  }
}

// A typo would otherwise run no sequence, and a code in another letter case would open the
// product's catalog (names ignore case) and upgrade nothing.
TEST(Options, ACodeThatIsNoProductsIsRefusedNamingTheCodes) {
  struct Case {
    std::string_view code;
    const char* suggestion;
  };
  for (const Case& c : {Case{"Bogus", nullptr}, Case{"benvo", "did you mean 'Benvo'?"},
                        Case{"KOLTAR", "did you mean 'Koltar'?"}, Case{"Benvo2", nullptr}}) {
    try {
      parse({"--product", c.code, "--create-database"});
      ADD_FAILURE() << c.code << " was accepted";
    } catch (const cli::UsageError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("Zedidover, Ruvan, Pelix, Talvo, Rivavaruz, Koltar, Zemtrio, Benvo, Vedizi2"),
                std::string::npos) << message;
      EXPECT_EQ(message.find("did you mean") != std::string::npos, c.suggestion != nullptr) << message;
      if (c.suggestion) {
        EXPECT_NE(message.find(c.suggestion), std::string::npos) << message;
      }
    }
  }
}

TEST(Options, AnArgumentThatIsNotUtf8IsRefusedSayingWhichOne) {
  try {
    parse({"--quiet", "--product", "Ben\xffvo"});
    ADD_FAILURE() << "accepted";
  } catch (const cli::UsageError& e) {
    EXPECT_NE(std::string(e.what()).find("argument 3 (after --product) is not valid UTF-8 (byte 4)"), std::string::npos)
        << e.what();
  }
  EXPECT_THROW(parse({"console", "select '\xc0\xaf'"}), cli::UsageError);
}

TEST(Options, EveryChoiceHasItsOption) {
  const cli::Options o =
      parse({"run", "--engine=access", "--sql-version", "2012", "--access-file", "a.mdb", "--web", "--web-suffix",
             "4000", "--fyc", "--no-autonum", "--create-database", "--data-dir", "/d", "--statement-log", "l.jsonl",
             "--report=r.json", "--quiet"});
  EXPECT_EQ(o.choices.engine, app::Engine::Access);
  EXPECT_EQ(o.choices.sqlVersionIndex, app::kSql2012);
  EXPECT_EQ(o.accessFile, std::filesystem::path("a.mdb"));
  EXPECT_TRUE(o.choices.web);
  EXPECT_EQ(o.choices.webCatalogSuffix, "4000");
  EXPECT_TRUE(o.choices.fiscalYearClosed);
  EXPECT_FALSE(o.choices.convertAutonum);
  EXPECT_TRUE(o.createDatabase);
  EXPECT_EQ(o.backend.dataDir, std::filesystem::path("/d"));
  EXPECT_EQ(o.statementLog, std::filesystem::path("l.jsonl"));
  EXPECT_EQ(o.report, std::filesystem::path("r.json"));
  EXPECT_TRUE(o.quiet);
}

TEST(Options, CatalogReadsAreLeanForTheHostedDatabaseUnlessSaidOtherwise) {
  EXPECT_FALSE(parse({}).choices.readsLean());
  EXPECT_TRUE(parse({"--web"}).choices.readsLean());
  EXPECT_FALSE(parse({"--web", "--faithful"}).choices.readsLean());
  EXPECT_TRUE(parse({"--lean"}).choices.readsLean());
  const cli::Options batched = parse({"--batch"});
  EXPECT_TRUE(batched.choices.batches);
  EXPECT_TRUE(batched.choices.readsLean());
  EXPECT_THROW(parse({"--batch", "--faithful"}), cli::UsageError);
  EXPECT_THROW(parse({"--lean=yes"}), cli::UsageError);
}

TEST(Options, ConsoleTakesTheTextAsItIs) {
  const cli::Options o = parse({"--product", "Talvo", "console", "--x=1\r\nselect 1"});
  EXPECT_EQ(o.action, Action::Console);
  EXPECT_EQ(o.consoleText, "--x=1\r\nselect 1");
}

TEST(Options, OptionsStandBeforeOrAfterTheActionAndDoubleDashEndsThem) {
  cli::Options o = parse({"console", "--product", "Benvo", "select 1", "--quiet"});
  EXPECT_EQ(o.action, Action::Console);
  EXPECT_EQ(o.consoleText, "select 1");
  ASSERT_TRUE(o.product);
  EXPECT_EQ(o.product->presetCode, "Benvo");
  EXPECT_TRUE(o.quiet);

  o = parse({"console", "--quiet", "--", "-1 + 2"});
  EXPECT_EQ(o.consoleText, "-1 + 2");
  o = parse({"run", "--create-database", "--product", "Pelix"});
  EXPECT_EQ(o.action, Action::Run);
  EXPECT_TRUE(o.createDatabase);
}

TEST(Options, ConsoleReadsItsTextFromAFileOrStandardInput) {
  cli::Options o = parse({"console", "-f", "upgrade.sql"});
  EXPECT_EQ(o.consoleFile, std::filesystem::path("upgrade.sql"));
  o = parse({"--file=fix.sql", "console"});
  EXPECT_EQ(o.consoleFile, std::filesystem::path("fix.sql"));
  o = parse({"console", "-"});
  EXPECT_EQ(o.consoleFile, std::filesystem::path("-"));
  EXPECT_THROW(parse({"console", "-f", "a.sql", "select 1"}), cli::UsageError);
  EXPECT_THROW(parse({"run", "-f", "a.sql"}), cli::UsageError);
}

TEST(Options, HelpTakesAnAction) {
  cli::Options o = parse({"help", "console"});
  EXPECT_EQ(o.action, Action::Help);
  EXPECT_EQ(o.helpTopic, "console");
  EXPECT_NE(cli::usageText(o.helpTopic).find("--file FILE"), std::string::npos);
  EXPECT_EQ(cli::usageText(o.helpTopic).find("--sql-version"), std::string::npos);
  EXPECT_THROW(parse({"help", "frobnicate"}), cli::UsageError);
  EXPECT_EQ(parse({"--version", "console", "select 1"}).action, Action::Version);
}

TEST(Options, TargetsTakeJobsAndAnOutputDirectoryAndLeaveTheRestToEachRun) {
  const cli::Options o = parse({"--targets", "offices.txt", "-j", "4", "--product", "Pelix"});
  EXPECT_EQ(o.targetsFile, std::filesystem::path("offices.txt"));
  EXPECT_EQ(o.jobs, 4);
  EXPECT_EQ(parse({"--catalog", "Zedidover2"}).choices.catalog, "Zedidover2");
  for (const auto& args : std::vector<std::vector<std::string_view>>{
           {"--targets", "t", "--jobs", "0"}, {"--targets", "t", "--jobs", "x"}, {"--targets", "t", "--jobs", "65"},
           {"--jobs", "2"}, {"--output-dir", "d"}, {"--targets", "t", "--catalog", "c"},
           {"--targets", "t", "--statement-log", "l"}})
    EXPECT_THROW(parse(args), cli::UsageError) << args.back();
  EXPECT_EQ(cli::argumentsForEachTarget({"--targets", "t", "-j", "4", "--jobs=2", "--product", "Pelix", "--quiet",
                                         "--output-dir", "d", "console", "--", "--report"}),
            (std::vector<std::string>{"--product", "Pelix", "console", "--", "--report"}));
}

TEST(Options, MistakesAreUsageErrors) {
  const std::vector<std::vector<std::string_view>> mistakes = {
      {"--bogus"},          {"frobnicate"},         {"--product", "7"},   {"--product", ""},
      {"--engine", "db2"},  {"--sql-version", "2019"}, {"--web=yes"},     {"console"},
      {"run", "products"},  {"--data-dir"},          {"--backend", "x"}, {"assistant-setup", "run"},
      {"--data-dir", "d", "--odbc-driver", "FreeTDS"},  {"console", "select 1", "select 2"},
      {"products", "Benvo"}, {"help", "run", "console"},
  };
  for (const auto& args : mistakes) EXPECT_THROW(parse(args), cli::UsageError) << args.front();
}

}  // namespace
