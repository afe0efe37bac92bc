#include <gtest/gtest.h>

#include <functional>

#include "app/Resolution.h"
#include "app/Session.h"
#include "app/FakePlatform.h"
#include "db/Error.h"

namespace {

using app::Engine;

const std::string kSql = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
const std::string kJet = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
const std::string kJetTail = ";Persist Security Info=False; Jet OLEDB:Database Password=5190267348";

struct Fixture {
  apptest::FakePlatform platform;
  app::Config config;
  std::unique_ptr<app::Session> session;

  Fixture() {
    config.hosted = {"web.example.test", "Zedidover_Web", "upd", "s3cret"};
    session = std::make_unique<app::Session>(platform, config, app::StepRegistry{});
  }
  app::Choices& choices() { return session->choices; }
  app::RunState& state() { return session->state; }
  void resolve() {
    state().cancelRun = false;
    app::resolveTarget(*session);
  }
};

struct Case {
  const char* name;
  std::function<void(Fixture&)> arrange;
  std::string connectionString;
  bool cancelled = false;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Resolution : public ::testing::TestWithParam<Case> {};

TEST_P(Resolution, BuildsTheConnectionString) {
  Fixture f;
  f.state().connectionString = "previous";
  GetParam().arrange(f);
  f.resolve();
  EXPECT_EQ(f.state().connectionString, GetParam().connectionString);
  EXPECT_EQ(f.state().cancelRun, GetParam().cancelled);
}

const Case kCases[] = {
    {"Defaults", [](Fixture&) {}, kSql + "Zedidover;Data Source=PC1\\SQLEXPRESS"},
    {"Sql2000NamesNoServer", [](Fixture& f) { f.choices().sqlVersionIndex = app::kSql2000; }, kSql + "Zedidover;"},
    {"Sql2012NamesNoServer", [](Fixture& f) { f.choices().sqlVersionIndex = app::kSql2012; }, kSql + "Zedidover;"},
    {"Sql2005NamesTheServer", [](Fixture& f) { f.choices().sqlVersionIndex = app::kSql2005; },
     kSql + "Zedidover;Data Source=PC1\\SQLEXPRESS"},
    {"NoVersionKeepsTheClause",
     [](Fixture& f) {
       f.choices().sqlVersionIndex.reset();
       f.state().dataSourceClause = "Data Source=OLD";
     },
     kSql + "Zedidover;Data Source=OLD"},
    {"ServerNameFileFirstLineOnly", [](Fixture& f) { f.platform.files["ServerName.txt"] = "SRV\\INST\r\nother"; },
     kSql + "Zedidover;Data Source=SRV\\INST"},
    {"ServerNameFileKeepsBlanks", [](Fixture& f) { f.platform.files["ServerName.txt"] = " SRV \n"; },
     kSql + "Zedidover;Data Source= SRV "},
    {"EmptyServerNameFileIsIgnored", [](Fixture& f) { f.platform.files["ServerName.txt"] = "\nSRV"; },
     kSql + "Zedidover;Data Source=PC1\\SQLEXPRESS"},
    {"NoComputerName", [](Fixture& f) { f.platform.hostName.clear(); }, kSql + "Zedidover;Data Source=\\SQLEXPRESS"},
    {"ListIndexSetsTheCode", [](Fixture& f) { f.choices().productIndex = 5; },
     kSql + "Koltar;Data Source=PC1\\SQLEXPRESS"},
    {"NoIndexKeepsAPresetCode",
     [](Fixture& f) {
       f.choices().productIndex.reset();
       f.state().productCode = "Benvo";
     },
     kSql + "Benvo;Data Source=PC1\\SQLEXPRESS"},
    {"FiscalYearOnProductZero", [](Fixture& f) { f.choices().fiscalYearClosed = true; },
     kSql + "Zedidover_FYC;Data Source=PC1\\SQLEXPRESS"},
    {"FiscalYearIgnoredOnOtherProducts",
     [](Fixture& f) {
       f.choices().productIndex = 1;
       f.choices().fiscalYearClosed = true;
     },
     kSql + "Ruvan;Data Source=PC1\\SQLEXPRESS"},
    {"HostedWinsOverFiscalYear",
     [](Fixture& f) {
       f.choices().web = true;
       f.choices().fiscalYearClosed = true;
     },
     "Data Source=web.example.test,1434;Initial Catalog=Zedidover_Web3000;User ID=upd;Password=s3cret;"},
    {"HostedSuffixIsTheEditText",
     [](Fixture& f) {
       f.choices().web = true;
       f.choices().webCatalogSuffix = "";
     },
     "Data Source=web.example.test,1434;Initial Catalog=Zedidover_Web;User ID=upd;Password=s3cret;"},
    {"HostedOnlyForProductZero",
     [](Fixture& f) {
       f.choices().productIndex = 1;
       f.choices().web = true;
     },
     kSql + "Ruvan;Data Source=PC1\\SQLEXPRESS"},
    {"AccessFileChosen",
     [](Fixture& f) {
       f.choices().engine = Engine::Access;
       f.platform.dialogAnswers.push_back("/data/Shop.mdb");
     },
     kJet + "/data/Shop.mdb" + kJetTail},
    {"AccessDialogCancelled", [](Fixture& f) { f.choices().engine = Engine::Access; }, "previous", true},
    {"Oracle", [](Fixture& f) { f.choices().engine = Engine::Oracle; }, "previous", true},
};

INSTANTIATE_TEST_SUITE_P(Cases, Resolution, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResolutionState, SetsCodeComputerNameAndClauseAlsoForAccess) {
  Fixture f;
  f.choices().engine = Engine::Access;
  f.choices().productIndex = 3;
  f.platform.dialogAnswers.push_back("/data/a.mdb");
  f.resolve();
  EXPECT_EQ(f.state().productCode, "Talvo");
  EXPECT_EQ(f.state().computerName, "PC1");
  EXPECT_EQ(f.state().dataSourceClause, "Data Source=PC1\\SQLEXPRESS");  // read although unused
  EXPECT_EQ(f.state().accessFilePath, "/data/a.mdb");
  EXPECT_EQ(f.platform.dialogFilters, std::vector<std::string>{"DataBase Files(*.mdb)|*.mdb"});
}

TEST(ResolutionState, CancelledDialogKeepsThePreviousAccessFile) {
  Fixture f;
  f.choices().engine = Engine::Access;
  f.platform.dialogAnswers.push_back("/data/first.mdb");
  f.resolve();
  f.resolve();  // cancelled this time
  EXPECT_TRUE(f.state().cancelRun);
  EXPECT_EQ(f.state().accessFilePath, "/data/first.mdb");
  EXPECT_EQ(f.state().connectionString, kJet + "/data/first.mdb" + kJetTail);
}

// Refusals: each leaves the previous connection string and stops resolution with an error
// that names what to fix.
struct Refusal {
  const char* name;
  std::function<void(Fixture&)> arrange;
  std::string errorClass;
  std::string mentions;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class RefusedTarget : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedTarget, FailsBeforeAnythingIsBuilt) {
  Fixture f;
  f.state().connectionString = "previous";
  GetParam().arrange(f);
  try {
    f.resolve();
    FAIL() << "resolution accepted the target: " << f.state().connectionString;
  } catch (const db::Error& e) {
    EXPECT_EQ(e.className(), GetParam().errorClass);
    EXPECT_NE(e.message().find(GetParam().mentions), std::string::npos) << e.message();
  }
  EXPECT_EQ(f.state().connectionString, "previous");
}

const Refusal kRefusals[] = {
    {"ServerNameWithKeyword", [](Fixture& f) { f.platform.files["ServerName.txt"] = "SRV;Integrated Security=x"; },
     "EUnsafeConnectionText", "ServerName.txt"},
    {"ServerNameWithEquals", [](Fixture& f) { f.platform.files["ServerName.txt"] = "a=b"; }, "EUnsafeConnectionText",
     "'='"},
    {"WebSuffixWithKeyword",
     [](Fixture& f) {
       f.choices().web = true;
       f.choices().webCatalogSuffix = "3000;User ID=sa";
     },
     "EUnsafeConnectionText", "Web catalog suffix"},
    {"PresetCodeWithKeyword",
     [](Fixture& f) {
       f.choices().productIndex.reset();
       f.state().productCode = "X;Data Source=evil";
     },
     "EUnsafeConnectionText", "product code"},
    {"ServerNameNotUtf8", [](Fixture& f) { f.platform.files["ServerName.txt"] = "SRV\xff\\SQLEXPRESS"; },
     "EConvertError", "ServerName.txt is not valid UTF-8 (byte 4 of"},
    {"ServerNameTooLong", [](Fixture& f) { f.platform.files["ServerName.txt"] = std::string(257, 's'); },
     "EUnsafeConnectionText", "257 characters long; SQL Server accepts 256 at most"},
    {"PresetCodeTooLong",
     [](Fixture& f) {
       f.choices().productIndex.reset();
       f.state().productCode = std::string(129, 'c');
     },
     "EUnsafeConnectionText", "The catalog name (the product code) is 129 characters"},
    {"HostedCatalogTooLong",
     [](Fixture& f) {
       f.choices().web = true;
       f.choices().webCatalogSuffix = std::string(128 - std::string("Zedidover_Web").size() + 1, '9');
     },
     "EUnsafeConnectionText", "catalog_prefix setting and the Web catalog suffix) is 129 characters"},
    {"HostedServerTooLong",
     [](Fixture& f) {
       f.config.hosted.server = std::string(252, 'w');  // 257 with its port
       f.session = std::make_unique<app::Session>(f.platform, f.config, app::StepRegistry{});
       f.session->choices.web = true;
       f.session->state.connectionString = "previous";
     },
     "EUnsafeConnectionText", "257 characters"},
    {"UnreadableServerNameFile", [](Fixture& f) { f.platform.unreadableFiles.push_back("ServerName.txt"); },
     "EInOutError", "ServerName.txt"},
    {"HostedNotConfigured",
     [](Fixture& f) {
       f.session = std::make_unique<app::Session>(f.platform, app::Config{}, app::StepRegistry{});
       f.session->choices.web = true;
       f.session->state.connectionString = "previous";
     },
     "EConfigError", "server, catalog_prefix, user, password in the [web] section"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RefusedTarget, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// SQL Server counts characters, not bytes: 128 Persian letters (256 bytes) make a name, and a
// server of 256 characters with its instance is taken.
TEST(ResolutionState, NamesAndServersUpToSqlServersBoundsAreTaken) {
  Fixture f;
  std::string persian;
  for (int i = 0; i < 128; ++i) persian += "\xd8\xb3";
  f.choices().productIndex.reset();
  f.state().productCode = persian;
  const std::string server = std::string(244, 's') + "\\SQLEXPRESS";
  f.platform.files["ServerName.txt"] = server;
  f.resolve();
  EXPECT_EQ(f.state().connectionString, kSql + persian + ";Data Source=" + server);
}

TEST(ResolutionState, ServerNameIsNotCheckedWhereItIsNotUsed) {
  Fixture f;
  f.platform.files["ServerName.txt"] = "a;b";
  f.choices().sqlVersionIndex = app::kSql2000;
  f.resolve();
  EXPECT_EQ(f.state().connectionString, kSql + "Zedidover;");
}

struct FileCase {
  const char* name;
  std::optional<std::string> content;
  std::string code;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class ProductCodeFromFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(ProductCodeFromFile, ReadsTheFirstLine) {
  Fixture f;
  f.state().productCode = "before";
  if (GetParam().content) f.platform.files["NameDataBase.txt"] = *GetParam().content;
  app::readProductCodeFromFile(*f.session);
  EXPECT_EQ(f.state().productCode, GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProductCodeFromFile,
                         ::testing::Values(FileCase{"Absent", std::nullopt, "Koltar"},
                                           FileCase{"EmptyFirstLine", "\r\nBenvo", "Koltar"},
                                           FileCase{"FirstLine", "Benvo\r\nVedizi2", "Benvo"},
                                           FileCase{"KeepsBlanks", " Vedizi2 ", " Vedizi2 "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProductCodeFromFileRefusal, RefusesKeywordsBytesThatAreNotUtf8AndOverlongNames) {
  for (const std::string& content : {std::string("Benvo;Data Source=x"), std::string("Ben\xffvo"), std::string(129, 'c')}) {
    Fixture f;
    f.platform.files["NameDataBase.txt"] = content;
    try {
      app::readProductCodeFromFile(*f.session);
      ADD_FAILURE() << "accepted " << content.size() << " bytes";
    } catch (const db::Error& e) {
      EXPECT_NE(e.message().find("NameDataBase.txt"), std::string::npos) << e.message();
    }
    EXPECT_EQ(f.state().productCode, "");
  }
}

}  // namespace
