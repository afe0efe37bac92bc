#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/Outcome.h"

namespace app {
class Session;
}

namespace gui {

// The SQL console FQuery, shown modally by the main window's console button on the session's
// open main connection. Its text (Memo1) is emptied on every showing; "اجرا" (BitBtn2) executes
// the whole text through the core console, which shows the success or failure message;
// "اجرا با فايل" (BitBtn3) does nothing; "خروج" (BitBtn1) closes it. The result sets a command
// returns are shown under the text (Results, one grid a result set), the window growing to hold
// them.
class ConsoleWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 638;
  static constexpr int kClientHeight = 225;
  static constexpr int kResultsHeight = 220;

  explicit ConsoleWindow(app::Session& session, QWidget* parent = nullptr);

  app::Outcome execute();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void showResults(const db::Results& results);

  app::Session& session_;
  QPlainTextEdit* memo_;
  QTabWidget* results_;
};

}  // namespace gui
