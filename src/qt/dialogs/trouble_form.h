#pragma once

#include "qt/dialogs/text_info_window.h"

// Advice for connection problems, opened modally from the About box.
class TtroubleForm : public TextInfoWindow {
  Q_OBJECT
public:
  explicit TtroubleForm(QWidget* parent = nullptr);
  QPushButton* exitButton() const { return button_; }
  void exitButtonClick() { close(); }
};
