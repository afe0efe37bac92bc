#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>

#include "app/Choices.h"
#include "app/Outcome.h"

namespace app {
class Session;
}

namespace gui {

class RadioList;

// The main window Form1: the operator's choices, the start, exit and console buttons, and
// the progress display of the session. A face over app::Session: the buttons hand the
// choices to the session and call the core's run driver and console; everything they show
// comes through the session's platform and progress display.
//
// Controls carry the names operators and support staff know them by (RadioGroup1,
// RadioButton1-3, RadioGroup2, RadioGroup3, CheckBox1, CheckWeb, Edit_Web, Check_fyc,
// CheckBox9, BitBtn2 start, BitBtn3 exit, SpeedButton1 console, Gauge1, Gauge2, LNameTable,
// LNameField) as object names. The "ابزارها" button next to the console button opens the
// assistant set-up window and the library window.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWidth = 710;
  static constexpr int kHeight = 445;

  explicit MainWindow(app::Session& session, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The choices as the controls show them, and the controls set from choices.
  app::Choices choices() const;
  void showChoices(const app::Choices& choices);

  // The windows that the console button and the tools menu open; not owned.
  void setConsoleWindow(QDialog* console) { console_ = console; }
  void setAssistantWindow(QWidget* window) { assistantWindow_ = window; }
  void setLibraryWindow(QWidget* window) { libraryWindow_ = window; }

  // The start button: an upgrade run with the choices shown.
  app::Outcome startRun();
  // The console button: resolve, connect and show the console modally.
  app::Outcome openConsole();

 signals:
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildHeader();
  RadioList* buildProductList();
  QWidget* buildChoiceRow();
  QWidget* buildOptions();
  QWidget* buildProgress();
  QWidget* buildButtons();
  QWidget* buildFooter();
  static void showWindow(QWidget* window);

  app::Session& session_;
  QDialog* console_ = nullptr;
  QWidget* assistantWindow_ = nullptr;
  QWidget* libraryWindow_ = nullptr;

  RadioList* productList_ = nullptr;
  QRadioButton* accessButton_ = nullptr;
  QRadioButton* sqlServerButton_ = nullptr;
  QRadioButton* oracleButton_ = nullptr;
  RadioList* sqlVersionList_ = nullptr;
  RadioList* oracleVersionList_ = nullptr;
  QCheckBox* convertAutonum_ = nullptr;
  QCheckBox* web_ = nullptr;
  QLineEdit* webSuffix_ = nullptr;
  QCheckBox* leanReads_ = nullptr;  // enabled with Web, checked when Web is checked
  QCheckBox* fiscalYearClosed_ = nullptr;
  QCheckBox* local_ = nullptr;
  QProgressBar* overallGauge_ = nullptr;
  QProgressBar* stepGauge_ = nullptr;
  QLabel* tableLabel_ = nullptr;
  QLabel* fieldLabel_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* exitButton_ = nullptr;
  QToolButton* consoleButton_ = nullptr;
  QToolButton* toolsButton_ = nullptr;
};

}  // namespace gui
