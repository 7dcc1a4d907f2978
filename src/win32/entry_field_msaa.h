#pragma once
// An entry field as assistive technology sees it through MSAA: editable
// text named after its label, whose value is the field's text. A value set
// that way is typed into the field, so its picture mask and its limit apply
// as to keys; a disabled field is read-only.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace snpp::win32 {

// The reply to the field's WM_GETOBJECT.
LRESULT EntryFieldGetObject(HWND field, WPARAM wParam, LPARAM lParam);

// Tell assistive technology the field's value changed.
void NotifyFieldValue(HWND field);

}  // namespace snpp::win32
