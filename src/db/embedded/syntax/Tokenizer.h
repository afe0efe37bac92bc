#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db::embedded {

// The two dialects the engine speaks: SQL Server's T-SQL, and the Jet SQL of an Access file.
enum class Dialect { SqlServer, Jet };

enum class TokenKind {
  Word,        // an identifier or keyword: letters (any script), digits, _, #, $, @ after the first
  QuotedName,  // [name] or, in T-SQL, "name"
  String,      // 'text' or N'text' ('' stands for one quote)
  Number,      // 12, 1.5, 2e3
  Binary,      // 0x1F
  Variable,    // @name or @@name
  Parameter,   // :name, a named parameter bound by the caller
  Symbol,      // punctuation and operators: ( ) , . ; = <> <= ...
  End,         // after the last token
};

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;       // the source text of the token, exactly as written
  std::string value;      // the name without its quotes, or the string without quotes and escapes
  bool national = false;  // N'...'
  size_t begin = 0;       // byte offsets into the batch
  size_t end = 0;

  bool is(TokenKind k) const { return kind == k; }
  // A Word equal to `keyword` without regard to ASCII case.
  bool isWord(std::string_view keyword) const;
  bool isSymbol(std::string_view symbol) const { return kind == TokenKind::Symbol && text == symbol; }
  // A name as T-SQL reads it: a Word or a QuotedName (its value).
  bool isName() const { return kind == TokenKind::Word || kind == TokenKind::QuotedName; }
};

// Splits a batch into tokens, dropping blanks and comments (-- to the end of the line, where a
// line ends at CR, LF or CR LF; /* */, which nest).
// The last token is always an End token positioned at the end of the text.
// Throws db::Error for an unclosed quote or comment, worded as the dialect's server words it.
std::vector<Token> tokenize(std::string_view batch, Dialect dialect);

// T-SQL's reserved keywords: a reserved word where a name or expression is expected is
// reported as "Incorrect syntax near the keyword '...'" (Msg 156).
bool isReservedKeyword(std::string_view word);

}  // namespace db::embedded
