// The check list as a screen reader reads it through MSAA: asked for the
// way a reader asks (AccessibleObjectFromWindow), under Wine.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <string>

#include "msaa_test_support.h"
#include "win32/check_list_window.h"

namespace snpp::win32 {
namespace {

using msaa_test::Child;
using msaa_test::Take;

class CheckListMsaaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(RegisterCheckListClass(instance));
    parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr, instance,
                              nullptr);
    ASSERT_NE(parent_, nullptr);
    HWND window = CreateWindowExA(0, kCheckListClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, parent_, nullptr,
                                  instance, nullptr);
    list_ = CheckListWindow::From(window);
    ASSERT_NE(list_, nullptr);
    for (const char* name : {"Ann, 1001", "Bob, 1002", "Carl, 1003"}) list_->AddItem(name);
    list_->OnClick = [this](CheckListWindow*) { ++clicks_; };
    void* object = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), &object), S_OK);
    acc_ = static_cast<IAccessible*>(object);
  }
  void TearDown() override {
    if (acc_) acc_->Release();
    if (parent_) DestroyWindow(parent_);
    CoUninitialize();
  }

  long State(long child) {
    VARIANT state;
    VariantInit(&state);
    EXPECT_EQ(acc_->get_accState(Child(child), &state), S_OK);
    return state.lVal;
  }
  long Role(long child) {
    VARIANT role;
    VariantInit(&role);
    EXPECT_EQ(acc_->get_accRole(Child(child), &role), S_OK);
    return role.lVal;
  }
  std::wstring Name(long child) {
    BSTR name = nullptr;
    acc_->get_accName(Child(child), &name);
    return Take(name);
  }
  std::wstring Action(long child) {
    BSTR action = nullptr;
    acc_->get_accDefaultAction(Child(child), &action);
    return Take(action);
  }

  HWND parent_ = nullptr;
  CheckListWindow* list_ = nullptr;
  IAccessible* acc_ = nullptr;
  int clicks_ = 0;
};

TEST_F(CheckListMsaaTest, RowsAreCheckBoxesWithTheirCheckSelectionAndFocus) {
  list_->SetItemState(0, cbChecked);
  list_->SetItemState(2, cbGrayed);
  list_->SetItemIndex(1);
  SetFocus(list_->Window());

  long count = 0;
  ASSERT_EQ(acc_->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(Role(CHILDID_SELF), ROLE_SYSTEM_LIST);
  EXPECT_EQ(Role(1), ROLE_SYSTEM_CHECKBUTTON);
  EXPECT_EQ(Name(1), L"Ann, 1001");
  EXPECT_EQ(Name(3), L"Carl, 1003");
  IDispatch* row = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(acc_->get_accChild(Child(2), &row), S_FALSE);  // a simple element
  EXPECT_EQ(row, nullptr);

  EXPECT_TRUE(State(1) & STATE_SYSTEM_CHECKED);
  EXPECT_FALSE(State(2) & STATE_SYSTEM_CHECKED);
  EXPECT_TRUE(State(3) & STATE_SYSTEM_MIXED);
  EXPECT_TRUE(State(2) & STATE_SYSTEM_SELECTED);
  EXPECT_FALSE(State(1) & STATE_SYSTEM_SELECTED);
  if (GetFocus() == list_->Window()) {  // the desktop may keep the focus elsewhere
    EXPECT_TRUE(State(2) & STATE_SYSTEM_FOCUSED);
    VARIANT focus;
    ASSERT_EQ(acc_->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, 2);
  }
  EXPECT_FALSE(State(1) & STATE_SYSTEM_FOCUSED);
  VARIANT selection;
  ASSERT_EQ(acc_->get_accSelection(&selection), S_OK);
  EXPECT_EQ(selection.lVal, 2);

  long x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(acc_->accLocation(&x, &y, &w, &h, Child(3)), S_OK);
  VARIANT hit;
  ASSERT_EQ(acc_->accHitTest(x + 5, y + h / 2, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 3);
  EXPECT_EQ(acc_->get_accName(Child(4), nullptr), E_INVALIDARG);
}

// The default action says what it will do, and does it as a click on the
// row's box would: the state turns and the click event comes.
TEST_F(CheckListMsaaTest, DefaultActionTicksAndUnticksTheRow) {
  EXPECT_EQ(Action(2), L"Check");
  ASSERT_EQ(acc_->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_EQ(list_->ItemState(1), cbChecked);
  EXPECT_EQ(clicks_, 1);
  EXPECT_TRUE(State(2) & STATE_SYSTEM_CHECKED);
  EXPECT_EQ(Action(2), L"Uncheck");
  ASSERT_EQ(acc_->accDoDefaultAction(Child(2)), S_OK);
  EXPECT_EQ(list_->ItemState(1), cbUnchecked);
  EXPECT_EQ(acc_->accDoDefaultAction(Child(9)), E_INVALIDARG);
}

}  // namespace
}  // namespace snpp::win32
