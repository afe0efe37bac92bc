#pragma once

#include <QString>

#include <string_view>

#include "app/PosixPlatform.h"

namespace gui {

// The platform of the desktop window: the system half from PosixPlatform, the open-file
// dialog and the message boxes from Qt, parented to the window that is active. A keyboard
// layout request is kept as state only: a Linux desktop chooses its layouts itself.
class QtPlatform : public app::PosixPlatform {
 public:
  std::optional<std::filesystem::path> chooseFileToOpen(const std::string& filter) override;
  void showInformation(const std::string& message) override;
  void showError(const std::string& message) override;
};

// A filter in the "Description|*.ext|..." form as Qt writes it: "Description (*.ext);;...".
QString qtFileFilter(std::string_view filter);

// A message for a message box: carriage returns that separate its lines become line feeds.
QString messageText(const std::string& message);

}  // namespace gui
