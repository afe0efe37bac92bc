#include "db/Text.h"
#include "db/embedded/syntax/BatchParser.h"

// Definitions: CREATE / ALTER / DROP of tables, indexes and databases, and the modules (views,
// functions, procedures, triggers) with their parameters and bodies.
namespace db::embedded::syntax {

namespace {

// What SQL Server's 111 names for a module that does not begin its batch.
std::string firstInBatchName(ModuleAction action, ObjectKind kind) {
  if (kind == ObjectKind::Procedure) return "CREATE/ALTER PROCEDURE";
  return std::string(action == ModuleAction::Alter ? "ALTER " : "CREATE ") + std::string(objectKindKeyword(kind));
}

std::optional<ObjectKind> moduleKind(const Token& t) {
  if (t.isWord("view")) return ObjectKind::View;
  if (t.isWord("proc") || t.isWord("procedure")) return ObjectKind::Procedure;
  if (t.isWord("function")) return ObjectKind::Function;
  if (t.isWord("trigger")) return ObjectKind::Trigger;
  return std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// CREATE, ALTER, DROP

StatementPtr BatchParser::parseCreate(bool firstInBatch) {
  const size_t first = pos_;
  expectWord("create");
  ModuleAction action = ModuleAction::Create;
  if (peekWord("or") && peekWord("alter", 1)) {
    advance();
    advance();
    action = ModuleAction::CreateOrAlter;
    if (!moduleKind(peek())) fail();
  }
  if (moduleKind(peek())) return parseModule(action, first, firstInBatch);
  if (peekWord("table")) return parseCreateTable(first);
  if (peekWord("unique") || peekWord("clustered") || peekWord("nonclustered") || peekWord("index"))
    return parseCreateIndex(first);
  if (peekWord("database")) return parseCreateDatabase(first);
  if (peek().kind == TokenKind::Word) unsupported("CREATE " + asciiLower(peek().text));
  fail();
}

StatementPtr BatchParser::parseAlter(bool firstInBatch) {
  const size_t first = pos_;
  expectWord("alter");
  if (moduleKind(peek())) return parseModule(ModuleAction::Alter, first, firstInBatch);
  if (peekWord("table")) return parseAlterTable(first);
  if (peek().kind == TokenKind::Word) unsupported("ALTER " + asciiLower(peek().text));
  fail();
}

StatementPtr BatchParser::parseDrop() {
  const size_t first = pos_;
  expectWord("drop");
  if (peekWord("index")) return parseDropIndex(first);
  auto s = std::make_unique<DropObjectsStatement>();
  if (acceptWord("table")) {
    s->objectKind = ObjectKind::Table;
  } else if (acceptWord("database")) {
    s->objectKind = ObjectKind::Database;
  } else if (auto kind = moduleKind(peek())) {
    advance();
    s->objectKind = *kind;
  } else if (peek().kind == TokenKind::Word) {
    unsupported("DROP " + asciiLower(peek().text));
  } else {
    fail();
  }
  if (peekWord("if") && peekWord("exists", 1)) {
    advance();
    advance();
    s->ifExists = true;
  }
  do {
    s->names.push_back(parseObjectName());
  } while (acceptSymbol(","));
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseDropIndex(size_t first) {
  expectWord("index");
  auto s = std::make_unique<DropIndexStatement>();
  if (peekWord("if") && peekWord("exists", 1)) {
    advance();
    advance();
    s->ifExists = true;
  }
  do {
    ObjectName written = parseObjectName();
    DropIndexStatement::Target target;
    if (acceptWord("on")) {
      // n ON t
      if (written.parts.size() != 1) failAt(tokens_[pos_ - 1]);
      target.index = written.parts.front();
      target.table = parseObjectName();
    } else {
      // t.n: the last part names the index, the others its table.
      if (written.parts.size() < 2) fail();
      target.index = written.parts.back();
      written.parts.pop_back();
      target.table = std::move(written);
    }
    s->targets.push_back(std::move(target));
  } while (acceptSymbol(","));
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseCreateDatabase(size_t first) {
  expectWord("database");
  auto s = std::make_unique<CreateDatabaseStatement>();
  s->name = parseIdentifier();
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseUse() {
  const size_t first = pos_;
  expectWord("use");
  auto s = std::make_unique<UseStatement>();
  s->database = parseIdentifier();
  finish(*s, first);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Tables

StatementPtr BatchParser::parseCreateTable(size_t first) {
  expectWord("table");
  auto s = std::make_unique<CreateTableStatement>();
  s->name = parseObjectName();
  TableDefinition definition = parseTableDefinition();
  s->columns = std::move(definition.columns);
  s->constraints = std::move(definition.constraints);
  if (acceptWord("on")) s->fileGroup = parseFileGroup();
  if (acceptWord("textimage_on")) parseFileGroup();
  finish(*s, first);
  return s;
}

TableDefinition BatchParser::parseTableDefinition() {
  TableDefinition definition;
  expectSymbol("(");
  do {
    parseTableElement(definition.columns, definition.constraints, false);
  } while (acceptSymbol(","));
  expectSymbol(")");
  return definition;
}

void BatchParser::parseTableElement(std::vector<ColumnDefinition>& columns, std::vector<Constraint>& constraints,
                                    bool defaultConstraintAllowed) {
  if (peekTableConstraint(defaultConstraintAllowed)) {
    constraints.push_back(parseTableConstraint(defaultConstraintAllowed));
  } else {
    columns.push_back(parseColumnDefinition());
  }
}

bool BatchParser::peekTableConstraint(bool defaultConstraintAllowed) const {
  return peekWord("constraint") || peekWord("primary") || peekWord("unique") || peekWord("foreign") ||
         peekWord("check") || (defaultConstraintAllowed && peekWord("default"));
}

ColumnDefinition BatchParser::parseColumnDefinition() {
  const size_t first = pos_;
  ColumnDefinition column;
  column.name = parseIdentifier();
  if (acceptWord("as")) {
    column.computed = parseScalar();
    if (acceptWord("persisted")) {
      column.persisted = true;
      if (peekWord("not") && peekWord("null", 1)) {
        advance();
        advance();
        column.nullable = false;
      }
    }
  } else {
    column.type = parseType();
  }
  while (parseColumnConstraint(column)) {
  }
  finish(column, first);
  return column;
}

bool BatchParser::parseColumnConstraint(ColumnDefinition& column) {
  const size_t first = pos_;
  if (acceptWord("null")) {
    column.nullable = true;
    return true;
  }
  if (peekWord("not") && peekWord("null", 1)) {
    advance();
    advance();
    column.nullable = false;
    return true;
  }
  if (peekWord("not") && peekWord("for", 1)) {  // NOT FOR REPLICATION
    advance();
    advance();
    expectWord("replication");
    return true;
  }
  if (acceptWord("identity")) {
    IdentitySpec identity;
    if (acceptSymbol("(")) {
      auto signedNumber = [this] {
        std::string sign = acceptSymbol("-") ? "-" : "";
        if (peek().kind != TokenKind::Number) fail();
        return sign + advance().text;
      };
      identity.seed = signedNumber();
      expectSymbol(",");
      identity.increment = signedNumber();
      expectSymbol(")");
    }
    column.identity = identity;
    return true;
  }
  if (acceptWord("collate")) {
    if (peek().kind != TokenKind::Word) fail();
    column.collation = advance().text;
    return true;
  }
  if (acceptWord("rowguidcol")) {
    column.rowGuidCol = true;
    return true;
  }

  Constraint c;
  if (acceptWord("constraint")) c.name = parseIdentifier();
  if (acceptWord("default")) {
    c.kind = ConstraintKind::Default;
    c.expression = parseScalar();
    if (peekWord("with") && peekWord("values", 1)) {
      advance();
      advance();
      c.withValues = true;
    }
  } else if (peekWord("primary") || peekWord("unique")) {
    c.kind = advance().isWord("primary") ? ConstraintKind::PrimaryKey : ConstraintKind::Unique;
    if (c.kind == ConstraintKind::PrimaryKey) expectWord("key");
    parseKeyDetails(c, false);
  } else if (peekWord("foreign") || peekWord("references")) {
    c.kind = ConstraintKind::ForeignKey;
    if (acceptWord("foreign")) expectWord("key");
    parseReferences(c);
  } else if (acceptWord("check")) {
    parseCheck(c);
  } else {
    if (c.name) fail();  // CONSTRAINT name must name something
    return false;
  }
  finish(c, first);
  column.constraints.push_back(std::move(c));
  return true;
}

// CHECK [NOT FOR REPLICATION] (condition), after its keyword.
void BatchParser::parseCheck(Constraint& c) {
  c.kind = ConstraintKind::Check;
  if (acceptWord("not")) {
    expectWord("for");
    expectWord("replication");
  }
  expectSymbol("(");
  c.expression = parseCondition();
  expectSymbol(")");
}

Constraint BatchParser::parseTableConstraint(bool defaultConstraintAllowed) {
  const size_t first = pos_;
  Constraint c;
  if (acceptWord("constraint")) c.name = parseIdentifier();
  if (peekWord("primary") || peekWord("unique")) {
    c.kind = advance().isWord("primary") ? ConstraintKind::PrimaryKey : ConstraintKind::Unique;
    if (c.kind == ConstraintKind::PrimaryKey) expectWord("key");
    parseKeyDetails(c, true);
  } else if (acceptWord("foreign")) {
    c.kind = ConstraintKind::ForeignKey;
    expectWord("key");
    for (Identifier& name : parseParenthesizedIdentifiers()) c.columns.push_back(IndexColumn{std::move(name), {}});
    parseReferences(c);
  } else if (acceptWord("check")) {
    parseCheck(c);
  } else if (defaultConstraintAllowed && acceptWord("default")) {
    // ALTER TABLE t ADD [CONSTRAINT n] DEFAULT expr FOR col [WITH VALUES]
    c.kind = ConstraintKind::Default;
    c.expression = parseScalar();
    expectWord("for");
    c.defaultFor = parseIdentifier();
    if (peekWord("with") && peekWord("values", 1)) {
      advance();
      advance();
      c.withValues = true;
    }
  } else {
    fail();
  }
  finish(c, first);
  return c;
}

Clustering BatchParser::parseClustering() {
  if (acceptWord("clustered")) return Clustering::Clustered;
  if (acceptWord("nonclustered")) return Clustering::Nonclustered;
  return Clustering::Unspecified;
}

void BatchParser::parseKeyDetails(Constraint& c, bool tableLevel) {
  c.clustering = parseClustering();
  if (tableLevel) c.columns = parseIndexColumns();
  if (peekWord("with")) {
    advance();
    c.options = parseIndexOptions();
  }
  if (acceptWord("on")) c.fileGroup = parseFileGroup();
}

void BatchParser::parseReferences(Constraint& c) {
  expectWord("references");
  c.referencedTable = parseObjectName();
  if (peekSymbol("(")) c.referencedColumns = parseParenthesizedIdentifiers();
  while (peekWord("on") && (peekWord("delete", 1) || peekWord("update", 1))) {
    advance();
    const bool onDelete = advance().isWord("delete");
    ReferentialAction action;
    if (acceptWord("cascade")) {
      action = ReferentialAction::Cascade;
    } else if (acceptWord("no")) {
      expectWord("action");
      action = ReferentialAction::NoAction;
    } else if (acceptWord("set")) {
      if (acceptWord("null")) {
        action = ReferentialAction::SetNull;
      } else {
        expectWord("default");
        action = ReferentialAction::SetDefault;
      }
    } else {
      fail();
    }
    (onDelete ? c.onDelete : c.onUpdate) = action;
  }
  if (peekWord("not") && peekWord("for", 1)) {
    advance();
    advance();
    expectWord("replication");
  }
}

std::vector<IndexColumn> BatchParser::parseIndexColumns() {
  std::vector<IndexColumn> columns;
  expectSymbol("(");
  do {
    IndexColumn column;
    column.name = parseIdentifier();
    if (acceptWord("asc")) {
      column.direction = SortDirection::Ascending;
    } else if (acceptWord("desc")) {
      column.direction = SortDirection::Descending;
    }
    columns.push_back(std::move(column));
  } while (acceptSymbol(","));
  expectSymbol(")");
  return columns;
}

// After WITH: (name = value, ...) or the older bare list (FILLFACTOR = 80, PAD_INDEX).
std::vector<IndexOption> BatchParser::parseIndexOptions() {
  std::vector<IndexOption> options;
  const bool parenthesized = acceptSymbol("(");
  do {
    IndexOption option;
    option.name = upperWord();
    if (acceptSymbol("=")) {
      const Token& v = peek();
      if (v.kind == TokenKind::Word) {
        option.value = upperWord();
      } else if (v.kind == TokenKind::Number) {
        option.value = advance().text;
      } else {
        fail();
      }
    }
    options.push_back(std::move(option));
  } while (acceptSymbol(","));
  if (parenthesized) expectSymbol(")");
  return options;
}

std::string BatchParser::parseFileGroup() {
  if (peek().kind == TokenKind::String) return advance().value;  // ON "default" reads as a name too
  return parseIdentifier().value;
}

StatementPtr BatchParser::parseAlterTable(size_t first) {
  expectWord("table");
  auto s = std::make_unique<AlterTableStatement>();
  s->table = parseObjectName();
  if (peekWord("with") && (peekWord("check", 1) || peekWord("nocheck", 1))) {
    advance();
    s->withCheck = advance().isWord("check");
    if (!peekWord("add") && !peekWord("check") && !peekWord("nocheck")) fail();
  }
  if (acceptWord("add")) {
    s->action = AlterTableAction::Add;
    do {
      parseTableElement(s->addColumns, s->addConstraints, true);
    } while (acceptSymbol(","));
  } else if (peekWord("alter") && peekWord("column", 1)) {
    advance();
    advance();
    s->action = AlterTableAction::AlterColumn;
    s->column = parseIdentifier();
    if (peekWord("add") || peekWord("drop")) unsupported("ALTER COLUMN ... ADD / DROP");
    s->type = parseType();
    if (acceptWord("collate")) {
      if (peek().kind != TokenKind::Word) fail();
      s->collation = advance().text;
    }
    if (acceptWord("null")) {
      s->nullable = true;
    } else if (acceptWord("not")) {
      expectWord("null");
      s->nullable = false;
    }
  } else if (acceptWord("drop")) {
    s->action = AlterTableAction::Drop;
    DropItem::Kind kind = DropItem::Kind::Constraint;
    do {
      if (acceptWord("column")) {
        kind = DropItem::Kind::Column;
      } else if (acceptWord("constraint")) {
        kind = DropItem::Kind::Constraint;
      }
      DropItem item;
      item.kind = kind;
      if (peekWord("if") && peekWord("exists", 1)) {
        advance();
        advance();
        item.ifExists = true;
      }
      item.name = parseIdentifier();
      s->drops.push_back(std::move(item));
    } while (acceptSymbol(","));
  } else if (peekWord("check") || peekWord("nocheck")) {
    s->action = AlterTableAction::CheckConstraints;
    s->enable = advance().isWord("check");
    expectWord("constraint");
    if (acceptWord("all")) {
      s->allConstraints = true;
    } else {
      s->constraintNames = parseIdentifierList();
    }
  } else {
    fail();
  }
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseCreateIndex(size_t first) {
  auto s = std::make_unique<CreateIndexStatement>();
  s->unique = acceptWord("unique");
  s->clustering = parseClustering();
  expectWord("index");
  s->name = parseIdentifier();
  expectWord("on");
  s->table = parseObjectName();
  s->columns = parseIndexColumns();
  if (acceptWord("include")) s->include = parseParenthesizedIdentifiers();
  if (acceptWord("where")) s->where = parseCondition();
  if (acceptWord("with")) s->options = parseIndexOptions();
  if (acceptWord("on")) s->fileGroup = parseFileGroup();
  finish(*s, first);
  return s;
}

// ---------------------------------------------------------------------------------------------
// Modules

StatementPtr BatchParser::parseModule(ModuleAction action, size_t first, bool firstInBatch) {
  const ObjectKind kind = *moduleKind(peek());
  if (!firstInBatch) {
    Error e = refusals_.firstInBatch(firstInBatchName(action, kind));
    throw located(e, tokens_[first]);
  }
  advance();
  ModuleHeader header;
  header.action = action;
  header.name = parseObjectName();
  // A module is the only statement of its batch, so the catalog keeps the batch's whole
  // text, comments before CREATE included, as SQL Server does.
  header.text = std::string(text_);

  StatementPtr module;
  switch (kind) {
    case ObjectKind::View: module = parseCreateView(std::move(header), first); break;
    case ObjectKind::Function: module = parseCreateFunction(std::move(header), first); break;
    case ObjectKind::Procedure: module = parseCreateProcedure(std::move(header), first); break;
    case ObjectKind::Trigger: module = parseCreateTrigger(std::move(header), first); break;
    default: fail();
  }
  // A view or function ends where its definition does; nothing may follow it in the batch.
  skipSemicolons();
  if (!atEnd()) fail();
  return module;
}

std::vector<std::string> BatchParser::parseModuleOptions() {
  std::vector<std::string> options;
  if (!acceptWord("with")) return options;
  do {
    if (acceptWord("execute") || acceptWord("exec")) {
      expectWord("as");
      const Token& who = peek();
      if (who.kind == TokenKind::String) {
        options.push_back("EXECUTE AS '" + advance().value + "'");
      } else {
        options.push_back("EXECUTE AS " + upperWord());
      }
    } else if (peekWord("returns") || peekWord("called")) {
      // RETURNS NULL ON NULL INPUT, CALLED ON NULL INPUT
      std::string option = upperWord();
      if (option == "RETURNS") {
        expectWord("null");
        option += " NULL";
      }
      expectWord("on");
      expectWord("null");
      expectWord("input");
      options.push_back(option + " ON NULL INPUT");
    } else {
      options.push_back(upperWord());
    }
  } while (acceptSymbol(","));
  return options;
}

std::vector<ParameterDefinition> BatchParser::parseParameters(bool parenthesized) {
  std::vector<ParameterDefinition> parameters;
  if (parenthesized) expectSymbol("(");
  if (peek().kind == TokenKind::Variable) {
    do {
      const size_t first = pos_;
      ParameterDefinition p;
      if (peek().kind != TokenKind::Variable) fail();
      p.name = advance().text;
      acceptWord("as");
      p.type = parseType();
      acceptWord("varying");
      if (acceptSymbol("=")) p.defaultValue = parseScalar();
      while (true) {
        if (acceptWord("output") || acceptWord("out")) {
          p.output = true;
        } else if (acceptWord("readonly")) {
          p.readOnly = true;
        } else {
          break;
        }
      }
      finish(p, first);
      parameters.push_back(std::move(p));
    } while (acceptSymbol(","));
  }
  if (parenthesized) expectSymbol(")");
  return parameters;
}

StatementPtr BatchParser::parseCreateView(ModuleHeader header, size_t first) {
  auto s = std::make_unique<CreateViewStatement>();
  if (peekSymbol("(")) s->columns = parseParenthesizedIdentifiers();
  header.options = parseModuleOptions();
  expectWord("as");
  moduleBodyToken_ = pos_;
  s->query = parseQuery();
  if (peekWord("with") && peekWord("check", 1)) {
    advance();
    advance();
    expectWord("option");
    s->checkOption = true;
  }
  s->module = std::move(header);
  finish(*s, first);
  return s;
}

StatementList BatchParser::parseBeginEndBody() {
  expectWord("begin");
  skipSemicolons();
  if (peekWord("end")) fail();
  return parseStatementsUntil("end");
}

StatementPtr BatchParser::parseCreateFunction(ModuleHeader header, size_t first) {
  using Form = CreateFunctionStatement::Form;
  auto s = std::make_unique<CreateFunctionStatement>();
  s->parameters = parseParameters(true);
  expectWord("returns");
  if (acceptWord("table")) {
    s->form = Form::InlineTable;
    header.options = parseModuleOptions();
    acceptWord("as");
    expectWord("return");
    moduleBodyToken_ = pos_;
    s->returnQuery = parseQuery();
  } else if (peek().kind == TokenKind::Variable) {
    s->form = Form::MultiStatementTable;
    s->returnVariable = advance().text;
    expectWord("table");
    s->returnTable = parseTableDefinition();
    header.options = parseModuleOptions();
    acceptWord("as");
    s->body = parseBeginEndBody();
  } else {
    s->form = Form::Scalar;
    s->returnType = parseType();
    header.options = parseModuleOptions();
    acceptWord("as");
    s->body = parseBeginEndBody();
  }
  s->module = std::move(header);
  finish(*s, first);
  return s;
}

StatementList BatchParser::parseModuleBody() {
  moduleBodyToken_ = pos_;
  skipSemicolons();
  if (atEnd()) fail();  // AS with nothing after it
  StatementList body;
  while (!atEnd()) {
    body.push_back(parseStatement());
    skipSemicolons();
  }
  return body;
}

StatementPtr BatchParser::parseCreateProcedure(ModuleHeader header, size_t first) {
  auto s = std::make_unique<CreateProcedureStatement>();
  if (acceptSymbol(";")) {
    if (peek().kind != TokenKind::Number) fail();
    unsupported("numbered procedures");
  }
  s->parameters = parseParameters(peekSymbol("("));
  header.options = parseModuleOptions();
  if (peekWord("for") && peekWord("replication", 1)) {
    advance();
    advance();
  }
  expectWord("as");
  s->body = parseModuleBody();
  s->module = std::move(header);
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseCreateTrigger(ModuleHeader header, size_t first) {
  using Timing = CreateTriggerStatement::Timing;
  auto s = std::make_unique<CreateTriggerStatement>();
  expectWord("on");
  if (peekWord("database") || peekWord("all")) unsupported("DDL triggers");
  s->table = parseObjectName();
  header.options = parseModuleOptions();
  if (acceptWord("for") || acceptWord("after")) {
    s->timing = Timing::After;
  } else if (acceptWord("instead")) {
    expectWord("of");
    s->timing = Timing::InsteadOf;
  } else {
    fail();
  }
  do {
    if (acceptWord("insert")) {
      s->onInsert = true;
    } else if (acceptWord("update")) {
      s->onUpdate = true;
    } else if (acceptWord("delete")) {
      s->onDelete = true;
    } else {
      fail();
    }
  } while (acceptSymbol(","));
  if (peekWord("with") && peekWord("append", 1)) {
    advance();
    advance();
  }
  if (peekWord("not") && peekWord("for", 1)) {
    advance();
    advance();
    expectWord("replication");
  }
  expectWord("as");
  s->body = parseModuleBody();
  s->module = std::move(header);
  finish(*s, first);
  return s;
}

}  // namespace db::embedded::syntax
