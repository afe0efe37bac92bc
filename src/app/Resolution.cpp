#include "app/Resolution.h"

#include "app/ConnectionText.h"
#include "app/Products.h"
#include "app/Session.h"
#include "db/Error.h"

namespace app {

namespace {

struct ServerName {
  std::string text;
  std::string source;  // for messages
};

ServerName serverName(Session& session) {
  auto file = session.platform().executableDirectory() / kServerNameFile;
  if (auto line = session.platform().readFirstLine(file); line && !line->empty())
    return {*line, "The server name in " + file.string()};
  return {session.state.computerName + "\\SQLEXPRESS", "The server name (the computer name)"};
}

std::string sqlServerConnectionString(const std::string& catalog, const std::string& dataSourceClause) {
  requireConnectionValue(catalog, kMaxNameLength, "The catalog name (the product code)");
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
  requireConnectionStringSafe(hosted.catalogPrefix, "The [web] catalog_prefix setting");
  const std::string server = hosted.server + "," + kHostedPort;
  const std::string catalog = hosted.catalogPrefix + suffix;
  requireConnectionValue(server, kMaxServerLength, "The hosted server (the [web] server setting and its port)");
  requireConnectionValue(catalog, kMaxNameLength,
                         "The hosted catalog name (the [web] catalog_prefix setting and the Web catalog suffix)");
  requireConnectionValue(hosted.login, kMaxNameLength, "The [web] user setting");
  requireConnectionValue(hosted.password, kMaxNameLength, "The [web] password setting");
  return "Data Source=" + server + ";Initial Catalog=" + catalog + ";User ID=" + hosted.login +
         ";Password=" + hosted.password + ";";
}

}  // namespace

void resolveProductAndServer(Session& session) {
  RunState& state = session.state;
  if (const auto& index = session.choices.productIndex)
    if (const Product* product = productAtIndex(*index)) state.productCode = std::string(product->code);
  state.computerName = session.platform().computerName();
  const ServerName server = serverName(session);
  if (const auto& version = session.choices.sqlVersionIndex) {
    switch (*version) {
      case kSql2005:
      case kSql2008:
        requireConnectionValue(server.text, kMaxServerLength, server.source);
        state.dataSourceClause = "Data Source=" + server.text;
        break;
      case kSql2000:
      case kSql2012: state.dataSourceClause.clear(); break;
      default: break;  // no version selected: the clause stays as it was
    }
  }
}

bool Choices::readsLean() const { return leanReads.value_or(batches || isHostedTarget(*this)); }

bool isHostedTarget(const Choices& choices) {
  return choices.engine == Engine::SqlServer && choices.productIndex == kInsuranceIndex && choices.web;
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
      if (isHostedTarget(choices)) {
        state.connectionString = hostedConnectionString(session);
        return;
      }
      const std::string catalog = choices.catalog ? *choices.catalog
                                                  : state.productCode + (insurance && choices.fiscalYearClosed ? "_FYC" : "");
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
    requireConnectionValue(*line, kMaxNameLength, "The product code in " + file.string());
    state.productCode = *line;
  }
  if (state.productCode.empty()) state.productCode = "Koltar";
}

}  // namespace app
