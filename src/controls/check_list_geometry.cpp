#include "controls/check_list_geometry.h"

#include <cstdlib>

namespace snpp {

BoxGeometry ComputeBoxGeometry(int itemHeight, int boxMargin) {
  BoxGeometry g;
  g.d = itemHeight - 2 * boxMargin;
  if (g.d % 2 == 0) --g.d;  // an odd side gives the mark a centre pixel
  g.x = boxMargin;
  g.y = boxMargin;
  g.textX = g.d + 2 * boxMargin;
  g.highlightX = g.textX - 1;
  return g;
}

std::array<std::array<Point, 3>, 3> BevelPolylines(const BoxGeometry& g) {
  const int x = g.x, y = g.y, d = g.d;
  return {{
      {{{x, y + d - 2}, {x, y}, {x + d - 1, y}}},
      {{{x + 1, y + d - 3}, {x + 1, y + 1}, {x + d - 2, y + 1}}},
      {{{x + 1, y + d - 2}, {x + d - 2, y + d - 2}, {x + d - 2, y}}},
  }};
}

std::vector<Segment> MarkSegments(const BoxGeometry& g, TCheckStyle style) {
  const int l = g.x + 3, t = g.y + 3, r = g.x + g.d - 3, b = g.y + g.d - 3;
  if (style == csX) {
    // Two diagonals, each widened by the lines just above and below it.
    std::vector<Segment> lines;
    for (int k = -1; k <= 1; ++k) {
      lines.push_back({{l, t + k}, {r, b + k}});
      lines.push_back({{l, b - 1 + k}, {r, t - 1 + k}});
    }
    return lines;
  }
  return {
      {{l, b - 5}, {l + 3, b - 2}},     {{l, b - 4}, {l + 3, b - 1}},
      {{l, b - 3}, {l + 3, b}},         {{l + 2, b - 3}, {r, t - 1}},
      {{l + 2, b - 2}, {r, t}},         {{l + 2, b - 1}, {r, t + 1}},
  };
}

std::vector<Point> LinePixels(Segment s) {
  // Bresenham; exact for the straight and diagonal lines drawn here.
  std::vector<Point> pixels;
  int x = s.from.x, y = s.from.y;
  const int dx = std::abs(s.to.x - x), dy = -std::abs(s.to.y - y);
  const int sx = x < s.to.x ? 1 : -1, sy = y < s.to.y ? 1 : -1;
  int err = dx + dy;
  while (x != s.to.x || y != s.to.y) {
    pixels.push_back({x, y});
    const int e2 = 2 * err;
    if (e2 >= dy) { err += dy; x += sx; }
    if (e2 <= dx) { err += dx; y += sy; }
  }
  return pixels;
}

std::vector<Point> PolylinePixels(const std::array<Point, 3>& points) {
  std::vector<Point> pixels = LinePixels({points[0], points[1]});
  for (Point p : LinePixels({points[1], points[2]})) pixels.push_back(p);
  return pixels;
}

bool InBoxZone(int x, int rowLeft, int itemHeight, int boxMargin) {
  return rowLeft <= x && x <= rowLeft + itemHeight - boxMargin / 2;
}

}  // namespace snpp
