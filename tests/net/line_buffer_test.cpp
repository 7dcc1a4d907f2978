#include "net/line_buffer.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace snpp::net {
namespace {

void Feed(LineBuffer& b, const std::string& bytes) {
  auto room = b.FreeSpace();
  ASSERT_LE(bytes.size(), room.size());
  std::memcpy(room.data(), bytes.data(), bytes.size());
  b.Commit(bytes.size());
}

std::vector<std::string> Lines(LineBuffer& b) {
  std::vector<std::string> out;
  std::string_view line;
  while (b.TakeLine(line)) out.emplace_back(line);
  return out;
}

TEST(LineBuffer, CutsAtTheTerminatorAndKeepsTheTail) {
  LineBuffer b;
  b.SetTerminator("\r\n");
  Feed(b, "a\r\nb\r\n\r\nc");
  EXPECT_EQ(Lines(b), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(b.Count(), 1u);
  Feed(b, "d\r");
  EXPECT_TRUE(Lines(b).empty());
  Feed(b, "\n");
  EXPECT_EQ(Lines(b), (std::vector<std::string>{"cd"}));
  EXPECT_EQ(b.Count(), 0u);
}

TEST(LineBuffer, WithoutTerminatorEverythingIsOnePiece) {
  LineBuffer b;
  Feed(b, std::string("x\0y\r\n", 5));
  EXPECT_EQ(Lines(b), (std::vector<std::string>{std::string("x\0y\r\n", 5)}));
  EXPECT_TRUE(Lines(b).empty());
}

TEST(LineBuffer, AZeroByteCanBeTheTerminator) {
  LineBuffer b;
  b.SetTerminator(std::string(1, '\0'));
  Feed(b, std::string("ab\0cd", 5));
  EXPECT_EQ(Lines(b), (std::vector<std::string>{"ab"}));
  std::string_view rest;
  ASSERT_TRUE(b.TakeRest(rest));
  EXPECT_EQ(rest, "cd");
}

TEST(LineBuffer, ATailAfterTakenLinesStillGetsAllTheRoom) {
  // After lines are taken the tail sits behind them; fresh bytes must land
  // right behind the tail, never over it or past the capacity.
  LineBuffer b(8);
  b.SetTerminator("\r\n");
  Feed(b, "abcd\r\nx");
  EXPECT_EQ(Lines(b), (std::vector<std::string>{"abcd"}));
  EXPECT_EQ(b.FreeSpace().size(), 7u);
  Feed(b, "yz\r\n");
  EXPECT_EQ(Lines(b), (std::vector<std::string>{"xyz"}));
}

TEST(LineBuffer, FullBufferAndCapacityLimits) {
  LineBuffer b(4);
  b.SetTerminator("\r\n");
  Feed(b, "abc\r");
  EXPECT_TRUE(Lines(b).empty());
  EXPECT_TRUE(b.Full());
  EXPECT_TRUE(b.FreeSpace().empty());
  std::string_view rest;
  ASSERT_TRUE(b.TakeRest(rest));
  EXPECT_EQ(rest, "abc\r");  // a terminator split by a full buffer is not one
  Feed(b, "\nz");
  EXPECT_TRUE(Lines(b).empty());

  b.SetTerminator("toolong");  // longer than the buffer: never matches
  b.Clear();
  Feed(b, "tool");
  EXPECT_TRUE(Lines(b).empty());
  EXPECT_TRUE(b.Full());

  b.SetCapacity(0);
  EXPECT_EQ(b.Capacity(), 1u);
  EXPECT_EQ(b.FreeSpace().size(), 1u);
}

}  // namespace
}  // namespace snpp::net
