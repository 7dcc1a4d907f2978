#include "win32/window_look.h"

#include <cmath>
#include <map>
#include <string>
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
// leave little room beside their tightest labels. So the scaled face gets the
// largest height at which each of those labels is no wider than it is in the
// bitmap face at 100 %, times the scale. (The widths are taken at 100 %: on a
// scaled screen "MS Sans Serif" names a larger bitmap set.)
int FittedHeight(int pixels, double scale, bool bold) {
  struct Label {
    const char* text;
    int width;  // in the 8-point bitmap face
  };
  static constexpr Label kTightest[] = {
      {"Standard messages:", 96}, {"Message Status:", 79}, {"Server IP Address:", 88}};
  const int full = Scaled(pixels, scale);
  const auto fits = [&](int height) {
    HFONT face = MakeFace("Tahoma", height, bold, false);
    bool all = true;
    for (const Label& label : kTightest) {
      all = all && TextWidth(face, label.text) <= Scaled(label.width * pixels / 11, scale);
    }
    DeleteObject(face);
    return all;
  };
  int height = full;
  while (height > full * 3 / 4 && !fits(height)) --height;
  return height;
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

void SizeLabelToText(HWND label) {
  if (label == nullptr) return;
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(label)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(label, text.data(), static_cast<int>(text.size()))));
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
  RECT rect{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  ABC last{};
  if (!text.empty() && GetCharABCWidthsA(dc, static_cast<unsigned char>(text.back()),
                                         static_cast<unsigned char>(text.back()), &last) &&
      last.abcC < 0) {
    rect.right -= last.abcC;
  }
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  // The scaled face's hinted glyphs are drawn a few pixels wider than its
  // measured extent says; without room the last character is cut.
  const double scale = WindowScale(label);
  const int room = scale > 1.0 ? Scaled(3, scale) : 0;
  SetWindowPos(label, nullptr, 0, 0, rect.right + metrics.tmOverhang + room, metrics.tmHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(label, nullptr, TRUE);
}

void DrawScaledEdge(HDC dc, RECT rect, UINT edge, int thickness) {
  if (thickness < 1) thickness = 1;
  const UINT outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
  const UINT inner = edge & (BDR_RAISEDINNER | BDR_SUNKENINNER);
  for (UINT part : {outer, inner}) {
    if (part == 0) continue;
    for (int i = 0; i < thickness; ++i) DrawEdge(dc, &rect, part, BF_RECT | BF_ADJUST);
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
