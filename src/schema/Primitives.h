#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "schema/Progress.h"

namespace schema {

// Which form the create and add-column statements take.
enum class EngineForm { SqlServer, Access };

// How the primitives read the catalog. Both send the same statements in the same order.
enum class CatalogReads {
  Faithful,  // afresh before every change
  Lean,      // the table list and a table's columns read once, then kept up to date by the
             // primitives' own changes; any other statement sent on the connection (a step's
             // own, an object's), an open on another target, a failure or
             // readAfresh() makes the next test read afresh. Closing and reopening the same
             // target keeps them: it changes nothing in the catalog.
};

// The idempotent schema primitives. Each looks at the database's own catalog and acts only
// when the catalog says the change is still needed, so every call can be repeated without
// effect. They catch nothing: a failed catalog read or a rejected statement is thrown to the
// caller, skipping the rest of the call (its gauge tick included).
//
// Lean reads take the catalog from what was read earlier and from the changes made since;
// with batches as well, the changes of a StepScope on the SQL Server form wait and travel
// together, one round trip per run of consecutive changes.
class Primitives : private db::Observer {
 public:
  // `engine` is asked at every call: the operator's engine choice of the moment decides.
  Primitives(db::Connection& connection, Progress& progress, std::function<EngineForm()> engine);
  ~Primitives() override;
  Primitives(const Primitives&) = delete;
  Primitives& operator=(const Primitives&) = delete;

  // Faithful reads and no batches unless set. Batches need lean reads (the decisions of a
  // batch are taken before any of it is sent).
  void setCatalogReads(CatalogReads reads, bool batches = false);
  CatalogReads catalogReads() const { return reads_; }
  bool batches() const { return batches_; }

  // Forgets what lean reads kept: the next test reads afresh (a run starts so).
  void readAfresh();

  // A table step or a conversion pass. Inside it, batched changes wait for flush(). finish() sends what waits; a scope left by an
  // exception drops it unsent, as a failure ends a run at the statement that failed.
  class StepScope {
   public:
    explicit StepScope(Primitives& primitives);
    ~StepScope();
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;
    void finish();

   private:
    Primitives& primitives_;
    bool open_ = true;
  };

  // Sends the changes that wait, as one batch (a single one alone). Call it before anything
  // else goes to the connection, so that the order of the statements stays as written. When a
  // batch fails, its statements are taken again one by one on a fresh read of the catalog:
  // those in effect are passed over, the first that fails alone is the error (its text named
  // in the message), and the labels and step gauge are left as they were at its primitive.
  void flush();

  // Runs `body`, which sends something that only reads (a query of a step's guard): the
  // catalog kept by lean reads stays valid across it.
  template <typename F>
  auto readOnly(F&& body) -> decltype(body()) {
    OwnCall own(*this);
    return body();
  }

  int countTables();
  int countColumns(const std::string& table);
  // True when some entry equals `name` after folding A-Z to a-z in both (nothing else folded).
  static bool nameInList(std::string_view name, const std::vector<std::string>& list);
  // The column name with its first '[' and then its first ']' removed.
  static std::string bareColumnName(std::string_view column);
  // The SQL Server form of a type text: the Access-only type "Memo" becomes "ntext".
  static std::string sqlServerType(std::string_view type);
  // The SQL Server form of an added column's type: the 11 characters from the first
  // upper-case "PRIMARY" cut, then sqlServerType.
  static std::string sqlServerColumnType(std::string_view type);

  void ensureTable(const std::string& table, const std::string& keyColumn, const std::string& keyType);
  void ensureColumn(const std::string& table, const std::string& column, const std::string& type);
  void alterColumnIfPresent(const std::string& table, const std::string& column, const std::string& type);
  void dropColumnIfPresent(const std::string& table, const std::string& column, const std::string& type);
  void dropTableIfPresent(const std::string& table);

  bool tableExists(const std::string& table);
  bool columnExists(const std::string& table, const std::string& column);

  // The presence tests every primitive makes, on any connection (the assistant set-up has its
  // own): a fresh catalog read, names compared as nameInList does, brackets off a column name.
  static bool tableIn(db::Connection& connection, const std::string& table);
  static bool columnIn(db::Connection& connection, const std::string& table, const std::string& column);
  EngineForm engineForm() const { return engine_(); }
  db::Connection& connection() { return connection_; }
  Progress& progress() { return progress_; }

 private:
  // One change: its statement and what it does to the catalog.
  struct Change {
    enum class Kind { CreateTable, DropTable, AddColumn, AlterColumn, DropColumn };
    Kind kind;
    std::string table;
    std::string column;  // bare; the key column of a create
    std::string text;
  };
  // The progress display as a primitive leaves it just before its statement.
  struct Shown {
    int stepProgress = 0;
    int stepMaximum = 0;
    std::string table;
    std::string field;
  };
  struct Waiting {
    Change change;
    Shown shown;
  };
  // Marks the calls the primitives make themselves, which the kept catalog accounts for.
  class OwnCall {
   public:
    explicit OwnCall(Primitives& p) : p_(p), was_(p.own_) { p.own_ = true; }
    ~OwnCall() { p_.own_ = was_; }
    OwnCall(const OwnCall&) = delete;
    OwnCall& operator=(const OwnCall&) = delete;

   private:
    Primitives& p_;
    bool was_;
  };

  void onCall(const db::Call& call) override;
  void onError(const db::Call& call, const db::Error& error) override;

  bool lean() const { return reads_ == CatalogReads::Lean; }
  bool keepsColumns() const { return lean(); }
  const std::vector<std::string>& tableList();
  const std::vector<std::string>& columnList(const std::string& table);
  void forget();
  void apply(const Change& change);
  void make(Change change);
  void send(const Change& change);
  bool stillNeeded(const Change& change);
  Shown shown() const;
  void show(const Shown& shown);
  void replay(const std::vector<Waiting>& batch);

  db::Connection& connection_;
  Progress& progress_;
  std::function<EngineForm()> engine_;
  CatalogReads reads_ = CatalogReads::Faithful;
  bool batches_ = false;
  bool own_ = false;
  int scopes_ = 0;
  std::optional<std::vector<std::string>> tables_;
  std::map<std::string, std::vector<std::string>> columns_;  // by table, ASCII lower-cased
  std::vector<std::string> fresh_;                           // the latest faithful read
  std::string openedWith_;                                   // the connection string of the latest open
  std::vector<Waiting> waiting_;
};

}  // namespace schema
