#include "gui/UpdaterWindows.h"

#include <stdexcept>

#include "app/Session.h"
#include "gui/AssistantWindow.h"
#include "gui/ConsoleWindow.h"
#include "gui/MainWindow.h"
#include "gui/PersLibWindow.h"

namespace gui {

UpdaterWindows::UpdaterWindows(app::Session& session)
    : form1_(std::make_unique<MainWindow>(session)),
      fAssistant_(std::make_unique<AssistantWindow>(session)),
      fPersLib_(std::make_unique<PersLibWindow>(session.platform())),
      fQuery_(new ConsoleWindow(session, form1_.get())) {
  form1_->setConsoleWindow(fQuery_);
  form1_->setAssistantWindow(fAssistant_.get());
  form1_->setLibraryWindow(fPersLib_.get());
}

UpdaterWindows::~UpdaterWindows() = default;

StartOptions parseStartOptions(const QStringList& arguments) {
  std::vector<std::string> texts;
  for (const QString& argument : arguments) texts.push_back(argument.toStdString());
  app::ArgumentReader reader(std::vector<std::string_view>(texts.begin(), texts.end()));
  StartOptions options;
  while (!reader.done()) {
    const std::string_view option = reader.take();
    if (app::takeStartChoice(option, reader, options)) continue;
    if (option == "--screenshot")
      options.screenshot = QString::fromStdString(reader.value(option));
    else
      throw std::invalid_argument("unknown argument " + std::string(option));
  }
  return options;
}

QString startUsageText() {
  return "Usage: morav-updater [OPTIONS]\n"
         "\n"
         "The desktop window of the Morav database updater.\n"
         "\n"
         "  --product CODE|INDEX   product selected at start (codes the list does not offer,\n"
         "                         Benvo and Vedizi2, are accepted)\n"
         "  --backend embedded|odbc\n"
         "  --data-dir DIR         the embedded engine's data directory\n"
         "  --odbc-driver NAME     the ODBC driver for SQL Server targets\n"
         "  --create-database      create the target catalog (or Access file) when it is missing\n"
         "  --screenshot FILE      render the main window to a PNG file and exit\n"
         "  --version              print the version and exit\n";
}

bool saveScreenshot(QWidget& window, const QString& file) {
  window.ensurePolished();
  return window.grab().save(file, "PNG");
}

}  // namespace gui
