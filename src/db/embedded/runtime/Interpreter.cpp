#include "db/embedded/runtime/Interpreter.h"

#include <algorithm>
#include <array>

#include "db/Text.h"
#include "db/embedded/Refusals.h"
#include "db/embedded/runtime/Modules.h"
#include "db/embedded/runtime/RuntimeRefusals.h"
#include "db/embedded/syntax/Parser.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded::runtime {

namespace {

using namespace syntax;

// How a variable's value is bound to the statements that read it.
Affinity affinityOfType(const TypeName& typeName) {
  TypeRef ref;
  ref.name = typeName.name.object();
  ref.args = typeName.arguments;
  ref.written = typeName.text;
  TypeProblem problem{};
  const auto type = resolveType(ref, Dialect::SqlServer, problem);
  if (!type) throw refusalsFor(Dialect::SqlServer).unknownType(1, ref.name);
  return type->affinity;
}

Affinity affinityOfDeclared(const VariableDeclaration& v) { return v.type ? affinityOfType(*v.type) : Affinity::Text; }

// The globals the interpreter keeps for its batch, as the server does for its session.
constexpr std::array<std::string_view, 4> kSessionGlobals = {"@@rowcount", "@@error", "@@trancount",
                                                             "@@fetch_status"};

bool isSessionGlobal(std::string_view name) {
  return std::find(kSessionGlobals.begin(), kSessionGlobals.end(), asciiLower(name)) != kSessionGlobals.end();
}

bool startsStatement(const std::vector<Token>& tokens, size_t i) { return i == 0 || tokens[i - 1].isSymbol(";"); }

// `select @a = x, @b = y from ...` -> the query with its assignments taken out, as text.
std::string withoutAssignments(std::string_view batch, const SelectSpec& select, const SourceSpan& whole) {
  std::string text;
  size_t at = whole.begin;
  for (const SelectItem& item : select.items) {
    if (item.kind != SelectItemKind::Assignment) continue;
    text += batch.substr(at, item.span.begin - at);
    text += item.expression->span.textIn(batch);
    at = item.span.end;
  }
  return text + std::string(batch.substr(at, whole.end - at));
}

// The numbering idiom `SET @v = column = @v + step`: the step, when the value has that shape.
const Expression* numberingStep(const SetClause& clause) {
  if (clause.variable.empty() || clause.column.empty() || clause.op != "=") return nullptr;
  if (clause.value->kind != ExpressionKind::Binary) return nullptr;
  const auto& sum = clause.value->as<Binary>();
  if (sum.op != BinaryOp::Add || sum.left->kind != ExpressionKind::Variable) return nullptr;
  if (!equalsAsciiNoCase(sum.left->as<VariableRef>().name, clause.variable)) return nullptr;
  return sum.right.get();
}

}  // namespace

Interpreter::Interpreter(Executor& executor, Modules* modules)
    : executor_(executor),
      modules_(modules),
      transactions_(executor.database()),
      errorFunctions_(executor.database(), [this] { return transactions_.state(); }) {}

Interpreter::~Interpreter() = default;

bool Interpreter::isNeededFor(std::string_view batch) {
  std::vector<Token> tokens;
  try {
    tokens = tokenize(batch, Dialect::SqlServer);
  } catch (const Error&) {
    return false;  // the executor words the refusal
  }
  // Reserved words that only procedural statements use (and sp_executesql, which runs a text).
  static constexpr std::array<std::string_view, 22> kProcedural = {
      "if",       "while",    "declare", "print", "return",     "begin",      "continue",
      "break",    "commit",   "rollback", "save", "tran",       "transaction", "raiserror",
      "throw",    "open",     "fetch",   "close", "deallocate", "sp_executesql", "exec", "execute"};
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind == TokenKind::Variable && (t.text.rfind("@@", 0) != 0 || isSessionGlobal(t.text))) return true;
    if (t.kind != TokenKind::Word) continue;
    for (std::string_view word : kProcedural)
      if (t.isWord(word)) return true;
    if (t.isWord("set") && startsStatement(tokens, i)) return true;
    // EXEC ('...'): a text run as a batch
    if ((t.isWord("exec") || t.isWord("execute")) && i + 1 < tokens.size() && tokens[i + 1].isSymbol("(")) return true;
  }
  return false;
}

std::optional<Rows> Interpreter::run(std::string_view batch, const Params& params, bool wantRows) {
  results_ = nullptr;
  wantRows_ = wantRows;
  runBatch(batch, params);
  return std::move(rows_);
}

void Interpreter::run(std::string_view batch, const Params& params, Results& results) {
  results_ = &results;
  wantRows_ = false;
  try {
    runBatch(batch, params);
  } catch (...) {
    results_ = nullptr;
    throw;
  }
  results_ = nullptr;
}

void Interpreter::runBatch(std::string_view batch, const Params& params) {
  rows_.reset();
  firstError_.reset();
  tryDepth_ = 0;
  catchDepth_ = 0;
  const Batch tree = parseBatch(batch);
  batch_ = tree.text;
  callerParams_ = params;
  resetVariables();
  // What the executor would refuse is refused before anything runs, as the server compiles the
  // whole batch first; variables are known from their DECLARE on, in the order of the text.
  check(tree.statements);
  resetVariables();
  try {
    runList(tree.statements);
  } catch (const BatchEnded&) {
    // reported where it arose
  } catch (const Error& e) {
    if (!firstError_) firstError_ = e;
  }
  cursors_.endBatch();
  // An uncommittable transaction does not outlive its batch.
  if (transactions_.state() == -1) {
    transactions_.rollbackAll();
    const Error ended = refuse::uncommittableAtEndOfBatch();
    report(messageOf(describe(ended, 1)));
    if (!firstError_) firstError_ = ended;
  }
  if (firstError_) throw *firstError_;
}

void Interpreter::resetVariables() {
  variables_.clear();
  declared_.clear();
  for (std::string_view global : kSessionGlobals) {
    declared_[std::string(global)] = Affinity::Integer;
    variables_[std::string(global)] = {"int", "0"};
  }
}

// @@ROWCOUNT and @@ERROR after a statement: what it changed or returned, and its error number.
void Interpreter::afterStatement(std::int64_t rows, int error) {
  variables_["@@rowcount"].value = std::to_string(rows);
  variables_["@@error"].value = std::to_string(error);
}

// ---- Checking ----------------------------------------------------------------------------

void Interpreter::check(const syntax::StatementList& statements) {
  for (const StatementPtr& s : statements) check(*s);
}

void Interpreter::check(const syntax::Statement& s) {
  const auto checkValue = [&](const Expression* e) {
    if (e) checkText("select " + textOf(e->span));
  };
  switch (s.kind) {
    case StatementKind::Declare:
      for (const VariableDeclaration& v : s.as<DeclareStatement>().variables) {
        if (v.table) throw refusalsFor(Dialect::SqlServer).notSupported("table variables");
        checkValue(v.initialValue.get());
        declared_[asciiLower(v.name)] = affinityOfDeclared(v);
      }
      return;
    case StatementKind::SetVariable: {
      const auto& set = s.as<SetVariableStatement>();
      if (!declared_.count(asciiLower(set.variable))) throw refusalsFor(Dialect::SqlServer).undeclaredVariable(set.variable);
      checkValue(set.value.get());
      return;
    }
    case StatementKind::If: {
      const auto& i = s.as<IfStatement>();
      checkValue(i.condition.get());
      check(*i.then);
      if (i.otherwise) check(*i.otherwise);
      return;
    }
    case StatementKind::While:
      checkValue(s.as<WhileStatement>().condition.get());
      check(*s.as<WhileStatement>().body);
      return;
    case StatementKind::Block: check(s.as<BlockStatement>().statements); return;
    case StatementKind::Print: checkValue(s.as<PrintStatement>().value.get()); return;
    case StatementKind::Return:
      if (s.as<ReturnStatement>().value && !inModule_)
        throw refusalsFor(Dialect::SqlServer).notSupported("RETURN with a value in a batch");
      checkValue(s.as<ReturnStatement>().value.get());
      return;
    case StatementKind::Break:
    case StatementKind::Continue:
    case StatementKind::SetOption: return;
    case StatementKind::Select: {
      const auto& query = *s.as<SelectStatement>().query;
      if (query.body->kind == QueryExpressionKind::Select) {
        const auto& select = static_cast<const SelectSpec&>(*query.body);
        for (const SelectItem& item : select.items) {
          if (item.kind != SelectItemKind::Assignment) continue;
          if (!declared_.count(asciiLower(item.variable)))
            throw refusalsFor(Dialect::SqlServer).undeclaredVariable(item.variable);
        }
        if (std::any_of(select.items.begin(), select.items.end(),
                        [](const SelectItem& i) { return i.kind == SelectItemKind::Assignment; })) {
          checkText(withoutAssignments(batch_, select, s.span));
          return;
        }
      }
      break;
    }
    case StatementKind::Update: {
      const auto& update = s.as<UpdateStatement>();
      const bool assigns = std::any_of(update.set.begin(), update.set.end(),
                                       [](const SetClause& c) { return !c.variable.empty(); });
      if (!assigns) break;
      if (update.set.size() != 1 || !numberingStep(update.set.front()) || !update.from.empty() || update.top)
        throw refusalsFor(Dialect::SqlServer).notSupported("this assignment of a variable in UPDATE ... SET");
      if (!declared_.count(asciiLower(update.set.front().variable)))
        throw refusalsFor(Dialect::SqlServer).undeclaredVariable(update.set.front().variable);
      checkValue(numberingStep(update.set.front()));
      return;
    }
    case StatementKind::TryCatch:
    case StatementKind::Raiserror:
    case StatementKind::Throw:
    case StatementKind::BeginTransaction:
    case StatementKind::Commit:
    case StatementKind::Rollback:
    case StatementKind::SaveTransaction:
    case StatementKind::DeclareCursor:
    case StatementKind::OpenCursor:
    case StatementKind::Fetch:
    case StatementKind::CloseCursor:
    case StatementKind::DeallocateCursor:
    case StatementKind::ExecuteString: checkProcedural(s); return;
    case StatementKind::Execute: {
      if (runsText(s.as<ExecuteStatement>())) {
        checkProcedural(s);
        return;
      }
      const auto& exec = s.as<ExecuteStatement>();
      if (!exec.returnVariable.empty() && !declared_.count(asciiLower(exec.returnVariable)))
        throw refusalsFor(Dialect::SqlServer).undeclaredVariable(exec.returnVariable);
      for (const ExecuteArgument& argument : exec.arguments) {
        if (!argument.value || argument.value->kind != ExpressionKind::Variable) continue;
        const auto& name = argument.value->as<VariableRef>().name;
        if (!argument.value->as<VariableRef>().isGlobal() && !declared_.count(asciiLower(name)))
          throw refusalsFor(Dialect::SqlServer).undeclaredVariable(name);
      }
      if (!modules_) break;
      return;
    }
    default: break;
  }
  checkText(textOf(s.span));
}

void Interpreter::checkText(const std::string& text) {
  if (binding_) {
    executor_.bind(text, &declared_);
  } else {
    executor_.check(text, &declared_);
  }
}

// ---- Running -----------------------------------------------------------------------------

Interpreter::Flow Interpreter::runList(const syntax::StatementList& statements) {
  for (const StatementPtr& s : statements) {
    const Flow flow = runStatement(*s);
    if (flow != Flow::Next) return flow;
  }
  return Flow::Next;
}

Interpreter::Flow Interpreter::runStatement(const syntax::Statement& s) {
  try {
    if (const auto flow = runProcedural(s)) return *flow;
    switch (s.kind) {
      case StatementKind::Declare: declare(s.as<DeclareStatement>()); return Flow::Next;
      case StatementKind::SetVariable:
        setVariable(s.as<SetVariableStatement>());
        afterStatement(1, 0);
        return Flow::Next;
      case StatementKind::If: {
        const auto& i = s.as<IfStatement>();
        if (isTrue(*i.condition)) return runStatement(*i.then);
        return i.otherwise ? runStatement(*i.otherwise) : Flow::Next;
      }
      case StatementKind::While: {
        const auto& w = s.as<WhileStatement>();
        while (isTrue(*w.condition)) {
          const Flow flow = runStatement(*w.body);
          if (flow == Flow::Break) break;
          if (flow == Flow::Return) return flow;
        }
        return Flow::Next;
      }
      case StatementKind::Block: return runList(s.as<BlockStatement>().statements);
      case StatementKind::Break: return Flow::Break;
      case StatementKind::Continue: return Flow::Continue;
      case StatementKind::Return:
        if (const auto& value = s.as<ReturnStatement>().value) {
          const std::string text = textOf(value->span);
          returned_ = evaluate(returnType_.empty() ? text : "CAST((" + text + ") AS " + returnType_ + ")");
        }
        return Flow::Return;
      case StatementKind::Execute:
        if (modules_) {
          auto rows = modules_->execute(*this, s.as<ExecuteStatement>(), !results_ && wantRows_ && !rows_);
          if (rows && !rows_) rows_ = std::move(rows);
          return Flow::Next;
        }
        handOn(s);
        return Flow::Next;
      case StatementKind::Select: {
        const auto& query = *s.as<SelectStatement>().query;
        if (query.body->kind == QueryExpressionKind::Select) {
          const auto& select = static_cast<const SelectSpec&>(*query.body);
          if (std::any_of(select.items.begin(), select.items.end(),
                          [](const SelectItem& i) { return i.kind == SelectItemKind::Assignment; })) {
            assignFromSelect(s.as<SelectStatement>());
            afterStatement(executor_.rowsAffected(), 0);
            return Flow::Next;
          }
        }
        handOn(s);
        return Flow::Next;
      }
      case StatementKind::Update:
        if (!s.as<UpdateStatement>().set.front().variable.empty()) {
          numberRows(s.as<UpdateStatement>());
          return Flow::Next;
        }
        handOn(s);
        return Flow::Next;
      default: handOn(s); return Flow::Next;
    }
  } catch (const Error& e) {
    return onError(e, s);
  }
}

void Interpreter::declare(const DeclareStatement& s) {
  for (const VariableDeclaration& v : s.variables) {
    const std::string name = asciiLower(v.name);
    declared_[name] = affinityOfDeclared(v);
    variables_[name] = {v.type ? v.type->text : std::string(), std::nullopt};
    if (v.initialValue) assign(v.name, "=", *v.initialValue);
  }
}

void Interpreter::setVariable(const SetVariableStatement& s) { assign(s.variable, s.op, *s.value); }

void Interpreter::assign(const std::string& name, const std::string& op, const Expression& value) {
  Variable& target = variable(name);
  if (op == "=") {
    target.value = valueOf(value);
    return;
  }
  // @v += x is @v = @v + x, with the operator's own typing.
  const std::string text = "select " + name + " " + op.substr(0, op.size() - 1) + " (" + textOf(value.span) + ")";
  const auto rows = execute(text, true);
  target.value = rows && !rows->values.empty() ? rows->values.front().front() : std::nullopt;
}

void Interpreter::assignFromSelect(const SelectStatement& s) {
  const auto& select = static_cast<const SelectSpec&>(*s.query->body);
  const auto rows = execute(withoutAssignments(batch_, select, s.span), true);
  // Every row assigns in turn: the last one's values remain; no row leaves the variables.
  if (!rows || rows->values.empty()) return;
  const auto& last = rows->values.back();
  size_t column = 0;
  for (const SelectItem& item : select.items) {
    if (item.kind == SelectItemKind::Assignment) variable(item.variable).value = last.at(column);
    ++column;
  }
}

// UPDATE t SET @v = col = @v + step WHERE ...: the rows that qualify get @v + step, @v + 2 step,
// ... in the table's order, and @v keeps the last; one statement, as the server runs it.
void Interpreter::numberRows(const UpdateStatement& s) {
  const SetClause& clause = s.set.front();
  const std::string table = textOf(s.target.span);
  const std::string correlation = "[" + s.target.name.object() + "]";
  const std::string where = s.where ? " WHERE " + textOf(s.where->span) : std::string();
  const std::string column = "[" + clause.column.back().value + "]";
  const std::string step = "(" + textOf(numberingStep(clause)->span) + ")";
  // Counted first: the update changes what the condition finds.
  const auto counted = execute("select count(*) from " + table + where, true);
  const std::string rows =
      counted && !counted->values.empty() && counted->values.front().front() ? *counted->values.front().front() : "0";
  execute("UPDATE " + table + " SET " + column + " = " + clause.variable + " + " + step +
              " * __numbered.rn FROM (SELECT _rowid_ AS rid, ROW_NUMBER() OVER (ORDER BY _rowid_) AS rn FROM " + table +
              where + ") AS __numbered WHERE " + correlation + "._rowid_ = __numbered.rid",
          false);
  if (rows != "0") {
    const auto last = execute("select " + clause.variable + " + " + step + " * " + rows, true);
    variable(clause.variable).value = last && !last->values.empty() ? last->values.front().front() : std::nullopt;
  }
  afterStatement(std::stoll(rows), 0);
}

void Interpreter::handOn(const syntax::Statement& s) {
  auto rows = execute(textOf(s.span), results_ || (wantRows_ && !rows_));
  afterStatement(executor_.rowsAffected(), 0);
  // A module created with a call of a procedure not made yet: the server's warning (2007).
  if (modules_)
    for (std::string& text : modules_->takeMessages()) report(Message{2007, 10, 1, 0, {}, std::move(text)});
  if (results_) {
    // A result set, and the rows a query returned or a change touched, as the server counts them.
    if (rows) {
      results_->addRows(rows->columns, rows->values);
      reportCount(static_cast<std::int64_t>(rows->size()));
    } else if (s.kind == StatementKind::Insert || s.kind == StatementKind::Update || s.kind == StatementKind::Delete) {
      reportCount(executor_.rowsAffected());
    }
    return;
  }
  if (rows && !rows_) rows_ = std::move(rows);
}

std::optional<Rows> Interpreter::execute(const std::string& text, bool wantRows) {
  variables_["@@trancount"].value = std::to_string(transactions_.count());
  variables_["@@fetch_status"].value = std::to_string(fetchStatus_);
  Params params = callerParams_;
  for (const auto& [name, v] : variables_)
    if (v.value) params[variableParameter(name)] = *v.value;
  return executor_.run(text, params, wantRows, &declared_);
}

bool Interpreter::isTrue(const Expression& condition) {
  const auto rows = execute("select case when " + textOf(condition.span) + " then 1 else 0 end", true);
  return rows && !rows->values.empty() && rows->values.front().front() == std::optional<std::string>("1");
}

std::optional<std::string> Interpreter::valueOf(const Expression& expression) {
  const auto rows = execute("select " + textOf(expression.span), true);
  if (!rows || rows->values.empty() || rows->values.front().empty()) return std::nullopt;
  return rows->values.front().front();
}

// ---- Modules -----------------------------------------------------------------------------

void Interpreter::bindParameters(const std::vector<Parameter>& parameters) {
  for (const Parameter& p : parameters) {
    const std::string name = asciiLower(p.name);
    declared_[name] = p.type ? affinityOfType(*p.type) : Affinity::Text;
    variables_[name] = {p.type ? p.type->text : std::string(), p.value};
  }
}

void Interpreter::checkModule(std::string_view text, const StatementList& body, const std::vector<Parameter>& parameters) {
  batch_ = text;
  inModule_ = true;
  binding_ = true;
  resetVariables();
  bindParameters(parameters);
  check(body);
}

Interpreter::Outcome Interpreter::runModule(std::string_view text, const StatementList& body,
                                            const std::vector<Parameter>& parameters, bool wantRows,
                                            const std::string& returnType, Results* results) {
  batch_ = text;
  inModule_ = true;
  wantRows_ = wantRows;
  results_ = results;
  returnType_ = returnType;
  rows_.reset();
  returned_.reset();
  firstError_.reset();
  resetVariables();
  bindParameters(parameters);
  // Checked when it was created; what changed since (a missing table, a dropped column) is
  // refused by the statement that meets it.
  try {
    runList(body);
  } catch (const BatchEnded&) {
    // reported where it arose
  } catch (const Error& e) {
    if (!firstError_) firstError_ = e;
  }
  cursors_.endBatch();
  if (firstError_) throw *firstError_;
  Outcome outcome;
  outcome.returned = std::move(returned_);
  outcome.rows = std::move(rows_);
  for (const auto& [name, v] : variables_) outcome.values[name] = v.value;
  return outcome;
}

std::optional<std::string> Interpreter::evaluate(const std::string& expression) {
  const auto rows = execute("select " + expression, true);
  if (!rows || rows->values.empty() || rows->values.front().empty()) return std::nullopt;
  return rows->values.front().front();
}

void Interpreter::assignValue(const std::string& name, std::optional<std::string> value) {
  variable(name).value = std::move(value);
}

std::string Interpreter::textOf(const SourceSpan& span) const { return std::string(span.textIn(batch_)); }

Interpreter::Variable& Interpreter::variable(const std::string& name) {
  auto it = variables_.find(asciiLower(name));
  if (it == variables_.end()) throw refusalsFor(Dialect::SqlServer).undeclaredVariable(name);
  return it->second;
}

}  // namespace db::embedded::runtime
