#include "win32/window_look.h"

#include <cmath>
#include <map>
#include <tuple>

namespace snpp::win32 {

double WindowScale(HWND window) {
  HDC dc = GetDC(window);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(window, dc);
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

int Scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

HFONT ProgramFontOfSize(double scale, int points, bool bold) {
  static std::map<std::tuple<int, int, bool>, HFONT> fonts;
  const int key = Scaled(100, scale);
  auto found = fonts.find({key, points, bold});
  if (found != fonts.end()) return found->second;
  const bool unscaled = key == 100;
  // 8 points are 11 pixels on a 96-DPI screen.
  const int height = -Scaled((points * 96 + 36) / 72, scale);
  HFONT font = CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           unscaled ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_SWISS, unscaled ? "MS Sans Serif" : "Tahoma");
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts[{key, points, bold}] = font;
  return font;
}

HFONT ProgramFont(double scale) { return ProgramFontOfSize(scale, 8); }

void ApplyFont(HWND window, HFONT font) {
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EnumChildWindows(
      window,
      [](HWND child, LPARAM f) -> BOOL {
        SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(f), TRUE);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(font));
}

void SetClientSize(HWND window, int width, int height) {
  const double scale = WindowScale(window);
  RECT rect{0, 0, Scaled(width, scale), Scaled(height, scale)};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
  AdjustWindowRectEx(&rect, style, GetMenu(window) != nullptr, exStyle);
  SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // A menu bar that wraps takes rows from the client area; give them back.
  RECT client{};
  GetClientRect(window, &client);
  const int missing = Scaled(height, scale) - client.bottom;
  if (missing > 0) {
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top + missing,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void PlaceControls(HWND window, std::span<const ControlPlace> places) {
  const double scale = WindowScale(window);
  for (const ControlPlace& place : places) {
    HWND child = GetDlgItem(window, place.id);
    if (!child) continue;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (place.width == 0 || place.height == 0) flags |= SWP_NOSIZE;
    SetWindowPos(child, nullptr, Scaled(place.left, scale), Scaled(place.top, scale),
                 Scaled(place.width, scale), Scaled(place.height, scale), flags);
  }
}

void CentreOnScreen(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveToScreen(HWND window, int left, int top) {
  const double scale = WindowScale(window);
  SetWindowPos(window, nullptr, Scaled(left, scale), Scaled(top, scale), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace snpp::win32
