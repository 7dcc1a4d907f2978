#pragma once
// Every window of the program, shown in turn for its picture.
#include "win32/screens_report.h"

namespace snpp::win32::screens {

// Creates the program's windows as it does at start-up, shows each one in a
// telling state, reports it and waits for its picture. False if a window
// could not be made or a picture did not arrive.
bool ShowEveryWindow(const ShotTaker& shots);

}  // namespace snpp::win32::screens
