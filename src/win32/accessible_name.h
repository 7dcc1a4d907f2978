#pragma once
// A name and a description for assistive technology where a window's own
// caption says little (a digit, nothing, a blank), and the announcement of a
// changed text. The caption stays as it is; everything else a reader asks is
// answered as for any such window.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace snpp::win32 {

// Texts are the program's own (ANSI code page bytes). An empty name leaves
// the caption as the name.
void SetAccessibleName(HWND window, std::string name);
void SetAccessibleDescription(HWND window, std::string description);

// Asks screen readers to speak the window's text now, unasked: a live
// region's change, as for the outcome of a send.
void AnnounceLiveText(HWND window);

}  // namespace snpp::win32
