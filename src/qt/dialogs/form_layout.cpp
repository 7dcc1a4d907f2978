#include "qt/dialogs/form_layout.h"

#include <QGuiApplication>
#include <QScreen>

#include "qt/dialogs/program_look.h"

namespace snpp::layout {

QLabel* label(QWidget* parent, const QString& text, int x, int y) {
  auto* l = new QLabel(text, parent);
  l->move(x, y);
  l->adjustSize();
  return l;
}

QFrame* sunkenBevel(QWidget* parent, const QRect& geometry) {
  auto* f = new QFrame(parent);
  f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  f->setLineWidth(1);
  f->setGeometry(geometry);
  f->lower();  // a frame never covers the controls it groups
  return f;
}

void makeFixedToolWindow(QWidget* window, int clientWidth, int clientHeight) {
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  window->setFixedSize(clientWidth, clientHeight);
}

void centreOnScreen(QWidget* window) {
  QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

void setTextColour(QWidget* widget, const QColor& colour) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Text, colour);
  widget->setPalette(p);
}

}  // namespace snpp::layout

namespace snpp::layout {
QFont pointFont(const QFont& base, int points) {
  return programFaceAt(base, (points * 96 + 36) / 72);
}
}  // namespace snpp::layout
