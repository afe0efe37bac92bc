#include "db/embedded/EmbeddedConnection.h"

#include "db/Error.h"
#include "db/embedded/Instance.h"
#include "db/embedded/Session.h"
#include "db/embedded/TestHooks.h"

namespace db::embedded {

namespace {

Error closedError() { return Error::provider("Operation is not allowed when the object is closed.", 3704); }

// Every failure leaves a connection as db::Error: a file system or memory failure inside the
// engine too.
template <typename F>
auto guarded(F&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const Error&) {
    throw;
  } catch (const std::exception& e) {
    throw Error::provider(std::string("The embedded engine failed: ") + e.what());
  }
}

}  // namespace

EmbeddedConnection::EmbeddedConnection(std::filesystem::path dataDir, std::string role)
    : Connection(std::move(role)), dataDir_(std::move(dataDir)) {}

EmbeddedConnection::~EmbeddedConnection() = default;

void EmbeddedConnection::createAccessFile(const std::filesystem::path& file) {
  if (!guarded([&] { return createDatabaseFile(file, Dialect::Jet); }))
    throw Error::provider("Could not create the Access file '" + file.string() + "': a file of that name exists.");
}

void EmbeddedConnection::injectFaults(bool opening) {
  switch (hooks::onCall()) {
    case hooks::Fault::None: return;
    case hooks::Fault::Fail:
      throw Error::provider("Injected failure at call " + std::to_string(hooks::callCount()) +
                            " of the embedded engine (test hook).");
    case hooks::Fault::Drop:
      session_.reset();
      if (opening)
        throw Error::provider("[DBNETLIB][ConnectionOpen (Connect()).]SQL Server does not exist or access denied.", 17);
      throw Error::provider(
          "[DBNETLIB][ConnectionWrite (send()).]General network error. Check your network documentation.", 11);
  }
}

Session& EmbeddedConnection::session() {
  if (!session_) throw closedError();
  return *session_;
}

void EmbeddedConnection::doOpen(const std::string& connectionString) {
  injectFaults(true);
  if (session_) throw Error::provider("Operation is not allowed when the object is open.", 3705);
  session_ = guarded([&] { return std::make_unique<Session>(dataDir_, connectionString); });
}

void EmbeddedConnection::doClose() {
  injectFaults(false);
  session_.reset();
}

bool EmbeddedConnection::doIsOpen() const { return session_ != nullptr; }

void EmbeddedConnection::doExecute(const std::string& text) {
  injectFaults(false);
  guarded([&] { session().execute(text); });
}

std::vector<std::string> EmbeddedConnection::doTableNames() {
  injectFaults(false);
  return guarded([&] { return session().tableNames(); });
}

std::vector<std::string> EmbeddedConnection::doColumnNames(const std::string& table) {
  injectFaults(false);
  return guarded([&] { return session().columnNames(table); });
}

Rows EmbeddedConnection::doQuery(const std::string& batch, const Params& params, QueryMode mode) {
  injectFaults(false);
  return guarded([&] { return session().query(batch, params, mode); });
}

void EmbeddedConnection::doRun(const std::string& batch, const Params& params, Results& results) {
  injectFaults(false);
  guarded([&] { session().run(batch, params, results); });
}

}  // namespace db::embedded
