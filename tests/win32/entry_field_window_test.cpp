#include <gtest/gtest.h>

#include <vector>

#include "controls/entry_field_numeric.h"
#include "entry_field_test_host.h"
#include "win32/entry_field_clipboard.h"

namespace snpp::win32 {
namespace {

using FieldWindow = FieldHost;

TEST_F(FieldWindow, TypedCharactersObeyThePictureAndTheLength) {
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  f.SetupSimple('9', 10);
  SetFocus(f.Window());
  Type(f.Window(), "12a345678901");
  EXPECT_EQ(Text(f.Window()), "1234567890");
  EXPECT_EQ(beeps, 2);  // the letter and the eleventh digit
  Type(f.Window(), "\r\x1b");
  EXPECT_EQ(Text(f.Window()), "1234567890");
  EXPECT_EQ(beeps, 4);
  // Outside a dialog with a default button the field takes Enter itself.
  MSG enter{f.Window(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(SendMessageA(f.Window(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTMESSAGE);

  EXPECT_TRUE(SetWindowTextA(f.Window(), "12345678901234"));
  EXPECT_EQ(Text(f.Window()), "1234567890");
}

TEST_F(FieldWindow, ACommandKeyTypesNothingBehindIt) {
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  f.SetupSimple('X', 10);
  f.SetStringValueBytes("abc");
  SetFocus(f.Window());  // all selected, cursor at the end
  Press(f.Window(), VK_END);
  // The loop has translated Backspace into its character already.
  PostMessageA(f.Window(), WM_CHAR, '\b', 1);
  Press(f.Window(), VK_BACK);
  MSG left;
  EXPECT_FALSE(PeekMessageA(&left, f.Window(), WM_CHAR, WM_CHAR, PM_NOREMOVE));
  EXPECT_EQ(Text(f.Window()), "ab");
  EXPECT_EQ(beeps, 0);
  // Ctrl+Backspace is no command, and the DEL it produces is no character.
  Hold({VK_CONTROL});
  Press(f.Window(), VK_BACK);
  Type(f.Window(), "\x7f");
  // Ctrl+Z puts back what the field held on entry, all selected.
  Press(f.Window(), 'Z');
  Hold({});
  EXPECT_EQ(Text(f.Window()), "abc");
  EXPECT_TRUE(f.Model().AllSelected());
}

TEST_F(FieldWindow, InsertAndOverwriteCaretsAndTheModeCarriedByTheController) {
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  EntryFieldWindow& g = Make(kSimpleFieldClass, 8, 77);
  SetWindowPos(g.Window(), nullptr, 8, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  f.SetupSimple('X', 10);
  SetFocus(f.Window());
  Type(f.Window(), "88");
  const double scale = WindowScale(f.Window());
  TFieldBox caret = f.Layout().CaretBox();
  EXPECT_EQ(f.CaretSize().cx, Scaled(2, scale));
  EXPECT_EQ(f.CaretSize().cy, caret.height);
  POINT at{};
  GetCaretPos(&at);
  EXPECT_EQ(at.x, caret.left);
  EXPECT_EQ(at.y, caret.top);

  Press(f.Window(), VK_INSERT);
  Press(f.Window(), VK_HOME);
  EXPECT_EQ(f.CaretSize().cx, f.Layout().CharWidth(U'8'));
  GetCaretPos(&at);
  EXPECT_EQ(at.x, f.Layout().TextLeft());
  Type(f.Window(), "1");
  EXPECT_EQ(Text(f.Window()), "18");
  // Past the end the block is one digit wide, whatever the average width.
  Press(f.Window(), VK_END);
  EXPECT_EQ(f.CaretSize().cx, f.Layout().CharWidth(U'0'));

  SetFocus(g.Window());  // takes overwrite mode from the controller
  EXPECT_FALSE(g.Model().InsertMode());
  EXPECT_EQ(f.CaretSize().cx, 0);
  EXPECT_EQ(g.CaretSize().cx, g.Layout().CharWidth(U'0'));
}

TEST_F(FieldWindow, ClipboardRoundTripKeepsBytesAbove127AndLineBreaks) {
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  f.SetupSimple('X', 10);
  f.SetStringValueBytes("A\xe9\xff\x80");
  SetFocus(f.Window());  // selects all
  Hold({VK_CONTROL});
  Press(f.Window(), 'C');
  Hold({});
  EXPECT_EQ(ReadClipboardText(f.Window()).value_or(""), "A\xe9\xff\x80");

  ASSERT_TRUE(WriteClipboardText(f.Window(), "\x81\r\n\xfe"));
  Press(f.Window(), VK_END);
  Hold({VK_SHIFT});
  Press(f.Window(), VK_INSERT);  // Shift+Ins pastes
  Hold({});
  EXPECT_EQ(f.StringValueBytes(), "A\xe9\xff\x80\x81\r\n\xfe");
  EXPECT_EQ(Text(f.Window()), "A\xe9\xff\x80\x81\r\n\xfe");

  // The line break shows as two red hollow squares, not as glyphs.
  SetFocus(other);
  const TFieldLayout layout = f.Layout();
  Picture p(f.Window());
  for (int i : {5, 6}) {
    const TFieldBox mark = layout.ControlMark(layout.CharacterBox(i));
    ASSERT_GE(mark.width, 3);
    for (int y = mark.top; y < mark.Bottom(); ++y)
      for (int x = mark.left; x < mark.Right(); ++x) {
        const bool edge = x == mark.left || x == mark.Right() - 1 || y == mark.top || y == mark.Bottom() - 1;
        EXPECT_EQ(p.At(x, y), edge ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOW)) << i << " " << x << "," << y;
      }
  }
}

TEST_F(FieldWindow, NumberIsRightAlignedAndLimitedByItsPicture) {
  EntryFieldWindow& n = Make(kNumericFieldClass, 8, 29);
  n.SetupNumeric("99", INT32_MIN, INT32_MAX);
  SetFocus(n.Window());
  Type(n.Window(), "123");
  EXPECT_EQ(n.StringValueBytes(), "12");
  EXPECT_EQ(beeps, 1);
  SetFocus(other);

  const int edge = n.Layout().Edge();
  const int margin = Scaled(3, WindowScale(n.Window()));
  Picture p(n.Window());
  const int right = p.RightmostOf(GetSysColor(COLOR_WINDOWTEXT), edge);
  // The "2" ends three pixels before the client area's right edge.
  EXPECT_LT(right, p.Width() - edge - margin);
  EXPECT_GE(right, p.Width() - edge - margin - Scaled(3, WindowScale(n.Window())));

  // Text that is no number is refused as a value.
  EXPECT_THROW(n.SetStringValueBytes("abc"), std::invalid_argument);
  EXPECT_FALSE(SetWindowTextA(n.Window(), "x"));
  EXPECT_EQ(Text(n.Window()), "12");
}

TEST_F(FieldWindow, DisabledFieldTakesNoInputAndShowsItsValueGray) {
  EntryFieldWindow& n = Make(kNumericFieldClass, 8, 29, WS_DISABLED);
  n.SetupNumeric("999", INT32_MIN, INT32_MAX);
  EXPECT_FALSE(n.Model().Enabled());
  Type(n.Window(), "5");
  EXPECT_EQ(n.StringValueBytes(), "0");
  const int edge = n.Layout().Edge();
  const COLORREF gray = GetSysColor(COLOR_GRAYTEXT);
  EXPECT_GT(Picture(n.Window()).RightmostOf(gray, edge), 0);

  EnableWindow(n.Window(), TRUE);
  EXPECT_TRUE(n.Model().Enabled());
  Picture enabled(n.Window());
  EXPECT_EQ(enabled.RightmostOf(gray, edge), -1);
  EXPECT_GT(enabled.RightmostOf(GetSysColor(COLOR_WINDOWTEXT), edge), 0);
}

TEST_F(FieldWindow, AClickPlacesTheCursorWithoutSelecting) {
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  f.SetupSimple('X', 10);
  f.SetStringValueBytes("1234");
  const TFieldBox third = f.Layout().CharacterBox(2);
  SendMessageA(f.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.left + 1, 10));
  SendMessageA(f.Window(), WM_LBUTTONUP, 0, MAKELPARAM(third.left + 1, 10));
  EXPECT_EQ(GetFocus(), f.Window());
  EXPECT_EQ(f.Model().Cursor(), 2);
  EXPECT_FALSE(f.Model().HasSelection());
  // A drag to the right end selects from there.
  SendMessageA(f.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(third.left + 1, 10));
  SendMessageA(f.Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 10));
  SendMessageA(f.Window(), WM_LBUTTONUP, 0, MAKELPARAM(70, 10));
  EXPECT_EQ(f.Model().SelStart(), 2);
  EXPECT_EQ(f.Model().SelEnd(), 4);
}

// The menu takes the keys queued for it: the item's mnemonic chooses it.
void ChooseFromMenu(HWND w, char mnemonic) {
  PostMessageA(w, WM_CHAR, static_cast<unsigned char>(mnemonic), 1);
  SendMessageA(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w), MAKELPARAM(20, 20));
}

TEST_F(FieldWindow, RightClickMenuRunsTheChosenItem) {
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  f.SetupSimple('X', 10);
  f.SetStringValueBytes("1234");
  ChooseFromMenu(f.Window(), 'a');  // Select All; the click gave the focus
  EXPECT_EQ(GetFocus(), f.Window());
  EXPECT_TRUE(f.Model().AllSelected());
  ChooseFromMenu(f.Window(), 'd');  // Delete
  EXPECT_EQ(Text(f.Window()), "");
  ChooseFromMenu(f.Window(), 'r');  // Restore, enabled now the text changed
  EXPECT_EQ(Text(f.Window()), "1234");
}

}  // namespace
}  // namespace snpp::win32
