#pragma once

#include <string_view>
#include <vector>

#include "db/embedded/Refusals.h"
#include "db/embedded/syntax/SyntaxTree.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded::syntax {

// Recursive descent over the tokens of one T-SQL batch. The grammar is split by subject over
// several files: BatchParser.cpp (navigation, errors, statement lists, control of flow),
// ExpressionParser.cpp, QueryParser.cpp (queries and data statements) and DefinitionParser.cpp
// (tables, indexes, drops, modules).
//
// Every refusal is a db::Error with SQL Server's number and text and the line of the token it
// names. T-SQL needs no separator between statements: a statement ends at ';' or where the
// next one begins, and a token that can neither continue the statement nor begin another is
// the syntax error.
class BatchParser {
 public:
  explicit BatchParser(std::string_view text);

  Batch parse();

 private:
  // --- navigation (BatchParser.cpp)
  const Token& peek(size_t ahead = 0) const;
  const Token& advance();
  bool atEnd() const { return peek().kind == TokenKind::End; }
  bool peekWord(std::string_view word, size_t ahead = 0) const { return peek(ahead).isWord(word); }
  bool peekSymbol(std::string_view symbol, size_t ahead = 0) const { return peek(ahead).isSymbol(symbol); }
  bool acceptWord(std::string_view word);
  bool acceptSymbol(std::string_view symbol);
  void expectWord(std::string_view word);
  void expectSymbol(std::string_view symbol);
  // A name T-SQL accepts without brackets here: a word that is not reserved, or a quoted name.
  bool peekName(size_t ahead = 0) const;
  Identifier parseIdentifier();
  ObjectName parseObjectName();
  std::vector<Identifier> parseIdentifierList();  // a, b, c
  std::vector<Identifier> parseParenthesizedIdentifiers();
  std::string upperWord();  // the current word upper-cased, consumed

  // --- places and errors
  int lineAt(size_t offset) const;
  SourceSpan spanFrom(size_t firstToken) const;  // from that token to the last one consumed
  template <class Node>
  Node& finish(Node& node, size_t firstToken) const {
    node.span = spanFrom(firstToken);
    return node;
  }
  Error& located(Error& error, const Token& at) const;
  // The token a refusal names: the current one, or the last one when the text has ended.
  const Token& offendingToken() const;
  [[noreturn]] void fail() const;
  [[noreturn]] void failAt(const Token& token) const;
  [[noreturn]] void unsupported(std::string_view what) const;
  const Token& tokenAtOrAfter(size_t offset) const;

  // Nesting of any kind (parentheses, subqueries, blocks, IFs) is limited so that a deep text
  // gets SQL Server's 191 instead of overflowing the stack.
  class Nesting {
   public:
    explicit Nesting(BatchParser& parser);
    ~Nesting() { --parser_.depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    BatchParser& parser_;
  };

  // --- statements (BatchParser.cpp)
  StatementList parseStatementsUntil(std::string_view endWord);
  StatementPtr parseStatement();
  void skipSemicolons();
  bool cteMayStartHere() const;
  StatementPtr parseBlockOrTryCatch();
  StatementPtr parseIf();
  StatementPtr parseWhile();
  StatementPtr parseReturn();
  StatementPtr parseDeclare();
  StatementPtr parseDeclareCursor(size_t first);
  StatementPtr parseSet();
  StatementPtr parseRaiserror();
  StatementPtr parseThrow();
  StatementPtr parseTransaction();
  StatementPtr parseCursorStatement(StatementKind kind);
  StatementPtr parseFetch();
  StatementPtr parseExecute(bool keywordWritten);
  ExecuteArgument parseExecuteArgument();
  std::string parseTransactionName();
  Identifier parseCursorName(bool& global);

  // --- expressions (ExpressionParser.cpp)
  ExpressionPtr parseCondition();  // a search condition; a value there is refused (4145)
  ExpressionPtr parseScalar();     // a value; a condition there is a syntax error
  ExpressionPtr parseOr();
  ExpressionPtr parseAnd();
  ExpressionPtr parseNot();
  ExpressionPtr parsePredicate();
  ExpressionPtr parseAdditive();
  ExpressionPtr parseMultiplicative();
  ExpressionPtr parseUnary();
  ExpressionPtr parsePrimary();
  ExpressionPtr parseNameExpression();
  std::unique_ptr<FunctionCall> parseFunctionCall(ObjectName name, size_t first);
  ExpressionPtr parseCase();
  ExpressionPtr parseCast();
  ExpressionPtr parseConvert();
  OverClause parseOver();
  std::vector<OrderItem> parseOrderByList();
  std::vector<ExpressionPtr> parseScalarList();
  TypeName parseType();
  void requireCondition(const Expression& e) const;
  void requireScalar(const Expression& e) const;
  const Token& operatorTokenOf(const Expression& e) const;

  // --- queries and data statements (QueryParser.cpp)
  QueryPtr parseQuery();  // [WITH ...] query [ORDER BY ...]
  QueryPtr parseSubquery();  // inside parentheses: no WITH
  std::vector<CommonTableExpression> parseCommonTableExpressions();
  QueryExpressionPtr parseQueryExpression();
  QueryExpressionPtr parseQueryTerm();
  QueryExpressionPtr parseQueryPrimary();
  QueryExpressionPtr parseSelectSpec();
  std::optional<TopClause> parseTop(bool allowBare);
  SelectItem parseSelectItem();
  std::vector<TableSourcePtr> parseFromList();
  TableSourcePtr parseJoinedSource();
  TableSourcePtr parseTablePrimary();
  std::optional<Identifier> parseAlias(bool allowString);
  std::vector<std::string> parseTableHints();
  DataTarget parseDataTarget();
  StatementPtr parseWithStatement();
  StatementPtr parseSelectStatement(std::vector<CommonTableExpression> with, size_t first);
  StatementPtr parseInsert(std::vector<CommonTableExpression> with, size_t first);
  StatementPtr parseUpdate(std::vector<CommonTableExpression> with, size_t first);
  StatementPtr parseDelete(std::vector<CommonTableExpression> with, size_t first);
  StatementPtr parseTruncate();
  SetClause parseSetClause();
  bool peekAssignmentOperator(size_t ahead = 0) const;

  // --- definitions (DefinitionParser.cpp)
  StatementPtr parseCreate(bool firstInBatch);
  StatementPtr parseAlter(bool firstInBatch);
  StatementPtr parseDrop();
  StatementPtr parseCreateTable(size_t first);
  StatementPtr parseAlterTable(size_t first);
  StatementPtr parseCreateIndex(size_t first);
  StatementPtr parseDropIndex(size_t first);
  StatementPtr parseCreateDatabase(size_t first);
  StatementPtr parseUse();
  TableDefinition parseTableDefinition();
  // DEFAULT ... FOR col is a table constraint of ALTER TABLE ADD only.
  void parseTableElement(std::vector<ColumnDefinition>& columns, std::vector<Constraint>& constraints,
                         bool defaultConstraintAllowed);
  bool peekTableConstraint(bool defaultConstraintAllowed) const;
  ColumnDefinition parseColumnDefinition();
  bool parseColumnConstraint(ColumnDefinition& column);
  Constraint parseTableConstraint(bool defaultConstraintAllowed);
  void parseCheck(Constraint& c);
  void parseKeyDetails(Constraint& c, bool tableLevel);
  void parseReferences(Constraint& c);
  std::vector<IndexColumn> parseIndexColumns();
  std::vector<IndexOption> parseIndexOptions();
  std::string parseFileGroup();
  Clustering parseClustering();

  StatementPtr parseModule(ModuleAction action, size_t first, bool firstInBatch);
  std::vector<std::string> parseModuleOptions();
  std::vector<ParameterDefinition> parseParameters(bool parenthesized);
  StatementPtr parseCreateView(ModuleHeader header, size_t first);
  StatementPtr parseCreateFunction(ModuleHeader header, size_t first);
  StatementPtr parseCreateProcedure(ModuleHeader header, size_t first);
  StatementPtr parseCreateTrigger(ModuleHeader header, size_t first);
  StatementList parseModuleBody();  // the statements up to the end of the batch
  StatementList parseBeginEndBody();

  std::string_view text_;
  std::vector<Token> tokens_;
  std::vector<size_t> lineStarts_;
  const Refusals& refusals_;
  size_t pos_ = 0;
  int depth_ = 0;
  size_t firstStatementToken_ = 0;     // where the batch's first statement begins
  size_t moduleBodyToken_ = SIZE_MAX;  // where a module's AS ends: a WITH may begin there
};

}  // namespace db::embedded::syntax
