// The calendar functions run on the engine: Fn_Miladi2shamsi gives the true Persian date (the
// library's calendar) for every day, Fn_Daydiff the true number of days between two dates.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "db/Error.h"
#include "objects/ObjectSteps.h"
#include "perslib/JalaliCalendar.h"
#include "schema/Primitives.h"
#include "support/EngineFixture.h"

namespace {

using namespace std::chrono;

std::string textOf(std::string_view step) {
  const objects::ObjectStep* s = objects::findObjectStep(step);
  if (!s) return {};
  return objects::creationText(*s).value_or("");
}

std::string two(unsigned n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A Persian date as the database writes it: 1400/01/01.
std::string persianText(const perslib::JalaliDate& d) {
  return std::to_string(d.year) + "/" + two(static_cast<unsigned>(d.month)) + "/" + two(static_cast<unsigned>(d.day));
}

std::string isoText(year_month_day d) {
  return std::to_string(static_cast<int>(d.year())) + two(static_cast<unsigned>(d.month())) +
         two(static_cast<unsigned>(d.day()));
}

// The function's body run as a batch: its parameters declared and set, each RETURN made a
// SELECT of the value that ends the batch. This runs the text's own statements where the
// engine cannot call the function yet.
class FunctionBody {
 public:
  FunctionBody(const std::string& text, std::string declarations) : declarations_(std::move(declarations)) {
    const size_t as = text.find("\rAS\r");
    EXPECT_NE(as, std::string::npos) << "no AS line";
    std::string body = text.substr(as + 4);
    static const std::regex returned(R"(RETURN ([^\r]+))");
    body_ = std::regex_replace(body, returned, "BEGIN SELECT $1 RETURN END");
  }

  std::string batch(const std::string& settings) const { return declarations_ + "\r" + settings + "\r" + body_; }

 private:
  std::string declarations_;
  std::string body_;
};

class CalendarFunctions : public testsupport::EngineFixture {
 protected:
  std::optional<std::string> scalar(const std::string& batch) {
    const db::Rows rows = connection->query({batch}, {}, db::QueryMode::Open);
    EXPECT_EQ(rows.size(), 1u) << batch;
    if (rows.empty() || rows.values[0].empty()) return "<no rows>";
    return rows.values[0][0];
  }

  std::string shamsiOf(const std::string& datetimeLiteral) {
    return scalar(shamsi.batch("SET @InputDate = " + datetimeLiteral)).value_or("NULL");
  }
  // The dates as texts; "NULL" stands for NULL.
  std::string daydiff(const std::string& from, const std::string& to) {
    auto literal = [](const std::string& text) { return text == "NULL" ? text : "N'" + text + "'"; };
    return scalar(dayDiff.batch("SET @dateLess1 = " + literal(from) + "\rSET @dateUp2 = " + literal(to))).value_or("NULL");
  }

  FunctionBody shamsi{textOf("Fn_Milad2shamsi"), "DECLARE @InputDate datetime"};
  FunctionBody dayDiff{textOf("Fn_DayDiff"), "DECLARE @dateLess1 nchar(10), @dateUp2 nchar(10)"};
};

TEST_F(CalendarFunctions, BodyGivesTheWorkedValues) {
  EXPECT_EQ(shamsiOf("'20210320'"), "1399/12/30");
  EXPECT_EQ(shamsiOf("'20210321'"), "1400/01/01");
  EXPECT_EQ(shamsiOf("'20191231'"), "1398/10/10");
  EXPECT_EQ(shamsiOf("'20240320'"), "1403/01/01");
  EXPECT_EQ(shamsiOf("'20000101'"), "1378/10/11");
  EXPECT_EQ(shamsiOf("'20210321 23:59:59'"), "1400/01/01");
  EXPECT_EQ(shamsiOf("NULL"), "");
  EXPECT_EQ(daydiff("1400/02/01", "1400/03/01"), "31");
  EXPECT_EQ(daydiff("1401/01/05", "1400/01/10"), "-360");
}

// The days a sweep checks: every day near a Nowruz (where a wrong leap year shows first) and
// a spread of other days, over the Persian years 1300 to 1500.
std::vector<sys_days> sampleDays(int spread) {
  std::vector<sys_days> sample;
  const sys_days first = sys_days{perslib::ToGregorian({1300, 1, 1})};
  const sys_days last = sys_days{perslib::ToGregorian({1500, 12, 29})};
  for (sys_days day = first; day <= last; day += days{1}) {
    const perslib::JalaliDate d = perslib::ToJalali(year_month_day{day});
    const bool nearNowruz = (d.month == 12 && d.day >= 29) || (d.month == 1 && d.day == 1);
    if (nearNowruz || (day - first).count() % spread == 0) sample.push_back(day);
  }
  return sample;
}

std::string persianOf(sys_days day) { return persianText(perslib::ToJalali(year_month_day{day})); }

TEST_F(CalendarFunctions, BodyFollowsTheLibraryCalendar) {
  for (sys_days day : sampleDays(173))
    ASSERT_EQ(shamsiOf("'" + isoText(year_month_day{day}) + "'"), persianOf(day)) << isoText(year_month_day{day});
  // The ends of the datetime range.
  EXPECT_EQ(shamsiOf("'17530101'"), persianOf(sys_days{year{1753} / 1 / 1}));
  EXPECT_TRUE(std::regex_match(shamsiOf("'99991231 23:59:59'"), std::regex(R"(9378/\d\d/\d\d)")));
}

// Every year's last day to the next year's first is one day, and each year has its true length.
TEST_F(CalendarFunctions, BodyCountsTheTrueDaysAcrossNowruzAndLeapYears) {
  for (int y = 1300; y < 1500; y += 3) {
    const perslib::JalaliDate lastDay{y, 12, perslib::JalaliMonthLength(y, 12)};
    ASSERT_EQ(daydiff(persianText(lastDay), persianText({y + 1, 1, 1})), "1") << y;
    const auto length = (sys_days{perslib::ToGregorian({y + 1, 1, 1})} - sys_days{perslib::ToGregorian({y, 1, 1})}).count();
    ASSERT_EQ(daydiff(persianText({y, 1, 1}), persianText({y + 1, 1, 1})), std::to_string(length)) << y;
  }
  const std::vector<sys_days> sample = sampleDays(997);
  for (size_t i = 0; i + 40 < sample.size(); i += 13) {
    const sys_days from = sample[i], to = sample[i + 40];
    ASSERT_EQ(daydiff(persianOf(from), persianOf(to)), std::to_string((to - from).count()));
    ASSERT_EQ(daydiff(persianOf(to), persianOf(from)), std::to_string((from - to).count()));
  }
}

// The examples of the fault: across Nowruz and over a leap year.
TEST_F(CalendarFunctions, BodyGivesTheTrueDifferences) {
  EXPECT_EQ(daydiff("1400/12/29", "1401/01/01"), "1");
  EXPECT_EQ(daydiff("1402/01/01", "1403/01/01"), "365");
  EXPECT_EQ(daydiff("1403/01/01", "1404/01/01"), "366");
  EXPECT_EQ(daydiff("1400/05/10", "1401/02/20"), "282");
  EXPECT_EQ(daydiff("1400/01/10", "1401/01/05"), "360");
  EXPECT_EQ(daydiff("1400/07/01", "1400/08/01"), "30");
  EXPECT_EQ(daydiff("1400/07/01", "1400/07/01"), "0");
  EXPECT_EQ(daydiff("1400/07/01", "NULL"), "NULL");
}

TEST_F(CalendarFunctions, BodyRefusesADateWhoseDigitsAreNotDigits) {
  for (const char* text : {"14x0/01/01", "1400/0a/01", "1400/01/-b"}) {
    try {
      daydiff(text, "1400/01/01");
      ADD_FAILURE() << "accepted " << text;
    } catch (const db::Error& e) {
      EXPECT_EQ(e.number(), 245) << e.what();
    }
  }
}

// The functions installed by their steps and called as the objects call them.
class InstalledCalendarFunctions : public CalendarFunctions {
 protected:
  void SetUp() override {
    CalendarFunctions::SetUp();
    schema::Progress progress;
    schema::Primitives primitives(*connection, progress, [] { return schema::EngineForm::SqlServer; });
    for (const char* step : {"Fn_Milad2shamsi", "Fn_DayDiff"}) objects::runObjectStep(*objects::findObjectStep(step), primitives);
  }

  // One query for many calls: one row per call, in order.
  std::vector<std::string> values(const std::vector<std::string>& calls) {
    std::string sql;
    for (size_t i = 0; i < calls.size(); ++i)
      sql += (i ? " union all " : "") + std::string("select ") + std::to_string(i) + " as n, " + calls[i] + " as v";
    const db::Rows rows = connection->query({"select v from (" + sql + ") as calls order by n"}, {}, db::QueryMode::Open);
    std::vector<std::string> out;
    for (const auto& row : rows.values) out.push_back(row[0].value_or("NULL"));
    return out;
  }
  std::string value(const std::string& call) { return values({call}).at(0); }
};

TEST_F(InstalledCalendarFunctions, GiveTheLibraryCalendarAndTheTrueDifferences) {
  const std::vector<sys_days> sample = sampleDays(29);
  for (size_t from = 0; from < sample.size(); from += 200) {
    std::vector<std::string> calls, expected;
    for (size_t i = from; i < std::min(sample.size(), from + 200); ++i) {
      calls.push_back("dbo.Fn_Miladi2shamsi(CAST('" + isoText(year_month_day{sample[i]}) + " 18:30' AS datetime))");
      expected.push_back(persianOf(sample[i]));
    }
    ASSERT_EQ(values(calls), expected);
  }
  for (size_t i = 0; i + 50 < sample.size(); i += 7)
    ASSERT_EQ(value("dbo.Fn_Daydiff(N'" + persianOf(sample[i]) + "', N'" + persianOf(sample[i + 50]) + "')"),
              std::to_string((sample[i + 50] - sample[i]).count()));
  EXPECT_EQ(value("dbo.Fn_Miladi2shamsi(NULL)"), "");
  EXPECT_EQ(value("dbo.Fn_Daydiff(N'1400/12/29', N'1401/01/01')"), "1");
  EXPECT_EQ(value("dbo.Fn_Daydiff(N'1402/01/01', N'1403/01/01')"), "365");
  EXPECT_EQ(value("dbo.Fn_Daydiff(N'1403/01/01', N'1402/01/01')"), "-365");
  try {
    value("dbo.Fn_Daydiff(N'14x0/01/01', N'1400/01/01')");
    ADD_FAILURE() << "accepted a date that is not one";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.number(), 245) << e.what();
  }
}

}  // namespace
