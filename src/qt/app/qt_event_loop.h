#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include <QObject>

#include "net/event_loop.h"

class QSocketNotifier;

// Runs the line client's socket notifications on Qt's event loop: watched
// descriptors through QSocketNotifier, posted calls as queued calls. Use it
// from the GUI thread only; it must outlive the clients that use it.
class QtEventLoop : public snpp::net::EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;
  QtEventLoop(const QtEventLoop&) = delete;
  QtEventLoop& operator=(const QtEventLoop&) = delete;

  void Watch(int fd, Direction dir, Callback fn) override;
  void Unwatch(int fd, Direction dir) override;
  void Post(Callback fn) override;

  // Exceptions must not cross Qt's event loop: one escaping a callback lands
  // here instead. Without a handler it is written to the debug log.
  std::function<void(std::exception_ptr)> OnException;

 private:
  struct Watcher {
    std::unique_ptr<QSocketNotifier> notifier;
    Callback fn;
    bool enabled = false;
  };
  using Key = std::pair<int, Direction>;

  void Activated(Key key);
  void Run(const Callback& fn);

  QObject context_;  // queued calls die with it
  std::map<Key, Watcher> watchers_;
};
