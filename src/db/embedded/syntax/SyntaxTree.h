#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The syntax tree of a T-SQL batch: what the parser read, before any name is resolved or any
// type is known. Statements nest (IF, WHILE, BEGIN ... END, TRY ... CATCH, module bodies);
// expressions and queries are trees. Every node keeps its place in the batch, so that the
// runtime can store a module's text, report ERROR_LINE() and quote the text in messages.
namespace db::embedded::syntax {

// Byte offsets [begin, end) into the batch text, and the line `begin` lies on (1-based; a line
// ends at CR, LF or CR LF).
struct SourceSpan {
  size_t begin = 0;
  size_t end = 0;
  int line = 1;

  std::string_view textIn(std::string_view batch) const { return batch.substr(begin, end - begin); }
};

// A name as written: `value` without brackets or quotes, `quoted` when it had them.
struct Identifier {
  std::string value;
  bool quoted = false;
  SourceSpan span;
};

// server.database.schema.object, any leading parts left out (then absent from `parts`).
// "db..t" keeps an empty schema part.
struct ObjectName {
  std::vector<Identifier> parts;
  SourceSpan span;

  const std::string& object() const { return parts.back().value; }
  // The part `fromEnd` places before the object (1 = schema, 2 = database), or "" when absent.
  std::string_view qualifier(size_t fromEnd) const;
  std::string_view schema() const { return qualifier(1); }
  bool empty() const { return parts.empty(); }
};

// A type as written: `int`, `nvarchar(50)`, `nvarchar(max)`, `decimal(18, 2)`, `dbo.MyType`.
struct TypeName {
  ObjectName name;
  std::vector<std::string> arguments;  // each as written: "50", "max", "18", "2"
  std::string text;                    // the whole type as written
  SourceSpan span;

  bool isMax() const;
};

// ---------------------------------------------------------------------------------------------
// Expressions

struct Expression;
struct Query;
using ExpressionPtr = std::unique_ptr<Expression>;
using QueryPtr = std::unique_ptr<Query>;

enum class ExpressionKind {
  Literal,
  Column,        // a 1- to 4-part column name
  Variable,      // @v or @@global
  Parameter,     // :p1, bound by the caller
  Default,       // DEFAULT in VALUES, SET or EXEC
  Unary,
  Binary,
  IsNull,
  Like,
  Between,
  InList,
  InSubquery,
  Exists,
  Quantified,    // x > ALL (query), x = ANY / SOME (query)
  Case,
  Cast,          // CAST / TRY_CAST
  Convert,       // CONVERT / TRY_CONVERT
  Collate,
  FunctionCall,
  Subquery,      // a scalar subquery
};

struct Expression {
  const ExpressionKind kind;
  SourceSpan span;

  explicit Expression(ExpressionKind k) : kind(k) {}
  virtual ~Expression() = default;
  Expression(const Expression&) = delete;
  Expression& operator=(const Expression&) = delete;

  // A search condition (comparison, AND/OR/NOT, IS NULL, LIKE, BETWEEN, IN, EXISTS) rather
  // than a value: T-SQL keeps the two apart.
  bool isCondition() const;

  template <class T>
  const T& as() const {
    return static_cast<const T&>(*this);
  }
};

enum class LiteralKind {
  Integer,  // 12
  Decimal,  // 1.50
  Float,    // 2e3
  Money,    // $12.50
  String,   // 'x' or N'x'
  Binary,   // 0x1F
  Null,
};

struct Literal : Expression {
  LiteralKind literalKind = LiteralKind::Null;
  std::string text;   // as written: "1.50", "N'it''s'"
  std::string value;  // a number as written without a currency sign; a string's content
  bool national = false;
  Literal() : Expression(ExpressionKind::Literal) {}
};

struct ColumnRef : Expression {
  std::vector<Identifier> parts;  // [server.][database.][schema.]table.]column
  ColumnRef() : Expression(ExpressionKind::Column) {}
  const std::string& column() const { return parts.back().value; }
};

struct VariableRef : Expression {
  std::string name;  // with its @ or @@, as written
  VariableRef() : Expression(ExpressionKind::Variable) {}
  bool isGlobal() const { return name.size() > 1 && name[1] == '@'; }
};

struct ParameterRef : Expression {
  std::string name;  // without the colon
  ParameterRef() : Expression(ExpressionKind::Parameter) {}
};

struct DefaultValue : Expression {
  DefaultValue() : Expression(ExpressionKind::Default) {}
};

enum class UnaryOp { Plus, Minus, BitNot, Not };

struct Unary : Expression {
  UnaryOp op = UnaryOp::Minus;
  ExpressionPtr operand;
  Unary() : Expression(ExpressionKind::Unary) {}
};

enum class BinaryOp {
  Multiply, Divide, Modulo,
  Add, Subtract, BitAnd, BitXor, BitOr,
  Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual, NotLess, NotGreater,
  And, Or,
};

bool isComparison(BinaryOp op);
std::string_view binaryOpText(BinaryOp op);  // "*", "<>", "AND" ...

struct Binary : Expression {
  BinaryOp op = BinaryOp::Add;
  ExpressionPtr left;
  ExpressionPtr right;
  Binary() : Expression(ExpressionKind::Binary) {}
};

struct IsNull : Expression {
  ExpressionPtr operand;
  bool negated = false;  // IS NOT NULL
  IsNull() : Expression(ExpressionKind::IsNull) {}
};

struct Like : Expression {
  ExpressionPtr operand;
  ExpressionPtr pattern;
  ExpressionPtr escape;  // may be null
  bool negated = false;
  Like() : Expression(ExpressionKind::Like) {}
};

struct Between : Expression {
  ExpressionPtr operand;
  ExpressionPtr low;
  ExpressionPtr high;
  bool negated = false;
  Between() : Expression(ExpressionKind::Between) {}
};

struct InList : Expression {
  ExpressionPtr operand;
  std::vector<ExpressionPtr> items;
  bool negated = false;
  InList() : Expression(ExpressionKind::InList) {}
};

struct InSubquery : Expression {
  ExpressionPtr operand;
  QueryPtr query;
  bool negated = false;
  InSubquery() : Expression(ExpressionKind::InSubquery) {}
};

struct Exists : Expression {
  QueryPtr query;
  Exists() : Expression(ExpressionKind::Exists) {}
};

enum class Quantifier { All, Any, Some };

struct Quantified : Expression {
  BinaryOp op = BinaryOp::Equal;  // a comparison
  Quantifier quantifier = Quantifier::All;
  ExpressionPtr left;
  QueryPtr query;
  Quantified() : Expression(ExpressionKind::Quantified) {}
};

struct WhenClause {
  ExpressionPtr when;  // a condition, or a value in a simple CASE
  ExpressionPtr then;
};

struct Case : Expression {
  ExpressionPtr operand;  // the simple CASE's value; null in a searched CASE
  std::vector<WhenClause> whens;
  ExpressionPtr elseResult;  // may be null
  Case() : Expression(ExpressionKind::Case) {}
};

struct Cast : Expression {
  ExpressionPtr operand;
  TypeName type;
  bool tryCast = false;
  Cast() : Expression(ExpressionKind::Cast) {}
};

struct Convert : Expression {
  TypeName type;
  ExpressionPtr operand;
  ExpressionPtr style;  // may be null
  bool tryConvert = false;
  Convert() : Expression(ExpressionKind::Convert) {}
};

struct Collate : Expression {
  ExpressionPtr operand;
  std::string collation;
  Collate() : Expression(ExpressionKind::Collate) {}
};

enum class SortDirection { Unspecified, Ascending, Descending };

struct OrderItem {
  ExpressionPtr expression;  // an integer literal here is a select-list ordinal
  SortDirection direction = SortDirection::Unspecified;
};

struct OverClause {
  std::vector<ExpressionPtr> partitionBy;
  std::vector<OrderItem> orderBy;
  SourceSpan span;
};

struct FunctionCall : Expression {
  ObjectName name;  // GETDATE, dbo.F, ...
  std::vector<ExpressionPtr> arguments;
  bool star = false;      // COUNT(*)
  bool distinct = false;  // COUNT(DISTINCT x)
  bool niladic = false;   // CURRENT_TIMESTAMP and the like, written without parentheses
  std::optional<OverClause> over;
  FunctionCall() : Expression(ExpressionKind::FunctionCall) {}
};

struct Subquery : Expression {
  QueryPtr query;
  Subquery() : Expression(ExpressionKind::Subquery) {}
};

// ---------------------------------------------------------------------------------------------
// Queries

struct TableSource;
using TableSourcePtr = std::unique_ptr<TableSource>;

struct TopClause {
  ExpressionPtr count;
  bool parenthesized = false;
  bool percent = false;
  bool withTies = false;
};

enum class SelectItemKind { Star, Expression, Assignment };

struct SelectItem {
  SelectItemKind kind = SelectItemKind::Expression;
  std::vector<Identifier> starQualifier;  // t.* -> {t}; * -> {}
  ExpressionPtr expression;
  std::optional<Identifier> alias;  // `expr [AS] alias`, `alias = expr`
  std::string variable;             // `@v = expr`, `@v += expr`
  std::string assignmentOp;         // "=", "+=", ...
  SourceSpan span;
};

enum class TableSourceKind { Named, Derived, Function, Variable, Join };

struct TableSource {
  const TableSourceKind kind;
  SourceSpan span;
  std::optional<Identifier> alias;

  explicit TableSource(TableSourceKind k) : kind(k) {}
  virtual ~TableSource() = default;
  TableSource(const TableSource&) = delete;
  TableSource& operator=(const TableSource&) = delete;

  template <class T>
  const T& as() const {
    return static_cast<const T&>(*this);
  }
};

struct NamedTable : TableSource {
  ObjectName name;
  std::vector<std::string> hints;  // WITH (NOLOCK, ...), upper-cased as written
  NamedTable() : TableSource(TableSourceKind::Named) {}
};

struct DerivedTable : TableSource {
  QueryPtr query;
  std::vector<Identifier> columns;  // AS x (a, b)
  DerivedTable() : TableSource(TableSourceKind::Derived) {}
};

struct TableFunction : TableSource {
  std::unique_ptr<FunctionCall> call;
  TableFunction() : TableSource(TableSourceKind::Function) {}
};

struct TableVariable : TableSource {
  std::string name;  // @t
  TableVariable() : TableSource(TableSourceKind::Variable) {}
};

enum class JoinKind { Inner, Left, Right, Full, Cross, CrossApply, OuterApply };

struct Join : TableSource {
  JoinKind joinKind = JoinKind::Inner;
  TableSourcePtr left;
  TableSourcePtr right;
  ExpressionPtr on;  // null for CROSS JOIN and APPLY
  Join() : TableSource(TableSourceKind::Join) {}
};

struct QueryExpression;
using QueryExpressionPtr = std::unique_ptr<QueryExpression>;

enum class QueryExpressionKind { Select, SetOperation };

struct QueryExpression {
  const QueryExpressionKind kind;
  SourceSpan span;

  explicit QueryExpression(QueryExpressionKind k) : kind(k) {}
  virtual ~QueryExpression() = default;
  QueryExpression(const QueryExpression&) = delete;
  QueryExpression& operator=(const QueryExpression&) = delete;

  template <class T>
  const T& as() const {
    return static_cast<const T&>(*this);
  }
};

struct SelectSpec : QueryExpression {
  bool distinct = false;
  std::optional<TopClause> top;
  std::vector<SelectItem> items;
  std::optional<ObjectName> into;
  std::vector<TableSourcePtr> from;  // comma-separated sources, each possibly a join tree
  ExpressionPtr where;
  std::vector<ExpressionPtr> groupBy;
  ExpressionPtr having;
  SelectSpec() : QueryExpression(QueryExpressionKind::Select) {}
};

enum class SetOperator { Union, UnionAll, Except, Intersect };

struct SetOperation : QueryExpression {
  SetOperator op = SetOperator::Union;
  QueryExpressionPtr left;
  QueryExpressionPtr right;
  SetOperation() : QueryExpression(QueryExpressionKind::SetOperation) {}
};

struct CommonTableExpression {
  Identifier name;
  std::vector<Identifier> columns;
  QueryPtr query;
  SourceSpan span;
};

// A whole query: its common table expressions, its body and the ORDER BY that applies to it.
struct Query {
  std::vector<CommonTableExpression> with;
  QueryExpressionPtr body;
  std::vector<OrderItem> orderBy;
  SourceSpan span;
};

// ---------------------------------------------------------------------------------------------
// Statements

struct Statement;
using StatementPtr = std::unique_ptr<Statement>;

enum class StatementKind {
  // data
  Select, Insert, Update, Delete, Truncate,
  // definitions
  CreateTable, AlterTable, CreateIndex, DropIndex, DropObjects, CreateDatabase, Use,
  CreateView, CreateFunction, CreateProcedure, CreateTrigger,
  // procedural
  Declare, DeclareCursor, SetVariable, SetOption, If, Block, While, Break, Continue, Return,
  TryCatch, Raiserror, Throw, Print, BeginTransaction, Commit, Rollback, SaveTransaction,
  OpenCursor, Fetch, CloseCursor, DeallocateCursor, Execute, ExecuteString,
};

struct Statement {
  const StatementKind kind;
  SourceSpan span;  // from its first token to its last (the ';' that ends it excluded)

  explicit Statement(StatementKind k) : kind(k) {}
  virtual ~Statement() = default;
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  template <class T>
  const T& as() const {
    return static_cast<const T&>(*this);
  }
};

using StatementList = std::vector<StatementPtr>;

// The target of INSERT, UPDATE and DELETE: a table (or view, or alias of a FROM source), or a
// table variable.
struct DataTarget {
  ObjectName name;       // empty for a table variable
  std::string variable;  // @t
  std::vector<std::string> hints;
  SourceSpan span;
};

struct SelectStatement : Statement {
  QueryPtr query;
  SelectStatement() : Statement(StatementKind::Select) {}
};

struct ExecuteStatement;

struct InsertStatement : Statement {
  std::vector<CommonTableExpression> with;
  std::optional<TopClause> top;
  DataTarget target;
  std::vector<Identifier> columns;
  enum class Source { Values, Query, Execute, DefaultValues } source = Source::Values;
  std::vector<std::vector<ExpressionPtr>> rows;  // VALUES (...), (...)
  QueryPtr query;
  std::unique_ptr<ExecuteStatement> execute;
  InsertStatement() : Statement(StatementKind::Insert) {}
};

// SET col = expr, SET @v = expr, SET @v = col = expr, SET col += expr.
struct SetClause {
  std::string variable;             // @v, or ""
  std::vector<Identifier> column;   // [t.]col, or empty
  std::string op = "=";             // "=", "+=", ...
  ExpressionPtr value;
  SourceSpan span;
};

struct UpdateStatement : Statement {
  std::vector<CommonTableExpression> with;
  std::optional<TopClause> top;
  DataTarget target;
  std::vector<SetClause> set;
  std::vector<TableSourcePtr> from;
  ExpressionPtr where;
  UpdateStatement() : Statement(StatementKind::Update) {}
};

struct DeleteStatement : Statement {
  std::vector<CommonTableExpression> with;
  std::optional<TopClause> top;
  DataTarget target;
  std::vector<TableSourcePtr> from;
  ExpressionPtr where;
  DeleteStatement() : Statement(StatementKind::Delete) {}
};

struct TruncateStatement : Statement {
  ObjectName table;
  TruncateStatement() : Statement(StatementKind::Truncate) {}
};

// --- tables

enum class ReferentialAction { NoAction, Cascade, SetNull, SetDefault };

struct IndexColumn {
  Identifier name;
  SortDirection direction = SortDirection::Unspecified;
};

struct IndexOption {
  std::string name;   // PAD_INDEX, FILLFACTOR, ...
  std::string value;  // ON, OFF, 80 ... ("" when written without a value)
};

enum class ConstraintKind { PrimaryKey, Unique, ForeignKey, Check, Default };
enum class Clustering { Unspecified, Clustered, Nonclustered };

// A constraint of a column or of a table. A column's constraint leaves `columns` empty: it
// applies to its column.
struct Constraint {
  ConstraintKind kind = ConstraintKind::Check;
  std::optional<Identifier> name;  // CONSTRAINT name
  Clustering clustering = Clustering::Unspecified;
  std::vector<IndexColumn> columns;           // PRIMARY KEY / UNIQUE / FOREIGN KEY (...)
  ObjectName referencedTable;                 // REFERENCES t
  std::vector<Identifier> referencedColumns;  // REFERENCES t (c)
  ReferentialAction onDelete = ReferentialAction::NoAction;
  ReferentialAction onUpdate = ReferentialAction::NoAction;
  ExpressionPtr expression;                   // CHECK (cond), DEFAULT expr
  std::optional<Identifier> defaultFor;       // ALTER TABLE ADD DEFAULT expr FOR col
  bool withValues = false;                    // DEFAULT ... WITH VALUES: fills the rows there are
  std::vector<IndexOption> options;           // WITH (...)
  std::string fileGroup;                      // ON [PRIMARY]
  SourceSpan span;
};

struct IdentitySpec {
  std::string seed = "1";  // as written
  std::string increment = "1";
};

struct ColumnDefinition {
  Identifier name;
  std::optional<TypeName> type;  // absent for a computed column
  ExpressionPtr computed;        // AS expr
  bool persisted = false;
  std::optional<bool> nullable;  // NULL / NOT NULL, when written
  std::optional<IdentitySpec> identity;
  std::string collation;
  bool rowGuidCol = false;
  std::vector<Constraint> constraints;
  SourceSpan span;
};

struct CreateTableStatement : Statement {
  ObjectName name;
  std::vector<ColumnDefinition> columns;
  std::vector<Constraint> constraints;
  std::string fileGroup;
  CreateTableStatement() : Statement(StatementKind::CreateTable) {}
};

enum class AlterTableAction { Add, AlterColumn, Drop, CheckConstraints };

struct DropItem {
  enum class Kind { Column, Constraint } kind = Kind::Constraint;
  Identifier name;
  bool ifExists = false;
};

struct AlterTableStatement : Statement {
  ObjectName table;
  AlterTableAction action = AlterTableAction::Add;
  std::optional<bool> withCheck;  // WITH CHECK / WITH NOCHECK, when written
  // Add
  std::vector<ColumnDefinition> addColumns;
  std::vector<Constraint> addConstraints;
  // AlterColumn
  Identifier column;
  std::optional<TypeName> type;
  std::string collation;
  std::optional<bool> nullable;
  // Drop
  std::vector<DropItem> drops;
  // CheckConstraints: CHECK / NOCHECK CONSTRAINT {ALL | a, b}
  bool enable = true;
  bool allConstraints = false;
  std::vector<Identifier> constraintNames;
  AlterTableStatement() : Statement(StatementKind::AlterTable) {}
};

struct CreateIndexStatement : Statement {
  bool unique = false;
  Clustering clustering = Clustering::Unspecified;
  Identifier name;
  ObjectName table;
  std::vector<IndexColumn> columns;
  std::vector<Identifier> include;
  ExpressionPtr where;
  std::vector<IndexOption> options;
  std::string fileGroup;
  CreateIndexStatement() : Statement(StatementKind::CreateIndex) {}
};

struct DropIndexStatement : Statement {
  struct Target {
    Identifier index;
    ObjectName table;  // `n ON t`, or the leading parts of `t.n`
  };
  bool ifExists = false;
  std::vector<Target> targets;
  DropIndexStatement() : Statement(StatementKind::DropIndex) {}
};

enum class ObjectKind { Table, View, Procedure, Function, Trigger, Database };
std::string_view objectKindKeyword(ObjectKind kind);  // "TABLE", "VIEW", ...

struct DropObjectsStatement : Statement {
  ObjectKind objectKind = ObjectKind::Table;
  bool ifExists = false;
  std::vector<ObjectName> names;
  DropObjectsStatement() : Statement(StatementKind::DropObjects) {}
};

struct CreateDatabaseStatement : Statement {
  Identifier name;
  CreateDatabaseStatement() : Statement(StatementKind::CreateDatabase) {}
};

struct UseStatement : Statement {
  Identifier database;
  UseStatement() : Statement(StatementKind::Use) {}
};

// --- modules

enum class ModuleAction { Create, Alter, CreateOrAlter };

// What every module statement has: its name, the options of its WITH clause, and its whole
// text as the batch wrote it (the text the catalog keeps).
struct ModuleHeader {
  ModuleAction action = ModuleAction::Create;
  ObjectName name;
  std::vector<std::string> options;  // SCHEMABINDING, ENCRYPTION, EXECUTE AS ..., upper-cased
  std::string text;
};

struct CreateViewStatement : Statement {
  ModuleHeader module;
  std::vector<Identifier> columns;
  QueryPtr query;
  bool checkOption = false;
  CreateViewStatement() : Statement(StatementKind::CreateView) {}
};

struct ParameterDefinition {
  std::string name;  // @p
  TypeName type;
  ExpressionPtr defaultValue;  // may be null
  bool output = false;
  bool readOnly = false;
  SourceSpan span;
};

// The columns and constraints of a table type: a table variable, a multi-statement function's
// result.
struct TableDefinition {
  std::vector<ColumnDefinition> columns;
  std::vector<Constraint> constraints;
};

struct CreateFunctionStatement : Statement {
  enum class Form { Scalar, InlineTable, MultiStatementTable };
  ModuleHeader module;
  Form form = Form::Scalar;
  std::vector<ParameterDefinition> parameters;
  std::optional<TypeName> returnType;  // Scalar
  std::string returnVariable;          // MultiStatementTable: RETURNS @t TABLE (...)
  TableDefinition returnTable;         // MultiStatementTable
  StatementList body;                  // Scalar, MultiStatementTable: the statements of BEGIN ... END
  QueryPtr returnQuery;                // InlineTable: RETURN (query)
  CreateFunctionStatement() : Statement(StatementKind::CreateFunction) {}
};

struct CreateProcedureStatement : Statement {
  ModuleHeader module;
  std::vector<ParameterDefinition> parameters;
  StatementList body;
  CreateProcedureStatement() : Statement(StatementKind::CreateProcedure) {}
};

struct CreateTriggerStatement : Statement {
  enum class Timing { After, InsteadOf };  // FOR is AFTER
  ModuleHeader module;
  ObjectName table;
  Timing timing = Timing::After;
  bool onInsert = false;
  bool onUpdate = false;
  bool onDelete = false;
  StatementList body;
  CreateTriggerStatement() : Statement(StatementKind::CreateTrigger) {}
};

// --- procedural

struct VariableDeclaration {
  std::string name;  // @v
  std::optional<TypeName> type;             // absent for a table variable
  std::optional<TableDefinition> table;     // DECLARE @t TABLE (...)
  ExpressionPtr initialValue;               // may be null
  SourceSpan span;
};

struct DeclareStatement : Statement {
  std::vector<VariableDeclaration> variables;
  DeclareStatement() : Statement(StatementKind::Declare) {}
};

struct DeclareCursorStatement : Statement {
  Identifier name;
  std::vector<std::string> options;  // LOCAL, FORWARD_ONLY, STATIC, ..., upper-cased
  QueryPtr query;
  bool forUpdate = false;
  std::vector<Identifier> updateColumns;  // FOR UPDATE OF a, b
  DeclareCursorStatement() : Statement(StatementKind::DeclareCursor) {}
};

struct SetVariableStatement : Statement {
  std::string variable;
  std::string op = "=";  // "=", "+=", ...
  ExpressionPtr value;
  SetVariableStatement() : Statement(StatementKind::SetVariable) {}
};

// SET NOCOUNT ON, SET IDENTITY_INSERT t ON, SET DATEFORMAT dmy, SET TRANSACTION ISOLATION
// LEVEL ..., SET ROWCOUNT 10.
struct SetOptionStatement : Statement {
  std::vector<std::string> options;  // upper-cased; several for SET NOCOUNT, XACT_ABORT ON
  ObjectName table;                  // IDENTITY_INSERT's table
  std::string value;                 // ON, OFF, or the value as written (dmy, 10, READ COMMITTED)
  ExpressionPtr valueExpression;     // ROWCOUNT @n, DATEFIRST @d ... when not a plain word
  SetOptionStatement() : Statement(StatementKind::SetOption) {}
};

struct IfStatement : Statement {
  ExpressionPtr condition;
  StatementPtr then;
  StatementPtr otherwise;  // may be null
  IfStatement() : Statement(StatementKind::If) {}
};

struct BlockStatement : Statement {
  StatementList statements;
  BlockStatement() : Statement(StatementKind::Block) {}
};

struct WhileStatement : Statement {
  ExpressionPtr condition;
  StatementPtr body;
  WhileStatement() : Statement(StatementKind::While) {}
};

struct BreakStatement : Statement {
  BreakStatement() : Statement(StatementKind::Break) {}
};

struct ContinueStatement : Statement {
  ContinueStatement() : Statement(StatementKind::Continue) {}
};

struct ReturnStatement : Statement {
  ExpressionPtr value;  // may be null
  ReturnStatement() : Statement(StatementKind::Return) {}
};

struct TryCatchStatement : Statement {
  StatementList tryStatements;
  StatementList catchStatements;
  TryCatchStatement() : Statement(StatementKind::TryCatch) {}
};

struct RaiserrorStatement : Statement {
  ExpressionPtr message;  // a number, a text or a variable
  ExpressionPtr severity;
  ExpressionPtr state;
  std::vector<ExpressionPtr> arguments;
  std::vector<std::string> options;  // NOWAIT, LOG, SETERROR
  RaiserrorStatement() : Statement(StatementKind::Raiserror) {}
};

struct ThrowStatement : Statement {
  ExpressionPtr number;  // all three null for a bare THROW (re-throw in CATCH)
  ExpressionPtr message;
  ExpressionPtr state;
  ThrowStatement() : Statement(StatementKind::Throw) {}
};

struct PrintStatement : Statement {
  ExpressionPtr value;
  PrintStatement() : Statement(StatementKind::Print) {}
};

// BEGIN TRAN, COMMIT, ROLLBACK, SAVE TRAN: `name` is a transaction or savepoint name, or a
// variable holding one ("" when absent).
struct TransactionStatement : Statement {
  std::string name;
  explicit TransactionStatement(StatementKind k) : Statement(k) {}
};

struct CursorStatement : Statement {  // OPEN, CLOSE, DEALLOCATE
  Identifier cursor;                  // a name, or a variable (value starting with @)
  bool global = false;
  explicit CursorStatement(StatementKind k) : Statement(k) {}
};

struct FetchStatement : Statement {
  enum class Direction { Next, Prior, First, Last, Absolute, Relative } direction = Direction::Next;
  ExpressionPtr offset;  // ABSOLUTE n, RELATIVE n
  Identifier cursor;
  bool global = false;
  std::vector<std::string> into;  // @a, @b
  FetchStatement() : Statement(StatementKind::Fetch) {}
};

struct ExecuteArgument {
  std::string parameter;  // @p in `@p = value`, or "" for a positional argument
  ExpressionPtr value;    // a literal, a variable, DEFAULT, or a bare word read as a string
  bool output = false;
  SourceSpan span;
};

// EXEC [@rc =] proc args; a batch that begins with a procedure's name is one too.
struct ExecuteStatement : Statement {
  std::string returnVariable;  // @rc
  ObjectName procedure;        // empty when the procedure is named by a variable
  std::string procedureVariable;
  std::vector<ExecuteArgument> arguments;
  std::vector<std::string> options;  // WITH RECOMPILE ...
  ExecuteStatement() : Statement(StatementKind::Execute) {}
};

// EXEC ('text' + @s): the strings joined are run as a batch of their own.
struct ExecuteStringStatement : Statement {
  std::vector<ExpressionPtr> parts;  // the parts joined with +
  ExecuteStringStatement() : Statement(StatementKind::ExecuteString) {}
};

// ---------------------------------------------------------------------------------------------

struct Batch {
  std::string text;
  StatementList statements;
};

}  // namespace db::embedded::syntax
