#pragma once

#include <QLabel>
#include <QProgressBar>

#include "schema/Gauge.h"
#include "schema/Label.h"

namespace gui {

// The progress display on the screen. A gauge shows its whole percentage and is repainted at
// once, while a run holds the GUI thread, when that percentage changes; a label is repainted
// whenever its text is set. unbind() detaches the view before the widget goes away.
void showGauge(schema::Gauge& gauge, QProgressBar& bar);
void showLabel(schema::Label& label, QLabel& view);
void unbind(schema::Gauge& gauge);
void unbind(schema::Label& label);

}  // namespace gui
