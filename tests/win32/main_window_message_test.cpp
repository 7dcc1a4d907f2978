// The message editor and its counter, the pick buttons and the mnemonics.
#include "main_window_fixture.h"
#include "msaa_test_support.h"

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

}  // namespace
}  // namespace snpp::win32::test
