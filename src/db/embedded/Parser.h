#pragma once

#include <string_view>
#include <vector>

#include "db/embedded/Ast.h"
#include "db/embedded/Refusals.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

// Reads a tokenized batch into statements. T-SQL needs no separator between statements: a
// statement ends at ';' or where the next one begins. Syntax errors are thrown as the dialect
// words them.
//
// Jet (an Access file) reads one statement per text, and no T-SQL beyond it:
// - IF, BEGIN, DECLARE, EXEC, SET and @variables: "Invalid SQL statement; expected 'DELETE',
//   'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.", as Jet answers a text that is no statement;
// - CREATE PROCEDURE / FUNCTION / TRIGGER / DATABASE: "Syntax error in CREATE TABLE statement.";
// - computed columns and the (max) types: "Syntax error in field definition.";
// - ALTER TABLE ... DROP must say COLUMN or CONSTRAINT ("Syntax error in ALTER TABLE statement.").
// Jet's own forms are taken: CREATE TABLE without a column list, ADD COLUMN, Jet's type names.
// The "dbo." prefix is accepted and dropped: the updater sends it to Access files too.
class Parser {
 public:
  Parser(std::string_view batch, const std::vector<Token>& tokens, Dialect dialect);

  std::vector<Statement> parseBatch();

 private:
  Statement parseStatement(bool firstInBatch);
  Statement parseCreate(bool firstInBatch);
  Statement parseCreateTable();
  Statement parseCreateIndex(bool unique);
  Statement parseModule(ObjectKind kind, bool alter, size_t statementStart, bool firstInBatch);
  Statement parseAlter(bool firstInBatch);
  Statement parseAlterTable();
  Statement parseDrop();
  Statement parseDropIndex();
  Statement parseData(DataStatement::Kind kind);
  Statement parseExec(size_t start);
  Statement parseUnsupported(std::string what);

  ColumnDef parseColumnDef(SyntaxContext context);
  TableConstraint parseTableConstraint(SyntaxContext context);
  TypeRef parseType(SyntaxContext context);
  std::vector<std::string> parseNameList(SyntaxContext context, bool allowOrder);
  ObjectName parseObjectName(SyntaxContext context);
  std::string parseName(SyntaxContext context);
  std::string parseDefaultExpression(SyntaxContext context);
  std::string parseParenthesized(SyntaxContext context);
  size_t skipToStatementEnd(DataStatement::Kind kind);

  const Token& peek(size_t ahead = 0) const;
  const Token& advance();
  bool atEnd() const { return peek().kind == TokenKind::End; }
  bool atStatementEnd() const { return atEnd() || peek().isSymbol(";"); }
  bool acceptWord(std::string_view word);
  bool acceptSymbol(std::string_view symbol);
  void expectWord(std::string_view word, SyntaxContext context);
  void expectSymbol(std::string_view symbol, SyntaxContext context);
  [[noreturn]] void fail(SyntaxContext context) const;
  std::string textBetween(size_t firstToken, size_t endToken) const;

  std::string_view batch_;
  const std::vector<Token>& tokens_;
  Dialect dialect_;
  const Refusals& refusals_;
  size_t pos_ = 0;
};

}  // namespace db::embedded
