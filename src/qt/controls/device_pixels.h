#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>

#include <algorithm>

namespace snpp {

// Maps the controls' fixed layout pixels onto a scaled screen's device
// pixels. Every edge is rounded the same way, so neighbouring parts tile
// without gaps or overlaps and every line covers whole device pixels: at
// 200 % the picture is the 100 % one with each pixel doubled, at 150 % each
// layout pixel becomes one or two device pixels, never a blurred half.
struct DevicePixels {
  qreal scale = 1;

  int At(int layout) const { return qRound(layout * scale); }
  QSize Size(QSize s) const { return {At(s.width()), At(s.height())}; }
  QRect Rect(QRect r) const {
    return QRect(QPoint(At(r.left()), At(r.top())), QPoint(At(r.x() + r.width()) - 1, At(r.y() + r.height()) - 1));
  }
  // Thickness of a one-pixel line or dot, in whole device pixels.
  int Unit() const { return std::max(1, static_cast<int>(scale)); }
};

}  // namespace snpp
