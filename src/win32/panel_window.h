#pragma once
// Panels and bevels of the classic look: a face with 3D edges. Panels are
// windows of their own class, so that what they hold (the scrolling notice)
// is clipped at their edge; bevels are owner-drawn statics that draw only
// their edges over the window's face.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace snpp::win32 {

inline constexpr char kPanelClass[] = "SnppPanel";

// Idempotent. A panel hands its children's colour and command messages to
// its own parent, so the window that owns the labels colours them.
bool RegisterPanelClass(HINSTANCE instance);

// DrawEdge flags: BDR_RAISEDINNER for a raised panel, EDGE_ETCHED for a
// lowered outer and raised inner bevel. Repaints.
void SetPanelEdge(HWND panel, UINT edge);

}  // namespace snpp::win32
