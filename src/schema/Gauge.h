#pragma once

#include <functional>

namespace schema {

// A progress gauge: a maximum and a progress always clamped into [0, maximum]. It shows
// its progress as a whole percentage and repaints (calls its change callback) only when
// that percentage changes.
class Gauge {
 public:
  using Repaint = std::function<void(int percent)>;

  int maximum() const { return maximum_; }
  int progress() const { return progress_; }
  // Whole percentage shown: progress * 100 / maximum, rounded down; 0 when the maximum is 0.
  int percent() const;

  // Lowering the maximum below the progress lowers the progress with it.
  void setMaximum(int maximum);
  void setProgress(int progress);
  void addProgress(int delta);

  void onRepaint(Repaint repaint) { repaint_ = std::move(repaint); }

 private:
  void changed(int percentBefore);

  int maximum_ = 100;
  int progress_ = 0;
  Repaint repaint_;
};

}  // namespace schema
