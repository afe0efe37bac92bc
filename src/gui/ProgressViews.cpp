#include "gui/ProgressViews.h"

namespace gui {

void showGauge(schema::Gauge& gauge, QProgressBar& bar) {
  // A gauge fills from left to right in a right-to-left window too (and the styles lose the
  // percentage of a bar that fills the other way).
  bar.setLayoutDirection(Qt::LeftToRight);
  bar.setRange(0, 100);
  bar.setFormat("%p%");
  bar.setValue(gauge.percent());
  gauge.onRepaint([&bar](int percent) {
    bar.setValue(percent);
    bar.repaint();
  });
}

void showLabel(schema::Label& label, QLabel& view) {
  view.setText(QString::fromStdString(label.text()));
  label.onRepaint([&view](const std::string& text) {
    view.setText(QString::fromStdString(text));
    view.repaint();
  });
}

void unbind(schema::Gauge& gauge) { gauge.onRepaint({}); }
void unbind(schema::Label& label) { label.onRepaint({}); }

}  // namespace gui
