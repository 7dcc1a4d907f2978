#include "win32/centred_edit.h"

#include <commctrl.h>

#include <algorithm>

namespace snpp::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x43454e54;  // any value of our own
// The rows taken off the client area above and below the text.
constexpr char kPadTop[] = "SnppPadTop";
constexpr char kPadBottom[] = "SnppPadBottom";

// The frame is measured again (WM_NCCALCSIZE) with the window where it is.
void Reframe(HWND edit) {
  SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEXTMETRICA FaceMetrics(HWND edit) {
  TEXTMETRICA metrics{};
  HDC dc = GetDC(edit);
  if (!dc) return metrics;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  GetTextMetricsA(dc, &metrics);
  if (old) SelectObject(dc, old);
  ReleaseDC(edit, dc);
  return metrics;
}

// The box inside the border and the client area, both in window pixels.
void Boxes(HWND edit, RECT& inner, RECT& client) {
  RECT window{};
  GetWindowRect(edit, &window);
  GetClientRect(edit, &client);
  MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  inner = client;
  inner.top = client.top - static_cast<LONG>(reinterpret_cast<INT_PTR>(GetPropA(edit, kPadTop)));
  inner.bottom = client.bottom + static_cast<LONG>(reinterpret_cast<INT_PTR>(GetPropA(edit, kPadBottom)));
}

void PaintPadding(HWND edit) {
  RECT inner{}, client{};
  Boxes(edit, inner, client);
  if (EqualRect(&inner, &client)) return;
  HDC dc = GetWindowDC(edit);
  if (!dc) return;
  const bool plain = IsWindowEnabled(edit) && !(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(edit), plain ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  if (!brush) brush = GetSysColorBrush(plain ? COLOR_WINDOW : COLOR_BTNFACE);
  const RECT above{inner.left, inner.top, inner.right, client.top};
  const RECT below{inner.left, client.bottom, inner.right, inner.bottom};
  FillRect(dc, &above, brush);
  FillRect(dc, &below, brush);
  ReleaseDC(edit, dc);
}

LRESULT CALLBACK CentredEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      RECT& box = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
      // What is centred is the glyphs' box, the line without the leading
      // above the tallest letters; the editor draws the whole line.
      const TEXTMETRICA face = FaceMetrics(edit);
      const int height = box.bottom - box.top;
      const int glyphs = face.tmHeight - face.tmInternalLeading;
      const int top = std::max(0, (height - glyphs) / 2 - static_cast<int>(face.tmInternalLeading));
      const int bottom = std::max(0, height - static_cast<int>(face.tmHeight) - top);
      box.top += top;
      box.bottom -= bottom;
      SetPropA(edit, kPadTop, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(top)));
      SetPropA(edit, kPadBottom, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(bottom)));
      return result;
    }
    case WM_NCPAINT:
    case WM_ENABLE: {
      // The padding's colour follows the field's state.
      const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      PaintPadding(edit);
      return result;
    }
    case WM_NCHITTEST: {
      const LRESULT hit = DefSubclassProc(edit, message, wParam, lParam);
      if (hit == HTCLIENT) return hit;
      RECT inner{}, client{}, window{};
      Boxes(edit, inner, client);
      GetWindowRect(edit, &window);
      const POINT at{static_cast<short>(LOWORD(lParam)) - window.left, static_cast<short>(HIWORD(lParam)) - window.top};
      return PtInRect(&inner, at) ? HTCLIENT : hit;
    }
    case WM_SETFONT: {
      const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
      Reframe(edit);
      return result;
    }
    case WM_NCDESTROY:
      RemovePropA(edit, kPadTop);
      RemovePropA(edit, kPadBottom);
      RemoveWindowSubclass(edit, CentredEdit, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace

void CentreTextVertically(HWND edit) {
  if (!edit || !SetWindowSubclass(edit, CentredEdit, kSubclassId, 0)) return;
  Reframe(edit);
}

}  // namespace snpp::win32
