#pragma once

#include <QIcon>

namespace snpp {

// The pager icon the desktop's menu shows, at every size it is drawn in, so
// that title bars and task switchers pick a sharp one.
QIcon programIcon();

}  // namespace snpp
