#include "gui/PersLibWindow.h"

#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <chrono>

#include "app/Platform.h"
#include "gui/Captions.h"
#include "gui/Fonts.h"
#include "perslib/PersLib.h"

namespace gui {

namespace {

constexpr int kFontPixels = 11;  // Tahoma 8 point
constexpr const char* kTimeHint = "ساعت : دقيقه : ثانيه";
constexpr const char* kDots = "........";
constexpr const char* kTitle = "کتابخانه PersLib: تاريخ، ساعت و اعداد فارسي";

// Every edit with its initial text; `width` 0 lets it take the room of its row.
struct EditDefinition {
  const char* name;
  const char* initial = "";
  bool readOnly = false;
  int width = 0;
  bool timeHint = false;
};

constexpr int kNarrow = 40;  // year, month, day, hour, minute and second fields
constexpr int kDate = 86;

const EditDefinition kEdits[] = {
    {"Edit1", "", true},        {"Edit2"},
    {"Edit3", "", false, kDate}, {"Edit4", "1382/12/25", false, kDate},
    {"Edit5", "", true, kNarrow}, {"Edit6", "", true, kNarrow},
    {"Edit7", "1382/2/5", false, kDate}, {"Edit8", "", true, kNarrow},
    {"Edit9", "", false, kDate}, {"Edit10", "1382/12/25", false, kDate},
    {"Edit11", "", true, kNarrow}, {"Edit12", "", true, kNarrow},
    {"Edit13", "", true, kNarrow}, {"Edit14"},
    {"Edit15"},                  {"Edit16"},
    {"Edit17"},                  {"Edit18", "83/3/3", false, kDate},
    {"Edit19", "84/4/4", false, kDate}, {"Edit20", "", false, kDate},
    {"Edit21", "83/3/3", false, kDate}, {"Edit22", "84/4/4", false, kDate},
    {"Edit23", "", false, kNarrow}, {"Edit24", "", false, kDate},
    {"Edit25", "", false, kNarrow}, {"Edit26", "سال", false, kNarrow},
    {"Edit27", "تاريخ2", false, kDate}, {"Edit28", "تاريخ1", false, kDate},
    {"Edit29", "ماه", false, kNarrow}, {"Edit30", "روز", false, kNarrow},
    {"Edit31", "Edit31", false, 56}, {"Edit32", "", false, kNarrow},
    {"Edit33", "", false, kNarrow}, {"Edit34", "", false, kNarrow},
    {"Edit35", "", false, kDate}, {"Edit36", "", false, kNarrow},
    {"Edit37", "", false, kDate, true}, {"Edit38", "", false, kDate},
    {"Edit39", "", false, kNarrow}, {"Edit40", "", false, kDate, true},
    {"Edit41", "", false, kNarrow}, {"Edit42", "", false, kNarrow},
    {"Edit43", "", false, kNarrow}, {"Edit44", "", false, 110},
    {"Edit45", "", false, kDate, true}, {"Edit46"},
    {"Edit47"},                  {"Edit48", "", false, kNarrow},
    {"Edit49", "تاريخ2", false, kDate}, {"Edit50", "تاريخ1", false, kDate},
    {"Edit51", "سال", false, kNarrow}, {"Edit52", "ماه", false, kNarrow},
    {"Edit53", "روز", false, kNarrow}, {"Edit54", "", false, 90},
};

struct LabelDefinition {
  const char* name;
  const char* initial;
  const char* boxColour = nullptr;  // the coloured boxes
};

const LabelDefinition kLabels[] = {
    {"Label1", kDots},   {"Label2", kDots},   {"Label3", "ميلادي"}, {"Label4", "شمسي"},
    {"Label5", "سال"},   {"Label6", "ماه"},   {"Label7", "روز"},    {"Label8", kDots},
    {"Label9", "", "#fff1b8"}, {"Label10", "فاصله به روز"},        {"Label11", "ساعت"},
    {"Label12", "دقيقه"}, {"Label13", "ثانيه"}, {"Label14", "", "#cfe6ff"},
    {"Label15", "PM"},   {"Label16", "ساعت"}, {"Label17", "دقيقه"}, {"Label18", "ثانيه"},
    {"Label19", "1"},    {"Label20", "2"},
};

// Key presses in the date edits: only digits and "/" are typed. `blocksEditingKeys` also
// discards Backspace and Enter, as the digit-grouping edit always has.
class DateKeyFilter : public QObject {
 public:
  DateKeyFilter(bool blocksEditingKeys, QObject* parent) : QObject(parent), blocksEditingKeys_(blocksEditingKeys) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Backspace:
      case Qt::Key_Return:
      case Qt::Key_Enter: return blocksEditingKeys_;
      case Qt::Key_Tab:
      case Qt::Key_Backtab: return false;
      default: break;
    }
    const QString typed = key->text();
    if (typed.isEmpty()) return false;  // a key that types nothing: arrows, Delete, ...
    return !QStringLiteral("1234567890/").contains(typed);
  }

 private:
  bool blocksEditingKeys_;
};

// Double-click shows the current time in the watched edit.
class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(std::function<void(QLineEdit*)> onDoubleClick, QObject* parent)
      : QObject(parent), onDoubleClick_(std::move(onDoubleClick)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) {
      if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        onDoubleClick_(edit);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(QLineEdit*)> onDoubleClick_;
};

QString fromStd(const std::string& s) { return QString::fromStdString(s); }
std::string toStd(const QString& s) { return s.toStdString(); }
QString number(int value) { return QString::number(value); }

// The count of an AddToDate field: its integer value, 0 for text that is not one.
int countOr0(const QString& text) {
  try {
    return perslib::ToInteger(toStd(text));
  } catch (const perslib::ConvertError&) {
    return 0;
  }
}

QDateTime localTime(std::chrono::system_clock::time_point now) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  return QDateTime::fromMSecsSinceEpoch(ms);
}

}  // namespace

struct PersLibWindow::ButtonAction {
  const char* name;
  const char* caption;
  void (PersLibWindow::*action)();
};

const std::vector<PersLibWindow::ButtonAction>& PersLibWindow::buttonActions() {
  static const std::vector<ButtonAction> actions = {
      {"Button1", "DigToStr", &PersLibWindow::amountInWords},
      {"Button2", "IsDateShamsi", &PersLibWindow::checkDate},
      {"Button3", "MiladiToShamsi", &PersLibWindow::showTodayShamsi},
      {"Button4", "DateToYMD", &PersLibWindow::splitDate},
      {"Button5", "CloseCDROM", &PersLibWindow::closeCdRom},
      {"Button6", "OpenCDROM", &PersLibWindow::openCdRom},
      {"Button7", "URL", &PersLibWindow::nothing},
      {"Button8", "CDROM", &PersLibWindow::showCdRomDrive},
      {"Button9", "Button9", &PersLibWindow::nothing},
      {"Button10", "AddZeroToDate", &PersLibWindow::addZeroToDate},
      {"Button11", "DateToStrYMD", &PersLibWindow::dateToStrYmd},
      {"Button12", "AddCollon", &PersLibWindow::addCollon},
      {"Button13", "AddCollonAndRial", &PersLibWindow::addCollonAndRial},
      {"Button14", "IsDateInBound", &PersLibWindow::checkDateInBound},
      {"Button15", "Dif2Y", &PersLibWindow::differenceInYears},
      {"Button16", "time to hms12", &PersLibWindow::timeToHms12},
      {"Button17", "StandardTime12H", &PersLibWindow::standardTime12},
      {"Button18", "Compare2Date", &PersLibWindow::compareDates},
      {"Button19", "AddToDate", &PersLibWindow::addToDate},
      {"Button20", "time to hms24", &PersLibWindow::timeToHms24},
      {"Button21", "DateToStr", &PersLibWindow::amountInWords},  // converts the Digit page's amount
      {"Button22", "IsTimeTrue", &PersLibWindow::timeToHms12},
      {"Button23", "StandardTime24H", &PersLibWindow::standardTime24},
      {"Button161", "compare2Time", &PersLibWindow::compareTimes},
  };
  return actions;
}

PersLibWindow::PersLibWindow(app::Platform& platform, QWidget* parent) : QWidget(parent), platform_(platform) {
  setObjectName("FPersLib");
  setWindowTitle(QString::fromUtf8(kTitle) + " - " + QString::fromUtf8(captions::kMakerPersian));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setLayoutDirection(Qt::RightToLeft);
  setFont(arabicFont(kFontPixels));
  setFixedSize(kClientWidth, kClientHeight);

  createControls();
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PageControl1");
  pages_->addTab(datePage(), "Date");
  pages_->addTab(timePage(), "Time");
  pages_->addTab(digitPage(), "Digit");
  pages_->addTab(otherPage(), "Other");
  pages_->setCurrentIndex(2);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(pages_, 1);
  layout->addWidget(row({edit("Edit46"), edit("Edit47")}));
  installKeyFilters();

  // Persian is typed here: the window asks for the right-to-left keyboard when it is created.
  platform_.requestKeyboardLayout(kKeyboardLayout);
}

void PersLibWindow::createControls() {
  for (const EditDefinition& field : kEdits) {
    auto* e = new QLineEdit(QString::fromUtf8(field.initial), this);
    e->setObjectName(field.name);
    e->setReadOnly(field.readOnly);
    if (field.width) e->setFixedWidth(field.width);
    if (field.timeHint) e->setToolTip(QString::fromUtf8(kTimeHint));
    edits_.insert(field.name, e);
  }
  for (const LabelDefinition& text : kLabels) {
    auto* l = new QLabel(QString::fromUtf8(text.initial), this);
    l->setObjectName(text.name);
    if (text.boxColour) {
      l->setMinimumSize(90, 20);
      l->setAlignment(Qt::AlignCenter);
      l->setStyleSheet(QString("background: %1; border: 1px solid #9a9a9a;").arg(text.boxColour));
    }
    labels_.insert(text.name, l);
  }
  for (const ButtonAction& button : buttonActions()) {
    auto* b = new QPushButton(QString::fromUtf8(button.caption), this);
    b->setObjectName(button.name);
    b->setMinimumWidth(104);
    connect(b, &QPushButton::clicked, this, [this, action = button.action] { act([this, action] { (this->*action)(); }); });
    buttons_.insert(button.name, b);
  }
  connect(edit("Edit2"), &QLineEdit::returnPressed, this, [this] { act([this] { amountInWordsOnEnter(); }); });
  connect(edit("Edit54"), &QLineEdit::returnPressed, this, [this] { act([this] { amountInWordsOnEnter(); }); });
}

void PersLibWindow::installKeyFilters() {
  auto* dateKeys = new DateKeyFilter(false, this);
  for (const char* name : {"Edit4", "Edit7", "Edit9", "Edit10"}) edit(name)->installEventFilter(dateKeys);
  edit("Edit14")->installEventFilter(new DateKeyFilter(true, this));
  auto* clock = new DoubleClickFilter([this](QLineEdit* e) { showCurrentTime(e); }, this);
  for (const char* name : {"Edit37", "Edit40", "Edit45"}) edit(name)->installEventFilter(clock);
}

QWidget* PersLibWindow::row(std::initializer_list<QWidget*> controls) {
  auto* widget = new QWidget;
  auto* layout = new QHBoxLayout(widget);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  for (QWidget* control : controls) layout->addWidget(control);
  layout->addStretch(1);
  return widget;
}

namespace {

QGroupBox* group(const char* name, const char* caption, std::initializer_list<QWidget*> rows) {
  auto* box = new QGroupBox(QString::fromUtf8(caption));
  box->setObjectName(name);
  auto* layout = new QVBoxLayout(box);
  layout->setSpacing(4);
  for (QWidget* r : rows) layout->addWidget(r);
  return box;
}

QWidget* page(const char* name, std::initializer_list<QWidget*> parts) {
  auto* widget = new QWidget;
  widget->setObjectName(name);
  auto* layout = new QVBoxLayout(widget);
  for (QWidget* part : parts) layout->addWidget(part);
  layout->addStretch(1);
  return widget;
}

}  // namespace

QWidget* PersLibWindow::datePage() {
  return page(
      "TabSheet1",
      {group("GroupBox1", "تبديل تاريخ شمسي به ميلادي ",
             {row({button("Button3"), label("Label4"), label("Label2"), label("Label3"), label("Label1")})}),
       group("GroupBox3", "بررسي درستي تاريخ و تجزيه تاريخ به سال - ماه - روز  (شمسي) ",
             {row({button("Button2"), edit("Edit3"), label("Label8")}),
              row({button("Button4"), edit("Edit4"), label("Label5"), edit("Edit5"), label("Label6"), edit("Edit6"),
                   label("Label7"), edit("Edit8")}),
              row({button("Button10"), edit("Edit7"), edit("Edit9")}),
              row({button("Button11"), edit("Edit10"), edit("Edit11"), edit("Edit13"), edit("Edit12")}),
              row({button("Button14"), edit("Edit18"), edit("Edit19"), edit("Edit20")}),
              row({button("Button15"), edit("Edit21"), edit("Edit22"), edit("Edit23")}),
              row({button("Button18"), edit("Edit28"), edit("Edit27"), edit("Edit26"), edit("Edit29"), edit("Edit30")}),
              row({label("Label10"), edit("Edit31")}),
              row({button("Button19"), edit("Edit50"), edit("Edit51"), edit("Edit52"), edit("Edit53"),
                   edit("Edit49")}),
              row({button("Button21")})})});
}

QWidget* PersLibWindow::timePage() {
  return page("TabSheet2",
              {group("GroupBox5", " زمان ",
                     {row({button("Button16"), edit("Edit40"), label("Label11"), edit("Edit32"), label("Label12"),
                           edit("Edit33"), label("Label13"), edit("Edit34"), label("Label15"), edit("Edit39")}),
                      row({button("Button22")}),
                      row({button("Button20"), edit("Edit45"), label("Label16"), edit("Edit41"), label("Label17"),
                           edit("Edit42"), label("Label18"), edit("Edit43")}),
                      row({button("Button17"), edit("Edit38"), edit("Edit44")}),
                      row({button("Button23")}),
                      row({button("Button161"), label("Label19"), edit("Edit24"), label("Label20"), edit("Edit35")}),
                      row({edit("Edit25"), edit("Edit36"), edit("Edit48"), label("Label9")}),
                      row({edit("Edit37")})})});
}

QWidget* PersLibWindow::digitPage() {
  return page("TabSheet3", {group("GroupBox2", "تبديل اعداد به حروف ",
                                  {row({button("Button1"), edit("Edit2"), edit("Edit54")}), edit("Edit1"),
                                   row({button("Button12"), edit("Edit14"), edit("Edit15")}),
                                   row({button("Button13"), edit("Edit16"), edit("Edit17")}),
                                   row({label("Label14")})})});
}

QWidget* PersLibWindow::otherPage() {
  return page("TabSheet4",
              {group("GroupBox4", "CD-ROM  ", {row({button("Button6"), button("Button5"), button("Button8")})}),
               row({button("Button7"), button("Button9")})});
}

void PersLibWindow::act(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    platform_.showError(e.what());
  }
}

void PersLibWindow::message(const QString& text) { platform_.showInformation(toStd(text)); }

void PersLibWindow::showTodayShamsi() {
  const QDate today = localTime(platform_.now()).date();
  const std::chrono::year_month_day date{std::chrono::year(today.year()),
                                         std::chrono::month(static_cast<unsigned>(today.month())),
                                         std::chrono::day(static_cast<unsigned>(today.day()))};
  label("Label2")->setText(fromStd(perslib::MiladiToShamsi(date)));
}

void PersLibWindow::checkDate() {
  const bool valid = perslib::IsDateShamsi(toStd(text("Edit3")), 1300, 1400) == perslib::DateCode::Valid;
  label("Label8")->setText(valid ? "درست" : "نا درست");
}

void PersLibWindow::splitDate() {
  const perslib::ParsedDate date = perslib::DateToYMD(toStd(text("Edit4")), 1300, 1400);
  if (date.code != perslib::DateCode::Valid) message(kDateFormatMessage);
  setText("Edit5", number(date.year));
  setText("Edit6", number(date.month));
  setText("Edit8", number(date.day));
}

void PersLibWindow::addZeroToDate() { setText("Edit9", fromStd(perslib::AddZeroToDate(toStd(text("Edit7"))))); }

void PersLibWindow::dateToStrYmd() {
  const perslib::DateTexts texts = perslib::DateToStrYMD(toStd(text("Edit10")), 1, 1);
  if (texts.joined.empty()) message(kDateFormatMessage);
  setText("Edit11", fromStd(texts.year));
  setText("Edit13", fromStd(texts.month));
  setText("Edit12", fromStd(texts.day));
}

void PersLibWindow::checkDateInBound() {
  const bool inBound = perslib::IsDateInBound(toStd(text("Edit18")), toStd(text("Edit19")), toStd(text("Edit20")));
  message(inBound ? "1" : "0");
}

void PersLibWindow::differenceInYears() {
  setText("Edit23", number(perslib::Dif2Y(toStd(text("Edit21")), toStd(text("Edit22")))));
}

void PersLibWindow::compareDates() {
  const perslib::DateDistance distance = perslib::Compare2Date(toStd(text("Edit28")), toStd(text("Edit27")));
  setText("Edit26", number(distance.years));
  setText("Edit29", number(distance.months));
  setText("Edit30", number(distance.days));
  setText("Edit31", number(distance.totalDays));
}

void PersLibWindow::addToDate() {
  setText("Edit49", fromStd(perslib::AddToDate(toStd(text("Edit50")), countOr0(text("Edit51")),
                                               countOr0(text("Edit52")), countOr0(text("Edit53")))));
}

void PersLibWindow::timeToHms12() {
  const perslib::Time12 time = perslib::TimeToHms12(toStd(text("Edit40")));
  if (time.code != perslib::TimeCode::Valid) message(kTimeFormatMessage);
  setText("Edit32", number(time.hour));
  setText("Edit33", number(time.minute));
  setText("Edit34", number(time.second));
  setText("Edit39", time.afterNoon ? "-1" : "0");
}

void PersLibWindow::timeToHms24() {
  const perslib::Time24 time = perslib::TimeToHms24(toStd(text("Edit45")));
  if (time.code != perslib::TimeCode::Valid) message(kTimeFormatMessage);
  setText("Edit41", number(time.hour));
  setText("Edit42", number(time.minute));
  setText("Edit43", number(time.second));
}

void PersLibWindow::standardTime12() { setText("Edit44", fromStd(perslib::StandardTime12H(toStd(text("Edit38"))))); }

void PersLibWindow::standardTime24() { setText("Edit47", fromStd(perslib::StandardTime24H(toStd(text("Edit46"))))); }

void PersLibWindow::compareTimes() {
  const perslib::TimeComparison comparison = perslib::compare2Time(toStd(text("Edit24")), toStd(text("Edit35")));
  setText("Edit25", number(comparison.hours));
  setText("Edit36", number(comparison.minutes));
  setText("Edit48", number(comparison.seconds));
  switch (comparison.order) {
    case perslib::TimeOrder::FirstLater: label("Label9")->setText("اولي بزرگتر"); break;
    case perslib::TimeOrder::SecondLater: label("Label9")->setText("دومي بزرگتر"); break;
    case perslib::TimeOrder::Equal: label("Label9")->setText("مساوي"); break;
  }
}

void PersLibWindow::amountInWords() {
  if (text("Edit2").isEmpty()) setText("Edit2", "0");
  amountInWordsOnEnter();
}

void PersLibWindow::amountInWordsOnEnter() {
  setText("Edit1", fromStd(perslib::DigToStr(perslib::Currency::parse(toStd(text("Edit2"))))));
}

void PersLibWindow::addCollon() { setText("Edit15", fromStd(perslib::AddCollon(toStd(text("Edit14"))))); }

void PersLibWindow::addCollonAndRial() {
  setText("Edit17", fromStd(perslib::AddCollonAndRial(toStd(text("Edit16")))));
}

void PersLibWindow::openCdRom() { perslib::OpenCDROM(); }
void PersLibWindow::closeCdRom() { perslib::CloseCDROM(); }
void PersLibWindow::showCdRomDrive() { message(fromStd(perslib::GetCDROMDrive())); }

void PersLibWindow::showCurrentTime(QLineEdit* target) {
  target->setText(localTime(platform_.now()).time().toString("HH:mm:ss"));
}

}  // namespace gui
