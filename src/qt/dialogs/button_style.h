#pragma once

#include <QProxyStyle>

namespace snpp {

// The classic style, except that a push button fills the whole rectangle it
// is given. Qt draws every button of a dialog one pixel inside it, keeping
// room for the frame a default button gets; only the default button (the
// one Enter presses) has that frame, so only it is drawn inside.
class ButtonStyle : public QProxyStyle {
public:
  explicit ButtonStyle(QStyle* base);
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
  QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
};

}  // namespace snpp
