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
  StartOptions options;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    QString option = arguments[i];
    std::optional<QString> inlineValue;
    if (const qsizetype eq = option.indexOf('='); option.startsWith("--") && eq > 0) {
      inlineValue = option.mid(eq + 1);
      option.truncate(eq);
    }
    auto value = [&]() -> std::string {
      if (inlineValue) return inlineValue->toStdString();
      if (++i >= arguments.size()) throw std::invalid_argument(option.toStdString() + " needs a value");
      return arguments[i].toStdString();
    };
    auto flag = [&] {
      if (inlineValue) throw std::invalid_argument(option.toStdString() + " takes no value");
      return true;
    };
    if (option == "--product") options.product = app::productSelectionFrom(value());
    else if (option == "--backend") options.backend.kind = app::backendKindNamed(value());
    else if (option == "--data-dir") options.backend.dataDir = value();
    else if (option == "--odbc-driver") options.backend.odbcDriver = value();
    else if (option == "--create-database") options.createDatabase = flag();
    else if (option == "--screenshot") options.screenshot = QString::fromStdString(value());
    else throw std::invalid_argument("unknown argument " + option.toStdString());
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
         "  --screenshot FILE      render the main window to a PNG file and exit\n";
}

bool saveScreenshot(QWidget& window, const QString& file) {
  window.ensurePolished();
  return window.grab().save(file, "PNG");
}

}  // namespace gui
