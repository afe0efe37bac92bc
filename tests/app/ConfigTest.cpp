#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "app/Config.h"
#include "app/ConnectionText.h"
#include "db/Error.h"
#include "support/TempDir.h"

namespace {

using Kind = db::BackendConfig::Kind;

struct ConfigTest : ::testing::Test {
  testsupport::TempDir exeDir;
  std::map<std::string, std::string> env{{"HOME", "/home/op"}};

  app::EnvironmentLookup lookup() {
    return [this](const std::string& name) -> std::optional<std::string> {
      auto it = env.find(name);
      if (it == env.end()) return std::nullopt;
      return it->second;
    };
  }
  void writeIni(const std::string& text) { std::ofstream(exeDir / "morav-updater.ini") << text; }
  app::Config load(const app::BackendOverrides& overrides = {}) {
    return app::Config::load(exeDir.path(), overrides, lookup());
  }
};

TEST_F(ConfigTest, DefaultIsTheEmbeddedEngineInTheUsersDataDirectory) {
  auto config = load();
  EXPECT_EQ(config.backend.kind, Kind::Embedded);
  EXPECT_EQ(config.backend.dataDir, "/home/op/.local/share/morav-updater/data");
  EXPECT_EQ(config.backend.origin, "default");
  EXPECT_TRUE(config.file.empty());
  env["XDG_DATA_HOME"] = "/xdg";
  EXPECT_EQ(load().backend.dataDir, "/xdg/morav-updater/data");
}

TEST_F(ConfigTest, DataDirectoryPrecedence) {
  writeIni("[backend]\nkind = embedded\ndata_dir = fromfile\n");
  EXPECT_EQ(load().backend.dataDir, exeDir / "fromfile");  // relative to the file
  env["MORAV_DATA_DIR"] = "/env/data";
  EXPECT_EQ(load().backend.dataDir, "/env/data");
  env["MORAV_UPDATER_BACKEND"] = "embedded:/env/backend";
  EXPECT_EQ(load().backend.dataDir, "/env/backend");
  auto config = load({std::nullopt, std::filesystem::path("/cli"), std::nullopt});
  EXPECT_EQ(config.backend.dataDir, "/cli");
  EXPECT_EQ(config.backend.origin, "--data-dir");
}

TEST_F(ConfigTest, OdbcFromFileEnvironmentAndCommandLine) {
  writeIni("[backend]\nkind=odbc\n[odbc]\nsqlserver_driver = FreeTDS\naccess_driver=MDB\nextra = Encrypt=no;\n");
  auto config = load();
  EXPECT_EQ(config.backend.kind, Kind::Odbc);
  EXPECT_EQ(config.backend.odbcSqlServerDriver, "FreeTDS");
  EXPECT_EQ(config.backend.odbcAccessDriver, "MDB");
  EXPECT_EQ(config.backend.odbcExtraKeywords, "Encrypt=no;");

  env["MORAV_UPDATER_BACKEND"] = "odbc:Env Driver";
  EXPECT_EQ(load().backend.odbcSqlServerDriver, "Env Driver");
  EXPECT_EQ(load({std::nullopt, std::nullopt, std::string("Cli Driver")}).backend.odbcSqlServerDriver, "Cli Driver");
  // --backend wins over everything.
  EXPECT_EQ(load({Kind::Embedded, std::nullopt, std::nullopt}).backend.kind, Kind::Embedded);
}

TEST_F(ConfigTest, HostedSettingsComeOnlyFromTheFile) {
  EXPECT_EQ(load().hosted.missingKeys(), (std::vector<std::string>{"server", "catalog_prefix", "user", "password"}));
  writeIni("[WEB]\nServer = db.example.test\ncatalog_prefix=Ins_\nuser=upd\n");
  auto config = load();
  EXPECT_EQ(config.hosted.server, "db.example.test");
  EXPECT_EQ(config.hosted.catalogPrefix, "Ins_");
  EXPECT_EQ(config.hosted.missingKeys(), std::vector<std::string>{"password"});
  EXPECT_NE(config.hostedSettingsSource().find(config.file.string()), std::string::npos);
}

TEST_F(ConfigTest, NamedConfigurationFileReplacesTheOneBesideTheProgram) {
  writeIni("[web]\nserver=beside\n");
  testsupport::TempDir other;
  std::ofstream(other / "named.ini") << "[web]\nserver=named\n";
  env["MORAV_UPDATER_CONFIG"] = (other / "named.ini").string();
  EXPECT_EQ(load().hosted.server, "named");
}

TEST_F(ConfigTest, MistakesAreReportedWithWhatToChange) {
  struct Mistake {
    std::function<void()> arrange;
    app::BackendOverrides overrides;
    std::string mentions;
  };
  const Mistake mistakes[] = {
      {[&] { env["MORAV_UPDATER_CONFIG"] = "/nowhere/morav.ini"; }, {}, "MORAV_UPDATER_CONFIG"},
      {[&] { env["MORAV_UPDATER_BACKEND"] = "sqlite"; }, {}, "\"embedded\" or \"odbc\""},
      {[&] { writeIni("[backend]\nkind = fast\n"); }, {}, "[backend] kind"},
      {[&] { writeIni("[backend\n"); }, {}, ":1:"},
      {[&] { writeIni("[web]\nuser = upd\xe9\n"); }, {}, ":2: not valid UTF-8"},
      {[] {}, {std::nullopt, std::filesystem::path("/d"), std::string("drv")}, "--backend"},
  };
  for (const auto& mistake : mistakes) {
    env = {{"HOME", "/home/op"}};
    std::filesystem::remove(exeDir / "morav-updater.ini");
    mistake.arrange();
    try {
      load(mistake.overrides);
      ADD_FAILURE() << "accepted; expected an error mentioning " << mistake.mentions;
    } catch (const db::Error& e) {
      EXPECT_EQ(e.className(), "EConfigError");
      EXPECT_NE(e.message().find(mistake.mentions), std::string::npos) << e.message();
    }
  }
}

TEST(ConnectionText, CatalogReplacementKeepsEverythingElse) {
  const std::string sql = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
  EXPECT_EQ(app::withInitialCatalog(sql + "Talvo;Data Source=PC\\SQLEXPRESS", "master"),
            sql + "master;Data Source=PC\\SQLEXPRESS");
  EXPECT_EQ(app::withInitialCatalog(sql + "Talvo;", "master"), sql + "master;");
  EXPECT_EQ(app::withInitialCatalog("Data Source=h,1434;initial catalog=W3000;User ID=u;Password=p;", "master"),
            "Data Source=h,1434;initial catalog=master;User ID=u;Password=p;");
  EXPECT_EQ(app::withInitialCatalog("Provider=SQLOLEDB.1", "master"), "Provider=SQLOLEDB.1;Initial Catalog=master");
  EXPECT_EQ(app::initialCatalogOf(sql + "Zedidover_FYC;Data Source=x"), "Zedidover_FYC");
  EXPECT_EQ(app::initialCatalogOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/a.mdb"), "");
}

}  // namespace
