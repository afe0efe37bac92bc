#include "cli/Plan.h"

#include <stdlib.h>

#include <map>
#include <regex>

#include <nlohmann/json.hpp>

#include "app/Config.h"
#include "app/Resolution.h"
#include "app/RunDriver.h"
#include "app/Session.h"
#include "cli/TerminalPlatform.h"
#include "db/Backend.h"
#include "db/Error.h"
#include "db/Observer.h"

namespace cli {

namespace {

constexpr int kPending = 4;

const std::regex& pattern(Change c) {
  using std::regex;
  constexpr auto flags = regex::icase | regex::ECMAScript;
  static const regex createTable(R"(^\s*create\s+table\s)", flags);
  static const regex addColumn(R"(^\s*alter\s+table\s+\S+\s+add\s)", flags);
  static const regex alterColumn(R"(^\s*alter\s+table\s+\S+\s+alter\s+column\s)", flags);
  static const regex dropColumn(R"(^\s*alter\s+table\s+(\S+)\s+drop\s+column\s+(\S+))", flags);
  static const regex dropTable(R"(^\s*drop\s+table\s+(\S+))", flags);
  static const regex remove(R"(^\s*delete\s+(?:from\s+)?(\S+)(.*)$)", flags);
  static const regex object(R"(^\s*create\s+(?:view|function|procedure|proc|trigger)\s)", flags);
  static const regex none("$^");
  switch (c) {
    case Change::CreateTable: return createTable;
    case Change::AddColumn: return addColumn;
    case Change::AlterColumn: return alterColumn;
    case Change::DropColumn: return dropColumn;
    case Change::DropTable: return dropTable;
    case Change::Delete: return remove;
    case Change::Object: return object;
    case Change::None: break;
  }
  return none;
}

constexpr Change kChanges[] = {Change::CreateTable, Change::AddColumn,  Change::AlterColumn, Change::DropColumn,
                               Change::DropTable,   Change::Delete,     Change::Object};

// The platform of a trial run: its messages belong to the plan, not to the operator.
class TrialPlatform : public TerminalPlatform {
 public:
  using TerminalPlatform::TerminalPlatform;
  void showInformation(const std::string&) override {}
  void showError(const std::string&) override {}
};

// Every statement a run sends, with the step that sends it.
class StatementRecorder : public db::Observer {
 public:
  std::string step;
  std::vector<PlannedStatement> statements;
  void onCall(const db::Call& call) override {
    if (call.op == db::Op::Execute || call.op == db::Op::Query) statements.push_back({step, call.text, changeOf(call.text), false, std::nullopt});
  }
  void onError(const db::Call&, const db::Error&) override {}
};

struct Pass {
  std::vector<PlannedStatement> statements;
  app::Outcome outcome;
  std::string lastStep;
};

Pass runPass(const Options& options, const app::Config& config, const std::optional<std::filesystem::path>& accessFile) {
  TrialPlatform platform(accessFile);
  app::Session session(platform, config);
  session.choices = options.choices;
  if (options.product) options.product->applyTo(session.choices, session.state);
  session.reportRunWithoutSteps = true;
  StatementRecorder recorder;
  session.addObserver(&recorder);
  session.onStep = [&](int, int, const std::string& name) { recorder.step = name; };
  Pass pass;
  pass.outcome = app::runUpgrade(session);
  session.removeObserver(&recorder);
  pass.statements = std::move(recorder.statements);
  pass.lastStep = recorder.step;
  return pass;
}

// A directory of its own for the copies, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/morav-plan-XXXXXX";
    if (!mkdtemp(templ.data())) throw db::Error("EInOutError", "Cannot make a scratch directory for the plan in " + templ);
    path_ = templ;
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The rows a destructive statement would remove, counted on an untouched copy of the target.
std::optional<long long> rowsRemovedBy(const PlannedStatement& s, db::Connection& target) {
  std::smatch m;
  std::string count;
  if (s.change == Change::DropTable && std::regex_search(s.text, m, pattern(Change::DropTable)))
    count = "select count(*) from " + m[1].str();
  else if (s.change == Change::DropColumn && std::regex_search(s.text, m, pattern(Change::DropColumn)))
    count = "select count(*) from " + m[1].str() + " where " + m[2].str() + " is not null";
  else if (s.change == Change::Delete && std::regex_search(s.text, m, pattern(Change::Delete)))
    count = "select count(*) from " + m[1].str() + m[2].str();
  if (count.empty()) return std::nullopt;
  try {
    const db::Rows rows = target.query({count}, {}, db::QueryMode::Open);
    if (rows.values.empty() || !rows.values.front().front()) return std::nullopt;
    return std::stoll(*rows.values.front().front());
  } catch (const std::exception&) {
    return std::nullopt;  // the table or column is not there yet: the run makes it first
  }
}

const char* changeName(Change c) {
  switch (c) {
    case Change::CreateTable: return "create table";
    case Change::AddColumn: return "add column";
    case Change::AlterColumn: return "re-declare column";
    case Change::DropColumn: return "drop column";
    case Change::DropTable: return "drop table";
    case Change::Delete: return "delete rows";
    case Change::Object: return "install object";
    case Change::None: break;
  }
  return "statement";
}

}  // namespace

Change changeOf(std::string_view statement) {
  const std::string text(statement);
  for (Change c : kChanges)
    if (std::regex_search(text, pattern(c))) return c;
  return Change::None;
}

long long Plan::pending() const {
  long long n = 0;
  for (const PlannedStatement& s : statements) n += s.repeats ? 0 : 1;
  return n;
}

int runPlan(const Options& options, bool checkOnly, std::ostream& out, std::ostream& err) {
  TerminalPlatform platform(options.accessFile);
  const app::Config config = app::Config::load(platform.executableDirectory(), options.backend);

  // The target as the run would resolve it.
  std::string connectionString;
  {
    app::Session probe(platform, config);
    probe.choices = options.choices;
    if (options.product) options.product->applyTo(probe.choices, probe.state);
    app::resolveTarget(probe);
    if (probe.state.cancelRun) {
      err << "morav-update: cancelled: there is no target (the Oracle engine, or an Access engine without "
             "--access-file)\n";
      return 3;
    }
    connectionString = probe.state.connectionString;
  }

  ScratchDir scratch;
  std::filesystem::create_directories(scratch.path() / "run");
  std::filesystem::create_directories(scratch.path() / "now");
  const db::TargetCopy copy = db::copyTarget(config.backend, connectionString, scratch.path() / "run");
  const db::TargetCopy untouched = db::copyTarget(config.backend, connectionString, scratch.path() / "now");
  app::Config trialConfig = config;
  trialConfig.backend = copy.config;

  Plan plan;
  const Pass first = runPass(options, trialConfig, copy.accessFile);
  plan.statements = first.statements;
  if (first.outcome.status == app::Outcome::Status::Failed) {
    plan.failure = first.outcome.error;
    plan.failedStep = first.lastStep;
  } else {
    // What the next run sends again is what every run repeats (guards, object re-installs).
    const Pass second = runPass(options, trialConfig, copy.accessFile);
    std::multimap<std::pair<std::string, std::string>, int> again;
    for (const PlannedStatement& s : second.statements) again.insert({{s.step, s.text}, 0});
    for (PlannedStatement& s : plan.statements) {
      const auto it = again.find({s.step, s.text});
      if (it == again.end()) continue;
      s.repeats = true;
      again.erase(it);
    }
  }

  TrialPlatform quiet(untouched.accessFile);
  app::Session counting(quiet, [&] {
    app::Config c = config;
    c.backend = untouched.config;
    return c;
  }());
  counting.choices = options.choices;
  if (options.product) options.product->applyTo(counting.choices, counting.state);
  app::resolveTarget(counting);
  try {
    db::Connection& target = counting.mainConnection();
    target.open(counting.state.connectionString);
    for (PlannedStatement& s : plan.statements)
      if (isDestructive(s.change)) s.rows = rowsRemovedBy(s, target);
    target.close();
  } catch (const db::Error&) {
    // Counting is a courtesy; the plan stands without it.
  }

  printPlan(plan, checkOnly, options.format == Options::Format::Json, out);
  if (plan.failure) return 1;
  return checkOnly && plan.pending() > 0 ? kPending : 0;
}

void printPlan(const Plan& plan, bool checkOnly, bool json, std::ostream& out) {
  std::map<Change, long long> counts;
  long long destructive = 0;
  for (const PlannedStatement& s : plan.statements) {
    if (s.repeats) continue;
    ++counts[s.change];
    destructive += isDestructive(s.change) ? 1 : 0;
  }
  if (json) {
    nlohmann::ordered_json doc;
    doc["pending"] = plan.pending();
    doc["summary"] = {{"tables_created", counts[Change::CreateTable]},
                      {"columns_added", counts[Change::AddColumn]},
                      {"columns_redeclared", counts[Change::AlterColumn]},
                      {"objects_installed", counts[Change::Object]},
                      {"destructive", destructive}};
    doc["failure"] = plan.failure ? nlohmann::ordered_json{{"step", plan.failedStep}, {"message", plan.failure->message}}
                                  : nlohmann::ordered_json(nullptr);
    nlohmann::ordered_json steps = nlohmann::ordered_json::array();
    for (const PlannedStatement& s : plan.statements) {
      if (checkOnly && s.repeats) continue;
      if (steps.empty() || steps.back()["step"] != s.step) steps.push_back({{"step", s.step}, {"statements", nlohmann::ordered_json::array()}});
      nlohmann::ordered_json entry = {{"text", s.text}, {"change", changeName(s.change)}, {"repeats", s.repeats},
                                      {"destructive", isDestructive(s.change)}};
      if (s.rows) entry["rows"] = *s.rows;
      steps.back()["statements"].push_back(entry);
    }
    doc["steps"] = steps;
    out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return;
  }
  std::string step = "\x01";
  for (const PlannedStatement& s : plan.statements) {
    if (checkOnly && s.repeats) continue;
    if (s.step != step) {
      step = s.step;
      out << "== " << (step.empty() ? "(before the first step)" : step) << '\n';
    }
    out << (isDestructive(s.change) ? "  ! " : s.repeats ? "  = " : "  + ") << s.text;
    if (isDestructive(s.change))
      out << "    [" << changeName(s.change) << (s.rows ? ", " + std::to_string(*s.rows) + " rows now" : std::string()) << "]";
    out << '\n';
  }
  if (plan.failure) out << "The run would stop at " << plan.failedStep << ": " << plan.failure->message << '\n';
  out << "Pending: " << plan.pending() << " statements (" << counts[Change::CreateTable] << " tables created, "
      << counts[Change::AddColumn] << " columns added, " << counts[Change::AlterColumn] << " columns re-declared, "
      << counts[Change::Object] << " objects installed, " << destructive << " destructive)";
  if (!checkOnly) out << "; '+' pending, '=' sent by every run, '!' removes data";
  out << ".\n";
}

}  // namespace cli
