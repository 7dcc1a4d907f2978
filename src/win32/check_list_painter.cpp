#include "win32/check_list_painter.h"

#include <algorithm>
#include <string>

#include "controls/check_list_geometry.h"
#include "win32/window_look.h"

namespace snpp::win32 {
namespace {

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// A GDI object selected into a DC for the scope, then put back and freed.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object, bool owned = true) : dc_(dc), object_(object), owned_(owned) {
    previous_ = SelectObject(dc, object);
  }
  ~Selected() {
    SelectObject(dc_, previous_);
    if (owned_) DeleteObject(object_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ previous_;
  bool owned_;
};

// An off-screen bitmap with a DC of its own.
class Canvas {
 public:
  Canvas(HDC like, int width, int height)
      : dc_(CreateCompatibleDC(like)), bitmap_(dc_.dc, CreateCompatibleBitmap(like, std::max(width, 1), std::max(height, 1))) {}
  ~Canvas() = default;
  HDC Dc() const { return dc_.dc; }

 private:
  struct OwnedDc {
    explicit OwnedDc(HDC d) : dc(d) {}
    ~OwnedDc() { DeleteDC(dc); }
    HDC dc;
  };
  OwnedDc dc_;
  Selected bitmap_;
};

// Made once; every grayed box shares it.
HBRUSH GrayPatternBrush() {
  static const HBRUSH brush = [] {
    struct {
      BITMAPINFOHEADER header;
      DWORD pixels[8 * 8];
    } dib{};
    dib.header.biSize = sizeof dib.header;
    dib.header.biWidth = 8;
    dib.header.biHeight = -8;  // top row first
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 32;
    dib.header.biCompression = BI_RGB;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const Rgb c = GrayPatternIsDark(x, y) ? kGrayPatternDark : kGrayPatternLight;
        dib.pixels[y * 8 + x] = (DWORD{c.r} << 16) | (DWORD{c.g} << 8) | c.b;
      }
    return CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS);
  }();
  return brush;
}

void Polyline3(HDC dc, const std::array<Point, 3>& points, Rgb colour) {
  Selected pen(dc, CreatePen(PS_SOLID, 0, ToColorRef(colour)));
  POINT p[3];
  for (int i = 0; i < 3; ++i) p[i] = {points[i].x, points[i].y};
  Polyline(dc, p, 3);
}

// The box at the layout's own pixels: fill and outline, the three bevels,
// then the mark. Lines end short of their end point, as the layout expects.
void DrawBoxArt(HDC dc, const CheckListRowPaint& paint, const BoxGeometry& g) {
  {
    Selected pen(dc, CreatePen(PS_SOLID, 0, ToColorRef(kBoxOutline)));
    Selected brush(dc, paint.row.grayFill ? GrayPatternBrush() : CreateSolidBrush(ToColorRef(kBoxFill)),
                   !paint.row.grayFill);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    Rectangle(dc, g.x, g.y, g.x + g.d, g.y + g.d);
  }
  const auto bevels = BevelPolylines(g);
  Polyline3(dc, bevels[0], kBevelDark);
  Polyline3(dc, bevels[1], kBevelInner);
  Polyline3(dc, bevels[2], kBevelLight);
  if (!paint.row.mark) return;
  Selected pen(dc, CreatePen(PS_SOLID, 0, GetSysColor(COLOR_WINDOWTEXT)));
  for (const Segment& s : MarkSegments(g, paint.style)) {
    MoveToEx(dc, s.from.x, s.from.y, nullptr);
    LineTo(dc, s.to.x, s.to.y);
  }
}

// Dotted, inverting outline, as the system's focus mark; `unit` device
// pixels make one dot, so on a scaled screen the mark is the 100 % one
// enlarged rather than a hairline.
void DrawFocusMark(HDC dc, const RECT& r, int unit) {
  const auto dot = [&](int x, int y) {
    if (((x - r.left) / unit + (y - r.top) / unit) % 2 == 0) PatBlt(dc, x, y, unit, unit, DSTINVERT);
  };
  for (int x = r.left; x < r.right; x += unit) {
    dot(x, r.top);
    if (r.bottom - unit > r.top) dot(x, r.bottom - unit);
  }
  for (int y = r.top + unit; y < r.bottom - unit; y += unit) {
    dot(r.left, y);
    if (r.right - unit > r.left) dot(r.right - unit, y);
  }
}

// Bytes as shown: at most the row's share of characters; control bytes (a
// line break kept inside an entry) become visible instead of vanishing.
std::string ShownText(std::string_view text) {
  std::string shown(text.substr(0, kMaxShownChars));
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  return shown;
}

}  // namespace

void PaintCheckListRow(HDC dc, const RECT& rowRect, const CheckListRowPaint& paint) {
  const int width = rowRect.right - rowRect.left;
  const int height = rowRect.bottom - rowRect.top;
  if (width <= 0 || height <= 0) return;
  Canvas row(dc, width, height);
  HDC rowDc = row.Dc();
  const RECT whole{0, 0, width, height};
  FillRect(rowDc, &whole, GetSysColorBrush(COLOR_WINDOW));

  if (paint.row.valid) {
    const BoxGeometry g = ComputeBoxGeometry(paint.itemHeight, paint.boxMargin);
    const double s = paint.scale;
    // The box is pixel art on the layout's grid, enlarged by whole pixels.
    {
      Canvas art(dc, g.x + g.d, g.y + g.d);
      DrawBoxArt(art.Dc(), paint, g);
      const int left = Scaled(g.x, s), top = Scaled(g.y, s);
      SetStretchBltMode(rowDc, COLORONCOLOR);
      StretchBlt(rowDc, left, top, Scaled(g.x + g.d, s) - left, Scaled(g.y + g.d, s) - top, art.Dc(), g.x, g.y, g.d,
                 g.d, SRCCOPY);
    }
    const RECT highlight{Scaled(g.highlightX, s), 0, width, height};
    if (paint.row.selected) FillRect(rowDc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(rowDc, GetSysColor(paint.row.selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(rowDc, TRANSPARENT);
    Selected font(rowDc, paint.font ? paint.font : GetStockObject(DEFAULT_GUI_FONT), false);
    TEXTMETRICA metrics{};
    GetTextMetricsA(rowDc, &metrics);
    const std::string shown = ShownText(paint.text);
    ExtTextOutA(rowDc, Scaled(g.textX, s), TextTop(height, metrics.tmHeight), ETO_CLIPPED, &whole, shown.data(),
                static_cast<UINT>(shown.size()), nullptr);
    if (paint.row.focused) DrawFocusMark(rowDc, highlight, std::max(1, static_cast<int>(s)));
  }
  BitBlt(dc, rowRect.left, rowRect.top, width, height, rowDc, 0, 0, SRCCOPY);
}

}  // namespace snpp::win32
