#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "controls/check_list_geometry.h"

namespace snpp {
namespace {

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

// The tick and the bevels are checked on real pixels in the drawing tests.
TEST(CheckListGeometry, CrossStaysInsideTheBevels) {
  const auto g = ComputeBoxGeometry(16, 1);
  std::set<std::pair<int, int>> cross;
  for (Segment s : MarkSegments(g, csX))
    for (Point p : LinePixels(s)) {
      EXPECT_TRUE(p.x >= 3 && p.x <= 11 && p.y >= 3 && p.y <= 11) << p.x << "," << p.y;
      cross.insert({p.x, p.y});
    }
  EXPECT_TRUE(cross.count({7, 7}) && cross.count({4, 4}) && cross.count({10, 4}) && cross.count({4, 10}));
}

}  // namespace
}  // namespace snpp
