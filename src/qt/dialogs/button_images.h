#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>
#include <QRect>
#include <QString>

// The 18 x 18 pictures of the OK and Cancel buttons, drawn in code on a
// transparent background, each with a grey embossed copy for the disabled
// state.
namespace snpp::dialogs {

inline constexpr int kButtonImageSize = 18;

QIcon TickImage();
QIcon CrossImage(const QColor& colour);

// A push button at a fixed place showing `image` left of its caption.
QPushButton* ImageButton(QWidget* parent, const QString& caption, const QIcon& image,
                         const QRect& geometry);

}  // namespace snpp::dialogs
