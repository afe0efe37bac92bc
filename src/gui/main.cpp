// morav-updater: the desktop window of the updater. It creates the session on the configured
// backend, then the four windows, and runs the event loop until the main window is closed.

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <cstdlib>
#include <cstring>
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

// A screenshot needs no display: unless a platform is chosen, it is rendered offscreen.
void renderOffscreenForScreenshot(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], "--screenshot", 12) == 0 && !std::getenv("QT_QPA_PLATFORM"))
      setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

void centre(QWidget& window) {
  if (const QScreen* screen = window.screen())
    window.move(screen->availableGeometry().center() - window.rect().center());
}

}  // namespace

int main(int argc, char** argv) {
  renderOffscreenForScreenshot(argc, argv);
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
    std::cerr << "morav-updater: " << e.what() << "\n" << gui::startUsageText().toStdString();
    return kBadUsage;
  }
  if (options.help) {
    std::cout << gui::startUsageText().toStdString();
    return kDone;
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
