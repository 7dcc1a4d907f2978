#include "win32/panel_window.h"

#include <cmath>

#include "win32/window_look.h"

namespace snpp::win32 {
namespace {

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT rect;
      GetClientRect(window, &rect);
      const UINT edge = static_cast<UINT>(GetWindowLongPtrA(window, GWLP_USERDATA));
      if (edge != 0) {
        DrawScaledEdge(dc, rect, edge, static_cast<int>(std::lround(WindowScale(window))));
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_COMMAND:
    case WM_DRAWITEM:
      return SendMessageA(GetParent(window), message, wParam, lParam);
    case WM_NCHITTEST:
      // Clicks on the face go to the window below, as on a plain label.
      return HTTRANSPARENT;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterPanelClass(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kPanelClass;
  return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void SetPanelEdge(HWND panel, UINT edge) {
  SetWindowLongPtrA(panel, GWLP_USERDATA, static_cast<LONG_PTR>(edge));
  InvalidateRect(panel, nullptr, TRUE);
}

}  // namespace snpp::win32
