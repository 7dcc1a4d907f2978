#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include <poll.h>

#include "event_loop.h"
#include "loop_turns.h"

namespace snpp::net {

// A poll()-based loop for tests, tools and benchmarks. Single-threaded.
class PollEventLoop : public EventLoop, public LoopTurns<PollEventLoop> {
 public:
  void Watch(int fd, Direction dir, Callback fn) override;
  void Unwatch(int fd, Direction dir) override;
  void Post(Callback fn) override;

  // One turn: runs the callables posted before the turn, then waits up to
  // `timeout` for a watched descriptor (not at all if posts are waiting) and
  // dispatches what is ready. Returns how many callbacks ran.
  std::size_t RunOnce(Duration timeout);

  bool PostedWaiting() const { return !posted_.empty(); }
  bool HasWork() const;

 private:
  struct Watcher {
    Callback fn;
    std::uint64_t serial = 0;  // 0 = not watched
  };
  struct Entry {
    Watcher read;
    Watcher write;
  };

  Watcher* Find(int fd, Direction dir);
  std::size_t RunPosted();
  std::size_t Dispatch(std::size_t index, short revents);

  std::vector<Entry> entries_;  // indexed by descriptor
  std::deque<Callback> posted_;
  std::vector<pollfd> pollfds_;
  std::vector<std::uint64_t> readSerials_;
  std::vector<std::uint64_t> writeSerials_;
  std::uint64_t nextSerial_ = 1;
};

}  // namespace snpp::net
