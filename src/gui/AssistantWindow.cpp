#include "gui/AssistantWindow.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "gui/Captions.h"
#include "gui/Fonts.h"
#include "app/Session.h"
#include "gui/ProgressViews.h"
#include "schema/Progress.h"

namespace gui {

AssistantWindow::AssistantWindow(app::Session& session, QWidget* parent)
    : QWidget(parent), session_(session), tableView_(new QLabel(this)),
      sqlServer_(new QRadioButton(QString::fromUtf8(captions::kEngineSqlServer), this)) {
  setObjectName("FAssistant");
  setWindowTitle(QString::fromUtf8(captions::kAssistantTitle));
  setLayoutDirection(Qt::RightToLeft);
  setFont(arabicFont(13));
  setFixedSize(420, 170);

  auto* explanation = new QLabel(QString::fromUtf8(captions::kAssistantExplanation), this);
  explanation->setWordWrap(true);
  sqlServer_->setObjectName("RadioButton2");
  sqlServer_->setChecked(true);
  tableView_->setObjectName("LNameTable");
  auto* setupButton = new QPushButton(QString::fromUtf8(captions::kAssistantSetup), this);
  setupButton->setObjectName("Button1");
  connect(setupButton, &QPushButton::clicked, this, [this] { runSetup(); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation);
  layout->addWidget(sqlServer_);
  layout->addWidget(tableView_);
  layout->addStretch(1);
  layout->addWidget(setupButton, 0, Qt::AlignLeading);
  showLabel(session_.assistantTableLabel, *tableView_);
}

AssistantWindow::~AssistantWindow() { unbind(session_.assistantTableLabel); }

app::Outcome AssistantWindow::runSetup() { return app::runAssistantSetup(session_, sqlServer_->isChecked()); }

}  // namespace gui
