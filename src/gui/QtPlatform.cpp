#include "gui/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace gui {

QString qtFileFilter(std::string_view filter) {
  const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const QString patterns = parts[i + 1];
    // The description often repeats its patterns in brackets; Qt adds them itself.
    if (const qsizetype open = description.lastIndexOf('('); open >= 0 && description.endsWith(')'))
      description.truncate(open);
    filters << description.trimmed() + " (" + QString(patterns).replace(';', ' ') + ")";
  }
  return filters.join(";;");
}

QString messageText(const std::string& message) {
  QString text = QString::fromStdString(message);
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  return text;
}

std::optional<std::filesystem::path> QtPlatform::chooseFileToOpen(const std::string& filter) {
  const QString file = QFileDialog::getOpenFileName(QApplication::activeWindow(), {}, {}, qtFileFilter(filter));
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(file.toStdString());
}

void QtPlatform::showInformation(const std::string& message) {
  QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                           messageText(message));
}

void QtPlatform::showError(const std::string& message) {
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), messageText(message));
}

}  // namespace gui
