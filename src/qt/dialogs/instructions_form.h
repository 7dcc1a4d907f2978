#pragma once

#include "qt/dialogs/text_info_window.h"

// How to address one or several recipients; shown without blocking the
// main window.
class TinstructionsForm : public TextInfoWindow {
  Q_OBJECT
public:
  explicit TinstructionsForm(QWidget* parent = nullptr);
  QPushButton* okButton() const { return button_; }
  void okButtonClick() { close(); }
};
