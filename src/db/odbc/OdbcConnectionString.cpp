#include "db/odbc/OdbcConnectionString.h"

#include <utility>
#include <vector>

#include "db/ConnectionString.h"
#include "db/Text.h"
#include "db/Error.h"
#include "db/Secrets.h"

namespace db::odbc {

namespace {

constexpr const char* kConfigError = "EConfigError";

bool containsNoCase(std::string_view text, std::string_view part) {
  return asciiLower(text).find(asciiLower(part)) != std::string::npos;
}

std::string braced(std::string_view value) {
  std::string out = "{";
  for (char c : value) {
    out += c;
    if (c == '}') out += '}';
  }
  return out + "}";
}

// The keywords of an ODBC connection string in the order written; setting a keyword again
// (letter case aside) replaces its value in place.
class Keywords {
 public:
  void set(std::string_view keyword, std::string value) {
    for (auto& [k, v] : pairs_)
      if (equalsAsciiNoCase(k, keyword)) {
        v = std::move(value);
        return;
      }
    pairs_.emplace_back(std::string(keyword), std::move(value));
  }

  std::string text() const {
    std::string out;
    for (const auto& [k, v] : pairs_) {
      if (!out.empty()) out += ';';
      out += k + "=" + (equalsAsciiNoCase(k, "Driver") ? braced(v) : odbcValue(v));
    }
    return out;
  }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
};

// A SQL Server address as ADO writes it: [tcp:]host[\instance][,port].
struct ServerAddress {
  std::string host;
  std::string instance;
  std::string port;
};

ServerAddress parseDataSource(std::string_view dataSource) {
  std::string_view rest = trimBlanks(dataSource);
  if (rest.size() > 4 && equalsAsciiNoCase(rest.substr(0, 4), "tcp:")) rest.remove_prefix(4);
  ServerAddress address;
  if (const size_t comma = rest.rfind(','); comma != std::string_view::npos) {
    address.port = std::string(trimBlanks(rest.substr(comma + 1)));
    rest = rest.substr(0, comma);
  }
  if (const size_t slash = rest.find('\\'); slash != std::string_view::npos) {
    address.instance = std::string(trimBlanks(rest.substr(slash + 1)));
    rest = rest.substr(0, slash);
  }
  rest = trimBlanks(rest);
  // No server named, "." and "(local)" all mean the local default instance.
  const bool local = rest.empty() || rest == "." || equalsAsciiNoCase(rest, "(local)");
  address.host = local ? "localhost" : std::string(rest);
  return address;
}

bool isTrue(std::string_view value) {
  const std::string_view v = trimBlanks(value);
  return equalsAsciiNoCase(v, "SSPI") || equalsAsciiNoCase(v, "true") || equalsAsciiNoCase(v, "yes");
}

// ADO keywords of a SQL Server string that the translation uses or drops on purpose.
bool handledSqlServerKeyword(std::string_view keyword) {
  for (std::string_view k : {"Provider", "Persist Security Info", "Data Source", "Server", "Initial Catalog",
                             "Database", "Integrated Security", "Trusted_Connection", "User ID", "UID",
                             "Password", "PWD"})
    if (equalsAsciiNoCase(keyword, k)) return true;
  return false;
}

std::string firstOf(const ConnectionString& cs, std::initializer_list<std::string_view> keywords) {
  for (std::string_view k : keywords)
    if (auto v = cs.get(k)) return *v;
  return {};
}

[[noreturn]] void missingDriver(const char* target, const char* iniKey, const char* examples, const char* more) {
  throw Error(kConfigError, std::string("No ODBC driver is configured for ") + target + ". Name one with " +
                                iniKey + " in the [odbc] section of morav-updater.ini" + more +
                                "; it must be a driver registered in /etc/odbcinst.ini (\"odbcinst -q -d\" "
                                "lists them), for example " +
                                examples + ".");
}

void sqlServerKeywords(Keywords& out, const ConnectionString& cs, DriverFamily family, const std::string& directory) {
  const std::string catalog = firstOf(cs, {"Initial Catalog", "Database"});
  if (family == DriverFamily::Sqlite) {
    const std::string file = directory + "/" + (catalog.empty() ? std::string("master") : catalog) + ".db";
    out.set("Database", file);
    return;
  }
  const ServerAddress server = parseDataSource(firstOf(cs, {"Data Source", "Server"}));
  if (family == DriverFamily::FreeTds) {
    // FreeTDS asks the server's browser for an instance's port unless the port is given.
    out.set("Server", server.port.empty() && !server.instance.empty() ? server.host + "\\" + server.instance
                                                                       : server.host);
    if (!server.port.empty()) out.set("Port", server.port);
  } else {
    std::string address = "tcp:" + server.host;
    if (!server.instance.empty()) address += "\\" + server.instance;
    if (!server.port.empty()) address += "," + server.port;
    out.set("Server", address);
  }
  if (!catalog.empty()) out.set("Database", catalog);
  if (isTrue(firstOf(cs, {"Integrated Security", "Trusted_Connection"}))) {
    out.set("Trusted_Connection", family == DriverFamily::FreeTds ? "Yes" : "yes");
  } else {
    if (auto user = firstOf(cs, {"User ID", "UID"}); !user.empty()) out.set("UID", user);
    if (auto password = cs.get("Password") ? cs.get("Password") : cs.get("PWD")) out.set("PWD", *password);
  }
  for (const auto& pair : cs.pairs())
    if (!handledSqlServerKeyword(pair.keyword)) out.set(pair.keyword, pair.value);
}

}  // namespace

DriverFamily driverFamily(std::string_view driverName) {
  if (containsNoCase(driverName, "FreeTDS")) return DriverFamily::FreeTds;
  if (containsNoCase(driverName, "SQLite")) return DriverFamily::Sqlite;
  return DriverFamily::Microsoft;
}

std::string odbcValue(std::string_view value) {
  const bool needsBraces = value.find_first_of(";{}") != std::string_view::npos ||
                           (!value.empty() && (value.front() == ' ' || value.back() == ' '));
  return needsBraces ? braced(value) : std::string(value);
}

std::string toOdbcConnectionString(std::string_view adoConnectionString, const BackendConfig& config) {
  const ConnectionString cs = ConnectionString::parse(adoConnectionString);
  const ProviderKind kind = providerKind(cs);
  if (kind == ProviderKind::Other)
    throw Error(kConfigError, "The ODBC backend reaches SQL Server and Access only; the connection string names the "
                              "provider \"" + cs.getOr("Provider", "") + "\".");

  const std::string& driver = kind == ProviderKind::Jet ? config.odbcAccessDriver : config.odbcSqlServerDriver;
  if (trimBlanks(driver).empty()) {
    if (kind == ProviderKind::Jet)
      missingDriver("Access files", "access_driver", "\"MDBTools\" (read-only)", "");
    missingDriver("SQL Server", "sqlserver_driver", "\"ODBC Driver 18 for SQL Server\" or \"FreeTDS\"",
                  ", --odbc-driver NAME or MORAV_UPDATER_BACKEND=odbc:NAME");
  }
  const DriverFamily family = driverFamily(driver);

  // The extra keywords, the SQLite mapping's Directory taken out.
  std::vector<std::pair<std::string, std::string>> extras;
  std::string directory;
  for (const KeywordSpan& span : keywordSpans(config.odbcExtraKeywords)) {
    if (family == DriverFamily::Sqlite && equalsAsciiNoCase(span.keyword, "Directory"))
      directory = unquotedValue(span.value);
    else
      extras.emplace_back(std::string(span.keyword), unquotedValue(span.value));
  }
  if (family == DriverFamily::Sqlite && kind == ProviderKind::SqlServer && directory.empty())
    throw Error(kConfigError, "The SQLite driver \"" + driver + "\" stands in for SQL Server only with "
                              "\"Directory=DIR\" in the extra keywords ([odbc] extra): the directory of the "
                              "catalog files DIR/<catalog>.db.");

  Keywords out;
  out.set("Driver", std::string(trimBlanks(driver)));
  if (kind == ProviderKind::Jet) {
    out.set("DBQ", cs.getOr("Data Source", ""));
    if (auto password = cs.get("Jet OLEDB:Database Password"); password && !password->empty())
      out.set("PWD", *password);
  } else {
    sqlServerKeywords(out, cs, family, directory);
  }
  for (auto& [keyword, value] : extras) out.set(keyword, std::move(value));
  return out.text();
}

}  // namespace db::odbc
