#include "support/EngineFixture.h"

namespace testsupport {

std::string EngineFixture::connectionStringFor(const std::string& catalog) {
  return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + catalog;
}

void EngineFixture::SetUp() {
  connection = std::make_unique<db::embedded::EmbeddedConnection>(dir.path(), "main");
  connection->open(connectionStringFor("master"));
  connection->execute(std::string("create database ") + kCatalog);
  connection->close();
  connection->open(connectionStringFor(kCatalog));
  connection->addObserver(&recorder);
}

void EngineFixture::TearDown() {
  connection->removeObserver(&recorder);
  connection->close();
}

void EngineFixture::prepare(const std::string& statement) {
  connection->removeObserver(&recorder);
  connection->execute(statement);
  connection->addObserver(&recorder);
}

}  // namespace testsupport
