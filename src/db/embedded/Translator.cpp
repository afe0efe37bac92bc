#include "db/embedded/Translator.h"

#include <array>

#include "db/ConnectionString.h"
#include "db/Error.h"
#include "db/embedded/Refusals.h"
#include "db/embedded/SqlTypes.h"
#include "db/embedded/Sqlite.h"
#include "db/embedded/SystemViews.h"

namespace db::embedded {

namespace {

// T-SQL's '+' joins two texts; beside a number a text is converted to a number. Where one
// side is unknown (an expression the translation does not type), a known text decides.
bool joinsTexts(Translator::Operand left, Translator::Operand right) {
  using Operand = Translator::Operand;
  if (left == Operand::Number || right == Operand::Number) return false;
  if (left == Operand::Date || right == Operand::Date) return false;
  return left == Operand::Text || right == Operand::Text;
}

bool isTableHint(const Token& t) {
  static constexpr std::array<std::string_view, 12> kHints = {
      "nolock",  "readuncommitted", "rowlock", "updlock", "holdlock",     "readpast",
      "tablock", "tablockx",        "paglock", "xlock",   "serializable", "readcommitted"};
  for (std::string_view h : kHints)
    if (t.isWord(h)) return true;
  return false;
}

}  // namespace

std::string userFunctionSqlName(std::string_view name) {
  // Hex keeps any name (Persian letters, blanks, brackets) a plain SQLite identifier.
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "__morav_udf_";
  for (unsigned char c : asciiLower(name)) {
    out += kHex[c >> 4];
    out += kHex[c & 15];
  }
  return out;
}

std::string variableParameter(std::string_view variable) {
  const bool global = variable.rfind("@@", 0) == 0;  // @@ROWCOUNT is not @ROWCOUNT
  return (global ? "__global_" : "__var_") + asciiLower(variable.substr(global ? 2 : 1));
}

Translator::Translator(const std::vector<Token>& tokens, Dialect dialect, std::string catalogName,
                       const VariableNames* variables, ColumnKinds columnKinds)
    : tokens_(tokens),
      dialect_(dialect),
      catalogName_(std::move(catalogName)),
      variables_(variables),
      columnKinds_(std::move(columnKinds)) {}

namespace {

// Functions whose result is text whatever their arguments.
bool isTextFunction(const Token& name) {
  static constexpr std::array<std::string_view, 13> kText = {"left",  "right", "substring", "ltrim",   "rtrim",
                                                             "upper", "lower", "replace",   "replicate", "space",
                                                             "str",   "char",  "nchar"};
  for (std::string_view f : kText)
    if (name.isWord(f)) return true;
  return false;
}

// Functions whose result is a datetime.
bool isDateFunction(const Token& name) {
  return name.isWord("getdate") || name.isWord("getutcdate") || name.isWord("dateadd");
}

}  // namespace

Translator::Operand Translator::kindOfName(size_t name) const {
  const Token& t = tokens_[name];
  if (t.kind == TokenKind::Word && isReservedKeyword(t.text)) return Operand::Unknown;
  return columnKinds_ ? columnKinds_(t.kind == TokenKind::QuotedName ? t.value : t.text).operand : Operand::Unknown;
}

Translator::Operand Translator::kindOfVariable(const Token& variable) const {
  if (!variables_) return Operand::Unknown;
  const auto it = variables_->find(asciiLower(variable.text));
  if (it == variables_->end()) return Operand::Unknown;
  return it->second == Affinity::Text ? Operand::Text : it->second == Affinity::Blob ? Operand::Unknown : Operand::Number;
}

// Whether the parenthesised query opening at `open` stands for a value (a scalar subquery)
// rather than a table (FROM, JOIN), a set (IN, EXISTS, ANY) or a query of its own: decided by
// the token before it, else by the clause it stands in.
bool Translator::isScalarSubquery(size_t open, size_t first) const {
  if (open <= first) return false;
  const Token& before = tokens_[open - 1];
  for (std::string_view word : {"in", "exists", "from", "join", "apply", "any", "all", "some", "union", "as", "except",
                                "intersect"})
    if (before.isWord(word)) return false;
  int depth = 0;
  for (size_t k = open; k-- > first;) {
    if (tokens_[k].isSymbol(")")) ++depth;
    if (tokens_[k].isSymbol("(") && depth > 0) --depth;
    if (depth > 0 || tokens_[k].kind != TokenKind::Word) continue;
    if (tokens_[k].isWord("from") || tokens_[k].isWord("join")) return false;
    for (std::string_view clause : {"select", "where", "set", "values", "on", "having", "by", "when", "then", "else"})
      if (tokens_[k].isWord(clause)) return true;
  }
  return true;
}

// A query whose select list opens with an aggregate and that has no GROUP BY gives one row.
bool Translator::yieldsOneRow(size_t select, size_t end) const {
  if (select + 2 >= end || !tokens_[select + 2].isSymbol("(")) return false;
  bool aggregate = false;
  for (std::string_view f : {"count", "sum", "max", "min", "avg"}) aggregate = aggregate || tokens_[select + 1].isWord(f);
  if (!aggregate) return false;
  int depth = 0;
  for (size_t k = select; k < end; ++k) {
    if (tokens_[k].isSymbol("(")) ++depth;
    if (tokens_[k].isSymbol(")")) --depth;
    if (depth == 0 && (tokens_[k].isWord("group") || tokens_[k].isWord("union"))) return false;
  }
  return true;
}

// Where the primary expression that begins at `first` ends: a signed literal, variable or
// parameter, a (qualified) name, a function call, or a parenthesised expression.
size_t Translator::primaryEnd(size_t first, size_t end) const {
  size_t k = first;
  while (k < end && (tokens_[k].isSymbol("-") || tokens_[k].isSymbol("+") || tokens_[k].isSymbol("~"))) ++k;
  if (k >= end) return end;
  if (tokens_[k].isSymbol("(")) return std::min(matchingParen(k, end) + 1, end);
  if (tokens_[k].isName()) {
    while (k + 2 < end && tokens_[k + 1].isSymbol(".") && tokens_[k + 2].isName()) k += 2;
    if (k + 1 < end && tokens_[k + 1].isSymbol("(")) return std::min(matchingParen(k + 1, end) + 1, end);
  }
  return k + 1;
}

// Where the primary expression that ends just before `op` begins: a (qualified) name, a
// function call, or a parenthesised expression.
size_t Translator::primaryStart(size_t op, size_t first) const {
  if (op <= first) return op;
  size_t k = op - 1;
  if (tokens_[k].isSymbol(")")) {
    for (int depth = 0;; --k) {
      if (tokens_[k].isSymbol(")")) ++depth;
      if (tokens_[k].isSymbol("(") && --depth == 0) break;
      if (k == first) return op;
    }
    if (k > first && tokens_[k - 1].kind == TokenKind::Word && !isReservedKeyword(tokens_[k - 1].text)) --k;
  }
  while (k >= first + 2 && tokens_[k - 1].isSymbol(".") && tokens_[k - 2].isName()) k -= 2;
  return k;
}

// The operand that ends just before the '+' at `plus`: a literal, a column, a text function's
// call; anything else is unknown.
Translator::Operand Translator::operandBefore(size_t plus, size_t first) const {
  if (plus <= first) return Operand::Unknown;
  const Token& t = tokens_[plus - 1];
  if (t.kind == TokenKind::String) return Operand::Text;
  if (t.kind == TokenKind::Number) return Operand::Number;
  if (t.kind == TokenKind::Variable) return kindOfVariable(t);
  if (t.isName()) return kindOfName(plus - 1);
  if (t.isSymbol(")")) {
    int depth = 0;
    for (size_t k = plus - 1; k > first; --k) {
      if (tokens_[k].isSymbol(")")) ++depth;
      if (tokens_[k].isSymbol("(") && --depth == 0)
        return tokens_[k - 1].kind != TokenKind::Word ? Operand::Unknown
               : isTextFunction(tokens_[k - 1])      ? Operand::Text
               : isDateFunction(tokens_[k - 1])      ? Operand::Date
                                                     : Operand::Unknown;
    }
  }
  return Operand::Unknown;
}

// The operand that begins just after the '+' at `plus`.
Translator::Operand Translator::operandAfter(size_t plus, size_t end) const {
  size_t k = plus + 1;
  if (k >= end) return Operand::Unknown;
  const Token& t = tokens_[k];
  if (t.kind == TokenKind::String) return Operand::Text;
  if (t.kind == TokenKind::Number) return Operand::Number;
  if (t.kind == TokenKind::Variable) return kindOfVariable(t);
  if (!t.isName()) return Operand::Unknown;
  if (k + 1 < end && tokens_[k + 1].isSymbol("("))
    return t.kind != TokenKind::Word ? Operand::Unknown
           : isTextFunction(t)       ? Operand::Text
           : isDateFunction(t)       ? Operand::Date
                                     : Operand::Unknown;
  while (k + 2 < end && tokens_[k + 1].isSymbol(".") && tokens_[k + 2].isName()) k += 2;  // alias.column
  return kindOfName(k);
}

void Translator::emit(Translation& out, std::string_view text) {
  if (!out.sql.empty()) out.sql += ' ';
  out.sql += text;
}

Translation Translator::translate(size_t first, size_t end) {
  Translation out;
  limit_.clear();
  functionsCalled_.clear();
  emitRange(first, end, out, true);
  if (!limit_.empty()) emit(out, "LIMIT " + limit_);
  out.functions.insert(functionsCalled_.begin(), functionsCalled_.end());
  return out;
}

// Whether the name at `name` stands where a table does: after FROM or JOIN, or after a comma
// of a FROM list.
bool Translator::isTablePosition(size_t name) const {
  if (name == 0) return false;
  const Token& before = tokens_[name - 1];
  if (before.isWord("from") || before.isWord("join")) return true;
  if (!before.isSymbol(",")) return false;
  int depth = 0;
  for (size_t k = name - 1; k-- > 0;) {
    const Token& t = tokens_[k];
    if (t.isSymbol(")")) ++depth;
    if (t.isSymbol("(") && depth-- == 0) return false;
    if (depth != 0 || t.kind != TokenKind::Word) continue;
    if (t.isWord("from")) return true;
    for (std::string_view clause : {"select", "where", "set", "on", "by", "having", "values", "into"})
      if (t.isWord(clause)) return false;
  }
  return false;
}

size_t Translator::matchingParen(size_t open, size_t end) const {
  int depth = 0;
  for (size_t i = open; i < end; ++i) {
    if (tokens_[i].isSymbol("(")) ++depth;
    if (tokens_[i].isSymbol(")") && --depth == 0) return i;
  }
  return end;
}

void Translator::emitRange(size_t first, size_t end, Translation& out, bool statementLevel) {
  std::map<size_t, size_t> offsets;  // where each token's translation begins in out.sql
  const Refusals& refusals = refusalsFor(dialect_);
  int depth = 0;
  for (size_t i = first; i < end;) {
    const Token& t = tokens_[i];
    const bool topLevel = statementLevel && depth == 0;
    offsets[i] = out.sql.size();
    if (t.isWord("top") && i > first &&
        (tokens_[i - 1].isWord("select") || tokens_[i - 1].isWord("distinct") || tokens_[i - 1].isWord("all"))) {
      // SQLite's LIMIT closes the statement: it stands for the TOP of a query, or of the query
      // an INSERT takes its rows from.
      if (!topLevel || !(tokens_[first].isWord("select") || tokens_[first].isWord("insert")))
        throw refusals.notSupported("TOP inside a subquery or a data change");
      size_t j = i + 1;
      if (j < end && tokens_[j].isSymbol("(")) {
        const size_t close = matchingParen(j, end);
        Translation inner;
        emitRange(j + 1, close, inner, false);
        limit_ = "(" + inner.sql + ")";
        j = close + 1;
      } else if (j < end && (tokens_[j].kind == TokenKind::Number || tokens_[j].kind == TokenKind::Parameter)) {
        limit_ = tokens_[j].kind == TokenKind::Parameter ? ":" + tokens_[j].value : tokens_[j].text;
        ++j;
      } else {
        throw refusals.syntaxNear(tokens_[j < end ? j : i], SyntaxContext::Statement);
      }
      if (j < end && tokens_[j].isWord("percent")) throw refusals.notSupported("TOP ... PERCENT");
      i = j;
      continue;
    }
    if (t.isSymbol("(") && i + 1 < end && tokens_[i + 1].isWord("select") && isScalarSubquery(i, first)) {
      // SQLite takes a scalar subquery's first row; the server refuses a second one (512).
      const size_t close = matchingParen(i, end);
      Translation inner;
      emitRange(i + 1, close, inner, false);
      out.names.insert(inner.names.begin(), inner.names.end());
      out.systemViews.insert(inner.systemViews.begin(), inner.systemViews.end());
      out.written.insert(inner.written.begin(), inner.written.end());
      if (yieldsOneRow(i + 1, close))
        emit(out, "(" + inner.sql + ")");
      else
        emit(out, "__morav_scalar((SELECT COUNT(*) FROM (" + inner.sql + ")), (" + inner.sql + "))");
      i = close + 1;
      continue;
    }
    if (t.isWord("into") && topLevel && tokens_[first].isWord("select")) throw refusals.notSupported("SELECT ... INTO");
    if (t.isWord("with") && i + 2 < end && tokens_[i + 1].isSymbol("(") && isTableHint(tokens_[i + 2])) {
      i = matchingParen(i + 1, end) + 1;  // table hints mean nothing to a single-writer file
      continue;
    }
    switch (t.kind) {
      case TokenKind::Word:
      case TokenKind::QuotedName:
        if (t.kind == TokenKind::Word && i + 1 < end && tokens_[i + 1].isSymbol("(") && t.text.front() != '#' &&
            !(i > first && tokens_[i - 1].isSymbol("."))) {
          i = emitFunction(i, end, out);
        } else {
          i = emitName(i, end, out);
        }
        continue;
      case TokenKind::String: emit(out, quoteText(t.value)); break;
      case TokenKind::Binary: emit(out, "X'" + t.text.substr(2) + "'"); break;
      case TokenKind::Number: emit(out, t.text); break;
      case TokenKind::Parameter: emit(out, ":" + t.value); break;
      case TokenKind::Variable:
        if (dialect_ == Dialect::Jet) throw refusals.notTsql(t);
        if (variables_ && variables_->count(asciiLower(t.text))) {
          emit(out, ":" + variableParameter(t.text));
          break;
        }
        if (equalsAsciiNoCase(t.text, "@@identity")) {  // the session's last identity, as SCOPE_IDENTITY()
          emit(out, "scope_identity()");
          break;
        }
        if (t.text.rfind("@@", 0) == 0) throw refusals.notSupported("the system function " + t.text);
        throw refusals.undeclaredVariable(t.text);
      case TokenKind::Symbol:
        if (t.isSymbol("(")) ++depth;
        if (t.isSymbol(")")) --depth;
        if ((t.isSymbol("+") || t.isSymbol("-")) && operandBefore(i, first) == Operand::Date &&
            operandAfter(i, end) == Operand::Number && offsets.count(primaryStart(i, first))) {
          // datetime + n and datetime - n move by n days; SQLite would take the date for a number.
          const size_t rightEnd = primaryEnd(i + 1, end);
          if (rightEnd >= end || !(tokens_[rightEnd].isSymbol("*") || tokens_[rightEnd].isSymbol("/") ||
                                   tokens_[rightEnd].isSymbol("%"))) {
            Translation days;
            emitRange(i + 1, rightEnd, days, false);
            out.names.insert(days.names.begin(), days.names.end());
            out.written.insert(days.written.begin(), days.written.end());
            out.sql.insert(offsets[primaryStart(i, first)], " __morav_add_days(");
            out.sql += ", " + days.sql + (t.isSymbol("-") ? ", -1)" : ", 1)");
            i = rightEnd;
            continue;
          }
        }
        if (const size_t taken = emitTextBesideNumber(i, first, end, out, offsets)) {
          i += taken;
          continue;
        }
        if (t.isSymbol("+") && joinsTexts(operandBefore(i, first), operandAfter(i, end))) {
          emit(out, "||");  // T-SQL's '+' joins texts where neither side is a number
        } else if ((t.isSymbol("/") || t.isSymbol("%")) && i + 1 < end) {
          // SQLite divides by zero into NULL; the server refuses it (8134). The divisor, the
          // primary right of the operator, goes through a check.
          const size_t divisorEnd = primaryEnd(i + 1, end);
          Translation divisor;
          emitRange(i + 1, divisorEnd, divisor, false);
          out.names.insert(divisor.names.begin(), divisor.names.end());
          out.systemViews.insert(divisor.systemViews.begin(), divisor.systemViews.end());
          out.written.insert(divisor.written.begin(), divisor.written.end());
          emit(out, t.text + " __morav_divisor(" + divisor.sql + ")");
          i = divisorEnd;
          continue;
        } else if (t.isSymbol("!<")) {
          emit(out, ">=");
        } else if (t.isSymbol("!>")) {
          emit(out, "<=");
        } else {
          emit(out, t.text);
        }
        break;
      case TokenKind::End: return;
    }
    ++i;
  }
}

// A name of one to three parts. Drops the database and "dbo" parts, maps catalog views, and
// records the name so that the tables it may mean are brought up to date first.
size_t Translator::emitName(size_t i, size_t end, Translation& out) {
  std::vector<const Token*> parts{&tokens_[i]};
  size_t j = i + 1;
  while (j + 1 < end && tokens_[j].isSymbol(".")) {
    if (tokens_[j + 1].isSymbol(".")) {  // db..name: the default schema
      // Two dots must be followed by the object's name, as the server's grammar has it.
      const size_t after = j + 2;
      if (after >= end || !tokens_[after].isName())
        throw refusalsFor(dialect_).syntaxNear(tokens_[after < end ? after : j + 1], SyntaxContext::Statement);
      parts.push_back(nullptr);
      ++j;
      continue;
    }
    if (!tokens_[j + 1].isName()) break;
    parts.push_back(&tokens_[j + 1]);
    j += 2;
  }
  const auto valueOf = [](const Token* t) { return t ? (t->kind == TokenKind::QuotedName ? t->value : t->text) : ""; };

  // T.col and alias.col keep both parts; db.dbo.T, db..T and dbo.T lose the prefix.
  std::vector<const Token*> kept;
  for (size_t k = 0; k < parts.size(); ++k) {
    const bool last = k + 1 == parts.size();
    const bool isDbo = parts[k] && equalsAsciiNoCase(valueOf(parts[k]), "dbo");
    const bool isDatabase = parts.size() == 3 && k == 0;
    if (!last && (isDbo || isDatabase || !parts[k])) continue;
    kept.push_back(parts[k]);
  }
  std::vector<std::string> keptValues;
  for (const Token* t : kept) keptValues.push_back(valueOf(t));

  // The engine's own tables and SQLite's are not the server's to show.
  const auto written = [&] {
    std::string text;
    for (size_t k = 0; k < parts.size(); ++k) text += (k ? "." : "") + std::string(valueOf(parts[k]));
    return text;
  };
  const std::string lowerLast = asciiLower(keptValues.back());
  if (lowerLast.rfind("__morav", 0) == 0 || lowerLast.rfind("sqlite_", 0) == 0)
    throw refusalsFor(dialect_).invalidObject(written());
  const auto view = SystemViews::lookup(keptValues);
  // The engine reaches one catalog per connection: another one's tables are not these.
  const bool temporary = !keptValues.back().empty() && keptValues.back().front() == '#';  // tempdb..#t
  if (!view && parts.size() == 3 && parts[0] && !catalogName_.empty() &&
      !equalsAsciiNoCase(valueOf(parts[0]), catalogName_) && !(temporary && equalsAsciiNoCase(valueOf(parts[0]), "tempdb")))
    throw refusalsFor(dialect_).notSupported("names in another catalog ('" + written() + "')");
  if (view) {
    out.systemViews.insert(*view);
    emit(out, "temp." + quoteName(*view));
    return j;
  }
  // dbo.F(...): T-SQL calls a user's scalar function by its schema and name; INSERT INTO
  // dbo.T(...) names a table's columns.
  const bool afterInsert = i > 0 && (tokens_[i - 1].isWord("into") || tokens_[i - 1].isWord("insert"));
  if (parts.size() > 1 && j < end && tokens_[j].isSymbol("(") && !afterInsert) {
    functionsCalled_[asciiLower(keptValues.back())] = written();
    emit(out, userFunctionSqlName(keptValues.back()));
    return j;
  }
  if (viewExpander_ && kept.size() == 1 && isTablePosition(i)) {
    if (auto view = viewExpander_(keptValues.back())) {
      out.names.insert(view->names.begin(), view->names.end());
      out.systemViews.insert(view->systemViews.begin(), view->systemViews.end());
      out.written.insert(view->written.begin(), view->written.end());
      functionsCalled_.insert(view->functions.begin(), view->functions.end());
      const bool aliased = j < end && (tokens_[j].isWord("as") || tokens_[j].kind == TokenKind::QuotedName ||
                                       (tokens_[j].kind == TokenKind::Word && !isReservedKeyword(tokens_[j].text)));
      emit(out, "(" + view->sql + ")" + (aliased ? "" : " AS " + quoteName(keptValues.back())));
      return j;
    }
  }
  std::string sql;
  for (size_t k = 0; k < kept.size(); ++k) {
    if (k) sql += '.';
    // '#' starts a name in T-SQL, not in SQLite.
    sql += kept[k]->kind == TokenKind::QuotedName || kept[k]->text.front() == '#' ? quoteName(valueOf(kept[k]))
                                                                                   : kept[k]->text;
  }
  const std::string key = asciiLower(keptValues.back());
  out.names.insert(key);
  if (parts.size() > 1) out.written[key] = written();
  emit(out, sql);
  return j;
}

size_t Translator::emitTextBesideNumber(size_t op, size_t first, size_t end, Translation& out,
                                        std::map<size_t, size_t>& offsets) {
  static constexpr std::array<std::string_view, 7> kComparisons = {"=", "<>", "!=", "<", ">", "<=", ">="};
  const Token& t = tokens_[op];
  if (!columnKinds_ || op <= first || op + 1 >= end ||
      std::none_of(kComparisons.begin(), kComparisons.end(), [&](std::string_view c) { return t.isSymbol(c); }))
    return 0;
  // Only a lone text literal beside a lone column: anything longer has types this translation
  // does not follow.
  const auto standsAlone = [&](size_t k) {
    const auto arithmetic = [](const Token& x) {
      return x.isSymbol("+") || x.isSymbol("-") || x.isSymbol("*") || x.isSymbol("/") || x.isSymbol("%") ||
             x.isSymbol(".");
    };
    return (k == first || !arithmetic(tokens_[k - 1])) && (k + 1 >= end || !arithmetic(tokens_[k + 1]));
  };
  const size_t left = op - 1, right = op + 1;
  const bool textLeft = tokens_[left].kind == TokenKind::String && tokens_[right].isName();
  const bool textRight = tokens_[right].kind == TokenKind::String && tokens_[left].isName();
  if ((!textLeft && !textRight) || !offsets.count(left)) return 0;
  const size_t text = textLeft ? left : right, column = textLeft ? right : left;
  if (tokens_[column].kind == TokenKind::Word && isReservedKeyword(tokens_[column].text)) return 0;
  if ((column + 1 < end && tokens_[column + 1].isSymbol("(")) || !standsAlone(text) || !standsAlone(column))
    return 0;
  const ColumnKind kind =
      columnKinds_(tokens_[column].kind == TokenKind::QuotedName ? tokens_[column].value : tokens_[column].text);
  if (kind.operand != Operand::Number || kind.numberType.empty()) return 0;
  const std::string converted = "__morav_convert(" + literalOperand(text, text + 1, quoteText(tokens_[text].value)) +
                                ", " + quoteText(kind.numberType) + ", " + quoteText(kind.numberArgs) + ", NULL)";
  if (textLeft) {
    out.sql.resize(offsets[left]);
    emit(out, converted);
    emit(out, t.text);
    return 1;  // the operator; the column follows as any name does
  }
  emit(out, t.text);
  emit(out, converted);
  return 2;  // the operator and the text
}

// A literal keeps its T-SQL type through a conversion (3.0 is numeric(2,1), not SQLite's real
// 3; 'x' is varchar, N'x' nvarchar): it travels marked with its kind.
std::string Translator::literalOperand(size_t first, size_t end, const std::string& translated) const {
  if (end != first + 1) return translated;
  const Token& t = tokens_[first];
  if (t.kind == TokenKind::Number) return "__morav_literal(" + quoteText(t.text) + ", 'number')";
  if (t.kind == TokenKind::String)
    return "__morav_literal(" + quoteText(t.value) + (t.national ? ", 'nvarchar')" : ", 'varchar')");
  return translated;
}

// CAST and CONVERT run SQL Server's conversion (see ServerFunctions): the type travels as its
// name and arguments, checked here first so that an unknown type refuses the statement.
std::string Translator::conversionCall(const std::string& value, size_t typeFirst, size_t typeEnd,
                                       const std::string& style) const {
  storageClassOf(typeFirst, typeEnd);
  const Token& name = tokens_[typeFirst];
  std::string args;
  for (size_t k = typeFirst + 1; k < typeEnd; ++k)
    if (tokens_[k].kind == TokenKind::Number || tokens_[k].isWord("max")) args += (args.empty() ? "" : ",") + tokens_[k].text;
  return "__morav_convert(" + value + ", " + quoteText(name.kind == TokenKind::QuotedName ? name.value : name.text) +
         ", " + quoteText(args) + ", " + style + ")";
}

std::string Translator::storageClassOf(size_t first, size_t end) const {
  TypeRef ref;
  if (first >= end || !tokens_[first].isName())
    throw refusalsFor(dialect_).syntaxNear(tokens_[first], SyntaxContext::Statement);
  ref.name = tokens_[first].kind == TokenKind::QuotedName ? tokens_[first].value : tokens_[first].text;
  for (size_t k = first + 1; k < end; ++k)
    if (tokens_[k].kind == TokenKind::Number || tokens_[k].isWord("max")) ref.args.push_back(tokens_[k].text);
  ref.written = ref.name;
  TypeProblem problem{};
  const auto type = resolveType(ref, dialect_, problem);
  if (!type) throw refusalsFor(dialect_).unknownCastType(ref.name);
  return affinityName(type->affinity);
}

size_t Translator::emitFunction(size_t i, size_t end, Translation& out) {
  const Token& name = tokens_[i];
  const size_t open = i + 1;
  const size_t close = matchingParen(open, end);
  if (name.isWord("cast")) {
    // CAST(expr AS type): the last AS at the call's own level separates the type.
    size_t as = close;
    int depth = 0;
    for (size_t k = open + 1; k < close; ++k) {
      if (tokens_[k].isSymbol("(")) ++depth;
      if (tokens_[k].isSymbol(")")) --depth;
      if (depth == 0 && tokens_[k].isWord("as")) as = k;
    }
    if (as == close) throw refusalsFor(dialect_).syntaxNear(tokens_[close < end ? close : i], SyntaxContext::Statement);
    Translation inner;
    emitRange(open + 1, as, inner, false);
    out.names.insert(inner.names.begin(), inner.names.end());
    out.systemViews.insert(inner.systemViews.begin(), inner.systemViews.end());
    emit(out, conversionCall(literalOperand(open + 1, as, inner.sql), as + 1, close, "NULL"));
    return close + 1;
  }
  if (name.isWord("convert")) {
    // CONVERT(type, expr [, style]): the style formats dates and is not applied.
    size_t comma = close;
    int depth = 0;
    for (size_t k = open + 1; k < close; ++k) {
      if (tokens_[k].isSymbol("(")) ++depth;
      if (tokens_[k].isSymbol(")")) --depth;
      if (depth == 0 && tokens_[k].isSymbol(",")) {
        comma = k;
        break;
      }
    }
    if (comma == close)
      throw refusalsFor(dialect_).syntaxNear(tokens_[close < end ? close : i], SyntaxContext::Statement);
    size_t exprEnd = close;
    depth = 0;
    for (size_t k = comma + 1; k < close; ++k) {
      if (tokens_[k].isSymbol("(")) ++depth;
      if (tokens_[k].isSymbol(")")) --depth;
      if (depth == 0 && tokens_[k].isSymbol(",")) {
        exprEnd = k;
        break;
      }
    }
    Translation inner, style;
    emitRange(comma + 1, exprEnd, inner, false);
    if (exprEnd < close) emitRange(exprEnd + 1, close, style, false);
    for (const Translation* part : {&inner, &style}) {
      out.names.insert(part->names.begin(), part->names.end());
      out.systemViews.insert(part->systemViews.begin(), part->systemViews.end());
    }
    emit(out, conversionCall(literalOperand(comma + 1, exprEnd, inner.sql), open + 1, comma,
                             style.sql.empty() ? "NULL" : style.sql));
    return close + 1;
  }
  // ISNULL is an operator keyword in SQLite; IFNULL is the same function. LEFT and RIGHT are
  // join keywords there, so their calls name the functions quoted.
  if (name.isWord("isnull")) {
    emit(out, "IFNULL");
  } else if (name.isWord("left") || name.isWord("right")) {
    emit(out, quoteName(asciiLower(name.text)));
  } else {
    emit(out, name.text);
  }
  out.names.insert(asciiLower(name.text));  // "INSERT INTO T(a)" names a table this way
  return i + 1;                             // the arguments are translated as ordinary tokens
}

std::optional<std::string> translateExpression(std::string_view expression, Dialect dialect) {
  try {
    const auto tokens = tokenize(expression, dialect);
    for (const Token& t : tokens)
      if (t.kind == TokenKind::Variable || t.kind == TokenKind::Parameter || t.isWord("select")) return std::nullopt;
    Translator translator(tokens, dialect);
    return translator.translate(0, tokens.size() - 1).sql;
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace db::embedded
