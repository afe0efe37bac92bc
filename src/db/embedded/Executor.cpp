#include "db/embedded/Executor.h"
#include "db/embedded/ServerFunctions.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <cstdio>

#include "db/ConnectionString.h"
#include "db/embedded/Instance.h"
#include "db/embedded/ModuleRefusals.h"
#include "db/embedded/Parser.h"

namespace db::embedded {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

bool containsNoCase(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return equalsAsciiNoCase(n, name); });
}

// The first `count` characters of a UTF-8 text.
std::string leadingChars(std::string_view text, size_t count) {
  size_t chars = 0, i = 0;
  for (; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == count) break;
      ++chars;
    }
  }
  return std::string(text.substr(0, i));
}

std::uint64_t fnv1a(std::string_view text) {
  std::uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ULL;
  }
  return h;
}

// The names an expression refers to as columns: names not called as functions, not keywords
// and not type names (CONVERT(int, x)).
std::vector<std::string> columnsNamedIn(std::string_view expression, Dialect dialect) {
  std::vector<std::string> names;
  const auto tokens = tokenize(expression, dialect);
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.isName() && i + 3 < tokens.size() && tokens[i + 1].isSymbol(".") && tokens[i + 3].isSymbol("(")) {
      i += 2;  // dbo.F(...): a user function
      continue;
    }
    if (t.kind == TokenKind::QuotedName) {
      names.push_back(t.value);
    } else if (t.kind == TokenKind::Word && !tokens[i + 1].isSymbol("(") && !isReservedKeyword(t.text)) {
      TypeProblem problem{};
      if (!resolveType(TypeRef{t.text, {}, t.text}, dialect, problem) && problem.kind == TypeProblem::UnknownType)
        names.push_back(t.text);
    }
  }
  return names;
}

// The columns of a statement's primary key, whether declared with a column or for the table.
std::vector<std::string> primaryKeyColumns(const std::vector<ColumnDef>& columns,
                                           const std::vector<TableConstraint>& constraints) {
  std::vector<std::string> names;
  const auto collect = [&](const std::vector<TableConstraint>& list) {
    for (const TableConstraint& c : list)
      if (c.kind == TableConstraint::PrimaryKey) names.insert(names.end(), c.columns.begin(), c.columns.end());
  };
  collect(constraints);
  for (const ColumnDef& def : columns) collect(def.constraints);
  return names;
}

bool hasIdentity(const std::vector<ColumnInfo>& columns) {
  return std::any_of(columns.begin(), columns.end(), [](const ColumnInfo& c) { return c.identity.has_value(); });
}

std::string formatReal(double v) {
  char buf[64];
  if (std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.0f", v);
  } else {
    std::snprintf(buf, sizeof buf, "%.15g", v);
  }
  return buf;
}

// A variable's value as the number its type makes it, so that SQLite compares and computes
// with it as a number; a text that is none stays text.
void bindNumber(Stmt& stmt, int index, const std::string& text, Affinity affinity) {
  char* end = nullptr;
  if (affinity == Affinity::Integer) {
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (!text.empty() && *end == '\0') {
      stmt.bind(index, static_cast<std::int64_t>(value));
      return;
    }
  }
  const double value = std::strtod(text.c_str(), &end);
  if (!text.empty() && *end == '\0') {
    sqlite3_bind_double(stmt.handle(), index, value);
    return;
  }
  stmt.bind(index, text);
}

std::string startsAfter(const std::string& text, std::string_view prefix) {
  return text.rfind(prefix, 0) == 0 ? text.substr(prefix.size()) : std::string();
}

// The statement a row refusal names. A query changes no row: a row refused outside a data
// statement was refused while an ALTER TABLE rebuilt its table.
const char* statementWord(DataStatement::Kind kind) {
  switch (kind) {
    case DataStatement::Insert: return "INSERT";
    case DataStatement::Update: return "UPDATE";
    case DataStatement::Delete: return "DELETE";
    case DataStatement::Select: break;
  }
  return "ALTER TABLE";
}

// The table an INSERT, UPDATE or DELETE names as its target (lower case, its last part); an
// alias of its FROM when it names one.
std::string changeTarget(const std::vector<Token>& tokens, const DataStatement& s) {
  size_t i = s.firstToken;
  int depth = 0;
  for (; i < s.endToken; ++i) {  // past a WITH's common table expressions
    if (tokens[i].isSymbol("(")) ++depth;
    if (tokens[i].isSymbol(")")) --depth;
    if (depth == 0 && (tokens[i].isWord("insert") || tokens[i].isWord("update") || tokens[i].isWord("delete"))) break;
  }
  if (++i < s.endToken && tokens[i].isWord("top")) {
    ++i;
    if (i < s.endToken && tokens[i].isSymbol("(")) {
      while (i < s.endToken && !tokens[i].isSymbol(")")) ++i;
    }
    ++i;
    if (i < s.endToken && tokens[i].isWord("percent")) ++i;
  }
  if (i < s.endToken && (tokens[i].isWord("into") || tokens[i].isWord("from"))) ++i;
  std::string name;
  for (; i < s.endToken && tokens[i].isName(); i += 2) {
    name = tokens[i].kind == TokenKind::QuotedName ? tokens[i].value : tokens[i].text;
    if (i + 1 >= s.endToken || !tokens[i + 1].isSymbol(".")) break;
  }
  return asciiLower(name);
}

}  // namespace

Executor::Executor(CatalogContext context) : ctx_(std::move(context)), refusals_(refusalsFor(ctx_.dialect)) {}

std::optional<Rows> Executor::run(std::string_view batch, const Params& params, bool wantRows,
                                  const VariableNames* variables) {
  rowsAffected_ = 0;
  const std::vector<Token> tokens = tokenize(batch, ctx_.dialect);
  const std::vector<Statement> statements = Parser(batch, tokens, ctx_.dialect).parseBatch();
  // A batch the engine cannot run to its end is refused before any of it runs.
  for (const Statement& statement : statements) refuseIfCannotRun(statement);
  std::optional<Rows> rows;
  // As the server runs a batch: an error that ends only its statement lets the next one run,
  // any other ends the batch; the caller receives the first. (Jet takes one statement a text.)
  std::optional<Error> firstError;
  for (const Statement& statement : statements) {
    try {
      try {
        std::visit(Overloaded{
                       [&](const DataStatement& s) {
                         auto result = run(s, tokens, params, wantRows && !rows, variables);
                         if (result && !rows) rows = std::move(result);
                       },
                       [&](const ExecProcedure& s) {
                         auto result = run(s, params, wantRows && !rows);
                         if (result && !rows) rows = std::move(result);
                       },
                       [&](const auto& s) { run(s); },
                   },
                   statement);
      } catch (const SqliteFailure& failure) {
        throw refusalFor(failure, nullptr, DataStatement::Select);
      }
    } catch (const Error& e) {
      if (ctx_.dialect != Dialect::SqlServer || !endsOnlyItsStatement(e)) throw firstError ? *firstError : e;
      if (!firstError) firstError = e;
    }
  }
  if (firstError) throw *firstError;
  return rows;
}

// What a column named in a statement holds, read from the tables the statement names (looked up
// only when a '+' asks): text where every such column is text, a number where every one is.
Translator::ColumnKinds Executor::columnKinds(const std::vector<Token>& tokens, size_t first, size_t end) const {
  auto tables = std::make_shared<std::optional<std::vector<TableInfo>>>();
  return [this, &tokens, first, end, tables](std::string_view column) {
    if (!*tables) {
      tables->emplace();
      std::set<std::string> seen;
      for (size_t i = first; i < end; ++i) {
        if (!tokens[i].isName()) continue;
        const std::string name = tokens[i].kind == TokenKind::QuotedName ? tokens[i].value : tokens[i].text;
        if (!seen.insert(asciiLower(name)).second) continue;
        if (auto table = ctx_.catalog.loadTable(name)) (*tables)->push_back(std::move(*table));
      }
    }
    std::optional<Translator::ColumnKind> kind;
    for (const TableInfo& table : **tables) {
      const ColumnInfo* c = table.column(column);
      if (!c) continue;
      const std::string& type = c->type.name;
      const bool text = type == "char" || type == "varchar" || type == "nchar" || type == "nvarchar" ||
                        type == "text" || type == "ntext";
      const bool number = c->type.affinity == Affinity::Integer || c->type.affinity == Affinity::Real ||
                          c->type.affinity == Affinity::Numeric;
      const bool date = type == "datetime" || type == "smalldatetime" || type == "date";
      const auto k = !c->computed.empty() ? Translator::Operand::Unknown
                     : date               ? Translator::Operand::Date
                     : text               ? Translator::Operand::Text
                     : number             ? Translator::Operand::Number
                                          : Translator::Operand::Unknown;
      Translator::ColumnKind found{k, {}, {}};
      if (k == Translator::Operand::Number) {
        found.numberType = type;
        if (type == "decimal" || type == "numeric")
          found.numberArgs = std::to_string(c->type.precision) + "," + std::to_string(c->type.scale);
      }
      if (kind && (kind->operand != k || kind->numberType != found.numberType || kind->numberArgs != found.numberArgs))
        return Translator::ColumnKind{};
      kind = found;
    }
    return kind.value_or(Translator::ColumnKind{});
  };
}

void Executor::check(std::string_view batch, const VariableNames* variables) const {
  const std::vector<Token> tokens = tokenize(batch, ctx_.dialect);
  for (const Statement& statement : Parser(batch, tokens, ctx_.dialect).parseBatch()) {
    refuseIfCannotRun(statement);
    if (const auto* data = std::get_if<DataStatement>(&statement)) translateData(tokens, *data, variables);
  }
}

void Executor::setIdentityInsert(const std::string& schema, const std::string& table, bool on) {
  ObjectName name;
  name.schema = schema;
  name.name = table;
  name.written = schema.empty() ? table : schema + "." + table;
  const auto loaded = ctx_.catalog.loadTable(localName(name));
  if (!loaded) throw refusals_.invalidObject(name.written);
  if (!hasIdentity(loaded->columns)) throw refusals_.noIdentityColumn(loaded->name());
  std::string& current = ctx_.session.identityInsertTable;
  if (!on) {
    if (equalsAsciiNoCase(current, loaded->name())) current.clear();
    return;
  }
  if (!current.empty() && !equalsAsciiNoCase(current, loaded->name()))
    throw refusals_.identityInsertElsewhere(ctx_.catalogName + ".dbo." + current, loaded->name());
  current = loaded->name();
}

void Executor::bind(std::string_view batch, const VariableNames* variables) {
  const std::vector<Token> tokens = tokenize(batch, ctx_.dialect);
  for (const Statement& statement : Parser(batch, tokens, ctx_.dialect).parseBatch()) {
    refuseIfCannotRun(statement);
    const auto* data = std::get_if<DataStatement>(&statement);
    if (!data) continue;
    const Translation translation = translateData(tokens, *data, variables);
    try {
      bringUpToDate(translation.names);
      for (const std::string& view : translation.systemViews) ctx_.views.prepare(view);
      if (hooks_ && !translation.functions.empty()) hooks_->prepareFunctions(translation.functions);
      ctx_.db.prepare(translation.sql);
    } catch (const SqliteFailure& failure) {
      const Error refusal = refusalFor(failure, &translation, data->kind);
      if (refusal.number() == 208) continue;  // resolved when it runs
      throw refusal;
    }
  }
}

Stmt Executor::prepareQuery(std::string_view query) {
  const std::vector<Token> tokens = tokenize(query, ctx_.dialect);
  const std::vector<Statement> statements = Parser(query, tokens, ctx_.dialect).parseBatch();
  const auto* data = statements.size() == 1 ? std::get_if<DataStatement>(&statements.front()) : nullptr;
  if (!data || data->kind != DataStatement::Select) throw refusals_.syntaxNear(tokens.front(), SyntaxContext::Statement);
  const Translation translation = translateData(tokens, *data, nullptr);
  try {
    bringUpToDate(translation.names);
    for (const std::string& view : translation.systemViews) ctx_.views.prepare(view);
    if (hooks_ && !translation.functions.empty()) hooks_->prepareFunctions(translation.functions);
    return ctx_.db.prepare(translation.sql);
  } catch (const SqliteFailure& failure) {
    throw refusalFor(failure, &translation, DataStatement::Select);
  }
}

Translation Executor::translateData(const std::vector<Token>& tokens, const DataStatement& s,
                                    const VariableNames* variables) const {
  Translator translator(tokens, ctx_.dialect, ctx_.catalogName, variables, columnKinds(tokens, s.firstToken, s.endToken));
  translator.expandViews(viewExpander(0));
  return translator.translate(s.firstToken, s.endToken);
}

// A view is read as a derived table of its query, translated afresh at each use: it is not
// bound to the tables and functions it names, and uses what they are now.
Translator::ViewExpander Executor::viewExpander(int depth) const {
  if (!hooks_) return {};
  return [this, depth](std::string_view name) -> std::optional<Translation> {
    auto view = hooks_->viewQuery(name);
    if (!view) return std::nullopt;
    if (depth >= kMaxModuleNesting) throw moduleNestingExceeded();
    const std::vector<Token> tokens = tokenize(view->text, ctx_.dialect);
    Translator translator(tokens, ctx_.dialect, ctx_.catalogName, nullptr, columnKinds(tokens, 0, tokens.size() - 1));
    translator.expandViews(viewExpander(depth + 1));
    Translation inner = translator.translate(0, tokens.size() - 1);
    if (!view->columns.empty()) {
      // CREATE VIEW v (a, b) AS ...: the view's own names for its query's columns.
      std::string names;
      for (const std::string& column : view->columns) names += (names.empty() ? "" : ", ") + quoteName(column);
      inner.sql = "WITH __morav_view(" + names + ") AS (" + inner.sql + ") SELECT * FROM __morav_view";
    }
    return inner;
  };
}

// ---- Names ------------------------------------------------------------------------------

TableInfo Executor::tableToAlter(const ObjectName& table) const {
  auto loaded = ctx_.catalog.loadTable(localName(table));
  if (!loaded) throw refusals_.missingTable(table.written);
  return std::move(*loaded);
}

std::string Executor::localName(const ObjectName& name) const {
  if (!name.schema.empty() && !equalsAsciiNoCase(name.schema, "dbo")) throw refusals_.unknownSchema(name.schema);
  const bool temporary = CatalogStore::isTemporaryName(name.name) && equalsAsciiNoCase(name.database, "tempdb");
  if (!name.database.empty() && !equalsAsciiNoCase(name.database, ctx_.catalogName) && !temporary)
    throw refusals_.notSupported("names in another catalog ('" + name.written + "')");
  return name.name;
}

void Executor::checkNewObjectName(std::string_view name) const {
  const std::string lower = asciiLower(name);
  if (lower.rfind("__morav", 0) == 0 || lower.rfind("sqlite_", 0) == 0 || name.find('$') != std::string_view::npos)
    throw Error::provider(
        "The embedded engine keeps names beginning with \"__morav\" or \"sqlite_\", and names "
        "holding '$', for itself; '" +
        std::string(name) + "' cannot name an object. Choose another name.");
}

// SQL Server's names for constraints it names itself: PK__Table__<16 hex> (and UQ__),
// DF__Table__Colum__<8 hex> (and FK__, CK__).
std::string Executor::generatedName(std::string_view prefix, std::string_view table, std::string_view column) {
  const bool key = prefix == "PK" || prefix == "UQ";
  for (int salt = 0;; ++salt) {
    const std::uint64_t h = fnv1a(std::string(prefix) + "\x1f" + std::string(table) + "\x1f" + std::string(column) +
                                  "\x1f" + std::to_string(salt));
    char hex[20];
    std::string name;
    if (key) {
      std::snprintf(hex, sizeof hex, "%016llX", static_cast<unsigned long long>(h));
      name = std::string(prefix) + "__" + leadingChars(table, 8) + "__" + hex;
    } else {
      std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(h >> 32));
      name = std::string(prefix) + "__" + leadingChars(table, 9) + "__" + leadingChars(column, 5) + "__" + hex;
    }
    if (!ctx_.catalog.findObject(name)) return name;
  }
}

// ---- Columns and constraints --------------------------------------------------------------

SqlType Executor::resolve(const TypeRef& type, int position) const {
  TypeProblem problem{};
  if (auto resolved = resolveType(type, ctx_.dialect, problem)) return *resolved;
  switch (problem.kind) {
    case TypeProblem::UnknownType: throw refusals_.unknownType(position, type.name);
    case TypeProblem::SizeTooLarge: throw refusals_.sizeTooLarge(problem.size, type.name, problem.maximum);
    case TypeProblem::MaxNotAllowed:
      if (ctx_.dialect == Dialect::Jet) throw refusals_.unknownType(position, type.name);
      throw Error::provider("Incorrect syntax near 'max'.", 102);
    case TypeProblem::WidthNotAllowed: break;
  }
  throw refusals_.widthNotAllowed(position, type.name);
}

ColumnInfo Executor::columnFrom(const ColumnDef& def, int position, bool inPrimaryKey) const {
  ColumnInfo column;
  column.name = def.name;
  if (def.type) {
    column.type = resolve(*def.type, position);
  } else {
    column.type.name = "sql_variant";  // a computed column takes its expression's type
    column.type.affinity = Affinity::Blob;
    column.computed = def.computed;
  }
  column.identity = def.identity;
  if (!column.identity && column.type.autoNumber) column.identity = Identity{};
  if (column.identity && (!column.type.canBeIdentity() || (def.notNull && !*def.notNull)))
    throw refusals_.badIdentityType(column.name);
  // ANSI_NULL_DFLT_ON, as OLE DB sessions set it: a column is nullable unless it says
  // otherwise, is an identity or belongs to the primary key.
  column.nullable = def.notNull ? !*def.notNull : !(column.identity || inPrimaryKey);
  if (!column.computed.empty()) column.nullable = true;
  return column;
}

void Executor::checkComputed(const ColumnInfo& column, const std::vector<ColumnInfo>& columns) const {
  if (column.computed.empty()) return;
  for (const std::string& name : columnsNamedIn(column.computed, ctx_.dialect)) {
    const bool known = std::any_of(columns.begin(), columns.end(), [&](const ColumnInfo& c) {
      return equalsAsciiNoCase(c.name, name) && c.computed.empty();
    });
    if (!known) throw refusals_.invalidColumn(name);
  }
}

// Whatever the engine accepts it must be able to run: a table whose computed columns or
// defaults SQLite cannot parse would fail every later statement on it, so it is refused now.
void Executor::checkRunnable(const TableInfo& table) const {
  if (table.columns.empty()) return;  // Jet's table without columns has nothing to parse yet
  try {
    ctx_.data.checkDefinition(table);
  } catch (const SqliteFailure& failure) {
    if (isTooDeep(failure)) throw refusals_.nestedTooDeeply();
    throw refusals_.notSupported("a computed column or default of this kind (" + std::string(failure.what()) + ")");
  }
}

// Records a constraint in `table` (catalog and in-memory copy). The caller has added the
// table's columns already.
void Executor::addConstraint(TableInfo& table, const TableConstraint& c, bool tableExisted) {
  const std::string& tableName = table.name();
  const std::string name = !c.name.empty() ? c.name
                                           : generatedName(c.kind == TableConstraint::PrimaryKey   ? "PK"
                                                           : c.kind == TableConstraint::Unique     ? "UQ"
                                                           : c.kind == TableConstraint::Default    ? "DF"
                                                           : c.kind == TableConstraint::ForeignKey ? "FK"
                                                                                                   : "CK",
                                                           tableName, c.columns.empty() ? "" : c.columns.front());
  if (!c.name.empty()) checkNewObjectName(c.name);
  if (ctx_.catalog.findObject(name)) throw refusals_.objectExists(name);

  ObjectInfo object;
  object.name = name;
  object.parentId = table.object.id;
  switch (c.kind) {
    case TableConstraint::PrimaryKey:
    case TableConstraint::Unique: {
      const bool primary = c.kind == TableConstraint::PrimaryKey;
      if (primary && table.primaryKey()) throw refusals_.secondPrimaryKey(tableName, tableExisted);
      for (const auto& columnName : c.columns) {
        const ColumnInfo* column = table.column(columnName);
        if (!column) throw refusals_.keyColumnMissing(columnName);
        if (column->type.isLargeObject()) throw refusals_.invalidKeyColumnType(column->name, tableName);
        if (primary && column->nullable) throw refusals_.nullablePrimaryKey(tableName);
      }
      object.type = primary ? "PK" : "UQ";
      IndexInfo index;
      index.kind = primary ? IndexInfo::PrimaryKey : IndexInfo::UniqueConstraint;
      index.name = name;
      index.unique = true;
      index.columns = c.columns;
      ctx_.catalog.insertIndex(table.object.id, index);
      table.indexes.push_back(index);
      break;
    }
    case TableConstraint::Default: {
      const ColumnInfo* column = table.column(c.columns.front());
      if (!column) throw refusals_.keyColumnMissing(c.columns.front());
      if (table.defaultOf(column->name)) throw refusals_.defaultAlreadyBound();
      object.type = "D";
      object.parentColumn = column->name;
      object.definition = c.text;
      break;
    }
    case TableConstraint::Check: {
      // SQLite evaluates the condition on every row written; one it cannot evaluate is refused
      // now rather than on every later statement.
      const std::string condition = checkCondition(c.text);
      for (const std::string& column : columnsNamedIn(condition, ctx_.dialect))
        if (!table.column(column)) throw refusals_.invalidColumn(column);
      if (!translateExpression(condition, ctx_.dialect))
        throw refusals_.notSupported("this CHECK condition (" + condition + ")");
    }
      [[fallthrough]];
    case TableConstraint::ForeignKey:
      // The server skips a #table's foreign keys (with a warning): they are not kept.
      if (c.kind == TableConstraint::ForeignKey && CatalogStore::isTemporaryId(table.object.id)) return;
      if (c.kind == TableConstraint::ForeignKey) {
        checkForeignKey(table, c, name, tableExisted);
        const ForeignKeyInfo key =
            parseForeignKey(name, tableName, c.columns.size() == 1 ? c.columns.front() : "", c.text);
        if (key.onDelete == ForeignKeyInfo::SetDefault || key.onUpdate == ForeignKeyInfo::SetDefault)
          throw refusals_.notSupported("ON DELETE or ON UPDATE SET DEFAULT (use NO ACTION, CASCADE or SET NULL)");
      }
      object.type = c.kind == TableConstraint::ForeignKey ? "F" : "C";
      object.parentColumn = c.columns.size() == 1 ? c.columns.front() : "";
      object.definition = c.text;
      break;
  }
  object.id = ctx_.catalog.insertObject(object);
  table.children.push_back(object);
}

// What SQL Server checks when a foreign key is made: the referenced table exists, the
// referenced columns are its primary key or one of its unique keys, and (on a table that
// holds rows) every row's key is found there. Later changes are checked by DataTables' triggers.
void Executor::checkForeignKey(const TableInfo& table, const TableConstraint& c, const std::string& name,
                               bool tableExisted) {
  const std::string referencedName = localName(c.referencedTable);
  const bool self = equalsAsciiNoCase(referencedName, table.name());
  std::optional<TableInfo> loaded;
  if (!self) loaded = ctx_.catalog.loadTable(referencedName);
  if (!self && !loaded) throw refusals_.foreignKeyToMissingTable(name, c.referencedTable.written);
  const TableInfo& referenced = self ? table : *loaded;
  std::vector<std::string> columns = c.referencedColumns;
  if (columns.empty()) {
    const IndexInfo* key = referenced.primaryKey();
    if (!key) throw refusals_.foreignKeyWithoutPrimaryKey(name, referenced.name());
    columns = key->columns;
  }
  // The server matches the key's columns in their order: (b, a) does not reference a key on (a, b).
  const auto sameColumns = [&](const IndexInfo& index) {
    return index.unique && std::equal(columns.begin(), columns.end(), index.columns.begin(), index.columns.end(),
                                      [](const std::string& a, const std::string& b) { return equalsAsciiNoCase(a, b); });
  };
  if (std::none_of(referenced.indexes.begin(), referenced.indexes.end(), sameColumns))
    throw refusals_.foreignKeyWithoutCandidateKey(referenced.name(), name);
  if (!tableExisted || !hasRows(table) || c.columns.size() != columns.size()) return;
  std::string present, matched;
  for (size_t i = 0; i < columns.size(); ++i) {
    present += (i ? " AND c." : "c.") + quoteName(c.columns[i]) + " IS NOT NULL";
    matched += (i ? " AND p." : "p.") + quoteName(columns[i]) + " = c." + quoteName(c.columns[i]);
  }
  const std::string orphans =
      "SELECT 1 FROM main." + quoteName(table.name()) + " c WHERE " + present +
      (referenced.dataStale ? std::string()  // a table not yet filled holds no row
                            : " AND NOT EXISTS (SELECT 1 FROM main." + quoteName(referenced.name()) + " p WHERE " +
                                  matched + ")") +
      " LIMIT 1";
  if (ctx_.db.prepare(orphans).step())
    throw refusals_.rowConflict("ALTER TABLE", "FOREIGN KEY", name, ctx_.catalogName, referenced.name(),
                                columns.front());
}

void Executor::addConstraints(TableInfo& table, const std::vector<ColumnDef>& columns,
                              const std::vector<TableConstraint>& constraints, bool tableExisted) {
  for (const ColumnDef& def : columns) {
    for (const TableConstraint& c : def.constraints) addConstraint(table, c, tableExisted);
    if (def.defaultValue)
      addConstraint(
          table,
          {TableConstraint::Default, def.defaultValue->constraintName, {def.name}, def.defaultValue->expression, {}, {}},
          tableExisted);
  }
  for (const TableConstraint& c : constraints) addConstraint(table, c, tableExisted);
}

// What SQL Server finds depending on a column it is asked to alter (newType set) or drop.
std::vector<Dependent> Executor::dependentsOf(const TableInfo& table, const ColumnInfo& column, bool dropping,
                                              const SqlType* newType) const {
  std::vector<Dependent> found;
  const bool widening = newType && newType->widens(column.type);
  for (const IndexInfo& index : table.indexes) {
    if (!containsNoCase(index.columns, column.name) && !containsNoCase(index.included, column.name)) continue;
    // An index (but not a primary key) allows widening a varchar, nvarchar or varbinary key.
    if (!dropping && widening && index.kind != IndexInfo::PrimaryKey) continue;
    if (index.kind == IndexInfo::Plain) {
      found.push_back({Dependent::Index, index.name});
    } else {
      found.push_back({Dependent::Object, index.name});
    }
  }
  for (const ColumnInfo& other : table.columns) {
    if (other.computed.empty() || equalsAsciiNoCase(other.name, column.name)) continue;
    if (containsNoCase(columnsNamedIn(other.computed, ctx_.dialect), column.name))
      found.push_back({Dependent::Column, other.name});
  }
  for (const ObjectInfo& child : table.children) {
    if (!equalsAsciiNoCase(child.parentColumn, column.name)) continue;
    // A default allows a new length, precision or scale of the same type; a check allows a
    // new length of a variable-length column.
    if (child.type == "D" && !dropping && newType && newType->name == column.type.name) continue;
    if (child.type == "C" && !dropping && widening) continue;
    if (child.type == "D" || child.type == "C" || child.type == "F") found.push_back({Dependent::Object, child.name});
  }
  return found;
}

// ---- Rows -------------------------------------------------------------------------------

bool Executor::hasRows(const TableInfo& table) { return !table.dataStale && ctx_.data.hasRows(table.name()); }

void Executor::markStale(const TableInfo& table) {
  // Only the file's tables are brought up to date before use (staleTableNames): a #table is
  // made afresh at once.
  if (CatalogStore::isTemporaryId(table.object.id)) {
    if (const auto current = ctx_.catalog.loadTable(table.name())) ctx_.data.create(*current);
    return;
  }
  if (!table.dataStale) ctx_.catalog.setDataStale(table.object.id, true);
}

std::vector<std::string> Executor::staleTablesAmong(const std::set<std::string>& names) {
  std::vector<std::string> stale = ctx_.catalog.staleTableNames();
  if (stale.empty()) return stale;
  // A foreign key's triggers read its other table, and a cascade goes on from there: the
  // tables that foreign keys join to the named ones are brought up to date with them.
  std::set<std::string> wanted = names;
  const std::vector<ForeignKeyInfo> keys = ctx_.catalog.foreignKeys();
  for (bool grew = true; grew;) {
    grew = false;
    for (const ForeignKeyInfo& key : keys) {
      const std::string a = asciiLower(key.table), b = asciiLower(key.referencedTable);
      if (wanted.count(a) == wanted.count(b)) continue;
      wanted.insert(a);
      wanted.insert(b);
      grew = true;
    }
  }
  stale.erase(std::remove_if(stale.begin(), stale.end(), [&](const std::string& t) { return !wanted.count(asciiLower(t)); }),
              stale.end());
  return stale;
}

void Executor::bringUpToDate(const std::set<std::string>& names) {
  for (const std::string& name : staleTablesAmong(names)) {
    const auto table = ctx_.catalog.loadTable(name);
    ctx_.data.create(*table);
    ctx_.catalog.setDataStale(table->object.id, false);
  }
}

Rows Executor::readRows(Stmt& stmt) {
  Rows rows;
  for (int i = 0; i < stmt.columnCount(); ++i) rows.columns.push_back(stmt.columnName(i));
  while (stmt.step()) {
    std::vector<std::optional<std::string>> row;
    for (int i = 0; i < stmt.columnCount(); ++i) {
      switch (stmt.columnType(i)) {
        case SQLITE_NULL: row.emplace_back(std::nullopt); break;
        case SQLITE_FLOAT: row.emplace_back(formatReal(stmt.real(i))); break;
        case SQLITE_BLOB: {
          static constexpr char kHex[] = "0123456789ABCDEF";
          const auto* p = static_cast<const unsigned char*>(sqlite3_column_blob(stmt.handle(), i));
          std::string hex = "0x";
          for (int k = 0; k < sqlite3_column_bytes(stmt.handle(), i); ++k) {
            hex += kHex[p[k] >> 4];
            hex += kHex[p[k] & 15];
          }
          row.emplace_back(std::move(hex));
          break;
        }
        default: row.emplace_back(stmt.text(i));
      }
    }
    rows.values.push_back(std::move(row));
  }
  return rows;
}

Error Executor::refusalFor(const SqliteFailure& failure, const Translation* translation, DataStatement::Kind kind,
                           const Token* lastToken) {
  const std::string message = failure.what();
  if (message == "incomplete input" && lastToken) return refusals_.syntaxNear(*lastToken, SyntaxContext::Statement);
  const auto writtenName = [&](std::string name) {
    for (std::string_view schema : {"main.", "temp."})
      if (name.rfind(schema, 0) == 0) name = name.substr(schema.size());
    if (translation) {
      if (auto it = translation->written.find(asciiLower(name)); it != translation->written.end()) return it->second;
    }
    return name;
  };
  if ((failure.code() & 0xFF) == SQLITE_BUSY) return refusals_.lockTimeout();
  if (message == kFunctionRefusal)
    if (auto refusal = takeFunctionRefusal()) return *refusal;
  if (isTooDeep(failure)) return refusals_.nestedTooDeeply();
  if (auto name = startsAfter(message, "no such table: "); !name.empty())
    return refusals_.invalidObject(writtenName(name));
  if (auto name = startsAfter(message, "no such column: "); !name.empty())
    return refusals_.invalidColumn(name.substr(name.rfind('.') == std::string::npos ? 0 : name.rfind('.') + 1));
  if (auto name = startsAfter(message, "no such function: "); !name.empty()) return refusals_.unknownFunction(name);
  if (auto near = startsAfter(message, "near \""); !near.empty()) {
    Token token;
    token.kind = TokenKind::Word;
    token.text = near.substr(0, near.find('"'));
    return refusals_.syntaxNear(token, SyntaxContext::Statement);
  }
  if (!startsAfter(message, "CHECK constraint failed: " + std::string(kLengthCheck)).empty())
    return refusals_.truncated();
  if (auto name = startsAfter(message, "CHECK constraint failed: "); !name.empty()) {
    const auto check = ctx_.catalog.findObject(name);
    const auto table = check ? ctx_.catalog.objectName(check->parentId) : std::nullopt;
    if (check && table)
      return refusals_.rowConflict(statementWord(kind), "CHECK", check->name, ctx_.catalogName, *table,
                                   check->parentColumn);
  }
  for (const bool referencing : {true, false}) {
    auto conflict = startsAfter(message, referencing ? kForeignKeyConflict : kReferenceConflict);
    if (conflict.empty()) continue;
    const std::string statement = conflict.substr(0, conflict.find(':'));
    const std::string name = conflict.substr(conflict.find(':') + 1);
    for (const ForeignKeyInfo& key : ctx_.catalog.foreignKeys()) {
      if (!equalsAsciiNoCase(key.name, name)) continue;
      // The server names the referenced column for a row without its key, the referencing one
      // for a key still in use.
      if (referencing)
        return refusals_.rowConflict(statement, "FOREIGN KEY", key.name, ctx_.catalogName, key.referencedTable,
                                     key.referencedColumns.empty() ? "" : key.referencedColumns.front());
      return refusals_.rowConflict(statement, "REFERENCE", key.name, ctx_.catalogName, key.table, key.columns.front());
    }
  }
  if (auto table = startsAfter(message, "morav:identity_insert:"); !table.empty())
    return refusals_.explicitIdentity(table);
  if (auto table = startsAfter(message, "morav:identity_missing:"); !table.empty())
    return refusals_.identityValueMissing(table);
  if (auto where = startsAfter(message, "NOT NULL constraint failed: "); !where.empty()) {
    const size_t dot = where.find('.');
    return refusals_.nullNotAllowed(where.substr(dot + 1), ctx_.catalogName + ".dbo." + where.substr(0, dot),
                                    kind == DataStatement::Update ? "UPDATE" : "INSERT");
  }
  if (auto where = startsAfter(message, "UNIQUE constraint failed: "); !where.empty()) {
    const std::string tableName = where.substr(0, where.find('.'));
    std::vector<std::string> columns;
    for (size_t start = 0; start < where.size();) {
      const size_t end = std::min(where.find(", ", start), where.size());
      const std::string item = where.substr(start, end - start);
      columns.push_back(item.substr(item.find('.') + 1));
      start = end + 2;
    }
    if (const auto table = ctx_.catalog.loadTable(tableName)) {
      for (const IndexInfo& index : table->indexes) {
        if (index.columns.size() != columns.size() ||
            !std::equal(index.columns.begin(), index.columns.end(), columns.begin(),
                        [](const std::string& a, const std::string& b) { return equalsAsciiNoCase(a, b); }))
          continue;
        if (index.kind == IndexInfo::Plain) return refusals_.duplicateIndexKey(table->name(), index.name);
        return refusals_.duplicateKey(index.kind == IndexInfo::PrimaryKey, index.name, table->name());
      }
    }
    return refusals_.duplicateIndexKey(tableName, "?");
  }
  if (message.find(" values were supplied") != std::string::npos) return refusals_.valueCountMismatch();
  if (message.find(" values for ") != std::string::npos) {
    int values = 0, columns = 0;
    std::sscanf(message.c_str(), "%d values for %d columns", &values, &columns);
    return refusals_.insertValueCount(values < columns);
  }
  return Error::provider("The embedded engine could not run the statement: " + message + ".");
}

// ---- Statements ---------------------------------------------------------------------------

void Executor::run(const CreateTable& s) {
  const std::string name = localName(s.table);
  checkNewObjectName(name);
  WriteTransaction tx(ctx_.db);
  if (ctx_.catalog.findObject(name)) throw refusals_.objectExists(name);

  const std::vector<std::string> keyColumns = primaryKeyColumns(s.columns, s.constraints);
  TableInfo table;
  table.object.name = name;
  table.object.type = "U";
  for (size_t i = 0; i < s.columns.size(); ++i) {
    const ColumnDef& def = s.columns[i];
    if (table.column(def.name)) throw refusals_.duplicateColumn(def.name, name);
    ColumnInfo column = columnFrom(def, static_cast<int>(i + 1), containsNoCase(keyColumns, def.name));
    column.id = static_cast<std::int64_t>(i + 1);
    if (column.identity && hasIdentity(table.columns)) throw refusals_.secondIdentity(name);
    table.columns.push_back(std::move(column));
  }
  for (const ColumnInfo& column : table.columns) checkComputed(column, table.columns);
  checkRunnable(table);

  table.object.id = ctx_.catalog.insertObject(table.object);
  const bool temporary = CatalogStore::isTemporaryId(table.object.id);
  if (!temporary) ctx_.catalog.setDataStale(table.object.id, true);  // created with its first data statement
  table.dataStale = !temporary;
  for (const ColumnInfo& column : table.columns) ctx_.catalog.insertColumn(table.object.id, column);
  addConstraints(table, s.columns, s.constraints, false);
  if (temporary) ctx_.data.create(table);  // a #table is no file's: nothing brings it up to date later
  tx.commit();
}

void Executor::run(const AddToTable& s) {
  WriteTransaction tx(ctx_.db);
  const TableInfo before = tableToAlter(s.table);
  TableInfo after = before;
  const bool rows = hasRows(before);
  const std::vector<std::string> keyColumns = primaryKeyColumns(s.columns, s.constraints);

  std::map<std::string, std::string> fills;
  std::vector<ColumnInfo> added;
  for (size_t i = 0; i < s.columns.size(); ++i) {
    const ColumnDef& def = s.columns[i];
    if (after.column(def.name)) throw refusals_.duplicateColumn(def.name, before.name());
    const int position = static_cast<int>(after.columns.size() + 1);
    ColumnInfo column = columnFrom(def, position, containsNoCase(keyColumns, def.name));
    column.id = ctx_.catalog.nextColumnId(after.object.id) + static_cast<std::int64_t>(i);
    if (column.identity && hasIdentity(after.columns)) throw refusals_.secondIdentity(before.name());
    if (rows && !column.nullable && !column.identity && !def.defaultValue)
      throw refusals_.notNullOnNonEmptyTable(column.name, before.name());
    if (rows && column.identity) {
      // SQL Server numbers the existing rows.
      fills[asciiLower(column.name)] = "(" + std::to_string(column.identity->seed) +
                                       " + (ROW_NUMBER() OVER (ORDER BY rowid) - 1) * " +
                                       std::to_string(column.identity->increment) + ")";
    } else if (rows && def.defaultValue && !column.nullable) {
      const auto expression = translateExpression(def.defaultValue->expression, ctx_.dialect);
      if (!expression) throw refusals_.notSupported("this DEFAULT expression on a table that holds rows");
      fills[asciiLower(column.name)] = "(" + *expression + ")";
    }
    after.columns.push_back(column);
    added.push_back(std::move(column));
  }
  for (const ColumnInfo& column : added) {
    checkComputed(column, after.columns);
    ctx_.catalog.insertColumn(after.object.id, column);
  }
  checkRunnable(after);
  addConstraints(after, s.columns, s.constraints, true);

  if (!rows) {
    markStale(before);
  } else if (s.constraints.empty() && fills.empty() &&
             std::all_of(added.begin(), added.end(),
                         [&](const ColumnInfo& c) { return ctx_.data.canAddNatively(after, c); }) &&
             std::all_of(s.columns.begin(), s.columns.end(),
                         [](const ColumnDef& d) { return d.constraints.empty(); })) {
    for (const ColumnInfo& column : added) ctx_.data.addColumn(after, column);
  } else {
    for (const IndexInfo& index : after.indexes) {
      if (!index.unique || before.index(index.name)) continue;
      const std::string duplicate = ctx_.data.duplicateKeyValue(before.name(), index.columns);
      if (duplicate != "()" && std::all_of(index.columns.begin(), index.columns.end(),
                                           [&](const std::string& c) { return before.column(c); }))
        throw refusals_.duplicatesUnderNewIndex(before.name(), index.name, duplicate);
    }
    try {
      ctx_.data.rebuild(before, after, fills);
    } catch (const SqliteFailure& failure) {
      throw refusalFor(failure, nullptr, DataStatement::Select);  // a new check the rows fail names itself
    }
  }
  tx.commit();
}

void Executor::run(const AlterColumn& s) {
  WriteTransaction tx(ctx_.db);
  const TableInfo before = tableToAlter(s.table);
  const ColumnInfo* current = before.column(s.column);
  if (!current) throw refusals_.missingColumn("ALTER TABLE ALTER COLUMN", s.column, before.name());
  if (!current->computed.empty()) throw refusals_.alterComputedColumn(current->name);

  const auto position = std::find_if(before.columns.begin(), before.columns.end(),
                                     [&](const ColumnInfo& c) { return c.id == current->id; }) -
                        before.columns.begin();
  ColumnInfo changed = *current;
  changed.type = resolve(s.type, static_cast<int>(position + 1));
  // Without NULL or NOT NULL the column becomes nullable (ANSI_NULL_DFLT_ON).
  changed.nullable = s.notNull ? !*s.notNull : true;
  if (changed.identity && !changed.type.canBeIdentity()) throw refusals_.badIdentityType(changed.name);
  if (changed.identity) changed.nullable = false;

  if (auto dependents = dependentsOf(before, *current, false, &changed.type); !dependents.empty())
    throw refusals_.columnHasDependents("ALTER TABLE ALTER COLUMN", current->name, dependents);

  const bool rows = hasRows(before);
  if (rows && !changed.nullable && ctx_.data.hasNulls(before.name(), current->name))
    throw refusals_.nullNotAllowed(current->name, ctx_.catalogName + ".dbo." + before.name(), "UPDATE");

  TableInfo after = before;
  for (ColumnInfo& c : after.columns)
    if (c.id == changed.id) c = changed;
  ctx_.catalog.updateColumn(after.object.id, changed);

  if (!rows) {
    markStale(before);
  } else if (ctx_.data.declaration(before, *current) != ctx_.data.declaration(after, changed) ||
             (current->type.name != changed.type.name && (current->isFixedLengthText() || changed.isFixedLengthText()))) {
    ctx_.data.rebuild(before, after, {});  // which pads a column that became char or nchar
    // SQLite keeps a text it cannot convert; SQL Server refuses the conversion.
    const Affinity a = changed.type.affinity;
    if (a == Affinity::Integer || a == Affinity::Numeric || a == Affinity::Real) {
      Stmt check = ctx_.db.prepare("SELECT " + quoteName(changed.name) + " FROM " + quoteName(after.name()) +
                                   " WHERE typeof(" + quoteName(changed.name) + ") = 'text' LIMIT 1");
      if (check.step()) throw refusals_.conversionFailed(current->type.name, check.text(0), changed.type.name);
    }
  }
  tx.commit();
}

void Executor::run(const DropColumns& s) {
  WriteTransaction tx(ctx_.db);
  const TableInfo before = tableToAlter(s.table);
  TableInfo after = before;
  for (const std::string& columnName : s.columns) {
    const ColumnInfo* column = after.column(columnName);
    if (!column) throw refusals_.missingColumn("ALTER TABLE DROP COLUMN", columnName, before.name());
    if (auto dependents = dependentsOf(after, *column, true, nullptr); !dependents.empty())
      throw refusals_.columnHasDependents("ALTER TABLE DROP COLUMN", column->name, dependents);
    const auto stored = std::count_if(after.columns.begin(), after.columns.end(),
                                      [](const ColumnInfo& c) { return c.computed.empty(); });
    if (stored == 1 && column->computed.empty()) throw refusals_.onlyDataColumn(column->name, before.name());
    ctx_.catalog.deleteColumn(after.object.id, column->id);
    const std::int64_t id = column->id;
    after.columns.erase(
        std::remove_if(after.columns.begin(), after.columns.end(), [&](const ColumnInfo& c) { return c.id == id; }),
        after.columns.end());
  }
  if (!hasRows(before)) {
    markStale(before);
  } else {
    for (const std::string& columnName : s.columns) ctx_.data.dropColumn(before.name(), columnName);
  }
  tx.commit();
}

void Executor::run(const DropConstraints& s) {
  WriteTransaction tx(ctx_.db);
  const TableInfo before = tableToAlter(s.table);
  TableInfo after = before;
  bool definitionChanged = false;  // a default or check: part of the SQLite table's definition
  for (const std::string& constraintName : s.names) {
    const auto it = std::find_if(after.children.begin(), after.children.end(), [&](const ObjectInfo& o) {
      return equalsAsciiNoCase(o.name, constraintName) && o.type != "TR";
    });
    if (it == after.children.end()) throw refusals_.notAConstraint(constraintName);
    if (it->type == "PK" || it->type == "UQ") {
      ctx_.catalog.deleteIndex(after.object.id, it->name);
      if (hasRows(before)) ctx_.data.dropIndex(before.name(), it->name);
      const std::string dropped = it->name;
      after.indexes.erase(std::remove_if(after.indexes.begin(), after.indexes.end(),
                                         [&](const IndexInfo& i) { return equalsAsciiNoCase(i.name, dropped); }),
                          after.indexes.end());
    }
    if (it->type == "F")
      ctx_.data.dropForeignKeyTriggers(parseForeignKey(it->name, before.name(), it->parentColumn, it->definition));
    definitionChanged = definitionChanged || it->type == "D" || it->type == "C";
    ctx_.catalog.deleteObject(it->id);
    after.children.erase(it);
  }
  if (!hasRows(before)) {
    markStale(before);
  } else if (definitionChanged) {
    ctx_.data.rebuild(before, after, {});
  }
  tx.commit();
}

void Executor::run(const DropObjects& s) {
  WriteTransaction tx(ctx_.db);
  for (const ObjectName& objectName : s.names) {
    const std::string name = localName(objectName);
    const auto object = ctx_.catalog.findObject(name);
    const auto kind = object ? objectKindOfCode(object->type) : std::nullopt;
    if (!kind) {  // missing, or a constraint: not something DROP <kind> can name
      if (s.ifExists) continue;
      throw refusals_.dropMissing(objectKindWord(s.kind), objectName.written);
    }
    if (*kind != s.kind)
      throw refusals_.dropWrongKind(std::string("DROP ") + objectKindKeyword(s.kind), object->name,
                                    objectKindWord(*kind), std::string("DROP ") + objectKindKeyword(*kind));
    if (s.kind == ObjectKind::Table) {
      for (const ForeignKeyInfo& key : ctx_.catalog.foreignKeys())
        if (equalsAsciiNoCase(key.referencedTable, object->name) && !equalsAsciiNoCase(key.table, object->name))
          throw refusals_.referencedTable(objectName.written);
      ctx_.data.drop(object->name);
      ctx_.catalog.deleteTable(object->id);
    } else if (s.kind == ObjectKind::View) {
      ctx_.catalog.deleteTable(object->id);  // its columns go with it
    } else {
      ctx_.catalog.deleteObject(object->id);
    }
  }
  tx.commit();
}

void Executor::run(const CreateDatabase& s) {
  checkCatalogName(s.name);
  if (findCatalogFile(ctx_.dataDir, s.name) || isSystemCatalog(s.name) ||
      !createDatabaseFile(ctx_.dataDir / s.name, Dialect::SqlServer))
    throw refusals_.databaseExists(s.name);
}

void Executor::run(const CreateIndex& s) {
  const std::string name = localName(s.table);
  WriteTransaction tx(ctx_.db);
  const auto table = ctx_.catalog.loadTable(name);
  if (!table) throw refusals_.missingIndexTable(s.table.written);
  if (table->index(s.name)) throw refusals_.indexExists(s.name, table->name());
  for (const auto& c : s.columns) {
    const ColumnInfo* column = table->column(c);
    if (!column) throw refusals_.keyColumnMissing(c);
    if (column->type.isLargeObject()) throw refusals_.invalidKeyColumnType(column->name, table->name());
  }
  for (const auto& c : s.included)
    if (!table->column(c)) throw refusals_.keyColumnMissing(c);
  IndexInfo index;
  index.name = s.name;
  index.unique = s.unique;
  index.columns = s.columns;
  index.included = s.included;
  ctx_.catalog.insertIndex(table->object.id, index);
  if (hasRows(*table)) {
    if (s.unique) {
      const std::string duplicate = ctx_.data.duplicateKeyValue(table->name(), s.columns);
      if (duplicate != "()") throw refusals_.duplicatesUnderNewIndex(table->name(), s.name, duplicate);
    }
    ctx_.data.createIndex(table->name(), index);
  } else {
    markStale(*table);
  }
  tx.commit();
}

void Executor::run(const DropIndex& s) {
  WriteTransaction tx(ctx_.db);
  for (const DropIndex::Target& target : s.targets) {
    const auto table = ctx_.catalog.loadTable(localName(target.table));
    const IndexInfo* index = table ? table->index(target.index) : nullptr;
    if (!index) throw refusals_.dropMissingIndex(target.written);
    if (index->kind != IndexInfo::Plain) throw refusals_.dropConstraintIndex(target.written);
    ctx_.catalog.deleteIndex(table->object.id, index->name);
    if (hasRows(*table)) {
      ctx_.data.dropIndex(table->name(), index->name);
    } else {
      markStale(*table);
    }
  }
  tx.commit();
}

void Executor::run(const CreateModule& s) {
  const std::string name = localName(s.name);
  WriteTransaction tx(ctx_.db);
  const auto existing = ctx_.catalog.findObject(name);
  const auto recordColumns = [&](std::int64_t id, const std::vector<ColumnInfo>& columns) {
    for (const ColumnInfo& column : columns) ctx_.catalog.insertColumn(id, column);
  };
  if (s.alter) {
    if (!existing || existing->type != objectKindCode(s.kind)) throw refusals_.invalidObject(s.name.written);
    const auto columns = hooks_ ? hooks_->checkModule(s) : std::vector<ColumnInfo>{};
    ctx_.catalog.updateObjectDefinition(existing->id, s.text);
    if (s.kind == ObjectKind::View) {
      ctx_.catalog.deleteColumns(existing->id);
      recordColumns(existing->id, columns);
    }
    tx.commit();
    return;
  }
  checkNewObjectName(name);
  if (existing) throw refusals_.objectExists(name);
  // Checked before it is recorded: a view cannot name itself.
  const auto columns = hooks_ ? hooks_->checkModule(s) : std::vector<ColumnInfo>{};
  ObjectInfo object;
  object.name = name;
  object.type = objectKindCode(s.kind);
  object.definition = s.text;
  if (s.kind == ObjectKind::Trigger) {
    const auto parent = ctx_.catalog.findObject(localName(s.parentTable));
    if (!parent || (parent->type != "U" && parent->type != "V"))
      throw refusals_.missingTriggerTable(s.parentTable.written);
    object.parentId = parent->id;
  }
  recordColumns(ctx_.catalog.insertObject(object), columns);
  tx.commit();
}

void Executor::refuseIfCannotRun(const Statement& statement) const {
  if (const auto* unsupported = std::get_if<Unsupported>(&statement)) throw refusals_.notSupported(unsupported->what);
}

// A missing procedure is the server's run-time error (2812).
std::optional<Rows> Executor::run(const ExecProcedure& s, const Params& params, bool wantRows) {
  if (!hooks_) throw refusals_.notSupported("running stored procedures");
  return hooks_->execute(s.text, params, wantRows);
}

void Executor::run(const Unsupported& s) { throw refusals_.notSupported(s.what); }

std::optional<Rows> Executor::run(const DataStatement& s, const std::vector<Token>& tokens, const Params& params,
                                  bool wantRows, const VariableNames* variables) {
  const Translation translation = translateData(tokens, s, variables);
  try {
    // A change writes in the transaction that brings its tables up to date, so that no other
    // connection can mark them stale (and so empty) in between.
    std::optional<WriteTransaction> tx;
    // @@IDENTITY is what this insert gives, NULL when it gives no identity value.
    if (s.kind == DataStatement::Insert) ctx_.session.lastIdentity.reset();
    std::vector<std::string> triggered;  // tables whose AFTER triggers this change fires
    const auto change = s.kind == DataStatement::Insert   ? ModuleHooks::Change::Insert
                        : s.kind == DataStatement::Update ? ModuleHooks::Change::Update
                                                          : ModuleHooks::Change::Delete;
    if (s.kind != DataStatement::Select) {
      tx.emplace(ctx_.db);
      bringUpToDate(translation.names);
      if (hooks_) triggered = hooks_->armTriggers(translation.names, change, changeTarget(tokens, s));
    } else if (!staleTablesAmong(translation.names).empty()) {
      WriteTransaction update(ctx_.db);
      bringUpToDate(translation.names);
      update.commit();
    }
    for (const std::string& view : translation.systemViews) ctx_.views.prepare(view);
    if (hooks_ && !translation.functions.empty()) hooks_->prepareFunctions(translation.functions);
    Stmt stmt = ctx_.db.prepare(translation.sql);
    std::map<std::string, Affinity> numericParameters;  // an interpreted batch's numeric variables
    if (variables)
      for (const auto& [name, affinity] : *variables)
        if (affinity != Affinity::Text && affinity != Affinity::Blob) numericParameters[variableParameter(name)] = affinity;
    for (int i = 1; i <= stmt.parameterCount(); ++i) {
      const char* parameter = stmt.parameterName(i);
      const auto it = parameter ? params.find(parameter + 1) : params.end();
      if (it == params.end()) {
        stmt.bindNull(i);
      } else if (const auto numeric = numericParameters.find(it->first); numeric != numericParameters.end()) {
        bindNumber(stmt, i, it->second, numeric->second);
      } else {
        stmt.bind(i, it->second);
      }
    }
    if (s.kind == DataStatement::Select) {
      if (wantRows) {
        Rows rows = readRows(stmt);
        rowsAffected_ = static_cast<std::int64_t>(rows.size());
        return rows;
      }
      for (rowsAffected_ = 0; stmt.step();) ++rowsAffected_;
      return std::nullopt;
    }
    stmt.run();
    rowsAffected_ = ctx_.db.changes();
    if (!triggered.empty()) {
      const std::int64_t changed = rowsAffected_;
      hooks_->fireTriggers(triggered, change);  // an error here undoes the statement
      rowsAffected_ = changed;
    }
    tx->commit();
    return std::nullopt;
  } catch (const SqliteFailure& failure) {
    throw refusalFor(failure, &translation, s.kind, s.endToken > s.firstToken ? &tokens[s.endToken - 1] : nullptr);
  }
}

}  // namespace db::embedded
