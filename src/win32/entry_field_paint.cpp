// How an entry field window draws itself: into an off-screen bitmap first,
// copied to the screen in one operation, so typing never flickers.

#include <algorithm>

#include "win32/entry_field_window.h"

namespace snpp::win32 {
namespace {

constexpr COLORREF kErrorBack = RGB(255, 0, 0);
constexpr COLORREF kErrorText = RGB(0, 0, 0);
constexpr COLORREF kControlCharColor = RGB(255, 0, 0);

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right <= left || bottom <= top) return;
  const RECT r{left, top, right, bottom};
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

COLORREF BackColour(TFieldTone tone) {
  return tone == TFieldTone::Error ? kErrorBack : GetSysColor(COLOR_WINDOW);
}

COLORREF TextColour(TFieldTone tone) {
  switch (tone) {
    case TFieldTone::Disabled: return GetSysColor(COLOR_GRAYTEXT);
    case TFieldTone::Error: return kErrorText;
    default: return GetSysColor(COLOR_WINDOWTEXT);
  }
}

}  // namespace

void EntryFieldWindow::Render(HDC target) {
  RECT r{};
  GetClientRect(window_, &r);
  const int width = r.right, height = r.bottom;
  if (width <= 0 || height <= 0) return;
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

  const TFieldLayout layout = Layout();
  Fill(dc, 0, 0, width, height, BackColour(layout.BackTone()));
  DrawEdge(dc, width, height, layout);
  const TFieldBox client = layout.Client();
  IntersectClipRect(dc, client.left, client.top, client.Right(), client.Bottom());
  DrawText(dc, layout);

  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// The sunken edge: an outer ring of shadow over highlight and an inner
// ring of dark shadow over light, each a layout pixel thick.
void EntryFieldWindow::DrawEdge(HDC dc, int w, int h, const TFieldLayout& layout) const {
  const int o = layout.Px(1), e = layout.Edge();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_3DDKSHADOW), light = GetSysColor(COLOR_3DLIGHT);
  Fill(dc, 0, 0, w - o, o, shadow);
  Fill(dc, 0, 0, o, h - o, shadow);
  Fill(dc, 0, h - o, w, h, highlight);
  Fill(dc, w - o, 0, w, h, highlight);
  Fill(dc, o, o, w - e, e, dark);
  Fill(dc, o, o, e, h - e, dark);
  Fill(dc, o, h - e, w - o, h - o, light);
  Fill(dc, w - e, o, w - o, h - o, light);
}

void EntryFieldWindow::DrawText(HDC dc, const TFieldLayout& layout) const {
  const auto& t = model_->Text();
  const bool focused = HasFocus();
  const COLORREF text = TextColour(layout.TextTone(focused));
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  HGDIOBJ oldFont = SelectObject(dc, DrawingFont());
  SetBkMode(dc, TRANSPARENT);
  const int top = layout.TextTop();
  const int unit = layout.Px(1);
  RECT clientRect{};
  GetClientRect(window_, &clientRect);
  int x = layout.TextLeft();
  for (int i = layout.FirstDrawn(); i < static_cast<int>(t.size()) && x < clientRect.right; ++i) {
    const int w = layout.CharWidth(t[i]);
    COLORREF fg = IsControlChar(t[i]) ? kControlCharColor : text;
    if (layout.Selected(i, focused)) {
      Fill(dc, x, top, x + w, top + lineHeight_, highlight);
      fg = highlightText;
    }
    if (IsControlChar(t[i])) {
      const TFieldBox m = layout.ControlMark({x, top, w, lineHeight_});
      Fill(dc, m.left, m.top, m.Right(), m.top + unit, fg);
      Fill(dc, m.left, m.Bottom() - unit, m.Right(), m.Bottom(), fg);
      Fill(dc, m.left, m.top, m.left + unit, m.Bottom(), fg);
      Fill(dc, m.Right() - unit, m.top, m.Right(), m.Bottom(), fg);
    } else {
      const char byte = static_cast<char>(t[i] <= 0xFF ? t[i] : U'?');
      SetTextColor(dc, fg);
      TextOutA(dc, x, top, &byte, 1);
    }
    x += w;
  }
  SelectObject(dc, oldFont);
}

}  // namespace snpp::win32
