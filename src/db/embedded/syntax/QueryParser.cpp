#include "db/embedded/syntax/BatchParser.h"

// Queries (SELECT, set operations, common table expressions, FROM sources) and the data
// statements built on them (INSERT, UPDATE, DELETE, TRUNCATE).
namespace db::embedded::syntax {

// ---------------------------------------------------------------------------------------------
// Queries

QueryPtr BatchParser::parseQuery() {
  const size_t first = pos_;
  auto q = std::make_unique<Query>();
  if (peekWord("with")) q->with = parseCommonTableExpressions();
  q->body = parseQueryExpression();
  if (acceptWord("order")) {
    expectWord("by");
    q->orderBy = parseOrderByList();
    if (peekWord("offset")) unsupported("OFFSET ... FETCH");
  }
  if (peekWord("option") && peekSymbol("(", 1)) unsupported("query hints (OPTION ...)");
  if (peekWord("for") && (peekWord("xml", 1) || peekWord("json", 1) || peekWord("browse", 1)))
    unsupported("FOR XML, FOR JSON and FOR BROWSE");
  finish(*q, first);
  return q;
}

QueryPtr BatchParser::parseSubquery() {
  Nesting nesting(*this);
  if (peekWord("with")) fail();
  return parseQuery();
}

std::vector<CommonTableExpression> BatchParser::parseCommonTableExpressions() {
  expectWord("with");
  std::vector<CommonTableExpression> ctes;
  do {
    const size_t first = pos_;
    CommonTableExpression cte;
    cte.name = parseIdentifier();
    if (peekSymbol("(")) cte.columns = parseParenthesizedIdentifiers();
    expectWord("as");
    expectSymbol("(");
    cte.query = parseSubquery();
    expectSymbol(")");
    finish(cte, first);
    ctes.push_back(std::move(cte));
  } while (acceptSymbol(","));
  return ctes;
}

// UNION [ALL] and EXCEPT bind alike, INTERSECT tighter, as in SQL Server.
QueryExpressionPtr BatchParser::parseQueryExpression() {
  QueryExpressionPtr left = parseQueryTerm();
  while (peekWord("union") || peekWord("except")) {
    auto op = std::make_unique<SetOperation>();
    op->op = advance().isWord("except") ? SetOperator::Except : SetOperator::Union;
    if (op->op == SetOperator::Union && acceptWord("all")) op->op = SetOperator::UnionAll;
    op->right = parseQueryTerm();
    op->span = SourceSpan{left->span.begin, op->right->span.end, left->span.line};
    op->left = std::move(left);
    left = std::move(op);
  }
  return left;
}

QueryExpressionPtr BatchParser::parseQueryTerm() {
  QueryExpressionPtr left = parseQueryPrimary();
  while (acceptWord("intersect")) {
    auto op = std::make_unique<SetOperation>();
    op->op = SetOperator::Intersect;
    op->right = parseQueryPrimary();
    op->span = SourceSpan{left->span.begin, op->right->span.end, left->span.line};
    op->left = std::move(left);
    left = std::move(op);
  }
  return left;
}

QueryExpressionPtr BatchParser::parseQueryPrimary() {
  if (peekSymbol("(")) {
    Nesting nesting(*this);
    const size_t first = pos_;
    advance();
    QueryExpressionPtr inner = parseQueryExpression();
    expectSymbol(")");
    finish(*inner, first);
    return inner;
  }
  return parseSelectSpec();
}

QueryExpressionPtr BatchParser::parseSelectSpec() {
  const size_t first = pos_;
  expectWord("select");
  auto s = std::make_unique<SelectSpec>();
  if (acceptWord("distinct")) {
    s->distinct = true;
  } else {
    acceptWord("all");
  }
  s->top = parseTop(true);
  do {
    s->items.push_back(parseSelectItem());
  } while (acceptSymbol(","));
  if (acceptWord("into")) s->into = parseObjectName();
  if (acceptWord("from")) s->from = parseFromList();
  if (acceptWord("where")) s->where = parseCondition();
  if (acceptWord("group")) {
    expectWord("by");
    s->groupBy = parseScalarList();
  }
  if (acceptWord("having")) s->having = parseCondition();
  finish(*s, first);
  return s;
}

std::optional<TopClause> BatchParser::parseTop(bool allowBare) {
  if (!acceptWord("top")) return std::nullopt;
  TopClause top;
  if (acceptSymbol("(")) {
    top.parenthesized = true;
    top.count = parseScalar();
    expectSymbol(")");
  } else {
    // Without parentheses TOP takes a number, and only in SELECT.
    if (!allowBare || peek().kind != TokenKind::Number) fail();
    top.count = parsePrimary();
  }
  top.percent = acceptWord("percent");
  if (peekWord("with") && peekWord("ties", 1)) {
    advance();
    advance();
    top.withTies = true;
  }
  return top;
}

bool BatchParser::peekAssignmentOperator(size_t ahead) const {
  const Token& t = peek(ahead);
  if (t.kind != TokenKind::Symbol) return false;
  return t.text == "=" || t.text == "+=" || t.text == "-=" || t.text == "*=" || t.text == "/=" || t.text == "%=" ||
         t.text == "&=" || t.text == "|=" || t.text == "^=";
}

SelectItem BatchParser::parseSelectItem() {
  const size_t first = pos_;
  SelectItem item;
  if (acceptSymbol("*")) {
    item.kind = SelectItemKind::Star;
    item.span = spanFrom(first);
    return item;
  }
  // t.* and s.t.*
  size_t ahead = 0;
  while (peekName(ahead) && peekSymbol(".", ahead + 1)) ahead += 2;
  if (ahead > 0 && peekSymbol("*", ahead)) {
    while (!peekSymbol("*")) {
      item.starQualifier.push_back(parseIdentifier());
      expectSymbol(".");
    }
    advance();
    item.kind = SelectItemKind::Star;
    item.span = spanFrom(first);
    return item;
  }
  if (peek().kind == TokenKind::Variable && peekAssignmentOperator(1)) {
    item.kind = SelectItemKind::Assignment;
    item.variable = advance().text;
    item.assignmentOp = advance().text;
    item.expression = parseScalar();
    item.span = spanFrom(first);
    return item;
  }
  // alias = expr, 'alias' = expr
  if ((peekName() || peek().kind == TokenKind::String) && peekSymbol("=", 1)) {
    const Token& name = advance();
    item.alias = Identifier{name.value, name.kind != TokenKind::Word, SourceSpan{name.begin, name.end, lineAt(name.begin)}};
    advance();
    item.expression = parseScalar();
    item.span = spanFrom(first);
    return item;
  }
  item.expression = parseScalar();
  item.alias = parseAlias(true);
  item.span = spanFrom(first);
  return item;
}

std::optional<Identifier> BatchParser::parseAlias(bool allowString) {
  const bool as = acceptWord("as");
  if (peekName() || (allowString && peek().kind == TokenKind::String)) {
    const Token& t = advance();
    return Identifier{t.value, t.kind != TokenKind::Word, SourceSpan{t.begin, t.end, lineAt(t.begin)}};
  }
  if (as) fail();
  return std::nullopt;
}

std::vector<TableSourcePtr> BatchParser::parseFromList() {
  std::vector<TableSourcePtr> sources;
  do {
    sources.push_back(parseJoinedSource());
  } while (acceptSymbol(","));
  return sources;
}

TableSourcePtr BatchParser::parseJoinedSource() {
  TableSourcePtr left = parseTablePrimary();
  while (true) {
    JoinKind kind;
    bool needsOn = true;
    if (peekWord("join")) {
      kind = JoinKind::Inner;
    } else if (peekWord("inner") && peekWord("join", 1)) {
      kind = JoinKind::Inner;
      advance();
    } else if (peekWord("left") || peekWord("right") || peekWord("full")) {
      kind = peekWord("left") ? JoinKind::Left : peekWord("right") ? JoinKind::Right : JoinKind::Full;
      advance();
      acceptWord("outer");
      if (!peekWord("join")) fail();
    } else if (peekWord("cross") && (peekWord("join", 1) || peekWord("apply", 1))) {
      kind = peekWord("join", 1) ? JoinKind::Cross : JoinKind::CrossApply;
      needsOn = false;
      advance();
    } else if (peekWord("outer") && peekWord("apply", 1)) {
      kind = JoinKind::OuterApply;
      needsOn = false;
      advance();
    } else {
      return left;
    }
    advance();  // JOIN or APPLY
    auto join = std::make_unique<Join>();
    join->joinKind = kind;
    join->right = parseTablePrimary();
    if (needsOn) {
      expectWord("on");
      join->on = parseCondition();
    }
    join->span = SourceSpan{left->span.begin, tokens_[pos_ - 1].end, left->span.line};
    join->left = std::move(left);
    left = std::move(join);
  }
}

TableSourcePtr BatchParser::parseTablePrimary() {
  Nesting nesting(*this);
  const size_t first = pos_;
  if (acceptSymbol("(")) {
    size_t ahead = 0;
    while (peekSymbol("(", ahead)) ++ahead;
    if (peekWord("select", ahead)) {
      auto d = std::make_unique<DerivedTable>();
      d->query = parseSubquery();
      expectSymbol(")");
      d->alias = parseAlias(false);
      if (!d->alias) fail();  // a derived table must be named
      if (peekSymbol("(")) d->columns = parseParenthesizedIdentifiers();
      finish(*d, first);
      return d;
    }
    TableSourcePtr inner = parseJoinedSource();
    expectSymbol(")");
    finish(*inner, first);
    return inner;
  }
  if (peek().kind == TokenKind::Variable) {
    auto v = std::make_unique<TableVariable>();
    v->name = advance().text;
    v->alias = parseAlias(false);
    finish(*v, first);
    return v;
  }
  ObjectName name = parseObjectName();
  if (peekSymbol("(")) {
    auto f = std::make_unique<TableFunction>();
    f->call = parseFunctionCall(std::move(name), first);
    f->alias = parseAlias(false);
    finish(*f, first);
    return f;
  }
  auto t = std::make_unique<NamedTable>();
  t->name = std::move(name);
  t->alias = parseAlias(false);
  t->hints = parseTableHints();
  finish(*t, first);
  return t;
}

std::vector<std::string> BatchParser::parseTableHints() {
  std::vector<std::string> hints;
  if (!(peekWord("with") && peekSymbol("(", 1))) return hints;
  advance();
  advance();
  do {
    if (peek().kind != TokenKind::Word) fail();
    std::string hint = upperWord();
    // INDEX(ix) and INDEX = ix keep their argument.
    if (peekSymbol("(")) {
      const size_t open = pos_;
      advance();
      parseIdentifierList();
      expectSymbol(")");
      hint += std::string(spanFrom(open).textIn(text_));
    } else if (acceptSymbol("=")) {
      hint += "=" + parseIdentifier().value;
    }
    hints.push_back(std::move(hint));
  } while (acceptSymbol(","));
  expectSymbol(")");
  return hints;
}

// ---------------------------------------------------------------------------------------------
// Data statements

StatementPtr BatchParser::parseWithStatement() {
  const size_t first = pos_;
  std::vector<CommonTableExpression> with = parseCommonTableExpressions();
  if (peekWord("select") || peekSymbol("(")) return parseSelectStatement(std::move(with), first);
  if (peekWord("insert")) return parseInsert(std::move(with), first);
  if (peekWord("update")) return parseUpdate(std::move(with), first);
  if (peekWord("delete")) return parseDelete(std::move(with), first);
  fail();
}

StatementPtr BatchParser::parseSelectStatement(std::vector<CommonTableExpression> with, size_t first) {
  auto s = std::make_unique<SelectStatement>();
  s->query = parseQuery();
  s->query->with = std::move(with);
  finish(*s->query, first);
  finish(*s, first);
  return s;
}

DataTarget BatchParser::parseDataTarget() {
  const size_t first = pos_;
  DataTarget target;
  if (peek().kind == TokenKind::Variable) {
    target.variable = advance().text;
  } else {
    target.name = parseObjectName();
    target.hints = parseTableHints();
  }
  finish(target, first);
  return target;
}

StatementPtr BatchParser::parseInsert(std::vector<CommonTableExpression> with, size_t first) {
  expectWord("insert");
  auto s = std::make_unique<InsertStatement>();
  s->with = std::move(with);
  s->top = parseTop(false);
  acceptWord("into");
  s->target = parseDataTarget();
  if (peekSymbol("(") && !peekWord("select", 1)) s->columns = parseParenthesizedIdentifiers();
  if (acceptWord("values")) {
    s->source = InsertStatement::Source::Values;
    do {
      expectSymbol("(");
      std::vector<ExpressionPtr> row;
      do {
        if (peekWord("default")) {
          auto d = std::make_unique<DefaultValue>();
          advance();
          finish(*d, pos_ - 1);
          row.push_back(std::move(d));
        } else {
          row.push_back(parseScalar());
        }
      } while (acceptSymbol(","));
      expectSymbol(")");
      s->rows.push_back(std::move(row));
    } while (acceptSymbol(","));
  } else if (peekWord("default")) {
    advance();
    expectWord("values");
    s->source = InsertStatement::Source::DefaultValues;
  } else if (peekWord("exec") || peekWord("execute")) {
    s->source = InsertStatement::Source::Execute;
    StatementPtr exec = parseExecute(true);
    if (exec->kind != StatementKind::Execute) unsupported("INSERT ... EXEC of a string");
    s->execute.reset(static_cast<ExecuteStatement*>(exec.release()));
  } else if (peekWord("select") || peekSymbol("(") || peekWord("with")) {
    s->source = InsertStatement::Source::Query;
    s->query = parseQuery();
  } else {
    fail();
  }
  finish(*s, first);
  return s;
}

SetClause BatchParser::parseSetClause() {
  const size_t first = pos_;
  SetClause c;
  if (peek().kind == TokenKind::Variable) {
    c.variable = advance().text;
    if (!peekAssignmentOperator()) fail();
    c.op = advance().text;
    // @v = col = expr sets both.
    size_t ahead = 0;
    while (peekName(ahead) && peekSymbol(".", ahead + 1)) ahead += 2;
    if (c.op == "=" && peekName(ahead) && peekSymbol("=", ahead + 1)) {
      while (!peekSymbol("=")) {
        c.column.push_back(parseIdentifier());
        acceptSymbol(".");
      }
      advance();
    }
  } else {
    c.column.push_back(parseIdentifier());
    while (acceptSymbol(".")) c.column.push_back(parseIdentifier());
    if (!peekAssignmentOperator()) fail();
    c.op = advance().text;
  }
  if (!c.column.empty() && c.variable.empty() && peekWord("default")) {
    auto d = std::make_unique<DefaultValue>();
    advance();
    finish(*d, pos_ - 1);
    c.value = std::move(d);
  } else {
    c.value = parseScalar();
  }
  finish(c, first);
  return c;
}

StatementPtr BatchParser::parseUpdate(std::vector<CommonTableExpression> with, size_t first) {
  expectWord("update");
  auto s = std::make_unique<UpdateStatement>();
  s->with = std::move(with);
  s->top = parseTop(false);
  s->target = parseDataTarget();
  expectWord("set");
  do {
    s->set.push_back(parseSetClause());
  } while (acceptSymbol(","));
  if (acceptWord("from")) s->from = parseFromList();
  if (acceptWord("where")) s->where = parseCondition();
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseDelete(std::vector<CommonTableExpression> with, size_t first) {
  expectWord("delete");
  auto s = std::make_unique<DeleteStatement>();
  s->with = std::move(with);
  s->top = parseTop(false);
  acceptWord("from");
  s->target = parseDataTarget();
  if (acceptWord("from")) s->from = parseFromList();
  if (acceptWord("where")) s->where = parseCondition();
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseTruncate() {
  const size_t first = pos_;
  expectWord("truncate");
  expectWord("table");
  auto s = std::make_unique<TruncateStatement>();
  s->table = parseObjectName();
  finish(*s, first);
  return s;
}

}  // namespace db::embedded::syntax
