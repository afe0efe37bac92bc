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

int jobCount(const std::string& text) {
  constexpr int kMostJobs = 64;
  int jobs = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || jobs > kMostJobs) throw UsageError("--jobs " + text + ": give a number from 1 to 64");
    jobs = jobs * 10 + (c - '0');
  }
  if (jobs < 1 || jobs > kMostJobs) throw UsageError("--jobs " + text + ": give a number from 1 to 64");
  return jobs;
}

// The action words, with what each takes after it.
struct ActionWord {
  std::string_view word;
  Action action;
};
constexpr ActionWord kActions[] = {{"run", Action::Run},
                                   {"console", Action::Console},
                                   {"products", Action::Products},
                                   {"help", Action::Help},
                                   {"assistant-setup", Action::AssistantSetup},
                                   {"plan", Action::Plan},
                                   {"check", Action::Check}};

Action actionNamed(std::string_view word) {
  for (const ActionWord& a : kActions)
    if (a.word == word) return a.action;
  throw UsageError("unknown action '" + std::string(word) + "'");
}

// Takes `arg`, an option just taken from `reader`; false when no option has that name.
bool takeOption(std::string_view arg, app::ArgumentReader& reader, Options& options) {
  auto flag = [&](bool& target) {
    reader.refuseValue(arg);
    target = true;
  };
  if (app::takeStartChoice(arg, reader, options)) return true;
  if (arg == "--engine") options.choices.engine = engineNamed(reader.value(arg));
  else if (arg == "--sql-version") options.choices.sqlVersionIndex = sqlVersionIndex(reader.value(arg));
  else if (arg == "--access-file") options.accessFile = reader.value(arg);
  else if (arg == "--web") flag(options.choices.web);
  else if (arg == "--web-suffix") options.choices.webCatalogSuffix = reader.value(arg);
  else if (arg == "--fyc") flag(options.choices.fiscalYearClosed);
  else if (arg == "--no-autonum") {
    reader.refuseValue(arg);
    options.choices.convertAutonum = false;
  } else if (arg == "--lean") {
    reader.refuseValue(arg);
    options.choices.leanReads = true;
  } else if (arg == "--faithful") {
    reader.refuseValue(arg);
    options.choices.leanReads = false;
  } else if (arg == "--batch") flag(options.choices.batches);
  else if (arg == "--statement-log") options.statementLog = reader.value(arg);
  else if (arg == "--report") options.report = reader.value(arg);
  else if (arg == "--quiet" || arg == "-q") flag(options.quiet);
  else if (arg == "--file" || arg == "-f") options.consoleFile = reader.value(arg);
  else if (arg == "--format") {
    const std::string format = reader.value(arg);
    if (format == "json") options.format = Options::Format::Json;
    else if (format == "text" || format == "table") options.format = Options::Format::Table;
    else if (format == "csv") options.format = Options::Format::Csv;
    else throw UsageError("--format " + format + ": use table, csv or json");
  } else if (arg == "--catalog") options.choices.catalog = reader.value(arg);
  else if (arg == "--targets") options.targetsFile = reader.value(arg);
  else if (arg == "--output-dir") options.outputDir = reader.value(arg);
  else if (arg == "--jobs" || arg == "-j") options.jobs = jobCount(reader.value(arg));
  else if (arg == "--version") {
    reader.refuseValue(arg);
    options.action = Action::Version;
  } else if (arg == "--help" || arg == "-h") {
    reader.refuseValue(arg);
    options.action = Action::Help;
  } else return false;
  return true;
}

bool isOptionName(std::string_view arg) {
  if (!arg.starts_with("-") || arg == "-") return false;
  Options scratch;
  std::vector<std::string_view> alone = {arg};
  app::ArgumentReader reader(alone);
  try {
    return takeOption(reader.take(), reader, scratch);
  } catch (const std::exception&) {
    return true;  // a known option that wants a value
  }
}

void checkTargetOptions(const Options& options) {
  if (options.targetsFile) {
    if (options.choices.catalog || options.accessFile)
      throw UsageError("--targets names the database of each run; leave out --catalog and --access-file");
    if (options.statementLog || options.report)
      throw UsageError("with --targets each target has its own statement log and report in --output-dir");
  } else if (options.jobs != 1 || options.outputDir) {
    throw UsageError("--jobs and --output-dir go with --targets");
  }
}

// Options may stand before or after the action; "--" ends them, so that what follows (a SQL
// text that starts with a dash) is taken as it is. The argument right after "console" is its
// text as it is, unless it is an option the tool knows: "console --x=1..." runs a text that
// opens with a comment.
Options parseArguments(const std::vector<std::string_view>& args) {
  Options options;
  std::vector<std::string> words;
  app::ArgumentReader reader(args);
  bool optionsEnded = false;
  while (!reader.done()) {
    const bool textOfConsole = words.size() == 1 && words.front() == "console";
    const std::string_view next = reader.peek();
    if (optionsEnded || (textOfConsole && next.starts_with("-") && next != "-" && next != "--" && !isOptionName(next))) {
      words.emplace_back(reader.takeRaw());
      continue;
    }
    if (next == "--") {
      reader.takeRaw();
      optionsEnded = true;
      continue;
    }
    const std::string_view arg = reader.take();
    if (!arg.starts_with("-") || arg == "-") {
      words.emplace_back(arg);
      continue;
    }
    if (!takeOption(arg, reader, options)) throw UsageError("unknown option " + std::string(arg));
  }
  if (auto conflict = options.backend.conflict()) throw UsageError(*conflict);
  checkTargetOptions(options);
  if (options.choices.batches && options.choices.leanReads == false)
    throw UsageError("--batch needs lean catalog reads: leave out --faithful");
  if (options.action == Action::Help || options.action == Action::Version) {
    if (options.action == Action::Help && !words.empty() && words.front() != "help") options.helpTopic = words.front();
    return options;
  }
  if (words.empty()) {
    if (options.consoleFile) throw UsageError("--file goes with the console action");
    return options;
  }
  options.action = actionNamed(words.front());
  const size_t extra = words.size() - 1;
  switch (options.action) {
    case Action::Help:
      if (extra > 1) throw UsageError("unexpected argument '" + words[2] + "'");
      if (extra == 1) {
        actionNamed(words[1]);
        options.helpTopic = words[1];
      }
      break;
    case Action::Console:
      if (options.consoleFile && extra > 0)
        throw UsageError("console takes its SQL text or --file, not both ('" + words[1] + "')");
      if (!options.consoleFile && extra == 0)
        throw UsageError("console needs the SQL text to execute (or --file FILE, or - to read standard input)");
      if (extra > 1) throw UsageError("unexpected argument '" + words[2] + "'");
      if (extra == 1) {
        if (words[1] == "-") options.consoleFile = "-";
        else options.consoleText = words[1];
      }
      break;
    default:
      if (extra > 0) throw UsageError("unexpected argument '" + words[1] + "'");
  }
  if (options.consoleFile && options.action != Action::Console) throw UsageError("--file goes with the console action");
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

std::string usageText(std::string_view topic) {
  if (topic == "run")
    return R"(Usage: morav-update [run] [OPTIONS]

Upgrades the chosen product's database: resolves the target as the window does, connects and
runs the product's sequence of steps. Progress goes to standard error; --statement-log and
--report record every database call and sum the run up. Exit status: 0 completed, 1 failed,
2 bad usage, 3 cancelled (no target).
)";
  if (topic == "console")
    return R"(Usage: morav-update console [OPTIONS] SQL
       morav-update console [OPTIONS] --file FILE
       morav-update console [OPTIONS] -            (the text from standard input)

Executes one SQL text on the target database, as the window's console does, and prints the
console's success or error message. Options may stand before or after the text; after "--"
every argument is text, so a text may start with a dash. -f is short for --file.
)";
  if (topic == "assistant-setup")
    return R"(Usage: morav-update assistant-setup [OPTIONS]

Creates the BenvoAssistant catalog when it is missing and adds whatever tables and columns it
lacks, so a set-up that was cut short is completed by the next one.
)";
  if (topic == "plan" || topic == "check")
    return R"(Usage: morav-update plan [OPTIONS] [--format text|json]
       morav-update check [OPTIONS] [--format text|json]

plan lists every statement a run would send, grouped by step, without changing the target: the
run is tried on a copy of the catalog (or Access file), twice. '+' marks a pending change,
'=' what every run sends again (object re-installs, guarded statements), '!' a statement that
removes data, with the rows it would remove where they can be counted. A summary follows:
tables created, columns added, columns re-declared, objects installed.
check prints only what is pending; its exit status is 0 when nothing is, 4 when changes are
pending, 1 when the run would fail. Both work on the embedded engine's catalogs.
)";
  if (topic == "products")
    return R"(Usage: morav-update products

Lists the product codes with their product-list indexes, for --product.
)";
  if (topic == "help")
    return R"(Usage: morav-update help [ACTION]

Shows the whole usage, or what one action does and takes.
)";
  return R"(Usage: morav-update [ACTION] [OPTIONS]

Upgrades a Morav product's database to the shape its new version expects.

Actions:
  run                    upgrade the chosen product's database (the default)
  console SQL|-f FILE|-  execute one SQL text (given, from a file, or from standard input)
                         on the target database
  assistant-setup        create the BenvoAssistant catalog when it is missing and complete
                         its tables and columns
  plan                   what a run would send, by step, without changing the target: the run is
                         tried twice on a copy; destructive statements are marked with the rows
                         they would remove; a summary of what is pending
  check                  exit 0 when a run would change nothing that every run does not repeat,
                         4 when changes are pending (listed)
  products               list the product codes and list indexes
  help [ACTION]          show this text, or what one action does
Options may stand before or after the action; "--" ends them.

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
  --catalog NAME         SQL Server: this catalog instead of the product code's

Catalog reads (the statements sent are the same either way):
  --lean                 read the table list and each table's columns once, kept up to date
                         by the run's own changes (the default with --web)
  --faithful             read the catalog afresh before every change (the default otherwise)
  --batch                send the consecutive changes of a table step as one batch, one
                         round trip (SQL Server only; implies --lean)

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
  -f, --file FILE        console: the SQL text is the content of FILE ("-": standard input)
  --format table|csv|json  console, plan, check: for people or for scripts (the console's
                         result sets: a table on a terminal, CSV otherwise)

Many databases:
  --targets FILE         the action for each database the file names, one a line: a catalog
                         name, a hosted catalog suffix (with --web) or an Access file (with
                         --engine access); a summary table at the end, exit 1 when any failed
  -j, --jobs N           run N targets at a time (default 1), each on its own connections
  --output-dir DIR       each target's report, statement log and error output, and failed.txt
                         (the targets that failed, for a rerun); default FILE.runs

  --version              print the version and exit

Exit status: 0 completed, 1 failed, 2 bad usage, 3 cancelled, 4 changes pending (check).
)";
}

}  // namespace cli
