#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

#include "app/CommandLineChoices.h"
#include "app/Config.h"

namespace app {
class Session;
}

namespace gui {

class AssistantWindow;
class ConsoleWindow;
class MainWindow;
class PersLibWindow;

// The updater's four windows, created in start-up order: the main window Form1, the assistant
// window FAssistant and the library window FPersLib (both hidden until the tools menu shows
// them), and the console FQuery, which the console button shows modally.
class UpdaterWindows {
 public:
  explicit UpdaterWindows(app::Session& session);
  ~UpdaterWindows();

  MainWindow& main() { return *form1_; }
  AssistantWindow& assistant() { return *fAssistant_; }
  PersLibWindow& library() { return *fPersLib_; }
  ConsoleWindow& console() { return *fQuery_; }

 private:
  std::unique_ptr<MainWindow> form1_;
  std::unique_ptr<AssistantWindow> fAssistant_;
  std::unique_ptr<PersLibWindow> fPersLib_;
  ConsoleWindow* fQuery_;  // a dialog of the main window, deleted with it
};

// What morav-updater is started with:
//   --product CODE|INDEX   the product selected at start; codes the list does not offer
//                          (Benvo, Vedizi2) are preset with no list item selected
//   --backend embedded|odbc, --data-dir DIR, --odbc-driver NAME   as for morav-update
//   --create-database      create a missing target catalog before connecting, as for
//                          morav-update (for demonstrations on a fresh instance)
//   --screenshot FILE      render the main window to a PNG file and exit
struct StartOptions : app::StartChoices {
  std::optional<QString> screenshot;
};

// Parses the arguments after the program name (Qt's own options already removed). Throws
// std::invalid_argument with a message for the operator.
StartOptions parseStartOptions(const QStringList& arguments);
QString startUsageText();

// Renders the window as it would be shown, without showing it, into a PNG file.
bool saveScreenshot(QWidget& window, const QString& file);

}  // namespace gui
