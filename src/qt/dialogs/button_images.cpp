#include "qt/dialogs/button_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace snpp::qt {
namespace {

using Shape = std::function<void(QPainter&)>;

QPixmap Draw(const Shape& shape, const QColor& colour, QPoint offset = {}) {
  QPixmap pixmap(kButtonImageSize, kButtonImageSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.translate(offset);
  painter.setPen(QPen(colour, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  shape(painter);
  return pixmap;
}

// The disabled copy: the shape in white one pixel down and right, with a
// grey copy on top, as a chiselled-in picture looks.
QPixmap Emboss(const Shape& shape) {
  QPixmap pixmap = Draw(shape, Qt::white, QPoint(1, 1));
  QPainter painter(&pixmap);
  painter.drawPixmap(0, 0, Draw(shape, QColor(128, 128, 128)));
  return pixmap;
}

QIcon MakeIcon(const Shape& shape, const QColor& colour) {
  QIcon icon;
  icon.addPixmap(Draw(shape, colour), QIcon::Normal);
  icon.addPixmap(Emboss(shape), QIcon::Disabled);
  return icon;
}

void Tick(QPainter& p) {
  const QPoint points[] = {{3, 9}, {7, 13}, {14, 4}};
  p.drawPolyline(points, 3);
}

template <typename Paint>
QIcon Drawn16(Paint draw) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  p.end();
  return QIcon(pixmap);
}

void Cross(QPainter& p) {
  p.drawLine(4, 4, 13, 13);
  p.drawLine(13, 4, 4, 13);
}

}  // namespace

QIcon TickImage() { return MakeIcon(Tick, QColor(0, 128, 0)); }

QIcon CrossImage(const QColor& colour) { return MakeIcon(Cross, colour); }

QIcon SendImage() {
  return Drawn16([](QPainter& p) {
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

QIcon ClearImage() {
  return Drawn16([](QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 9, 13));
    p.setPen(QPen(QColor(96, 96, 96), 1));
    for (int y = 4; y <= 12; y += 2) p.drawLine(QPointF(5, y + 0.5), QPointF(11, y + 0.5));
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
  });
}

QPushButton* ImageButton(QWidget* parent, const QString& caption, const QIcon& image,
                         const QRect& geometry) {
  auto* button = new QPushButton(image, caption, parent);
  button->setIconSize(QSize(kButtonImageSize, kButtonImageSize));
  button->setGeometry(geometry);
  return button;
}

}  // namespace snpp::qt
