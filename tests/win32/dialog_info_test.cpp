// The About box's texts, the instructions window shown without blocking,
// and the trouble-shooting window's text and ways out.
#include <gtest/gtest.h>

#include "dialog_test_support.h"
#include "forms/info_texts.h"
#include "snpp/build_config.h"
#include "win32/about_dialog.h"
#include "win32/text_info_dialogs.h"

using namespace snpp::win32;
using namespace dialog_test;

namespace {

TEST(AboutDialog, ShowsTheServiceAndTheServerAndHidesTheTroubleButton) {
  TAboutform about;
  ASSERT_TRUE(about.Create(Instance(), nullptr));
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_LABEL1)), "Windows SNPP Client");
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_LABEL11)), "Version: 2.05");
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_COMPANY_NAME)), "Orvant Inc.");
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_PHONE)), snpp::kServicePhone);
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_FAX)), snpp::kServiceFax);
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_EMAIL)), snpp::kServiceEmail);
  EXPECT_EQ(Text(about.Item(IDC_ABOUT_WEB)), snpp::kServiceWeb);
  EXPECT_EQ(Text(about.serverLabel()), snpp::kServerHost);
  EXPECT_EQ(GetWindowLongPtrA(about.serverLabel(), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
  EXPECT_EQ(Text(about.troubleButton()), "Having trouble ?");
  TAboutform elsewhere;  // a program that pages another server names that one
  ASSERT_TRUE(elsewhere.Create(Instance(), nullptr, "127.0.0.1"));
  EXPECT_EQ(Text(elsewhere.serverLabel()), "127.0.0.1");

  Later([&] {
    EXPECT_TRUE(IsWindowVisible(about.serverLabel()));
    EXPECT_TRUE(IsWindowVisible(about.Item(IDC_ABOUT_COMPANY_NAME)));
    EXPECT_FALSE(IsWindowVisible(about.troubleButton()));
    PressKey(about.Item(IDOK), VK_RETURN);
  });
  EXPECT_EQ(about.ShowModal(), IDOK);
  Later([&] { PostMessageA(about.Window(), WM_CLOSE, 0, 0); });  // the close box
  about.ShowModal();
  EXPECT_FALSE(about.Visible());
}

TEST(InstructionsWindow, StaysOpenBesideTheMainWindowOnceAndHidesOnEscape) {
  Owner main;
  TinstructionsForm instructions;
  ASSERT_TRUE(instructions.Create(Instance(), main.window));
  EXPECT_EQ(Text(instructions.Memo1()), snpp::info_texts::JoinLines(snpp::info_texts::kInstructionsLines, "\r\n"));
  EXPECT_NE(GetWindowLongPtrA(instructions.Memo1(), GWL_STYLE) & ES_READONLY, 0);
  instructions.Show();
  instructions.Show();  // the button again: the same window comes to the front
  EXPECT_TRUE(instructions.Visible());
  EXPECT_TRUE(IsWindowEnabled(main.window));
  EXPECT_EQ(GetWindow(instructions.Window(), GW_OWNER), main.window);

  // Its keys come through the program's loop.
  MSG escape{instructions.okButton(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  EXPECT_TRUE(RouteDialogMessage(&escape));
  EXPECT_FALSE(instructions.Visible());
  MSG elsewhere{main.window, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_FALSE(RouteDialogMessage(&elsewhere));
}

TEST(TroubleWindow, OpensOverTheAboutBoxWithItsTextAndClosesOnEscape) {
  TAboutform about;
  TtroubleForm trouble;
  ASSERT_TRUE(about.Create(Instance(), nullptr));
  ASSERT_TRUE(trouble.Create(Instance(), nullptr));
  about.SetTroubleForm(&trouble);
  EXPECT_EQ(Text(trouble.Memo1()), snpp::info_texts::JoinLines(snpp::info_texts::kTroubleLines, "\r\n"));

  Later([&] {
    Later([&] {
      EXPECT_TRUE(trouble.Visible());
      EXPECT_FALSE(IsWindowEnabled(about.Window()));
      PressKey(trouble.Memo1(), VK_ESCAPE);
    });
    about.troubleButtonClick();
    EXPECT_EQ(trouble.ModalResult(), IDCANCEL);
    EXPECT_FALSE(trouble.Visible());
    EXPECT_TRUE(IsWindowEnabled(about.Window()));
    about.okButtonClick();
  });
  about.ShowModal();
}

}  // namespace
