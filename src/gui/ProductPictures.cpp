#include "gui/ProductPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace gui {

namespace {

// Every picture is drawn on a 48 x 48 canvas and scaled to the size asked for.

void shield(QPainter& p) {
  QPainterPath path;
  path.moveTo(24, 5);
  path.lineTo(40, 11);
  path.cubicTo(40, 28, 34, 37, 24, 43);
  path.cubicTo(14, 37, 8, 28, 8, 11);
  path.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x2b, 0x6c, 0xb0));
  p.drawPath(path);
  p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(16, 24), QPointF(22, 30), QPointF(32, 18)}));
}

void umbrella(QPainter& p) {
  QPainterPath canopy;
  canopy.moveTo(6, 24);
  canopy.cubicTo(8, 8, 40, 8, 42, 24);
  canopy.quadTo(37, 20, 33, 24);
  canopy.quadTo(28.5, 20, 24, 24);
  canopy.quadTo(19.5, 20, 15, 24);
  canopy.quadTo(11, 20, 6, 24);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x9e, 0x91));
  p.drawPath(canopy);
  p.setPen(QPen(QColor(0x44, 0x44, 0x44), 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(24, 23), QPointF(24, 38));
  p.drawArc(QRectF(24, 34, 8, 8), 180 * 16, 180 * 16);
}

void scannedDocument(QPainter& p) {
  p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(12, 5, 24, 34), 2, 2);
  p.setPen(QPen(QColor(0x9a, 0x9a, 0x9a), 2));
  for (int y = 12; y <= 30; y += 6) p.drawLine(QPointF(16, y), QPointF(32, y));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x5a, 0x5a, 0x66));
  p.drawRoundedRect(QRectF(6, 36, 36, 8), 2, 2);
  p.setPen(QPen(QColor(0x3c, 0xc8, 0x5a), 2.5));
  p.drawLine(QPointF(8, 22), QPointF(40, 22));
}

void diamond(QPainter& p) {
  const QPolygonF outline({QPointF(14, 10), QPointF(34, 10), QPointF(42, 19), QPointF(24, 42), QPointF(6, 19)});
  p.setPen(QPen(QColor(0x5b, 0x2c, 0x8f), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(0xb3, 0x8b, 0xe0));
  p.drawPolygon(outline);
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(6, 19), QPointF(42, 19));
  p.drawPolyline(QPolygonF({QPointF(14, 10), QPointF(19, 19), QPointF(24, 42), QPointF(29, 19), QPointF(34, 10)}));
  p.drawPolyline(QPolygonF({QPointF(19, 19), QPointF(24, 10), QPointF(29, 19)}));
}

void plateAndCutlery(QPainter& p) {
  p.setPen(QPen(QColor(0xc0, 0x50, 0x28), 2));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(24, 25), 13, 13);
  p.drawEllipse(QPointF(24, 25), 8, 8);
  p.setPen(QPen(QColor(0x55, 0x55, 0x55), 2.5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 10), QPointF(6, 40));
  for (double x : {3.5, 6.0, 8.5}) p.drawLine(QPointF(x, 10), QPointF(x, 17));
  p.drawLine(QPointF(42, 10), QPointF(42, 40));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x55, 0x55, 0x55));
  p.drawChord(QRectF(38, 8, 8, 20), 90 * 16, 180 * 16);
}

void coins(QPainter& p) {
  p.setPen(QPen(QColor(0x9c, 0x6f, 0x08), 1.5));
  for (int i = 0; i < 4; ++i) {
    const double y = 36 - i * 7;
    p.setBrush(QColor(0xe8, 0xb9, 0x2f));
    p.drawRect(QRectF(10, y, 28, 5));
    p.drawEllipse(QRectF(10, y + 1, 28, 8));
    p.drawEllipse(QRectF(10, y - 4, 28, 8));
  }
}

void touchScreen(QPainter& p) {
  p.setPen(QPen(QColor(0x33, 0x33, 0x33), 2));
  p.setBrush(QColor(0x2f, 0x80, 0xc8));
  p.drawRoundedRect(QRectF(5, 7, 38, 26), 3, 3);
  p.setBrush(QColor(0x33, 0x33, 0x33));
  p.drawRect(QRectF(20, 33, 8, 6));
  p.drawRoundedRect(QRectF(13, 39, 22, 4), 2, 2);
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(QColor(255, 255, 255, 90));
  p.drawEllipse(QPointF(27, 20), 6, 6);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(27, 20), 2, 2);
}

void neutralTile(QPainter& p) {
  p.setPen(QPen(QColor(0x88, 0x88, 0x88), 1.5));
  p.setBrush(QColor(0xee, 0xee, 0xee));
  p.drawRoundedRect(QRectF(8, 8, 32, 32), 5, 5);
}

struct Picture {
  std::string_view code;
  const char* hint;
  void (*draw)(QPainter&);
};

constexpr std::array kPictures{
    Picture{"Zedidover", "صدور بيمه نامه، اقساط و تسويه با شرکت هاي بيمه", shield},
    Picture{"Ruvan", "دفتر بيمه، ويرايش روان", umbrella},
    Picture{"Pelix", "نامه هاي اداري، بايگاني و اسکن اسناد", scannedDocument},
    Picture{"Talvo", "طراحي و ساخت جواهرات", diamond},
    Picture{"Rivavaruz", "سفارش، آشپزخانه و صندوق رستوران", plateAndCutlery},
    Picture{"Koltar", "صندوق، بانک و گردش وجوه", coins},
    Picture{"Zemtrio", "فروش با صفحه لمسي", touchScreen},
};

const Picture* pictureOf(std::string_view code) {
  for (const Picture& picture : kPictures)
    if (picture.code == code) return &picture;
  return nullptr;
}

}  // namespace

QPixmap productPicture(std::string_view productCode, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 48.0, size / 48.0);
  const Picture* picture = pictureOf(productCode);
  (picture ? picture->draw : neutralTile)(painter);
  return pixmap;
}

QString productHint(std::string_view productCode) {
  const Picture* picture = pictureOf(productCode);
  return picture ? QString::fromUtf8(picture->hint) : QString();
}

}  // namespace gui
