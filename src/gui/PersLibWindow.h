#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <vector>

namespace app {
class Platform;
}

namespace gui {

// FPersLib, the demonstration window of the Persian calendar and number-words library: four
// pages (Date, Time, Digit, Other; Digit active at start) whose buttons each call one library
// operation on the texts of the edits and show the result. Controls carry their historical
// names (Edit1-Edit54, Button1-Button23, Button161, Label1-Label20) as object names.
// Messages go through the platform; creating the window asks for the right-to-left keyboard
// layout. Created hidden at start-up; the main window's tools menu shows it.
class PersLibWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kKeyboardLayout = "00000429";
  static constexpr const char* kDateFormatMessage = "خطا در فرمت تاريخ!";
  static constexpr const char* kTimeFormatMessage = "خطا در فرمت ساعت !";
  static constexpr int kClientWidth = 541;
  static constexpr int kClientHeight = 512;

  explicit PersLibWindow(app::Platform& platform, QWidget* parent = nullptr);

 private:
  struct ButtonAction;
  static const std::vector<ButtonAction>& buttonActions();

  QLineEdit* edit(const char* name) const { return edits_.value(name); }
  QLabel* label(const char* name) const { return labels_.value(name); }
  QPushButton* button(const char* name) const { return buttons_.value(name); }
  QString text(const char* editName) const { return edit(editName)->text(); }
  void setText(const char* editName, const QString& value) { edit(editName)->setText(value); }

  void createControls();
  QWidget* datePage();
  QWidget* timePage();
  QWidget* digitPage();
  QWidget* otherPage();
  // A row of a page: the button, then the controls it reads and writes.
  QWidget* row(std::initializer_list<QWidget*> controls);
  void installKeyFilters();

  // Runs an action; a text the library cannot read as a number is shown in the error dialog.
  void act(const std::function<void()>& action);
  void message(const QString& text);

  void showTodayShamsi();
  void checkDate();
  void splitDate();
  void addZeroToDate();
  void dateToStrYmd();
  void checkDateInBound();
  void differenceInYears();
  void compareDates();
  void addToDate();
  void timeToHms12();
  void timeToHms24();
  void standardTime12();
  void standardTime24();
  void compareTimes();
  void amountInWords();
  void amountInWordsOnEnter();
  void addCollon();
  void addCollonAndRial();
  void openCdRom();
  void closeCdRom();
  void showCdRomDrive();
  void nothing() {}
  void showCurrentTime(QLineEdit* edit);

  app::Platform& platform_;
  QTabWidget* pages_ = nullptr;
  QMap<QString, QLineEdit*> edits_;
  QMap<QString, QLabel*> labels_;
  QMap<QString, QPushButton*> buttons_;
};

}  // namespace gui
