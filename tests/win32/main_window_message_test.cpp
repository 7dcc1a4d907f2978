// The message editor and its counter, the pick buttons and the mnemonics.
#include "main_window_fixture.h"

#include "win32/check_list_window.h"

namespace snpp::win32::test {
namespace {

TEST_F(MainWindowTest, CounterFollowsTypingClearAndPicks) {
  Start();
  HWND memo = Control(IDC_MESSAGEMEMO);
  SetFocus(memo);
  Type(memo, "abc");
  EXPECT_EQ(Text(IDC_LENGTHLABEL), "(3)");
  Mnemonic(memo, 'm');  // Clear &Message
  EXPECT_EQ(Text(IDC_MESSAGEMEMO), "");
  EXPECT_EQ(Text(IDC_LENGTHLABEL), "(0)");

  Click(IDC_PICKBUTTON1 + 1);
  EXPECT_EQ(Text(IDC_MESSAGEMEMO), "Call home");
  EXPECT_EQ(Text(IDC_LENGTHLABEL), "(9)");
  form().standardMessages.setMessage(3, "");
  Click(IDC_PICKBUTTON1 + 2);
  EXPECT_EQ(Text(IDC_MESSAGEMEMO), "Call home");
}

TEST_F(MainWindowTest, TypingStopsAtTheLimitAndEnterBreaksNoLine) {
  Start();
  HWND memo = Control(IDC_MESSAGEMEMO);
  SetFocus(memo);
  Type(memo, "ab");
  Key(memo, VK_RETURN);
  Type(memo, "\r\n");
  EXPECT_EQ(Text(IDC_MESSAGEMEMO), "ab");
  SetWindowTextA(memo, std::string(990, 'x').c_str());
  Type(memo, std::string(20, 'y'));
  EXPECT_EQ(Text(IDC_MESSAGEMEMO).size(), 999u);
  EXPECT_EQ(Text(IDC_LENGTHLABEL), "(999)");
}

// Alt+A, Alt+E and Alt+D press their buttons with the focus left in the
// names list: once the name dialog is gone (Esc, queued behind the key for
// its own loop), the list keys move in the list again.
TEST_F(MainWindowTest, ButtonsPressedByTheirLettersLeaveTheFocusInTheNamesList) {
  WriteFile("names.txt", "Ann, 1\r\nBob, 2\r\nCid, 3\r\nDon, 4\r\n");
  Start();
  HWND list = Control(IDC_NAMESLISTBOX);
  CheckListWindow* names = form().namesListbox();
  HWND dialog = windows().addNameForm->Window();
  SetForegroundWindow(form().Window());
  SetFocus(list);
  Key(list, VK_HOME);
  ASSERT_EQ(names->ItemIndex(), 0);
  for (char key : {'a', 'e', 'd'}) {
    PostMessageA(list, WM_SYSCHAR, static_cast<unsigned char>(key), (1 << 29) | 1);
    if (key != 'd') PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 1);
    Run();
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_EQ(GetFocus(), list) << "after Alt+" << key;
    Key(list, VK_END);
    EXPECT_EQ(names->ItemIndex(), names->ItemCount() - 1) << "after Alt+" << key;
    Key(list, VK_HOME);
  }
  EXPECT_EQ(names->ItemCount(), 3);  // Alt+D took the first name away
}

}  // namespace
}  // namespace snpp::win32::test
