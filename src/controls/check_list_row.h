#pragma once

#include <cstdint>

namespace snpp {

// Keys that move a list's current item; each front end maps its own keys.
enum class ListMove { Previous, Next, PageUp, PageDown, First, Last };

// What one check-list row shows, decided by the model for every front end.
struct RowLook {
  bool valid = false;     // false below the last item: background only
  bool grayFill = false;  // the box is filled with the gray pattern
  bool mark = false;      // the box carries the tick (or cross)
  bool selected = false;  // highlight behind the text, highlight-text colour
  bool focused = false;   // the focus mark around the text area
};

// The box's fixed colours; the background, text, highlight and mark colours
// follow the system's.
struct Rgb {
  std::uint8_t r, g, b;
};
inline constexpr Rgb kBoxOutline{192, 204, 216};
inline constexpr Rgb kBevelDark{80, 100, 128};
inline constexpr Rgb kBevelInner{0, 0, 0};
inline constexpr Rgb kBevelLight{128, 152, 176};
inline constexpr Rgb kBoxFill{255, 255, 255};
// The grayed box: a one-pixel checkerboard, dark where x + y is even,
// tiled from the row's origin.
inline constexpr Rgb kGrayPatternDark{128, 128, 128};
inline constexpr Rgb kGrayPatternLight{192, 192, 192};
constexpr bool GrayPatternIsDark(int x, int y) { return (x + y) % 2 == 0; }

// A row shows at most this many characters of its item.
inline constexpr int kMaxShownChars = 255;

}  // namespace snpp
