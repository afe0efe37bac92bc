// morav-updater: the desktop window of the updater. It creates the session on the configured
// backend, then the four windows, and runs the event loop until the main window is closed.

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <cstdlib>
#include <string_view>
#include <iostream>

#include "app/Session.h"
#include "db/Error.h"
#include "gui/Captions.h"
#include "gui/Fonts.h"
#include "gui/MainWindow.h"
#include "gui/QtPlatform.h"
#include "gui/UpdaterWindows.h"

namespace {

enum ExitStatus { kDone = 0, kFailed = 1, kBadUsage = 2 };

// Whether an argument is `option` itself or `option=VALUE`.
bool hasOption(int argc, char** argv, std::string_view option) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == option || (arg.starts_with(option) && arg.size() > option.size() && arg[option.size()] == '='))
      return true;
  }
  return false;
}

void centre(QWidget& window) {
  if (const QScreen* screen = window.screen())
    window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace

int main(int argc, char** argv) {
  // Neither the help nor a screenshot needs a display.
  if (hasOption(argc, argv, "--help") || hasOption(argc, argv, "-h")) {
    std::cout << gui::startUsageText().toStdString();
    return kDone;
  }
  if (hasOption(argc, argv, "--version")) {
    std::cout << "morav-updater " MORAV_VERSION "\n";
    return kDone;
  }
  if (hasOption(argc, argv, "--screenshot") && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  QApplication::setApplicationDisplayName(QString::fromUtf8(gui::captions::kApplicationTitle));
  QApplication::setLayoutDirection(Qt::RightToLeft);
  QApplication::setFont(gui::arabicFont(13));

  gui::StartOptions options;
  try {
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    options = gui::parseStartOptions(arguments);
  } catch (const std::invalid_argument& e) {
    std::cerr << "morav-updater: " << e.what() << "\nTry 'morav-updater --help'.\n";
    return kBadUsage;
  }

  gui::QtPlatform platform;
  app::Config config;
  try {
    config = app::Config::load(platform.executableDirectory(), options.backend);
  } catch (const db::Error& e) {
    std::cerr << "morav-updater: " << e.message() << '\n';
    if (!options.screenshot) platform.showError(e.message());
    return kFailed;
  }
  std::cerr << "morav-updater: using the " << config.backend.describe() << '\n';

  app::Session session(platform, config);
  if (options.product) options.product->applyTo(session.choices, session.state);
  session.createMissingCatalog = options.createDatabase;
  gui::UpdaterWindows windows(session);
  gui::MainWindow& mainWindow = windows.main();

  if (options.screenshot) {
    if (gui::saveScreenshot(mainWindow, *options.screenshot)) return kDone;
    std::cerr << "morav-updater: cannot write " << options.screenshot->toStdString() << '\n';
    return kFailed;
  }
  QObject::connect(&mainWindow, &gui::MainWindow::closed, &application, &QApplication::quit);
  centre(mainWindow);
  mainWindow.show();
  return QApplication::exec();
}
