#pragma once
// A single-line editor draws its text at the top of its box. A field laid
// out taller than a line (every field on a 192-DPI screen, where the face
// does not grow as much as the layout) shows its text centred instead: the
// spare rows become part of the frame, painted in the field's background,
// and clicks there still land in the field.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace snpp::win32 {

// Keeps `edit`'s text vertically centred from now on, through later font
// and size changes.
void CentreTextVertically(HWND edit);

}  // namespace snpp::win32
