#include "cli/ProgressBar.h"

#include <cstdio>

namespace cli {

namespace {

constexpr int kBarWidth = 30;
// Column labels change faster than anyone reads them; the bar and the table always redraw.
constexpr std::chrono::milliseconds kColumnRedrawInterval{40};

std::string minutesAndSeconds(std::chrono::steady_clock::duration elapsed) {
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                static_cast<long long>(seconds % 60));
  return text;
}

}  // namespace

ProgressBar::ProgressBar(schema::Progress& progress, std::ostream& out, bool terminal, Clock clock)
    : progress_(progress), out_(out), terminal_(terminal), clock_(std::move(clock)), started_(clock_()),
      lastTable_(progress.table.text()) {
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

void ProgressBar::stepStarted(int number, int count, const std::string& name) {
  stepNumber_ = number;
  stepCount_ = count;
  stepName_ = name;
  repaint();
}

void ProgressBar::interrupt() {
  if (!lineOpen_) return;
  out_ << '\n';
  out_.flush();
  lineOpen_ = false;
  lastLine_.clear();
}

// The share of the run's steps done; before the first step (and where the run has no
// sequence), the overall gauge's.
int ProgressBar::percent() const {
  if (stepCount_ <= 0) return progress_.overall.percent();
  return (stepNumber_ - 1) * 100 / stepCount_;
}

std::string ProgressBar::stepText() const {
  if (stepCount_ <= 0) return {};
  return "step " + std::to_string(stepNumber_) + "/" + std::to_string(stepCount_) + " " + stepName_ + "  ";
}

std::string ProgressBar::render() const {
  const int done = percent();
  const int filled = done * kBarWidth / 100;
  std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
  line += std::to_string(done) + "%  " + stepText() + progress_.table.text() + "  " + progress_.field.text() + "  (" +
          std::to_string(progress_.step.percent()) + "%)  " + minutesAndSeconds(clock_() - started_);
  return line;
}

void ProgressBar::repaint() {
  if (!terminal_) {
    if (progress_.table.text() == lastTable_ && stepName_ == lastStep_) return;
    lastTable_ = progress_.table.text();
    lastStep_ = stepName_;
    out_ << "[" << percent() << "%] " << stepText() << lastTable_ << "  " << minutesAndSeconds(clock_() - started_)
         << '\n';
    out_.flush();
    return;
  }
  std::string line = render();
  if (line == lastLine_) return;
  const auto now = clock_();
  const bool milestone =
      percent() != lastPercent_ || progress_.table.text() != lastTable_ || stepName_ != lastStep_;
  if (!milestone && now - lastDrawn_ < kColumnRedrawInterval) return;
  lastPercent_ = percent();
  lastTable_ = progress_.table.text();
  lastStep_ = stepName_;
  lastDrawn_ = now;
  lastLine_ = line;
  out_ << '\r' << line << "\x1b[K";
  out_.flush();
  lineOpen_ = true;
}

}  // namespace cli
