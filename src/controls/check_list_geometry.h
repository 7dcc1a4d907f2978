#pragma once

#include <array>
#include <vector>

#include "controls/check_list_state.h"

namespace snpp {

// Pixel layout of one check-list row, relative to the row's top-left
// corner. Kept free of the toolkit so the exact pixels can be checked.

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(Point, Point) = default;
};

// A line from `from` towards `to`; like a classic MoveTo/LineTo the end
// point itself is not drawn, so polylines do not draw corners twice.
struct Segment {
  Point from;
  Point to;
};

struct BoxGeometry {
  int x = 0;           // box origin, also its y
  int y = 0;
  int d = 0;           // box side, always odd
  int textX = 0;       // left edge of the text
  int highlightX = 0;  // left edge of the highlight and focus rectangle
};

BoxGeometry ComputeBoxGeometry(int itemHeight, int boxMargin);

// The three bevel polylines of the box, from the outside in: the dark
// top-left edge, the black inner top-left edge, the light bottom-right edge.
std::array<std::array<Point, 3>, 3> BevelPolylines(const BoxGeometry& g);

// Lines of the mark, each one pixel wide, together three pixels thick.
std::vector<Segment> MarkSegments(const BoxGeometry& g, TCheckStyle style);

// Pixels a segment or an open polyline covers, end point excluded.
std::vector<Point> LinePixels(Segment s);
std::vector<Point> PolylinePixels(const std::array<Point, 3>& points);

// Whether a press at x lies in the box zone of a row starting at rowLeft.
// The zone is a little wider than the box: it runs to ItemHeight - margin/2.
bool InBoxZone(int x, int rowLeft, int itemHeight, int boxMargin);

// Top of the text in a row, centred by integer division.
constexpr int TextTop(int itemHeight, int textHeight) { return (itemHeight - textHeight) / 2; }

}  // namespace snpp
