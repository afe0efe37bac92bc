#include <QCheckBox>
#include <QMenu>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <algorithm>

#include "app/Products.h"
#include "app/Resolution.h"
#include "app/RunDriver.h"
#include "gui/AssistantWindow.h"
#include "gui/ConsoleWindow.h"
#include "gui/GuiFixture.h"
#include "gui/MainWindow.h"
#include "gui/PersLibWindow.h"
#include "gui/QtPlatform.h"
#include "gui/RadioList.h"

namespace {

class MainWindowTest : public guitest::GuiFixture {
 protected:
  gui::MainWindow& main() { return windows->main(); }
  QPushButton* startButton() { return find<QPushButton>(main(), "BitBtn2"); }
  QPushButton* exitButton() { return find<QPushButton>(main(), "BitBtn3"); }
  QToolButton* consoleButton() { return find<QToolButton>(main(), "SpeedButton1"); }
  QProgressBar* gauge(const char* name) { return find<QProgressBar>(main(), name); }
  gui::RadioList* list(const char* name) { return find<gui::RadioList>(main(), name); }
};

TEST_F(MainWindowTest, StartsWithTheDefaultChoicesAndOnlyItselfToShow) {
  EXPECT_EQ(main().size(), QSize(710, 445));
  EXPECT_EQ(main().minimumSize(), main().maximumSize());
  EXPECT_EQ(main().layoutDirection(), Qt::RightToLeft);

  gui::RadioList* products = list("RadioGroup1");
  ASSERT_EQ(products->count(), 7);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(products->itemText(i).toStdString(), app::productAtIndex(i)->caption);
  EXPECT_EQ(products->itemText(3), "طراحي جواهرات");
  EXPECT_EQ(products->selectedIndex(), 0);

  EXPECT_EQ(find<QRadioButton>(main(), "RadioButton1")->text(), "ديتا بيس Access");
  EXPECT_EQ(find<QRadioButton>(main(), "RadioButton2")->text(), "ديتا بيس SQL Server");
  EXPECT_EQ(find<QRadioButton>(main(), "RadioButton3")->text(), "ديتابيس  Oracle");
  EXPECT_TRUE(find<QRadioButton>(main(), "RadioButton2")->isChecked());
  EXPECT_EQ(list("RadioGroup2")->itemText(0), "SQL 2000");
  EXPECT_EQ(list("RadioGroup2")->selectedIndex(), 2);
  EXPECT_EQ(list("RadioGroup3")->count(), 3);
  EXPECT_EQ(list("RadioGroup3")->selectedIndex(), std::nullopt);
  EXPECT_EQ(find<QCheckBox>(main(), "CheckBox1")->text(), "تبديل Autonum به Number معمولي");
  EXPECT_TRUE(find<QCheckBox>(main(), "CheckBox1")->isChecked());
  for (const char* unchecked : {"CheckWeb", "Check_fyc", "CheckBox9"})
    EXPECT_FALSE(find<QCheckBox>(main(), unchecked)->isChecked()) << unchecked;
  EXPECT_EQ(find<QLineEdit>(main(), "Edit_Web")->text(), "3000");
  EXPECT_TRUE(startButton()->text().startsWith("شروع عمليات ارتقاء "));
  EXPECT_TRUE(exitButton()->text().startsWith("خروج "));
  EXPECT_EQ(find<QLabel>(main(), "LVersion")->text(), "نسخه: 21.05.018");

  EXPECT_EQ(find<QLabel>(main(), "LNameTable")->text(), "نام جدول");
  EXPECT_EQ(find<QLabel>(main(), "LNameField")->text(), "نام فيلد");
  EXPECT_EQ(gauge("Gauge1")->text(), "0%");
  EXPECT_EQ(gauge("Gauge2")->text(), "0%");

  // The window hands exactly the default choices to the session.
  const app::Choices shown = main().choices(), defaults;
  EXPECT_EQ(shown.productIndex, defaults.productIndex);
  EXPECT_EQ(shown.engine, defaults.engine);
  EXPECT_EQ(shown.sqlVersionIndex, defaults.sqlVersionIndex);
  EXPECT_EQ(shown.webCatalogSuffix, defaults.webCatalogSuffix);

  EXPECT_FALSE(windows->assistant().isVisible());
  EXPECT_FALSE(windows->library().isVisible());
  EXPECT_FALSE(windows->console().isVisible());
}

TEST_F(MainWindowTest, LeanReadsAreOfferedWithTheHostedDatabaseAndOnByDefaultThere) {
  auto* web = find<QCheckBox>(main(), "CheckWeb");
  auto* lean = find<QCheckBox>(main(), "CheckLean");
  EXPECT_FALSE(lean->isEnabled());
  EXPECT_FALSE(lean->isChecked());
  EXPECT_FALSE(main().choices().readsLean());

  web->click();
  EXPECT_TRUE(lean->isEnabled());
  EXPECT_TRUE(lean->isChecked());
  EXPECT_EQ(main().choices().leanReads, true);
  lean->click();
  EXPECT_EQ(main().choices().leanReads, false);
  EXPECT_FALSE(main().choices().readsLean());

  // Choices shown again keep the operator's word.
  app::Choices hosted = main().choices();
  web->click();
  EXPECT_FALSE(lean->isEnabled());
  main().showChoices(hosted);
  EXPECT_TRUE(lean->isEnabled());
  EXPECT_FALSE(lean->isChecked());
}

TEST_F(MainWindowTest, OracleMakesTheStartAndConsoleButtonsDoNothing) {
  find<QRadioButton>(main(), "RadioButton3")->click();
  startButton()->click();
  consoleButton()->click();
  EXPECT_TRUE(recorder.entries().empty());
  EXPECT_TRUE(platform.informations.empty());
  EXPECT_TRUE(platform.errors.empty());
  EXPECT_TRUE(platform.dialogFilters.empty());
  EXPECT_FALSE(windows->console().isVisible());
}

TEST_F(MainWindowTest, AccessAsksForAnMdbFileAndACancelledDialogStopsSilently) {
  find<QRadioButton>(main(), "RadioButton1")->click();
  startButton()->click();
  EXPECT_EQ(platform.dialogFilters, std::vector<std::string>{app::kAccessFileFilter});
  EXPECT_EQ(gui::qtFileFilter(app::kAccessFileFilter), "DataBase Files (*.mdb)");
  EXPECT_TRUE(recorder.entries().empty());
  EXPECT_TRUE(platform.informations.empty());
  EXPECT_TRUE(platform.errors.empty());
}

TEST_F(MainWindowTest, EscapeAndTheExitButtonCloseTheWindow) {
  for (bool escape : {true, false}) {
    main().show();
    QApplication::setActiveWindow(&main());
    QSignalSpy closed(&main(), &gui::MainWindow::closed);
    if (escape)
      QTest::keyClick(&main(), Qt::Key_Escape);
    else
      exitButton()->click();
    EXPECT_EQ(closed.count(), 1) << (escape ? "Esc" : "exit button");
    EXPECT_FALSE(main().isVisible());
  }
}

TEST_F(MainWindowTest, ARunOnTheEmbeddedEngineEndsWithTheCompletionMessage) {
  // General accounting, chosen by its code as --product does, with the catalogs it needs.
  windows.reset();
  app::productSelectionFrom("Benvo").applyTo(session->choices, session->state);
  windows = std::make_unique<gui::UpdaterWindows>(*session);
  createCatalog("Benvo");
  createCatalog("BenvoAssistant");
  int highest = 0;
  for (const char* name : {"Gauge1", "Gauge2"})
    QObject::connect(gauge(name), &QProgressBar::valueChanged, [&highest](int v) { highest = std::max(highest, v); });

  startButton()->click();

  EXPECT_EQ(platform.informations, std::vector<std::string>{app::kCompletionMessage});
  EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
  EXPECT_EQ(session->state.productCode, "Benvo");
  EXPECT_EQ(gauge("Gauge1")->value(), 100);
  EXPECT_EQ(gauge("Gauge1")->text(), "100%");
  EXPECT_LE(highest, 100);
  EXPECT_EQ(find<QLabel>(main(), "LNameTable")->text().toStdString(), session->progress.table.text());
  EXPECT_NE(find<QLabel>(main(), "LNameTable")->text(), "نام جدول");
  EXPECT_EQ(main().focusWidget(), exitButton());
}

TEST_F(MainWindowTest, AFailedRunShowsTheErrorWithItsMessage) {
  list("RadioGroup1")->button(5)->click();  // Koltar: the instance has no such catalog
  startButton()->click();
  ASSERT_EQ(platform.errors.size(), 1u);
  EXPECT_NE(platform.errors[0].find("Koltar"), std::string::npos) << platform.errors[0];
  EXPECT_TRUE(platform.informations.empty());
  EXPECT_NE(main().focusWidget(), exitButton());
}

TEST_F(MainWindowTest, GaugesShowClampedPercentages) {
  schema::Gauge& overall = session->progress.overall;
  overall.setMaximum(3);
  overall.setProgress(1);
  EXPECT_EQ(gauge("Gauge1")->text(), "33%");
  overall.addProgress(5);
  EXPECT_EQ(gauge("Gauge1")->value(), 100);
  overall.setMaximum(0);
  EXPECT_EQ(gauge("Gauge1")->value(), 0);
  session->progress.step.setProgress(250);
  EXPECT_EQ(gauge("Gauge2")->value(), 100);
}

TEST_F(MainWindowTest, APresetCodeSelectsNoListItemAndIsRunAsItIs) {
  windows.reset();
  app::productSelectionFrom("Talvo").applyTo(session->choices, session->state);
  EXPECT_EQ(session->choices.productIndex, 3);
  app::productSelectionFrom("Benvo").applyTo(session->choices, session->state);
  windows = std::make_unique<gui::UpdaterWindows>(*session);

  EXPECT_EQ(find<gui::RadioList>(main(), "RadioGroup1")->selectedIndex(), std::nullopt);
  EXPECT_EQ(main().choices().productIndex, std::nullopt);
  startButton()->click();  // no Benvo catalog: the run fails on it, which shows the code was kept
  EXPECT_EQ(session->state.productCode, "Benvo");
  EXPECT_EQ(session->state.connectionString.find(std::string(kSqlPrefix) + "Benvo;"), 0u);
}

TEST_F(MainWindowTest, TheAssistantSetUpButtonCreatesTheAssistantCatalog) {
  gui::AssistantWindow& assistant = windows->assistant();
  find<QPushButton>(assistant, "Button1")->click();
  EXPECT_TRUE(platform.errors.empty()) << platform.errors.front();
  EXPECT_TRUE(catalogExists("BenvoAssistant"));
  EXPECT_EQ(find<QLabel>(assistant, "LNameTable")->text(), "Login");
}

TEST_F(MainWindowTest, TheToolsMenuShowsTheHiddenWindows) {
  auto* menu = find<QToolButton>(main(), "ToolsButton")->menu();
  ASSERT_NE(menu, nullptr);
  menu->findChild<QAction*>("ActionAssistant")->trigger();
  menu->findChild<QAction*>("ActionLibrary")->trigger();
  EXPECT_TRUE(windows->assistant().isVisible());
  EXPECT_TRUE(windows->library().isVisible());
}

}  // namespace
