#include "gui/MainWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/Console.h"
#include "app/Products.h"
#include "app/RunDriver.h"
#include "app/Session.h"
#include "gui/Captions.h"
#include "gui/Fonts.h"
#include "gui/Icons.h"
#include "gui/ProductPictures.h"
#include "gui/ProgressViews.h"
#include "gui/RadioList.h"

namespace gui {

namespace {

constexpr int kFontPixels = 13;
constexpr int kPictureSize = 36;
constexpr int kProductColumns = 7;

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

template <size_t N>
QStringList texts(const char* const (&items)[N]) {
  QStringList list;
  for (const char* item : items) list << text(item);
  return list;
}

QLabel* smallLabel(const QString& content, QWidget* parent, int pixels, const char* colour) {
  auto* label = new QLabel(content, parent);
  QFont font = label->font();
  font.setPixelSize(pixels);
  label->setFont(font);
  label->setStyleSheet(QString("color: %1;").arg(colour));
  return label;
}

}  // namespace

MainWindow::MainWindow(app::Session& session, QWidget* parent) : QWidget(parent), session_(session) {
  setObjectName("Form1");
  setWindowTitle(text(captions::kMainTitlePersian) + " - " + text(captions::kMainTitleEnglish));
  setLayoutDirection(Qt::RightToLeft);
  setFont(arabicFont(kFontPixels));
  setFixedSize(kWidth, kHeight);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 6, 10, 4);
  layout->setSpacing(5);
  layout->addWidget(buildHeader());
  layout->addWidget(buildProductList());
  layout->addWidget(buildChoiceRow());
  layout->addWidget(buildOptions());
  layout->addWidget(buildProgress());
  layout->addWidget(buildButtons());
  layout->addStretch(1);
  layout->addWidget(buildFooter());

  // Action1: Esc anywhere on the window closes it, like the exit button.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setObjectName("Action1");
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  showChoices(session_.choices);
  showGauge(session_.progress.overall, *overallGauge_);
  showGauge(session_.progress.step, *stepGauge_);
  showLabel(session_.progress.table, *tableLabel_);
  showLabel(session_.progress.field, *fieldLabel_);
}

MainWindow::~MainWindow() {
  unbind(session_.progress.overall);
  unbind(session_.progress.step);
  unbind(session_.progress.table);
  unbind(session_.progress.field);
}

QWidget* MainWindow::buildHeader() {
  auto* header = new QWidget(this);
  auto* row = new QHBoxLayout(header);
  row->setContentsMargins(0, 0, 0, 0);
  auto* titles = new QVBoxLayout;
  titles->setSpacing(0);
  auto* persian = new QLabel(text(captions::kMainTitlePersian), header);
  QFont bold = persian->font();
  bold.setPixelSize(16);
  bold.setBold(true);
  persian->setFont(bold);
  persian->setStyleSheet("color: #1f4e79;");
  persian->setToolTip(text(captions::kMainTitleEnglish));
  titles->addWidget(persian);
  row->addLayout(titles);
  row->addStretch(1);
  auto* version = new QLabel(text(captions::kVersionPrefix) + text(captions::kVersion), header);
  version->setObjectName("LVersion");
  version->setToolTip(QString::fromStdString("Database: " + session_.config().backend.describe()));
  row->addWidget(version, 0, Qt::AlignBottom);
  return header;
}

RadioList* MainWindow::buildProductList() {
  QStringList names;
  std::vector<QWidget*> pictures;
  for (int index = 0;; ++index) {
    const app::Product* product = app::productAtIndex(index);
    if (!product) break;
    names << QString::fromUtf8(product->caption.data(), static_cast<qsizetype>(product->caption.size()));
    auto* picture = new QLabel(this);
    picture->setPixmap(productPicture(product->code, kPictureSize));
    picture->setToolTip(productHint(product->code));
    pictures.push_back(picture);
  }
  productList_ = new RadioList(text(captions::kProductList), names, kProductColumns, this);
  productList_->setObjectName("RadioGroup1");
  productList_->setColumnHeads(pictures);
  // Seven names in seven columns: a smaller letter, and names broken into lines at blanks.
  for (int i = 0; i < productList_->count(); ++i) {
    productList_->button(i)->setFont(arabicFont(kFontPixels - 1));
    productList_->button(i)->setStyleSheet("QRadioButton { spacing: 3px; }");
  }
  productList_->wrapItems((kWidth - 40) / kProductColumns - 18);
  return productList_;
}

QWidget* MainWindow::buildChoiceRow() {
  auto* rowWidget = new QWidget(this);
  auto* row = new QHBoxLayout(rowWidget);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(6);

  auto* engines = new QGroupBox(text(captions::kEngineGroup), rowWidget);
  engines->setObjectName("GroupEngine");
  auto* engineColumn = new QVBoxLayout(engines);
  engineColumn->setSpacing(2);
  auto* engineGroup = new QButtonGroup(engines);
  auto engineButton = [&](const char* name, const char* caption) {
    auto* button = new QRadioButton(text(caption), engines);
    button->setObjectName(name);
    engineGroup->addButton(button);
    engineColumn->addWidget(button);
    return button;
  };
  accessButton_ = engineButton("RadioButton1", captions::kEngineAccess);
  sqlServerButton_ = engineButton("RadioButton2", captions::kEngineSqlServer);
  oracleButton_ = engineButton("RadioButton3", captions::kEngineOracle);
  row->addWidget(engines, 0);

  auto* versions = new QVBoxLayout;
  versions->setSpacing(4);
  sqlVersionList_ = new RadioList(text(captions::kSqlVersionList), texts(captions::kSqlVersions), 4, rowWidget);
  sqlVersionList_->setObjectName("RadioGroup2");
  oracleVersionList_ =
      new RadioList(text(captions::kOracleVersionList), texts(captions::kOracleVersions), 3, rowWidget);
  oracleVersionList_->setObjectName("RadioGroup3");
  versions->addWidget(sqlVersionList_);
  versions->addWidget(oracleVersionList_);
  row->addLayout(versions, 1);
  return rowWidget;
}

QWidget* MainWindow::buildOptions() {
  auto* rowWidget = new QWidget(this);
  auto* row = new QHBoxLayout(rowWidget);
  row->setContentsMargins(4, 0, 4, 0);
  row->setSpacing(8);
  auto checkBox = [&](const char* name, const char* caption) {
    auto* box = new QCheckBox(text(caption), rowWidget);
    box->setObjectName(name);
    return box;
  };
  convertAutonum_ = checkBox("CheckBox1", captions::kConvertAutonum);
  web_ = checkBox("CheckWeb", captions::kWeb);
  webSuffix_ = new QLineEdit(rowWidget);
  webSuffix_->setObjectName("Edit_Web");
  webSuffix_->setFixedWidth(64);
  leanReads_ = checkBox("CheckLean", captions::kLeanReads);
  leanReads_->setEnabled(false);
  // Over the internet every catalog read is a round trip: the hosted database reads lean
  // unless the operator says otherwise. The statements sent are the same.
  connect(web_, &QCheckBox::toggled, this, [this](bool on) {
    leanReads_->setEnabled(on);
    leanReads_->setChecked(on);
  });
  fiscalYearClosed_ = checkBox("Check_fyc", captions::kFiscalYearClosed);
  local_ = checkBox("CheckBox9", captions::kLocal);
  row->addWidget(convertAutonum_);
  row->addSpacing(16);
  row->addWidget(web_);
  row->addWidget(webSuffix_);
  row->addWidget(leanReads_);
  row->addSpacing(16);
  row->addWidget(fiscalYearClosed_);
  row->addSpacing(16);
  row->addWidget(local_);
  row->addStretch(1);
  return rowWidget;
}

QWidget* MainWindow::buildProgress() {
  auto* box = new QGroupBox(text(captions::kProgressGroup), this);
  auto* grid = new QGridLayout(box);
  grid->setVerticalSpacing(3);
  auto gauge = [&](const char* name) {
    auto* bar = new QProgressBar(box);
    bar->setObjectName(name);
    bar->setFixedHeight(18);
    bar->setAlignment(Qt::AlignCenter);
    return bar;
  };
  auto label = [&](const char* name) {
    auto* view = new QLabel(box);
    view->setObjectName(name);
    view->setFixedWidth(200);
    view->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);
    view->setStyleSheet("color: #1f4e79;");
    return view;
  };
  tableLabel_ = label("LNameTable");
  fieldLabel_ = label("LNameField");
  overallGauge_ = gauge("Gauge1");
  stepGauge_ = gauge("Gauge2");
  grid->addWidget(tableLabel_, 0, 0);
  grid->addWidget(overallGauge_, 0, 1);
  grid->addWidget(fieldLabel_, 1, 0);
  grid->addWidget(stepGauge_, 1, 1);
  return box;
}

QWidget* MainWindow::buildButtons() {
  auto* rowWidget = new QWidget(this);
  auto* row = new QHBoxLayout(rowWidget);
  row->setContentsMargins(0, 0, 0, 0);

  startButton_ = new QPushButton(startIcon(), text(captions::kStart), rowWidget);
  startButton_->setObjectName("BitBtn2");
  startButton_->setMinimumHeight(30);
  connect(startButton_, &QPushButton::clicked, this, [this] { startRun(); });
  row->addWidget(startButton_);

  consoleButton_ = new QToolButton(rowWidget);
  consoleButton_->setObjectName("SpeedButton1");
  consoleButton_->setIcon(consoleIcon());
  consoleButton_->setIconSize(QSize(22, 22));
  consoleButton_->setFixedSize(32, 30);
  consoleButton_->setToolTip(text(captions::kConsoleButtonHint));
  connect(consoleButton_, &QToolButton::clicked, this, [this] { openConsole(); });
  row->addWidget(consoleButton_);

  toolsButton_ = new QToolButton(rowWidget);
  toolsButton_->setObjectName("ToolsButton");
  toolsButton_->setText(text(captions::kTools));
  toolsButton_->setFixedHeight(30);
  toolsButton_->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(toolsButton_);
  QAction* assistant = menu->addAction(text(captions::kToolsAssistant));
  assistant->setObjectName("ActionAssistant");
  connect(assistant, &QAction::triggered, this, [this] { showWindow(assistantWindow_); });
  QAction* library = menu->addAction(text(captions::kToolsLibrary));
  library->setObjectName("ActionLibrary");
  connect(library, &QAction::triggered, this, [this] { showWindow(libraryWindow_); });
  toolsButton_->setMenu(menu);
  row->addWidget(toolsButton_);

  row->addStretch(1);
  exitButton_ = new QPushButton(exitIcon(), text(captions::kExit), rowWidget);
  exitButton_->setObjectName("BitBtn3");
  exitButton_->setMinimumHeight(30);
  connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
  row->addWidget(exitButton_);
  return rowWidget;
}

QWidget* MainWindow::buildFooter() {
  auto* footer = new QFrame(this);
  footer->setFrameShape(QFrame::NoFrame);
  auto* column = new QVBoxLayout(footer);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  auto* line = new QFrame(footer);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  column->addWidget(line);
  const QString separator = "   |   ";
  auto* content = smallLabel(text(captions::kMakerPersian) + separator + text(captions::kWebAddress) + separator +
                                 text(captions::kSalesPhone) + separator + text(captions::kSupportPhone),
                             footer, 11, "#555555");
  content->setObjectName("LFooter");
  content->setAlignment(Qt::AlignCenter);
  column->addWidget(content);
  return footer;
}

app::Choices MainWindow::choices() const {
  app::Choices c;
  c.productIndex = productList_->selectedIndex();
  c.engine = accessButton_->isChecked()   ? app::Engine::Access
             : oracleButton_->isChecked() ? app::Engine::Oracle
                                          : app::Engine::SqlServer;
  c.sqlVersionIndex = sqlVersionList_->selectedIndex();
  c.oracleVersionIndex = oracleVersionList_->selectedIndex();
  c.convertAutonum = convertAutonum_->isChecked();
  c.web = web_->isChecked();
  c.webCatalogSuffix = webSuffix_->text().toStdString();
  if (c.web) c.leanReads = leanReads_->isChecked();
  c.fiscalYearClosed = fiscalYearClosed_->isChecked();
  c.local = local_->isChecked();
  return c;
}

void MainWindow::showChoices(const app::Choices& c) {
  productList_->setSelectedIndex(c.productIndex);
  accessButton_->setChecked(c.engine == app::Engine::Access);
  sqlServerButton_->setChecked(c.engine == app::Engine::SqlServer);
  oracleButton_->setChecked(c.engine == app::Engine::Oracle);
  sqlVersionList_->setSelectedIndex(c.sqlVersionIndex);
  oracleVersionList_->setSelectedIndex(c.oracleVersionIndex);
  convertAutonum_->setChecked(c.convertAutonum);
  web_->setChecked(c.web);
  webSuffix_->setText(QString::fromStdString(c.webCatalogSuffix));
  leanReads_->setEnabled(c.web);
  leanReads_->setChecked(c.web && c.readsLean());
  fiscalYearClosed_->setChecked(c.fiscalYearClosed);
  local_->setChecked(c.local);
}

app::Outcome MainWindow::startRun() {
  session_.choices = choices();
  // The run holds the GUI thread: no input is processed until it returns, and only the
  // progress display repaints (its views repaint themselves).
  const app::Outcome outcome = app::runUpgrade(session_);
  if (session_.exitButtonFocused) exitButton_->setFocus();
  return outcome;
}

app::Outcome MainWindow::openConsole() {
  session_.choices = choices();
  app::Outcome outcome = app::openConsole(session_);
  if (outcome.status == app::Outcome::Status::Completed && console_) console_->exec();
  return outcome;
}

void MainWindow::showWindow(QWidget* window) {
  if (!window) return;
  window->show();
  window->raise();
  window->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace gui
