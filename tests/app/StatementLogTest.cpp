#include <gtest/gtest.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "app/RunReport.h"
#include "app/StatementLog.h"
#include "db/Error.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(StatementLog, WritesOneObjectPerCallInTheContractsForm) {
  std::ostringstream out;
  app::StatementLog log(out);
  log.onCall({db::Op::Open, "main", "Data Source=h,1434;Initial Catalog=W;User ID=u;Password=p;", {}, {}});
  log.onCall({db::Op::Tables, "main", {}, {}, {}});
  log.onCall({db::Op::Columns, "main", {}, "A_AQSAT", {}});
  log.onCall({db::Op::Execute, "main", "create table dbo.A_AQSAT( SH_A  integer)", {}, {}});
  log.onCall({db::Op::Query, "assistant", "select 1\r\nwhere x=:p1", {}, {{"p1", "نام"}}});
  const db::Call failing{db::Op::Execute, "console", "bad", {}, {}};
  log.onCall(failing);
  log.onError(failing, db::Error::provider("Incorrect syntax near 'bad'.", 102, "42000"));
  log.onError(failing, db::Error("EInOutError", "Cannot write"));
  log.onCall({db::Op::Close, "main", {}, {}, {}});

  const std::vector<std::string> expected{
                R"j({"seq":1,"conn":"main","op":"open","connection_string":"Data Source=h,1434;Initial Catalog=W;User ID=u;Password=****;"})j",
                R"j({"seq":2,"conn":"main","op":"tables"})j",
                R"j({"seq":3,"conn":"main","op":"columns","table":"A_AQSAT"})j",
                R"j({"seq":4,"conn":"main","op":"execute","text":"create table dbo.A_AQSAT( SH_A  integer)"})j",
                R"j({"seq":5,"conn":"assistant","op":"query","text":"select 1\r\nwhere x=:p1","params":{"p1":"نام"}})j",
                R"j({"seq":6,"conn":"console","op":"execute","text":"bad"})j",
                R"j({"seq":7,"conn":"console","op":"error","class":"EOleException","message":"Incorrect syntax near 'bad'.","number":102,"sqlstate":"42000"})j",
                R"j({"seq":8,"conn":"console","op":"error","class":"EInOutError","message":"Cannot write"})j",
                R"j({"seq":9,"conn":"main","op":"close"})j",
  };
  EXPECT_EQ(linesOf(out.str()), expected);
}

TEST(StatementLog, ListsTheStatementsOfABatchEachWithItsBatch) {
  std::ostringstream out;
  app::StatementLog log(out);
  for (int i = 0; i < 2; ++i)
    log.onCall({db::Op::Execute, "main", "a\r\nb", {}, {}, {"a", "b"}});
  const std::vector<std::string> expected{
      R"j({"seq":1,"conn":"main","op":"execute","text":"a","batch":1})j",
      R"j({"seq":2,"conn":"main","op":"execute","text":"b","batch":1})j",
      R"j({"seq":3,"conn":"main","op":"execute","text":"a","batch":2})j",
      R"j({"seq":4,"conn":"main","op":"execute","text":"b","batch":2})j",
  };
  EXPECT_EQ(linesOf(out.str()), expected);
}

TEST(RunReport, CountsStatementsAndCatalogReads) {
  app::RunReport report;
  for (db::Op op : {db::Op::Open, db::Op::Tables, db::Op::Columns, db::Op::Columns, db::Op::Execute, db::Op::Query,
                    db::Op::Close})
    report.onCall({op, "main", {}, {}, {}});
  EXPECT_EQ(report.statements(), 2);
  EXPECT_EQ(report.catalogReads(), 3);
  EXPECT_EQ(report.roundTrips(), 7);
  report.onCall({db::Op::Execute, "main", "a\r\nb\r\nc", {}, {}, {"a", "b", "c"}});
  EXPECT_EQ(report.statements(), 5);
  EXPECT_EQ(report.roundTrips(), 8);
}

}  // namespace
