#include "db/embedded/syntax/Tokenizer.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "db/ConnectionString.h"
#include "db/embedded/Refusals.h"

namespace db::embedded {

bool Token::isWord(std::string_view keyword) const {
  return kind == TokenKind::Word && equalsAsciiNoCase(text, keyword);
}

namespace {

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }
bool startsName(char c) { return isAsciiLetter(c) || c == '_' || c == '#' || isNonAscii(c); }
bool continuesName(char c) { return startsName(c) || isDigit(c) || c == '$' || c == '@'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

class Scanner {
 public:
  Scanner(std::string_view text, Dialect dialect) : s_(text), dialect_(dialect) {}

  std::vector<Token> run() {
    std::vector<Token> tokens;
    while (true) {
      skipBlanksAndComments();
      if (pos_ >= s_.size()) break;
      tokens.push_back(next());
    }
    Token end;
    end.begin = end.end = s_.size();
    tokens.push_back(end);
    return tokens;
  }

 private:
  void skipBlanksAndComments() {
    while (pos_ < s_.size()) {
      if (isBlank(s_[pos_])) {
        ++pos_;
      } else if (s_.compare(pos_, 2, "--") == 0) {
        // A line comment ends at CR, LF or CR LF: module texts end their lines with a lone CR.
        while (pos_ < s_.size() && s_[pos_] != '\n' && s_[pos_] != '\r') ++pos_;
      } else if (s_.compare(pos_, 2, "/*") == 0) {
        // T-SQL comments nest.
        int depth = 0;
        do {
          if (pos_ >= s_.size()) throw refusalsFor(dialect_).unclosedComment();
          if (s_.compare(pos_, 2, "/*") == 0) {
            ++depth;
            pos_ += 2;
          } else if (s_.compare(pos_, 2, "*/") == 0) {
            --depth;
            pos_ += 2;
          } else {
            ++pos_;
          }
        } while (depth > 0);
      } else {
        break;
      }
    }
  }

  Token make(TokenKind kind, size_t begin) {
    Token t;
    t.kind = kind;
    t.begin = begin;
    t.end = pos_;
    t.text = std::string(s_.substr(begin, pos_ - begin));
    return t;
  }

  // Reads a quoted run from pos_ (at the opening quote) up to `close`, where a doubled
  // `close` stands for one; returns the content.
  std::string quoted(char close) {
    const size_t contentStart = ++pos_;
    std::string value;
    while (true) {
      if (pos_ >= s_.size()) throw refusalsFor(dialect_).unclosedQuote(s_.substr(contentStart));
      if (s_[pos_] == close) {
        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == close) {
          value += close;
          pos_ += 2;
          continue;
        }
        ++pos_;
        return value;
      }
      value += s_[pos_++];
    }
  }

  Token next() {
    const size_t begin = pos_;
    const char c = s_[pos_];
    const char c1 = pos_ + 1 < s_.size() ? s_[pos_ + 1] : '\0';

    if ((c == 'N' || c == 'n') && c1 == '\'' && dialect_ == Dialect::SqlServer) {
      ++pos_;
      std::string value = quoted('\'');
      Token t = make(TokenKind::String, begin);
      t.value = std::move(value);
      t.national = true;
      return t;
    }
    if (c == '\'' || (c == '"' && dialect_ == Dialect::Jet)) {
      std::string value = quoted(c);
      Token t = make(TokenKind::String, begin);
      t.value = std::move(value);
      return t;
    }
    if (c == '[' || c == '"') {
      std::string value = quoted(c == '[' ? ']' : '"');
      Token t = make(TokenKind::QuotedName, begin);
      t.value = std::move(value);
      return t;
    }
    if (c == '0' && (c1 == 'x' || c1 == 'X')) {
      pos_ += 2;
      while (pos_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
      Token t = make(TokenKind::Binary, begin);
      t.value = t.text;
      return t;
    }
    if (isDigit(c) || (c == '.' && isDigit(c1))) {
      while (pos_ < s_.size() && (isDigit(s_[pos_]) || s_[pos_] == '.')) ++pos_;
      if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
        size_t p = pos_ + 1;
        if (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) ++p;
        if (p < s_.size() && isDigit(s_[p])) {
          pos_ = p;
          while (pos_ < s_.size() && isDigit(s_[pos_])) ++pos_;
        }
      }
      Token t = make(TokenKind::Number, begin);
      t.value = t.text;
      return t;
    }
    if (c == '@') {
      ++pos_;
      if (pos_ < s_.size() && s_[pos_] == '@') ++pos_;
      while (pos_ < s_.size() && continuesName(s_[pos_])) ++pos_;
      Token t = make(TokenKind::Variable, begin);
      t.value = t.text;
      return t;
    }
    if (c == ':' && (startsName(c1) || isDigit(c1))) {
      ++pos_;
      while (pos_ < s_.size() && continuesName(s_[pos_])) ++pos_;
      Token t = make(TokenKind::Parameter, begin);
      t.value = t.text.substr(1);
      return t;
    }
    if (startsName(c)) {
      while (pos_ < s_.size() && continuesName(s_[pos_])) ++pos_;
      Token t = make(TokenKind::Word, begin);
      t.value = t.text;
      return t;
    }
    static constexpr std::array<std::string_view, 14> kTwoCharSymbols = {
        "<>", "<=", ">=", "!=", "!<", "!>", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^="};
    for (std::string_view sym : kTwoCharSymbols) {
      if (s_.compare(pos_, 2, sym) == 0) {
        pos_ += 2;
        return make(TokenKind::Symbol, begin);
      }
    }
    // A lone byte: a one-character operator or punctuation (or a character T-SQL does not
    // know, which the parser reports as a syntax error near it).
    ++pos_;
    return make(TokenKind::Symbol, begin);
  }

  std::string_view s_;
  Dialect dialect_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<Token> tokenize(std::string_view batch, Dialect dialect) { return Scanner(batch, dialect).run(); }

bool isReservedKeyword(std::string_view word) {
  // SQL Server's reserved keywords, each between blanks: a name spelled like one of them must
  // be bracketed.
  static constexpr std::string_view kReserved =
      " "
      "add all alter and any as asc authorization backup begin between break browse bulk by cascade case "
      "check checkpoint close clustered coalesce collate column commit compute constraint contains "
      "containstable continue convert create cross current current_date current_time current_timestamp "
      "current_user cursor database dbcc deallocate declare default delete deny desc disk distinct "
      "distributed double drop dump else end errlvl escape except exec execute exists exit external fetch "
      "file fillfactor for foreign freetext freetexttable from full function goto grant group having "
      "holdlock identity identity_insert identitycol if in index inner insert intersect into is join key "
      "kill left like lineno load merge national nocheck nonclustered not null nullif of off offsets on "
      "open opendatasource openquery openrowset openxml option or order outer over percent pivot plan "
      "primary print proc procedure public raiserror read readtext reconfigure references replication "
      "restore restrict return revert revoke right rollback rowcount rowguidcol rule save schema "
      "securityaudit select session_user set setuser shutdown some statistics system_user table "
      "tablesample textsize then to top tran transaction trigger truncate tsequal union unique unpivot "
      "update updatetext use user values varying view waitfor when where while with writetext ";
  if (word.empty() || word.find(' ') != std::string_view::npos) return false;
  return kReserved.find(" " + asciiLower(word) + " ") != std::string_view::npos;
}

}  // namespace db::embedded
