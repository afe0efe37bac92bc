#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QWidget>

#include "app/AssistantCatalog.h"

namespace app {
class Session;
}

namespace gui {

// The assistant window FAssistant: its set-up button (Button1) creates the assistant catalog
// and its tables when the catalog is missing, on the session's set-up connections; its label
// (LNameTable) shows the table being ensured. Created hidden; the main window's tools menu
// shows it.
class AssistantWindow : public QWidget {
  Q_OBJECT

 public:
  explicit AssistantWindow(app::Session& session, QWidget* parent = nullptr);
  ~AssistantWindow() override;

  app::Outcome runSetup();

 private:
  app::Session& session_;
  QLabel* tableView_;
  QRadioButton* sqlServer_;
};

}  // namespace gui
