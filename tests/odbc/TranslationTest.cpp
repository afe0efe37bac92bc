#include <gtest/gtest.h>

#include "db/Error.h"
#include "db/Secrets.h"
#include "db/odbc/NamedParameters.h"
#include "db/odbc/OdbcConnectionString.h"
#include "db/odbc/Utf16.h"

namespace {

using db::odbc::toOdbcConnectionString;

constexpr const char* kLocal = "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=";
constexpr const char* kJet = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/srv/data/Talvo.mdb;Persist Security Info=False; "
                             "Jet OLEDB:Database Password=5190267348";
constexpr const char* kHosted = "Data Source=sql.example.net,1434;Initial Catalog=Web3000;User ID=webuser;Password=s3cret;";

db::BackendConfig odbc(std::string sqlServerDriver, std::string extra = {}, std::string accessDriver = "MDBTools") {
  db::BackendConfig config;
  config.kind = db::BackendConfig::Kind::Odbc;
  config.odbcSqlServerDriver = std::move(sqlServerDriver);
  config.odbcAccessDriver = std::move(accessDriver);
  config.odbcExtraKeywords = std::move(extra);
  return config;
}

struct TranslationCase {
  const char* what;
  std::string ado;
  db::BackendConfig config;
  std::string odbc;
};

TEST(OdbcConnectionStringTest, TranslatesTheSystemsConnectionStrings) {
  const std::string ms18 = "ODBC Driver 18 for SQL Server";
  const TranslationCase cases[] = {
      {"local default instance (no Data Source)", std::string(kLocal) + "Zedidover;", odbc(ms18),
       "Driver={ODBC Driver 18 for SQL Server};Server=tcp:localhost;Database=Zedidover;Trusted_Connection=yes"},
      {"named instance", std::string(kLocal) + "Zedidover;Data Source=PC1\\SQLEXPRESS", odbc(ms18),
       "Driver={ODBC Driver 18 for SQL Server};Server=tcp:PC1\\SQLEXPRESS;Database=Zedidover;Trusted_Connection=yes"},
      {"(local) and . are the local server", std::string(kLocal) + "Ruvan;Data Source=(local)", odbc("ODBC Driver 17 for SQL Server"),
       "Driver={ODBC Driver 17 for SQL Server};Server=tcp:localhost;Database=Ruvan;Trusted_Connection=yes"},
      {"hosted form: SQL login on a port", kHosted, odbc(ms18),
       "Driver={ODBC Driver 18 for SQL Server};Server=tcp:sql.example.net,1434;Database=Web3000;UID=webuser;PWD=s3cret"},
      {"Driver 18 encryption settings come from the extra keywords", kHosted,
       odbc(ms18, "Encrypt=yes;TrustServerCertificate=yes"),
       "Driver={ODBC Driver 18 for SQL Server};Server=tcp:sql.example.net,1434;Database=Web3000;UID=webuser;PWD=s3cret;"
       "Encrypt=yes;TrustServerCertificate=yes"},
      {"FreeTDS, integrated security through Kerberos", std::string(kLocal) + "Zedidover;Data Source=PC1\\SQLEXPRESS",
       odbc("FreeTDS"), "Driver={FreeTDS};Server=PC1\\SQLEXPRESS;Database=Zedidover;Trusted_Connection=Yes"},
      {"FreeTDS, hosted form: the port apart", kHosted, odbc("FreeTDS", "TDS_Version=7.4"),
       "Driver={FreeTDS};Server=sql.example.net;Port=1434;Database=Web3000;UID=webuser;PWD=s3cret;TDS_Version=7.4"},
      {"an extra keyword replaces a written one in place", kHosted, odbc("freetds 1.3", "port=11433"),
       "Driver={freetds 1.3};Server=sql.example.net;Port=11433;Database=Web3000;UID=webuser;PWD=s3cret"},
      {"values with ';' or braces are braced, '}' doubled",
       "Data Source=h;Initial Catalog=C;User ID=u;Password=\"a;b}c\"", odbc(ms18, "APP={Morav; updater}"),
       "Driver={ODBC Driver 18 for SQL Server};Server=tcp:h;Database=C;UID=u;PWD={a;b}}c};APP={Morav; updater}"},
      {"unknown ADO keywords are passed on", std::string(kLocal) + "Koltar;Application Name=morav", odbc(ms18),
       "Driver={ODBC Driver 18 for SQL Server};Server=tcp:localhost;Database=Koltar;Trusted_Connection=yes;"
       "Application Name=morav"},
      {"Access file with its database password", kJet, odbc(ms18),
       "Driver={MDBTools};DBQ=/srv/data/Talvo.mdb;PWD=5190267348"},
      {"SQLite stand-in: the catalog is a file in Directory", std::string(kLocal) + "Zedidover;Data Source=PC1",
       odbc("SQLite3", "Directory=/tmp/cat alogs;NoTXN=0"),
       "Driver={SQLite3};Database=/tmp/cat alogs/Zedidover.db;NoTXN=0"},
      {"SQLite stand-in without a catalog: master", "Provider=SQLOLEDB.1;Integrated Security=SSPI",
       odbc("SQLite3", "Directory={/d;x}"), "Driver={SQLite3};Database={/d;x/master.db}"},
  };
  for (const auto& c : cases) EXPECT_EQ(toOdbcConnectionString(c.ado, c.config), c.odbc) << c.what;
}

// The error's class and a piece of its message, or "" when the translation succeeds.
std::string failureOf(const std::string& ado, const db::BackendConfig& config) {
  try {
    toOdbcConnectionString(ado, config);
    return "";
  } catch (const db::Error& e) {
    return e.className() + ": " + e.message();
  }
}

TEST(OdbcConnectionStringTest, AMissingDriverOrAnUnknownProviderTellsWhatToConfigure) {
  const std::string sqlServer = failureOf(std::string(kLocal) + "Zedidover;", odbc(""));
  EXPECT_NE(sqlServer.find("EConfigError: No ODBC driver is configured for SQL Server"), std::string::npos) << sqlServer;
  for (const char* hint : {"--odbc-driver", "sqlserver_driver", "[odbc]", "MORAV_UPDATER_BACKEND", "odbcinst -q -d"})
    EXPECT_NE(sqlServer.find(hint), std::string::npos) << hint;

  const std::string access = failureOf(kJet, odbc("FreeTDS", "", " "));
  EXPECT_NE(access.find("configured for Access files"), std::string::npos) << access;
  EXPECT_NE(access.find("access_driver"), std::string::npos) << access;

  EXPECT_NE(failureOf("Provider=MSDAORA;Data Source=x", odbc("FreeTDS")).find("provider \"MSDAORA\""), std::string::npos);
  EXPECT_NE(failureOf(std::string(kLocal) + "X", odbc("SQLite3")).find("Directory=DIR"), std::string::npos);
}

TEST(SecretsTest, PasswordsAreMaskedInAdoAndOdbcStrings) {
  const std::pair<std::string, std::string> cases[] = {
      {kHosted, "Data Source=sql.example.net,1434;Initial Catalog=Web3000;User ID=webuser;Password=****;"},
      {kJet, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/srv/data/Talvo.mdb;Persist Security Info=False; "
             "Jet OLEDB:Database Password=****"},
      {"Driver={FreeTDS};Server=h;UID=u;PWD={a;b}}c};Database=C", "Driver={FreeTDS};Server=h;UID=u;PWD=****;Database=C"},
      {"uid=u; pwd = 'x;y' ;Encrypt=yes", "uid=u; pwd =****;Encrypt=yes"},
      {"Driver={ODBC Driver 18 for SQL Server};PWD={unclosed;Database=C", "Driver={ODBC Driver 18 for SQL Server};PWD=****"},
      {std::string(kLocal) + "Zedidover;", std::string(kLocal) + "Zedidover;"},
  };
  for (const auto& [text, masked] : cases) EXPECT_EQ(db::maskSecrets(text), masked) << text;
}

TEST(NamedParametersTest, ParametersBecomeMarkersInOrderOutsideLiteralsAndComments) {
  using db::odbc::markParameters;
  const auto plain = markParameters("select (name) as myname from sysdatabases where name=:p1");
  EXPECT_EQ(plain.text, "select (name) as myname from sysdatabases where name=?");
  EXPECT_EQ(plain.names, (std::vector<std::string>{"p1"}));

  const auto mixed = markParameters("update T set A=:p2, [x:y]=':p1 12:30' -- :c\r\nwhere B=:p1 /* :d */ and C=:p2 and D=E::F and :_g=1");
  EXPECT_EQ(mixed.text, "update T set A=?, [x:y]=':p1 12:30' -- :c\r\nwhere B=? /* :d */ and C=? and D=E::F and ?=1");
  EXPECT_EQ(mixed.names, (std::vector<std::string>{"p2", "p1", "p2", "_g"}));

  const auto quoted = markParameters("select 'it''s :p1', \"a:b\" from t where x = :p9");
  EXPECT_EQ(quoted.text, "select 'it''s :p1', \"a:b\" from t where x = ?");
  EXPECT_EQ(quoted.names, (std::vector<std::string>{"p9"}));
}

TEST(Utf16Test, ConvertsBothWaysAndRefusesBrokenUtf8) {
  using db::odbc::toUtf16;
  using db::odbc::toUtf8;
  const std::string text = "كد عنوان ۱۲۳ a\xF0\x9F\x98\x80";  // Persian, Persian digits, ASCII, a supplementary character
  const std::u16string wide = toUtf16(text);
  EXPECT_EQ(wide, u"كد عنوان ۱۲۳ a\U0001F600");
  EXPECT_EQ(toUtf8(wide), text);

  for (const char* broken : {"\xC3", "a\x80", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
    EXPECT_THROW(toUtf16(broken), db::Error) << broken;
  EXPECT_EQ(toUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");  // an unpaired surrogate is shown as U+FFFD
}

}  // namespace
