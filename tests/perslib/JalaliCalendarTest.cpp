#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>

#include "perslib/JalaliCalendar.h"

namespace perslib {

void PrintTo(const JalaliDate& date, std::ostream* out) { *out << date.year << "/" << date.month << "/" << date.day; }

namespace {

using namespace std::chrono;

// Nowruz (1 Farvardin) of each Jalali year, as the day of March of Gregorian year + 621,
// from the official leap years (1375, 1379, ..., 1403, 1408, ..., 1436, 1441, ..., 1469,
// 1474, 1478).
struct Nowruz {
  int jalaliYear;
  unsigned marchDay;
};
constexpr Nowruz kNowruz[] = {
    {1375, 20}, {1376, 21}, {1377, 21}, {1378, 21}, {1379, 20}, {1380, 21}, {1381, 21}, {1382, 21}, {1383, 20},
    {1384, 21}, {1385, 21}, {1386, 21}, {1387, 20}, {1388, 21}, {1389, 21}, {1390, 21}, {1391, 20}, {1392, 21},
    {1393, 21}, {1394, 21}, {1395, 20}, {1396, 21}, {1397, 21}, {1398, 21}, {1399, 20}, {1400, 21}, {1401, 21},
    {1402, 21}, {1403, 20}, {1404, 21}, {1405, 21}, {1406, 21}, {1407, 20}, {1408, 20}, {1409, 21}, {1410, 21},
    {1411, 20}, {1412, 20}, {1413, 21}, {1414, 21}, {1415, 20}, {1416, 20}, {1417, 21}, {1418, 21}, {1419, 20},
    {1420, 20}, {1421, 21}, {1422, 21}, {1423, 20}, {1424, 20}, {1425, 21}, {1426, 21}, {1427, 20}, {1428, 20},
    {1429, 21}, {1430, 21}, {1431, 20}, {1432, 20}, {1433, 21}, {1434, 21}, {1435, 20}, {1436, 20}, {1437, 21},
    {1438, 21}, {1439, 20}, {1440, 20}, {1441, 20}, {1442, 21}, {1443, 20}, {1444, 20}, {1445, 20}, {1446, 21},
    {1447, 20}, {1448, 20}, {1449, 20}, {1450, 21}, {1451, 20}, {1452, 20}, {1453, 20}, {1454, 21}, {1455, 20},
    {1456, 20}, {1457, 20}, {1458, 21}, {1459, 20}, {1460, 20}, {1461, 20}, {1462, 21}, {1463, 20}, {1464, 20},
    {1465, 20}, {1466, 21}, {1467, 20}, {1468, 20}, {1469, 20}, {1470, 21}, {1471, 20}, {1472, 20}, {1473, 20},
    {1474, 20}, {1475, 20}, {1476, 20}, {1477, 20}, {1478, 20}, {1479, 21}, {1480, 21},
};

std::string Iso(year_month_day date) {
  return std::to_string(static_cast<int>(date.year())) + "-" + std::to_string(static_cast<unsigned>(date.month())) +
         "-" + std::to_string(static_cast<unsigned>(date.day()));
}

sys_days NowruzDay(const Nowruz& n) { return sys_days{year{n.jalaliYear + 621} / March / day{n.marchDay}}; }

TEST(JalaliCalendar, NowruzAndTheLastDayOfEsfandMatchTheOfficialYears) {
  for (std::size_t i = 1; i < std::size(kNowruz); ++i) {
    const Nowruz& previous = kNowruz[i - 1];
    const Nowruz& current = kNowruz[i];
    SCOPED_TRACE(current.jalaliYear);
    const bool previousIsLeap = (NowruzDay(current) - NowruzDay(previous)).count() == 366;
    const JalaliDate lastOfEsfand{previous.jalaliYear, 12, previousIsLeap ? 30 : 29};

    EXPECT_EQ(ToJalali(NowruzDay(current)), (JalaliDate{current.jalaliYear, 1, 1}));
    EXPECT_EQ(sys_days{ToGregorian({current.jalaliYear, 1, 1})}, NowruzDay(current));
    EXPECT_EQ(ToJalali(NowruzDay(current) - days{1}), lastOfEsfand);
    EXPECT_EQ(sys_days{ToGregorian(lastOfEsfand)}, NowruzDay(current) - days{1});
    EXPECT_EQ(IsJalaliLeapYear(previous.jalaliYear), previousIsLeap);
  }
}

TEST(JalaliCalendar, EveryDayFrom1996To2100RoundTripsAndFollowsItsPredecessor) {
  const sys_days first{1996y / January / 1};
  const sys_days last{2100y / December / 31};
  JalaliDate expected = ToJalali(first);
  EXPECT_EQ(expected, (JalaliDate{1374, 10, 11}));
  for (sys_days today = first; today <= last; today += days{1}) {
    const JalaliDate jalali = ToJalali(today);
    ASSERT_EQ(jalali, expected) << Iso(today);
    ASSERT_EQ(sys_days{ToGregorian(jalali)}, today);
    // The next day, by Jalali month lengths alone.
    if (++expected.day > JalaliMonthLength(expected.year, expected.month)) {
      expected.day = 1;
      if (++expected.month > 12) {
        expected.month = 1;
        ++expected.year;
      }
    }
  }
}

TEST(JalaliCalendar, TodayIsWrittenWithoutLeadingZerosAnd82To84ShortForm) {
  const std::pair<year_month_day, const char*> cases[] = {
      {2023y / March / 21, "1402/1/1"},      {2024y / March / 20, "1403/1/1"},
      {2023y / September / 22, "1402/6/31"}, {2023y / September / 23, "1402/7/1"},
      {2023y / January / 1, "1401/10/11"},   {2024y / January / 1, "1402/10/11"},
      {2025y / January / 1, "1403/10/12"},   {2025y / March / 20, "1403/12/30"},
      {2029y / March / 20, "1408/1/1"},      {2033y / March / 20, "1412/1/1"},
      {2003y / June / 1, "82/3/11"},         {2005y / March / 20, "83/12/30"},
      {2006y / March / 20, "84/12/29"},      {2006y / March / 21, "1385/1/1"},
      {2003y / March / 20, "1381/12/29"},    {2100y / December / 31, "1479/10/10"},
  };
  for (const auto& [today, expected] : cases) EXPECT_EQ(MiladiToShamsi(today), expected) << Iso(today);
}

TEST(JalaliCalendar, YearsOutsideTheBreakTableAreRejected) {
  EXPECT_THROW(IsJalaliLeapYear(3178), std::out_of_range);
  EXPECT_THROW(ToJalali(year{3900} / January / 1), std::out_of_range);
  EXPECT_THROW(ToGregorian({-62, 1, 1}), std::out_of_range);
  EXPECT_TRUE(LocalToday().ok());
}

}  // namespace
}  // namespace perslib
