#include <gtest/gtest.h>

#include <vector>

#include "schema/Gauge.h"

namespace {

TEST(Gauge, ClampsProgressIntoRangeAndFollowsALoweredMaximum) {
  schema::Gauge g;
  g.setMaximum(10);
  g.setProgress(-3);
  EXPECT_EQ(g.progress(), 0);
  g.addProgress(25);
  EXPECT_EQ(g.progress(), 10);
  EXPECT_EQ(g.percent(), 100);
  g.setMaximum(4);
  EXPECT_EQ(g.progress(), 4);
  g.setMaximum(0);
  EXPECT_EQ(g.progress(), 0);
  EXPECT_EQ(g.percent(), 0);
}

TEST(Gauge, ShowsWholePercentRoundedDown) {
  struct Case { int max, progress, percent; };
  for (const Case c : {Case{3, 1, 33}, Case{3, 2, 66}, Case{335, 334, 99}, Case{7, 7, 100}, Case{1000000, 1, 0}}) {
    schema::Gauge g;
    g.setMaximum(c.max);
    g.setProgress(c.progress);
    EXPECT_EQ(g.percent(), c.percent) << c.progress << "/" << c.max;
  }
}

TEST(Gauge, RepaintsOnlyWhenTheShownPercentChanges) {
  schema::Gauge g;
  g.setMaximum(300);
  std::vector<int> repaints;
  g.onRepaint([&](int percent) { repaints.push_back(percent); });
  for (int i = 0; i < 300; ++i) g.addProgress(1);
  EXPECT_EQ(repaints.size(), 100u);  // 300 ticks, one repaint per whole percent
  EXPECT_EQ(repaints.back(), 100);
  g.addProgress(1);  // beyond the maximum: still full, no repaint
  EXPECT_EQ(repaints.size(), 100u);
  g.setMaximum(300);  // same maximum, same percent
  EXPECT_EQ(repaints.size(), 100u);
}

}  // namespace
