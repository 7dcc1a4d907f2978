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

namespace {

HFONT MakeFace(const char* face, int pixelHeight, bool bold, bool smooth) {
  return CreateFontA(-pixelHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     smooth ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS,
                     face);
}

int TextWidth(HFONT font, const char* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text, static_cast<int>(lstrlenA(text)), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

// Tahoma runs wider than the bitmap face at the same height, and the layouts
// leave no slack beside their labels. So the scaled face gets the largest
// height at which a typical label is no wider than the bitmap face's, scaled.
int FittedHeight(int pixels, double scale, bool bold) {
  static const char kSample[] = "Standard messages: Pager Number:";
  HFONT bitmap = MakeFace("MS Sans Serif", pixels, bold, true);
  const int room = Scaled(TextWidth(bitmap, kSample), scale);
  DeleteObject(bitmap);
  const int full = Scaled(pixels, scale);
  for (int height = full; height > full * 3 / 4; --height) {
    HFONT face = MakeFace("Tahoma", height, bold, false);
    const int width = TextWidth(face, kSample);
    DeleteObject(face);
    if (width <= room) return height;
  }
  return full * 3 / 4;
}

}  // namespace

HFONT ProgramFontOfSize(double scale, int points, bool bold) {
  static std::map<std::tuple<int, int, bool>, HFONT> fonts;
  const int key = Scaled(100, scale);
  auto found = fonts.find({key, points, bold});
  if (found != fonts.end()) return found->second;
  // 8 points are 11 pixels on a 96-DPI screen.
  const int pixels = (points * 96 + 36) / 72;
  HFONT font = key == 100 ? MakeFace("MS Sans Serif", pixels, bold, true)
                          : MakeFace("Tahoma", FittedHeight(pixels, scale, bold), bold, false);
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

void SetProgramIcon(HWND window, HINSTANCE instance) {
  const int big = GetSystemMetrics(SM_CXICON);
  const int small = GetSystemMetrics(SM_CXSMICON);
  HANDLE bigIcon = LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, big, big, 0);
  HANDLE smallIcon = LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, small, small, 0);
  if (bigIcon) SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  if (smallIcon) SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

void MoveToScreen(HWND window, int left, int top) {
  const double scale = WindowScale(window);
  SetWindowPos(window, nullptr, Scaled(left, scale), Scaled(top, scale), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace snpp::win32
