// The message editor and its counter, the pick buttons and the mnemonics.
#include "main_window_fixture.h"
#include "msaa_test_support.h"

#include "win32/check_list_window.h"
#include "win32/entry_field_window.h"

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
  form().standardMessages.SetMessage(3, "");
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

// Where a caption says little, a screen reader hears more; the captions stay.
TEST_F(MainWindowTest, AReaderHearsWhatTheBareCaptionsLeaveOut) {
  Start();
  using msaa_test::AccessibleText;
  using msaa_test::Read;
  EXPECT_EQ(Text(IDC_PICKBUTTON1 + 2), "3");
  EXPECT_EQ(AccessibleText(Control(IDC_PICKBUTTON1 + 2), Read::Name), L"Standard message 3");
  EXPECT_EQ(AccessibleText(Control(IDC_PICKBUTTON1 + 2), Read::Description), L"Call the office");
  EXPECT_EQ(AccessibleText(Control(IDC_SENDINGMEMO), Read::Name), L"Send log");
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
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);  // the list box's rows follow the load
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

// Ctrl+A, typed through the program's loop, selects all of the message and of
// the log; the pager number's field keeps the meaning its command table gives
// the key (WordStar's word to the left), and nothing is typed anywhere.
TEST_F(MainWindowTest, CtrlASelectsAllInTheEditorAndTheLogButNotInThePagerNumber) {
  // Ctrl held as the loop's translation of the key reads it.
  const auto CtrlA = [this](HWND to) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Key(to, 'A');
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  };
  Start();
  SetForegroundWindow(form().Window());
  for (int id : {IDC_MESSAGEMEMO, IDC_SENDINGMEMO}) {
    HWND editor = Control(id);
    SetWindowTextA(editor, "Call me back");
    SendMessageA(editor, EM_SETSEL, 4, 4);
    SetFocus(editor);
    CtrlA(editor);
    DWORD from = 0, to = 0;
    SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u) << id;
    EXPECT_EQ(to, 12u) << id;
    EXPECT_EQ(Text(id), "Call me back");
  }
  form().EntryController1.EntryCommands().FindTable("WordStar")->SetActive(true);
  HWND field = Control(IDC_IDEDITFIELD);
  SetFocus(field);
  Type(field, "12 34");
  CtrlA(field);
  EXPECT_EQ(form().idEditField()->Model().Cursor(), 3);
  EXPECT_FALSE(form().idEditField()->Model().HasSelection());
  EXPECT_EQ(Text(IDC_IDEDITFIELD), "12 34");
}

}  // namespace
}  // namespace snpp::win32::test
