#include "schema/TableStep.h"

#include "db/Error.h"

namespace schema {

namespace {

void call(const StepHooks::Hook& hook, Primitives& primitives) {
  if (!hook) return;
  primitives.flush();  // what the hook sends comes after the changes made before it
  hook(primitives);
}

void ensureTableOf(Primitives& p, const CatalogEntry& entry) {
  if (!entry.keyless() || entry.columns.empty() || p.engineForm() == EngineForm::Access) {
    p.ensureTable(entry.table, entry.keyColumn, entry.keyType);
    return;
  }
  const ColumnEntry& first = entry.columns.front();
  p.ensureTable(entry.table, first.name, Primitives::sqlServerColumnType(first.type));
}

std::string withCurrentTable(std::string text, const std::string& currentTable) {
  constexpr std::string_view token = StepStatement::kCurrentTable;
  for (size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + currentTable.size()))
    text.replace(at, token.size(), currentTable);
  return text;
}

// The server's refusals of a statement that names a column its table lacks: "Invalid column
// name" and ALTER COLUMN's "column does not exist".
bool namesAMissingColumn(const db::Error& error) { return error.number() == 207 || error.number() == 4924; }

void send(Primitives& p, const CatalogEntry& entry, const StepStatement& statement, const std::string& currentTable) {
  db::Connection& connection = p.connection();
  p.flush();  // the statement comes after the changes made before it
  if (statement.onlyWhenTableMissing && p.tableExists(currentTable)) return;
  if (!statement.onlyWhenNoRows.empty() && !p.readOnly([&] {
        return connection.query({withCurrentTable(statement.onlyWhenNoRows, currentTable)}, {}, db::QueryMode::Open);
      }).empty())
    return;
  std::vector<std::string> lines;
  for (const std::string& line : statement.lines) lines.push_back(withCurrentTable(line, currentTable));
  try {
    if (statement.channel == StepStatement::Channel::Command)
      connection.execute(lines.front());
    else
      connection.query(lines, statement.params, db::QueryMode::Execute);
  } catch (const db::Error& error) {
    if (entry.missingColumnHint.empty() || !namesAMissingColumn(error)) throw;
    db::Error explained(error.className(), error.message() + "\n" + entry.missingColumnHint, error.number(),
                        error.sqlState());
    throw explained.atLine(error.line());
  }
}

void setUpStepGauge(Primitives& p, const CatalogEntry& entry) {
  Gauge& gauge = p.progress().step;
  gauge.setMaximum(p.countColumns(entry.table));
  gauge.setProgress(0);
}

}  // namespace

void runTableStep(Primitives& p, const CatalogEntry& entry, std::string& currentTable, const StepHooks& hooks) {
  using Stage = StepStatement::Stage;
  auto sendAt = [&](Stage stage, size_t place = 0) {
    for (const StepStatement& statement : entry.statements)
      if (statement.stage == stage && statement.place == place) send(p, entry, statement, currentTable);
  };
  Primitives::StepScope scope(p);
  call(hooks.beforeStep, p);
  sendAt(Stage::BeforeStep);
  currentTable = entry.table;
  call(hooks.beforeCreate, p);
  sendAt(Stage::BeforeCreate);
  ensureTableOf(p, entry);
  if (entry.gaugeSetup == CatalogEntry::GaugeSetup::BeforeColumns) setUpStepGauge(p, entry);
  for (size_t i = 0; i < entry.columns.size(); ++i) {
    sendAt(Stage::AmongColumns, i);
    const ColumnEntry& column = entry.columns[i];
    if (column.action == ColumnEntry::Action::Alter)
      p.alterColumnIfPresent(entry.table, column.name, column.type);
    else
      p.ensureColumn(entry.table, column.name, column.type);
  }
  sendAt(Stage::AmongColumns, entry.columns.size());
  if (entry.gaugeSetup == CatalogEntry::GaugeSetup::AfterColumns) setUpStepGauge(p, entry);
  scope.finish();
  call(hooks.afterColumns, p);
  if (entry.extraTick) p.progress().step.addProgress(1);
  p.progress().overall.addProgress(1);
  call(hooks.afterTicks, p);
  sendAt(Stage::AfterTicks);
}

bool hasLayoutOf(Primitives& p, const std::string& table, const CatalogEntry& entry) {
  const std::vector<std::string> present = p.connection().columnNames(table);
  auto has = [&](const std::string& column) {
    return Primitives::nameInList(Primitives::bareColumnName(column), present);
  };
  if (!entry.keyColumn.empty() && !has(entry.keyColumn)) return false;
  for (const ColumnEntry& column : entry.columns)
    if (!has(column.name)) return false;
  return !present.empty();
}

}  // namespace schema
