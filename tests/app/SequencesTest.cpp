#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/Products.h"
#include "app/Sequences.h"
#include "catalog/Catalogs.h"

namespace {

using Kind = app::SequenceItem::Kind;

int countOf(const app::ProductSequence& s, Kind kind) {
  return static_cast<int>(std::count_if(s.items.begin(), s.items.end(), [&](const auto& i) { return i.kind == kind; }));
}

struct Expected {
  const char* code;
  int steps;
  int reconnects;
  const char* first;
  const char* last;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const Expected& c, std::ostream* os) { *os << c.code; }

class ProductSequenceShape : public ::testing::TestWithParam<Expected> {};

TEST_P(ProductSequenceShape, HasItsStepsAndReconnects) {
  const Expected& e = GetParam();
  const app::ProductSequence* s = app::sequenceFor(e.code);
  ASSERT_NE(s, nullptr);
  const auto steps = s->stepNames();
  EXPECT_EQ(static_cast<int>(steps.size()), e.steps);
  EXPECT_EQ(countOf(*s, Kind::Reconnect), e.reconnects);
  EXPECT_EQ(steps.front(), e.first);
  EXPECT_EQ(steps.back(), e.last);
  EXPECT_EQ(std::set<std::string>(steps.begin(), steps.end()).size(), steps.size()) << "a step appears twice";
  // A sequence never starts or ends with a reconnect, nor has two in a row.
  EXPECT_NE(s->items.back().kind, Kind::Reconnect);
  for (size_t i = 1; i < s->items.size(); ++i)
    EXPECT_FALSE(s->items[i].kind == Kind::Reconnect && s->items[i - 1].kind == Kind::Reconnect);
}

INSTANTIATE_TEST_SUITE_P(
    Products, ProductSequenceShape,
    ::testing::Values(Expected{"Zemtrio", 19, 2, "a_cdaryafti_x", "A_Hazineh_X"},
                      Expected{"Vedizi2", 49, 4, "p_user", "A_Domain"},
                      Expected{"Rivavaruz", 13, 1, "A_Daryaft_R", "BP_TPEYK"},
                      Expected{"Koltar", 11, 1, "A_GMTHesab_kol", "SP_ArchiveGMTH"},
                      Expected{"Zedidover", 110, 10, "A_AQSAT_I", "T_Outbox_Config"},
                      Expected{"Ruvan", 110, 10, "A_AQSAT_I", "T_Outbox_Config"},
                      Expected{"Pelix", 8, 0, "TCapability", "yapraqlar"},
                      Expected{"Benvo", 180, 14, "A_ADaryafti", "BChangeFields_Other"}),
    [](const auto& info) { return std::string(info.param.code); });

TEST(ProductSequences, BranchesAreTestedInTheirOrder) {
  std::vector<std::string> firstCodes;
  for (const auto& s : app::productSequences()) firstCodes.push_back(s.codes.front());
  EXPECT_EQ(firstCodes,
            (std::vector<std::string>{"Zemtrio", "Vedizi2", "Rivavaruz", "Koltar", "Zedidover", "Pelix", "Benvo"}));
}

TEST(ProductSequences, MatchingIsExact) {
  EXPECT_EQ(app::sequenceFor("Zedidover"), app::sequenceFor("Ruvan"));
  for (const char* code : {"Talvo", "zedidover", "BENVO", "Koltar ", ""}) EXPECT_EQ(app::sequenceFor(code), nullptr) << code;
}

TEST(ProductSequences, SpecialItemsStandWhereTheRunNeedsThem) {
  const auto& vedizi = *app::sequenceFor("Vedizi2");
  EXPECT_EQ(vedizi.items.front().kind, Kind::DropTable);
  EXPECT_EQ(vedizi.items.front().name, "LOGIN");
  // Dropped only while it lacks a column of the Login step's entry, so its rows are kept later.
  EXPECT_EQ(vedizi.items.front().unlessLayoutOf, "Login");
  EXPECT_NE(catalog::findEntry("Login"), nullptr);

  const auto& benvo = *app::sequenceFor("Benvo");
  EXPECT_EQ(benvo.items.front().kind, Kind::OpenAssistant);
  for (const auto& item : benvo.items)
    EXPECT_EQ(item.onlyWithAutonum, item.name == "BChangeFields_Autonum") << item.name;

  // Only the insurance reconnects give way to the hosted database.
  for (const auto& s : app::productSequences()) {
    for (const auto& item : s.items) {
      if (item.kind == Kind::Reconnect) {
        EXPECT_EQ(item.skippedWhenWeb, s.matches("Zedidover")) << s.codes.front();
      }
    }
  }
}

// A view is refused when a function it calls does not exist yet: the calendar functions are
// installed before every object step of the insurance run.
TEST(ProductSequences, TheCalendarFunctionsComeBeforeEveryObjectOfTheInsuranceRun) {
  const auto steps = app::sequenceFor("Zedidover")->stepNames();
  auto at = [&](const char* name) { return std::find(steps.begin(), steps.end(), name) - steps.begin(); };
  EXPECT_EQ(at("Fn_DayDiff"), at("Fn_Milad2shamsi") + 1);
  EXPECT_EQ(at("BtnF_DOSYA_ARASHTIR"), at("Fn_DayDiff") + 1);
  for (const char* caller : {"V_Pursuant_Dt", "V_AQSAT_STS", "V_Credit_Cash_sts"}) EXPECT_LT(at("Fn_DayDiff"), at(caller));
}

TEST(ProductSequences, EveryProductWithACodeIsKnown) {
  for (const auto& s : app::productSequences())
    for (const auto& code : s.codes) EXPECT_NE(app::productWithCode(code), nullptr) << code;
  EXPECT_EQ(app::productAtIndex(3)->code, "Talvo");
  EXPECT_EQ(app::productAtIndex(7), nullptr);
  EXPECT_FALSE(app::productWithCode("Benvo")->listIndex.has_value());
}

TEST(SequenceFile, ReportsMistakesWithTheirLine) {
  const char* bad[] = {"step A\n", "branch\n", "branch X\nreconnect now\n", "branch X\nstep A if web\n",
                       "branch X\ndrop-table T if-newer-than S\n"};
  const char* lines[] = {":1:", ":1:", ":2:", ":2:", ":2:"};
  for (int i = 0; i < 5; ++i) {
    try {
      app::parseSequences(bad[i], "test.txt");
      ADD_FAILURE() << "accepted: " << bad[i];
    } catch (const app::SequenceFileError& e) {
      EXPECT_NE(std::string(e.what()).find(std::string("test.txt") + lines[i]), std::string::npos) << e.what();
    }
  }
}

}  // namespace
