#include "db/embedded/syntax/TreePrinter.h"

#include <sstream>

namespace db::embedded::syntax {

namespace {

class Printer {
 public:
  std::string str() const { return out_.str(); }

  void name(const Identifier& id) {
    if (id.quoted) {
      out_ << '[' << id.value << ']';
    } else {
      out_ << id.value;
    }
  }

  void parts(const std::vector<Identifier>& ids) {
    for (size_t i = 0; i < ids.size(); ++i) {
      if (i > 0) out_ << '.';
      name(ids[i]);
    }
  }

  void objectName(const ObjectName& n) { parts(n.parts); }

  void type(const TypeName& t) { out_ << t.text; }

  void expression(const Expression& e) {
    switch (e.kind) {
      case ExpressionKind::Literal: out_ << e.as<Literal>().text; break;
      case ExpressionKind::Column: parts(e.as<ColumnRef>().parts); break;
      case ExpressionKind::Variable: out_ << e.as<VariableRef>().name; break;
      case ExpressionKind::Parameter: out_ << ':' << e.as<ParameterRef>().name; break;
      case ExpressionKind::Default: out_ << "default"; break;
      case ExpressionKind::Unary: {
        const auto& u = e.as<Unary>();
        static constexpr const char* kOps[] = {"+", "-", "~", "not"};
        open(kOps[static_cast<int>(u.op)]);
        item(*u.operand);
        close();
        break;
      }
      case ExpressionKind::Binary: {
        const auto& b = e.as<Binary>();
        std::string op(binaryOpText(b.op));
        if (op == "AND" || op == "OR") op = op == "AND" ? "and" : "or";
        open(op);
        item(*b.left);
        item(*b.right);
        close();
        break;
      }
      case ExpressionKind::IsNull: {
        const auto& n = e.as<IsNull>();
        open(n.negated ? "is-not-null" : "is-null");
        item(*n.operand);
        close();
        break;
      }
      case ExpressionKind::Like: {
        const auto& l = e.as<Like>();
        open(l.negated ? "not-like" : "like");
        item(*l.operand);
        item(*l.pattern);
        if (l.escape) {
          out_ << " escape";
          item(*l.escape);
        }
        close();
        break;
      }
      case ExpressionKind::Between: {
        const auto& b = e.as<Between>();
        open(b.negated ? "not-between" : "between");
        item(*b.operand);
        item(*b.low);
        item(*b.high);
        close();
        break;
      }
      case ExpressionKind::InList: {
        const auto& in = e.as<InList>();
        open(in.negated ? "not-in" : "in");
        item(*in.operand);
        out_ << " (";
        list(in.items);
        out_ << ')';
        close();
        break;
      }
      case ExpressionKind::InSubquery: {
        const auto& in = e.as<InSubquery>();
        open(in.negated ? "not-in" : "in");
        item(*in.operand);
        out_ << ' ';
        query(*in.query);
        close();
        break;
      }
      case ExpressionKind::Exists:
        open("exists");
        out_ << ' ';
        query(*e.as<Exists>().query);
        close();
        break;
      case ExpressionKind::Quantified: {
        const auto& q = e.as<Quantified>();
        static constexpr const char* kQuantifiers[] = {"all", "any", "some"};
        open(std::string(binaryOpText(q.op)) + " " + kQuantifiers[static_cast<int>(q.quantifier)]);
        item(*q.left);
        out_ << ' ';
        query(*q.query);
        close();
        break;
      }
      case ExpressionKind::Case: {
        const auto& c = e.as<Case>();
        open("case");
        if (c.operand) item(*c.operand);
        for (const WhenClause& w : c.whens) {
          out_ << " (when";
          item(*w.when);
          item(*w.then);
          out_ << ')';
        }
        if (c.elseResult) {
          out_ << " (else";
          item(*c.elseResult);
          out_ << ')';
        }
        close();
        break;
      }
      case ExpressionKind::Cast: {
        const auto& c = e.as<Cast>();
        open(c.tryCast ? "try_cast" : "cast");
        item(*c.operand);
        out_ << ' ';
        type(c.type);
        close();
        break;
      }
      case ExpressionKind::Convert: {
        const auto& c = e.as<Convert>();
        open(c.tryConvert ? "try_convert" : "convert");
        out_ << ' ';
        type(c.type);
        item(*c.operand);
        if (c.style) item(*c.style);
        close();
        break;
      }
      case ExpressionKind::Collate: {
        const auto& c = e.as<Collate>();
        open("collate");
        item(*c.operand);
        out_ << ' ' << c.collation;
        close();
        break;
      }
      case ExpressionKind::FunctionCall: functionCall(e.as<FunctionCall>()); break;
      case ExpressionKind::Subquery:
        open("subquery");
        out_ << ' ';
        query(*e.as<Subquery>().query);
        close();
        break;
    }
  }

  void functionCall(const FunctionCall& f) {
    out_ << "(call ";
    objectName(f.name);
    if (f.niladic) out_ << " niladic";
    if (f.star) out_ << " *";
    if (f.distinct) out_ << " distinct";
    for (const ExpressionPtr& a : f.arguments) item(*a);
    if (f.over) {
      out_ << " (over";
      if (!f.over->partitionBy.empty()) {
        out_ << " (partition";
        for (const ExpressionPtr& p : f.over->partitionBy) item(*p);
        out_ << ')';
      }
      orderBy(f.over->orderBy);
      out_ << ')';
    }
    out_ << ')';
  }

  void orderBy(const std::vector<OrderItem>& items) {
    if (items.empty()) return;
    out_ << " (order";
    for (const OrderItem& o : items) {
      item(*o.expression);
      if (o.direction == SortDirection::Ascending) out_ << " asc";
      if (o.direction == SortDirection::Descending) out_ << " desc";
    }
    out_ << ')';
  }

  void query(const Query& q) {
    const bool wrapped = !q.with.empty() || !q.orderBy.empty();
    if (wrapped) out_ << "(query";
    for (const CommonTableExpression& cte : q.with) {
      out_ << " (cte ";
      name(cte.name);
      if (!cte.columns.empty()) {
        out_ << " (";
        identifiers(cte.columns);
        out_ << ')';
      }
      out_ << ' ';
      query(*cte.query);
      out_ << ')';
    }
    if (wrapped) out_ << ' ';
    queryExpression(*q.body);
    orderBy(q.orderBy);
    if (wrapped) out_ << ')';
  }

  void queryExpression(const QueryExpression& q) {
    if (q.kind == QueryExpressionKind::SetOperation) {
      const auto& s = q.as<SetOperation>();
      static constexpr const char* kOps[] = {"union", "union-all", "except", "intersect"};
      out_ << '(' << kOps[static_cast<int>(s.op)] << ' ';
      queryExpression(*s.left);
      out_ << ' ';
      queryExpression(*s.right);
      out_ << ')';
      return;
    }
    const auto& s = q.as<SelectSpec>();
    out_ << "(select";
    if (s.distinct) out_ << " distinct";
    if (s.top) top(*s.top);
    for (const SelectItem& i : s.items) {
      out_ << ' ';
      selectItem(i);
    }
    if (s.into) {
      out_ << " (into ";
      objectName(*s.into);
      out_ << ')';
    }
    from(s.from);
    clause("where", s.where);
    if (!s.groupBy.empty()) {
      out_ << " (group";
      for (const ExpressionPtr& g : s.groupBy) item(*g);
      out_ << ')';
    }
    clause("having", s.having);
    out_ << ')';
  }

  void top(const TopClause& t) {
    out_ << " (top";
    item(*t.count);
    if (t.percent) out_ << " percent";
    if (t.withTies) out_ << " with-ties";
    out_ << ')';
  }

  void selectItem(const SelectItem& i) {
    switch (i.kind) {
      case SelectItemKind::Star:
        for (const Identifier& q : i.starQualifier) {
          name(q);
          out_ << '.';
        }
        out_ << '*';
        break;
      case SelectItemKind::Assignment:
        out_ << "(" << i.assignmentOp << ' ' << i.variable;
        item(*i.expression);
        out_ << ')';
        break;
      case SelectItemKind::Expression:
        if (i.alias) {
          out_ << "(as ";
          expression(*i.expression);
          out_ << ' ';
          name(*i.alias);
          out_ << ')';
        } else {
          expression(*i.expression);
        }
        break;
    }
  }

  void from(const std::vector<TableSourcePtr>& sources) {
    if (sources.empty()) return;
    out_ << " (from";
    for (const TableSourcePtr& s : sources) {
      out_ << ' ';
      tableSource(*s);
    }
    out_ << ')';
  }

  void tableSource(const TableSource& s) {
    if (s.kind == TableSourceKind::Join) {
      const auto& j = s.as<Join>();
      static constexpr const char* kJoins[] = {"join", "left-join", "right-join", "full-join",
                                               "cross-join", "cross-apply", "outer-apply"};
      out_ << '(' << kJoins[static_cast<int>(j.joinKind)] << ' ';
      tableSource(*j.left);
      out_ << ' ';
      tableSource(*j.right);
      if (j.on) item(*j.on);
      out_ << ')';
      return;
    }
    const bool hinted = s.kind == TableSourceKind::Named && !s.as<NamedTable>().hints.empty();
    if (s.alias) {
      out_ << "(as ";
    } else if (hinted) {
      out_ << "(table ";
    }
    switch (s.kind) {
      case TableSourceKind::Named: {
        const auto& t = s.as<NamedTable>();
        objectName(t.name);
        break;
      }
      case TableSourceKind::Derived: {
        const auto& d = s.as<DerivedTable>();
        out_ << "(derived ";
        query(*d.query);
        out_ << ')';
        break;
      }
      case TableSourceKind::Function: functionCall(*s.as<TableFunction>().call); break;
      case TableSourceKind::Variable: out_ << s.as<TableVariable>().name; break;
      case TableSourceKind::Join: break;
    }
    if (s.alias) {
      out_ << ' ';
      name(*s.alias);
      if (s.kind == TableSourceKind::Derived && !s.as<DerivedTable>().columns.empty()) {
        out_ << " (";
        identifiers(s.as<DerivedTable>().columns);
        out_ << ')';
      }
    }
    if (hinted) hints(s.as<NamedTable>().hints);
    if (s.alias || hinted) out_ << ')';
  }

  void hints(const std::vector<std::string>& hs) {
    if (hs.empty()) return;
    out_ << " (with";
    for (const std::string& h : hs) out_ << ' ' << h;
    out_ << ')';
  }

  void identifiers(const std::vector<Identifier>& ids) {
    for (size_t i = 0; i < ids.size(); ++i) {
      if (i > 0) out_ << ' ';
      name(ids[i]);
    }
  }

  void words(const std::vector<std::string>& ws) {
    for (const std::string& w : ws) out_ << ' ' << w;
  }

  void clause(const char* keyword, const ExpressionPtr& e) {
    if (!e) return;
    out_ << " (" << keyword;
    item(*e);
    out_ << ')';
  }

  void target(const DataTarget& t) {
    out_ << ' ';
    if (t.variable.empty()) {
      objectName(t.name);
    } else {
      out_ << t.variable;
    }
    hints(t.hints);
  }

  void ctes(const std::vector<CommonTableExpression>& with) {
    for (const CommonTableExpression& cte : with) {
      out_ << " (cte ";
      name(cte.name);
      out_ << ' ';
      query(*cte.query);
      out_ << ')';
    }
  }

  void constraint(const Constraint& c) {
    static constexpr const char* kKinds[] = {"primary-key", "unique", "foreign-key", "check", "default"};
    out_ << " (" << kKinds[static_cast<int>(c.kind)];
    if (c.name) {
      out_ << ' ';
      name(*c.name);
    }
    if (c.clustering == Clustering::Clustered) out_ << " clustered";
    if (c.clustering == Clustering::Nonclustered) out_ << " nonclustered";
    if (!c.columns.empty()) indexColumns(c.columns);
    if (!c.referencedTable.empty()) {
      out_ << " (references ";
      objectName(c.referencedTable);
      if (!c.referencedColumns.empty()) {
        out_ << " (";
        identifiers(c.referencedColumns);
        out_ << ')';
      }
      static constexpr const char* kActions[] = {"no-action", "cascade", "set-null", "set-default"};
      if (c.onDelete != ReferentialAction::NoAction) out_ << " on-delete " << kActions[static_cast<int>(c.onDelete)];
      if (c.onUpdate != ReferentialAction::NoAction) out_ << " on-update " << kActions[static_cast<int>(c.onUpdate)];
      out_ << ')';
    }
    if (c.expression) item(*c.expression);
    if (c.defaultFor) {
      out_ << " for ";
      name(*c.defaultFor);
    }
    if (c.withValues) out_ << " with-values";
    indexOptions(c.options);
    if (!c.fileGroup.empty()) out_ << " (on " << c.fileGroup << ')';
    out_ << ')';
  }

  void indexColumns(const std::vector<IndexColumn>& columns) {
    out_ << " (";
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out_ << ' ';
      name(columns[i].name);
      if (columns[i].direction == SortDirection::Ascending) out_ << " asc";
      if (columns[i].direction == SortDirection::Descending) out_ << " desc";
    }
    out_ << ')';
  }

  void indexOptions(const std::vector<IndexOption>& options) {
    if (options.empty()) return;
    out_ << " (with";
    for (const IndexOption& o : options) {
      out_ << ' ' << o.name;
      if (!o.value.empty()) out_ << '=' << o.value;
    }
    out_ << ')';
  }

  void column(const ColumnDefinition& c) {
    out_ << " (column ";
    name(c.name);
    if (c.type) {
      out_ << ' ';
      type(*c.type);
    }
    if (c.computed) {
      out_ << " (as";
      item(*c.computed);
      if (c.persisted) out_ << " persisted";
      out_ << ')';
    }
    if (c.identity) out_ << " (identity " << c.identity->seed << ' ' << c.identity->increment << ')';
    if (!c.collation.empty()) out_ << " (collate " << c.collation << ')';
    if (c.nullable) out_ << (*c.nullable ? " null" : " not-null");
    if (c.rowGuidCol) out_ << " rowguidcol";
    for (const Constraint& k : c.constraints) constraint(k);
    out_ << ')';
  }

  void tableDefinition(const std::vector<ColumnDefinition>& columns, const std::vector<Constraint>& constraints) {
    for (const ColumnDefinition& c : columns) column(c);
    for (const Constraint& c : constraints) constraint(c);
  }

  void parameters(const std::vector<ParameterDefinition>& ps) {
    out_ << " (";
    for (size_t i = 0; i < ps.size(); ++i) {
      if (i > 0) out_ << ' ';
      out_ << '(' << ps[i].name << ' ';
      type(ps[i].type);
      if (ps[i].defaultValue) {
        out_ << " =";
        item(*ps[i].defaultValue);
      }
      if (ps[i].output) out_ << " output";
      if (ps[i].readOnly) out_ << " readonly";
      out_ << ')';
    }
    out_ << ')';
  }

  void module(const char* keyword, const ModuleHeader& m) {
    static constexpr const char* kActions[] = {"create", "alter", "create-or-alter"};
    out_ << '(' << kActions[static_cast<int>(m.action)] << '-' << keyword << ' ';
    objectName(m.name);
    if (!m.options.empty()) {
      out_ << " (with";
      words(m.options);
      out_ << ')';
    }
  }

  void statements(const StatementList& list) {
    for (const StatementPtr& s : list) {
      out_ << ' ';
      statement(*s);
    }
  }

  void statement(const Statement& s) {
    switch (s.kind) {
      case StatementKind::Select: query(*s.as<SelectStatement>().query); break;
      case StatementKind::Insert: {
        const auto& i = s.as<InsertStatement>();
        out_ << "(insert";
        ctes(i.with);
        if (i.top) top(*i.top);
        target(i.target);
        if (!i.columns.empty()) {
          out_ << " (";
          identifiers(i.columns);
          out_ << ')';
        }
        switch (i.source) {
          case InsertStatement::Source::Values:
            out_ << " (values";
            for (const auto& row : i.rows) {
              out_ << " (";
              list(row);
              out_ << ')';
            }
            out_ << ')';
            break;
          case InsertStatement::Source::Query:
            out_ << ' ';
            query(*i.query);
            break;
          case InsertStatement::Source::Execute:
            out_ << ' ';
            statement(*i.execute);
            break;
          case InsertStatement::Source::DefaultValues: out_ << " default-values"; break;
        }
        out_ << ')';
        break;
      }
      case StatementKind::Update: {
        const auto& u = s.as<UpdateStatement>();
        out_ << "(update";
        ctes(u.with);
        if (u.top) top(*u.top);
        target(u.target);
        out_ << " (set";
        for (const SetClause& c : u.set) {
          out_ << " (" << c.op;
          if (!c.variable.empty()) out_ << ' ' << c.variable;
          if (!c.column.empty()) {
            out_ << ' ';
            parts(c.column);
          }
          item(*c.value);
          out_ << ')';
        }
        out_ << ')';
        from(u.from);
        clause("where", u.where);
        out_ << ')';
        break;
      }
      case StatementKind::Delete: {
        const auto& d = s.as<DeleteStatement>();
        out_ << "(delete";
        ctes(d.with);
        if (d.top) top(*d.top);
        target(d.target);
        from(d.from);
        clause("where", d.where);
        out_ << ')';
        break;
      }
      case StatementKind::Truncate:
        out_ << "(truncate ";
        objectName(s.as<TruncateStatement>().table);
        out_ << ')';
        break;
      case StatementKind::CreateTable: {
        const auto& t = s.as<CreateTableStatement>();
        out_ << "(create-table ";
        objectName(t.name);
        tableDefinition(t.columns, t.constraints);
        if (!t.fileGroup.empty()) out_ << " (on " << t.fileGroup << ')';
        out_ << ')';
        break;
      }
      case StatementKind::AlterTable: alterTable(s.as<AlterTableStatement>()); break;
      case StatementKind::CreateIndex: {
        const auto& i = s.as<CreateIndexStatement>();
        out_ << "(create-index ";
        name(i.name);
        if (i.unique) out_ << " unique";
        if (i.clustering == Clustering::Clustered) out_ << " clustered";
        if (i.clustering == Clustering::Nonclustered) out_ << " nonclustered";
        out_ << " (on ";
        objectName(i.table);
        out_ << ')';
        indexColumns(i.columns);
        if (!i.include.empty()) {
          out_ << " (include ";
          identifiers(i.include);
          out_ << ')';
        }
        clause("where", i.where);
        indexOptions(i.options);
        if (!i.fileGroup.empty()) out_ << " (filegroup " << i.fileGroup << ')';
        out_ << ')';
        break;
      }
      case StatementKind::DropIndex: {
        const auto& d = s.as<DropIndexStatement>();
        out_ << "(drop-index";
        if (d.ifExists) out_ << " if-exists";
        for (const auto& t : d.targets) {
          out_ << " (";
          name(t.index);
          out_ << " on ";
          objectName(t.table);
          out_ << ')';
        }
        out_ << ')';
        break;
      }
      case StatementKind::DropObjects: {
        const auto& d = s.as<DropObjectsStatement>();
        out_ << "(drop " << objectKindKeyword(d.objectKind);
        if (d.ifExists) out_ << " if-exists";
        for (const ObjectName& n : d.names) {
          out_ << ' ';
          objectName(n);
        }
        out_ << ')';
        break;
      }
      case StatementKind::CreateDatabase:
        out_ << "(create-database ";
        name(s.as<CreateDatabaseStatement>().name);
        out_ << ')';
        break;
      case StatementKind::Use:
        out_ << "(use ";
        name(s.as<UseStatement>().database);
        out_ << ')';
        break;
      case StatementKind::CreateView: {
        const auto& v = s.as<CreateViewStatement>();
        module("view", v.module);
        if (!v.columns.empty()) {
          out_ << " (";
          identifiers(v.columns);
          out_ << ')';
        }
        out_ << ' ';
        query(*v.query);
        if (v.checkOption) out_ << " with-check-option";
        out_ << ')';
        break;
      }
      case StatementKind::CreateFunction: {
        const auto& f = s.as<CreateFunctionStatement>();
        module("function", f.module);
        parameters(f.parameters);
        out_ << " (returns ";
        switch (f.form) {
          case CreateFunctionStatement::Form::Scalar: type(*f.returnType); break;
          case CreateFunctionStatement::Form::InlineTable: out_ << "table"; break;
          case CreateFunctionStatement::Form::MultiStatementTable:
            out_ << f.returnVariable << " table";
            tableDefinition(f.returnTable.columns, f.returnTable.constraints);
            break;
        }
        out_ << ')';
        if (f.returnQuery) {
          out_ << " (return ";
          query(*f.returnQuery);
          out_ << ')';
        }
        statements(f.body);
        out_ << ')';
        break;
      }
      case StatementKind::CreateProcedure: {
        const auto& p = s.as<CreateProcedureStatement>();
        module("procedure", p.module);
        parameters(p.parameters);
        statements(p.body);
        out_ << ')';
        break;
      }
      case StatementKind::CreateTrigger: {
        const auto& t = s.as<CreateTriggerStatement>();
        module("trigger", t.module);
        out_ << " (on ";
        objectName(t.table);
        out_ << (t.timing == CreateTriggerStatement::Timing::After ? " after" : " instead-of");
        if (t.onInsert) out_ << " insert";
        if (t.onUpdate) out_ << " update";
        if (t.onDelete) out_ << " delete";
        out_ << ')';
        statements(t.body);
        out_ << ')';
        break;
      }
      case StatementKind::Declare: {
        out_ << "(declare";
        for (const VariableDeclaration& v : s.as<DeclareStatement>().variables) {
          out_ << " (" << v.name;
          if (v.type) {
            out_ << ' ';
            type(*v.type);
          }
          if (v.table) {
            out_ << " table";
            tableDefinition(v.table->columns, v.table->constraints);
          }
          if (v.initialValue) item(*v.initialValue);
          out_ << ')';
        }
        out_ << ')';
        break;
      }
      case StatementKind::DeclareCursor: {
        const auto& c = s.as<DeclareCursorStatement>();
        out_ << "(declare-cursor ";
        name(c.name);
        words(c.options);
        out_ << ' ';
        query(*c.query);
        if (c.forUpdate) {
          out_ << " for-update";
          for (const Identifier& col : c.updateColumns) {
            out_ << ' ';
            name(col);
          }
        }
        out_ << ')';
        break;
      }
      case StatementKind::SetVariable: {
        const auto& v = s.as<SetVariableStatement>();
        out_ << "(set " << v.variable << ' ' << v.op;
        item(*v.value);
        out_ << ')';
        break;
      }
      case StatementKind::SetOption: {
        const auto& o = s.as<SetOptionStatement>();
        out_ << "(set-option";
        words(o.options);
        if (!o.table.empty()) {
          out_ << ' ';
          objectName(o.table);
        }
        out_ << ' ' << o.value << ')';
        break;
      }
      case StatementKind::If: {
        const auto& i = s.as<IfStatement>();
        out_ << "(if";
        item(*i.condition);
        out_ << ' ';
        statement(*i.then);
        if (i.otherwise) {
          out_ << " (else ";
          statement(*i.otherwise);
          out_ << ')';
        }
        out_ << ')';
        break;
      }
      case StatementKind::Block:
        out_ << "(block";
        statements(s.as<BlockStatement>().statements);
        out_ << ')';
        break;
      case StatementKind::While: {
        const auto& w = s.as<WhileStatement>();
        out_ << "(while";
        item(*w.condition);
        out_ << ' ';
        statement(*w.body);
        out_ << ')';
        break;
      }
      case StatementKind::Break: out_ << "(break)"; break;
      case StatementKind::Continue: out_ << "(continue)"; break;
      case StatementKind::Return: {
        out_ << "(return";
        if (const auto& v = s.as<ReturnStatement>().value) item(*v);
        out_ << ')';
        break;
      }
      case StatementKind::TryCatch: {
        const auto& t = s.as<TryCatchStatement>();
        out_ << "(try";
        statements(t.tryStatements);
        out_ << " (catch";
        statements(t.catchStatements);
        out_ << "))";
        break;
      }
      case StatementKind::Raiserror: {
        const auto& r = s.as<RaiserrorStatement>();
        out_ << "(raiserror";
        item(*r.message);
        item(*r.severity);
        item(*r.state);
        for (const ExpressionPtr& a : r.arguments) item(*a);
        if (!r.options.empty()) {
          out_ << " (with";
          words(r.options);
          out_ << ')';
        }
        out_ << ')';
        break;
      }
      case StatementKind::Throw: {
        const auto& t = s.as<ThrowStatement>();
        out_ << "(throw";
        if (t.number) {
          item(*t.number);
          item(*t.message);
          item(*t.state);
        }
        out_ << ')';
        break;
      }
      case StatementKind::Print:
        out_ << "(print";
        item(*s.as<PrintStatement>().value);
        out_ << ')';
        break;
      case StatementKind::BeginTransaction:
      case StatementKind::Commit:
      case StatementKind::Rollback:
      case StatementKind::SaveTransaction: {
        out_ << (s.kind == StatementKind::BeginTransaction ? "(begin-tran"
                 : s.kind == StatementKind::Commit         ? "(commit"
                 : s.kind == StatementKind::Rollback       ? "(rollback"
                                                           : "(save-tran");
        if (const std::string& n = s.as<TransactionStatement>().name; !n.empty()) out_ << ' ' << n;
        out_ << ')';
        break;
      }
      case StatementKind::OpenCursor:
      case StatementKind::CloseCursor:
      case StatementKind::DeallocateCursor: {
        const auto& c = s.as<CursorStatement>();
        out_ << (s.kind == StatementKind::OpenCursor    ? "(open "
                 : s.kind == StatementKind::CloseCursor ? "(close "
                                                        : "(deallocate ");
        if (c.global) out_ << "global ";
        name(c.cursor);
        out_ << ')';
        break;
      }
      case StatementKind::Fetch: {
        const auto& f = s.as<FetchStatement>();
        static constexpr const char* kDirections[] = {"next", "prior", "first", "last", "absolute", "relative"};
        out_ << "(fetch " << kDirections[static_cast<int>(f.direction)];
        if (f.offset) item(*f.offset);
        out_ << ' ';
        if (f.global) out_ << "global ";
        name(f.cursor);
        if (!f.into.empty()) {
          out_ << " (into";
          words(f.into);
          out_ << ')';
        }
        out_ << ')';
        break;
      }
      case StatementKind::Execute: {
        const auto& e = s.as<ExecuteStatement>();
        out_ << "(exec";
        if (!e.returnVariable.empty()) out_ << ' ' << e.returnVariable << " =";
        out_ << ' ';
        if (e.procedureVariable.empty()) {
          objectName(e.procedure);
        } else {
          out_ << e.procedureVariable;
        }
        for (const ExecuteArgument& a : e.arguments) {
          if (a.parameter.empty() && !a.output) {
            item(*a.value);
            continue;
          }
          out_ << " (";
          if (!a.parameter.empty()) out_ << a.parameter << " = ";
          expression(*a.value);
          if (a.output) out_ << " output";
          out_ << ')';
        }
        words(e.options);
        out_ << ')';
        break;
      }
      case StatementKind::ExecuteString:
        out_ << "(exec-string";
        for (const ExpressionPtr& p : s.as<ExecuteStringStatement>().parts) item(*p);
        out_ << ')';
        break;
    }
  }

  void alterTable(const AlterTableStatement& a) {
    out_ << "(alter-table ";
    objectName(a.table);
    if (a.withCheck) out_ << (*a.withCheck ? " with-check" : " with-nocheck");
    switch (a.action) {
      case AlterTableAction::Add:
        out_ << " (add";
        tableDefinition(a.addColumns, a.addConstraints);
        out_ << ')';
        break;
      case AlterTableAction::AlterColumn:
        out_ << " (alter-column ";
        name(a.column);
        out_ << ' ';
        type(*a.type);
        if (!a.collation.empty()) out_ << " (collate " << a.collation << ')';
        if (a.nullable) out_ << (*a.nullable ? " null" : " not-null");
        out_ << ')';
        break;
      case AlterTableAction::Drop:
        out_ << " (drop";
        for (const DropItem& d : a.drops) {
          out_ << (d.kind == DropItem::Kind::Column ? " (column " : " (constraint ");
          if (d.ifExists) out_ << "if-exists ";
          name(d.name);
          out_ << ')';
        }
        out_ << ')';
        break;
      case AlterTableAction::CheckConstraints:
        out_ << (a.enable ? " (check-constraint" : " (nocheck-constraint");
        if (a.allConstraints) out_ << " all";
        for (const Identifier& n : a.constraintNames) {
          out_ << ' ';
          name(n);
        }
        out_ << ')';
        break;
    }
    out_ << ')';
  }

 private:
  void open(const std::string& op) { out_ << '(' << op; }
  void close() { out_ << ')'; }
  void item(const Expression& e) {
    out_ << ' ';
    expression(e);
  }
  void list(const std::vector<ExpressionPtr>& items) {
    for (size_t i = 0; i < items.size(); ++i) {
      if (i > 0) out_ << ' ';
      expression(*items[i]);
    }
  }

  std::ostringstream out_;
};

}  // namespace

std::string toSExpression(const Expression& expression) {
  Printer p;
  p.expression(expression);
  return p.str();
}

std::string toSExpression(const Query& query) {
  Printer p;
  p.query(query);
  return p.str();
}

std::string toSExpression(const Statement& statement) {
  Printer p;
  p.statement(statement);
  return p.str();
}

std::string toSExpression(const Batch& batch) {
  std::string out;
  for (const StatementPtr& s : batch.statements) {
    if (!out.empty()) out += '\n';
    out += toSExpression(*s);
  }
  return out;
}

}  // namespace db::embedded::syntax
