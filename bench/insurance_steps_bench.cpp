// The 35 insurance table steps with statements of their own, over the previous version's
// database with every one of their tables filled to 10,000 rows more: the steps run once (the
// statements do their work on every row) and again (the guards find the work done).
//
// Each synthetic row holds its own number in every column (as text where the column is text),
// so the new keys and unique indexes find no duplicates; every other row lacks the numbers and
// defaults the steps give.
#include <sys/resource.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "catalog/Catalogs.h"
#include "db/Error.h"
#include "db/embedded/EmbeddedConnection.h"
#include "schema/TableStep.h"
#include "support/SqlScript.h"

namespace {

constexpr int kRows = 10000;
constexpr int kRowsPerInsert = 500;

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string catalogString(const std::string& name) {
  return "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=" + name;
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// CPU time of the process: the figure that a machine busy with other work does not inflate.
double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long count(db::Connection& c, const std::string& select) {
  const db::Rows rows = c.query({select}, {}, db::QueryMode::Open);
  return std::stol(*rows.values.at(0).at(0));
}

// The columns a step's own statements make a foreign key of ("foreign key (X) references ..."):
// the synthetic numbers would be in no referenced table.
// Each column gets the lowest key of the referenced table, or NULL when that table is empty.
std::map<std::string, std::string> foreignKeyColumnsAdded(db::Connection& c, const schema::CatalogEntry& e) {
  std::map<std::string, std::string> values;
  for (const schema::StepStatement& s : e.statements)
    for (const std::string& line : s.lines) {
      const std::string text = lower(line);
      const size_t at = text.find("foreign key (");
      const size_t references = text.find(" references ");
      if (at == std::string::npos || references == std::string::npos) continue;
      const size_t close = text.find(')', at);
      const std::string column = text.substr(at + 13, close - at - 13);
      const size_t open = text.find('(', references);
      const std::string table = text.substr(references + 12, open - references - 12);
      const std::string key = text.substr(open + 1, text.find(')', open) - open - 1);
      const db::Rows lowest = c.query({"select min(" + key + ") from " + table}, {}, db::QueryMode::Open);
      const auto& value = lowest.values.at(0).at(0);
      values[column] = value ? "N'" + *value + "'" : "NULL";
    }
  return values;
}

// Adds kRows rows to `table` in inserts of kRowsPerInsert rows.
void fill(db::Connection& c, const std::string& table, std::map<std::string, std::string> referring) {
  const db::Rows columns = c.query(
      {"select c.COLUMN_NAME, c.DATA_TYPE, c.CHARACTER_MAXIMUM_LENGTH from INFORMATION_SCHEMA.COLUMNS c join "
       "sys.columns s on s.object_id = object_id(c.TABLE_NAME) and s.name = c.COLUMN_NAME where c.TABLE_NAME = '" +
       table + "' and s.is_computed = 0 and s.is_identity = 0 order by c.ORDINAL_POSITION"},
      {}, db::QueryMode::Open);
  std::string names;
  for (const auto& column : columns.values) names += (names.empty() ? "[" : ", [") + *column[0] + "]";
  // Nor do the columns of the foreign keys the table has already.
  for (const auto& row : c.query({"select lower(c.name) from sys.foreign_key_columns k join sys.columns c on "
                                  "c.object_id = k.parent_object_id and c.column_id = k.parent_column_id where "
                                  "k.parent_object_id = object_id('" +
                                  table + "')"},
                                 {}, db::QueryMode::Open)
                           .values)
    referring[*row[0]] = "NULL";
  const bool wage = lower(table) == "p_tbimeh_wage_dt";
  for (int first = 0; first < kRows; first += kRowsPerInsert) {
    std::string insert = "insert into " + table + " (" + names + ") values ";
    for (int n = first; n < first + kRowsPerInsert; ++n) {
      const std::string number = std::to_string(10000 + n);
      const bool unfinished = n % 2 == 0;  // no number, no serial, no year yet
      insert += n == first ? "(" : ", (";
      for (size_t i = 0; i < columns.values.size(); ++i) {
        const std::string name = lower(*columns.values[i][0]);
        const std::string type = *columns.values[i][1];
        const int length = columns.values[i][2] ? std::stoi(*columns.values[i][2]) : 0;
        std::string value = number;
        if (const auto it = referring.find(name); it != referring.end())
          value = it->second;
        else if (unfinished && (name == "sh_id" || name == "rowid" || (wage && (name == "wage_year" || name == "ins_com_cd"))))
          value = "NULL";
        else if (unfinished && name == "serino")
          value = "''";
        else if (type == "bit")
          value = std::to_string(n % 2);
        else if (type.find("char") != std::string::npos)
          value = "N'" + number.substr(number.size() - std::min<size_t>(number.size(), length > 0 ? length : 10)) + "'";
        insert += (i ? ", " : "") + value;
      }
      insert += ")";
    }
    c.execute(insert);
  }
}

}  // namespace

int main() {
  char pattern[] = "/tmp/morav-bench-XXXXXX";
  const std::filesystem::path dir = mkdtemp(pattern);
  int status = 0;
  try {
    db::embedded::EmbeddedConnection conn(dir, "main");
    conn.open(catalogString("master"));
    conn.execute("create database Insurance");
    conn.close();
    conn.open(catalogString("Insurance"));
    testsupport::runScriptFile(conn, MORAV_SOURCE_DIR "/samples/zedidover-previous.sql");

    schema::Progress progress;
    schema::Primitives primitives(conn, progress, [] { return schema::EngineForm::SqlServer; });
    std::vector<const schema::CatalogEntry*> steps;
    for (const schema::CatalogEntry& e : catalog::entriesOf("zedidover.catalog"))
      if (!e.statements.empty()) steps.push_back(&e);

    auto start = std::chrono::steady_clock::now();
    double cpu = cpuSeconds();
    for (const schema::CatalogEntry* e : steps)
      if (primitives.tableExists(e->table)) fill(conn, e->table, foreignKeyColumnsAdded(conn, *e));  // P_Sanad_Type is made afresh
    const double filled = seconds(start), filledCpu = cpuSeconds() - cpu;

    std::string currentTable;
    double firstCpu = 0, secondCpu = 0;
    const auto timeRun = [&](double& cpuTaken) {
      const auto begin = std::chrono::steady_clock::now();
      const double cpuBefore = cpuSeconds();
      for (const schema::CatalogEntry* e : steps) schema::runTableStep(primitives, *e, currentTable);
      cpuTaken = cpuSeconds() - cpuBefore;
      return seconds(begin);
    };
    const double first = timeRun(firstCpu);
    const double second = timeRun(secondCpu);
    // What the first run must have done on every row.
    const long unnumbered = count(conn, "select count(*) from A_FASQ where SH_ID is null") +
                            count(conn, "select count(*) from A_Sharh_Aqsat where RowID is null");
    conn.close();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("insurance steps: %zu steps with statements, their tables filled to %d rows more each\n",
                steps.size(), kRows);
    std::printf("  filling       : %8.3f s  (CPU %.3f s)\n", filled, filledCpu);
    std::printf("  first run     : %8.3f s  (CPU %.3f s)\n", first, firstCpu);
    std::printf("  second run    : %8.3f s  (CPU %.3f s)\n", second, secondCpu);
    std::printf("  peak memory   : %8.1f MB\n", usage.ru_maxrss / 1024.0);
    if (unnumbered != 0) {
      std::printf("  FAILED: %ld rows left unnumbered\n", unnumbered);
      status = 1;
    }
  } catch (const db::Error& e) {
    std::printf("insurance steps: FAILED: %s\n", e.message().c_str());
    status = 1;
  }
  std::filesystem::remove_all(dir);
  return status;
}
