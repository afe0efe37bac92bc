#include "cli/Options.h"

#include <stdexcept>

#include "app/CommandLineChoices.h"

namespace cli {

namespace {

using Action = Options::Action;

app::Engine engineNamed(const std::string& text) {
  if (text == "sqlserver") return app::Engine::SqlServer;
  if (text == "access") return app::Engine::Access;
  if (text == "oracle") return app::Engine::Oracle;
  throw UsageError("--engine " + text + ": use sqlserver, access or oracle");
}

int sqlVersionIndex(const std::string& text) {
  constexpr std::string_view versions[] = {"2000", "2005", "2008", "2012"};
  for (int i = 0; i < 4; ++i)
    if (text == versions[i]) return i;
  throw UsageError("--sql-version " + text + ": use 2000, 2005, 2008 or 2012");
}

void takeAction(Options& options, std::optional<Action>& action, std::string_view word, app::ArgumentReader& reader) {
  if (action) throw UsageError("unexpected argument '" + std::string(word) + "'");
  if (word == "run") {
    action = Action::Run;
  } else if (word == "console") {
    action = Action::Console;
    if (reader.done()) throw UsageError("console needs the SQL text to execute");
    options.consoleText = std::string(reader.takeRaw());
  } else if (word == "products") {
    action = Action::Products;
  } else if (word == "help") {
    action = Action::Help;
  } else if (word == "assistant-setup") {
    action = Action::AssistantSetup;
  } else {
    throw UsageError("unknown action '" + std::string(word) + "'");
  }
}

Options parseArguments(const std::vector<std::string_view>& args) {
  Options options;
  std::optional<Action> action;
  app::ArgumentReader reader(args);
  while (!reader.done()) {
    const std::string_view arg = reader.take();
    if (!arg.starts_with("-") || arg == "-") {
      takeAction(options, action, arg, reader);
      continue;
    }
    auto flag = [&](bool& target) {
      reader.refuseValue(arg);
      target = true;
    };
    if (app::takeStartChoice(arg, reader, options)) continue;
    if (arg == "--engine") options.choices.engine = engineNamed(reader.value(arg));
    else if (arg == "--sql-version") options.choices.sqlVersionIndex = sqlVersionIndex(reader.value(arg));
    else if (arg == "--access-file") options.accessFile = reader.value(arg);
    else if (arg == "--web") flag(options.choices.web);
    else if (arg == "--web-suffix") options.choices.webCatalogSuffix = reader.value(arg);
    else if (arg == "--fyc") flag(options.choices.fiscalYearClosed);
    else if (arg == "--no-autonum") {
      reader.refuseValue(arg);
      options.choices.convertAutonum = false;
    } else if (arg == "--statement-log") options.statementLog = reader.value(arg);
    else if (arg == "--report") options.report = reader.value(arg);
    else if (arg == "--quiet" || arg == "-q") flag(options.quiet);
    else if (arg == "--version") {
      reader.refuseValue(arg);
      action = Action::Version;
    } else if (arg == "--help" || arg == "-h") {
      reader.refuseValue(arg);
      action = Action::Help;
    } else throw UsageError("unknown option " + std::string(arg));
  }
  if (auto conflict = options.backend.conflict()) throw UsageError(*conflict);
  options.action = action.value_or(Action::Run);
  return options;
}

}  // namespace

Options parseOptions(const std::vector<std::string_view>& args) {
  try {
    return parseArguments(args);
  } catch (const std::invalid_argument& e) {
    // The parsers shared with the window say what is wrong; here that is a usage error.
    throw UsageError(e.what());
  }
}

std::string usageText() {
  return R"(Usage: morav-update [ACTION] [OPTIONS]

Upgrades a Morav product's database to the shape its new version expects.

Actions:
  run                    upgrade the chosen product's database (the default)
  console SQL            execute one SQL text on the target database
  assistant-setup        create the BenvoAssistant catalog when it is missing and complete
                         its tables and columns
  products               list the product codes and list indexes
  help                   show this text

The operator's choices (defaults as in the window):
  --product CODE|INDEX   product code or product-list index (default 0, Zedidover);
                         codes the list does not offer (Benvo, Vedizi2) are accepted
  --engine sqlserver|access|oracle          database engine (default sqlserver)
  --sql-version 2000|2005|2008|2012         SQL Server version (default 2008)
  --access-file PATH     the Access file; without it the file dialog counts as cancelled
  --web                  product 0: the hosted database ([web] in morav-updater.ini)
  --web-suffix TEXT      text after the hosted catalog prefix (default 3000)
  --fyc                  product 0: the fiscal-year catalog (CODE_FYC)
  --no-autonum           general accounting: skip the Autonum-to-Number conversion
  --create-database      create the target catalog (or Access file) when it is missing

Backend (default: the embedded engine):
  --backend embedded|odbc
  --data-dir DIR         the embedded engine's data directory
  --odbc-driver NAME     the ODBC driver for SQL Server targets
  Also MORAV_UPDATER_BACKEND ("embedded[:DIR]", "odbc[:DRIVER]"), MORAV_DATA_DIR, and
  morav-updater.ini next to the program or named by MORAV_UPDATER_CONFIG.

Output:
  --statement-log FILE   every database call as JSON Lines
  --report FILE          the run report as JSON
  --quiet                no progress bar and no backend notice

  --version              print the version and exit

Exit status: 0 completed, 1 failed, 2 bad usage, 3 cancelled.
)";
}

}  // namespace cli
