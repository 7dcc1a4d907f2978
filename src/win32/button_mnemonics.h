#pragma once
// Alt plus a push button's underlined letter presses the button where the
// focus is. The dialog manager would press it with a simulated click, which
// also moves the focus onto the button: after Alt+E and the name dialog, the
// names list would no longer take the arrow keys.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace snpp::win32 {

// For Alt+key (WM_SYSCHAR) in `root` or its children: presses the visible,
// enabled push button of `root` whose caption underlines the key, with the
// focus left where it is. False, with nothing done, for any other message or
// key; the dialog manager then takes it (a label's letter moves the focus).
bool PressButtonByMnemonic(HWND root, const MSG& msg);

}  // namespace snpp::win32
