// Without winsock.h, whose macros clash with our own declarations.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <unordered_map>
#include <utility>
#include <vector>

#include "win32_notifications.h"

namespace snpp::net::win32 {

namespace {

// What one hidden window knows: whose notifications it carries, and for
// which socket. Kept in the window's first extra slot.
struct WindowState {
  NotificationSink* sink = nullptr;
  Socket current = kInvalidSocket;
  HWND window = nullptr;
};

std::unordered_map<Socket, HWND> g_windowOf;  // selected sockets
std::exception_ptr g_held;

WindowState* StateOf(HWND window) { return reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, 0)); }

LRESULT CALLBACK SocketWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState* state = StateOf(window);
  if (state == nullptr || message != kSocketMessage) return DefWindowProcA(window, message, wParam, lParam);
  const auto s = static_cast<Socket>(wParam);
  // A socket closed or replaced may still have messages on their way.
  if (s == kInvalidSocket || s != state->current) return 0;
  try {
    state->sink->Deliver(s, static_cast<long>(LOWORD(lParam)), static_cast<int>(HIWORD(lParam)));
  } catch (...) {
    HoldException(std::current_exception());
  }
  return 0;
}

bool RegisterOnce() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSA wc{};
  wc.lpfnWndProc = SocketWindowProc;
  wc.cbWndExtra = 12;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kWindowClass;
  registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

void DropQueued(HWND window, Socket s) {
  MSG msg;
  std::vector<MSG> keep;
  while (PeekMessageA(&msg, window, kSocketMessage, kSocketMessage, PM_REMOVE)) {
    if (static_cast<Socket>(msg.wParam) != s) keep.push_back(msg);
  }
  for (const MSG& m : keep) PostMessageA(window, m.message, m.wParam, m.lParam);
}

}  // namespace

void* WindowFor(NotificationSink& sink) {
  if (auto* state = static_cast<WindowState*>(sink.LayerState().get())) return state->window;
  if (!RegisterOnce()) return nullptr;
  HWND window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  if (window == nullptr) return nullptr;
  auto* state = new WindowState{&sink, kInvalidSocket, window};
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
  // Dies with the sink; messages still queued for the window go with it.
  sink.LayerState() = std::shared_ptr<void>(state, [](void* p) {
    auto* st = static_cast<WindowState*>(p);
    SetWindowLongPtrA(st->window, 0, 0);
    DestroyWindow(st->window);
    if (st->current != kInvalidSocket) g_windowOf.erase(st->current);
    delete st;
  });
  return window;
}

void Selected(void* window, Socket s, bool active) {
  auto* hwnd = static_cast<HWND>(window);
  WindowState* state = StateOf(hwnd);
  if (state == nullptr) return;
  if (state->current != kInvalidSocket) g_windowOf.erase(state->current);
  state->current = active ? s : kInvalidSocket;
  DropQueued(hwnd, s);
  if (active) g_windowOf[s] = hwnd;
}

void Closed(Socket s) {
  const auto it = g_windowOf.find(s);
  if (it == g_windowOf.end()) return;
  if (WindowState* state = StateOf(it->second); state != nullptr && state->current == s) {
    state->current = kInvalidSocket;
  }
  DropQueued(it->second, s);
  g_windowOf.erase(it);
}

void HoldException(std::exception_ptr error) {
  if (!g_held) g_held = std::move(error);
}

std::exception_ptr TakeHeldException() { return std::exchange(g_held, nullptr); }

}  // namespace snpp::net::win32
