#pragma once

#include <QIcon>

namespace snpp::qt {

// The pager icon the desktop's menu shows, at every size it is drawn in, so
// that title bars and task switchers pick a sharp one.
QIcon ProgramIcon();

}  // namespace snpp::qt
