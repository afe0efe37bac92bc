#include "gui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace gui {

namespace {

QString arabicFamily() {
  const QStringList installed = QFontDatabase::families(QFontDatabase::Arabic);
  for (const char* family : {"Tahoma", "DejaVu Sans", "Noto Sans Arabic"})
    if (installed.contains(QString::fromLatin1(family))) return QString::fromLatin1(family);
  return installed.isEmpty() ? QString() : installed.first();
}

}  // namespace

QFont arabicFont(int pixelSize) {
  static const QString family = arabicFamily();
  QFont font(family);
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace gui
