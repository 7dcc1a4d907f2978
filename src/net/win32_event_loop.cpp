// Without winsock.h, whose macros clash with our own declarations.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "general_error_text.h"
#include "win32_event_loop.h"
#include "win32_notifications.h"

namespace snpp::net {

namespace {

constexpr char kLoopClass[] = "__line_client_loop_wnd__";
constexpr UINT kWakeMessage = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1;

}  // namespace

// The window procedure reaches the loop's private timer through this.
struct Win32LoopAccess {
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* loop = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (loop != nullptr && message == WM_TIMER && wParam == kTimerId) {
      if (loop->timer_) {
        // A modal box's own loop may dispatch this too: never unwind through it.
        try {
          Win32EventLoop::Callback fn = loop->timer_;
          fn();
        } catch (...) {
          win32::HoldException(std::current_exception());
        }
      }
      return 0;
    }
    if (message == kWakeMessage) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
  }
};

Win32EventLoop::Win32EventLoop() {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Win32LoopAccess::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kLoopClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  HWND window = registered ? CreateWindowExA(0, kLoopClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             GetModuleHandleA(nullptr), nullptr)
                           : nullptr;
  if (window == nullptr) throw std::runtime_error("Unable to create the message window");
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  window_ = window;
}

Win32EventLoop::~Win32EventLoop() {
  auto* window = static_cast<HWND>(window_);
  KillTimer(window, kTimerId);
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

void Win32EventLoop::Watch(int, Direction, Callback) {
  throw std::logic_error("descriptors cannot be watched on Windows");
}

void Win32EventLoop::Unwatch(int, Direction) {}

void Win32EventLoop::Post(Callback fn) {
  // The wake-up only matters to a thread blocked in GetMessage.
  if (posted_.empty()) PostMessageA(static_cast<HWND>(window_), kWakeMessage, 0, 0);
  posted_.push_back(std::move(fn));
}

void Win32EventLoop::StartTimer(Duration period, Callback fn) {
  timer_ = std::move(fn);
  SetTimer(static_cast<HWND>(window_), kTimerId, static_cast<UINT>(period.count()), nullptr);
}

void Win32EventLoop::StopTimer() {
  KillTimer(static_cast<HWND>(window_), kTimerId);
  timer_ = nullptr;
}

void Win32EventLoop::Handle(std::exception_ptr error) {
  if (OnException) OnException(std::move(error));
  else std::rethrow_exception(error);
}

std::size_t Win32EventLoop::RunPosted() {
  std::size_t ran = 0;
  // Only what was posted before this turn; later posts wait for the next one.
  for (std::size_t n = posted_.size(); n > 0 && !posted_.empty(); --n) {
    Callback fn = std::move(posted_.front());
    posted_.pop_front();
    ++ran;
    try {
      fn();
    } catch (...) {
      Handle(std::current_exception());
    }
  }
  return ran;
}

void Win32EventLoop::Dispatched() {
  if (std::exception_ptr held = win32::TakeHeldException()) Handle(std::move(held));
}

void Win32EventLoop::Deliver(MSG& msg) {
  bool handled = false;
  if (OnMessage) {
    try {
      handled = OnMessage(&msg);
    } catch (...) {
      win32::HoldException(std::current_exception());
      handled = true;
    }
  }
  if (!handled) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  Dispatched();
}

std::size_t Win32EventLoop::DispatchQueued() {
  std::size_t ran = 0;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      Quit(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == kWakeMessage) continue;
    Deliver(msg);
    ++ran;
    // Calls posted by a handler run before further messages, so that a busy
    // socket cannot hold them back.
    if (!posted_.empty()) break;
  }
  return ran;
}

std::size_t Win32EventLoop::RunOnce(Duration timeout) {
  std::size_t ran = RunPosted();
  const DWORD wait = posted_.empty() && ran == 0 ? static_cast<DWORD>(timeout.count()) : 0;
  if (wait > 0) MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  return ran + DispatchQueued();
}

int Win32EventLoop::Run() {
  quit_ = false;
  while (!quit_) {
    RunPosted();
    if (quit_) break;
    MSG msg;
    if (posted_.empty()) WaitMessage();
    while (!quit_ && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        Quit(static_cast<int>(msg.wParam));
        break;
      }
      Deliver(msg);
    }
  }
  return exitCode_;
}

void Win32EventLoop::Quit(int code) {
  quit_ = true;
  exitCode_ = code;
  PostMessageA(static_cast<HWND>(window_), kWakeMessage, 0, 0);
}

std::string Win32EventLoop::ErrorBoxText(std::exception_ptr error) {
  return generalErrorText(errorMessageOf(std::move(error)));
}

void Win32EventLoop::ShowErrorBox(std::exception_ptr error) {
  MessageBoxA(GetActiveWindow(), ErrorBoxText(std::move(error)).c_str(), "SNPP Client", MB_OK | MB_ICONERROR);
}

}  // namespace snpp::net
