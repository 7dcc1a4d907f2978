#pragma once
// The program: its message loop and every window, created once at start-up,
// hidden, main window first, and kept until the end.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <memory>

#include "net/win32_event_loop.h"
#include "win32/about_dialog.h"
#include "win32/add_name_dialog.h"
#include "win32/config_dialog.h"
#include "win32/main_window.h"
#include "win32/text_info_dialogs.h"

namespace snpp::win32 {

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
  std::unique_ptr<TAboutform> aboutform;
  std::unique_ptr<TaddNameForm> addNameForm;
  std::unique_ptr<TconfigForm> configForm;
  std::unique_ptr<TinstructionsForm> instructionsForm;
  std::unique_ptr<TtroubleForm> troubleForm;

 private:
  void CreateDialogs(HINSTANCE instance);
  void Connect();
};

}  // namespace snpp::win32
