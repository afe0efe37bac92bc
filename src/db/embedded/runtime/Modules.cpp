#include "db/embedded/runtime/Modules.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

#include "db/Text.h"
#include "db/embedded/ModuleRefusals.h"
#include "db/embedded/Refusals.h"
#include "db/embedded/ServerFunctions.h"
#include "db/embedded/Translator.h"
#include "db/embedded/runtime/Interpreter.h"
#include "db/embedded/syntax/Parser.h"

namespace db::embedded::runtime {

// The syntax tree's names, where the executor's statement list has its own.
using syntax::ObjectName;
using syntax::Statement;

namespace {

using namespace syntax;

const Refusals& refusals() { return refusalsFor(Dialect::SqlServer); }

// Every statement of a list, those inside IF, WHILE, BEGIN ... END and TRY ... CATCH included.
void forEachStatement(const StatementList& statements, const std::function<void(const Statement&)>& visit) {
  std::function<void(const Statement&)> walk = [&](const Statement& s) {
    visit(s);
    switch (s.kind) {
      case StatementKind::Block:
        for (const auto& inner : s.as<BlockStatement>().statements) walk(*inner);
        break;
      case StatementKind::If:
        walk(*s.as<IfStatement>().then);
        if (s.as<IfStatement>().otherwise) walk(*s.as<IfStatement>().otherwise);
        break;
      case StatementKind::While: walk(*s.as<WhileStatement>().body); break;
      case StatementKind::TryCatch:
        for (const auto& inner : s.as<TryCatchStatement>().tryStatements) walk(*inner);
        for (const auto& inner : s.as<TryCatchStatement>().catchStatements) walk(*inner);
        break;
      default: break;
    }
  };
  for (const auto& s : statements) walk(*s);
}

std::string hexName(std::string_view prefix, std::string_view name) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out(prefix);
  for (unsigned char c : asciiLower(name)) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

std::optional<std::string> valueText(sqlite3_value* v) {
  if (sqlite3_value_type(v) == SQLITE_NULL) return std::nullopt;
  const unsigned char* p = sqlite3_value_text(v);
  return std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(sqlite3_value_bytes(v)));
}

SqlType resolvedType(const TypeName& type) {
  TypeRef ref{type.name.object(), type.arguments, type.text};
  TypeProblem problem{};
  if (auto resolved = resolveType(ref, Dialect::SqlServer, problem)) return *resolved;
  throw refusals().unknownType(1, ref.name);
}

// The parameters of a module, unbound: what its creation checks its statements with.
std::vector<Interpreter::Parameter> declaredParameters(const std::vector<ParameterDefinition>& definitions) {
  std::vector<Interpreter::Parameter> parameters;
  for (const ParameterDefinition& p : definitions) parameters.push_back({p.name, &p.type, std::nullopt});
  return parameters;
}

// The statement kinds a function may not hold, with the word the server names them by.
std::optional<std::string> sideEffectOf(const Statement& s) {
  switch (s.kind) {
    case StatementKind::Insert:
      return s.as<InsertStatement>().target.variable.empty() ? std::optional<std::string>("INSERT") : std::nullopt;
    case StatementKind::Update:
      return s.as<UpdateStatement>().target.variable.empty() ? std::optional<std::string>("UPDATE") : std::nullopt;
    case StatementKind::Delete:
      return s.as<DeleteStatement>().target.variable.empty() ? std::optional<std::string>("DELETE") : std::nullopt;
    case StatementKind::Truncate: return "TRUNCATE TABLE";
    case StatementKind::CreateTable: return "CREATE TABLE";
    case StatementKind::AlterTable: return "ALTER TABLE";
    case StatementKind::CreateIndex: return "CREATE INDEX";
    case StatementKind::DropIndex: return "DROP INDEX";
    case StatementKind::DropObjects: return "DROP";
    case StatementKind::Print: return "PRINT";
    case StatementKind::Raiserror: return "RAISERROR";
    case StatementKind::Throw: return "THROW";
    case StatementKind::TryCatch: return "BEGIN TRY";
    case StatementKind::BeginTransaction: return "BEGIN TRANSACTION";
    case StatementKind::Commit: return "COMMIT TRANSACTION";
    case StatementKind::Rollback: return "ROLLBACK TRANSACTION";
    case StatementKind::SaveTransaction: return "SAVE TRANSACTION";
    case StatementKind::ExecuteString: return "EXECUTE STRING";
    case StatementKind::SetOption: return "SET ON/OFF";
    default: return std::nullopt;
  }
}

bool returnsRows(const Statement& s) {
  if (s.kind != StatementKind::Select) return false;
  const auto& body = *s.as<SelectStatement>().query->body;
  if (body.kind != QueryExpressionKind::Select) return true;
  const auto& items = static_cast<const SelectSpec&>(body).items;
  return std::none_of(items.begin(), items.end(), [](const SelectItem& i) { return i.kind == SelectItemKind::Assignment; });
}

const SelectSpec* firstSelect(const QueryExpression& q) {
  if (q.kind == QueryExpressionKind::Select) return static_cast<const SelectSpec*>(&q);
  return firstSelect(*static_cast<const SetOperation&>(q).left);
}

}  // namespace

Modules::Nesting::Nesting(int& depth) : depth_(depth) {
  if (depth_ >= kMaxModuleNesting) throw moduleNestingExceeded();
  ++depth_;
}

Modules::Modules(Executor& executor, SqliteDb& db, CatalogStore& catalog)
    : executor_(executor), db_(db), catalog_(catalog) {
  // A table's computed columns and defaults may call the catalog's functions: SQLite must know
  // them before any statement reads such a table.
  Stmt s = db_.cached("SELECT name FROM __morav_objects WHERE type = 'FN'");
  std::vector<std::string> names;
  while (s.step()) names.push_back(s.text(0));
  s.reset();
  for (const std::string& name : names) registerFunction(name);
}

Modules::~Modules() {
  // The handle outlives this connection (the pool keeps it): its functions must not call here.
  for (const auto& [sqlName, slot] : registered_)
    sqlite3_create_function_v2(db_.handle(), sqlName.c_str(), -1, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr,
                               nullptr);
}

std::vector<std::string> Modules::takeMessages() { return std::exchange(messages_, {}); }

std::shared_ptr<const Modules::Parsed> Modules::parse(const std::string& definition) const {
  auto parsed = std::make_shared<Parsed>();
  parsed->definition = definition;
  parsed->batch = parseBatch(definition);
  return parsed;
}

std::shared_ptr<const Modules::Parsed> Modules::parsed(const ObjectInfo& object) {
  auto& entry = parsed_[object.id];
  if (!entry || entry->definition != object.definition) entry = parse(object.definition);
  return entry;
}

// ---- Creation ----------------------------------------------------------------------------

std::vector<ColumnInfo> Modules::checkModule(const CreateModule& module) {
  const auto tree = parse(module.text);
  const Statement& s = tree->statement();
  const std::string& text = tree->batch.text;
  switch (s.kind) {
    case StatementKind::CreateView: return checkView(s.as<CreateViewStatement>(), text);
    case StatementKind::CreateFunction:
      checkFunction(s.as<CreateFunctionStatement>(), text);
      registerFunction(s.as<CreateFunctionStatement>().module.name.object());
      break;
    case StatementKind::CreateProcedure: checkProcedure(s.as<CreateProcedureStatement>(), text); break;
    case StatementKind::CreateTrigger: checkTrigger(s.as<CreateTriggerStatement>(), text); break;
    default: break;
  }
  return {};
}

// A view is bound as it is created: whatever it names must exist (208, 207, 4121), and its
// columns need names of their own (4511, 4506).
std::vector<ColumnInfo> Modules::checkView(const CreateViewStatement& view, const std::string& text) {
  const std::string name = view.module.name.object();
  if (std::find(view.module.options.begin(), view.module.options.end(), "SCHEMABINDING") != view.module.options.end())
    throw refusals().notSupported("views WITH SCHEMABINDING");
  // ALTER VIEW: the new query must not come back to the view through the views it reads.
  altering_ = view.module.action == ModuleAction::Create ? std::string() : asciiLower(name);
  std::optional<Stmt> prepared;
  try {
    prepared.emplace(executor_.prepareQuery(view.query->span.textIn(text)));
  } catch (...) {
    altering_.clear();
    throw;
  }
  altering_.clear();
  Stmt& query = *prepared;
  const int count = query.columnCount();

  std::vector<std::string> names;
  if (!view.columns.empty()) {
    if (static_cast<int>(view.columns.size()) != count) throw viewColumnCount(name, count > static_cast<int>(view.columns.size()));
    for (const Identifier& c : view.columns) names.push_back(c.value);
  } else {
    // The query's own names: an alias, a column's name, or what a * stands for.
    const SelectSpec* select = firstSelect(*view.query->body);
    const auto stars = std::count_if(select->items.begin(), select->items.end(),
                                     [](const SelectItem& i) { return i.kind == SelectItemKind::Star; });
    const int perStar = stars ? static_cast<int>((count - (static_cast<long>(select->items.size()) - stars)) / stars) : 0;
    int column = 0;
    for (const SelectItem& item : select->items) {
      if (item.kind == SelectItemKind::Star) {
        for (int k = 0; k < perStar; ++k, ++column) names.push_back(query.columnName(column));
        continue;
      }
      ++column;
      if (item.alias) {
        names.push_back(item.alias->value);
      } else if (item.expression && item.expression->kind == ExpressionKind::Column) {
        names.push_back(item.expression->as<ColumnRef>().column());
      } else {
        throw viewColumnUnnamed(column);
      }
    }
  }
  // Several stars share out their columns unevenly: SQLite's names stand for those.
  for (int i = static_cast<int>(names.size()); i < count; ++i) names.push_back(query.columnName(i));
  names.resize(static_cast<size_t>(count));
  for (size_t i = 0; i < names.size(); ++i)
    for (size_t j = 0; j < i; ++j)
      if (equalsAsciiNoCase(names[i], names[j])) throw viewColumnRepeated(names[i], name);

  // Types: a column of a table keeps its table's type; CAST and CONVERT give theirs.
  std::vector<ColumnInfo> columns;
  const SelectSpec* select = view.columns.empty() ? firstSelect(*view.query->body) : nullptr;
  for (int i = 0; i < count; ++i) {
    ColumnInfo column;
    column.id = i + 1;
    column.name = names[static_cast<size_t>(i)];
    column.type.name = "sql_variant";
    column.type.declared = "sql_variant";
    column.type.affinity = Affinity::Blob;
    const char* table = sqlite3_column_table_name(query.handle(), i);
    const char* origin = sqlite3_column_origin_name(query.handle(), i);
    std::optional<TableInfo> base = table ? catalog_.loadTable(table) : std::nullopt;
    const ColumnInfo* baseColumn = base && origin ? base->column(origin) : nullptr;
    if (baseColumn) {
      column.type = baseColumn->type;
      column.nullable = baseColumn->nullable;
    } else if (select && static_cast<size_t>(i) < select->items.size() && select->items[static_cast<size_t>(i)].expression) {
      const Expression& e = *select->items[static_cast<size_t>(i)].expression;
      if (e.kind == ExpressionKind::Cast) column.type = resolvedType(e.as<Cast>().type);
      if (e.kind == ExpressionKind::Convert) column.type = resolvedType(e.as<syntax::Convert>().type);
    }
    columns.push_back(std::move(column));
  }
  return columns;
}

// A scalar function: nothing in it may change the database or return rows (443, 444), and it
// ends with RETURN (455).
void Modules::checkFunction(const CreateFunctionStatement& function, const std::string& text) {
  if (function.form != CreateFunctionStatement::Form::Scalar)
    throw refusals().notSupported("table-valued functions (" + function.module.name.object() + ")");
  forEachStatement(function.body, [](const Statement& s) {
    if (auto operation = sideEffectOf(s)) throw sideEffectInFunction(*operation);
    if (returnsRows(s)) throw selectInFunction();
  });
  if (function.body.empty() || function.body.back()->kind != StatementKind::Return) throw functionWithoutFinalReturn();
  resolvedType(*function.returnType);
  creating_ = asciiLower(function.module.name.object());
  try {
    Interpreter(executor_, this).checkModule(text, function.body, declaredParameters(function.parameters));
  } catch (...) {
    creating_.clear();
    throw;
  }
  creating_.clear();
}

// A procedure is compiled with deferred name resolution: a missing table waits for the run;
// a missing procedure it calls gives the server's warning (2007).
void Modules::checkProcedure(const CreateProcedureStatement& procedure, const std::string& text) {
  for (const ParameterDefinition& p : procedure.parameters) resolvedType(p.type);
  Interpreter(executor_, this).checkModule(text, procedure.body, declaredParameters(procedure.parameters));
  forEachStatement(procedure.body, [&](const Statement& s) {
    if (s.kind != StatementKind::Execute || s.as<ExecuteStatement>().procedure.empty()) return;
    const ObjectName& callee = s.as<ExecuteStatement>().procedure;
    const bool self = equalsAsciiNoCase(callee.object(), procedure.module.name.object());
    if (!self && !catalog_.findObject(callee.object()))
      messages_.push_back(missingDependencyWarning(procedure.module.name.object(), callee.object()));
  });
}

void Modules::checkTrigger(const CreateTriggerStatement& trigger, const std::string& text) {
  if (trigger.timing != CreateTriggerStatement::Timing::After)
    throw refusals().notSupported("INSTEAD OF triggers (" + trigger.module.name.object() + ")");
  const auto table = catalog_.findObject(trigger.table.object());
  if (table && table->type != "U") throw refusals().notSupported("triggers on views (" + trigger.module.name.object() + ")");
  forEachStatement(trigger.body, [](const Statement& s) {
    if (s.kind == StatementKind::Return && s.as<ReturnStatement>().value) throw returnWithValueInTrigger();
  });
  Interpreter(executor_, this).checkModule(text, trigger.body, {});
}

// ---- Views -------------------------------------------------------------------------------

std::optional<ModuleHooks::ViewQuery> Modules::viewQuery(std::string_view name) {
  const auto object = catalog_.findObject(name);
  if (!object || object->type != "V") return std::nullopt;
  if (!altering_.empty() && asciiLower(object->name) == altering_) throw viewReferencesItself(object->name);
  const auto tree = parsed(*object);
  const auto& view = tree->statement().as<CreateViewStatement>();
  ViewQuery query;
  query.text = std::string(view.query->span.textIn(tree->batch.text));
  for (const Identifier& c : view.columns) query.columns.push_back(c.value);
  return query;
}

// ---- Functions ---------------------------------------------------------------------------

void Modules::prepareFunctions(const std::map<std::string, std::string>& functions) {
  for (const auto& [name, written] : functions) {
    if (name == creating_) {  // a function may call itself
      registerFunction(name);
      continue;
    }
    const auto object = catalog_.findObject(name);
    if (!object || object->type != "FN") {
      const size_t dot = written.rfind('.');
      throw missingFunction(dot == std::string::npos ? "dbo" : written.substr(0, dot), written);
    }
    registerFunction(name);
  }
}

// Marked deterministic, as SQLite asks of what a computed column calls; the function reads the
// catalog afresh at every call all the same.
void Modules::registerFunction(const std::string& name) {
  const std::string sqlName = userFunctionSqlName(name);
  if (registered_.count(sqlName)) return;
  auto slot = std::make_unique<FunctionSlot>(FunctionSlot{this, asciiLower(name)});
  const int rc = sqlite3_create_function_v2(
      db_.handle(), sqlName.c_str(), -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, slot.get(),
      [](sqlite3_context* context, int argc, sqlite3_value** argv) {
        auto* s = static_cast<FunctionSlot*>(sqlite3_user_data(context));
        s->modules->callFunction(context, s->name, argc, argv);
      },
      nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) db_.fail(rc);
  registered_[sqlName] = std::move(slot);
}

// An argument as its parameter's type takes it, where SQLite's value is not that already: a
// number cut to an integer, a text to the parameter's length, a text read as a number.
std::optional<std::string> Modules::argumentOf(sqlite3_value* value, const SqlType& type) {
  auto text = valueText(value);
  if (!text) return text;
  const int kind = sqlite3_value_type(value);
  if (type.affinity == Affinity::Integer && kind == SQLITE_FLOAT)
    return std::to_string(static_cast<std::int64_t>(sqlite3_value_double(value)));
  if ((type.affinity == Affinity::Integer || type.affinity == Affinity::Real || type.affinity == Affinity::Numeric) &&
      kind == SQLITE_TEXT) {
    const auto rows = executor_.run("select CAST(" + quoteText(*text) + " AS " + type.declared + ")", {}, true);
    return rows && !rows->values.empty() ? rows->values.front().front() : std::nullopt;
  }
  const bool character = type.name == "char" || type.name == "varchar" || type.name == "nchar" || type.name == "nvarchar";
  if (character && type.length > 0) {
    size_t chars = 0, i = 0;
    for (; i < text->size(); ++i)
      if ((static_cast<unsigned char>((*text)[i]) & 0xC0) != 0x80 && chars++ == static_cast<size_t>(type.length)) break;
    text->resize(i);
  }
  return text;
}

void Modules::callFunction(sqlite3_context* context, const std::string& name, int argc, sqlite3_value** argv) {
  try {
    Nesting nesting(depth_);
    const auto object = catalog_.findObject(name);
    if (!object || object->type != "FN") throw missingFunction("dbo", name);
    const auto tree = parsed(*object);
    const auto& function = tree->statement().as<CreateFunctionStatement>();
    const std::string written = "dbo." + function.module.name.object();
    if (argc > static_cast<int>(function.parameters.size())) throw tooManyArguments(written);
    if (argc < static_cast<int>(function.parameters.size()))
      throw Error::provider("An insufficient number of arguments were supplied for the procedure or function " +
                                written + ".",
                            313);
    std::vector<Interpreter::Parameter> parameters = declaredParameters(function.parameters);
    for (int i = 0; i < argc; ++i)
      parameters[static_cast<size_t>(i)].value = argumentOf(argv[i], resolvedType(function.parameters[static_cast<size_t>(i)].type));
    Interpreter frame(executor_, this);
    const SqlType type = resolvedType(*function.returnType);
    ++functionDepth_;
    struct Leave {
      int& depth;
      ~Leave() { --depth; }
    } leave{functionDepth_};
    const auto outcome = frame.runModule(tree->batch.text, function.body, parameters, false, function.returnType->text);
    if (!outcome.returned) return sqlite3_result_null(context);
    const std::string& value = *outcome.returned;
    // The value as the engine stores its type: a number for the numeric types, text otherwise.
    if (type.affinity == Affinity::Integer) return sqlite3_result_int64(context, std::strtoll(value.c_str(), nullptr, 10));
    if (type.affinity == Affinity::Real || type.affinity == Affinity::Numeric)
      return sqlite3_result_double(context, std::strtod(value.c_str(), nullptr));
    sqlite3_result_text(context, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
  } catch (const Error& e) {
    raiseFunctionRefusal(context, e);
  } catch (const SqliteFailure& failure) {
    raiseFunctionRefusal(context, Error::provider(failure.what()));
  }
}

// ---- Procedures --------------------------------------------------------------------------

std::optional<Rows> Modules::execute(std::string_view text, const Params& params, bool wantRows) {
  return Interpreter(executor_, this).run(text, params, wantRows);
}

std::optional<Rows> Modules::execute(Interpreter& caller, const ExecuteStatement& exec, bool wantRows) {
  if (exec.procedure.empty()) throw refusals().notSupported("EXEC of a procedure named by a variable");
  if (functionDepth_ > 0) throw procedureInFunction();
  const std::string written = caller.textOf(exec.procedure.span);
  const auto object = catalog_.findObject(exec.procedure.object());
  if (!object || object->type != "P") throw refusals().missingProcedure(written);
  Nesting nesting(depth_);
  const auto tree = parsed(*object);
  const auto& procedure = tree->statement().as<CreateProcedureStatement>();
  const std::string& procedureName = procedure.module.name.object();

  // Arguments by position, then by name (119 for a position after a name); each converted to
  // its parameter's type in the caller's frame, where its variables are.
  std::vector<Interpreter::Parameter> parameters = declaredParameters(procedure.parameters);
  std::vector<const ExecuteArgument*> bound(parameters.size(), nullptr);
  bool named = false;
  for (size_t i = 0; i < exec.arguments.size(); ++i) {
    const ExecuteArgument& argument = exec.arguments[i];
    size_t index = i;
    if (!argument.parameter.empty()) {
      named = true;
      const auto it = std::find_if(procedure.parameters.begin(), procedure.parameters.end(),
                                   [&](const ParameterDefinition& p) { return equalsAsciiNoCase(p.name, argument.parameter); });
      if (it == procedure.parameters.end()) throw notAParameter(argument.parameter, procedureName);
      index = static_cast<size_t>(it - procedure.parameters.begin());
    } else if (named) {
      throw namedThenPositional(static_cast<int>(i + 1));
    } else if (i >= parameters.size()) {
      throw tooManyArguments(procedureName);
    }
    if (argument.output && !procedure.parameters[index].output) throw notAnOutputParameter(procedure.parameters[index].name);
    bound[index] = &argument;
  }
  for (size_t i = 0; i < parameters.size(); ++i) {
    const ParameterDefinition& definition = procedure.parameters[i];
    const ExecuteArgument* argument = bound[i];
    std::string value;
    if (argument && argument->value && argument->value->kind != ExpressionKind::Default) {
      const Expression& e = *argument->value;
      // A bare word is a string: EXEC p abc passes 'abc'.
      value = e.kind == ExpressionKind::Column && e.as<ColumnRef>().parts.size() == 1
                  ? quoteText(e.as<ColumnRef>().column())
                  : caller.textOf(e.span);
    } else if (definition.defaultValue) {
      value = std::string(definition.defaultValue->span.textIn(tree->batch.text));
    } else if (!argument || !argument->value) {
      throw parameterNotSupplied(procedureName, definition.name);
    } else {
      value = "NULL";  // DEFAULT for a parameter without one
    }
    try {
      parameters[i].value = caller.evaluate("CAST((" + value + ") AS " + definition.type.text + ")");
    } catch (const Error& e) {
      // An argument the parameter's type cannot take: the server's words for a call.
      if (e.number() != 245) throw;
      const bool national = argument && argument->value && argument->value->kind == ExpressionKind::Literal &&
                            argument->value->as<Literal>().national;
      throw Error::provider("Error converting data type " + std::string(national ? "nvarchar" : "varchar") + " to " +
                                definition.type.name.object() + ".",
                            8114);
    }
  }

  Interpreter frame(executor_, this);
  auto outcome = frame.runModule(tree->batch.text, procedure.body, parameters, wantRows, "int", caller.results());
  for (size_t i = 0; i < parameters.size(); ++i) {
    const ExecuteArgument* argument = bound[i];
    if (!argument || !argument->output || !argument->value || argument->value->kind != ExpressionKind::Variable) continue;
    caller.assignValue(argument->value->as<VariableRef>().name, outcome.values[asciiLower(parameters[i].name)]);
  }
  if (!exec.returnVariable.empty()) caller.assignValue(exec.returnVariable, outcome.returned.value_or("0"));
  return std::move(outcome.rows);
}

// ---- Triggers ----------------------------------------------------------------------------

namespace {

bool waitsOn(const CreateTriggerStatement& trigger, ModuleHooks::Change change) {
  switch (change) {
    case ModuleHooks::Change::Insert: return trigger.onInsert;
    case ModuleHooks::Change::Update: return trigger.onUpdate;
    case ModuleHooks::Change::Delete: return trigger.onDelete;
  }
  return false;
}

std::string insertedLog(std::string_view table) { return hexName("__morav_inserted_", table); }
std::string deletedLog(std::string_view table) { return hexName("__morav_deleted_", table); }
std::string logTrigger(std::string_view table) { return hexName("__morav_log_", table); }

}  // namespace

std::vector<std::string> Modules::armTriggers(const std::set<std::string>& names, Change change,
                                              const std::string& target) {
  std::set<std::string> tables;
  Stmt s = db_.cached(
      "SELECT o.id, o.name, o.definition, p.name FROM __morav_objects o JOIN __morav_objects p ON p.id = o.parent_id "
      "WHERE o.type = 'TR'");
  std::vector<ObjectInfo> triggers;
  while (s.step()) {
    const std::string table = s.text(3);
    if (!names.count(asciiLower(table)) || firing_.count(asciiLower(table))) continue;
    ObjectInfo trigger;
    trigger.id = s.integer(0);
    trigger.name = s.text(1);
    trigger.definition = s.text(2);
    triggers.push_back(trigger);
    if (waitsOn(parsed(trigger)->statement().as<CreateTriggerStatement>(), change)) tables.insert(table);
  }
  s.reset();
  std::vector<std::string> armed;
  for (const std::string& name : tables) {
    const auto table = catalog_.loadTable(name);
    if (!table) continue;
    std::string columns, newRow, oldRow;
    for (const ColumnInfo& c : table->columns) {
      columns += (columns.empty() ? "" : ", ") + quoteName(c.name);
      newRow += (newRow.empty() ? "NEW." : ", NEW.") + quoteName(c.name);
      oldRow += (oldRow.empty() ? "OLD." : ", OLD.") + quoteName(c.name);
    }
    const std::string source = "SELECT " + columns + " FROM main." + quoteName(table->name()) + " WHERE 0";
    const std::string ins = quoteName(insertedLog(name)), del = quoteName(deletedLog(name));
    const std::string trigger = quoteName(logTrigger(name));
    const std::string on = " ON " + quoteName(table->name()) + " BEGIN ";
    db_.exec("DROP TABLE IF EXISTS temp." + ins + "; DROP TABLE IF EXISTS temp." + del + "; CREATE TEMP TABLE " + ins +
             " AS " + source + "; CREATE TEMP TABLE " + del + " AS " + source + ";");
    switch (change) {
      case Change::Insert:
        db_.exec("CREATE TEMP TRIGGER " + trigger + " AFTER INSERT" + on + "INSERT INTO " + ins + " SELECT " + newRow +
                 "; END");
        break;
      case Change::Delete:
        db_.exec("CREATE TEMP TRIGGER " + trigger + " AFTER DELETE" + on + "INSERT INTO " + del + " SELECT " + oldRow +
                 "; END");
        break;
      case Change::Update:
        db_.exec("CREATE TEMP TRIGGER " + trigger + " AFTER UPDATE" + on + "INSERT INTO " + del + " SELECT " + oldRow +
                 "; INSERT INTO " + ins + " SELECT " + newRow + "; END");
        break;
    }
    armed.push_back(table->name());
  }
  target_ = target;
  return armed;
}

// Each trigger fires once for the statement, with every row it changed: even none, when the
// statement named the table as its target, as the server fires it.
void Modules::fireTriggers(const std::vector<std::string>& tables, Change change) {
  const std::string target = target_;
  const auto dropLogs = [&](const std::string& name) {
    db_.exec("DROP TRIGGER IF EXISTS temp." + quoteName(logTrigger(name)) + "; DROP TABLE IF EXISTS temp." +
             quoteName(insertedLog(name)) + "; DROP TABLE IF EXISTS temp." + quoteName(deletedLog(name)) + ";");
  };
  for (const std::string& name : tables) {
    const std::string lower = asciiLower(name);
    const auto count = [&](const std::string& log) {
      Stmt c = db_.prepare("SELECT COUNT(*) FROM temp." + quoteName(log));
      c.step();
      return c.integer(0);
    };
    const bool changed = count(insertedLog(name)) > 0 || count(deletedLog(name)) > 0;
    if (!changed && lower != target) {
      dropLogs(name);
      continue;
    }
    // `inserted` and `deleted` of an outer firing are put aside while this one runs.
    const std::string aside = "__morav_aside_" + std::to_string(firingDepth_);
    if (firingDepth_ > 0)
      db_.exec("ALTER TABLE temp.inserted RENAME TO " + aside + "_i; ALTER TABLE temp.deleted RENAME TO " + aside + "_d;");
    db_.exec("CREATE TEMP TABLE inserted AS SELECT * FROM temp." + quoteName(insertedLog(name)) +
             "; CREATE TEMP TABLE deleted AS SELECT * FROM temp." + quoteName(deletedLog(name)) + ";");
    dropLogs(name);
    ++firingDepth_;
    firing_.insert(lower);
    const auto restore = [&] {
      --firingDepth_;
      firing_.erase(lower);
      db_.exec("DROP TABLE IF EXISTS temp.inserted; DROP TABLE IF EXISTS temp.deleted;");
      if (firingDepth_ > 0)
        db_.exec("ALTER TABLE temp." + aside + "_i RENAME TO inserted; ALTER TABLE temp." + aside +
                 "_d RENAME TO deleted;");
    };
    try {
      const auto table = catalog_.findObject(name);
      Stmt s = db_.cached("SELECT id, name, definition FROM __morav_objects WHERE type = 'TR' AND parent_id = ?1 ORDER BY id");
      s.bind(1, table ? table->id : 0);
      std::vector<ObjectInfo> triggers;
      while (s.step()) {
        ObjectInfo trigger;
        trigger.id = s.integer(0);
        trigger.name = s.text(1);
        trigger.definition = s.text(2);
        triggers.push_back(trigger);
      }
      s.reset();
      for (const ObjectInfo& object : triggers) {
        const auto tree = parsed(object);
        const auto& trigger = tree->statement().as<CreateTriggerStatement>();
        if (!waitsOn(trigger, change)) continue;
        Nesting nesting(depth_);
        // A ROLLBACK in a trigger (3609) belongs to the transactions of the procedural runtime:
        // until then the interpreter refuses ROLLBACK where it meets it.
        Interpreter(executor_, this).runModule(tree->batch.text, trigger.body, {}, false, "");
      }
    } catch (...) {
      restore();
      throw;
    }
    restore();
  }
}

}  // namespace db::embedded::runtime
