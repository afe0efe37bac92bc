#include "app/Resolution.h"

#include "app/ConnectionText.h"
#include "app/Products.h"
#include "app/Session.h"
#include "db/Error.h"

namespace app {

namespace {

std::string serverName(Session& session) {
  auto file = session.platform().executableDirectory() / kServerNameFile;
  if (auto line = session.platform().readFirstLine(file); line && !line->empty()) return *line;
  return session.state.computerName + "\\SQLEXPRESS";
}

std::string sqlServerConnectionString(const std::string& catalog, const std::string& dataSourceClause) {
  requireConnectionStringSafe(catalog, "The product code");
  return kSqlServerPrefix + catalog + ";" + dataSourceClause;
}

std::string hostedConnectionString(const Session& session) {
  const HostedDatabase& hosted = session.config().hosted;
  if (auto missing = hosted.missingKeys(); !missing.empty()) {
    std::string keys;
    for (const auto& key : missing) keys += (keys.empty() ? "" : ", ") + key;
    throw db::Error("EConfigError", "The hosted (Web) database is not configured: set " + keys + " in " +
                                        session.config().hostedSettingsSource() + ".");
  }
  const std::string& suffix = session.choices.webCatalogSuffix;
  requireConnectionStringSafe(suffix, "The Web catalog suffix");
  requireConnectionStringSafe(hosted.server, "The [web] server setting");
  requireConnectionStringSafe(hosted.catalogPrefix, "The [web] catalog_prefix setting");
  requireConnectionStringSafe(hosted.login, "The [web] user setting");
  requireConnectionStringSafe(hosted.password, "The [web] password setting");
  return "Data Source=" + hosted.server + "," + kHostedPort + ";Initial Catalog=" + hosted.catalogPrefix + suffix +
         ";User ID=" + hosted.login + ";Password=" + hosted.password + ";";
}

}  // namespace

void resolveProductAndServer(Session& session) {
  RunState& state = session.state;
  if (const auto& index = session.choices.productIndex)
    if (const Product* product = productAtIndex(*index)) state.productCode = std::string(product->code);
  state.computerName = session.platform().computerName();
  const std::string server = serverName(session);
  if (const auto& version = session.choices.sqlVersionIndex) {
    switch (*version) {
      case kSql2005:
      case kSql2008:
        requireConnectionStringSafe(server, "The server name (" + std::string(kServerNameFile) + ")");
        state.dataSourceClause = "Data Source=" + server;
        break;
      case kSql2000:
      case kSql2012: state.dataSourceClause.clear(); break;
      default: break;  // no version selected: the clause stays as it was
    }
  }
}

void resolveConnectionString(Session& session) {
  const Choices& choices = session.choices;
  RunState& state = session.state;
  switch (choices.engine) {
    case Engine::Access: {
      auto chosen = session.platform().chooseFileToOpen(kAccessFileFilter);
      if (!chosen) {
        state.cancelRun = true;
        return;
      }
      const std::string path = chosen->string();
      requireConnectionStringSafe(path, "The Access file path");
      state.accessFilePath = path;
      state.connectionString = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
                               ";Persist Security Info=False; Jet OLEDB:Database Password=" + kAccessPassword;
      return;
    }
    case Engine::SqlServer: {
      const bool insurance = choices.productIndex == kInsuranceIndex;
      if (insurance && choices.web) {
        state.connectionString = hostedConnectionString(session);
        return;
      }
      const std::string catalog = state.productCode + (insurance && choices.fiscalYearClosed ? "_FYC" : "");
      state.connectionString = sqlServerConnectionString(catalog, state.dataSourceClause);
      return;
    }
    case Engine::Oracle:
      state.cancelRun = true;
      return;
  }
}

void resolveTarget(Session& session) {
  resolveProductAndServer(session);
  resolveConnectionString(session);
}

void readProductCodeFromFile(Session& session) {
  RunState& state = session.state;
  state.productCode.clear();
  auto file = session.platform().executableDirectory() / kProductCodeFile;
  if (auto line = session.platform().readFirstLine(file)) {
    requireConnectionStringSafe(*line, "The product code in " + file.string());
    state.productCode = *line;
  }
  if (state.productCode.empty()) state.productCode = "Koltar";
}

}  // namespace app
