#include "qt/dialogs/trouble_form.h"

#include "forms/info_texts.h"

using namespace snpp::info_texts;

TtroubleForm::TtroubleForm(QWidget* parent)
    : TextInfoWindow({kTroubleCaption, QSize(391, 233), QPoint(264, 236), QRect(4, 4, 381, 185),
                      QRect(156, 200, 75, 25), false},
                     QString::fromStdString(JoinLines(kTroubleLines, "\n")), parent) {
  setModal(true);
}
