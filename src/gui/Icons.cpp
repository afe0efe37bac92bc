#include "gui/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace gui {

namespace {

// Icons are drawn on a 24 x 24 canvas at twice the resolution, for sharp scaling.
template <typename Draw>
QIcon drawnIcon(Draw draw) {
  QPixmap pixmap(48, 48);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(2, 2);
  draw(painter);
  return QIcon(pixmap);
}

}  // namespace

QIcon consoleIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(QColor(0x44, 0x44, 0x44), 1.5));
    p.setBrush(QColor(0x22, 0x2a, 0x33));
    p.drawRoundedRect(QRectF(2, 4, 20, 16), 2, 2);
    p.setPen(QPen(QColor(0x6d, 0xe0, 0x7a), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(6, 9), QPointF(9.5, 12), QPointF(6, 15)}));
    p.drawLine(QPointF(11, 15.5), QPointF(16, 15.5));
  });
}

QIcon startIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(QColor(0x3a, 0x5a, 0x80), 1.2));
    p.setBrush(QColor(0x9c, 0xc2, 0xe8));
    p.drawRect(QRectF(9, 8, 13, 12));
    p.drawEllipse(QRectF(9, 17, 13, 5));
    p.drawEllipse(QRectF(9, 5.5, 13, 5));
    QPainterPath arrow;
    arrow.moveTo(1, 11);
    arrow.lineTo(7, 11);
    arrow.lineTo(7, 8);
    arrow.lineTo(12, 13);
    arrow.lineTo(7, 18);
    arrow.lineTo(7, 15);
    arrow.lineTo(1, 15);
    arrow.closeSubpath();
    p.setPen(QPen(QColor(0x1c, 0x6e, 0x2a), 1));
    p.setBrush(QColor(0x3c, 0xb0, 0x4e));
    p.drawPath(arrow);
  });
}

QIcon exitIcon() {
  return drawnIcon([](QPainter& p) {
    p.setPen(QPen(QColor(0xc6, 0x2b, 0x2b), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
  });
}

}  // namespace gui
