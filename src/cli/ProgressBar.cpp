#include "cli/ProgressBar.h"

namespace cli {

namespace {

constexpr int kBarWidth = 30;
// Column labels change faster than anyone reads them; the bar and the table always redraw.
constexpr std::chrono::milliseconds kColumnRedrawInterval{40};

}  // namespace

ProgressBar::ProgressBar(schema::Progress& progress, std::ostream& out, bool terminal)
    : progress_(progress), out_(out), terminal_(terminal), lastTable_(progress.table.text()) {
  progress_.overall.onRepaint([this](int) { repaint(); });
  progress_.step.onRepaint([this](int) { repaint(); });
  progress_.table.onRepaint([this](const std::string&) { repaint(); });
  progress_.field.onRepaint([this](const std::string&) { repaint(); });
}

ProgressBar::~ProgressBar() {
  interrupt();
  progress_.overall.onRepaint({});
  progress_.step.onRepaint({});
  progress_.table.onRepaint({});
  progress_.field.onRepaint({});
}

void ProgressBar::interrupt() {
  if (!lineOpen_) return;
  out_ << '\n';
  out_.flush();
  lineOpen_ = false;
  lastLine_.clear();
}

std::string ProgressBar::render() const {
  const int percent = progress_.overall.percent();
  const int filled = percent * kBarWidth / 100;
  std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
  line += std::to_string(percent) + "%  " + progress_.table.text() + "  " + progress_.field.text() + "  (" +
          std::to_string(progress_.step.percent()) + "%)";
  return line;
}

void ProgressBar::repaint() {
  if (!terminal_) {
    if (progress_.table.text() == lastTable_) return;
    lastTable_ = progress_.table.text();
    out_ << "[" << progress_.overall.percent() << "%] " << lastTable_ << '\n';
    out_.flush();
    return;
  }
  std::string line = render();
  if (line == lastLine_) return;
  const auto now = std::chrono::steady_clock::now();
  const bool milestone = progress_.overall.percent() != lastPercent_ || progress_.table.text() != lastTable_;
  if (!milestone && now - lastDrawn_ < kColumnRedrawInterval) return;
  lastPercent_ = progress_.overall.percent();
  lastTable_ = progress_.table.text();
  lastDrawn_ = now;
  lastLine_ = line;
  out_ << '\r' << line << "\x1b[K";
  out_.flush();
  lineOpen_ = true;
}

}  // namespace cli
