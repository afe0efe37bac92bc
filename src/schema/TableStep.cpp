#include "schema/TableStep.h"

namespace schema {

namespace {

void call(const StepHooks::Hook& hook, Primitives& primitives) {
  if (hook) hook(primitives);
}

void ensureTableOf(Primitives& p, const CatalogEntry& entry) {
  if (!entry.keyless() || entry.columns.empty() || p.engineForm() == EngineForm::Access) {
    p.ensureTable(entry.table, entry.keyColumn, entry.keyType);
    return;
  }
  const ColumnEntry& first = entry.columns.front();
  p.ensureTable(entry.table, first.name, Primitives::sqlServerColumnType(first.type));
}

void send(Primitives& p, const StepStatement& statement) {
  db::Connection& connection = p.connection();
  if (!statement.onlyWhenNoRows.empty() &&
      !connection.query({statement.onlyWhenNoRows}, {}, db::QueryMode::Open).empty())
    return;
  if (statement.channel == StepStatement::Channel::Command)
    connection.execute(statement.lines.front());
  else
    connection.query(statement.lines, {}, db::QueryMode::Execute);
}

void setUpStepGauge(Primitives& p, const CatalogEntry& entry) {
  Gauge& gauge = p.progress().step;
  gauge.setMaximum(p.countColumns(entry.table));
  gauge.setProgress(0);
}

}  // namespace

void runTableStep(Primitives& p, const CatalogEntry& entry, std::string& currentTable, const StepHooks& hooks) {
  call(hooks.beforeStep, p);
  currentTable = entry.table;
  call(hooks.beforeCreate, p);
  ensureTableOf(p, entry);
  if (entry.gaugeSetup == CatalogEntry::GaugeSetup::BeforeColumns) setUpStepGauge(p, entry);
  auto statement = entry.statements.begin();
  auto sendStatementsAt = [&](size_t place) {
    for (; statement != entry.statements.end() && statement->place == place; ++statement) send(p, *statement);
  };
  for (size_t i = 0; i < entry.columns.size(); ++i) {
    sendStatementsAt(i);
    const ColumnEntry& column = entry.columns[i];
    if (column.action == ColumnEntry::Action::Alter)
      p.alterColumnIfPresent(entry.table, column.name, column.type);
    else
      p.ensureColumn(entry.table, column.name, column.type);
  }
  sendStatementsAt(entry.columns.size());
  if (entry.gaugeSetup == CatalogEntry::GaugeSetup::AfterColumns) setUpStepGauge(p, entry);
  call(hooks.afterColumns, p);
  if (entry.extraTick) p.progress().step.addProgress(1);
  p.progress().overall.addProgress(1);
  call(hooks.afterTicks, p);
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
