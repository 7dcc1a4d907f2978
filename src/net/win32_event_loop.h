#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>

#include "event_loop.h"
#include "loop_turns.h"

struct tagMSG;  // the system's MSG

namespace snpp::net {

// The paging engine's loop on Windows: the thread's message queue. Socket
// notifications reach the line clients' hidden windows through it, posted
// calls and the program's timer run from it. Descriptors are not watched:
// the Windows socket layer needs only Post. Single-threaded.
//
// An exception escaping a callback or an event handler is given to
// OnException when set (the program shows it in a message box and goes on),
// else it leaves the Run… call that dispatched it.
class Win32EventLoop : public EventLoop, public LoopTurns<Win32EventLoop> {
 public:
  Win32EventLoop();
  ~Win32EventLoop() override;
  Win32EventLoop(const Win32EventLoop&) = delete;
  Win32EventLoop& operator=(const Win32EventLoop&) = delete;

  void Watch(int fd, Direction dir, Callback fn) override;  // throws std::logic_error
  void Unwatch(int fd, Direction dir) override;             // does nothing
  void Post(Callback fn) override;

  // Calls fn every `period` until StopTimer (one timer per loop).
  void StartTimer(Duration period, Callback fn);
  void StopTimer();

  // One turn: runs the callables posted before the turn, waits up to
  // `timeout` for a message (not at all if posts are waiting) and dispatches
  // every message queued. Returns how many callbacks and messages ran.
  std::size_t RunOnce(Duration timeout);
  bool PostedWaiting() const { return !posted_.empty(); }
  bool HasWork() const { return !posted_.empty(); }

  // The program's loop: runs until Quit, returns its code.
  int Run();
  void Quit(int code);
  // Quit was called (or WM_QUIT taken) and Run has not started again: a
  // nested loop (a modal window's) ends its turns then.
  bool QuitRequested() const { return quit_; }

  std::function<void(std::exception_ptr)> OnException;

  // Sees each message before it is dispatched (given as a MSG*); true when
  // it has handled it. A window program gives its dialog keys here (Tab,
  // mnemonics); an exception such a handler held is handled as a
  // dispatched message's.
  std::function<bool(void* message)> OnMessage;

  // The general error display: the error's text, with a full stop when it
  // ends in a character after ".", in a box captioned "SNPP Client".
  static void ShowErrorBox(std::exception_ptr error);
  static std::string ErrorBoxText(std::exception_ptr error);

 private:
  std::size_t RunPosted();
  std::size_t DispatchQueued();
  void Dispatched();
  void Deliver(::tagMSG& msg);
  void Handle(std::exception_ptr error);

  void* window_ = nullptr;  // a message-only window for the timer
  std::deque<Callback> posted_;
  Callback timer_;
  bool quit_ = false;
  int exitCode_ = 0;
  friend struct Win32LoopAccess;
};

}  // namespace snpp::net
