#include "net/poll_event_loop.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

namespace snpp::net {
namespace {

TEST(PollEventLoop, PostsRunLaterInOrderAndWatchersStopWhenUnwatched) {
  PollEventLoop loop;
  std::vector<std::string> seen;
  loop.Post([&] {
    seen.push_back("first");
    loop.Post([&] { seen.push_back("third"); });
  });
  loop.Post([&] { seen.push_back("second"); });
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second", "third"}));

  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  int calls = 0;
  // Two watchers ready in one turn: the first removes the second, which must
  // then not run on readiness seen before it was removed.
  ASSERT_EQ(::write(fds[1], "x", 1), 1);
  loop.Watch(fds[0], EventLoop::Direction::Read, [&] {
    ++calls;
    loop.Unwatch(fds[0], EventLoop::Direction::Read);
    loop.Unwatch(fds[1], EventLoop::Direction::Write);
  });
  loop.Watch(fds[1], EventLoop::Direction::Write, [&] { ++calls; });
  loop.RunOnce(std::chrono::milliseconds(1000));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_FALSE(loop.HasWork());
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace
}  // namespace snpp::net
