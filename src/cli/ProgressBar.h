#pragma once

#include <chrono>
#include <ostream>
#include <string>

#include "schema/Progress.h"

namespace cli {

// Draws a run's progress on the terminal: the overall gauge as a bar, the step gauge, and the
// table and column labels. On a terminal the line is redrawn in place, only when its text
// changes (column labels at most every few hundredths of a second); into a file or pipe one line is written per table, so a log stays short.
class ProgressBar {
 public:
  ProgressBar(schema::Progress& progress, std::ostream& out, bool terminal);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // Ends the line being drawn, before other output.
  void interrupt();

 private:
  void repaint();
  std::string render() const;

  schema::Progress& progress_;
  std::ostream& out_;
  bool terminal_;
  bool lineOpen_ = false;
  std::string lastLine_;
  std::string lastTable_;
  int lastPercent_ = -1;
  std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace cli
