// The main window as it stands: caption, frame, every control's place and
// the order Tab walks.
#include "main_window_fixture.h"

#include <commctrl.h>

namespace snpp::win32::test {
namespace {

struct Expected {
  int id;
  const char* name;
  int left, top, width, height;  // width 0: a label as wide as its text
};

constexpr Expected kPlaces[] = {
    {IDC_MESSAGEPANEL, "messagePanel", 0, 0, 529, 21},
    {IDC_MESSAGELABEL, "messageLabel", 4, 4, 0, 13},
    {IDC_BEVEL3, "Bevel3", 4, 24, 245, 145},
    {IDC_LABEL2, "Label2", 8, 26, 0, 13},
    {IDC_IDEDITFIELD, "idEditField", 8, 40, 77, 21},
    {IDC_SELECTINGPANEL, "selectingPanel", 120, 28, 125, 33},
    {IDC_LABEL6, "Label6", 6, 4, 0, 13},
    {IDC_LABEL7, "Label7", 8, 16, 0, 13},
    {IDC_LABEL1, "Label1", 8, 70, 0, 13},
    {IDC_LENGTHLABEL, "lengthLabel", 72, 70, 0, 13},
    {IDC_CLEARBUTTON, "clearButton", 144, 64, 101, 21},
    {IDC_MESSAGEMEMO, "messageMemo", 8, 84, 237, 61},
    {IDC_STANDARDMESSAGESLABEL, "standardMessagesLabel", 12, 149, 0, 13},
    {IDC_PICKBUTTON1 + 0, "pickButton1", 113, 146, 13, 21},
    {IDC_PICKBUTTON1 + 3, "pickButton4", 164, 146, 13, 21},
    {IDC_PICKBUTTON1 + 7, "pickButton8", 232, 146, 13, 21},
    {IDC_BEVEL1, "Bevel1", 4, 176, 245, 51},
    {IDC_SENDBUTTON, "sendButton", 8, 180, 113, 25},
    {IDC_CANCELSENDBUTTON, "cancelSendButton", 132, 180, 113, 25},
    {IDC_LABEL3, "Label3", 8, 208, 0, 13},
    {IDC_MESSAGESTATUSLABEL, "messageStatusLabel", 92, 208, 153, 13},
    {IDC_BEVEL2, "Bevel2", 256, 24, 269, 203},
    {IDC_LABEL4, "Label4", 260, 28, 0, 13},
    {IDC_NAMESLISTBOX, "namesListbox", 260, 42, 185, 179},
    {IDC_ADDBUTTON, "AddButton", 448, 44, 73, 21},
    {IDC_DELETEBUTTON, "deleteButton", 448, 68, 73, 21},
    {IDC_EDITNAMEBUTTON, "editNameButton", 448, 92, 73, 21},
    {IDC_CHECKALLBUTTON, "checkAllButton", 448, 132, 73, 21},
    {IDC_UNCHECKALLBUTTON, "uncheckAllButton", 448, 156, 73, 21},
    {IDC_INSTRUCTIONSBUTTON, "instructionsButton", 448, 198, 73, 21},
    {IDC_SENDINGMEMO, "sendingMemo", 4, 248, 521, 93},
    {IDC_STATUSBAR1, "StatusBar1", 0, 341, 529, 19},
};

RECT PlaceInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// On a screen of more than 96 DPI every place grows with it (LogPixels 192:
// twice the pixels), and labels take the size of the larger face's text.
TEST_F(MainWindowTest, EveryControlSitsWhereTheLayoutPutsIt) {
  Start();
  const double scale = WindowScale(form().Window());
  const auto px = [scale](int layout) { return Scaled(layout, scale); };
  RECT client{};
  GetClientRect(form().Window(), &client);
  // A window larger than the screen is cut to it (the null driver's screen
  // is 1024 x 768).
  if (GetSystemMetrics(SM_CYSCREEN) > px(400)) {
    EXPECT_EQ(client.right, px(529));
    EXPECT_EQ(client.bottom, px(360));
  }
  for (const Expected& e : kPlaces) {
    HWND control = Control(e.id);
    ASSERT_NE(control, nullptr) << e.name;
    const RECT r = PlaceInParent(control);
    EXPECT_EQ(r.left, px(e.left)) << e.name;
    EXPECT_EQ(r.top, px(e.top)) << e.name;
    if (e.width != 0) {
      EXPECT_EQ(r.right - r.left, px(e.width)) << e.name;
      EXPECT_EQ(r.bottom - r.top, px(e.height)) << e.name;
    } else if (scale == 1.0) {
      EXPECT_EQ(r.bottom - r.top, e.height) << e.name;
    }
  }
  if (scale == 1.0) {
    // A label is as wide as its text: "Pager Number:" in the 8-point face.
    const RECT label = PlaceInParent(Control(IDC_LABEL2));
    EXPECT_EQ(label.right - label.left, 71);
  }
}

TEST_F(MainWindowTest, FixedCaptionedWindowThatEscDoesNotClose) {
  WriteFile("names.txt", "Ann, 1\r\n");
  Start();
  HWND window = form().Window();
  EXPECT_EQ(WindowTextBytes(window), "Orvant SNPP Client");
  const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(GetMenu(window), nullptr);
  EXPECT_EQ(Text(IDC_MESSAGESTATUSLABEL), "NONE");
  EXPECT_FALSE(IsWindowVisible(Control(IDC_SELECTINGPANEL)));

  for (int id : {IDC_IDEDITFIELD, IDC_MESSAGEMEMO, IDC_SENDBUTTON, IDC_NAMESLISTBOX, IDC_SENDINGMEMO}) {
    SetFocus(Control(id));
    Key(Control(id), VK_ESCAPE);
  }
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(ReadFile("names.txt"), "Ann, 1\r\n");
}

TEST_F(MainWindowTest, TabWalksTheControlsInTheirOrder) {
  Start();
  const std::span<const int> order = MainWindowTabOrder();
  const int expected[] = {IDC_IDEDITFIELD,     IDC_MESSAGEMEMO,     IDC_SENDBUTTON,       IDC_CANCELSENDBUTTON,
                          IDC_CLEARBUTTON,     IDC_ADDBUTTON,       IDC_DELETEBUTTON,     IDC_EDITNAMEBUTTON,
                          IDC_PICKBUTTON1,     IDC_PICKBUTTON1 + 1, IDC_PICKBUTTON1 + 2,  IDC_PICKBUTTON1 + 3,
                          IDC_PICKBUTTON1 + 4, IDC_PICKBUTTON1 + 5, IDC_PICKBUTTON1 + 6,  IDC_PICKBUTTON1 + 7,
                          IDC_NAMESLISTBOX,    IDC_UNCHECKALLBUTTON, IDC_CHECKALLBUTTON,  IDC_SENDINGMEMO,
                          IDC_INSTRUCTIONSBUTTON};
  ASSERT_TRUE(std::equal(order.begin(), order.end(), std::begin(expected), std::end(expected)));
  // The dialog manager's walk, which needs no focus (other tests' windows
  // may hold it)...
  HWND window = form().Window();
  for (std::size_t i = 1; i <= std::size(expected); ++i) {
    HWND from = Control(expected[i - 1]);
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(window, from, FALSE)), expected[i % std::size(expected)])
        << "after " << expected[i - 1];
  }
  // ...and the Tab key itself out of the two editors, which take most keys.
  for (int editor : {IDC_MESSAGEMEMO, IDC_SENDINGMEMO}) {
    SetForegroundWindow(window);
    SetFocus(Control(editor));
    Key(Control(editor), VK_TAB);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), editor == IDC_MESSAGEMEMO ? IDC_SENDBUTTON : IDC_INSTRUCTIONSBUTTON);
  }
}

}  // namespace
}  // namespace snpp::win32::test
