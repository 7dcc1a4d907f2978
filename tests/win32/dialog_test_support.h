#pragma once
// Drives the dialogs as a person would, through their messages, without a
// display: a modal showing runs its own loop, so the test's steps are run
// from inside it by a timer.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>
#include <string>

namespace dialog_test {

inline HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// Runs `step` from the message loop that is running next (a modal showing).
inline void Later(std::function<void()> step) {
  static std::function<void()> pending;
  pending = std::move(step);
  SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto run = std::move(pending);
    pending = nullptr;
    if (run) run();
  });
}

// Characters as typed: each one a WM_CHAR the field may refuse.
inline void Type(HWND field, const std::string& text) {
  for (unsigned char c : text) SendMessageA(field, WM_CHAR, c, 1);
}

inline void Retype(HWND field, const std::string& text) {
  SendMessageA(field, EM_SETSEL, 0, -1);
  Type(field, text);
}

// A key as the keyboard delivers it: through the queue, so the dialog
// manager sees it first.
inline void PressKey(HWND target, WPARAM key) { PostMessageA(target, WM_KEYDOWN, key, 1); }

inline std::string Text(HWND window) {
  char buffer[4096] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

// A child's rectangle in its parent's client pixels.
inline RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// A top-level window that owns the dialog under test.
struct Owner {
  Owner() {
    window = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                             Instance(), nullptr);
  }
  ~Owner() { DestroyWindow(window); }
  HWND window;
};

}  // namespace dialog_test
