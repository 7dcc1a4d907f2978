#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>
#include <QRect>
#include <QString>

// The buttons' pictures, drawn in code so the program ships no image files.
namespace snpp::qt {

// The 18 x 18 pictures of the OK and Cancel buttons (and the main window's
// Cancel), on a transparent background, each with a grey embossed copy for
// the disabled state.
inline constexpr int kButtonImageSize = 18;

QIcon TickImage();
QIcon CrossImage(const QColor& colour);

// The main window's 16 x 16 Send and Clear pictures; Qt derives their grey
// disabled state.
QIcon SendImage();   // a paper plane
QIcon ClearImage();  // a sheet with a red stroke through it

// A push button at a fixed place showing `image` left of its caption.
QPushButton* ImageButton(QWidget* parent, const QString& caption, const QIcon& image,
                         const QRect& geometry);

}  // namespace snpp::qt
