#include "qt/dialogs/button_style.h"

#include <QStyleOptionButton>

namespace snpp {
namespace {

// A button that may become the default but is not: drawn as a plain one.
bool WaitsToBeDefault(const QStyleOption* option) {
  const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
  return button && (button->features & QStyleOptionButton::AutoDefaultButton) &&
         !(button->features & QStyleOptionButton::DefaultButton);
}

QStyleOptionButton Plain(const QStyleOption* option) {
  QStyleOptionButton plain = *qstyleoption_cast<const QStyleOptionButton*>(option);
  plain.features &= ~QStyleOptionButton::AutoDefaultButton;
  return plain;
}

}  // namespace

ButtonStyle::ButtonStyle(QStyle* base) : QProxyStyle(base) {}

void ButtonStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  if (element == CE_PushButton && WaitsToBeDefault(option)) {
    const QStyleOptionButton plain = Plain(option);
    QProxyStyle::drawControl(element, &plain, painter, widget);
    return;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

// The focus rectangle and caption follow the bevel.
QRect ButtonStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const {
  if ((element == SE_PushButtonContents || element == SE_PushButtonFocusRect) && WaitsToBeDefault(option)) {
    const QStyleOptionButton plain = Plain(option);
    return QProxyStyle::subElementRect(element, &plain, widget);
  }
  return QProxyStyle::subElementRect(element, option, widget);
}

}  // namespace snpp
