#pragma once
// A top-level window holding entry fields and an EDIT to leave them for,
// with keys sent the way the message loop delivers them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "win32/entry_field_window.h"
#include "win32/window_look.h"

namespace snpp::win32 {

class FieldHost : public ::testing::Test {
 protected:
  void SetUp() override {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterEntryFieldClasses(instance));
    SetEntryFieldBeepHook([this] { ++beeps; });
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "FieldTestHost";
    RegisterClassA(&wc);
    host = CreateWindowExA(0, "FieldTestHost", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                           nullptr, nullptr, instance, nullptr);
    ASSERT_NE(host, nullptr);
    SetForegroundWindow(host);
    other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 150, 40, 80, 21, host, nullptr, instance,
                            nullptr);
    SetFocus(other);
  }

  void TearDown() override {
    DestroyWindow(host);
    SetEntryFieldBeepHook({});
    Hold({});
  }

  EntryFieldWindow& Make(const char* cls, int left = 8, int width = 77, DWORD style = 0) {
    HWND w = CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, left, 40, width, 21, host,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont(WindowScale(w))), TRUE);
    EntryFieldWindow* field = EntryFieldWindow::From(w);
    EXPECT_NE(field, nullptr);
    field->SetController(&controller);
    return *field;
  }

  // The modifier keys as GetKeyState reports them while the next keys arrive.
  static void Hold(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
  }
  static void Press(HWND w, int key) { SendMessageA(w, WM_KEYDOWN, key, 1); }
  static void Type(HWND w, const std::string& text) {
    for (char c : text) SendMessageA(w, WM_CHAR, static_cast<unsigned char>(c), 1);
  }
  static std::string Text(HWND w) {
    char buffer[300] = {};
    GetWindowTextA(w, buffer, sizeof buffer);
    return buffer;
  }

  TEntryController controller;
  HWND host = nullptr;
  HWND other = nullptr;
  int beeps = 0;
};

// The window's pixels as its paint handler draws them.
class Picture {
 public:
  explicit Picture(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    width_ = r.right;
    height_ = r.bottom;
    HDC screen = GetDC(w);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width_, height_);
    ReleaseDC(w, screen);
    old_ = SelectObject(dc_, bitmap_);
    PrintWindow(w, dc_, PW_CLIENTONLY);
  }
  ~Picture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rightmost column holding `colour` inside the edge, or -1.
  int RightmostOf(COLORREF colour, int edge) const {
    int found = -1;
    for (int y = edge; y < height_ - edge; ++y)
      for (int x = edge; x < width_ - edge; ++x)
        if (At(x, y) == colour) found = std::max(found, x);
    return found;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  int width_, height_;
};

}  // namespace snpp::win32
