#include "db/embedded/syntax/BatchParser.h"

#include <algorithm>
#include <array>

#include "db/Text.h"
#include "db/embedded/syntax/Parser.h"

namespace db::embedded::syntax {

namespace {

// Statements T-SQL has and the engine does not run; refused as such rather than as syntax
// errors, which they are not.
constexpr std::array<std::string_view, 18> kStatementsNotSupported = {
    "merge",    "waitfor",     "grant",    "deny",      "revoke",     "backup", "restore", "dbcc",   "bulk",
    "kill",     "checkpoint",  "reconfigure", "shutdown", "readtext", "writetext", "updatetext", "revert", "setuser"};

// SET options that take ON or OFF, several of them in one statement.
constexpr std::array<std::string_view, 23> kOnOffOptions = {
    "nocount",           "xact_abort",         "ansi_nulls",            "quoted_identifier",
    "ansi_warnings",     "ansi_padding",       "arithabort",            "arithignore",
    "concat_null_yields_null", "numeric_roundabort", "ansi_null_dflt_on", "ansi_null_dflt_off",
    "implicit_transactions", "cursor_close_on_commit", "fmtonly",       "noexec",
    "parseonly",         "showplan_all",       "showplan_text",         "showplan_xml",
    "forceplan",         "ansi_defaults",      "remote_proc_transactions"};

// SET options that take one value: a word, a number, a string or a variable.
constexpr std::array<std::string_view, 7> kValueOptions = {"dateformat", "datefirst",   "language",        "rowcount",
                                                           "lock_timeout", "textsize", "deadlock_priority"};

template <size_t N>
bool isOneOf(const Token& t, const std::array<std::string_view, N>& words) {
  return t.kind == TokenKind::Word &&
         std::any_of(words.begin(), words.end(), [&](std::string_view w) { return equalsAsciiNoCase(t.text, w); });
}

std::vector<size_t> lineStartsOf(std::string_view text) {
  std::vector<size_t> starts{0};
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (text[i] == '\r' || text[i] == '\n') starts.push_back(i + 1);
  }
  return starts;
}

}  // namespace

Batch parseBatch(std::string_view text) { return BatchParser(text).parse(); }

BatchParser::BatchParser(std::string_view text)
    : text_(text), lineStarts_(lineStartsOf(text)), refusals_(refusalsFor(Dialect::SqlServer)) {
  try {
    tokens_ = tokenize(text, Dialect::SqlServer);
  } catch (Error& e) {
    // An unclosed quote or comment runs to the end of the text: reported at its last line.
    throw e.atLine(lineAt(text.empty() ? 0 : text.size() - 1));
  }
}

Batch BatchParser::parse() {
  Batch batch;
  batch.text = std::string(text_);
  skipSemicolons();
  firstStatementToken_ = pos_;
  while (!atEnd()) {
    batch.statements.push_back(parseStatement());
    skipSemicolons();
  }
  return batch;
}

// ---------------------------------------------------------------------------------------------
// Navigation

const Token& BatchParser::peek(size_t ahead) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }

const Token& BatchParser::advance() {
  const Token& t = tokens_[pos_];
  if (pos_ + 1 < tokens_.size()) ++pos_;
  return t;
}

bool BatchParser::acceptWord(std::string_view word) {
  if (!peek().isWord(word)) return false;
  advance();
  return true;
}

bool BatchParser::acceptSymbol(std::string_view symbol) {
  if (!peek().isSymbol(symbol)) return false;
  advance();
  return true;
}

void BatchParser::expectWord(std::string_view word) {
  if (!acceptWord(word)) fail();
}

void BatchParser::expectSymbol(std::string_view symbol) {
  if (!acceptSymbol(symbol)) fail();
}

bool BatchParser::peekName(size_t ahead) const {
  const Token& t = peek(ahead);
  return t.kind == TokenKind::QuotedName || (t.kind == TokenKind::Word && !isReservedKeyword(t.text));
}

Identifier BatchParser::parseIdentifier() {
  if (!peekName()) fail();
  const Token& t = advance();
  return Identifier{t.value, t.kind == TokenKind::QuotedName, SourceSpan{t.begin, t.end, lineAt(t.begin)}};
}

ObjectName BatchParser::parseObjectName() {
  const size_t first = pos_;
  ObjectName name;
  name.parts.push_back(parseIdentifier());
  while (peekSymbol(".")) {
    advance();
    // "db..t": the schema left out between two dots.
    while (peekSymbol(".")) {
      advance();
      name.parts.push_back(Identifier{"", false, SourceSpan{peek().begin, peek().begin, lineAt(peek().begin)}});
    }
    name.parts.push_back(parseIdentifier());
    if (name.parts.size() > 4) failAt(tokens_[pos_ - 1]);
  }
  finish(name, first);
  return name;
}

std::vector<Identifier> BatchParser::parseIdentifierList() {
  std::vector<Identifier> names{parseIdentifier()};
  while (acceptSymbol(",")) names.push_back(parseIdentifier());
  return names;
}

std::vector<Identifier> BatchParser::parseParenthesizedIdentifiers() {
  expectSymbol("(");
  std::vector<Identifier> names = parseIdentifierList();
  expectSymbol(")");
  return names;
}

std::string BatchParser::upperWord() {
  if (peek().kind != TokenKind::Word) fail();
  std::string word = advance().text;
  std::transform(word.begin(), word.end(), word.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
  return word;
}

// ---------------------------------------------------------------------------------------------
// Places and errors

int BatchParser::lineAt(size_t offset) const {
  return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - lineStarts_.begin());
}

SourceSpan BatchParser::spanFrom(size_t firstToken) const {
  const Token& first = tokens_[firstToken];
  const size_t end = pos_ > firstToken ? tokens_[pos_ - 1].end : first.end;
  return SourceSpan{first.begin, end, lineAt(first.begin)};
}

Error& BatchParser::located(Error& error, const Token& at) const { return error.atLine(lineAt(at.begin)); }

const Token& BatchParser::offendingToken() const {
  // At the end of the text SQL Server names the last token it read.
  if (atEnd() && pos_ > 0) return tokens_[pos_ - 1];
  return peek();
}

void BatchParser::fail() const { failAt(offendingToken()); }

void BatchParser::failAt(const Token& token) const {
  Error e = refusals_.syntaxNear(token, SyntaxContext::Statement);
  throw located(e, token);
}

void BatchParser::unsupported(std::string_view what) const {
  Error e = refusals_.notSupported(what);
  throw located(e, offendingToken());
}

const Token& BatchParser::tokenAtOrAfter(size_t offset) const {
  auto it = std::lower_bound(tokens_.begin(), tokens_.end(), offset,
                             [](const Token& t, size_t at) { return t.begin < at; });
  return it == tokens_.end() ? tokens_.back() : *it;
}

BatchParser::Nesting::Nesting(BatchParser& parser) : parser_(parser) {
  if (++parser_.depth_ > kMaxNesting) {
    --parser_.depth_;
    Error e = parser_.refusals_.nestedTooDeeply();
    throw parser_.located(e, parser_.offendingToken());
  }
}

// ---------------------------------------------------------------------------------------------
// Statement lists

void BatchParser::skipSemicolons() {
  while (peekSymbol(";")) advance();
}

// A WITH that opens a common table expression must begin the batch or a module's body, or
// follow a ';' (SQL Server's 319 otherwise): WITH also ends other statements.
bool BatchParser::cteMayStartHere() const {
  return pos_ == firstStatementToken_ || pos_ == moduleBodyToken_ || (pos_ > 0 && tokens_[pos_ - 1].isSymbol(";"));
}

StatementList BatchParser::parseStatementsUntil(std::string_view endWord) {
  StatementList statements;
  while (true) {
    skipSemicolons();
    if (peekWord(endWord) || atEnd()) break;
    statements.push_back(parseStatement());
  }
  expectWord(endWord);
  return statements;
}

StatementPtr BatchParser::parseStatement() {
  Nesting nesting(*this);
  const size_t first = pos_;
  const Token& t = peek();
  const bool firstInBatch = first == firstStatementToken_;

  if (t.isSymbol("(")) return parseSelectStatement({}, first);
  if (t.kind == TokenKind::Word) {
    if (t.isWord("select")) return parseSelectStatement({}, first);
    if (t.isWord("with")) {
      if (!cteMayStartHere()) {
        Error e = refusals_.cteNeedsSemicolon(t);
        throw located(e, t);
      }
      return parseWithStatement();
    }
    if (t.isWord("insert")) return parseInsert({}, first);
    if (t.isWord("update")) return parseUpdate({}, first);
    if (t.isWord("delete")) return parseDelete({}, first);
    if (t.isWord("truncate")) return parseTruncate();
    if (t.isWord("create")) return parseCreate(firstInBatch);
    if (t.isWord("alter")) return parseAlter(firstInBatch);
    if (t.isWord("drop")) return parseDrop();
    if (t.isWord("use")) return parseUse();
    if (t.isWord("declare")) return parseDeclare();
    if (t.isWord("set")) return parseSet();
    if (t.isWord("if")) return parseIf();
    if (t.isWord("while")) return parseWhile();
    if (t.isWord("begin")) {
      if (peekWord("tran", 1) || peekWord("transaction", 1)) return parseTransaction();
      if (peekWord("distributed", 1)) unsupported("distributed transactions");
      return parseBlockOrTryCatch();
    }
    if (t.isWord("commit") || t.isWord("rollback") || t.isWord("save")) return parseTransaction();
    if (t.isWord("break") || t.isWord("continue")) {
      advance();
      StatementPtr s;
      if (t.isWord("break")) {
        s = std::make_unique<BreakStatement>();
      } else {
        s = std::make_unique<ContinueStatement>();
      }
      finish(*s, first);
      return s;
    }
    if (t.isWord("return")) return parseReturn();
    if (t.isWord("raiserror")) return parseRaiserror();
    if (t.isWord("throw")) return parseThrow();
    if (t.isWord("print")) {
      advance();
      auto s = std::make_unique<PrintStatement>();
      s->value = parseScalar();
      finish(*s, first);
      return s;
    }
    if (t.isWord("open")) return parseCursorStatement(StatementKind::OpenCursor);
    if (t.isWord("close")) return parseCursorStatement(StatementKind::CloseCursor);
    if (t.isWord("deallocate")) return parseCursorStatement(StatementKind::DeallocateCursor);
    if (t.isWord("fetch")) return parseFetch();
    if (t.isWord("exec") || t.isWord("execute")) return parseExecute(true);
    if (t.isWord("goto") || (peekSymbol(":", 1) && peekName())) unsupported("GOTO and labels");
    if (isOneOf(t, kStatementsNotSupported)) unsupported(asciiLower(t.text) + " statements");
  }
  // SQL Server's rule for the first statement of a batch: a bare name is a procedure to run.
  if (firstInBatch && peekName()) return parseExecute(false);
  fail();
}

StatementPtr BatchParser::parseBlockOrTryCatch() {
  const size_t first = pos_;
  expectWord("begin");
  if (acceptWord("try")) {
    auto s = std::make_unique<TryCatchStatement>();
    skipSemicolons();
    if (peekWord("end")) fail();  // SQL Server wants at least one statement between BEGIN TRY and END TRY
    s->tryStatements = parseStatementsUntil("end");
    expectWord("try");
    skipSemicolons();
    expectWord("begin");
    expectWord("catch");
    s->catchStatements = parseStatementsUntil("end");
    expectWord("catch");
    finish(*s, first);
    return s;
  }
  auto s = std::make_unique<BlockStatement>();
  skipSemicolons();
  if (peekWord("end")) fail();  // an empty BEGIN ... END is refused
  s->statements = parseStatementsUntil("end");
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseIf() {
  const size_t first = pos_;
  expectWord("if");
  auto s = std::make_unique<IfStatement>();
  s->condition = parseCondition();
  s->then = parseStatement();
  // ELSE may follow the ';' that ends the THEN statement.
  const size_t afterThen = pos_;
  skipSemicolons();
  if (acceptWord("else")) {
    s->otherwise = parseStatement();
  } else {
    pos_ = afterThen;
  }
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseWhile() {
  const size_t first = pos_;
  expectWord("while");
  auto s = std::make_unique<WhileStatement>();
  s->condition = parseCondition();
  s->body = parseStatement();
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseReturn() {
  const size_t first = pos_;
  expectWord("return");
  auto s = std::make_unique<ReturnStatement>();
  // RETURN takes a value when what follows can begin one and does not begin a statement.
  const Token& t = peek();
  const bool valueFollows =
      t.kind == TokenKind::Number || t.kind == TokenKind::String || t.kind == TokenKind::Binary ||
      t.kind == TokenKind::Variable || t.kind == TokenKind::Parameter || t.isSymbol("(") || t.isSymbol("-") ||
      t.isSymbol("+") || t.isSymbol("~") || t.isSymbol("$") || t.isWord("null") || t.isWord("case") ||
      t.isWord("cast") || t.isWord("convert") || t.isWord("coalesce") || t.isWord("nullif") ||
      t.isWord("left") || t.isWord("right") || t.isWord("current_timestamp") ||
      (peekName() && !t.isWord("throw"));
  if (valueFollows) s->value = parseScalar();
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseDeclare() {
  const size_t first = pos_;
  expectWord("declare");
  if (peek().kind != TokenKind::Variable) return parseDeclareCursor(first);
  auto s = std::make_unique<DeclareStatement>();
  do {
    const size_t start = pos_;
    VariableDeclaration v;
    v.name = advance().text;
    acceptWord("as");
    if (peekWord("cursor")) unsupported("cursor variables");
    if (peekWord("table")) {
      // A table variable is declared on its own.
      if (!s->variables.empty()) fail();
      advance();
      v.table = parseTableDefinition();
      finish(v, start);
      s->variables.push_back(std::move(v));
      break;
    }
    if (peek().kind == TokenKind::Variable || peek().kind == TokenKind::End) fail();
    v.type = parseType();
    if (acceptSymbol("=")) v.initialValue = parseScalar();
    finish(v, start);
    s->variables.push_back(std::move(v));
  } while (acceptSymbol(","));
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseDeclareCursor(size_t first) {
  auto s = std::make_unique<DeclareCursorStatement>();
  s->name = parseIdentifier();
  // The ISO form puts INSENSITIVE and SCROLL before CURSOR, Transact-SQL's puts its options after.
  while (peekWord("insensitive") || peekWord("scroll")) s->options.push_back(upperWord());
  expectWord("cursor");
  static constexpr std::array<std::string_view, 12> kCursorOptions = {
      "local",   "global",       "forward_only", "scroll",    "static",     "keyset",
      "dynamic", "fast_forward", "read_only",    "scroll_locks", "optimistic", "type_warning"};
  while (isOneOf(peek(), kCursorOptions)) s->options.push_back(upperWord());
  expectWord("for");
  s->query = parseQuery();
  if (acceptWord("for")) {
    if (acceptWord("read")) {
      expectWord("only");
    } else {
      expectWord("update");
      s->forUpdate = true;
      if (acceptWord("of")) s->updateColumns = parseIdentifierList();
    }
  }
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseSet() {
  const size_t first = pos_;
  expectWord("set");
  if (peek().kind == TokenKind::Variable) {
    auto s = std::make_unique<SetVariableStatement>();
    s->variable = advance().text;
    if (!peekAssignmentOperator()) fail();
    s->op = advance().text;
    if (peekWord("cursor")) unsupported("cursor variables");
    s->value = parseScalar();
    finish(*s, first);
    return s;
  }

  auto s = std::make_unique<SetOptionStatement>();
  if (peek().kind != TokenKind::Word) fail();
  const Token& option = peek();
  if (option.isWord("identity_insert")) {
    s->options.push_back(upperWord());
    s->table = parseObjectName();
    if (!peekWord("on") && !peekWord("off")) fail();
    s->value = upperWord();
  } else if (option.isWord("transaction")) {
    s->options.push_back(upperWord());
    expectWord("isolation");
    expectWord("level");
    std::string level = upperWord();
    if (level == "READ") {
      if (!peekWord("committed") && !peekWord("uncommitted")) fail();
      level += " " + upperWord();
    } else if (level == "REPEATABLE") {
      expectWord("read");
      level += " READ";
    } else if (level != "SERIALIZABLE" && level != "SNAPSHOT") {
      failAt(tokens_[pos_ - 1]);
    }
    s->value = level;
  } else if (option.isWord("statistics")) {
    s->options.push_back(upperWord());
    if (!peekWord("io") && !peekWord("time") && !peekWord("profile") && !peekWord("xml")) fail();
    s->options.back() += " " + upperWord();
    if (!peekWord("on") && !peekWord("off")) fail();
    s->value = upperWord();
  } else if (isOneOf(option, kValueOptions)) {
    s->options.push_back(upperWord());
    const Token& v = peek();
    if (v.kind == TokenKind::Word) {
      s->value = upperWord();
    } else if (v.kind == TokenKind::Number || v.kind == TokenKind::String || v.kind == TokenKind::Variable ||
               v.isSymbol("-")) {
      s->valueExpression = parseUnary();
      s->value = std::string(s->valueExpression->span.textIn(text_));
    } else {
      fail();
    }
  } else if (isOneOf(option, kOnOffOptions)) {
    s->options.push_back(upperWord());
    while (acceptSymbol(",")) {
      if (!isOneOf(peek(), kOnOffOptions)) fail();
      s->options.push_back(upperWord());
    }
    if (!peekWord("on") && !peekWord("off")) fail();
    s->value = upperWord();
  } else {
    Error e = refusals_.unknownSetOption(option.text);
    throw located(e, option);
  }
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseRaiserror() {
  const size_t first = pos_;
  expectWord("raiserror");
  auto s = std::make_unique<RaiserrorStatement>();
  expectSymbol("(");
  s->message = parseScalar();
  expectSymbol(",");
  s->severity = parseScalar();
  expectSymbol(",");
  s->state = parseScalar();
  while (acceptSymbol(",")) s->arguments.push_back(parseScalar());
  expectSymbol(")");
  if (acceptWord("with")) {
    do {
      if (!peekWord("nowait") && !peekWord("log") && !peekWord("seterror")) fail();
      s->options.push_back(upperWord());
    } while (acceptSymbol(","));
  }
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseThrow() {
  const size_t first = pos_;
  expectWord("throw");
  auto s = std::make_unique<ThrowStatement>();
  const Token& t = peek();
  if (t.kind == TokenKind::Number || t.kind == TokenKind::Variable || t.isSymbol("-")) {
    s->number = parseScalar();
    expectSymbol(",");
    s->message = parseScalar();
    expectSymbol(",");
    s->state = parseScalar();
  }
  finish(*s, first);
  return s;
}

std::string BatchParser::parseTransactionName() {
  if (peek().kind == TokenKind::Variable) return advance().text;
  if (peekName()) return parseIdentifier().value;
  return {};
}

StatementPtr BatchParser::parseTransaction() {
  const size_t first = pos_;
  const Token& verb = advance();
  const bool transactionWord = acceptWord("tran") || acceptWord("transaction");
  StatementKind kind = StatementKind::BeginTransaction;
  if (verb.isWord("commit")) kind = StatementKind::Commit;
  if (verb.isWord("rollback")) kind = StatementKind::Rollback;
  if (verb.isWord("save")) kind = StatementKind::SaveTransaction;
  if (kind == StatementKind::SaveTransaction && !transactionWord) failAt(verb);

  auto s = std::make_unique<TransactionStatement>(kind);
  if (transactionWord) {
    s->name = parseTransactionName();
    if (kind == StatementKind::SaveTransaction && s->name.empty()) fail();
    if (kind == StatementKind::BeginTransaction && acceptWord("with")) {
      expectWord("mark");
      if (peek().kind == TokenKind::String) advance();
    }
  } else if (kind != StatementKind::BeginTransaction) {
    acceptWord("work");
  }
  finish(*s, first);
  return s;
}

Identifier BatchParser::parseCursorName(bool& global) {
  if (peek().kind == TokenKind::Variable) {
    const Token& t = advance();
    return Identifier{t.text, false, SourceSpan{t.begin, t.end, lineAt(t.begin)}};
  }
  global = peekWord("global") && peekName(1);
  if (global) advance();
  return parseIdentifier();
}

StatementPtr BatchParser::parseCursorStatement(StatementKind kind) {
  const size_t first = pos_;
  advance();
  auto s = std::make_unique<CursorStatement>(kind);
  s->cursor = parseCursorName(s->global);
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseFetch() {
  const size_t first = pos_;
  expectWord("fetch");
  auto s = std::make_unique<FetchStatement>();
  using Direction = FetchStatement::Direction;
  bool oriented = true;
  if (acceptWord("next")) {
    s->direction = Direction::Next;
  } else if (acceptWord("prior")) {
    s->direction = Direction::Prior;
  } else if (acceptWord("first")) {
    s->direction = Direction::First;
  } else if (acceptWord("last")) {
    s->direction = Direction::Last;
  } else if (peekWord("absolute") || peekWord("relative")) {
    s->direction = advance().isWord("absolute") ? Direction::Absolute : Direction::Relative;
    s->offset = parseUnary();
  } else {
    oriented = false;
  }
  if (oriented) {
    expectWord("from");
  } else {
    acceptWord("from");
  }
  s->cursor = parseCursorName(s->global);
  if (acceptWord("into")) {
    do {
      if (peek().kind != TokenKind::Variable) fail();
      s->into.push_back(advance().text);
    } while (acceptSymbol(","));
  }
  finish(*s, first);
  return s;
}

StatementPtr BatchParser::parseExecute(bool keywordWritten) {
  const size_t first = pos_;
  if (keywordWritten) advance();
  if (peekSymbol("(")) {
    // EXEC ('text' + @s): string literals and variables joined with +.
    advance();
    auto s = std::make_unique<ExecuteStringStatement>();
    do {
      const Token& t = peek();
      if (t.kind != TokenKind::String && t.kind != TokenKind::Variable) fail();
      s->parts.push_back(parsePrimary());
    } while (acceptSymbol("+"));
    expectSymbol(")");
    finish(*s, first);
    return s;
  }
  auto s = std::make_unique<ExecuteStatement>();
  if (peek().kind == TokenKind::Variable && peekSymbol("=", 1)) {
    s->returnVariable = advance().text;
    advance();
  }
  if (peek().kind == TokenKind::Variable) {
    s->procedureVariable = advance().text;
  } else {
    s->procedure = parseObjectName();
  }
  const Token& t = peek();
  const bool argumentsFollow = t.kind == TokenKind::Variable || t.kind == TokenKind::Number ||
                               t.kind == TokenKind::String || t.kind == TokenKind::Binary ||
                               t.kind == TokenKind::Parameter || t.isSymbol("-") || t.isSymbol("+") ||
                               t.isSymbol("$") || t.isWord("default") || t.isWord("null") ||
                               (peekName() && !t.isWord("throw"));
  if (argumentsFollow) {
    do {
      s->arguments.push_back(parseExecuteArgument());
    } while (acceptSymbol(","));
  }
  if (acceptWord("with")) {
    do {
      if (!peekWord("recompile")) fail();
      s->options.push_back(upperWord());
    } while (acceptSymbol(","));
  }
  finish(*s, first);
  return s;
}

ExecuteArgument BatchParser::parseExecuteArgument() {
  const size_t first = pos_;
  ExecuteArgument a;
  if (peek().kind == TokenKind::Variable && peekSymbol("=", 1)) {
    a.parameter = advance().text;
    advance();
  }
  // A procedure's arguments are constants and variables, not expressions.
  const Token& t = peek();
  if (t.isWord("default")) {
    advance();
    a.value = std::make_unique<DefaultValue>();
    finish(*a.value, pos_ - 1);
  } else if (peekName() && !t.isWord("null")) {
    // A bare word is read as a string: EXEC sp_rename 'T.a', 'b', COLUMN.
    const Token& word = advance();
    auto literal = std::make_unique<Literal>();
    literal->literalKind = LiteralKind::String;
    literal->text = word.text;
    literal->value = word.value;
    finish(*literal, pos_ - 1);
    a.value = std::move(literal);
  } else if (t.isSymbol("-") || t.isSymbol("+")) {
    const size_t start = pos_;
    auto sign = std::make_unique<Unary>();
    sign->op = advance().isSymbol("-") ? UnaryOp::Minus : UnaryOp::Plus;
    if (peek().kind != TokenKind::Number && !peekSymbol("$")) fail();
    sign->operand = parsePrimary();
    finish(*sign, start);
    a.value = std::move(sign);
  } else if (t.kind == TokenKind::Variable || t.kind == TokenKind::Number || t.kind == TokenKind::String ||
             t.kind == TokenKind::Binary || t.kind == TokenKind::Parameter || t.isSymbol("$") ||
             t.isWord("null")) {
    a.value = parsePrimary();
  } else {
    fail();
  }
  a.output = acceptWord("output") || acceptWord("out");
  a.span = spanFrom(first);
  return a;
}

}  // namespace db::embedded::syntax
