#include "win32/button_images.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "win32/window_look.h"

namespace snpp::win32 {
namespace {

constexpr char kImageProperty[] = "SnppButtonImage";
constexpr INT_PTR kDefaultFlag = 0x100;

// Draws on an 18-unit grid scaled to the picture's size. Every coordinate is
// rounded to a whole device pixel, and strokes are drawn as wide pens of a
// whole pixel count, so a larger picture is drawn again, never stretched.
// With a single `ink` every part takes that colour, for the embossed copy.
class Painter {
 public:
  Painter(HDC dc, int left, int top, int size, COLORREF ink, bool monochrome)
      : dc_(dc), left_(left), top_(top), unit_(size / double(kButtonImageSize)), ink_(ink),
        monochrome_(monochrome) {}

  void Stroke(std::initializer_list<POINT> points, double width, COLORREF colour) {
    LOGBRUSH brush{BS_SOLID, Colour(colour), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER, Width(width), &brush, 0,
                            nullptr);
    HGDIOBJ old = SelectObject(dc_, pen);
    const std::vector<POINT> device = Device(points);
    Polyline(dc_, device.data(), static_cast<int>(device.size()));
    SelectObject(dc_, old);
    DeleteObject(pen);
  }

  void Fill(std::initializer_list<POINT> points, COLORREF fill, COLORREF outline, bool round = false) {
    HPEN pen = CreatePen(PS_SOLID, Width(1), Colour(outline));
    HBRUSH brush = CreateSolidBrush(Colour(fill));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    const std::vector<POINT> device = Device(points);
    if (round) {
      Ellipse(dc_, device[0].x, device[0].y, device[1].x, device[1].y);
    } else {
      Polygon(dc_, device.data(), static_cast<int>(device.size()));
    }
    SelectObject(dc_, oldPen);
    SelectObject(dc_, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
  }

 private:
  COLORREF Colour(COLORREF own) const { return monochrome_ ? ink_ : own; }
  int Width(double units) const { return std::max(1, static_cast<int>(std::lround(units * unit_))); }
  std::vector<POINT> Device(std::initializer_list<POINT> points) const {
    std::vector<POINT> device;
    for (const POINT& p : points) {
      device.push_back({left_ + static_cast<LONG>(std::lround(p.x * unit_)),
                        top_ + static_cast<LONG>(std::lround(p.y * unit_))});
    }
    return device;
  }

  HDC dc_;
  int left_, top_;
  double unit_;
  COLORREF ink_;
  bool monochrome_;
};

void DrawShape(Painter& p, ButtonImage image) {
  switch (image) {
    case ButtonImage::Tick:
      p.Stroke({{3, 9}, {7, 13}, {14, 4}}, 3, RGB(0, 128, 0));
      break;
    case ButtonImage::Cross:
    case ButtonImage::RedCross: {
      const COLORREF colour = image == ButtonImage::Cross ? RGB(0, 0, 128) : RGB(255, 0, 0);
      p.Stroke({{4, 4}, {13, 13}}, 3, colour);
      p.Stroke({{13, 4}, {4, 13}}, 3, colour);
      break;
    }
    case ButtonImage::Abort:
      p.Fill({{1, 1}, {17, 17}}, RGB(208, 0, 0), RGB(128, 0, 0), true);
      p.Stroke({{6, 6}, {11, 11}}, 2, RGB(255, 255, 255));
      p.Stroke({{11, 6}, {6, 11}}, 2, RGB(255, 255, 255));
      break;
    case ButtonImage::Send:
      p.Fill({{1, 9}, {17, 2}, {12, 16}, {9, 11}}, RGB(255, 255, 255), RGB(0, 0, 128));
      p.Stroke({{9, 11}, {16, 3}}, 1, RGB(0, 0, 128));
      break;
    case ButtonImage::Clear:
      p.Fill({{4, 1}, {14, 1}, {14, 16}, {4, 16}}, RGB(255, 255, 255), RGB(0, 0, 0));
      for (int y = 4; y <= 13; y += 3) p.Stroke({{6, y}, {11, y}}, 1, RGB(96, 96, 96));
      // Ends a unit short of the grid's edge, so that its square cap stays
      // clear of a button only 21 pixels high.
      p.Stroke({{3, 15}, {15, 3}}, 2, RGB(200, 0, 0));
      break;
  }
}

int TextFlags() { return DT_SINGLELINE | DT_VCENTER | DT_LEFT; }

// A default button looks like one unless another push button has the focus.
bool LooksDefault(HWND button, bool isDefault, bool focused) {
  if (focused) return true;
  if (!isDefault) return false;
  HWND focus = GetFocus();
  return !(focus && focus != button && GetParent(focus) == GetParent(button) && IsPushButton(focus));
}

// The focus moved: the default button of the same window may change looks.
void RefreshDefaultSiblings(HWND button) {
  for (HWND sibling = GetWindow(GetParent(button), GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != button && (reinterpret_cast<INT_PTR>(GetPropA(sibling, kImageProperty)) & kDefaultFlag)) {
      InvalidateRect(sibling, nullptr, FALSE);
    }
  }
}

void DrawCaption(HDC dc, HWND button, RECT content, bool enabled, double scale) {
  char caption[128] = {};
  GetWindowTextA(button, caption, sizeof caption);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(button, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  RECT measure{0, 0, 0, 0};
  DrawTextA(dc, caption, -1, &measure, TextFlags() | DT_CALCRECT);
  const int image = Scaled(kButtonImageSize, scale);
  const int gap = caption[0] ? Scaled(4, scale) : 0;
  const int total = image + gap + measure.right;
  const int left = content.left + (content.right - content.left - total) / 2;
  const int imageTop = content.top + (content.bottom - content.top - image) / 2;
  // A button lower than the picture and its edges cuts the picture, never
  // its own edge.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
  DrawButtonImage(dc, static_cast<ButtonImage>((reinterpret_cast<INT_PTR>(GetPropA(button, kImageProperty)) & 0xff) - 1),
                  left, imageTop, image, enabled);
  RestoreDC(dc, saved);
  RECT text{left + image + gap, content.top, content.right, content.bottom};
  SetBkMode(dc, TRANSPARENT);
  if (enabled) {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, caption, -1, &text, TextFlags());
  } else {
    // Raised white text under grey, as the system greys a caption.
    OffsetRect(&text, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(dc, caption, -1, &text, TextFlags());
    OffsetRect(&text, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(dc, caption, -1, &text, TextFlags());
  }
  if (oldFont) SelectObject(dc, oldFont);
}

}  // namespace

void DrawButtonImage(HDC dc, ButtonImage image, int left, int top, int size, bool enabled) {
  if (enabled) {
    Painter painter(dc, left, top, size, 0, false);
    DrawShape(painter, image);
    return;
  }
  const int step = std::max(1, size / kButtonImageSize);
  Painter light(dc, left + step, top + step, size, GetSysColor(COLOR_BTNHIGHLIGHT), true);
  DrawShape(light, image);
  Painter shadow(dc, left, top, size, GetSysColor(COLOR_BTNSHADOW), true);
  DrawShape(shadow, image);
}

void SetButtonImage(HWND button, ButtonImage image, bool isDefault) {
  const INT_PTR value = (static_cast<INT_PTR>(image) + 1) | (isDefault ? kDefaultFlag : 0);
  SetPropA(button, kImageProperty, reinterpret_cast<HANDLE>(value));
  SendMessageA(button, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
}

bool IsImageButton(HWND window) { return window && GetPropA(window, kImageProperty) != nullptr; }

bool IsPushButton(HWND window) {
  char name[16] = {};
  if (!GetClassNameA(window, name, sizeof name) || lstrcmpiA(name, "Button") != 0) return false;
  const LONG_PTR type = GetWindowLongPtrA(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || IsImageButton(window);
}

bool PressImageButtonOnEnter(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
  HWND button = msg.hwnd;
  if (!IsImageButton(button) || !IsWindowEnabled(button)) return false;
  SendMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return true;
}

bool DrawImageButton(const DRAWITEMSTRUCT* item) {
  if (!item || item->CtlType != ODT_BUTTON || !IsImageButton(item->hwndItem)) return false;
  HWND button = item->hwndItem;
  HDC dc = item->hDC;
  const double scale = WindowScale(button);
  const bool focused = item->itemState & ODS_FOCUS;
  const bool pushed = item->itemState & ODS_SELECTED;
  const bool enabled = !(item->itemState & ODS_DISABLED);
  const bool isDefault = reinterpret_cast<INT_PTR>(GetPropA(button, kImageProperty)) & kDefaultFlag;
  if (item->itemAction == ODA_FOCUS) RefreshDefaultSiblings(button);

  RECT rect = item->rcItem;
  FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
  if (LooksDefault(button, isDefault, focused)) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&rect, -1, -1);
  }
  if (pushed) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
  }
  RECT content = rect;
  InflateRect(&content, -2, -2);
  if (pushed) OffsetRect(&content, 1, 1);
  DrawCaption(dc, button, content, enabled, scale);
  if (focused && !(item->itemState & ODS_NOFOCUSRECT)) {
    RECT focus = rect;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  return true;
}

}  // namespace snpp::win32
