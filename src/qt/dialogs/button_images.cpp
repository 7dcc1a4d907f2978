#include "qt/dialogs/button_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace snpp::dialogs {
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

void Cross(QPainter& p) {
  p.drawLine(4, 4, 13, 13);
  p.drawLine(13, 4, 4, 13);
}

}  // namespace

QIcon TickImage() { return MakeIcon(Tick, QColor(0, 128, 0)); }

QIcon CrossImage(const QColor& colour) { return MakeIcon(Cross, colour); }

QPushButton* ImageButton(QWidget* parent, const QString& caption, const QIcon& image,
                         const QRect& geometry) {
  auto* button = new QPushButton(image, caption, parent);
  button->setIconSize(QSize(kButtonImageSize, kButtonImageSize));
  button->setGeometry(geometry);
  return button;
}

}  // namespace snpp::dialogs
