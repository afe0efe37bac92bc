#include "assistant/AssistantSetup.h"

#include "assistantdata_embedded.h"
#include "schema/CatalogFile.h"
#include "schema/Primitives.h"

namespace assistant {

const std::vector<schema::CatalogEntry>& tables() {
  static const std::vector<schema::CatalogEntry> entries =
      schema::parseCatalog(*assistantdata::embeddedFile("assistant.catalog"), "assistant.catalog");
  return entries;
}

bool Setup::run() {
  query.close();
  query.open(kMasterConnectionString);
  const db::Rows rows = query.query({kExistenceQuery}, {{"p1", kCatalogName}}, db::QueryMode::Open);
  const bool created = rows.empty();
  if (created) {
    connection.close();
    connection.open(kServerConnectionString);
    connection.execute(std::string("create database ") + kCatalogName);
  }

  // The tables are ensured also in a catalog that exists: a set-up cut short after the
  // create would otherwise leave it short of tables or columns for good. Each step sends
  // nothing for what is already there.
  connection.close();
  connection.open(std::string(kServerConnectionString) + "Initial Catalog=" + kCatalogName);

  for (const schema::CatalogEntry& entry : tables()) {
    currentTable = entry.table;
    ensureTable(currentTable, entry.keyColumn, entry.keyType);
    for (const schema::ColumnEntry& column : entry.columns) ensureColumn(currentTable, column.name, column.type);
  }
  return created;
}

void Setup::ensureTable(const std::string& table, const std::string& keyColumn, const std::string& keyType) {
  label.setText(table);
  if (schema::Primitives::tableIn(connection, table)) return;
  std::string statement = "create table " + table;
  if (sqlServerForm) statement += "( " + keyColumn + "  " + keyType + " primary key (" + keyColumn + "))";
  connection.execute(statement);
}

void Setup::ensureColumn(const std::string& table, const std::string& column, const std::string& type) {
  if (schema::Primitives::columnIn(connection, table, column)) return;
  const std::string sentType = sqlServerForm ? schema::Primitives::sqlServerColumnType(type) : type;
  connection.execute("ALTER TABLE " + table + " ADD " + column + " " + sentType);
}

}  // namespace assistant
