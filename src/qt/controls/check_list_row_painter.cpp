#include "qt/controls/check_list_row_painter.h"

#include <QBrush>
#include <QFontMetrics>
#include <QPainter>

#include "controls/check_list_geometry.h"
#include "qt/controls/device_pixels.h"

namespace snpp {
namespace {

QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// One-pixel checkerboard of two grays, tiled from the row's origin.
QBrush GrayPatternBrush() {
  QImage tile(8, 8, QImage::Format_RGB32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      tile.setPixel(x, y, ToColor(GrayPatternIsDark(x, y) ? kGrayPatternDark : kGrayPatternLight).rgb());
  return QBrush(tile);
}

void Plot(QImage& image, Point p, const QColor& color) {
  if (image.rect().contains(p.x, p.y)) image.setPixel(p.x, p.y, color.rgb());
}

void PlotAll(QImage& image, const std::vector<Point>& pixels, const QColor& color) {
  for (Point p : pixels) Plot(image, p, color);
}

void DrawBox(QImage& image, const CheckListRowLook& look, const BoxGeometry& g) {
  // Fill, then the one-pixel outline over its edge; lines are plotted pixel
  // by pixel so they end exactly where the layout says.
  {
    QPainter painter(&image);
    painter.fillRect(QRect(g.x, g.y, g.d, g.d), look.row.grayFill ? GrayPatternBrush() : QBrush(look.boxColor));
  }
  const QColor outline = ToColor(kBoxOutline);
  for (int i = 0; i < g.d; ++i) {
    Plot(image, {g.x + i, g.y}, outline);
    Plot(image, {g.x + i, g.y + g.d - 1}, outline);
    Plot(image, {g.x, g.y + i}, outline);
    Plot(image, {g.x + g.d - 1, g.y + i}, outline);
  }
  const auto bevels = BevelPolylines(g);
  PlotAll(image, PolylinePixels(bevels[0]), ToColor(kBevelDark));
  PlotAll(image, PolylinePixels(bevels[1]), ToColor(kBevelInner));
  PlotAll(image, PolylinePixels(bevels[2]), ToColor(kBevelLight));
  if (look.row.mark)
    for (Segment s : MarkSegments(g, look.style)) PlotAll(image, LinePixels(s), look.checkColor);
}

// Dotted, inverting outline; drawn twice it disappears, as focus marks do.
// `unit` device pixels make one dot, so a scaled mark is the 100 % one enlarged.
void DrawFocusRect(QImage& image, QRect r, int unit) {
  const QRect inside = r.adjusted(unit, unit, -unit, -unit);
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      if (inside.contains(x, y) || (x / unit + y / unit) % 2 != 0 || !image.rect().contains(x, y)) continue;
      image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
    }
}

// The box is pixel art on the layout's grid, enlarged by whole device pixels.
void DrawScaledBox(QImage& image, const CheckListRowLook& look, const BoxGeometry& g, const DevicePixels& px) {
  const QRect box(g.x, g.y, g.d, g.d);
  QImage art(box.right() + 1, box.bottom() + 1, QImage::Format_RGB32);
  art.fill(look.background);
  DrawBox(art, look, g);
  const QRect target = px.Rect(box);
  QPainter(&image).drawImage(target.topLeft(),
                             art.copy(box).scaled(target.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

}  // namespace

QImage RenderCheckListRow(const CheckListRowLook& look) {
  const DevicePixels px{look.scale};
  const QSize layoutSize(std::max(look.width, 1), std::max(look.itemHeight, 1));
  QImage image(px.Size(layoutSize), QImage::Format_RGB32);
  image.fill(look.background);
  if (!look.row.valid) {
    image.setDevicePixelRatio(px.scale);
    return image;
  }

  const BoxGeometry g = ComputeBoxGeometry(look.itemHeight, look.boxMargin);
  DrawScaledBox(image, look, g, px);

  QColor textColor = look.textColor;
  const QRect highlightArea(g.highlightX, 0, look.width - g.highlightX, look.itemHeight);
  if (look.row.selected) {
    QPainter(&image).fillRect(px.Rect(highlightArea), look.highlight);
    textColor = look.highlightText;
  }
  // Text is placed in layout pixels and drawn at the screen's resolution.
  image.setDevicePixelRatio(px.scale);
  QPainter painter(&image);
  painter.setFont(look.font);
  painter.setPen(textColor);
  painter.setClipRect(QRect(QPoint(), layoutSize));
  const QFontMetrics metrics(look.font);
  const int top = TextTop(look.itemHeight, metrics.height());
  painter.drawText(QPoint(g.textX, top + metrics.ascent()), look.text);
  painter.end();

  if (look.row.focused) DrawFocusRect(image, px.Rect(highlightArea), px.Unit());
  return image;
}

QString CheckListDisplayText(const std::string& bytes) {
  const QString decoded = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QString shown;
  int chars = 0;
  for (qsizetype i = 0; i < decoded.size() && chars < kMaxShownChars; ++i, ++chars) {
    const QChar c = decoded.at(i);
    if (c.isHighSurrogate() && i + 1 < decoded.size()) {
      shown.append(c);
      shown.append(decoded.at(++i));
    } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
      shown.append(QChar(0xFFFD));  // a line break inside an entry must not vanish
    } else {
      shown.append(c);
    }
  }
  return shown;
}

}  // namespace snpp
