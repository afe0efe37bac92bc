// morav-update: the updater for scripts and servers without a display. Everything it does is
// done by app::Session; this file turns the command line into choices and outcomes into
// output and an exit status.

#include <unistd.h>

#include <fstream>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "app/AssistantCatalog.h"
#include "app/Console.h"
#include "app/Products.h"
#include "app/RunDriver.h"
#include "app/RunReport.h"
#include "app/Session.h"
#include "app/StatementLog.h"
#include "cli/Options.h"
#include "cli/Plan.h"
#include "cli/ProgressBar.h"
#include "cli/ResultsOutput.h"
#include "cli/Targets.h"
#include "cli/TerminalPlatform.h"
#include "db/Error.h"

namespace {

enum ExitStatus { kCompleted = 0, kFailed = 1, kBadUsage = 2, kCancelled = 3 };

int exitStatusOf(const app::Outcome& outcome) {
  switch (outcome.status) {
    case app::Outcome::Status::Completed: return kCompleted;
    case app::Outcome::Status::Failed: return kFailed;
    case app::Outcome::Status::Cancelled: return kCancelled;
  }
  return kFailed;
}

void listProducts() {
  std::cout << "INDEX  CODE        PRODUCT\n";
  for (const app::Product& p : app::products())
    std::cout << std::left << std::setw(7) << (p.listIndex ? std::to_string(*p.listIndex) : "-") << std::setw(12)
              << p.code << p.description << '\n';
}

std::ofstream openOutput(const std::filesystem::path& file, const char* option) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out)
    throw db::Error("EInOutError", std::string("Cannot write ") + option + " file " + file.string() +
                                       ". Check that its folder exists and is writable.");
  return out;
}

// SQL Server's message 4060 says which catalog the login could not open, not what to do about
// it. Said also under --quiet: it is part of the failure.
void adviseOnMissingCatalog(const app::Outcome& outcome, const app::Config& config) {
  constexpr int kCannotOpenDatabase = 4060;
  if (!outcome.error || outcome.error->number != kCannotOpenDatabase) return;
  const std::string& message = outcome.error->message;
  if (message.find("requested by the login") == std::string::npos) return;  // not a missing catalog
  const size_t open = message.find('"');
  const size_t close = message.find('"', open + 1);
  const std::string catalog = open == std::string::npos || close == std::string::npos
                                  ? std::string("the target catalog")
                                  : message.substr(open, close - open + 1);
  if (config.backend.kind == db::BackendConfig::Kind::Embedded)
    std::cerr << "morav-update: the data directory " << config.backend.dataDir.string() << " has no catalog "
              << catalog << ". Run again with --create-database to create it, or check --data-dir if the "
              << "catalogs are in another directory.\n";
  else
    std::cerr << "morav-update: the server has no catalog " << catalog << ", or this login may not open it. Run "
              << "again with --create-database to create it, or check the server and the login.\n";
}

// console --file FILE, or "-" for standard input: the whole content is the command.
std::string readConsoleText(const std::filesystem::path& file) {
  std::ostringstream text;
  if (file == "-") {
    text << std::cin.rdbuf();
    return text.str();
  }
  std::ifstream in(file, std::ios::binary);
  if (!in)
    throw db::Error("EInOutError", "Cannot read the console's --file " + file.string() +
                                       ". Check that it exists and is readable.");
  text << in.rdbuf();
  return text.str();
}

int runEachTarget(const cli::Options& options, const std::vector<std::string>& args) {
  const std::vector<cli::Target> targets = cli::readTargets(*options.targetsFile);
  cli::TargetRunPlan plan;
  plan.program = std::filesystem::read_symlink("/proc/self/exe");
  plan.sharedArgs = cli::argumentsForEachTarget(args);
  plan.kind = options.choices.engine == app::Engine::Access ? cli::TargetKind::AccessFile
              : options.choices.web                         ? cli::TargetKind::WebSuffix
                                                            : cli::TargetKind::Catalog;
  plan.outputDir = options.outputDir.value_or(options.targetsFile->string() + ".runs");
  plan.jobs = options.jobs;
  if (!options.quiet)
    std::cerr << "morav-update: " << targets.size() << " targets, " << plan.jobs << " at a time; outputs in "
              << plan.outputDir.string() << '\n';
  return cli::runTargets(targets, plan, std::cout, std::cerr);
}

app::Outcome runConsole(app::Session& session, const cli::Options& options) {
  app::Outcome opened = app::openConsole(session);
  if (opened.status != app::Outcome::Status::Completed) return opened;
  // What the command returned comes before the console's own message.
  cli::ResultsFormat format = cli::ResultsFormat::Csv;
  if (options.format == cli::Options::Format::Json) format = cli::ResultsFormat::Json;
  else if (options.format == cli::Options::Format::Table ||
           (options.format == cli::Options::Format::Auto && isatty(STDOUT_FILENO) == 1))
    format = cli::ResultsFormat::Table;
  app::Outcome executed = app::executeConsoleText(session, options.consoleText, [&](const db::Results& results) {
    cli::printResults(results, format, std::cout, format == cli::ResultsFormat::Table ? std::cout : std::cerr);
  });
  if (executed.error) std::cerr << "morav-update: the console command failed: " << executed.error->message << '\n';
  return executed;
}

app::Outcome perform(const cli::Options& options, app::Session& session) {
  switch (options.action) {
    case cli::Options::Action::Console: return runConsole(session, options);
    case cli::Options::Action::AssistantSetup: return app::runAssistantSetup(session);
    default: return app::runUpgrade(session);
  }
}

int run(const cli::Options& options) {
  cli::TerminalPlatform platform(options.accessFile);
  const app::Config config = app::Config::load(platform.executableDirectory(), options.backend);
  if (!options.quiet) std::cerr << "morav-update: using the " << config.backend.describe() << '\n';

  // The outputs outlive the session that reports to them.
  std::ofstream logFile;
  std::unique_ptr<app::StatementLog> log;
  if (options.statementLog) {
    logFile = openOutput(*options.statementLog, "--statement-log");
    log = std::make_unique<app::StatementLog>(logFile);
  }
  std::ofstream reportFile;
  if (options.report) reportFile = openOutput(*options.report, "--report");
  app::RunReport report;

  app::Session session(platform, config);
  session.choices = options.choices;
  if (options.product) options.product->applyTo(session.choices, session.state);
  session.createMissingCatalog = options.createDatabase;
  session.reportRunWithoutSteps = true;
  if (!options.quiet) session.onTargetBusy = [](const std::string& message) { std::cerr << "morav-update: " << message << '\n'; };
  if (log) session.addObserver(log.get());
  session.addObserver(&report);

  std::unique_ptr<cli::ProgressBar> bar;
  if (!options.quiet) {
    bar = std::make_unique<cli::ProgressBar>(session.progress, std::cerr, isatty(STDERR_FILENO) == 1);
    platform.beforeOutput([&bar] { bar->interrupt(); });
    session.onStep = [&bar](int number, int count, const std::string& name) { bar->stepStarted(number, count, name); };
  }

  const app::Outcome outcome = perform(options, session);
  bar.reset();
  platform.beforeOutput({});

  adviseOnMissingCatalog(outcome, config);
  if (outcome.status == app::Outcome::Status::Cancelled && !options.quiet)
    std::cerr << "morav-update: cancelled: there is no target (the Oracle engine, or an Access engine without "
                 "--access-file)\n";
  // A product code or path that is not UTF-8 must not cost the report.
  if (options.report)
    reportFile << report.build(session, outcome).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
  return exitStatusOf(outcome);
}

}  // namespace

int main(int argc, char** argv) {
  cli::Options options;
  try {
    options = cli::parseOptions({argv + 1, argv + argc});
  } catch (const cli::UsageError& e) {
    std::cerr << "morav-update: " << e.what() << "\nTry 'morav-update help'.\n";
    return kBadUsage;
  }
  switch (options.action) {
    case cli::Options::Action::Help: std::cout << cli::usageText(options.helpTopic); return kCompleted;
    case cli::Options::Action::Version: std::cout << "morav-update " MORAV_VERSION "\n"; return kCompleted;
    case cli::Options::Action::Products: listProducts(); return kCompleted;
    default: break;
  }
  try {
    if (options.consoleFile) options.consoleText = readConsoleText(*options.consoleFile);
    if (options.targetsFile) return runEachTarget(options, {argv + 1, argv + argc});
    if (options.action == cli::Options::Action::Plan || options.action == cli::Options::Action::Check)
      return cli::runPlan(options, options.action == cli::Options::Action::Check, std::cout, std::cerr);
    return run(options);
  } catch (const db::Error& e) {
    std::cerr << "morav-update: " << e.message() << '\n';
  } catch (const std::exception& e) {
    std::cerr << "morav-update: " << e.what() << '\n';
  }
  return kFailed;
}
