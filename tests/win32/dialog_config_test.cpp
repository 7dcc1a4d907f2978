// The configuration dialog: what OK, Enter, Cancel, Esc and the close box
// keep or drop, the disabled server group, the keyboard order, the typing
// limit and a settings file that cannot be written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "canvas_test_support.h"
#include "dialog_test_support.h"
#include "directory/profile_file.h"
#include "directory/standard_messages.h"
#include "net/win32_event_loop.h"
#include "win32/config_dialog.h"
#include "win32/entry_field_window.h"
#include "win32/window_look.h"

using namespace snpp::win32;
using namespace dialog_test;
namespace fs = std::filesystem;

namespace {

class ConfigDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(folder);
    fs::create_directories(folder);
    ASSERT_TRUE(form.Create(Instance(), owner.window));
  }
  void TearDown() override { fs::remove_all(folder); }

  // The messages as the next run of the program reads them.
  std::string stored(int n) const {
    snpp::StandardMessages again(file);
    again.Read();
    return again.Message(n);
  }

  fs::path folder = fs::temp_directory_path() / "snpp-config-dialog-test";
  fs::path file = folder / "snppCl.ini";
  snpp::StandardMessages messages{file};
  Owner owner;
  TconfigForm form{messages};
};

// Rows of dark ink in `window`'s picture (frame included): first and last.
std::pair<int, int> InkRows(HWND window) {
  RECT box{};
  GetWindowRect(window, &box);
  const int width = box.right - box.left, height = box.bottom - box.top;
  const canvas_test::Canvas canvas(width, height);
  HDC dc = canvas.Dc();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  HDC drawn = GetWindowDC(window);
  BitBlt(dc, 0, 0, width, height, drawn, 0, 0, SRCCOPY);
  ReleaseDC(window, drawn);
  EXPECT_EQ(GetPixel(dc, width / 2, height - 3), GetSysColor(COLOR_WINDOW));  // painted, below the text
  int first = -1, last = -1;
  for (int y = 2; y < height - 2; ++y) {
    for (int x = 4; x < width - 4; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) {
        if (first < 0) first = y;
        last = y;
        break;
      }
    }
  }
  return {first, last};
}

// On a 192-DPI screen a message field is 42 pixels high and its face about
// half that: the text sits in the middle, as it does at 96 DPI, and the rows
// above and below it are the field's white.
TEST_F(ConfigDialogTest, MessageTextIsVerticallyCentredInAFieldTallerThanItsLine) {
  ShowWindow(form.Window(), SW_SHOWNOACTIVATE);
  HWND edit = form.messageEdit(2);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(ProgramFont(2.0)), FALSE);
  SetWindowPos(edit, nullptr, 0, 0, 250, 42, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowTextA(edit, "Call home, Jaq");
  const auto [first, last] = InkRows(edit);
  ASSERT_GE(first, 0);
  const int above = first - 2, below = 42 - 2 - 1 - last;
  EXPECT_LE(std::abs(above - below), 2) << above << " above, " << below << " below";
  ShowWindow(form.Window(), SW_HIDE);
}

TEST_F(ConfigDialogTest, ServerGroupIsDisabledOnEveryOpeningAndTabSkipsIt) {
  const int serverGroup[] = {IDC_CONFIG_SERVER_IP_COMBO, IDC_CONFIG_SERVER_PORT_EDIT, IDC_CONFIG_TIMEOUT_EDIT,
                             IDC_CONFIG_SERVER_IP_LABEL, IDC_CONFIG_PORT_LABEL,       IDC_CONFIG_DEFAULT_LABEL,
                             IDC_CONFIG_MSG_SEND_LABEL};
  Owner beside;  // a window shown without blocking, as the instructions
  for (int opening = 0; opening < 2; ++opening) {
    Later([&] {
      for (int id : serverGroup) EXPECT_FALSE(IsWindowEnabled(form.Item(id))) << opening << " " << id;
      EXPECT_TRUE(IsWindowEnabled(form.Item(IDC_CONFIG_LABEL10)));
      EXPECT_FALSE(IsWindowEnabled(owner.window));  // modal for the whole program
      EXPECT_FALSE(IsWindowEnabled(beside.window));
      EXPECT_EQ(EntryFieldWindow::From(form.Item(IDC_CONFIG_SERVER_PORT_EDIT))->StringValueBytes(), "0");
      // Tab meets OK, Cancel, the eight messages, then OK again.
      std::vector<HWND> expected = {form.Item(IDCANCEL)};
      for (int n = 1; n <= 8; ++n) expected.push_back(form.messageEdit(n));
      expected.push_back(form.Item(IDOK));
      HWND at = form.Item(IDOK);
      for (HWND next : expected) {
        at = GetNextDlgTabItem(form.Window(), at, FALSE);
        EXPECT_EQ(at, next);
      }
      PressKey(form.messageEdit(1), VK_ESCAPE);
    });
    EXPECT_EQ(form.ShowModal(), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(owner.window));
    EXPECT_TRUE(IsWindowEnabled(beside.window));
    // Whatever turned them on, the next opening turns them off.
    for (int id : serverGroup) EnableWindow(form.Item(id), TRUE);
  }
}

TEST_F(ConfigDialogTest, CancelEscapeAndCloseBoxDropTheChanges) {
  const std::string before = messages.Message(2);
  for (int way = 0; way < 3; ++way) {
    Later([&] {
      EXPECT_EQ(form.MessageText(2), before);
      Retype(form.messageEdit(2), "Pick up milk");
      if (way == 0) SendMessageA(form.Item(IDCANCEL), BM_CLICK, 0, 0);
      if (way == 1) PressKey(form.messageEdit(2), VK_ESCAPE);
      if (way == 2) PostMessageA(form.Window(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(form.ShowModal(), IDCANCEL) << way;
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(messages.Message(2), before);
  }
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(ConfigDialogTest, OkOrEnterKeepsAndStoresTheTextsAndTypingStopsAtAHundred) {
  const std::string handEdited(300, 'L');  // longer than anyone may type: kept whole
  messages.SetMessage(4, handEdited);
  Later([&] {
    Retype(form.messageEdit(2), "Pick up milk");
    SetWindowTextA(form.messageEdit(3), "");
    Retype(form.messageEdit(1), std::string(101, 'x'));
    EXPECT_EQ(form.MessageText(1), std::string(100, 'x'));
    SendMessageA(form.Item(IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(form.ShowModal(), IDOK);
  EXPECT_EQ(messages.Message(2), "Pick up milk");  // the pick buttons use it at once
  EXPECT_EQ(stored(1), std::string(100, 'x'));
  EXPECT_EQ(stored(2), "Pick up milk");
  EXPECT_EQ(stored(3), "");  // an emptied message stays empty
  EXPECT_EQ(stored(4), handEdited);
  EXPECT_EQ(stored(8), snpp::StandardMessages::DefaultMessage(8));

  Later([&] {
    EXPECT_EQ(form.MessageText(2), "Pick up milk");
    Retype(form.messageEdit(5), "Late again");
    PressKey(form.messageEdit(5), VK_RETURN);
  });
  EXPECT_EQ(form.ShowModal(), IDOK);
  EXPECT_EQ(stored(5), "Late again");

  // Enter on a focused Cancel button is Cancel, not the default OK.
  Later([&] {
    Retype(form.messageEdit(6), "Never stored");
    SetFocus(form.Item(IDCANCEL));
    PressKey(form.Item(IDCANCEL), VK_RETURN);
  });
  EXPECT_EQ(form.ShowModal(), IDCANCEL);
  EXPECT_EQ(stored(6), snpp::StandardMessages::DefaultMessage(6));
}

TEST_F(ConfigDialogTest, FailedWriteIsShownAndTheDialogStaysOpenWithTheTypedTexts) {
  // A regular file where the settings folder should be: no write can succeed.
  const fs::path blocker = folder / "blocker";
  std::ofstream(blocker) << "not a folder";
  snpp::StandardMessages blocked(blocker / "snppCl.ini");
  TconfigForm failing(blocked);
  ASSERT_TRUE(failing.Create(Instance(), owner.window));
  std::vector<std::string> shown;
  failing.OnError = [&](std::exception_ptr error) { shown.push_back(snpp::net::Win32EventLoop::ErrorBoxText(error)); };
  Later([&] {
    Retype(failing.messageEdit(2), "Pick up milk");
    PressKey(failing.messageEdit(2), VK_RETURN);
    Later([&] {
      EXPECT_TRUE(failing.Visible());
      EXPECT_EQ(failing.MessageText(2), "Pick up milk");
      SendMessageA(failing.Item(IDCANCEL), BM_CLICK, 0, 0);
    });
  });
  EXPECT_EQ(failing.ShowModal(), IDCANCEL);
  EXPECT_EQ(shown, std::vector<std::string>{"Unable to write to snppCl.ini."});
  EXPECT_EQ(blocked.Message(2), "Pick up milk");  // memory first, then the file
}

}  // namespace
