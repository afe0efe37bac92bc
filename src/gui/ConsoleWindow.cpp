#include "gui/ConsoleWindow.h"

#include <QHBoxLayout>
#include <QTableWidget>
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
    : QDialog(parent), session_(session), memo_(new QPlainTextEdit(this)), results_(new QTabWidget(this)) {
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
  results_->setObjectName("Results");
  results_->setLayoutDirection(Qt::LeftToRight);
  results_->setFixedHeight(kResultsHeight - 10);
  results_->hide();
  layout->addWidget(results_);
}

app::Outcome ConsoleWindow::execute() {
  // The text goes as typed, all lines in one command, with the line breaks a memo has always
  // given: CR LF.
  const QString text = memo_->toPlainText().replace('\n', "\r\n");
  return app::executeConsoleText(session_, text.toStdString(),
                                 [this](const db::Results& results) { showResults(results); });
}

void ConsoleWindow::showResults(const db::Results& results) {
  while (results_->count() > 0) {
    QWidget* grid = results_->widget(0);
    results_->removeTab(0);
    delete grid;
  }
  const auto sets = results.resultSets();
  for (size_t n = 0; n < sets.size(); ++n) {
    const db::Result& set = *sets[n];
    auto* grid = new QTableWidget(static_cast<int>(set.values.size()), static_cast<int>(set.columns.size()));
    grid->setObjectName(QString("Grid%1").arg(n + 1));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (size_t c = 0; c < set.columns.size(); ++c)
      grid->setHorizontalHeaderItem(static_cast<int>(c), new QTableWidgetItem(QString::fromStdString(set.columns[c])));
    for (size_t r = 0; r < set.values.size(); ++r)
      for (size_t c = 0; c < set.values[r].size() && c < set.columns.size(); ++c) {
        const auto& value = set.values[r][c];
        auto* item = new QTableWidgetItem(value ? QString::fromStdString(*value) : QString("NULL"));
        if (!value) item->setForeground(Qt::gray);
        grid->setItem(static_cast<int>(r), static_cast<int>(c), item);
      }
    grid->resizeColumnsToContents();
    results_->addTab(grid, QString::number(n + 1));
  }
  results_->setVisible(!sets.empty());
  setFixedSize(kClientWidth, kClientHeight + (sets.empty() ? 0 : kResultsHeight));
}

void ConsoleWindow::showEvent(QShowEvent* event) {
  memo_->clear();
  memo_->setFocus();
  showResults({});
  QDialog::showEvent(event);
}

}  // namespace gui
