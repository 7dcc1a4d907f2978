#include "qt/app/button_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace snpp::images {
namespace {

template <typename Draw>
QIcon drawn(Draw draw) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  p.end();
  return QIcon(pixmap);
}

}  // namespace

QIcon sendImage() {
  return drawn([](QPainter& p) {
    QPainterPath plane;
    plane.moveTo(1, 8);
    plane.lineTo(15, 2);
    plane.lineTo(11, 14);
    plane.lineTo(8, 10);
    plane.closeSubpath();
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(plane);
    p.drawLine(QPointF(8, 10), QPointF(15, 2));
  });
}

QIcon clearImage() {
  return drawn([](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setPen(QPen(QColor(96, 96, 96), 1));
    for (int y = 4; y <= 12; y += 2) p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
  });
}

}  // namespace snpp::images
