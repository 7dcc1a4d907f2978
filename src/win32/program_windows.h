#pragma once
// The program: its message loop and every window, created once at start-up,
// hidden, main window first, and kept until the end.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <memory>

#include "net/win32_event_loop.h"
#include "win32/main_window.h"

namespace snpp::win32 {

struct DialogWindows;

class ProgramWindows {
 public:
  explicit ProgramWindows(HINSTANCE instance = GetModuleHandleA(nullptr));
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  // Shows the main window and runs the message loop until it closes.
  int Run();

  net::Win32EventLoop loop;
  std::unique_ptr<Tmainform> mainform;
  // The About box, name entry, configuration, instructions and
  // trouble-shooting windows, in that order of creation.
  std::unique_ptr<DialogWindows> dialogs;

 private:
  void CreateDialogs(HINSTANCE instance);
  bool DialogKeys(MSG& message);
};

}  // namespace snpp::win32
