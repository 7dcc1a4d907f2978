#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <string>

#include "controls/check_list_row.h"
#include "controls/check_list_state.h"

namespace snpp {

// What one row of a check list shows; the widget fills it in for each row.
struct CheckListRowLook {
  int width = 0;
  int itemHeight = 16;
  int boxMargin = 1;
  RowLook row;  // what the model decided the row shows
  TCheckStyle style = csCheck;
  QString text;
  QFont font;
  QColor background = Qt::white;
  QColor textColor = Qt::black;
  QColor boxColor = Qt::white;
  QColor checkColor = Qt::black;
  QColor highlight = QColor(0, 0, 128);
  QColor highlightText = Qt::white;
  qreal scale = 1;  // device pixels per layout pixel
};

// Composes the row off screen, so the list copies it in one step and
// never flickers; at the screen's scale, with its device pixel ratio set.
QImage RenderCheckListRow(const CheckListRowLook& look);

// An item's bytes as shown: decoded as UTF-8 (bad sequences become U+FFFD),
// at most 255 characters, control characters made visible.
QString CheckListDisplayText(const std::string& bytes);

}  // namespace snpp
