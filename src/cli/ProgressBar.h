#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include "schema/Progress.h"

namespace cli {

// Draws a run's progress on the terminal: a bar of the run's steps (k of N; the window's overall
// gauge is sized by the tables the database had before the run, so it fills long before a run on
// a young database ends), the step's name, the table and column labels, the step gauge and the
// elapsed time. On a terminal the line is redrawn in place, only when its text changes (column
// labels at most every few hundredths of a second); into a file or pipe one line is written per
// step or table, so a log stays short.
class ProgressBar {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  ProgressBar(schema::Progress& progress, std::ostream& out, bool terminal, Clock clock = std::chrono::steady_clock::now);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // A step of the run begins: its number (from 1), the run's step count, its name.
  void stepStarted(int number, int count, const std::string& name);
  // Ends the line being drawn, before other output.
  void interrupt();

 private:
  void repaint();
  std::string render() const;
  int percent() const;
  std::string stepText() const;

  schema::Progress& progress_;
  std::ostream& out_;
  bool terminal_;
  Clock clock_;
  std::chrono::steady_clock::time_point started_;
  int stepNumber_ = 0;
  int stepCount_ = 0;
  std::string stepName_;
  bool lineOpen_ = false;
  std::string lastLine_;
  std::string lastTable_;
  std::string lastStep_;
  int lastPercent_ = -1;
  std::chrono::steady_clock::time_point lastDrawn_{};
};

}  // namespace cli
