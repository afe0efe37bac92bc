#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/Outcome.h"

namespace app {
class Session;
}

namespace gui {

// The SQL console FQuery, shown modally by the main window's console button on the session's
// open main connection. Its text (Memo1) is emptied on every showing; "اجرا" (BitBtn2) executes
// the whole text through the core console, which shows the success or failure message;
// "اجرا با فايل" (BitBtn3) does nothing; "خروج" (BitBtn1) closes it.
class ConsoleWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 638;
  static constexpr int kClientHeight = 225;

  explicit ConsoleWindow(app::Session& session, QWidget* parent = nullptr);

  app::Outcome execute();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  app::Session& session_;
  QPlainTextEdit* memo_;
};

}  // namespace gui
