#pragma once

#include <algorithm>
#include <chrono>
#include <functional>

namespace snpp::net {

// The ways tests, tools and the command-line pager turn a single-threaded
// loop, the same for the poll loop and the Windows message loop. Loop gives
// RunOnce(timeout), returning how many callbacks ran, and PostedWaiting().
template <class Loop>
class LoopTurns {
 public:
  using Duration = std::chrono::milliseconds;

  // Turns until nothing is posted and nothing is ready, or until `limit`
  // has passed. Returns true if the loop went idle.
  bool RunUntilIdle(Duration limit = Duration(5000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
      if (Self().RunOnce(Duration(0)) == 0 && !Self().PostedWaiting()) return true;
    }
    return false;
  }

  // Turns for about `span`, however busy the loop is.
  void RunFor(Duration span) {
    const auto end = std::chrono::steady_clock::now() + span;
    for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
      Self().RunOnce(std::chrono::duration_cast<Duration>(end - now) + Duration(1));
    }
  }

  // Turns until `done()` holds (checked before each turn) or `limit` passes.
  bool RunUntil(const std::function<bool()>& done, Duration limit = Duration(10000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= end) return false;
      // Short waits keep the predicate fresh even when it depends on outside state.
      Self().RunOnce(std::min(Duration(20), std::chrono::duration_cast<Duration>(end - now) + Duration(1)));
    }
    return true;
  }

 private:
  Loop& Self() { return static_cast<Loop&>(*this); }
};

}  // namespace snpp::net
