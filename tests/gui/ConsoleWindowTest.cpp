#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include "app/Console.h"
#include "gui/ConsoleWindow.h"
#include "gui/GuiFixture.h"
#include "gui/MainWindow.h"

namespace {

class ConsoleWindowTest : public guitest::GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    createCatalog("Zedidover");
  }

  // Presses the console button and, once the console is up, does `whileShown` in it; returns
  // when the console has been closed.
  void withConsole(const std::function<void()>& whileShown) {
    QTimer::singleShot(0, [&] {
      whileShown();
      console().close();
    });
    find<QToolButton>(windows->main(), "SpeedButton1")->click();
  }

  gui::ConsoleWindow& console() { return windows->console(); }
  QPlainTextEdit* memo() { return find<QPlainTextEdit>(console(), "Memo1"); }
  void press(const char* name) { find<QPushButton>(console(), name)->click(); }
  std::vector<std::string> consoleStatements() const {
    std::vector<std::string> texts;
    for (const auto& e : recorder.entries())
      if (e.call.connection == "console") texts.push_back(e.call.text);
    return texts;
  }
};

TEST_F(ConsoleWindowTest, ShowsModallyOnTheTargetWithAnEmptyTextAndTheUsKeyboard) {
  EXPECT_EQ(console().windowTitle(), "اجراي دستورات");
  EXPECT_EQ(console().size(), QSize(638, 225));
  for (int showing = 0; showing < 2; ++showing)
    withConsole([&] {
      EXPECT_TRUE(console().isVisible());
      EXPECT_TRUE(console().isModal());
      EXPECT_TRUE(memo()->toPlainText().isEmpty()) << "showing " << showing;
      EXPECT_EQ(platform.keyboardLayout(), app::kConsoleKeyboardLayout);
      memo()->setPlainText("left over");
    });
  EXPECT_TRUE(session->mainConnection().isOpen());
}

TEST_F(ConsoleWindowTest, ExecutesTheWholeTextAndReportsSuccessOrTheErrorClass) {
  withConsole([&] {
    memo()->setPlainText("create table T1 (a int)\ninsert into T1 (a) values (1)");
    press("BitBtn2");
    EXPECT_EQ(consoleStatements(),
              std::vector<std::string>{"create table T1 (a int)\r\ninsert into T1 (a) values (1)"});
    ASSERT_EQ(platform.informations.size(), 1u);
    EXPECT_EQ(platform.informations[0], app::kConsoleSuccessMessage);

    memo()->setPlainText("select * from NoSuchTable");
    press("BitBtn2");
    ASSERT_EQ(platform.informations.size(), 2u);
    EXPECT_EQ(platform.informations[1].rfind("Error class: EOleException\rError message: ", 0), 0u)
        << platform.informations[1];
    EXPECT_TRUE(console().isVisible());
    EXPECT_EQ(memo()->toPlainText(), "select * from NoSuchTable");

    const size_t calls = recorder.entries().size();
    press("BitBtn3");  // "اجرا با فايل" does nothing
    EXPECT_EQ(recorder.entries().size(), calls);
    EXPECT_EQ(platform.informations.size(), 2u);

    press("BitBtn1");
    EXPECT_FALSE(console().isVisible());
  });
  EXPECT_TRUE(platform.errors.empty());
}

TEST_F(ConsoleWindowTest, ShowsTheResultSetsOfACommandInGridsUnderTheText) {
  withConsole([&] {
    memo()->setPlainText(
        "create table P (CK int, NK nvarchar(20))\ninsert into P values (1, N'مرکزی')\n"
        "insert into P values (2, NULL)\nselect CK, NK from P order by CK\nselect count(*) AS n from P");
    press("BitBtn2");
    EXPECT_EQ(platform.informations.back(), app::kConsoleSuccessMessage);
    auto* results = find<QTabWidget>(console(), "Results");
    ASSERT_TRUE(results->isVisible());
    ASSERT_EQ(results->count(), 2);
    auto* grid = find<QTableWidget>(console(), "Grid1");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "NK");
    EXPECT_EQ(grid->item(0, 1)->text(), QString::fromUtf8("مرکزی"));
    EXPECT_EQ(grid->item(1, 1)->text(), "NULL");
    EXPECT_EQ(find<QTableWidget>(console(), "Grid2")->item(0, 0)->text(), "2");
    EXPECT_GT(console().height(), gui::ConsoleWindow::kClientHeight);

    memo()->setPlainText("drop table P");
    press("BitBtn2");
    EXPECT_FALSE(results->isVisible());
    EXPECT_EQ(console().height(), gui::ConsoleWindow::kClientHeight);
  });
}

}  // namespace
