#include <gtest/gtest.h>

#include <sstream>

#include "cli/ProgressBar.h"

namespace {

using namespace std::chrono_literals;

// A run of 4 steps seen through the bar, with a clock the test moves.
class ProgressBarTest : public ::testing::Test {
 protected:
  cli::ProgressBar::Clock clock() {
    return [this] { return std::chrono::steady_clock::time_point{} + now; };
  }
  void SetUp() override {
    progress.table.setText("-");
    progress.field.setText("-");
  }
  schema::Progress progress;
  std::ostringstream out;
  std::chrono::steady_clock::duration now{};
};

TEST_F(ProgressBarTest, IntoAFileOneLinePerStepOrTableWithTheStepCountAndElapsedTime) {
  cli::ProgressBar bar(progress, out, false, clock());
  progress.overall.setMaximum(12);
  progress.overall.setProgress(12);  // the window's gauge, sized by the tables found, is full
  out.str("");
  now = 5s;
  bar.stepStarted(1, 4, "A_AQSAT_I");
  progress.table.setText("A_AQSAT");
  progress.field.setText("SH_A");  // columns give no line of their own
  now = 75s;
  bar.stepStarted(3, 4, "V_SUDUR_STS");
  EXPECT_EQ(out.str(),
            "[0%] step 1/4 A_AQSAT_I  -  0:05\n"
            "[0%] step 1/4 A_AQSAT_I  A_AQSAT  0:05\n"
            "[50%] step 3/4 V_SUDUR_STS  A_AQSAT  1:15\n");
}

TEST_F(ProgressBarTest, OnATerminalOneLineRedrawnWithBarStepLabelsAndTime) {
  {
    cli::ProgressBar bar(progress, out, true, clock());
    now = 2s;
    bar.stepStarted(2, 4, "P_TTHESAB_I");
    progress.table.setText("P_TTHESAB");
    const std::string text = out.str();
    const std::string last = text.substr(text.rfind('\r') + 1);
    EXPECT_EQ(last, "[#######.......................] 25%  step 2/4 P_TTHESAB_I  P_TTHESAB  -  (0%)  0:02\x1b[K");
  }
  EXPECT_EQ(out.str().back(), '\n');  // the line is ended when the bar goes
}

}  // namespace
