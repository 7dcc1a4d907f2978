#pragma once
// The program's windows made in the test's process, in a folder of their
// own (names.txt, snppCl.ini and kept copies), driven through the same
// message loop the program runs.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "win32/dialog_window.h"
#include "win32/main_window.h"
#include "win32/main_window_ids.h"
#include "win32/program_windows.h"

namespace snpp::win32::test {

// The program's faces come with Debian's fonts-wine, which Wine does not
// look in by itself: the process gets them, as a prefix set up for screens
// has them in its fonts folder.
inline void AddProgramFaces() {
  static const bool added = [] {
    const std::string folder = "Z:\\usr\\share\\wine\\fonts\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
      AddFontResourceExA((folder + found.cFileName).c_str(), FR_PRIVATE, nullptr);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
  }();
  (void)added;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddProgramFaces();
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    folder_ = std::filesystem::path(temp) /
              ("snpp-main-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial_));
    std::filesystem::create_directories(folder_);
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_);
    _putenv_s("APPDATA", folder_.string().c_str());
  }
  void TearDown() override {
    windows_.reset();
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // Makes every window and shows the main one, as the program starts.
  void Start() {
    windows_.reset();  // a second start follows the first one's end
    windows_ = std::make_unique<ProgramWindows>();
    form().TellUser = [this](const std::string& text, bool) { told.push_back(text); };
    ShowWindow(form().Window(), SW_SHOWNORMAL);
    Run();
  }

  Tmainform& form() { return *windows_->mainform; }
  ProgramWindows& windows() { return *windows_; }
  HWND Control(int id) { return form().Control(id); }
  std::string Text(int id) { return WindowTextBytes(Control(id)); }

  // Runs the program's loop until `done` holds (or until nothing is left
  // to do when no condition is given); false on a time-out.
  bool Run(const std::function<bool()>& done = {}, int ms = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      const std::size_t ran = windows_->loop.RunOnce(std::chrono::milliseconds(done ? 10 : 0));
      if (done ? done() : ran == 0) return true;
    }
    return false;
  }

  // Keys as the keyboard gives them: through the message loop, so that the
  // dialog manager sees them first.
  void Key(HWND to, UINT vk, bool alt = false) {
    const LPARAM context = alt ? (1 << 29) : 0;
    PostMessageA(to, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, context | 1);
    PostMessageA(to, alt ? WM_SYSKEYUP : WM_KEYUP, vk, context | 0xC0000001);
    Run();
  }
  void Mnemonic(HWND to, char key) {
    PostMessageA(to, WM_SYSCHAR, static_cast<unsigned char>(key), (1 << 29) | 1);
    Run();
  }
  void Type(HWND to, const std::string& text) {
    for (char c : text) PostMessageA(to, WM_CHAR, static_cast<unsigned char>(c), 1);
    Run();
  }
  void Click(int id) { SendMessageA(Control(id), BM_CLICK, 0, 0); Run(); }

  static void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(name, std::ios::binary) << bytes;
  }
  static std::string ReadFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::vector<std::string> told;

 private:
  std::unique_ptr<ProgramWindows> windows_;
  std::filesystem::path folder_;
  std::filesystem::path previous_;
  static inline int serial_ = 0;
};

}  // namespace snpp::win32::test
