#pragma once

#include <QIcon>

namespace gui {

// Small icons drawn for the main window's buttons.
QIcon consoleIcon();  // a terminal screen with a prompt
QIcon startIcon();    // a green arrow into a cylinder (the database)
QIcon exitIcon();     // a red cross

}  // namespace gui
