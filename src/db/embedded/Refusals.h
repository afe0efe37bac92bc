#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/Error.h"
#include "db/embedded/syntax/Tokenizer.h"

namespace db::embedded {

// The statement a syntax error was found in; Jet names it in its message.
enum class SyntaxContext { Statement, CreateTable, AlterTable, FieldDefinition, Drop, CreateIndex };

// What stops a column from being altered or dropped (SQL Server's Msg 5074).
struct Dependent {
  enum Kind { Object, Index, Column } kind;  // a constraint, an index, a computed column
  std::string name;
};

// Every refusal of the engine, worded as the server words it. The base class speaks for
// SQL Server (message text and Msg number); the Jet refusals override the cases an Access
// file words differently and keep SQL Server's words where Jet has no counterpart.
//
// Where SQL Server raises two messages for one failure (3728 then 3727, 5074 then 4922), the
// error carries the first message's number and both texts, one per line: ADO reports the
// first, and the second says what failed.
class Refusals {
 public:
  virtual ~Refusals() = default;

  // Tokenizer
  virtual Error unclosedQuote(std::string_view rest) const;
  virtual Error unclosedComment() const;

  // Parser: `near` is the token the parser stopped at, or the last token when the text ended.
  virtual Error syntaxNear(const Token& near, SyntaxContext context) const;
  virtual Error notTsql(const Token& first) const;  // T-SQL-only syntax where the dialect has none
  virtual Error firstInBatch(std::string_view what) const;
  // WITH opening a common table expression where the statement before it did not end with ';'.
  virtual Error cteNeedsSemicolon(const Token& with) const;
  // A value where IF, WHILE, WHERE, ON, HAVING or WHEN expect a condition.
  virtual Error conditionExpected(const Token& near) const;
  virtual Error unknownSetOption(std::string_view option) const;

  // Types; `position` is SQL Server's "Column, parameter, or variable #N".
  virtual Error unknownType(int position, std::string_view typeName) const;
  virtual Error widthNotAllowed(int position, std::string_view typeName) const;
  virtual Error sizeTooLarge(int size, std::string_view typeName, int maximum) const;

  // Objects and columns
  virtual Error objectExists(std::string_view name) const;
  virtual Error duplicateColumn(std::string_view column, std::string_view table) const;
  virtual Error missingTable(std::string_view nameAsWritten) const;       // ALTER TABLE
  virtual Error missingIndexTable(std::string_view nameAsWritten) const;  // CREATE INDEX
  virtual Error missingTriggerTable(std::string_view nameAsWritten) const;
  virtual Error missingProcedure(std::string_view nameAsWritten) const;
  virtual Error dropMissing(std::string_view kind, std::string_view nameAsWritten) const;
  virtual Error dropWrongKind(std::string_view statementKind, std::string_view name, std::string_view actualKind,
                              std::string_view rightStatement) const;
  virtual Error missingColumn(std::string_view operation, std::string_view column, std::string_view table) const;
  virtual Error notNullOnNonEmptyTable(std::string_view column, std::string_view table) const;
  virtual Error notAConstraint(std::string_view name) const;
  virtual Error columnHasDependents(std::string_view operation, std::string_view column,
                                    const std::vector<Dependent>& dependents) const;
  virtual Error onlyDataColumn(std::string_view column, std::string_view table) const;
  virtual Error alterComputedColumn(std::string_view column) const;
  virtual Error secondPrimaryKey(std::string_view table, bool tableExisted) const;
  virtual Error nullablePrimaryKey(std::string_view table) const;
  virtual Error badIdentityType(std::string_view column) const;
  virtual Error secondIdentity(std::string_view table) const;
  virtual Error keyColumnMissing(std::string_view column) const;
  virtual Error invalidKeyColumnType(std::string_view column, std::string_view table) const;
  virtual Error indexExists(std::string_view index, std::string_view table) const;
  virtual Error dropMissingIndex(std::string_view nameAsWritten) const;
  virtual Error dropConstraintIndex(std::string_view nameAsWritten) const;
  virtual Error unknownSchema(std::string_view schema) const;
  virtual Error invalidObject(std::string_view nameAsWritten) const;
  virtual Error invalidColumn(std::string_view column) const;
  virtual Error unknownFunction(std::string_view name) const;
  virtual Error undeclaredVariable(std::string_view variable) const;
  virtual Error unknownCastType(std::string_view type) const;
  virtual Error defaultAlreadyBound() const;

  // Rows
  virtual Error nullNotAllowed(std::string_view column, std::string_view qualifiedTable,
                               std::string_view operation) const;
  virtual Error conversionFailed(std::string_view fromType, std::string_view value, std::string_view toType) const;
  virtual Error duplicateKey(bool primaryKey, std::string_view constraint, std::string_view table) const;
  virtual Error duplicateIndexKey(std::string_view table, std::string_view index) const;
  virtual Error explicitIdentity(std::string_view table) const;
  virtual Error duplicatesUnderNewIndex(std::string_view table, std::string_view index, std::string_view value) const;
  virtual Error valueCountMismatch() const;  // INSERT without a column list
  virtual Error insertValueCount(bool moreColumnsThanValues) const;
  virtual Error lockTimeout() const;
  // Foreign keys: 1767, 1773 and 1776 (each with 1750).
  virtual Error foreignKeyToMissingTable(std::string_view key, std::string_view table) const;
  virtual Error foreignKeyWithoutPrimaryKey(std::string_view key, std::string_view table) const;
  virtual Error foreignKeyWithoutCandidateKey(std::string_view table, std::string_view key) const;
  // A row that breaks a constraint (547), by the statement it came from (INSERT, UPDATE, DELETE,
  // ALTER TABLE): a foreign key's referencing row (`table` and `column` the referenced ones), a
  // row still referred to (the referencing ones), a CHECK (`column` empty for a table's check).
  virtual Error rowConflict(std::string_view statement, std::string_view constraintKind, std::string_view constraint,
                            std::string_view database, std::string_view table, std::string_view column) const;
  virtual Error referencedTable(std::string_view nameAsWritten) const;  // DROP TABLE (3726)
  // IDENTITY_INSERT: the table has no identity (8106), another table has it on (8107), a row
  // without the identity value while it is on (545).
  virtual Error noIdentityColumn(std::string_view table) const;
  virtual Error identityInsertElsewhere(std::string_view qualifiedTableOn, std::string_view table) const;
  virtual Error identityValueMissing(std::string_view table) const;
  // A text longer than its column (8152), as SQL Server 2005 to 2017 word it.
  virtual Error truncated() const;
  // A statement or expression deeper than the engine can run (191).
  virtual Error nestedTooDeeply() const;

  // Databases
  virtual Error databaseExists(std::string_view name) const;

  // What the engine itself does not do (not a server refusal): says so and what to use instead.
  virtual Error notSupported(std::string_view what) const;
};

const Refusals& refusalsFor(Dialect dialect);

// The errors after which SQL Server goes on with the next statement of the batch: a duplicate
// key, a foreign key or check, a NULL or a text too long for its column, a subquery of several
// rows, a division by zero.
bool endsOnlyItsStatement(const Error& e);

// Jet takes one statement per text; T-SQL takes batches and has no such refusal.
Error jetCharactersAfterStatement();

}  // namespace db::embedded
