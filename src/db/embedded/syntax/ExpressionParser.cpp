#include <array>

#include "db/Text.h"
#include "db/embedded/syntax/BatchParser.h"

// Expressions, by T-SQL's precedence from loosest to tightest: OR; AND; NOT; the predicates
// (comparisons, IS [NOT] NULL, [NOT] LIKE, [NOT] BETWEEN, [NOT] IN, EXISTS, ALL/ANY/SOME);
// + - & ^ |; * / %; the unary + - ~; COLLATE; the primaries. Values and conditions are kept
// apart as SQL Server keeps them: a condition where a value is expected is a syntax error near
// its operator, a value where a condition is expected is refused with 4145.
namespace db::embedded::syntax {

namespace {

std::optional<BinaryOp> comparisonOp(const Token& t) {
  if (t.kind != TokenKind::Symbol) return std::nullopt;
  if (t.text == "=") return BinaryOp::Equal;
  if (t.text == "<>" || t.text == "!=") return BinaryOp::NotEqual;
  if (t.text == "<") return BinaryOp::Less;
  if (t.text == ">") return BinaryOp::Greater;
  if (t.text == "<=") return BinaryOp::LessOrEqual;
  if (t.text == ">=") return BinaryOp::GreaterOrEqual;
  if (t.text == "!<") return BinaryOp::NotLess;
  if (t.text == "!>") return BinaryOp::NotGreater;
  return std::nullopt;
}

std::optional<BinaryOp> additiveOp(const Token& t) {
  if (t.kind != TokenKind::Symbol) return std::nullopt;
  if (t.text == "+") return BinaryOp::Add;
  if (t.text == "-") return BinaryOp::Subtract;
  if (t.text == "&") return BinaryOp::BitAnd;
  if (t.text == "^") return BinaryOp::BitXor;
  if (t.text == "|") return BinaryOp::BitOr;
  return std::nullopt;
}

std::optional<BinaryOp> multiplicativeOp(const Token& t) {
  if (t.kind != TokenKind::Symbol) return std::nullopt;
  if (t.text == "*") return BinaryOp::Multiply;
  if (t.text == "/") return BinaryOp::Divide;
  if (t.text == "%") return BinaryOp::Modulo;
  return std::nullopt;
}

// Functions SQL Server calls without parentheses.
constexpr std::array<std::string_view, 5> kNiladicFunctions = {"current_timestamp", "current_user", "session_user",
                                                               "system_user", "user"};

// Reserved words that are also the names of built-in functions.
constexpr std::array<std::string_view, 4> kReservedFunctionNames = {"coalesce", "nullif", "left", "right"};

template <size_t N>
bool isWordOf(const Token& t, const std::array<std::string_view, N>& words) {
  if (t.kind != TokenKind::Word) return false;
  for (std::string_view w : words)
    if (t.isWord(w)) return true;
  return false;
}

ExpressionPtr makeBinary(BinaryOp op, ExpressionPtr left, ExpressionPtr right) {
  auto b = std::make_unique<Binary>();
  b->op = op;
  b->span = SourceSpan{left->span.begin, right->span.end, left->span.line};
  b->left = std::move(left);
  b->right = std::move(right);
  return b;
}

}  // namespace

ExpressionPtr BatchParser::parseCondition() {
  ExpressionPtr e = parseOr();
  requireCondition(*e);
  return e;
}

ExpressionPtr BatchParser::parseScalar() {
  ExpressionPtr e = parseAdditive();
  requireScalar(*e);
  return e;
}

void BatchParser::requireCondition(const Expression& e) const {
  if (e.isCondition()) return;
  // SQL Server names the token after the value: "... near 'BEGIN'".
  Error error = refusals_.conditionExpected(offendingToken());
  throw located(error, offendingToken());
}

void BatchParser::requireScalar(const Expression& e) const {
  if (e.isCondition()) failAt(operatorTokenOf(e));
}

const Token& BatchParser::operatorTokenOf(const Expression& e) const {
  switch (e.kind) {
    case ExpressionKind::Binary: return tokenAtOrAfter(e.as<Binary>().left->span.end);
    case ExpressionKind::IsNull: return tokenAtOrAfter(e.as<IsNull>().operand->span.end);
    case ExpressionKind::Like: return tokenAtOrAfter(e.as<Like>().operand->span.end);
    case ExpressionKind::Between: return tokenAtOrAfter(e.as<Between>().operand->span.end);
    case ExpressionKind::InList: return tokenAtOrAfter(e.as<InList>().operand->span.end);
    case ExpressionKind::InSubquery: return tokenAtOrAfter(e.as<InSubquery>().operand->span.end);
    case ExpressionKind::Quantified: return tokenAtOrAfter(e.as<Quantified>().left->span.end);
    default: return tokenAtOrAfter(e.span.begin);
  }
}

ExpressionPtr BatchParser::parseOr() {
  ExpressionPtr left = parseAnd();
  while (peekWord("or")) {
    requireCondition(*left);
    advance();
    ExpressionPtr right = parseAnd();
    requireCondition(*right);
    left = makeBinary(BinaryOp::Or, std::move(left), std::move(right));
  }
  return left;
}

ExpressionPtr BatchParser::parseAnd() {
  ExpressionPtr left = parseNot();
  while (peekWord("and")) {
    requireCondition(*left);
    advance();
    ExpressionPtr right = parseNot();
    requireCondition(*right);
    left = makeBinary(BinaryOp::And, std::move(left), std::move(right));
  }
  return left;
}

ExpressionPtr BatchParser::parseNot() {
  if (!peekWord("not")) return parsePredicate();
  Nesting nesting(*this);
  const size_t first = pos_;
  advance();
  auto n = std::make_unique<Unary>();
  n->op = UnaryOp::Not;
  n->operand = parseNot();
  requireCondition(*n->operand);
  finish(*n, first);
  return n;
}

ExpressionPtr BatchParser::parsePredicate() {
  const size_t first = pos_;
  if (acceptWord("exists")) {
    auto e = std::make_unique<Exists>();
    expectSymbol("(");
    e->query = parseSubquery();
    expectSymbol(")");
    finish(*e, first);
    return e;
  }
  ExpressionPtr left = parseAdditive();
  // A parenthesized condition is complete: nothing compares it.
  if (left->isCondition()) return left;

  if (auto op = comparisonOp(peek())) {
    advance();
    if (peekWord("all") || peekWord("any") || peekWord("some")) {
      auto q = std::make_unique<Quantified>();
      q->op = *op;
      const Token& quantifier = advance();
      q->quantifier = quantifier.isWord("all") ? Quantifier::All
                      : quantifier.isWord("any") ? Quantifier::Any
                                                 : Quantifier::Some;
      q->left = std::move(left);
      expectSymbol("(");
      q->query = parseSubquery();
      expectSymbol(")");
      finish(*q, first);
      return q;
    }
    ExpressionPtr right = parseScalar();
    return makeBinary(*op, std::move(left), std::move(right));
  }
  if (acceptWord("is")) {
    auto e = std::make_unique<IsNull>();
    e->negated = acceptWord("not");
    expectWord("null");
    e->operand = std::move(left);
    finish(*e, first);
    return e;
  }
  const bool negated = peekWord("not") && (peekWord("like", 1) || peekWord("between", 1) || peekWord("in", 1));
  if (negated) advance();
  if (acceptWord("like")) {
    auto e = std::make_unique<Like>();
    e->negated = negated;
    e->operand = std::move(left);
    e->pattern = parseScalar();
    if (acceptWord("escape")) e->escape = parseScalar();
    finish(*e, first);
    return e;
  }
  if (acceptWord("between")) {
    auto e = std::make_unique<Between>();
    e->negated = negated;
    e->operand = std::move(left);
    e->low = parseScalar();
    expectWord("and");
    e->high = parseScalar();
    finish(*e, first);
    return e;
  }
  if (acceptWord("in")) {
    expectSymbol("(");
    if (peekWord("select") || peekSymbol("(")) {
      // IN ((select ...)) and IN ((1), 2) both start with '(': only a query after it is a subquery.
      size_t ahead = 0;
      while (peekSymbol("(", ahead)) ++ahead;
      if (peekWord("select", ahead)) {
        auto e = std::make_unique<InSubquery>();
        e->negated = negated;
        e->operand = std::move(left);
        e->query = parseSubquery();
        expectSymbol(")");
        finish(*e, first);
        return e;
      }
    }
    auto e = std::make_unique<InList>();
    e->negated = negated;
    e->operand = std::move(left);
    e->items = parseScalarList();
    expectSymbol(")");
    finish(*e, first);
    return e;
  }
  return left;
}

ExpressionPtr BatchParser::parseAdditive() {
  ExpressionPtr left = parseMultiplicative();
  while (auto op = additiveOp(peek())) {
    requireScalar(*left);
    advance();
    ExpressionPtr right = parseMultiplicative();
    requireScalar(*right);
    left = makeBinary(*op, std::move(left), std::move(right));
  }
  return left;
}

ExpressionPtr BatchParser::parseMultiplicative() {
  ExpressionPtr left = parseUnary();
  while (auto op = multiplicativeOp(peek())) {
    requireScalar(*left);
    advance();
    ExpressionPtr right = parseUnary();
    requireScalar(*right);
    left = makeBinary(*op, std::move(left), std::move(right));
  }
  return left;
}

ExpressionPtr BatchParser::parseUnary() {
  const size_t first = pos_;
  std::optional<UnaryOp> op;
  if (peekSymbol("-")) op = UnaryOp::Minus;
  if (peekSymbol("+")) op = UnaryOp::Plus;
  if (peekSymbol("~")) op = UnaryOp::BitNot;
  ExpressionPtr e;
  if (op) {
    Nesting nesting(*this);
    advance();
    auto u = std::make_unique<Unary>();
    u->op = *op;
    u->operand = parseUnary();
    requireScalar(*u->operand);
    e = std::move(u);
    finish(*e, first);
  } else {
    e = parsePrimary();
  }
  while (acceptWord("collate")) {
    requireScalar(*e);
    auto c = std::make_unique<Collate>();
    if (peek().kind != TokenKind::Word) fail();
    c->collation = advance().text;
    c->operand = std::move(e);
    e = std::move(c);
    finish(*e, first);
  }
  return e;
}

ExpressionPtr BatchParser::parsePrimary() {
  Nesting nesting(*this);
  const size_t first = pos_;
  const Token& t = peek();
  switch (t.kind) {
    case TokenKind::Number: {
      advance();
      auto l = std::make_unique<Literal>();
      const bool exponent = t.text.find_first_of("eE") != std::string::npos;
      l->literalKind = exponent                                   ? LiteralKind::Float
                       : t.text.find('.') != std::string::npos ? LiteralKind::Decimal
                                                                  : LiteralKind::Integer;
      l->text = l->value = t.text;
      finish(*l, first);
      return l;
    }
    case TokenKind::String:
    case TokenKind::Binary: {
      advance();
      auto l = std::make_unique<Literal>();
      l->literalKind = t.kind == TokenKind::String ? LiteralKind::String : LiteralKind::Binary;
      l->text = t.text;
      l->value = t.value;
      l->national = t.national;
      finish(*l, first);
      return l;
    }
    case TokenKind::Variable: {
      advance();
      auto v = std::make_unique<VariableRef>();
      v->name = t.text;
      finish(*v, first);
      return v;
    }
    case TokenKind::Parameter: {
      advance();
      auto p = std::make_unique<ParameterRef>();
      p->name = t.value;
      finish(*p, first);
      return p;
    }
    case TokenKind::QuotedName: return parseNameExpression();
    case TokenKind::Symbol: {
      if (t.isSymbol("$") && peek(1).kind == TokenKind::Number && peek(1).begin == t.end) {
        advance();
        const Token& number = advance();
        auto l = std::make_unique<Literal>();
        l->literalKind = LiteralKind::Money;
        l->text = "$" + number.text;
        l->value = number.text;
        finish(*l, first);
        return l;
      }
      if (!t.isSymbol("(")) fail();
      advance();
      if (peekWord("select")) {
        auto s = std::make_unique<Subquery>();
        s->query = parseSubquery();
        expectSymbol(")");
        finish(*s, first);
        return s;
      }
      ExpressionPtr inner = parseOr();
      expectSymbol(")");
      // The parentheses are part of the expression as written.
      finish(*inner, first);
      return inner;
    }
    case TokenKind::Word: {
      if (t.isWord("null")) {
        advance();
        auto l = std::make_unique<Literal>();
        l->literalKind = LiteralKind::Null;
        l->text = t.text;
        finish(*l, first);
        return l;
      }
      if (t.isWord("case")) return parseCase();
      if (t.isWord("cast") || t.isWord("try_cast")) return parseCast();
      if (t.isWord("convert") || t.isWord("try_convert")) return parseConvert();
      if (isWordOf(t, kNiladicFunctions)) {
        advance();
        auto f = std::make_unique<FunctionCall>();
        f->name.parts.push_back(Identifier{t.text, false, SourceSpan{t.begin, t.end, lineAt(t.begin)}});
        f->name.span = f->name.parts.back().span;
        f->niladic = true;
        finish(*f, first);
        return f;
      }
      if (isWordOf(t, kReservedFunctionNames) && peekSymbol("(", 1)) {
        advance();
        ObjectName name;
        name.parts.push_back(Identifier{t.text, false, SourceSpan{t.begin, t.end, lineAt(t.begin)}});
        name.span = name.parts.back().span;
        return parseFunctionCall(std::move(name), first);
      }
      return parseNameExpression();
    }
    case TokenKind::End: fail();
  }
  fail();
}

ExpressionPtr BatchParser::parseNameExpression() {
  const size_t first = pos_;
  ObjectName name = parseObjectName();
  if (peekSymbol("(")) {
    if (name.parts.size() > 3) fail();
    return parseFunctionCall(std::move(name), first);
  }
  auto c = std::make_unique<ColumnRef>();
  c->parts = std::move(name.parts);
  finish(*c, first);
  return c;
}

std::unique_ptr<FunctionCall> BatchParser::parseFunctionCall(ObjectName name, size_t first) {
  auto f = std::make_unique<FunctionCall>();
  f->name = std::move(name);
  expectSymbol("(");
  const bool iif = f->name.parts.size() == 1 && equalsAsciiNoCase(f->name.object(), "iif");
  if (acceptSymbol("*")) {
    f->star = true;
  } else if (!peekSymbol(")")) {
    if (acceptWord("distinct")) {
      f->distinct = true;
    } else {
      acceptWord("all");
    }
    // IIF(condition, then, else) takes a condition first.
    f->arguments.push_back(iif ? parseCondition() : parseScalar());
    while (acceptSymbol(",")) f->arguments.push_back(parseScalar());
  }
  expectSymbol(")");
  if (peekWord("over")) f->over = parseOver();
  finish(*f, first);
  return f;
}

OverClause BatchParser::parseOver() {
  const size_t first = pos_;
  expectWord("over");
  expectSymbol("(");
  OverClause over;
  if (acceptWord("partition")) {
    expectWord("by");
    over.partitionBy = parseScalarList();
  }
  if (acceptWord("order")) {
    expectWord("by");
    over.orderBy = parseOrderByList();
  }
  if (peekWord("rows") || peekWord("range")) unsupported("window frames (ROWS / RANGE)");
  expectSymbol(")");
  finish(over, first);
  return over;
}

std::vector<OrderItem> BatchParser::parseOrderByList() {
  std::vector<OrderItem> items;
  do {
    OrderItem item;
    item.expression = parseScalar();
    if (acceptWord("asc")) {
      item.direction = SortDirection::Ascending;
    } else if (acceptWord("desc")) {
      item.direction = SortDirection::Descending;
    }
    items.push_back(std::move(item));
  } while (acceptSymbol(","));
  return items;
}

std::vector<ExpressionPtr> BatchParser::parseScalarList() {
  std::vector<ExpressionPtr> items;
  do {
    items.push_back(parseScalar());
  } while (acceptSymbol(","));
  return items;
}

ExpressionPtr BatchParser::parseCase() {
  const size_t first = pos_;
  expectWord("case");
  auto c = std::make_unique<Case>();
  if (!peekWord("when")) c->operand = parseScalar();
  if (!peekWord("when")) fail();
  while (acceptWord("when")) {
    WhenClause w;
    w.when = c->operand ? parseScalar() : parseCondition();
    expectWord("then");
    w.then = parseScalar();
    c->whens.push_back(std::move(w));
  }
  if (acceptWord("else")) c->elseResult = parseScalar();
  expectWord("end");
  finish(*c, first);
  return c;
}

ExpressionPtr BatchParser::parseCast() {
  const size_t first = pos_;
  auto c = std::make_unique<Cast>();
  c->tryCast = advance().isWord("try_cast");
  expectSymbol("(");
  c->operand = parseScalar();
  expectWord("as");
  c->type = parseType();
  expectSymbol(")");
  finish(*c, first);
  return c;
}

ExpressionPtr BatchParser::parseConvert() {
  const size_t first = pos_;
  auto c = std::make_unique<Convert>();
  c->tryConvert = advance().isWord("try_convert");
  expectSymbol("(");
  c->type = parseType();
  expectSymbol(",");
  c->operand = parseScalar();
  if (acceptSymbol(",")) c->style = parseScalar();
  expectSymbol(")");
  finish(*c, first);
  return c;
}

TypeName BatchParser::parseType() {
  const size_t first = pos_;
  TypeName type;
  if (peekWord("double") && peekWord("precision", 1)) {
    // The one type whose name is a reserved word: two words, no arguments.
    const Token& d = advance();
    advance();
    type.name.parts.push_back(Identifier{"double precision", false, SourceSpan{d.begin, tokens_[pos_ - 1].end, lineAt(d.begin)}});
    finish(type.name, first);
    finish(type, first);
    type.text = std::string(type.span.textIn(text_));
    return type;
  }
  type.name = parseObjectName();
  // char varying, character varying
  if (type.name.parts.size() == 1 && peekWord("varying") &&
      (equalsAsciiNoCase(type.name.object(), "char") || equalsAsciiNoCase(type.name.object(), "character"))) {
    type.name.parts.back().value += " " + advance().text;
  }
  if (acceptSymbol("(")) {
    do {
      const Token& a = peek();
      if (a.kind == TokenKind::Number || a.isWord("max")) {
        type.arguments.push_back(advance().text);
      } else {
        fail();
      }
    } while (acceptSymbol(","));
    expectSymbol(")");
  }
  finish(type, first);
  type.text = std::string(type.span.textIn(text_));
  return type;
}

}  // namespace db::embedded::syntax
