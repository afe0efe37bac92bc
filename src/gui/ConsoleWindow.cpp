#include "gui/ConsoleWindow.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/Console.h"
#include "gui/Captions.h"
#include "gui/Fonts.h"

namespace gui {

namespace {

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setMinimumWidth(110);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

ConsoleWindow::ConsoleWindow(app::Session& session, QWidget* parent)
    : QDialog(parent), session_(session), memo_(new QPlainTextEdit(this)) {
  setObjectName("FQuery");
  setWindowTitle(QString::fromUtf8(captions::kConsoleTitle));
  setLayoutDirection(Qt::RightToLeft);
  setFont(arabicFont(13));
  setFixedSize(kClientWidth, kClientHeight);
  setModal(true);

  memo_->setObjectName("Memo1");
  memo_->setLayoutDirection(Qt::LeftToRight);  // commands are typed with Latin letters
  memo_->setFont(QFont("DejaVu Sans Mono", 10));

  auto* execute = button("BitBtn2", captions::kConsoleExecute, this);
  auto* executeFile = button("BitBtn3", captions::kConsoleExecuteFile, this);
  auto* exit = button("BitBtn1", captions::kConsoleExit, this);
  connect(execute, &QPushButton::clicked, this, [this] { this->execute(); });
  connect(exit, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(execute);
  buttons->addWidget(executeFile);
  buttons->addStretch(1);
  buttons->addWidget(exit);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(memo_, 1);
  layout->addLayout(buttons);
}

app::Outcome ConsoleWindow::execute() {
  // The text goes as typed, all lines in one command, with the line breaks a memo has always
  // given: CR LF.
  const QString text = memo_->toPlainText().replace('\n', "\r\n");
  return app::executeConsoleText(session_, text.toStdString());
}

void ConsoleWindow::showEvent(QShowEvent* event) {
  memo_->clear();
  memo_->setFocus();
  QDialog::showEvent(event);
}

}  // namespace gui
