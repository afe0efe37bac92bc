// The interpreter's procedural statements: TRY ... CATCH, RAISERROR, THROW, PRINT,
// transactions, SET NOCOUNT and XACT_ABORT, cursors, and dynamic SQL (EXEC (...) and
// sp_executesql), with the way errors travel through a batch as SQL Server has them.
#include <algorithm>

#include "db/Text.h"
#include "db/embedded/Refusals.h"
#include "db/embedded/runtime/Interpreter.h"
#include "db/embedded/runtime/RuntimeRefusals.h"
#include "db/embedded/syntax/Parser.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded::runtime {

namespace {

using namespace syntax;

// Statements that write: refused in a transaction an error left uncommittable (3930).
bool writes(StatementKind kind) {
  switch (kind) {
    case StatementKind::Insert:
    case StatementKind::Update:
    case StatementKind::Delete:
    case StatementKind::Truncate:
    case StatementKind::CreateTable:
    case StatementKind::AlterTable:
    case StatementKind::CreateIndex:
    case StatementKind::DropIndex:
    case StatementKind::DropObjects:
    case StatementKind::CreateView:
    case StatementKind::CreateFunction:
    case StatementKind::CreateProcedure:
    case StatementKind::CreateTrigger:
    case StatementKind::SaveTransaction: return true;
    default: return false;
  }
}

std::int64_t integerOf(const std::optional<std::string>& value, std::int64_t otherwise) {
  if (!value) return otherwise;
  try {
    return static_cast<std::int64_t>(std::stod(*value));
  } catch (const std::exception&) {
    return otherwise;
  }
}

// A transaction or savepoint name held by a variable counts its first 32 characters.
std::string first32(const std::string& name) {
  size_t chars = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    if ((static_cast<unsigned char>(name[i]) & 0xC0) != 0x80 && chars++ == 32) return name.substr(0, i);
  }
  return name;
}

std::string fetchDirection(FetchStatement::Direction d) {
  switch (d) {
    case FetchStatement::Direction::Next: return "NEXT";
    case FetchStatement::Direction::Prior: return "PRIOR";
    case FetchStatement::Direction::First: return "FIRST";
    case FetchStatement::Direction::Last: return "LAST";
    case FetchStatement::Direction::Absolute: return "ABSOLUTE";
    case FetchStatement::Direction::Relative: return "RELATIVE";
  }
  return "NEXT";
}

bool hasOption(const std::vector<std::string>& options, std::string_view option) {
  return std::any_of(options.begin(), options.end(), [&](const std::string& o) { return equalsAsciiNoCase(o, option); });
}

// sp_executesql's parameter list ("@a int, @b nvarchar(10) OUTPUT") as a DECLARE of its own,
// with the names of the OUTPUT parameters beside it.
struct ParameterList {
  syntax::Batch declaration;
  std::vector<std::string> outputs;  // lower-case names
};

ParameterList parseParameterList(const std::string& definitions) {
  ParameterList list;
  std::string text = "DECLARE " + definitions;
  const auto tokens = tokenize(text, Dialect::SqlServer);
  std::string variable;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::Variable) variable = asciiLower(t.text);
    if (t.isWord("output") || t.isWord("out")) {
      list.outputs.push_back(variable);
      std::fill(text.begin() + static_cast<std::ptrdiff_t>(t.begin), text.begin() + static_cast<std::ptrdiff_t>(t.end),
                ' ');
    }
  }
  list.declaration = parseBatch(text);
  return list;
}

}  // namespace

bool Interpreter::runsText(const ExecuteStatement& s) {
  return !s.procedure.empty() && equalsAsciiNoCase(s.procedure.object(), "sp_executesql");
}

// ---- Checking ----------------------------------------------------------------------------

void Interpreter::checkProcedural(const syntax::Statement& s) {
  const auto checkValue = [&](const Expression* e) {
    if (e) executor_.check("select " + textOf(e->span), &declared_);
  };
  const auto checkCursorName = [&](const Identifier& cursor) {
    if (!cursor.value.empty() && cursor.value.front() == '@')
      throw refusalsFor(Dialect::SqlServer).notSupported("cursor variables");
  };
  switch (s.kind) {
    case StatementKind::TryCatch: {
      const auto& t = s.as<TryCatchStatement>();
      check(t.tryStatements);
      ++catchDepth_;
      check(t.catchStatements);
      --catchDepth_;
      return;
    }
    case StatementKind::Raiserror: {
      const auto& r = s.as<RaiserrorStatement>();
      for (const Expression* e : {r.message.get(), r.severity.get(), r.state.get()}) checkValue(e);
      for (const ExpressionPtr& a : r.arguments) checkValue(a.get());
      return;
    }
    case StatementKind::Throw: {
      const auto& t = s.as<ThrowStatement>();
      // A THROW without arguments re-raises the error of the CATCH block it is written in.
      if (!t.number && catchDepth_ == 0) throw refuse::rethrowOutsideCatch();
      for (const Expression* e : {t.number.get(), t.message.get(), t.state.get()}) checkValue(e);
      return;
    }
    case StatementKind::DeclareCursor:
      executor_.check(textOf(s.as<DeclareCursorStatement>().query->span), &declared_);
      return;
    case StatementKind::OpenCursor:
    case StatementKind::CloseCursor:
    case StatementKind::DeallocateCursor: checkCursorName(s.as<CursorStatement>().cursor); return;
    case StatementKind::Fetch: {
      const auto& f = s.as<FetchStatement>();
      checkCursorName(f.cursor);
      checkValue(f.offset.get());
      for (const std::string& v : f.into)
        if (!declared_.count(asciiLower(v))) throw refusalsFor(Dialect::SqlServer).undeclaredVariable(v);
      return;
    }
    case StatementKind::ExecuteString:
      for (const ExpressionPtr& part : s.as<ExecuteStringStatement>().parts) checkValue(part.get());
      return;
    case StatementKind::Execute:
      for (const ExecuteArgument& a : s.as<ExecuteStatement>().arguments)
        if (a.value && a.value->kind != ExpressionKind::Default) checkValue(a.value.get());
      return;
    default: return;  // transactions: their names are read when they run
  }
}

// ---- Running -----------------------------------------------------------------------------

std::optional<Interpreter::Flow> Interpreter::runProcedural(const syntax::Statement& s) {
  if (transactions_.state() == -1 && writes(s.kind)) throw refuse::uncommittable();
  switch (s.kind) {
    case StatementKind::TryCatch: return tryCatch(s.as<TryCatchStatement>());
    case StatementKind::Raiserror: raiserror(s.as<RaiserrorStatement>()); return Flow::Next;
    case StatementKind::Throw: return throwError(s.as<ThrowStatement>());
    case StatementKind::Print: print(s.as<PrintStatement>()); return Flow::Next;
    case StatementKind::BeginTransaction:
    case StatementKind::Commit:
    case StatementKind::Rollback:
    case StatementKind::SaveTransaction: transaction(s.as<TransactionStatement>()); return Flow::Next;
    case StatementKind::SetOption: setOption(s.as<SetOptionStatement>()); return Flow::Next;
    case StatementKind::DeclareCursor: declareCursor(s.as<DeclareCursorStatement>()); return Flow::Next;
    case StatementKind::OpenCursor:
    case StatementKind::CloseCursor:
    case StatementKind::DeallocateCursor: cursorStatement(s.as<CursorStatement>()); return Flow::Next;
    case StatementKind::Fetch: fetch(s.as<FetchStatement>()); return Flow::Next;
    case StatementKind::ExecuteString: return executeString(s.as<ExecuteStringStatement>());
    case StatementKind::Execute:
      if (!runsText(s.as<ExecuteStatement>())) return std::nullopt;
      return executeSql(s.as<ExecuteStatement>());
    default: return std::nullopt;
  }
}

// Where an error goes, as SQL Server sends it: in a TRY block to its CATCH (an error that would
// have ended the batch, or any error under XACT_ABORT, leaves the transaction uncommittable);
// outside one to the caller, and then the batch goes on after the errors that end only their
// statement, and ends after any other. Under XACT_ABORT every error ends the batch and rolls
// the transaction back.
Interpreter::Flow Interpreter::onError(const Error& error, const syntax::Statement& statement,
                                       std::optional<ErrorInfo> known, Ends ends) {
  const ErrorInfo info = known ? *known : describe(error, statement.span.line);
  const bool endsStatement =
      ends == Ends::Statement || (ends == Ends::AsItsNumberSays && endsOnlyItsStatement(error));
  afterStatement(0, info.number);
  if (tryDepth_ > 0) {
    if (!endsStatement || transactions_.xactAbort) transactions_.doom();
    throw Caught{info};
  }
  report(messageOf(info));
  if (!firstError_) firstError_ = error;
  if (transactions_.xactAbort) {
    transactions_.rollbackAll();
    throw BatchEnded{};
  }
  if (endsStatement) return Flow::Next;
  throw BatchEnded{};
}

Interpreter::Flow Interpreter::tryCatch(const TryCatchStatement& s) {
  std::optional<ErrorInfo> caught;
  ++tryDepth_;
  try {
    const Flow flow = runList(s.tryStatements);
    --tryDepth_;
    return flow;
  } catch (Caught& c) {
    caught = std::move(c.error);
  } catch (...) {
    --tryDepth_;
    throw;
  }
  --tryDepth_;
  errorFunctions_.enter(*caught);
  try {
    const Flow flow = runList(s.catchStatements);
    errorFunctions_.leave();
    return flow;
  } catch (...) {
    errorFunctions_.leave();
    throw;
  }
}

// RAISERROR: severity 0 to 10 sends a message and goes on; 11 and above is an error, which goes
// to the CATCH block in a TRY block, and otherwise to the caller while the batch goes on
// (RAISERROR ends no batch and does not heed XACT_ABORT).
void Interpreter::raiserror(const RaiserrorStatement& s) {
  const int severity = static_cast<int>(std::clamp<std::int64_t>(integerOf(valueOf(*s.severity), 0), 0, 25));
  std::int64_t state = integerOf(valueOf(*s.state), 1);
  if (state < 0) state = 1;
  if (state > 255) state = 255;
  std::vector<std::optional<std::string>> arguments;
  for (const ExpressionPtr& a : s.arguments) arguments.push_back(valueOf(*a));
  if (severity > 18 && !hasOption(s.options, "LOG")) throw refuse::severityNeedsLog();

  std::int64_t number = 50000;
  std::string text;
  const Expression& message = *s.message;
  if (message.kind == ExpressionKind::Literal && message.as<Literal>().literalKind == LiteralKind::Integer) {
    // A message number: the engine has no sys.messages of user messages (no sp_addmessage).
    number = integerOf(message.as<Literal>().value, 0);
    if (number < 13000 || number == 50000) throw refuse::raiserrorNumberInvalid(number);
    throw refuse::noSuchMessage(number, severity, static_cast<int>(state));
  }
  text = formatRaised(valueOf(message).value_or(""), arguments);

  Error error = Error::provider(text, static_cast<int>(number));
  error.withSeverity(severity, static_cast<int>(state));
  const ErrorInfo info = describe(error, s.span.line);
  if (severity <= 10) {
    report(messageOf(info));
    afterStatement(0, hasOption(s.options, "SETERROR") ? info.number : 0);
    return;
  }
  afterStatement(0, info.number);
  if (tryDepth_ > 0) throw Caught{info};
  report(messageOf(info));
  if (!firstError_) firstError_ = error;
}

Interpreter::Flow Interpreter::throwError(const ThrowStatement& s) {
  if (!s.number) {
    const ErrorInfo* caught = errorFunctions_.current();
    if (!caught) throw refuse::rethrowOutsideCatch();  // a CATCH block of a caller's frame ended
    const ErrorInfo again = *caught;
    return onError(errorOf(again), s, again, Ends::Batch);
  }
  const std::int64_t number = integerOf(valueOf(*s.number), 0);
  if (number < 50000 || number > 2147483647) throw refuse::throwNumberOutOfRange(number);
  const std::int64_t state = std::clamp<std::int64_t>(integerOf(valueOf(*s.state), 1), 0, 255);
  Error error = Error::provider(valueOf(*s.message).value_or(""), static_cast<int>(number));
  error.withSeverity(16, static_cast<int>(state));
  return onError(error, s, {}, Ends::Batch);
}

void Interpreter::print(const PrintStatement& s) {
  Message m;
  m.line = s.span.line;
  m.text = valueOf(*s.value).value_or("");  // PRINT NULL prints an empty line
  report(std::move(m));
  afterStatement(0, 0);
}

void Interpreter::transaction(const TransactionStatement& s) {
  const std::string name = s.name.empty() ? std::string() : nameOrVariable(s.name);
  switch (s.kind) {
    case StatementKind::BeginTransaction: transactions_.begin(name); break;
    case StatementKind::Commit: transactions_.commit(); break;
    case StatementKind::Rollback: transactions_.rollback(name); break;
    default: transactions_.save(name); break;
  }
  afterStatement(0, 0);
}

std::string Interpreter::nameOrVariable(const std::string& written) {
  if (written.empty() || written.front() != '@') return written;
  return first32(variable(written).value.value_or(""));
}

void Interpreter::setOption(const SetOptionStatement& s) {
  const bool on = equalsAsciiNoCase(s.value, "on");
  if (!s.options.empty() && s.options.front() == "IDENTITY_INSERT") {
    executor_.setIdentityInsert(std::string(s.table.schema()), s.table.object(), on);
    afterStatement(0, 0);
    return;
  }
  for (const std::string& option : s.options) {
    if (equalsAsciiNoCase(option, "nocount")) noCount_ = on;
    if (equalsAsciiNoCase(option, "xact_abort")) transactions_.xactAbort = on;
  }
  // The other options have one behaviour in the engine's session.
  afterStatement(0, 0);
}

// ---- Cursors -----------------------------------------------------------------------------

void Interpreter::declareCursor(const DeclareCursorStatement& s) {
  Cursor cursor;
  cursor.name = s.name.value;
  cursor.query = textOf(s.query->span);
  cursor.local = hasOption(s.options, "LOCAL");
  // STATIC, KEYSET and DYNAMIC cursors scroll unless FORWARD_ONLY is said; the others do not.
  cursor.scrolls = hasOption(s.options, "SCROLL") ||
                   (!hasOption(s.options, "FORWARD_ONLY") &&
                    (hasOption(s.options, "STATIC") || hasOption(s.options, "KEYSET") || hasOption(s.options, "DYNAMIC")));
  // The variables its query reads keep the values they had when it was declared.
  cursor.variables = declared_;
  cursor.parameters = callerParams_;
  for (const auto& [name, v] : variables_)
    if (v.value) cursor.parameters[variableParameter(name)] = *v.value;
  cursors_.declare(std::move(cursor));
}

void Interpreter::cursorStatement(const CursorStatement& s) {
  Cursor& cursor = cursors_.find(s.cursor.value, s.global);
  switch (s.kind) {
    case StatementKind::OpenCursor: {
      if (cursor.open) throw refuse::cursorAlreadyOpen();
      auto rows = executor_.run(cursor.query, cursor.parameters, true, &cursor.variables);
      cursor.rows = rows ? std::move(*rows) : Rows{};
      cursor.open = true;
      cursor.at = -1;
      break;
    }
    case StatementKind::CloseCursor:
      if (!cursor.open) throw refuse::cursorNotOpen();
      cursor.open = false;
      cursor.rows = Rows{};
      break;
    default: cursors_.deallocate(s.cursor.value, s.global); break;
  }
  afterStatement(0, 0);
}

void Interpreter::fetch(const FetchStatement& s) {
  Cursor& cursor = cursors_.find(s.cursor.value, s.global);
  const std::int64_t offset = s.offset ? integerOf(valueOf(*s.offset), 0) : 0;
  if (cursor.open && !s.into.empty() && s.into.size() != cursor.rows.columns.size())
    throw refuse::fetchVariablesMismatch();
  const auto* row = Cursors::fetch(cursor, fetchDirection(s.direction), offset);
  fetchStatus_ = row ? 0 : -1;
  if (row && !s.into.empty()) {
    for (size_t i = 0; i < s.into.size(); ++i) variable(s.into[i]).value = (*row)[i];
  } else if (row) {  // without INTO the row is a result set of its own
    Rows one;
    one.columns = cursor.rows.columns;
    one.values.push_back(*row);
    if (results_) {
      results_->addRows(one.columns, one.values);
      reportCount(1);
    } else if (wantRows_ && !rows_) {
      rows_ = std::move(one);
    }
  }
  afterStatement(row ? 1 : 0, 0);
}

// ---- Dynamic SQL -------------------------------------------------------------------------

// EXEC ('...' + @s): the parts joined (a NULL part adds nothing) run as a batch of their own.
Interpreter::Flow Interpreter::executeString(const ExecuteStringStatement& s) {
  std::string text;
  for (const ExpressionPtr& part : s.parts) text += valueOf(*part).value_or("");
  std::vector<DynamicParameter> none;
  if (auto refused = runDynamic(text, none, nullptr)) return onError(*refused, s, {}, Ends::Statement);
  return Flow::Next;
}

// EXEC sp_executesql N'statement', N'@p int, @q int OUTPUT', @p = 1, @q = @x OUTPUT
Interpreter::Flow Interpreter::executeSql(const ExecuteStatement& s) {
  const auto& args = s.arguments;
  if (args.empty() || !args.front().value) return Flow::Next;
  const Expression& statement = *args.front().value;
  if (statement.kind == ExpressionKind::Literal && statement.as<Literal>().literalKind == LiteralKind::String &&
      !statement.as<Literal>().national)
    throw refuse::statementNotNational();
  const std::string text = valueOf(statement).value_or("");

  std::vector<DynamicParameter> parameters;
  std::optional<ParameterList> list;
  if (args.size() > 1 && args[1].value) {
    list = parseParameterList(valueOf(*args[1].value).value_or(""));
    for (const StatementPtr& d : list->declaration.statements)
      for (const VariableDeclaration& v : d->as<DeclareStatement>().variables) {
        DynamicParameter p;
        p.name = v.name;
        p.output = std::find(list->outputs.begin(), list->outputs.end(), asciiLower(v.name)) != list->outputs.end();
        parameters.push_back(std::move(p));
      }
  }
  // The values: by position, then by name.
  size_t position = 0;
  for (size_t i = 2; i < args.size(); ++i) {
    const ExecuteArgument& a = args[i];
    DynamicParameter* target = nullptr;
    if (a.parameter.empty()) {
      if (position < parameters.size()) target = &parameters[position++];
    } else {
      for (DynamicParameter& p : parameters)
        if (equalsAsciiNoCase(p.name, a.parameter)) target = &p;
    }
    if (!target) throw refuse::tooManyArguments("sp_executesql");
    if (a.value && a.value->kind != ExpressionKind::Default) target->value = valueOf(*a.value);
    if (a.output && target->output && a.value && a.value->kind == ExpressionKind::Variable)
      target->outerVariable = a.value->as<VariableRef>().name;
  }
  if (auto refused = runDynamic(text, parameters, list ? &list->declaration : nullptr)) return onError(*refused, s, {}, Ends::Statement);
  for (const DynamicParameter& p : parameters)
    if (!p.outerVariable.empty()) variable(p.outerVariable).value = p.value;
  if (!s.returnVariable.empty()) variable(s.returnVariable).value = "0";
  return Flow::Next;
}

std::optional<Error> Interpreter::runDynamic(const std::string& text, std::vector<DynamicParameter>& parameters,
                                             const syntax::Batch* declarations) {
  // The caller's frame waits aside while the text runs, and comes back however it ends.
  struct Frame {
    Interpreter& self;
    std::string_view batch;
    Params callerParams;
    std::map<std::string, Variable> variables;
    VariableNames declared;
    ~Frame() {
      self.batch_ = batch;
      self.callerParams_ = std::move(callerParams);
      self.variables_ = std::move(variables);
      self.declared_ = std::move(declared);
    }
  } frame{*this, batch_, std::move(callerParams_), std::move(variables_), std::move(declared_)};

  const auto declareParameters = [&] {
    resetVariables();
    if (declarations)
      for (const StatementPtr& d : declarations->statements) declare(d->as<DeclareStatement>());
    for (const DynamicParameter& p : parameters) variable(p.name).value = p.value;
  };
  syntax::Batch tree;
  callerParams_.clear();
  try {
    tree = parseBatch(text);
    batch_ = tree.text;
    declareParameters();
    check(tree.statements);
  } catch (const Error& e) {
    return e;  // a text that does not compile fails its EXEC only
  }
  declareParameters();
  runList(tree.statements);
  for (DynamicParameter& p : parameters)
    if (p.output) p.value = variable(p.name).value;
  return std::nullopt;
}

void Interpreter::report(Message message) {
  if (results_) results_->addMessage(std::move(message));
}

void Interpreter::reportCount(std::int64_t rows) {
  if (results_ && !noCount_) results_->addCount(rows);
}

}  // namespace db::embedded::runtime
