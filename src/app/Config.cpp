#include "app/Config.h"

#include <cstdlib>

#include "app/IniFile.h"
#include "db/Error.h"

namespace app {

namespace {

using Kind = db::BackendConfig::Kind;

[[noreturn]] void configError(const std::string& message) { throw db::Error("EConfigError", message); }

Kind parseKind(const std::string& text, const std::string& where) {
  if (text == "embedded") return Kind::Embedded;
  if (text == "odbc") return Kind::Odbc;
  configError(where + ": unknown backend \"" + text + "\"; use \"embedded\" or \"odbc\".");
}

std::filesystem::path defaultDataDir(const EnvironmentLookup& env) {
  if (auto xdg = env("XDG_DATA_HOME"); xdg && !xdg->empty())
    return std::filesystem::path(*xdg) / "morav-updater" / "data";
  if (auto home = env("HOME"); home && !home->empty())
    return std::filesystem::path(*home) / ".local" / "share" / "morav-updater" / "data";
  return std::filesystem::current_path() / "morav-updater-data";
}

// A value the operator wrote: the setting and where it came from.
template <typename T>
struct Setting {
  std::optional<T> value;
  std::string origin;
  void offer(std::optional<T> candidate, const std::string& from) {
    if (!value && candidate) {
      value = std::move(candidate);
      origin = from;
    }
  }
};

}  // namespace

std::optional<std::string> processEnvironment(const std::string& name) {
  if (const char* value = std::getenv(name.c_str())) return std::string(value);
  return std::nullopt;
}

std::optional<std::string> BackendOverrides::conflict() const {
  if (dataDir && odbcDriver && !kind)
    return "--data-dir chooses the embedded engine and --odbc-driver chooses ODBC; add --backend to say which.";
  return std::nullopt;
}

std::vector<std::string> HostedDatabase::missingKeys() const {
  std::vector<std::string> missing;
  if (server.empty()) missing.push_back("server");
  if (catalogPrefix.empty()) missing.push_back("catalog_prefix");
  if (login.empty()) missing.push_back("user");
  if (password.empty()) missing.push_back("password");
  return missing;
}

std::string Config::hostedSettingsSource() const {
  if (!file.empty()) return "the [web] section of " + file.string();
  return std::string("the [web] section of ") + kFileName +
         " next to the program (or of the file named by MORAV_UPDATER_CONFIG)";
}

Config Config::load(const std::filesystem::path& executableDirectory, const BackendOverrides& overrides,
                    const EnvironmentLookup& env) {
  Config config;

  std::optional<IniFile> ini;
  if (auto named = env("MORAV_UPDATER_CONFIG"); named && !named->empty()) {
    config.file = *named;
    if (!std::filesystem::exists(config.file))
      configError("MORAV_UPDATER_CONFIG names " + config.file.string() + ", which does not exist.");
    ini = IniFile::load(config.file);
  } else if (auto beside = executableDirectory / kFileName; std::filesystem::exists(beside)) {
    config.file = beside;
    ini = IniFile::load(beside);
  }
  auto fromFile = [&](const char* section, const char* key) -> std::optional<std::string> {
    if (!ini) return std::nullopt;
    auto value = ini->get(section, key);
    if (value && value->empty()) return std::nullopt;
    return value;
  };
  const std::string fileOrigin = config.file.string();

  // MORAV_UPDATER_BACKEND: "embedded", "embedded:DIR", "odbc" or "odbc:DRIVER".
  std::optional<Kind> envKind;
  std::optional<std::string> envArgument;
  if (auto setting = env("MORAV_UPDATER_BACKEND"); setting && !setting->empty()) {
    size_t colon = setting->find(':');
    envKind = parseKind(setting->substr(0, colon), "MORAV_UPDATER_BACKEND");
    if (colon != std::string::npos && colon + 1 < setting->size()) envArgument = setting->substr(colon + 1);
  }

  Setting<Kind> kind;
  kind.offer(overrides.kind, "--backend");
  if (auto conflict = overrides.conflict()) configError(*conflict);
  if (overrides.dataDir) kind.offer(Kind::Embedded, "--data-dir");
  if (overrides.odbcDriver) kind.offer(Kind::Odbc, "--odbc-driver");
  kind.offer(envKind, "MORAV_UPDATER_BACKEND");
  if (auto text = fromFile("backend", "kind")) kind.offer(parseKind(*text, fileOrigin + " [backend] kind"), fileOrigin);
  kind.offer(Kind::Embedded, "default");
  config.backend.kind = *kind.value;

  if (config.backend.kind == Kind::Embedded) {
    Setting<std::filesystem::path> dir;
    dir.offer(overrides.dataDir, "--data-dir");
    if (envKind == Kind::Embedded && envArgument) dir.offer(std::filesystem::path(*envArgument), "MORAV_UPDATER_BACKEND");
    if (auto d = env("MORAV_DATA_DIR"); d && !d->empty()) dir.offer(std::filesystem::path(*d), "MORAV_DATA_DIR");
    if (auto d = fromFile("backend", "data_dir"))
      dir.offer(config.file.parent_path() / std::filesystem::path(*d), fileOrigin);
    dir.offer(defaultDataDir(env), "default");
    config.backend.dataDir = std::filesystem::absolute(*dir.value).lexically_normal();
    config.backend.origin = dir.origin;
  } else {
    Setting<std::string> driver;
    driver.offer(overrides.odbcDriver, "--odbc-driver");
    if (envKind == Kind::Odbc) driver.offer(envArgument, "MORAV_UPDATER_BACKEND");
    driver.offer(fromFile("odbc", "sqlserver_driver"), fileOrigin);
    config.backend.odbcSqlServerDriver = driver.value.value_or("");
    config.backend.odbcAccessDriver = fromFile("odbc", "access_driver").value_or("");
    config.backend.odbcExtraKeywords = fromFile("odbc", "extra").value_or("");
    config.backend.origin = kind.origin;
  }

  config.hosted.server = fromFile("web", "server").value_or("");
  config.hosted.catalogPrefix = fromFile("web", "catalog_prefix").value_or("");
  config.hosted.login = fromFile("web", "user").value_or("");
  config.hosted.password = fromFile("web", "password").value_or("");
  return config;
}

}  // namespace app
