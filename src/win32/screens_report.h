#pragma once
// The screenshot program's side of its talk with scripts/screenshots: for
// each window it prints where the controls sit and where the window is on
// the screen, then waits while the script takes the picture.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <span>
#include <string>

namespace snpp::win32::screens {

// A control of a window by its id, under the name the layout table uses.
struct ControlName {
  int id;
  const char* name;
};

// Runs the thread's messages for `ms` milliseconds, so that windows just
// shown are mapped and painted.
void PumpMessages(DWORD ms);

class ShotTaker {
 public:
  // `folder` is where the script puts the pictures (a Windows path); with
  // none, only the layout is reported and no picture is waited for.
  explicit ShotTaker(std::string folder) : folder_(std::move(folder)) {}

  // Prints "control LAYOUT NAME LEFT TOP WIDTH HEIGHT" for the client area
  // and each named child of `window`, in pixels of a 100 % screen.
  void ReportLayout(HWND window, const char* layout, std::span<const ControlName> names) const;
  // Prints "shot NAME X Y WIDTH HEIGHT" (the window's frame in screen
  // pixels) and waits up to 30 s until NAME.png is in the folder. After one
  // picture failed to come, no more are waited for.
  bool Take(HWND window, const std::string& name) const;

 private:
  std::string folder_;
  mutable bool lost_ = false;
};

}  // namespace snpp::win32::screens
