#include "dialogs/trouble_form.h"

namespace {
const QStringList kText = {
    "If you are having problems with the SNPP Client connecting to your paging",
    "service or sending messages to a particular pager, please contact the paging",
    "service, or whoever is running the Internet paging server that you are trying to",
    "send messages through.  Brevik LLC is NOT a paging service and does",
    "not run a paging server for you to connect to and send messages through.",
    "",
    "For specific questions or problems regarding the SNPP Client software itself, ",
    "contact Brevik LLC.  Contact information is shown in the About screen.",
    "",
    "NOTE: This software uses the SNPP protocol to connect to a paging system. ",
    "This protocol typically uses tcp/ip port 444. Therefore, to use the software",
    "successfully, you must be able to connect to port 444 on the paging server.",
    "If a firewall is in place, it should allow connections on that port number.",
};
}  // namespace

TtroubleForm::TtroubleForm(QWidget* parent)
    : TextInfoWindow({"Trouble-shooting", QSize(391, 233), QPoint(264, 236), QRect(4, 4, 381, 185),
                      QRect(156, 200, 75, 25), false},
                     kText, parent) {
  setModal(true);
}
