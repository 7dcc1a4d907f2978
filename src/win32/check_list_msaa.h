#pragma once
// The check list as assistive technology sees it through MSAA: a list whose
// children are check boxes (name, checked or mixed, selected, focused, off
// screen) with a default action that ticks or unticks the row as a click on
// its box would; and the events that tell of a row's change.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace snpp::win32 {

// The reply to the list's WM_GETOBJECT.
LRESULT CheckListGetObject(HWND list, WPARAM wParam, LPARAM lParam);

// Tell assistive technology that row `index`'s check state changed, that it
// became the current row (selected, and focused while the list has the
// focus), or that the list took the focus (its focused row).
void NotifyRowState(HWND list, int index);
void NotifyCurrentRow(HWND list, int index);
void NotifyListFocus(HWND list);

}  // namespace snpp::win32
