#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "controls/check_list_geometry.h"

namespace snpp {
namespace {

std::set<std::pair<int, int>> AsSet(const std::vector<Point>& pixels) {
  std::set<std::pair<int, int>> out;
  for (Point p : pixels) out.insert({p.x, p.y});
  return out;
}

TEST(CheckListGeometry, BoxIsOddAndTextStartsBehindIt) {
  auto g = ComputeBoxGeometry(16, 1);
  EXPECT_EQ(g.d, 13);
  EXPECT_EQ(g.x, 1);
  EXPECT_EQ(g.y, 1);
  EXPECT_EQ(g.textX, 15);
  EXPECT_EQ(g.highlightX, 14);
  EXPECT_EQ(ComputeBoxGeometry(17, 1).d, 15);
  EXPECT_EQ(ComputeBoxGeometry(16, 2).d, 11);
  EXPECT_EQ(TextTop(16, 13), 1);
  EXPECT_TRUE(InBoxZone(16, 0, 16, 1));
  EXPECT_FALSE(InBoxZone(17, 0, 16, 1));
}

TEST(CheckListGeometry, LinesLeaveOutTheirEndPoint) {
  EXPECT_EQ(LinePixels({{0, 0}, {3, 0}}), (std::vector<Point>{{0, 0}, {1, 0}, {2, 0}}));
  EXPECT_EQ(LinePixels({{2, 5}, {2, 2}}), (std::vector<Point>{{2, 5}, {2, 4}, {2, 3}}));
  EXPECT_EQ(LinePixels({{6, 8}, {11, 3}}), (std::vector<Point>{{6, 8}, {7, 7}, {8, 6}, {9, 5}, {10, 4}}));
  EXPECT_TRUE(LinePixels({{4, 4}, {4, 4}}).empty());
}

TEST(CheckListGeometry, TickIsThreePixelsThick) {
  auto g = ComputeBoxGeometry(16, 1);
  std::vector<Point> all;
  for (Segment s : MarkSegments(g, csCheck))
    for (Point p : LinePixels(s)) all.push_back(p);
  // Short stroke down from the left, long stroke up to the right; each
  // column holds three stacked pixels.
  const std::set<std::pair<int, int>> expected = {
      {4, 6}, {4, 7}, {4, 8}, {5, 7}, {5, 8}, {5, 9}, {6, 8}, {6, 9}, {6, 10},
      {7, 7}, {7, 8}, {7, 9}, {8, 6}, {8, 7}, {8, 8}, {9, 5}, {9, 6}, {9, 7},
      {10, 4}, {10, 5}, {10, 6}};
  EXPECT_EQ(AsSet(all), expected);

  std::vector<Point> cross;
  for (Segment s : MarkSegments(g, csX))
    for (Point p : LinePixels(s)) cross.push_back(p);
  for (Point p : cross) {  // stays inside the box's inner bevel
    EXPECT_GE(p.x, 3);
    EXPECT_LE(p.x, 11);
    EXPECT_GE(p.y, 3);
    EXPECT_LE(p.y, 11);
  }
  EXPECT_TRUE(AsSet(cross).count({7, 7}));
}

TEST(CheckListGeometry, BevelsDoNotDrawTheirLastCorner) {
  auto bevels = BevelPolylines(ComputeBoxGeometry(16, 1));
  auto dark = AsSet(PolylinePixels(bevels[0]));
  EXPECT_TRUE(dark.count({1, 1}) && dark.count({1, 12}) && dark.count({12, 1}));
  EXPECT_FALSE(dark.count({13, 1}) || dark.count({1, 13}));
  auto light = AsSet(PolylinePixels(bevels[2]));
  EXPECT_TRUE(light.count({2, 12}) && light.count({12, 12}) && light.count({12, 2}));
  EXPECT_FALSE(light.count({12, 1}));
}

}  // namespace
}  // namespace snpp
