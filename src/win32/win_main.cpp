// The program's entry point: every window first, then the message loop
// until the main window closes. No arguments are read.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <exception>

#include "win32/program_windows.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef SNPP_LOOPBACK_SERVER_PORT
  // The never-shipped build that pages the test server on this machine.
  snpp::win32::SetPagingServerForTesting("127.0.0.1", SNPP_LOOPBACK_SERVER_PORT);
#endif
  try {
    snpp::win32::ProgramWindows windows(instance);
    return windows.Run();
  } catch (...) {
    snpp::net::Win32EventLoop::ShowErrorBox(std::current_exception());
    return 1;
  }
}
