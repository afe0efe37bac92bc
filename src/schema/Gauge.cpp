#include "schema/Gauge.h"

#include <algorithm>

namespace schema {

int Gauge::percent() const {
  if (maximum_ <= 0) return 0;
  return static_cast<int>(static_cast<long long>(progress_) * 100 / maximum_);
}

void Gauge::setMaximum(int maximum) {
  const int before = percent();
  maximum_ = std::max(0, maximum);
  progress_ = std::min(progress_, maximum_);
  changed(before);
}

void Gauge::setProgress(int progress) {
  const int before = percent();
  progress_ = std::clamp(progress, 0, maximum_);
  changed(before);
}

void Gauge::addProgress(int delta) { setProgress(progress_ + delta); }

void Gauge::changed(int percentBefore) {
  const int now = percent();
  if (now != percentBefore && repaint_) repaint_(now);
}

}  // namespace schema
