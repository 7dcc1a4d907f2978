#include "dialogs/instructions_form.h"

namespace {
const QStringList kText = {
    "--> To Send to ONE Recipient:",
    "Simply select one of the recipients in your Names list by clicking on that name.",
    "You do not need to put a check by the name.",
    "When you select a name, the corresponding pager ID will automatically be",
    "placed in the 'Pager Number' field.",
    "",
    "--> To Send to MULTIPLE Recipients:",
    "In the Names list, check the recipients you wish to send to by clicking the ",
    "check box to the left of each recipient.  When using this method, the Pager",
    "Number field will be disabled (not used).",
};
}  // namespace

TinstructionsForm::TinstructionsForm(QWidget* parent)
    : TextInfoWindow({"Instructions", QSize(402, 215), QPoint(238, 158), QRect(0, 0, 401, 185),
                      QRect(160, 188, 75, 25), true},
                     kText, parent) {
  setModal(false);
}
