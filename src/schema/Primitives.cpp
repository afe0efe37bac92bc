#include "schema/Primitives.h"

#include <algorithm>

#include "db/Error.h"
#include "db/Text.h"

namespace schema {

Primitives::Primitives(db::Connection& connection, Progress& progress, std::function<EngineForm()> engine)
    : connection_(connection), progress_(progress), engine_(std::move(engine)) {
  connection_.addObserver(this);
}

Primitives::~Primitives() { connection_.removeObserver(this); }

void Primitives::setCatalogReads(CatalogReads reads, bool batches) {
  if (reads != reads_) forget();
  reads_ = reads;
  batches_ = batches && reads == CatalogReads::Lean;
}

int Primitives::countTables() { return static_cast<int>(tableList().size()); }

int Primitives::countColumns(const std::string& table) { return static_cast<int>(columnList(table).size()); }

bool Primitives::nameInList(std::string_view name, const std::vector<std::string>& list) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& entry) { return db::equalsAsciiNoCase(entry, name); });
}

std::string Primitives::bareColumnName(std::string_view column) {
  std::string bare(column);
  if (auto open = bare.find('['); open != std::string::npos) bare.erase(open, 1);
  if (auto close = bare.find(']'); close != std::string::npos) bare.erase(close, 1);
  return bare;
}

std::string Primitives::sqlServerType(std::string_view type) {
  // Memo is an Access type that SQL Server does not know (Msg 2715); ntext is its equivalent.
  if (db::equalsAsciiNoCase(db::trimBlanks(type), "Memo")) return "ntext";
  return std::string(type);
}

std::string Primitives::sqlServerColumnType(std::string_view type) {
  std::string result(type);
  if (auto at = result.find("PRIMARY"); at != std::string::npos) result.erase(at, 11);
  return sqlServerType(result);
}

bool Primitives::tableIn(db::Connection& connection, const std::string& table) {
  return nameInList(table, connection.tableNames());
}

bool Primitives::columnIn(db::Connection& connection, const std::string& table, const std::string& column) {
  return nameInList(bareColumnName(column), connection.columnNames(table));
}

// --- what the primitives know of the catalog

const std::vector<std::string>& Primitives::tableList() {
  OwnCall own(*this);
  if (!lean()) return fresh_ = connection_.tableNames();
  if (!tables_) tables_ = connection_.tableNames();
  return *tables_;
}

const std::vector<std::string>& Primitives::columnList(const std::string& table) {
  OwnCall own(*this);
  if (!keepsColumns()) return fresh_ = connection_.columnNames(table);
  const std::string key = db::asciiLower(table);
  auto it = columns_.find(key);
  if (it == columns_.end()) it = columns_.emplace(key, connection_.columnNames(table)).first;
  return it->second;
}

bool Primitives::tableExists(const std::string& table) { return nameInList(table, tableList()); }

bool Primitives::columnExists(const std::string& table, const std::string& column) {
  return nameInList(bareColumnName(column), columnList(table));
}

void Primitives::readAfresh() { forget(); }

void Primitives::forget() {
  tables_.reset();
  columns_.clear();
}

void Primitives::onCall(const db::Call& call) {
  if (own_) return;
  switch (call.op) {
    case db::Op::Tables:
    case db::Op::Columns:
    case db::Op::Close: return;  // a read by someone else, or a close, changes nothing
    case db::Op::Open:
      // Reopening the same catalog finds it as it was left; another target is another catalog.
      if (call.text != openedWith_) forget();
      openedWith_ = call.text;
      return;
    case db::Op::Execute:
    case db::Op::Query: forget(); return;  // a statement the primitives do not model
  }
}

void Primitives::onError(const db::Call&, const db::Error&) {
  // A refused change may have done part of its work (a batch, a provider's own): read again.
  if (own_) forget();
}

void Primitives::apply(const Change& change) {
  if (!lean()) return;
  auto sameName = [](const std::string& name) {
    return [&name](const std::string& entry) { return db::equalsAsciiNoCase(entry, name); };
  };
  const std::string key = db::asciiLower(change.table);
  auto columns = columns_.find(key);
  switch (change.kind) {
    case Change::Kind::CreateTable:
      if (tables_) tables_->push_back(change.table);
      // The SQL Server form creates the table with its key column; what Access makes of a
      // create without columns is read when it is needed.
      if (keepsColumns() && engine_() == EngineForm::SqlServer)
        columns_[key] = {change.column};
      else
        columns_.erase(key);
      return;
    case Change::Kind::DropTable:
      if (tables_) {
        auto at = std::find_if(tables_->begin(), tables_->end(), sameName(change.table));
        if (at != tables_->end()) tables_->erase(at);
      }
      if (keepsColumns()) columns_[key] = {};
      return;
    case Change::Kind::AddColumn:
      if (columns != columns_.end()) columns->second.push_back(change.column);
      return;
    case Change::Kind::DropColumn:
      if (columns != columns_.end()) std::erase_if(columns->second, sameName(change.column));
      return;
    case Change::Kind::AlterColumn: return;  // the names stay as they are
  }
}

// --- changes

Primitives::Shown Primitives::shown() const {
  return {progress_.step.progress(), progress_.step.maximum(), progress_.table.text(), progress_.field.text()};
}

void Primitives::show(const Shown& shown) {
  progress_.step.setMaximum(shown.stepMaximum);
  progress_.step.setProgress(shown.stepProgress);
  if (progress_.table.text() != shown.table) progress_.table.setText(shown.table);
  if (progress_.field.text() != shown.field) progress_.field.setText(shown.field);
}

void Primitives::send(const Change& change) {
  {
    OwnCall own(*this);
    connection_.execute(change.text);
  }
  apply(change);
}

void Primitives::make(Change change) {
  // Jet runs one statement per command: the Access form never batches.
  if (batches_ && scopes_ > 0 && engine_() == EngineForm::SqlServer) {
    apply(change);
    waiting_.push_back({std::move(change), shown()});
    return;
  }
  send(change);
}

bool Primitives::stillNeeded(const Change& change) {
  switch (change.kind) {
    case Change::Kind::CreateTable: return !tableExists(change.table);
    case Change::Kind::DropTable: return tableExists(change.table);
    case Change::Kind::AddColumn: return !columnExists(change.table, change.column);
    case Change::Kind::AlterColumn:
    case Change::Kind::DropColumn: return columnExists(change.table, change.column);
  }
  return true;
}

void Primitives::flush() {
  if (waiting_.empty()) return;
  std::vector<Waiting> batch = std::move(waiting_);
  waiting_.clear();
  if (batch.size() == 1) {
    try {
      OwnCall own(*this);
      connection_.execute(batch.front().change.text);
    } catch (...) {
      show(batch.front().shown);
      throw;
    }
    return;
  }
  std::vector<std::string> texts;
  for (const Waiting& w : batch) texts.push_back(w.change.text);
  try {
    OwnCall own(*this);
    connection_.executeBatch(texts);
  } catch (const db::Error&) {
    replay(batch);
  }
}

void Primitives::replay(const std::vector<Waiting>& batch) {
  // How much of a failed batch the server did depends on the failure (a syntax error runs
  // none of it, most others end only their statement): the catalog says what is in effect.
  forget();
  for (size_t i = 0; i < batch.size(); ++i) {
    const Change& change = batch[i].change;
    try {
      if (stillNeeded(change)) send(change);
    } catch (const db::Error& error) {
      show(batch[i].shown);
      db::Error named(error.className(),
                      error.message() + "\n(statement " + std::to_string(i + 1) + " of " +
                          std::to_string(batch.size()) + " sent in one batch, the ones before it done: " +
                          change.text + ")",
                      error.number(), error.sqlState());
      throw named.atLine(error.line());
    } catch (...) {
      show(batch[i].shown);
      throw;
    }
  }
  // None failed alone: the batch's failure was passing (a dropped link), and all is done now.
}

Primitives::StepScope::StepScope(Primitives& primitives) : primitives_(primitives) { ++primitives_.scopes_; }

void Primitives::StepScope::finish() {
  if (!open_) return;
  primitives_.flush();
  open_ = false;
  --primitives_.scopes_;
}

Primitives::StepScope::~StepScope() {
  if (!open_) return;
  if (--primitives_.scopes_ == 0) {
    primitives_.waiting_.clear();
    primitives_.forget();
  }
}

void Primitives::ensureTable(const std::string& table, const std::string& keyColumn, const std::string& keyType) {
  progress_.table.setText(table);
  if (tableExists(table)) return;
  if (engine_() == EngineForm::SqlServer)
    make({Change::Kind::CreateTable, table, bareColumnName(keyColumn),
          "create table dbo." + table + "( " + keyColumn + "  " + sqlServerType(keyType) + ")"});
  else
    make({Change::Kind::CreateTable, table, {}, "create table dbo." + table});
}

void Primitives::ensureColumn(const std::string& table, const std::string& column, const std::string& type) {
  progress_.field.setText(column);
  if (!columnExists(table, column)) {
    const std::string sentType = engine_() == EngineForm::SqlServer ? sqlServerColumnType(type) : type;
    make({Change::Kind::AddColumn, table, bareColumnName(column), "ALTER TABLE " + table + " ADD " + column + " " + sentType});
  }
  progress_.step.addProgress(1);
}

void Primitives::alterColumnIfPresent(const std::string& table, const std::string& column, const std::string& type) {
  if (columnExists(table, column))
    make({Change::Kind::AlterColumn, table, bareColumnName(column),
          "ALTER TABLE " + table + " ALTER COLUMN " + column + " " + type});
  progress_.step.addProgress(1);
}

void Primitives::dropColumnIfPresent(const std::string& table, const std::string& column, const std::string&) {
  // "drop  C" would name a constraint and be refused; a column is dropped with "drop column".
  if (columnExists(table, column))
    make({Change::Kind::DropColumn, table, bareColumnName(column), "ALTER TABLE " + table + " drop column " + column});
  progress_.step.addProgress(1);
}

void Primitives::dropTableIfPresent(const std::string& table) {
  progress_.table.setText(table);
  if (tableExists(table)) make({Change::Kind::DropTable, table, {}, "drop table " + table});
}

}  // namespace schema
