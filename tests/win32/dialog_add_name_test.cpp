// The name entry dialog: typing limits, Enter and Esc from either field, the
// focus rule of every opening and texts longer than may be typed.
#include <gtest/gtest.h>

#include "dialog_test_support.h"
#include "msaa_test_support.h"
#include "win32/add_name_dialog.h"

using namespace snpp::win32;
using namespace dialog_test;

namespace {

class AddNameDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(form.Create(Instance(), owner.window)); }
  int open(const std::string& name, const std::string& pagerID) {
    form.SetNameText(name);
    form.SetPagerIDText(pagerID);
    return form.ShowModal();
  }
  Owner owner;
  TaddNameForm form;
};

TEST_F(AddNameDialogTest, EnterIsOkAndEscapeIsCancelFromEitherField) {
  EXPECT_EQ(GetWindowLongPtrA(form.Window(), GWL_STYLE) & WS_SYSMENU, 0);  // no close box
  for (HWND field : {form.nameEdit(), form.pagerIDEdit()}) {
    Later([&] { PressKey(field, VK_RETURN); });
    EXPECT_EQ(open("", ""), IDOK);  // no checking of its own
    Later([&] { PressKey(field, VK_ESCAPE); });
    EXPECT_EQ(open("Bob", "5551234"), IDCANCEL);
  }
}

TEST_F(AddNameDialogTest, AnEmptyNameGetsTheFocusOnEveryOpening) {
  Later([&] {
    EXPECT_EQ(GetFocus(), form.nameEdit());
    SetFocus(form.Item(IDCANCEL));
    PressKey(form.Item(IDCANCEL), VK_ESCAPE);
  });
  open("", "");
  Later([&] {
    EXPECT_EQ(GetFocus(), form.nameEdit());
    SetFocus(form.pagerIDEdit());
    PressKey(form.pagerIDEdit(), VK_ESCAPE);
  });
  open("", "12345");
  Later([&] {
    EXPECT_EQ(GetFocus(), form.pagerIDEdit());  // with a name, it stays where it was
    PressKey(form.pagerIDEdit(), VK_ESCAPE);
  });
  open("Bob", "12345");
}

TEST_F(AddNameDialogTest, TypingStopsAtFifteenAndFourteenButLongerStoredTextsStayWhole) {
  Later([&] {
    Type(form.nameEdit(), "ABCDEFGHIJKLMNOP");
    Type(form.pagerIDEdit(), "1234567890abcde");
    PressKey(form.nameEdit(), VK_RETURN);
  });
  ASSERT_EQ(open("", ""), IDOK);
  EXPECT_EQ(form.NameText(), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(form.PagerIDText(), "1234567890abcd");

  // An entry from a hand-edited names.txt, longer than anyone may type and
  // in another code page, is neither cut nor made longer.
  const std::string longName = "Bartholomew Fitzgerald-Smythe";
  const std::string oddID = "555-0100 ext. 1234 \xE9";
  Later([&] {
    SendMessageA(form.nameEdit(), EM_SETSEL, longName.size(), longName.size());
    Type(form.nameEdit(), "X");
    PressKey(form.nameEdit(), VK_RETURN);
  });
  ASSERT_EQ(open(longName, oddID), IDOK);
  EXPECT_EQ(form.NameText(), longName);
  EXPECT_EQ(form.PagerIDText(), oddID);
}

// The caption is a blank; a screen reader hears what the dialog is for.
TEST_F(AddNameDialogTest, AReaderHearsWhetherANameIsAddedOrEdited) {
  std::wstring window, client;
  const auto read = [&] {
    window = msaa_test::AccessibleText(form.Window(), msaa_test::Read::Name, OBJID_WINDOW);
    client = msaa_test::AccessibleText(form.Window(), msaa_test::Read::Name);
    PressKey(form.nameEdit(), VK_ESCAPE);
  };
  Later(read);
  open("", "");
  EXPECT_EQ(window, L"Add name");
  EXPECT_EQ(client, L"Add name");
  Later(read);
  open("Bob", "5551234");
  EXPECT_EQ(window, L"Edit name");
  EXPECT_EQ(GetWindowTextLengthA(form.Window()), 1);  // the caption itself stays " "
}

}  // namespace
