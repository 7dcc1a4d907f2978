#include "win32/check_list_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "canvas_test_support.h"
#include "controls/check_list_geometry.h"

namespace snpp::win32 {
namespace {

// A hidden top-level window holding one list 200 × 100 (six whole rows at
// 16 pixels). The parent does not forward owner-draw messages: the list must
// paint itself.
class CheckListWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterCheckListClass(instance));
    ASSERT_TRUE(RegisterCheckListClass(instance));  // a second call is harmless
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = "CheckListTestParent";
    RegisterClassA(&wc);
    parent_ = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              instance, nullptr);
    ASSERT_NE(parent_, nullptr);
    HWND window = CreateWindowExA(0, kCheckListClass, "", WS_CHILD | WS_VISIBLE | LBS_SORT, 0, 0, 200, 100, parent_,
                                  reinterpret_cast<HMENU>(7), instance, nullptr);
    list_ = CheckListWindow::From(window);
    ASSERT_NE(list_, nullptr);
    list_->OnClick = [this](CheckListWindow*) { events_.push_back("click"); };
    list_->OnDblClick = [this](CheckListWindow*) { events_.push_back("dblclick"); };
    list_->OnStateChange = [this](CheckListWindow*, int index, TCheckBoxState oldState, TCheckBoxState newState) {
      events_.push_back("state " + std::to_string(index) + " " + std::to_string(oldState) + "->" +
                        std::to_string(newState));
    };
  }
  void TearDown() override {
    if (parent_) DestroyWindow(parent_);
  }

  HWND Window() const { return list_->Window(); }
  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageA(Window(), msg, w, l); }
  void Click(int x, int y) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  std::string ListBoxText(int index) {
    char buffer[256] = {};
    Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  std::vector<std::string> TakeEvents() { return std::exchange(events_, {}); }

  HWND parent_ = nullptr;
  CheckListWindow* list_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(CheckListWindowTest, ListBoxHoldsTheModelsOrderWhateverItsOwnSortWouldDo) {
  // Strings the system's own sort places differently (punctuation ignored,
  // case ties the other way round).
  for (const char* s : {"zed", "Coop", "co-op", "_x", "a-b", "1x", "coop", "AB", "ab", "Zed", "a'b"})
    list_->AddItem(s);
  list_->SetItemState(list_->AddItem("bravo"), cbChecked);
  ASSERT_EQ(Send(LB_GETCOUNT), list_->ItemCount());
  for (int i = 0; i < list_->ItemCount(); ++i) EXPECT_EQ(ListBoxText(i), list_->ItemText(i)) << i;
  EXPECT_EQ(list_->ItemText(0), "1x");
  EXPECT_EQ(list_->ItemText(1), "_x");
  EXPECT_EQ(GetWindowLongA(Window(), GWL_STYLE) & LBS_SORT, 0);

  // Unsorted, a new item goes to the end; sorting again refills the list box.
  list_->SetSorted(false);
  list_->AddItem("Alpha");
  EXPECT_EQ(ListBoxText(list_->ItemCount() - 1), "Alpha");
  list_->SetSorted(true);
  for (int i = 0; i < list_->ItemCount(); ++i) EXPECT_EQ(ListBoxText(i), list_->ItemText(i)) << i;
  for (int i = 0; i < list_->ItemCount(); ++i)  // "bravo" kept its mark through the refill
    EXPECT_EQ(list_->ItemState(i), list_->ItemText(i) == "bravo" ? cbChecked : cbUnchecked) << i;
  EXPECT_TRUE(list_->DeleteItem(0));
  EXPECT_FALSE(list_->DeleteItem(99));
  EXPECT_EQ(ListBoxText(0), list_->ItemText(0));
  // List-box messages from outside go through the model as well.
  EXPECT_EQ(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("0 first")), 0);
  EXPECT_EQ(list_->ItemText(0), "0 first");
  Send(LB_SETCURSEL, 2);
  EXPECT_EQ(list_->ItemIndex(), 2);
  list_->ClearItems();
  EXPECT_EQ(Send(LB_GETCOUNT), 0);
}

TEST_F(CheckListWindowTest, BoxClickCyclesThenSelectsTextClickOnlySelects) {
  for (const char* s : {"alpha", "bravo", "charlie"}) list_->AddItem(s);
  Click(16, 20);  // the last pixel of the box zone in row 1
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"state 1 0->1", "click"}));
  EXPECT_EQ(list_->ItemIndex(), 1);
  EXPECT_EQ(Send(LB_GETCURSEL), 1);
  EXPECT_EQ(GetFocus(), Window());

  Click(17, 36);  // just right of it, row 2
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"click"}));
  EXPECT_EQ(list_->ItemState(2), cbUnchecked);
  EXPECT_EQ(list_->ItemIndex(), 2);

  // Below the last item, inside the box zone: nothing at all, not even focus.
  SetFocus(parent_);
  Click(5, 80);
  EXPECT_TRUE(TakeEvents().empty());
  EXPECT_NE(GetFocus(), Window());

  // A double click on the box changes the state once, then opens; the
  // class asks for double clicks, so the second press comes as one.
  EXPECT_TRUE(GetClassLongPtrA(Window(), GCL_STYLE) & CS_DBLCLKS);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"state 0 0->1", "click", "dblclick"}));
  // Without double clicks the second press is just another press.
  list_->SetWantDblClicks(false);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"state 0 1->0", "click"}));
}

TEST_F(CheckListWindowTest, KeysCycleTheCurrentItemAndMoveThroughTheList) {
  for (const char* s : {"Bob, 1", "bert, 2", "Carl, 3", "anna, 4"}) list_->AddItem(s);
  Send(WM_CHAR, 'b');  // nothing current: no state changes, just the jump
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"click"}));
  EXPECT_EQ(list_->ItemIndex(), 1);  // "bert, 2"
  Send(WM_CHAR, 'B');  // cycles "bert", then moves on to the next b
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"state 1 0->1", "click", "click"}));
  EXPECT_EQ(list_->ItemIndex(), 2);
  Send(WM_CHAR, VK_ESCAPE);  // Escape cycles like any character, and stays
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"state 2 0->1", "click"}));
  EXPECT_EQ(list_->ItemIndex(), 2);
  Send(WM_CHAR, '\t');
  EXPECT_TRUE(TakeEvents().empty());

  Send(WM_KEYDOWN, VK_END);
  EXPECT_EQ(list_->ItemIndex(), 3);
  Send(WM_KEYDOWN, VK_UP);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{"click", "click"}));

  MSG enter{Window(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  MSG tab{Window(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_TRUE(Send(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
  EXPECT_FALSE(Send(WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & (DLGC_WANTMESSAGE | DLGC_WANTTAB));
}

TEST_F(CheckListWindowTest, ScrolledListMapsPressesAndKeysToTheRowsShown) {
  for (int i = 0; i < 40; ++i) list_->AddItem("name " + std::to_string(100 + i));
  list_->SetItemIndex(30);
  const int top = list_->TopIndex();
  EXPECT_EQ(top, 30 - 6 + 1);  // brought into view at the bottom, six whole rows
  Click(40, 8);                // the first row shown
  EXPECT_EQ(list_->ItemIndex(), top);
  Send(WM_KEYDOWN, VK_PRIOR);
  EXPECT_EQ(list_->ItemIndex(), top - 5);
  EXPECT_EQ(list_->TopIndex(), top - 5);

  // Items added or deleted above the current one: the same item stays
  // current in both lists, and nothing scrolls.
  const int current = list_->ItemIndex();
  list_->AddItem("aaa");
  list_->AddItem("name 1005");
  EXPECT_EQ(list_->ItemIndex(), current + 2);
  EXPECT_EQ(Send(LB_GETCURSEL), current + 2);
  EXPECT_EQ(list_->TopIndex(), top - 5);
  list_->DeleteItem(0);
  EXPECT_EQ(Send(LB_GETCURSEL), current + 1);
  list_->DeleteItem(current + 1);
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_EQ(Send(LB_GETCURSEL), LB_ERR);
}

// The row as it lands on the screen, read back through PrintWindow.
TEST_F(CheckListWindowTest, RowsShowTheTickInsideAWhiteBoxAndTheHighlightBesideIt) {
  list_->AddItem("alpha");
  list_->AddItem("bravo");
  list_->SetItemState(0, cbChecked);
  list_->SetItemState(1, cbGrayed);
  list_->SetItemIndex(1);
  ShowWindow(parent_, SW_SHOWNA);

  const canvas_test::Canvas canvas(200, 100);
  HDC dc = canvas.Dc();
  ASSERT_TRUE(PrintWindow(Window(), dc, PW_CLIENTONLY));
  const auto at = [&](int x, int y) { return GetPixel(dc, x, y); };

  const BoxGeometry g = ComputeBoxGeometry(16, 1);
  const COLORREF tick = GetSysColor(COLOR_WINDOWTEXT);
  std::vector<Point> tickPixels;
  for (const Segment& s : MarkSegments(g, csCheck))
    for (Point p : LinePixels(s)) {
      EXPECT_EQ(at(p.x, p.y), tick) << p.x << "," << p.y;
      tickPixels.push_back(p);
    }
  EXPECT_EQ(at(g.x + 3, g.y + 3), RGB(255, 255, 255));  // inside the box, off the tick
  EXPECT_EQ(at(g.x + g.d - 1, g.y + g.d - 1), RGB(192, 204, 216));
  EXPECT_EQ(at(g.x, g.y), RGB(80, 100, 128));
  EXPECT_EQ(at(g.x + 1, g.y + 1), RGB(0, 0, 0));
  EXPECT_EQ(at(0, 0), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(at(g.highlightX, 8), GetSysColor(COLOR_WINDOW));  // row 0 is not selected

  // Row 1: grayed, selected; the highlight starts one pixel left of the text.
  EXPECT_EQ(at(4, 16 + 4), RGB(128, 128, 128));  // x + y even in the row: dark
  EXPECT_EQ(at(4, 16 + 5), RGB(192, 192, 192));
  EXPECT_EQ(at(0, 16 + 8), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(at(g.highlightX, 16 + 1), GetSysColor(COLOR_HIGHLIGHT));  // under the focus mark's gaps
  EXPECT_EQ(at(199 - 17, 16 + 8), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(at(5, 50), GetSysColor(COLOR_WINDOW));  // below the items

  // With the focus and no current item, the first row carries the focus
  // mark: dotted, inverting, starting on the highlight's first pixel.
  list_->SetItemIndex(-1);
  SetFocus(Window());
  ASSERT_TRUE(PrintWindow(Window(), dc, PW_CLIENTONLY));
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(at(g.highlightX, 0), window ^ 0xFFFFFF);
  EXPECT_EQ(at(g.highlightX + 1, 0), window);
  EXPECT_EQ(at(g.highlightX, 16), window);  // not on row 1
}

// 100,000 names must cost the list box nothing per name: it holds no texts,
// only the count, and a change to many items (a load, checking every name)
// leaves it and the screen alone until its end, then repaints once, with the
// current item in view. Each item's event is still raised.
TEST_F(CheckListWindowTest, ManyItemsChangedAtOnceRepaintOnceAtTheEnd) {
  const LONG style = GetWindowLongA(Window(), GWL_STYLE);
  EXPECT_TRUE(style & LBS_NODATA);
  EXPECT_FALSE(style & LBS_HASSTRINGS);
  ShowWindow(parent_, SW_SHOWNA);
  UpdateWindow(parent_);
  {
    CheckListWindow::UpdateScope update(list_);
    for (int i = 0; i < 2000; ++i) list_->AddItem("name " + std::to_string(10000 + i));
    for (int i = 0; i < 2000; ++i) list_->SetItemState(i, cbChecked);
    list_->SetItemIndex(1500);
    EXPECT_FALSE(GetUpdateRect(Window(), nullptr, FALSE));
    EXPECT_EQ(Send(LB_GETCOUNT), 0);
  }
  EXPECT_EQ(TakeEvents().size(), 2000u);
  EXPECT_EQ(Send(LB_GETCOUNT), 2000);
  EXPECT_EQ(Send(LB_GETCURSEL), 1500);
  EXPECT_LE(list_->TopIndex(), 1500);
  EXPECT_GT(list_->TopIndex() + 6, 1500);
  EXPECT_EQ(ListBoxText(1999), "name 11999");
  EXPECT_EQ(Send(LB_GETTEXTLEN, 1999), 10);
  RECT dirty{}, client{};
  EXPECT_TRUE(GetUpdateRect(Window(), &dirty, FALSE));
  GetClientRect(Window(), &client);
  EXPECT_TRUE(EqualRect(&dirty, &client));
  // One item at a time, the list box follows at once.
  list_->DeleteItem(0);
  EXPECT_EQ(Send(LB_GETCOUNT), 1999);
  EXPECT_EQ(Send(LB_GETCURSEL), list_->ItemIndex());
}

TEST_F(CheckListWindowTest, AHandlerMayDestroyTheListFromItsOwnEvent) {
  list_->AddItem("alpha");
  list_->OnStateChange = [this](CheckListWindow* sender, int, TCheckBoxState, TCheckBoxState) {
    DestroyWindow(sender->Window());
  };
  HWND window = Window();
  Click(4, 4);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
}  // namespace snpp::win32
