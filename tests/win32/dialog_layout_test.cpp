// Every control of every secondary window at its pixel rectangle, the
// windows' client sizes, captions, title-bar buttons and places.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "dialog_test_support.h"
#include "directory/standard_messages.h"
#include "win32/about_dialog.h"
#include "win32/add_name_dialog.h"
#include "win32/config_dialog.h"
#include "win32/text_info_dialogs.h"

using namespace snpp::win32;
using namespace dialog_test;

namespace {

// A width of 0: a label sized to its one line of text.
struct Place {
  int id, left, top, width, height;
};

struct Layout {
  HWND window;
  const char* caption;
  int width, height;
  bool systemMenu;
  std::vector<Place> controls;
};

void ExpectLayout(const Layout& layout) {
  SCOPED_TRACE(layout.caption);
  EXPECT_EQ(Text(layout.window), layout.caption);
  RECT client{};
  GetClientRect(layout.window, &client);
  EXPECT_EQ(client.right, layout.width);
  EXPECT_EQ(client.bottom, layout.height);
  const LONG_PTR style = GetWindowLongPtrA(layout.window, GWL_STYLE);
  EXPECT_EQ((style & WS_SYSMENU) != 0, layout.systemMenu);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  for (const Place& place : layout.controls) {
    HWND control = GetDlgItem(layout.window, place.id);
    ASSERT_NE(control, nullptr) << place.id;
    const RECT r = ChildRect(control);
    EXPECT_EQ(r.left, place.left) << place.id;
    EXPECT_EQ(r.top, place.top) << place.id;
    if (place.width > 0) {
      EXPECT_EQ(r.right - r.left, place.width) << place.id;
      EXPECT_EQ(r.bottom - r.top, place.height) << place.id;
    } else {
      EXPECT_GT(r.right - r.left, 0) << place.id;  // the text fits: nothing cut
      HDC dc = GetDC(control);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
      const std::string text = Text(control);
      SIZE size{};
      GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
      ReleaseDC(control, dc);
      EXPECT_EQ(r.right - r.left, size.cx) << place.id;
      EXPECT_EQ(r.bottom - r.top, size.cy) << place.id;
    }
  }
}

TEST(DialogLayout, EveryControlAtItsPlace) {
  const auto file = std::filesystem::temp_directory_path() / "snpp-layout-test.ini";
  snpp::StandardMessages messages(file);
  TconfigForm config(messages);
  TaddNameForm addName;
  TAboutform about;
  TinstructionsForm instructions;
  TtroubleForm trouble;
  ASSERT_TRUE(config.Create(Instance(), nullptr));
  ASSERT_TRUE(addName.Create(Instance(), nullptr));
  ASSERT_TRUE(about.Create(Instance(), nullptr));
  ASSERT_TRUE(instructions.Create(Instance(), nullptr));
  ASSERT_TRUE(trouble.Create(Instance(), nullptr));

  Layout configLayout{config.Window(), "SNPP Client Configuration", 296, 320, true,
                      {{IDC_CONFIG_BEVEL1, 12, 12, 273, 85},
                       {IDC_CONFIG_SERVER_IP_LABEL, 24, 24, 0, 0},
                       {IDC_CONFIG_SERVER_IP_COMBO, 120, 20, 157, 21},
                       {IDC_CONFIG_PORT_LABEL, 24, 48, 0, 0},
                       {IDC_CONFIG_SERVER_PORT_EDIT, 120, 44, 29, 21},
                       {IDC_CONFIG_DEFAULT_LABEL, 152, 48, 0, 0},
                       {IDC_CONFIG_MSG_SEND_LABEL, 24, 72, 0, 0},
                       {IDC_CONFIG_TIMEOUT_EDIT, 120, 68, 25, 21},
                       {IDC_CONFIG_LABEL10, 148, 72, 0, 0},
                       {IDC_CONFIG_LABEL5, 12, 106, 0, 0},
                       {IDOK, 124, 292, 75, 25},
                       {IDCANCEL, 208, 292, 75, 25}}};
  for (int i = 0; i < 8; ++i) {
    configLayout.controls.push_back({IDC_CONFIG_NUMBER_LABEL + i, 4, 128 + 20 * i, 0, 0});
    configLayout.controls.push_back({IDC_CONFIG_MESSAGE_EDIT + i, 16, 124 + 20 * i, 269, 21});
  }
  const Layout layouts[] = {
      configLayout,
      {addName.Window(), " ", 204, 115, false,
       {{IDC_ADD_NAME_LABEL1, 12, 20, 0, 0},
        {IDC_ADD_NAME_LABEL2, 12, 44, 0, 0},
        {IDC_ADD_NAME_NAME_EDIT, 88, 16, 101, 21},
        {IDC_ADD_NAME_PAGER_ID_EDIT, 88, 40, 101, 21},
        {IDOK, 20, 84, 75, 25},
        {IDCANCEL, 108, 84, 75, 25}}},
      {about.Window(), "About", 255, 221, true,
       {{IDC_ABOUT_LABEL1, 60, 8, 0, 0},
        {IDC_ABOUT_LABEL11, 96, 24, 0, 0},
        {IDC_ABOUT_COMPANY_NAME, 8, 40, 237, 16},
        {IDC_ABOUT_BEVEL1, 8, 56, 237, 73},
        {IDC_ABOUT_LABEL3, 16, 60, 0, 0},
        {IDC_ABOUT_PHONE, 56, 60, 0, 0},
        {IDC_ABOUT_LABEL14, 16, 76, 0, 0},
        {IDC_ABOUT_FAX, 56, 76, 0, 0},
        {IDC_ABOUT_LABEL5, 16, 92, 0, 0},
        {IDC_ABOUT_EMAIL, 56, 92, 185, 13},
        {IDC_ABOUT_LABEL9, 16, 108, 0, 0},
        {IDC_ABOUT_WEB, 56, 108, 0, 0},
        {IDOK, 88, 140, 75, 25},
        {IDC_ABOUT_TROUBLE_BUTTON, 80, 176, 93, 23},
        {IDC_ABOUT_SERVER_LABEL, 0, 208, 255, 13}}},
      {instructions.Window(), "Instructions", 402, 215, true,
       {{IDC_INFO_MEMO1, 0, 0, 401, 185}, {IDOK, 160, 188, 75, 25}}},
      {trouble.Window(), "Trouble-shooting", 391, 233, true,
       {{IDC_INFO_MEMO1, 4, 4, 381, 185}, {IDCANCEL, 156, 200, 75, 25}}},
  };
  for (const Layout& layout : layouts) ExpectLayout(layout);

  // The two text windows open at fixed screen places, not centred.
  RECT frame{};
  GetWindowRect(instructions.Window(), &frame);
  EXPECT_EQ(frame.left, 238);
  EXPECT_EQ(frame.top, 158);
  GetWindowRect(trouble.Window(), &frame);
  EXPECT_EQ(frame.left, 264);
  EXPECT_EQ(frame.top, 236);
  // Made hidden, to be shown later.
  for (const Layout& layout : layouts) EXPECT_FALSE(IsWindowVisible(layout.window)) << layout.caption;
}

}  // namespace
