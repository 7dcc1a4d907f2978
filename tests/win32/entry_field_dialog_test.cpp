#include <gtest/gtest.h>

#include <vector>

#include "entry_field_test_host.h"

namespace snpp::win32 {
namespace {

// An in-memory dialog template: the pager field, an EDIT and, if asked, a
// default OK button, in the program's dialog face.
class Template {
 public:
  explicit Template(bool withDefault) {
    Dword(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT);
    Dword(0);
    words_.push_back(withDefault ? 3 : 2);
    for (short v : {0, 0, 200, 80}) words_.push_back(static_cast<WORD>(v));
    words_.insert(words_.end(), {0, 0, 0});  // no menu, standard class, no title
    words_.push_back(8);
    String(L"MS Sans Serif");
    Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 101, 8, 8, 50, 13, L"TSimpleField");
    Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 102, 70, 8, 50, 13, nullptr, 0x0081);
    if (withDefault) Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 130, 8, 50, 14, nullptr, 0x0080);
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD v) {
    words_.push_back(LOWORD(v));
    words_.push_back(HIWORD(v));
  }
  void String(const wchar_t* s) {
    for (; *s; ++s) words_.push_back(static_cast<WORD>(*s));
    words_.push_back(0);
  }
  void Item(DWORD style, WORD id, short x, short y, short cx, short cy, const wchar_t* cls, WORD atom = 0) {
    if (words_.size() % 2) words_.push_back(0);  // items start on a DWORD
    Dword(style);
    Dword(0);
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
    words_.push_back(id);
    if (cls) {
      String(cls);
    } else {
      words_.push_back(0xFFFF);
      words_.push_back(atom);
    }
    words_.push_back(0);  // no text
    words_.push_back(0);  // no creation data
  }
  std::vector<WORD> words_;
};

int lastCommand = 0;

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND) lastCommand = LOWORD(wParam);
  return FALSE;
}

using FieldInDialog = FieldHost;

// A key as the dialog's message loop handles it, with the characters it
// translates into.
bool DialogKey(HWND dialog, int key) {
  MSG m{GetFocus(), WM_KEYDOWN, static_cast<WPARAM>(key), 1, 0, {}};
  const bool handled = IsDialogMessageA(dialog, &m);
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
    if (!IsDialogMessageA(dialog, &m)) DispatchMessageA(&m);
  return handled;
}

TEST_F(FieldInDialog, TabMovesOnAndBackSelectingAllAndEnterPressesTheDefault) {
  const Template t(true);
  HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), t.Get(), nullptr, DialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND field = GetDlgItem(dialog, 101);
  EntryFieldWindow* f = EntryFieldWindow::From(field);
  ASSERT_NE(f, nullptr);
  f->SetController(&controller);
  f->SetupSimple('X', 10);
  // The dialog's face, and the height that goes with it.
  EXPECT_NE(SendMessageA(field, WM_GETFONT, 0, 0), 0);
  RECT r{};
  GetWindowRect(field, &r);
  EXPECT_EQ(r.bottom - r.top, TFieldLayout::AutoHeight(f->Layout().CharacterBox(0).height, WindowScale(field)));

  SetFocus(field);
  Type(field, " 12 ");
  EXPECT_TRUE(DialogKey(dialog, VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 102));
  EXPECT_EQ(Text(field), "12");  // leaving trims the blanks

  Hold({VK_SHIFT});
  EXPECT_TRUE(DialogKey(dialog, VK_TAB));
  Hold({});
  EXPECT_EQ(GetFocus(), field);
  EXPECT_TRUE(f->Model().AllSelected());
  Type(field, "7");
  EXPECT_EQ(Text(field), "7");

  lastCommand = 0;
  EXPECT_TRUE(DialogKey(dialog, VK_RETURN));
  EXPECT_EQ(lastCommand, IDOK);
  EXPECT_TRUE(DialogKey(dialog, VK_ESCAPE));
  EXPECT_EQ(lastCommand, IDCANCEL);
  EXPECT_EQ(beeps, 0);
  DestroyWindow(dialog);

  // Without a default button Enter stays in the field and beeps there.
  const Template plain(false);
  dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), plain.Get(), nullptr, DialogProc, 0);
  field = GetDlgItem(dialog, 101);
  SetFocus(field);
  lastCommand = 0;
  EXPECT_TRUE(DialogKey(dialog, VK_RETURN));
  EXPECT_EQ(lastCommand, 0);
  EXPECT_EQ(beeps, 1);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace snpp::win32
