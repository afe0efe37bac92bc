#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "gui/GuiFixture.h"
#include "gui/PersLibWindow.h"
#include "perslib/JalaliCalendar.h"

namespace {

class PersLibWindowTest : public guitest::GuiFixture {
 protected:
  gui::PersLibWindow& window() { return windows->library(); }
  QLineEdit* edit(const char* name) { return find<QLineEdit>(window(), name); }
  QString text(const char* name) { return edit(name)->text(); }
  void press(const char* name) { find<QPushButton>(window(), name)->click(); }
  void type(const char* editName, const QString& value) {
    edit(editName)->clear();
    edit(editName)->setText(value);
  }
};

TEST_F(PersLibWindowTest, IsCreatedHiddenOnTheDigitPageAndAsksForTheRightToLeftKeyboard) {
  EXPECT_EQ(platform.keyboardLayout(), "00000429");
  EXPECT_FALSE(window().isVisible());
  EXPECT_EQ(window().size(), QSize(541, 512));
  EXPECT_EQ(window().minimumSize(), window().maximumSize());
  EXPECT_EQ(window().layoutDirection(), Qt::RightToLeft);
  auto* pages = find<QTabWidget>(window(), "PageControl1");
  ASSERT_EQ(pages->count(), 4);
  EXPECT_EQ(pages->tabText(0), "Date");
  EXPECT_EQ(pages->currentIndex(), 2);
  EXPECT_EQ(pages->tabText(2), "Digit");
  EXPECT_EQ(text("Edit4"), "1382/12/25");
  EXPECT_EQ(text("Edit27"), "تاريخ2");
  EXPECT_EQ(text("Edit31"), "Edit31");
  EXPECT_TRUE(edit("Edit1")->isReadOnly());
  EXPECT_EQ(edit("Edit40")->toolTip(), "ساعت : دقيقه : ثانيه");
}

TEST_F(PersLibWindowTest, DateButtonsReportABadFormatAndStillFillTheirFields) {
  type("Edit4", "1382/13/1");
  press("Button4");
  EXPECT_EQ(platform.informations, std::vector<std::string>{"خطا در فرمت تاريخ!"});
  EXPECT_EQ(text("Edit5"), "0");
  EXPECT_EQ(text("Edit6"), "0");
  EXPECT_EQ(text("Edit8"), "0");

  type("Edit4", "82/2/5");
  press("Button4");
  EXPECT_EQ(platform.informations.size(), 1u);
  EXPECT_EQ(text("Edit5") + "/" + text("Edit6") + "/" + text("Edit8"), "1382/2/5");

  press("Button14");  // Edit20 is empty: no date, not between 83/3/3 and 84/4/4
  EXPECT_EQ(platform.informations.back(), "0");
  type("Edit20", "83/12/1");
  press("Button14");
  EXPECT_EQ(platform.informations.back(), "1");
}

TEST_F(PersLibWindowTest, AmountsInWordsAndTheConversionError) {
  type("Edit2", "");
  press("Button1");
  EXPECT_EQ(text("Edit2"), "0");
  EXPECT_EQ(text("Edit1"), "صفر");

  type("Edit2", "21");
  press("Button21");  // the Date page's DateToStr converts the Digit page's amount
  EXPECT_EQ(text("Edit1"), "بيست و يك");

  type("Edit2", "abc");
  press("Button1");
  ASSERT_EQ(platform.errors.size(), 1u);
  EXPECT_NE(platform.errors[0].find("abc"), std::string::npos);
  EXPECT_EQ(text("Edit1"), "بيست و يك");

  type("Edit2", "");  // Enter converts as it is: an empty amount is refused, not made "0"
  QTest::keyClick(edit("Edit2"), Qt::Key_Return);
  EXPECT_EQ(platform.errors.size(), 2u);
  EXPECT_EQ(text("Edit2"), "");
}

TEST_F(PersLibWindowTest, TimeButtons) {
  type("Edit40", "13:05:07");
  press("Button16");
  EXPECT_EQ(text("Edit32") + ":" + text("Edit33") + ":" + text("Edit34") + " " + text("Edit39"), "1:5:7 -1");
  type("Edit40", "25:00");
  press("Button22");
  EXPECT_EQ(platform.informations, std::vector<std::string>{"خطا در فرمت ساعت !"});

  type("Edit24", "10:00:00");
  type("Edit35", "08:30:00");
  press("Button161");
  EXPECT_EQ(find<QLabel>(window(), "Label9")->text(), "اولي بزرگتر");

  type("Edit46", "7:5");
  press("Button23");
  EXPECT_EQ(text("Edit47"), "07:05:00");
}

TEST_F(PersLibWindowTest, DateEditsTakeOnlyDigitsAndSlashes) {
  type("Edit4", "");
  QTest::keyClicks(edit("Edit4"), "13a8/x2");
  EXPECT_EQ(text("Edit4"), "138/2");
  QTest::keyClick(edit("Edit4"), Qt::Key_Backspace);
  EXPECT_EQ(text("Edit4"), "138/");

  type("Edit14", "");
  QTest::keyClicks(edit("Edit14"), "12,5");
  QTest::keyClick(edit("Edit14"), Qt::Key_Backspace);  // the grouping edit refuses Backspace too
  EXPECT_EQ(text("Edit14"), "125");
}

TEST_F(PersLibWindowTest, TodayIsShownInTheJalaliCalendar) {
  press("Button3");
  EXPECT_EQ(find<QLabel>(window(), "Label2")->text().toStdString(), perslib::MiladiToShamsi());
}

}  // namespace
