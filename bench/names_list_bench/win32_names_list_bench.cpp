// The Windows program's main window with a large names.txt: from showing the
// window to its first picture with every name loaded, then Select All and
// De-select All, each up to the repaint that follows. Runs under Wine; the
// runner prints its figures beside the Linux program's.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "names_list_bench.h"
#include "win32/main_window.h"
#include "win32/check_list_window.h"
#include "win32/main_window_ids.h"
#include "win32/program_windows.h"

namespace {

using snpp::bench::Clock;
using snpp::bench::Ms;

// Everything queued, paints included, is done.
void RunUntilIdle(snpp::win32::ProgramWindows& windows) {
  while (windows.loop.RunOnce(std::chrono::milliseconds(0)) > 0) {
  }
}

void Press(snpp::win32::ProgramWindows& windows, int id) {
  SendMessageA(windows.mainform->Control(id), BM_CLICK, 0, 0);
  RunUntilIdle(windows);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = 3;
  const auto folder =
      std::filesystem::temp_directory_path() / ("snpp-names-bench-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  _putenv_s("APPDATA", folder.string().c_str());
  for (int i = 1; i < argc; ++i) {
    const int names = std::atoi(argv[i]);
    snpp::bench::WriteNamesFile("names.txt", names);
    double up = 1e9, select = 1e9, deselect = 1e9;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      auto windows = std::make_unique<snpp::win32::ProgramWindows>();
      windows->mainform->TellUser = [](const std::string&, bool) {};
      ShowWindow(windows->mainform->Window(), SW_SHOWNORMAL);
      UpdateWindow(windows->mainform->Window());
      RunUntilIdle(*windows);
      up = std::min(up, Ms(start));
      if (windows->mainform->namesListbox()->ItemCount() != names) return 1;
      start = Clock::now();
      Press(*windows, IDC_CHECKALLBUTTON);
      select = std::min(select, Ms(start));
      if (windows->mainform->namesListbox()->StateCount(snpp::cbChecked) != names) return 1;
      start = Clock::now();
      Press(*windows, IDC_UNCHECKALLBUTTON);
      deselect = std::min(deselect, Ms(start));
      windows.reset();  // saves names.txt back, outside the timing
    }
    snpp::bench::PrintFigures("windows", names, up, select, deselect);
  }
  std::filesystem::current_path(folder.parent_path());
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
