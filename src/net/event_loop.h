#pragma once

#include <functional>

namespace snpp::net {

// The one thread that runs every socket notification and every event of the
// line client. The socket layer needs only two services from it.
//
// Contract for implementations:
// - Every method is called on the loop's own thread; nothing here is
//   thread-safe and nothing needs to be.
// - Watch(fd, dir, fn): from the next turn of the loop on, call fn on the loop
//   thread whenever fd is ready for dir (level-triggered: it is called again on
//   later turns while the condition holds). A second Watch for the same fd and
//   direction replaces the callback. Readiness includes error and hang-up
//   conditions; the callback finds out which by itself.
// - Unwatch(fd, dir): stop calling the callback. Takes effect at once, also for
//   readiness already observed in the current turn, and may be called from
//   inside any callback, including the one being unwatched. Unwatching a
//   descriptor that is not watched does nothing. Callers unwatch a descriptor
//   before closing it.
// - A callback may be called spuriously (the descriptor turns out not to be
//   ready); callers must tolerate that, e.g. by getting EAGAIN.
// - Post(fn): run fn once on the loop thread later, never inside Post itself.
//   Posted callables run in the order they were posted.
// - Callbacks may call Watch, Unwatch and Post freely.
class EventLoop {
 public:
  enum class Direction { Read, Write };
  using Callback = std::function<void()>;

  virtual ~EventLoop() = default;

  virtual void Watch(int fd, Direction dir, Callback fn) = 0;
  virtual void Unwatch(int fd, Direction dir) = 0;
  virtual void Post(Callback fn) = 0;
};

}  // namespace snpp::net
