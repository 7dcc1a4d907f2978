#pragma once

#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QString>

// The windows are laid out in fixed pixels, so these place controls at
// exact client coordinates instead of using layouts.
namespace snpp::layout {

// A label that sizes itself to its caption, at (x, y).
QLabel* label(QWidget* parent, const QString& text, int x, int y);

// A one-pixel sunken frame (dark top-left, light bottom-right edges).
QFrame* sunkenBevel(QWidget* parent, const QRect& geometry);

// Title bar with the system menu and close box only.
void makeFixedToolWindow(QWidget* window, int clientWidth, int clientHeight);

// Places a top-level window in the middle of its screen.
void centreOnScreen(QWidget* window);

// Sets a widget's text colour through its palette.
void setTextColour(QWidget* widget, const QColor& colour);

}  // namespace snpp::layout

namespace snpp::layout {
// The program's face at a size given in points (96 dots per inch, as the
// fixed layout assumes).
QFont pointFont(const QFont& base, int points);
}  // namespace snpp::layout
