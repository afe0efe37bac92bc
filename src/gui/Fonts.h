#pragma once

#include <QFont>

namespace gui {

// The interface font: Tahoma when it is installed, otherwise a font with Arabic script from
// the distribution (DejaVu Sans, from fonts-dejavu-core).
QFont arabicFont(int pixelSize);

}  // namespace gui
