#include "win32/screens_report.h"

#include <cmath>
#include <cstdio>

#include "win32/window_look.h"

namespace snpp::win32::screens {
namespace {

int Layout(LONG pixels, double scale) { return static_cast<int>(std::lround(pixels / scale)); }

void PrintControl(const char* layout, const char* name, RECT r, double scale) {
  std::printf("control %s %s %d %d %d %d\n", layout, name, Layout(r.left, scale), Layout(r.top, scale),
              Layout(r.right - r.left, scale), Layout(r.bottom - r.top, scale));
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void PumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  MSG msg;
  do {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (GetTickCount() - start < ms);
}

void ShotTaker::ReportLayout(HWND window, const char* layout, std::span<const ControlName> names) const {
  const double scale = WindowScale(window);
  RECT client;
  GetClientRect(window, &client);
  PrintControl(layout, "client", client, scale);
  for (const ControlName& control : names) {
    HWND child = GetDlgItem(window, control.id);
    if (!child) continue;  // the script reports it missing
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
    PrintControl(layout, control.name, r, scale);
  }
  std::fflush(stdout);
}

bool ShotTaker::Take(HWND window, const std::string& name) const {
  if (folder_.empty()) return true;
  if (lost_) return false;
  const std::string picture = folder_ + "\\" + name + ".png";
  DeleteFileA(picture.c_str());
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  PumpMessages(400);
  RECT r;
  GetWindowRect(window, &r);
  std::printf("shot %s %ld %ld %ld %ld\n", name.c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::fflush(stdout);
  // Keeps serving the window (a caret blinks, an expose repaints) while the
  // script takes it.
  for (int waited = 0; waited < 30000; waited += 50) {
    if (FileExists(picture)) return true;
    PumpMessages(50);
  }
  std::fprintf(stderr, "no picture %s after 30 s\n", picture.c_str());
  lost_ = true;
  return false;
}

}  // namespace snpp::win32::screens
