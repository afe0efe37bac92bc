#include "db/embedded/Refusals.h"

#include <algorithm>
#include <iterator>

#include "db/ConnectionString.h"

namespace db::embedded {

namespace {

std::string str(std::string_view s) { return std::string(s); }

Error sqlServer(int number, std::string message) { return Error::provider(std::move(message), number); }

// Jet's errors carry its own error numbers (the DAO numbers an Access user knows).
Error jet(int number, std::string message) { return Error::provider(std::move(message), number); }

// SQL Server quotes the token as it reads it: a string or a bracketed name without its quotes.
std::string shownToken(const Token& near) {
  return near.kind == TokenKind::String || near.kind == TokenKind::QuotedName ? near.value : near.text;
}

}  // namespace

Error Refusals::unclosedQuote(std::string_view rest) const {
  return sqlServer(105, "Unclosed quotation mark after the character string '" + str(rest) + "'.");
}

Error Refusals::unclosedComment() const { return sqlServer(113, "Missing end comment mark '*/'."); }

Error Refusals::syntaxNear(const Token& near, SyntaxContext) const {
  if (near.kind == TokenKind::Word && isReservedKeyword(near.text))
    return sqlServer(156, "Incorrect syntax near the keyword '" + near.text + "'.");
  if (near.kind == TokenKind::End) return sqlServer(102, "Incorrect syntax near ''.");
  return sqlServer(102, "Incorrect syntax near '" + shownToken(near) + "'.");
}

Error Refusals::cteNeedsSemicolon(const Token& with) const {
  return sqlServer(319, "Incorrect syntax near the keyword '" + with.text +
                            "'. If this statement is a common table expression, an xmlnamespaces clause or a change "
                            "tracking context clause, the previous statement must be terminated with a semicolon.");
}

Error Refusals::conditionExpected(const Token& near) const {
  return sqlServer(4145, "An expression of non-boolean type specified in a context where a condition is expected, "
                         "near '" +
                             shownToken(near) + "'.");
}

Error Refusals::unknownSetOption(std::string_view option) const {
  return sqlServer(195, "'" + str(option) + "' is not a recognized SET option.");
}

Error Refusals::notTsql(const Token& first) const { return syntaxNear(first, SyntaxContext::Statement); }

Error Refusals::firstInBatch(std::string_view what) const {
  return sqlServer(111, "'" + str(what) + "' must be the first statement in a query batch.");
}

Error Refusals::unknownType(int position, std::string_view typeName) const {
  return sqlServer(2715, "Column, parameter, or variable #" + std::to_string(position) + ": Cannot find data type " +
                             str(typeName) + ".");
}

Error Refusals::widthNotAllowed(int position, std::string_view typeName) const {
  return sqlServer(2716, "Column, parameter, or variable #" + std::to_string(position) +
                             ": Cannot specify a column width on data type " + str(typeName) + ".");
}

Error Refusals::sizeTooLarge(int size, std::string_view typeName, int maximum) const {
  return sqlServer(131, "The size (" + std::to_string(size) + ") given to the type '" + str(typeName) +
                            "' exceeds the maximum allowed for any data type (" + std::to_string(maximum) + ").");
}

Error Refusals::objectExists(std::string_view name) const {
  return sqlServer(2714, "There is already an object named '" + str(name) + "' in the database.");
}

Error Refusals::duplicateColumn(std::string_view column, std::string_view table) const {
  return sqlServer(2705, "Column names in each table must be unique. Column name '" + str(column) + "' in table '" +
                             str(table) + "' is specified more than once.");
}

Error Refusals::missingTable(std::string_view nameAsWritten) const {
  return sqlServer(4902, "Cannot find the object \"" + str(nameAsWritten) +
                             "\" because it does not exist or you do not have permissions.");
}

Error Refusals::missingIndexTable(std::string_view nameAsWritten) const {
  return sqlServer(1088, "Cannot find the object \"" + str(nameAsWritten) +
                             "\" because it does not exist or you do not have permissions.");
}

Error Refusals::missingTriggerTable(std::string_view nameAsWritten) const {
  return sqlServer(8197, "The object '" + str(nameAsWritten) + "' does not exist or is invalid for this operation.");
}

Error Refusals::missingProcedure(std::string_view nameAsWritten) const {
  return sqlServer(2812, "Could not find stored procedure '" + str(nameAsWritten) + "'.");
}

Error Refusals::dropMissing(std::string_view kind, std::string_view nameAsWritten) const {
  return sqlServer(3701, "Cannot drop the " + str(kind) + " '" + str(nameAsWritten) +
                             "', because it does not exist or you do not have permission.");
}

Error Refusals::dropWrongKind(std::string_view statementKind, std::string_view name, std::string_view actualKind,
                              std::string_view rightStatement) const {
  return sqlServer(3705, "Cannot use " + str(statementKind) + " with '" + str(name) + "' because '" + str(name) +
                             "' is a " + str(actualKind) + ". Use " + str(rightStatement) + ".");
}

Error Refusals::missingColumn(std::string_view operation, std::string_view column, std::string_view table) const {
  return sqlServer(4924, str(operation) + " failed because column '" + str(column) + "' does not exist in table '" +
                             str(table) + "'.");
}

Error Refusals::notNullOnNonEmptyTable(std::string_view column, std::string_view table) const {
  return sqlServer(4901,
                   "ALTER TABLE only allows columns to be added that can contain nulls, or have a DEFAULT definition "
                   "specified, or the column being added is an identity or timestamp column, or alternatively if none "
                   "of the previous conditions are satisfied the table must be empty to allow addition of this column. "
                   "Column '" +
                       str(column) + "' cannot be added to non-empty table '" + str(table) +
                       "' because it does not satisfy these conditions.");
}

Error Refusals::notAConstraint(std::string_view name) const {
  return sqlServer(3728, "'" + str(name) + "' is not a constraint.\nCould not drop constraint. See previous errors.");
}

Error Refusals::columnHasDependents(std::string_view operation, std::string_view column,
                                    const std::vector<Dependent>& dependents) const {
  std::string message;
  for (const Dependent& d : dependents) {
    switch (d.kind) {
      case Dependent::Object: message += "The object '" + d.name + "'"; break;
      case Dependent::Index: message += "The index '" + d.name + "'"; break;
      case Dependent::Column: message += "The column '" + d.name + "'"; break;
    }
    message += " is dependent on column '" + str(column) + "'.\n";
  }
  message += str(operation) + " " + str(column) + " failed because one or more objects access this column.";
  return sqlServer(5074, std::move(message));
}

Error Refusals::onlyDataColumn(std::string_view column, std::string_view table) const {
  return sqlServer(4923, "ALTER TABLE DROP COLUMN failed because '" + str(column) +
                             "' is the only data column in table '" + str(table) +
                             "'. A table must have at least one data column.");
}

Error Refusals::alterComputedColumn(std::string_view column) const {
  return sqlServer(4928, "Cannot alter column '" + str(column) + "' because it is 'COMPUTED'.");
}

Error Refusals::secondPrimaryKey(std::string_view table, bool tableExisted) const {
  if (tableExisted) return sqlServer(1779, "Table '" + str(table) + "' already has a primary key defined on it.");
  return sqlServer(8110, "Cannot add multiple PRIMARY KEY constraints to table '" + str(table) + "'.");
}

Error Refusals::nullablePrimaryKey(std::string_view table) const {
  return sqlServer(8111, "Cannot define PRIMARY KEY constraint on nullable column in table '" + str(table) + "'.");
}

Error Refusals::badIdentityType(std::string_view column) const {
  return sqlServer(2749, "Identity column '" + str(column) +
                             "' must be of data type int, bigint, smallint, tinyint, or decimal or numeric with a "
                             "scale of 0, and constrained to be nonnullable.");
}

Error Refusals::secondIdentity(std::string_view table) const {
  return sqlServer(2744, "Multiple identity columns specified for table '" + str(table) +
                             "'. Only one identity column per table is allowed.");
}

Error Refusals::keyColumnMissing(std::string_view column) const {
  return sqlServer(1911, "Column name '" + str(column) + "' does not exist in the target table or view.");
}

Error Refusals::invalidKeyColumnType(std::string_view column, std::string_view table) const {
  return sqlServer(1919, "Column '" + str(column) + "' in table '" + str(table) +
                             "' is of a type that is invalid for use as a key column in an index.");
}

Error Refusals::indexExists(std::string_view index, std::string_view table) const {
  return sqlServer(1913, "The operation failed because an index or statistics with name '" + str(index) +
                             "' already exists on table '" + str(table) + "'.");
}

Error Refusals::dropMissingIndex(std::string_view nameAsWritten) const {
  return sqlServer(3703, "Cannot drop the index '" + str(nameAsWritten) +
                             "', because it does not exist or you do not have permission.");
}

Error Refusals::dropConstraintIndex(std::string_view nameAsWritten) const {
  return sqlServer(3723, "An explicit DROP INDEX is not allowed on index '" + str(nameAsWritten) +
                             "'. It is being used for PRIMARY KEY constraint enforcement.");
}

Error Refusals::unknownSchema(std::string_view schema) const {
  return sqlServer(2760, "The specified schema name \"" + str(schema) +
                             "\" either does not exist or you do not have permission to use it.");
}

Error Refusals::invalidObject(std::string_view nameAsWritten) const {
  return sqlServer(208, "Invalid object name '" + str(nameAsWritten) + "'.");
}

Error Refusals::invalidColumn(std::string_view column) const {
  return sqlServer(207, "Invalid column name '" + str(column) + "'.");
}

Error Refusals::unknownFunction(std::string_view name) const {
  return sqlServer(195, "'" + str(name) + "' is not a recognized built-in function name.");
}

Error Refusals::undeclaredVariable(std::string_view variable) const {
  return sqlServer(137, "Must declare the scalar variable \"" + str(variable) + "\".");
}

Error Refusals::unknownCastType(std::string_view type) const {
  return sqlServer(243, "Type " + str(type) + " is not a defined system type.");
}

Error Refusals::defaultAlreadyBound() const { return sqlServer(1781, "Column already has a DEFAULT bound to it."); }

Error Refusals::nullNotAllowed(std::string_view column, std::string_view qualifiedTable,
                               std::string_view operation) const {
  return sqlServer(515, "Cannot insert the value NULL into column '" + str(column) + "', table '" +
                            str(qualifiedTable) + "'; column does not allow nulls. " + str(operation) + " fails.");
}

Error Refusals::conversionFailed(std::string_view fromType, std::string_view value, std::string_view toType) const {
  return sqlServer(245, "Conversion failed when converting the " + str(fromType) + " value '" + str(value) +
                            "' to data type " + str(toType) + ".");
}

Error Refusals::duplicateKey(bool primaryKey, std::string_view constraint, std::string_view table) const {
  return sqlServer(2627, std::string("Violation of ") + (primaryKey ? "PRIMARY KEY" : "UNIQUE KEY") + " constraint '" +
                             str(constraint) + "'. Cannot insert duplicate key in object 'dbo." + str(table) + "'.");
}

Error Refusals::duplicateIndexKey(std::string_view table, std::string_view index) const {
  return sqlServer(2601, "Cannot insert duplicate key row in object 'dbo." + str(table) + "' with unique index '" +
                             str(index) + "'.");
}

Error Refusals::explicitIdentity(std::string_view table) const {
  return sqlServer(544, "Cannot insert explicit value for identity column in table '" + str(table) +
                            "' when IDENTITY_INSERT is set to OFF.");
}

Error Refusals::duplicatesUnderNewIndex(std::string_view table, std::string_view index, std::string_view value) const {
  return sqlServer(1505,
                   "The CREATE UNIQUE INDEX statement terminated because a duplicate key was found for the "
                   "object name 'dbo." +
                       str(table) + "' and the index name '" + str(index) + "'. The duplicate key value is " +
                       str(value) + ".");
}

Error Refusals::valueCountMismatch() const {
  return sqlServer(213, "Column name or number of supplied values does not match table definition.");
}

Error Refusals::insertValueCount(bool moreColumnsThanValues) const {
  return sqlServer(moreColumnsThanValues ? 109 : 110,
                   std::string("There are ") + (moreColumnsThanValues ? "more" : "fewer") +
                       " columns in the INSERT statement than values specified in the VALUES clause. The number of "
                       "values in the VALUES clause must match the number of columns specified in the INSERT "
                       "statement.");
}

Error Refusals::lockTimeout() const {
  return sqlServer(1222, "Lock request time out period exceeded. (Another connection kept the catalog busy.)");
}

namespace {
constexpr const char* kConstraintNotCreated = "\nCould not create constraint or index. See previous errors.";
}

Error Refusals::foreignKeyToMissingTable(std::string_view key, std::string_view table) const {
  return sqlServer(1767, "Foreign key '" + str(key) + "' references invalid table '" + str(table) + "'." +
                             kConstraintNotCreated);
}

Error Refusals::foreignKeyWithoutPrimaryKey(std::string_view key, std::string_view table) const {
  return sqlServer(1773, "Foreign key '" + str(key) + "' has implicit reference to object '" + str(table) +
                             "' which does not have a primary key defined on it." + kConstraintNotCreated);
}

Error Refusals::foreignKeyWithoutCandidateKey(std::string_view table, std::string_view key) const {
  return sqlServer(1776, "There are no primary or candidate keys in the referenced table 'dbo." + str(table) +
                             "' that match the referencing column list in the foreign key '" + str(key) + "'." +
                             kConstraintNotCreated);
}

// SQL Server follows a data statement's 547 with 3621, "The statement has been terminated."; an
// ALTER TABLE's stands alone.
Error Refusals::rowConflict(std::string_view statement, std::string_view constraintKind, std::string_view constraint,
                            std::string_view database, std::string_view table, std::string_view column) const {
  return sqlServer(547, "The " + str(statement) + " statement conflicted with the " + str(constraintKind) +
                            " constraint \"" + str(constraint) + "\". The conflict occurred in database \"" +
                            str(database) + "\", table \"dbo." + str(table) + "\"" +
                            (column.empty() ? std::string() : ", column '" + str(column) + "'") + "." +
                            (statement == "ALTER TABLE" ? "" : "\nThe statement has been terminated."));
}

Error Refusals::referencedTable(std::string_view nameAsWritten) const {
  return sqlServer(3726, "Could not drop object '" + str(nameAsWritten) +
                             "' because it is referenced by a FOREIGN KEY constraint.");
}

Error Refusals::noIdentityColumn(std::string_view table) const {
  return sqlServer(8106, "Table '" + str(table) + "' does not have the identity property. Cannot perform SET operation.");
}

Error Refusals::identityInsertElsewhere(std::string_view qualifiedTableOn, std::string_view table) const {
  return sqlServer(8107, "IDENTITY_INSERT is already ON for table '" + str(qualifiedTableOn) +
                             "'. Cannot perform SET operation for table '" + str(table) + "'.");
}

Error Refusals::identityValueMissing(std::string_view table) const {
  return sqlServer(545, "Explicit value must be specified for identity column in table '" + str(table) +
                            "' either when IDENTITY_INSERT is set to ON or when a replication user is inserting into "
                            "a NOT FOR REPLICATION identity column.");
}

Error Refusals::truncated() const {
  return sqlServer(8152, "String or binary data would be truncated.\nThe statement has been terminated.");
}

Error Refusals::nestedTooDeeply() const {
  return sqlServer(191,
                   "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up into "
                   "smaller queries.");
}

Error Refusals::databaseExists(std::string_view name) const {
  return sqlServer(1801, "Database '" + str(name) + "' already exists. Choose a different database name.");
}

Error Refusals::notSupported(std::string_view what) const {
  return Error::provider("The embedded engine does not support " + str(what) +
                         " yet; run this statement against a SQL Server instance through the ODBC backend.");
}

namespace {

// Jet words its refusals per statement and per object ("Table 'T' already exists.").
class JetRefusals final : public Refusals {
 public:
  Error syntaxNear(const Token&, SyntaxContext context) const override {
    switch (context) {
      case SyntaxContext::CreateTable: return jet(3290, "Syntax error in CREATE TABLE statement.");
      case SyntaxContext::AlterTable: return jet(3293, "Syntax error in ALTER TABLE statement.");
      case SyntaxContext::FieldDefinition: return jet(3292, "Syntax error in field definition.");
      case SyntaxContext::Drop: return jet(3295, "Syntax error in DROP TABLE or DROP INDEX.");
      case SyntaxContext::CreateIndex: return jet(3289, "Syntax error in CREATE INDEX statement.");
      case SyntaxContext::Statement: break;
    }
    return jet(3075, "Syntax error in query expression.");
  }
  // IF, BEGIN, DECLARE, EXEC, variables and the like: Jet runs one plain statement at a time.
  Error notTsql(const Token&) const override {
    return jet(3129, "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
  }
  Error unclosedQuote(std::string_view) const override {
    return jet(3075, "Syntax error in string in query expression.");
  }
  Error unknownType(int, std::string_view) const override { return jet(3292, "Syntax error in field definition."); }
  Error widthNotAllowed(int, std::string_view) const override { return jet(3292, "Syntax error in field definition."); }
  Error sizeTooLarge(int, std::string_view, int) const override {
    return jet(3292, "Syntax error in field definition.");
  }
  Error objectExists(std::string_view name) const override {
    return jet(3010, "Table '" + str(name) + "' already exists.");
  }
  Error duplicateColumn(std::string_view column, std::string_view table) const override {
    return jet(3380, "Field '" + str(column) + "' already exists in table '" + str(table) + "'.");
  }
  Error missingTable(std::string_view name) const override {
    return jet(3376, "Table '" + str(name) + "' does not exist.");
  }
  Error missingIndexTable(std::string_view name) const override { return missingTable(name); }
  Error dropMissing(std::string_view, std::string_view name) const override {
    return jet(3376, "Table '" + str(name) + "' does not exist.");
  }
  Error missingColumn(std::string_view, std::string_view, std::string_view) const override {
    return jet(3265, "Item not found in this collection.");
  }
  Error notAConstraint(std::string_view) const override { return jet(3371, "Cannot find table or constraint."); }
  Error columnHasDependents(std::string_view, std::string_view column, const std::vector<Dependent>&) const override {
    return jet(3280, "Cannot delete a field that is part of an index or is needed by the system. (Field '" +
                         str(column) + "'.)");
  }
  Error invalidObject(std::string_view name) const override {
    return jet(3078, "The Microsoft Jet database engine cannot find the input table or query '" + str(name) +
                         "'.  Make sure it exists and that its name is spelled correctly.");
  }
  Error duplicateKey(bool, std::string_view, std::string_view) const override {
    return jet(3022,
               "The changes you requested to the table were not successful because they would create duplicate "
               "values in the index, primary key, or relationship.  Change the data in the field or fields that "
               "contain duplicate data, remove the index, or redefine the index to permit duplicate entries and "
               "try again.");
  }
  Error duplicateIndexKey(std::string_view table, std::string_view index) const override {
    return duplicateKey(false, index, table);
  }
  Error nullNotAllowed(std::string_view column, std::string_view, std::string_view) const override {
    return jet(3314, "The field '" + str(column) +
                         "' cannot contain a Null value because the Required property "
                         "for this field is set to True.  Enter a value in this field.");
  }
};

}  // namespace

Error jetCharactersAfterStatement() { return jet(3142, "Characters found after end of SQL statement."); }

bool endsOnlyItsStatement(const Error& e) {
  static constexpr int kStatementLevel[] = {2627, 2601, 547, 515, 8152, 512, 8134};
  return std::find(std::begin(kStatementLevel), std::end(kStatementLevel), e.number()) != std::end(kStatementLevel);
}

const Refusals& refusalsFor(Dialect dialect) {
  static const Refusals sqlServerRefusals;
  static const JetRefusals jetRefusals;
  if (dialect == Dialect::Jet) return jetRefusals;
  return sqlServerRefusals;
}

}  // namespace db::embedded
