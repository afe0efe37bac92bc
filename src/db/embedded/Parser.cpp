#include "db/embedded/Parser.h"

#include <array>
#include <cctype>
#include <charconv>

#include "db/ConnectionString.h"

namespace db::embedded {

const char* objectKindCode(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Table: return "U";
    case ObjectKind::View: return "V";
    case ObjectKind::Procedure: return "P";
    case ObjectKind::Function: return "FN";
    case ObjectKind::Trigger: return "TR";
  }
  return "U";
}

const char* objectKindKeyword(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Table: return "TABLE";
    case ObjectKind::View: return "VIEW";
    case ObjectKind::Procedure: return "PROCEDURE";
    case ObjectKind::Function: return "FUNCTION";
    case ObjectKind::Trigger: return "TRIGGER";
  }
  return "TABLE";
}

std::optional<ObjectKind> objectKindOfCode(std::string_view code) {
  for (ObjectKind kind :
       {ObjectKind::Table, ObjectKind::View, ObjectKind::Procedure, ObjectKind::Function, ObjectKind::Trigger})
    if (code == objectKindCode(kind)) return kind;
  return std::nullopt;
}

const char* objectKindWord(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::Table: return "table";
    case ObjectKind::View: return "view";
    case ObjectKind::Procedure: return "procedure";
    case ObjectKind::Function: return "function";
    case ObjectKind::Trigger: return "trigger";
  }
  return "table";
}

namespace {

// Words that begin a T-SQL statement: a statement without ';' ends before one of them.
bool startsStatement(const Token& t) {
  static constexpr std::array<std::string_view, 26> kStarters = {
      "alter",  "begin", "break", "close",     "commit", "continue", "create",   "deallocate", "declare",
      "delete", "drop",  "else",  "end",       "exec",   "execute",  "fetch",    "goto",       "if",
      "insert", "open",  "print", "raiserror", "return", "rollback", "truncate", "while"};
  if (t.kind != TokenKind::Word) return false;
  for (std::string_view s : kStarters)
    if (t.isWord(s)) return true;
  return t.isWord("update") || t.isWord("select") || t.isWord("set") || t.isWord("use") || t.isWord("with");
}

std::string upperCase(std::string_view word) {
  std::string out(word);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::int64_t> toInt64(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

Parser::Parser(std::string_view batch, const std::vector<Token>& tokens, Dialect dialect)
    : batch_(batch), tokens_(tokens), dialect_(dialect), refusals_(refusalsFor(dialect)) {}

const Token& Parser::peek(size_t ahead) const {
  const size_t i = pos_ + ahead;
  return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

const Token& Parser::advance() {
  const Token& t = peek();
  if (pos_ < tokens_.size() - 1) ++pos_;
  return t;
}

bool Parser::acceptWord(std::string_view word) {
  if (!peek().isWord(word)) return false;
  advance();
  return true;
}

bool Parser::acceptSymbol(std::string_view symbol) {
  if (!peek().isSymbol(symbol)) return false;
  advance();
  return true;
}

void Parser::expectWord(std::string_view word, SyntaxContext context) {
  if (!acceptWord(word)) fail(context);
}

void Parser::expectSymbol(std::string_view symbol, SyntaxContext context) {
  if (!acceptSymbol(symbol)) fail(context);
}

void Parser::fail(SyntaxContext context) const {
  // At the end of the text SQL Server reports the last token it read.
  if (atEnd() && pos_ > 0) throw refusals_.syntaxNear(tokens_[pos_ - 1], context);
  throw refusals_.syntaxNear(peek(), context);
}

std::string Parser::textBetween(size_t firstToken, size_t endToken) const {
  if (endToken <= firstToken) return {};
  const size_t begin = tokens_[firstToken].begin;
  const size_t end = tokens_[endToken - 1].end;
  return std::string(batch_.substr(begin, end - begin));
}

std::vector<Statement> Parser::parseBatch() {
  std::vector<Statement> statements;
  while (true) {
    while (acceptSymbol(";")) {
    }
    if (atEnd()) break;
    if (dialect_ == Dialect::Jet && !statements.empty()) throw jetCharactersAfterStatement();
    statements.push_back(parseStatement(statements.empty()));
  }
  return statements;
}

Statement Parser::parseStatement(bool firstInBatch) {
  const Token& t = peek();
  if (t.isWord("create")) return parseCreate(firstInBatch);
  if (t.isWord("alter")) return parseAlter(firstInBatch);
  if (t.isWord("drop")) return parseDrop();
  if (t.isWord("select") || t.isWord("with") || t.isSymbol("(")) return parseData(DataStatement::Select);
  if (t.isWord("insert")) return parseData(DataStatement::Insert);
  if (t.isWord("update")) return parseData(DataStatement::Update);
  if (t.isWord("delete")) return parseData(DataStatement::Delete);
  if (dialect_ == Dialect::Jet) throw refusals_.notTsql(t);
  const size_t start = pos_;
  if (t.isWord("exec") || t.isWord("execute")) {
    advance();
    if (peek().kind == TokenKind::Variable || peek().isSymbol("("))
      return parseUnsupported("EXEC with a result variable or of a text");
    return parseExec(start);
  }
  // A batch that opens with a name calls that procedure, as EXEC would.
  if (firstInBatch && t.kind == TokenKind::Word && !isReservedKeyword(t.text)) return parseExec(start);
  // T-SQL's control-of-flow and session statements: recognised, not run yet.
  static constexpr std::array<std::string_view, 14> kTsql = {"if",        "begin",  "declare",  "set", "print",
                                                             "while",     "return", "truncate", "use", "grant",
                                                             "raiserror", "commit", "rollback", "goto"};
  for (std::string_view word : kTsql)
    if (t.isWord(word)) return parseUnsupported(upperCase(word) + " statements");
  fail(SyntaxContext::Statement);
}

Statement Parser::parseExec(size_t start) {
  ExecProcedure exec{parseObjectName(SyntaxContext::Statement), {}};
  while (!atEnd()) advance();  // the arguments: the runtime reads them
  exec.text = std::string(batch_.substr(tokens_[start].begin));
  return exec;
}

Statement Parser::parseUnsupported(std::string what) {
  // Skips the rest of the batch: without running the statement the engine cannot know where
  // a compound one ends.
  while (!atEnd()) advance();
  return Unsupported{std::move(what)};
}

// ---- CREATE ---------------------------------------------------------------------------

Statement Parser::parseCreate(bool firstInBatch) {
  const size_t start = pos_;
  advance();  // CREATE
  if (peek().isWord("table")) return parseCreateTable();
  if (acceptWord("unique")) {
    acceptWord("clustered") || acceptWord("nonclustered");
    if (!peek().isWord("index")) fail(SyntaxContext::CreateIndex);
    return parseCreateIndex(true);
  }
  if (acceptWord("clustered") || acceptWord("nonclustered")) {
    if (!peek().isWord("index")) fail(SyntaxContext::CreateIndex);
    return parseCreateIndex(false);
  }
  if (peek().isWord("index")) return parseCreateIndex(false);
  if (peek().isWord("view")) return parseModule(ObjectKind::View, false, start, firstInBatch);
  if (dialect_ == Dialect::Jet) fail(SyntaxContext::CreateTable);
  if (peek().isWord("procedure") || peek().isWord("proc"))
    return parseModule(ObjectKind::Procedure, false, start, firstInBatch);
  if (peek().isWord("function")) return parseModule(ObjectKind::Function, false, start, firstInBatch);
  if (peek().isWord("trigger")) return parseModule(ObjectKind::Trigger, false, start, firstInBatch);
  if (acceptWord("database")) {
    CreateDatabase create{parseName(SyntaxContext::Statement)};
    // File placement, collation and option clauses mean nothing to the engine's one-file
    // catalogs and are skipped; anything else after the name is refused, as the server does.
    if (!atStatementEnd() && !startsStatement(peek())) {
      if (!(peek().isWord("on") || peek().isWord("collate") || peek().isWord("with") ||
            peek().isWord("containment") || peek().isWord("log")))
        fail(SyntaxContext::Statement);
      while (!atStatementEnd() && !startsStatement(peek())) advance();
    }
    return create;
  }
  fail(SyntaxContext::Statement);
}

Statement Parser::parseCreateTable() {
  advance();  // TABLE
  CreateTable create;
  create.table = parseObjectName(SyntaxContext::CreateTable);
  if (!peek().isSymbol("(")) {
    // Jet creates a table without columns; SQL Server requires the column list.
    if (dialect_ == Dialect::Jet && atStatementEnd()) {
      create.hasColumnList = false;
      return create;
    }
    fail(SyntaxContext::CreateTable);
  }
  advance();  // (
  do {
    const Token& t = peek();
    if (t.isWord("constraint") || t.isWord("primary") || t.isWord("unique") || t.isWord("foreign") ||
        t.isWord("check")) {
      create.constraints.push_back(parseTableConstraint(SyntaxContext::CreateTable));
    } else {
      create.columns.push_back(parseColumnDef(SyntaxContext::CreateTable));
    }
  } while (acceptSymbol(","));
  expectSymbol(")", SyntaxContext::CreateTable);
  // ON filegroup / TEXTIMAGE_ON filegroup: storage placement, nothing to the engine.
  while (acceptWord("on") || acceptWord("textimage_on")) parseName(SyntaxContext::CreateTable);
  return create;
}

Statement Parser::parseCreateIndex(bool unique) {
  advance();  // INDEX
  CreateIndex create;
  create.unique = unique;
  create.name = parseName(SyntaxContext::CreateIndex);
  expectWord("on", SyntaxContext::CreateIndex);
  create.table = parseObjectName(SyntaxContext::CreateIndex);
  create.columns = parseNameList(SyntaxContext::CreateIndex, true);
  if (acceptWord("include")) create.included = parseNameList(SyntaxContext::CreateIndex, false);
  // WHERE (filtered index), WITH (options), ON filegroup: accepted and not kept. The options'
  // WITH belongs to the index, not to a common table expression starting the next statement.
  while (!atStatementEnd()) {
    if (acceptWord("with")) {
      parseParenthesized(SyntaxContext::CreateIndex);
    } else if (startsStatement(peek())) {
      break;
    } else if (peek().isSymbol("(")) {
      parseParenthesized(SyntaxContext::CreateIndex);
    } else {
      advance();
    }
  }
  return create;
}

Statement Parser::parseModule(ObjectKind kind, bool alter, size_t statementStart, bool firstInBatch) {
  if (!firstInBatch && dialect_ == Dialect::SqlServer)
    throw refusals_.firstInBatch(std::string(alter ? "ALTER " : "CREATE ") + objectKindKeyword(kind));
  advance();  // VIEW / PROC / PROCEDURE / FUNCTION / TRIGGER
  CreateModule module;
  module.kind = kind;
  module.alter = alter;
  module.name = parseObjectName(SyntaxContext::Statement);
  if (kind == ObjectKind::Trigger) {
    expectWord("on", SyntaxContext::Statement);
    module.parentTable = parseObjectName(SyntaxContext::Statement);
  }
  // The body runs to the end of the batch: nothing may follow it in the same batch.
  while (!atEnd()) advance();
  module.text = std::string(batch_.substr(tokens_[statementStart].begin));
  while (!module.text.empty() && (module.text.back() == ' ' || module.text.back() == '\r' ||
                                  module.text.back() == '\n' || module.text.back() == '\t'))
    module.text.pop_back();
  return module;
}

// ---- ALTER ------------------------------------------------------------------------------

Statement Parser::parseAlter(bool firstInBatch) {
  const size_t start = pos_;
  advance();  // ALTER
  if (peek().isWord("table")) return parseAlterTable();
  if (dialect_ == Dialect::SqlServer) {
    if (peek().isWord("view")) return parseModule(ObjectKind::View, true, start, firstInBatch);
    if (peek().isWord("procedure") || peek().isWord("proc"))
      return parseModule(ObjectKind::Procedure, true, start, firstInBatch);
    if (peek().isWord("function")) return parseModule(ObjectKind::Function, true, start, firstInBatch);
    if (peek().isWord("trigger")) return parseModule(ObjectKind::Trigger, true, start, firstInBatch);
  }
  fail(SyntaxContext::AlterTable);
}

Statement Parser::parseAlterTable() {
  advance();  // TABLE
  const ObjectName table = parseObjectName(SyntaxContext::AlterTable);
  if (acceptWord("add")) {
    // Jet writes ADD COLUMN; T-SQL knows no COLUMN after ADD.
    if (dialect_ == Dialect::Jet) acceptWord("column");
    AddToTable add{table, {}, {}};
    do {
      const Token& t = peek();
      if (t.isWord("constraint") || t.isWord("primary") || t.isWord("unique") || t.isWord("foreign") ||
          t.isWord("check")) {
        add.constraints.push_back(parseTableConstraint(SyntaxContext::AlterTable));
      } else {
        add.columns.push_back(parseColumnDef(SyntaxContext::AlterTable));
      }
    } while (acceptSymbol(","));
    return add;
  }
  if (acceptWord("alter")) {
    expectWord("column", SyntaxContext::AlterTable);
    AlterColumn alter;
    alter.table = table;
    alter.column = parseName(SyntaxContext::AlterTable);
    alter.type = parseType(SyntaxContext::AlterTable);
    while (true) {
      if (acceptWord("null")) {
        alter.notNull = false;
      } else if (peek().isWord("not") && peek(1).isWord("null")) {
        advance();
        advance();
        alter.notNull = true;
      } else if (acceptWord("collate")) {
        parseName(SyntaxContext::AlterTable);
      } else {
        break;
      }
    }
    return alter;
  }
  if (acceptWord("drop")) {
    if (acceptWord("column")) {
      DropColumns drop{table, {}};
      do drop.columns.push_back(parseName(SyntaxContext::AlterTable));
      while (acceptSymbol(","));
      return drop;
    }
    // T-SQL reads "DROP name" as DROP CONSTRAINT name; Jet requires the keyword.
    const bool saidConstraint = acceptWord("constraint");
    if (!saidConstraint && dialect_ == Dialect::Jet) fail(SyntaxContext::AlterTable);
    DropConstraints drop{table, {}};
    do drop.names.push_back(parseName(SyntaxContext::AlterTable));
    while (acceptSymbol(","));
    return drop;
  }
  if (dialect_ == Dialect::SqlServer && (peek().isWord("with") || peek().isWord("check") || peek().isWord("nocheck") ||
                                         peek().isWord("enable") || peek().isWord("disable")))
    return parseUnsupported("ALTER TABLE ... CHECK, NOCHECK, ENABLE or DISABLE");
  fail(SyntaxContext::AlterTable);
}

// ---- DROP -------------------------------------------------------------------------------

Statement Parser::parseDrop() {
  advance();  // DROP
  if (peek().isWord("index")) return parseDropIndex();
  DropObjects drop;
  if (acceptWord("table")) {
    drop.kind = ObjectKind::Table;
  } else if (acceptWord("view")) {
    drop.kind = ObjectKind::View;
  } else if (dialect_ == Dialect::SqlServer && (acceptWord("procedure") || acceptWord("proc"))) {
    drop.kind = ObjectKind::Procedure;
  } else if (dialect_ == Dialect::SqlServer && acceptWord("function")) {
    drop.kind = ObjectKind::Function;
  } else if (dialect_ == Dialect::SqlServer && acceptWord("trigger")) {
    drop.kind = ObjectKind::Trigger;
  } else if (dialect_ == Dialect::SqlServer && peek().isWord("database")) {
    return parseUnsupported("DROP DATABASE");
  } else {
    fail(SyntaxContext::Drop);
  }
  if (dialect_ == Dialect::SqlServer && peek().isWord("if") && peek(1).isWord("exists")) {
    advance();
    advance();
    drop.ifExists = true;
  }
  do drop.names.push_back(parseObjectName(SyntaxContext::Drop));
  while (acceptSymbol(","));
  return drop;
}

Statement Parser::parseDropIndex() {
  advance();  // INDEX
  DropIndex drop;
  do {
    ObjectName first = parseObjectName(SyntaxContext::Drop);
    DropIndex::Target target;
    if (acceptWord("on")) {  // DROP INDEX ix ON t
      target.index = first.name;
      target.table = parseObjectName(SyntaxContext::Drop);
      target.written = target.table.written + "." + target.index;
    } else {  // DROP INDEX t.ix (the older form; Jet: DROP INDEX ix ON t only)
      if (first.schema.empty() || dialect_ == Dialect::Jet) fail(SyntaxContext::Drop);
      target.index = first.name;
      target.table.name = first.schema;
      target.table.schema = first.database;
      target.table.written = first.schema;
      target.written = first.written;
    }
    drop.targets.push_back(std::move(target));
  } while (acceptSymbol(","));
  return drop;
}

// ---- SELECT / INSERT / UPDATE / DELETE ------------------------------------------------------

Statement Parser::parseData(DataStatement::Kind kind) {
  const size_t first = pos_;
  const size_t end = skipToStatementEnd(kind);
  return DataStatement{kind, first, end};
}

// Finds where a data statement ends: at ';', at the end, or where a new statement begins
// outside parentheses and CASE ... END. A SELECT continues the statement after UNION, EXCEPT
// or INTERSECT, as the source of an INSERT, and after a WITH's common table expressions; SET
// continues an UPDATE; WITH ( ... ) after a table is a table hint.
size_t Parser::skipToStatementEnd(DataStatement::Kind kind) {
  const bool startsWithCte = peek().isWord("with");
  int depth = 0;
  int caseDepth = 0;
  bool first = true;
  bool updateSetSeen = false;
  bool insertSourceSeen = false;
  while (!atEnd()) {
    const Token& t = peek();
    if (depth == 0 && !first) {
      if (t.isSymbol(";")) break;
      const bool tableHint = t.isWord("with") && peek(1).isSymbol("(");
      const bool inCase = caseDepth > 0 && (t.isWord("else") || t.isWord("end"));
      if (startsStatement(t) && !tableHint && !inCase) {
        const Token& previous = tokens_[pos_ - 1];
        const bool afterSetOperator = previous.isWord("union") || previous.isWord("all") || previous.isWord("except") ||
                                      previous.isWord("intersect");
        const bool continuesSelect =
            t.isWord("select") && (afterSetOperator || (kind == DataStatement::Insert && !insertSourceSeen) ||
                                   (startsWithCte && previous.isSymbol(")")));
        const bool updateSet = t.isWord("set") && kind == DataStatement::Update && !updateSetSeen;
        if (!continuesSelect && !updateSet) break;
        if (updateSet) updateSetSeen = true;
      }
      if (t.isWord("values") || t.isWord("select")) insertSourceSeen = true;
    }
    if (t.isWord("case")) ++caseDepth;
    if (t.isWord("end") && caseDepth > 0) --caseDepth;
    if (t.isSymbol("(")) ++depth;
    if (t.isSymbol(")")) {
      if (depth == 0) fail(SyntaxContext::Statement);
      --depth;
    }
    if (t.kind == TokenKind::Variable && dialect_ == Dialect::Jet) throw refusals_.notTsql(t);
    first = false;
    advance();
  }
  if (depth != 0) fail(SyntaxContext::Statement);
  return pos_;
}

// ---- Pieces -----------------------------------------------------------------------------

std::string Parser::parseName(SyntaxContext context) {
  const Token& t = peek();
  if (t.kind == TokenKind::QuotedName) {
    advance();
    return t.value;
  }
  if (t.kind == TokenKind::Word && !isReservedKeyword(t.text)) {
    advance();
    return t.text;
  }
  fail(context);
}

ObjectName Parser::parseObjectName(SyntaxContext context) {
  // Up to three parts; an empty middle part ("master..sysdatabases") means the default schema.
  std::vector<std::string> parts{parseName(context)};
  while (peek().isSymbol(".")) {
    advance();
    if (peek().isSymbol(".")) {
      parts.emplace_back();
      continue;
    }
    parts.push_back(parseName(context));
  }
  if (parts.size() > 3) fail(context);
  ObjectName name;
  name.name = parts.back();
  if (parts.size() >= 2) name.schema = parts[parts.size() - 2];
  if (parts.size() == 3) name.database = parts[0];
  for (size_t i = 0; i < parts.size(); ++i) name.written += (i ? "." : "") + parts[i];
  return name;
}

std::vector<std::string> Parser::parseNameList(SyntaxContext context, bool allowOrder) {
  expectSymbol("(", context);
  std::vector<std::string> names;
  do {
    names.push_back(parseName(context));
    if (allowOrder) acceptWord("asc") || acceptWord("desc");
  } while (acceptSymbol(","));
  expectSymbol(")", context);
  return names;
}

TypeRef Parser::parseType(SyntaxContext context) {
  const size_t first = pos_;
  TypeRef type;
  // A type name may be bracketed ([int]) and, for one synonym, two words.
  if (peek().kind == TokenKind::QuotedName) {
    type.name = advance().value;
  } else if (peek().kind == TokenKind::Word) {
    type.name = advance().text;
    if (equalsAsciiNoCase(type.name, "double") && peek().isWord("precision")) type.name += " " + advance().text;
  } else {
    fail(context);
  }
  if (acceptSymbol("(")) {
    do {
      const Token& arg = peek();
      if (arg.kind != TokenKind::Number && !arg.isWord("max")) fail(context);
      type.args.push_back(advance().text);
    } while (acceptSymbol(","));
    expectSymbol(")", context);
  }
  type.written = textBetween(first, pos_);
  return type;
}

std::string Parser::parseParenthesized(SyntaxContext context) {
  const size_t first = pos_;
  expectSymbol("(", context);
  int depth = 1;
  while (depth > 0) {
    if (atEnd()) fail(context);
    const Token& t = advance();
    if (t.isSymbol("(")) ++depth;
    if (t.isSymbol(")")) --depth;
  }
  return textBetween(first, pos_);
}

std::string Parser::parseDefaultExpression(SyntaxContext context) {
  // DEFAULT (expr), DEFAULT 'text', DEFAULT -1, DEFAULT getdate(), DEFAULT NULL
  const size_t first = pos_;
  if (peek().isSymbol("(")) return parseParenthesized(context);
  if (peek().isSymbol("-") || peek().isSymbol("+")) advance();
  const Token& t = peek();
  if (t.kind == TokenKind::Number || t.kind == TokenKind::String || t.kind == TokenKind::Binary || t.isWord("null")) {
    advance();
    return textBetween(first, pos_);
  }
  if (t.kind == TokenKind::Word && peek(1).isSymbol("(")) {  // a function call
    advance();
    parseParenthesized(context);
    return textBetween(first, pos_);
  }
  if (t.isName() && peek(1).isSymbol(".") && peek(2).isName() && peek(3).isSymbol("(")) {  // dbo.F(...)
    for (int k = 0; k < 3; ++k) advance();
    parseParenthesized(context);
    return textBetween(first, pos_);
  }
  fail(context);
}

TableConstraint Parser::parseTableConstraint(SyntaxContext context) {
  TableConstraint c;
  if (acceptWord("constraint")) c.name = parseName(context);
  const size_t first = pos_;
  if (acceptWord("primary")) {
    expectWord("key", context);
    c.kind = TableConstraint::PrimaryKey;
  } else if (acceptWord("unique")) {
    c.kind = TableConstraint::Unique;
  } else if (acceptWord("foreign")) {
    expectWord("key", context);
    c.kind = TableConstraint::ForeignKey;
    c.columns = parseNameList(context, false);
    expectWord("references", context);
    c.referencedTable = parseObjectName(context);
    if (peek().isSymbol("(")) c.referencedColumns = parseNameList(context, false);
    while (peek().isWord("on") || peek().isWord("not")) {  // ON DELETE CASCADE, NOT FOR REPLICATION
      advance();
      while (peek().kind == TokenKind::Word && !peek().isWord("on") && !peek().isWord("constraint")) advance();
    }
    c.text = textBetween(first, pos_);
    return c;
  } else if (acceptWord("check")) {
    c.kind = TableConstraint::Check;
    c.text = parseParenthesized(context);
    return c;
  } else if (acceptWord("default")) {
    c.kind = TableConstraint::Default;
    c.text = parseDefaultExpression(context);
    expectWord("for", context);
    c.columns.push_back(parseName(context));
    return c;
  } else {
    fail(context);
  }
  acceptWord("clustered") || acceptWord("nonclustered");
  c.columns = parseNameList(context, true);
  // WITH (FILLFACTOR = ...) / ON filegroup
  if (acceptWord("with")) parseParenthesized(context);
  if (acceptWord("on")) parseName(context);
  return c;
}

ColumnDef Parser::parseColumnDef(SyntaxContext context) {
  ColumnDef column;
  column.name = parseName(context);
  const SyntaxContext field = dialect_ == Dialect::Jet ? SyntaxContext::FieldDefinition : context;
  if (acceptWord("as")) {
    if (dialect_ == Dialect::Jet) fail(field);  // Jet has no computed columns
    const size_t first = pos_;
    int depth = 0;
    while (!atEnd()) {
      const Token& t = peek();
      if (depth == 0 && (t.isSymbol(",") || t.isSymbol(")") || t.isWord("persisted") || t.isWord("constraint") ||
                         t.isWord("primary") || t.isWord("unique") || t.isSymbol(";")))
        break;
      if (t.isSymbol("(")) ++depth;
      if (t.isSymbol(")")) --depth;
      advance();
    }
    if (pos_ == first) fail(context);
    column.computed = textBetween(first, pos_);
    acceptWord("persisted");
  } else {
    column.type = parseType(field);
  }

  std::string pendingName;  // from CONSTRAINT name, for the constraint that follows
  while (true) {
    if (acceptWord("null")) {
      column.notNull = false;
    } else if (peek().isWord("not") && peek(1).isWord("null")) {
      advance();
      advance();
      column.notNull = true;
    } else if (acceptWord("identity")) {
      Identity identity;
      if (acceptSymbol("(")) {
        auto number = [&]() -> std::int64_t {
          std::string text;
          if (peek().isSymbol("-")) text = advance().text;
          if (peek().kind != TokenKind::Number) fail(field);
          text += advance().text;
          const auto v = toInt64(text);
          if (!v) fail(field);
          return *v;
        };
        identity.seed = number();
        expectSymbol(",", field);
        identity.increment = number();
        expectSymbol(")", field);
      }
      column.identity = identity;
      if (peek().isWord("not") && peek(1).isWord("for")) {  // NOT FOR REPLICATION
        advance();
        advance();
        expectWord("replication", field);
      }
    } else if (acceptWord("constraint")) {
      pendingName = parseName(field);
    } else if (acceptWord("default")) {
      column.defaultValue = DefaultDef{parseDefaultExpression(field), pendingName};
      pendingName.clear();
    } else if (peek().isWord("primary") || peek().isWord("unique")) {
      TableConstraint key;
      key.kind = peek().isWord("primary") ? TableConstraint::PrimaryKey : TableConstraint::Unique;
      advance();
      if (key.kind == TableConstraint::PrimaryKey) expectWord("key", field);
      key.name = pendingName;
      pendingName.clear();
      acceptWord("clustered") || acceptWord("nonclustered");
      // SQL Server also takes a column list after a column's own PRIMARY KEY / UNIQUE.
      if (peek().isSymbol("(")) {
        key.columns = parseNameList(field, true);
      } else {
        key.columns = {column.name};
      }
      column.constraints.push_back(std::move(key));
    } else if (peek().isWord("references") || peek().isWord("foreign")) {
      const size_t first = pos_;
      if (acceptWord("foreign")) expectWord("key", field);
      expectWord("references", field);
      ObjectName referenced = parseObjectName(field);
      std::vector<std::string> referencedColumns;
      if (peek().isSymbol("(")) referencedColumns = parseNameList(field, false);
      while (peek().isWord("on")) {
        advance();
        advance();  // DELETE / UPDATE
        while (peek().isWord("cascade") || peek().isWord("no") || peek().isWord("action") || peek().isWord("set") ||
               peek().isWord("null") || peek().isWord("default"))
          advance();
      }
      column.constraints.push_back({TableConstraint::ForeignKey, pendingName, {column.name}, textBetween(first, pos_),
                                    std::move(referenced), std::move(referencedColumns)});
      pendingName.clear();
    } else if (acceptWord("check")) {
      column.constraints.push_back(
          {TableConstraint::Check, pendingName, {column.name}, "CHECK " + parseParenthesized(field), {}, {}});
      pendingName.clear();
    } else if (acceptWord("collate")) {
      parseName(field);
    } else if (acceptWord("rowguidcol") || acceptWord("sparse") || acceptWord("filestream")) {
      // storage attributes, nothing to the engine
    } else if (dialect_ == Dialect::Jet && acceptWord("with")) {
      if (!acceptWord("compression")) expectWord("comp", field);  // Jet: WITH COMPRESSION
    } else {
      break;
    }
  }
  if (!pendingName.empty()) fail(field);
  const Token& next = peek();
  if (!(next.isSymbol(",") || next.isSymbol(")") || atStatementEnd() || startsStatement(next))) fail(field);
  return column;
}

}  // namespace db::embedded
