#include <gtest/gtest.h>

#include "app/Console.h"
#include "app/SessionFixture.h"

namespace {

using Status = app::Outcome::Status;

class ConsoleTest : public apptest::SessionFixture {
 protected:
  void SetUp() override {
    SessionFixture::SetUp();
    createCatalog("Zedidover");
  }
};

TEST_F(ConsoleTest, OpensOnTheResolvedTargetWithTheUsKeyboard) {
  platform.requestKeyboardLayout("00000429");
  const app::Outcome opened = app::openConsole(*session);
  EXPECT_EQ(opened.status, Status::Completed);
  EXPECT_TRUE(session->mainConnection().isOpen());
  EXPECT_EQ(this->opened("main"), std::vector<std::string>{std::string(kSqlPrefix) + "Zedidover;Data Source=PC1\\SQLEXPRESS"});
  EXPECT_EQ(platform.keyboardLayout(), app::kConsoleKeyboardLayout);
  EXPECT_TRUE(platform.informations.empty());
}

TEST_F(ConsoleTest, ExecutesTheWholeTextOnceAndReportsSuccess) {
  ASSERT_EQ(app::openConsole(*session).status, Status::Completed);
  recorder.clear();
  const std::string text = "create table T1 (a int)\r\ninsert into T1 (a) values (1)";

  const app::Outcome outcome = app::executeConsoleText(*session, text);

  EXPECT_EQ(outcome.status, Status::Completed);
  EXPECT_EQ(platform.informations, std::vector<std::string>{app::kConsoleSuccessMessage});
  ASSERT_EQ(recorder.entries().size(), 1u);
  EXPECT_EQ(recorder.entries()[0].call.text, text);
  EXPECT_EQ(recorder.entries()[0].call.connection, "console");
  EXPECT_EQ(session->mainConnection().role(), "main");
}

TEST_F(ConsoleTest, AFailureIsShownWithItsClassAndMessageAndGoesNoFurther) {
  ASSERT_EQ(app::openConsole(*session).status, Status::Completed);

  const app::Outcome outcome = app::executeConsoleText(*session, "select * from NoSuchTable");

  EXPECT_EQ(outcome.status, Status::Failed);
  ASSERT_TRUE(outcome.error);
  EXPECT_EQ(outcome.message, "Error class: " + outcome.error->className + "\rError message: " + outcome.error->message);
  EXPECT_EQ(outcome.error->className, "EOleException");
  EXPECT_EQ(platform.informations, std::vector<std::string>{outcome.message});
  EXPECT_TRUE(platform.errors.empty());
  // The console stays usable.
  EXPECT_EQ(app::executeConsoleText(*session, "create table T2 (a int)").status, Status::Completed);
}

TEST_F(ConsoleTest, TextThatIsNotUtf8IsRefusedBeforeItIsSent) {
  ASSERT_EQ(app::openConsole(*session).status, Status::Completed);
  recorder.clear();
  const app::Outcome outcome = app::executeConsoleText(*session, "insert into T (a) values ('\xff')");
  EXPECT_EQ(outcome.status, Status::Failed);
  EXPECT_EQ(outcome.error->className, "EConvertError");
  EXPECT_NE(outcome.message.find("is not valid UTF-8 (byte 28 of"), std::string::npos) << outcome.message;
  EXPECT_TRUE(recorder.entries().empty());
}

TEST_F(ConsoleTest, CancelledResolutionDoesNotOpenTheConsoleAndAChosenFileDoes) {
  session->choices.engine = app::Engine::Access;
  EXPECT_EQ(app::openConsole(*session).status, Status::Cancelled);
  EXPECT_EQ(platform.keyboardLayout(), "");
  EXPECT_TRUE(recorder.entries().empty());

  const auto file = dataDir / "Office.mdb";
  session->createMissingCatalog = true;
  platform.dialogAnswers.push_back(file);
  EXPECT_EQ(app::openConsole(*session).status, Status::Completed);
  EXPECT_EQ(session->state.accessFilePath, file.string());
  EXPECT_EQ(platform.keyboardLayout(), app::kConsoleKeyboardLayout);
}

TEST_F(ConsoleTest, AFailedOpenShowsTheErrorDialog) {
  session->choices.productIndex = 5;  // Koltar: no such catalog
  const app::Outcome opened = app::openConsole(*session);
  EXPECT_EQ(opened.status, Status::Failed);
  EXPECT_EQ(platform.errors.size(), 1u);
  EXPECT_EQ(platform.keyboardLayout(), "");
}

}  // namespace
