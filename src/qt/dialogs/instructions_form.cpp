#include "qt/dialogs/instructions_form.h"

#include "forms/info_texts.h"

using namespace snpp::info_texts;

TinstructionsForm::TinstructionsForm(QWidget* parent)
    : TextInfoWindow({kInstructionsCaption, QSize(402, 215), QPoint(238, 158), QRect(0, 0, 401, 185),
                      QRect(160, 188, 75, 25), true},
                     QString::fromStdString(JoinLines(kInstructionsLines, "\n")), parent) {
  setModal(false);
}
