// snpp-win32-screens: shows every window of the Windows program in turn, for
// scripts/screenshots --windows, which takes the pictures and checks the
// reported control places against the layout table. Runs in a scratch folder
// with a sample names list and settings of its own, so the user's files are
// never read or written.
// Usage: snpp-win32-screens.exe FOLDER   (a Windows path; pictures go there)
//        snpp-win32-screens.exe --layout (only where the controls are; needs
//        no display, so a test can check the layout headless)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "win32/screens_report.h"
#include "win32/screens_windows.h"

namespace {

namespace fs = std::filesystem;

const char kSampleNames[] =
    "Alice Jones, 555-0101\r\nBob Smith, 555 0102\r\ncarol, 5550103\r\nDan (night), 555-0104\r\n"
    "Eve, 555-0105\r\nFrank, 555-0106\r\n";

// A fresh folder under TEMP holding names.txt; the working folder and the
// user folders point there while the windows live.
fs::path MakeScratch() {
  char temp[MAX_PATH];
  if (GetTempPathA(MAX_PATH, temp) == 0) return {};
  const fs::path scratch = fs::path(temp) / ("snpp-screens-" + std::to_string(GetCurrentProcessId()));
  std::error_code error;
  fs::create_directories(scratch, error);
  if (error) return {};
  std::ofstream(scratch / "names.txt", std::ios::binary) << kSampleNames;
  const std::string folder = scratch.string();
  _putenv_s("APPDATA", folder.c_str());
  _putenv_s("USERPROFILE", folder.c_str());
  SetCurrentDirectoryA(folder.c_str());
  return scratch;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER|--layout\n", argv[0]);
    return 2;
  }
  const fs::path scratch = MakeScratch();
  if (scratch.empty()) {
    std::fprintf(stderr, "no scratch folder under TEMP\n");
    return 1;
  }
  const std::string folder = std::string(argv[1]) == "--layout" ? "" : argv[1];
  bool ok = snpp::win32::screens::ShowEveryWindow(snpp::win32::screens::ShotTaker(folder));
  // Out of the scratch folder before it goes (the windows are gone by now).
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);
  std::error_code error;
  fs::remove_all(scratch, error);
  return ok ? 0 : 1;
}
