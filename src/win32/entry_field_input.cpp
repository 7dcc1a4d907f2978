// How an entry field window takes keys, clicks and the focus, and keeps
// the system caret where the model's cursor is.

#include "win32/entry_field_window.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "controls/entry_field_menu.h"
#include "controls/entry_field_typing.h"

namespace snpp::win32 {
namespace {

std::uint8_t ShiftState() {
  std::uint8_t s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

}  // namespace

bool EntryFieldWindow::SameWindow(HWND other) const {
  return other && GetAncestor(other, GA_ROOT) == GetAncestor(window_, GA_ROOT);
}

// In a dialog with a default button Enter presses it and Esc cancels; the
// main window has none, and there the field beeps at them as at any
// character it refuses.
bool EntryFieldWindow::WantsEnterAndEscape() const {
  HWND parent = GetParent(window_);
  if (!parent || GetClassLongPtrA(parent, GCW_ATOM) != reinterpret_cast<ULONG_PTR>(WC_DIALOG)) return true;
  // A dialog names IDOK as its default even without such a button.
  const LRESULT def = SendMessageA(parent, DM_GETDEFID, 0, 0);
  HWND button = HIWORD(def) == DC_HASDEFID ? GetDlgItem(parent, LOWORD(def)) : nullptr;
  return !button || !(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
}

// A key goes through the window's command tables first. A key that was a
// command (or part of one) types nothing, so the character the message
// loop has already queued behind it is taken away.
LRESULT EntryFieldWindow::Key(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) {
    const char32_t c = TypedCharacter(static_cast<unsigned char>(wParam), ShiftState());
    if (c != 0) model_->TypeChar(c);
    return 0;
  }
  if (message == WM_SYSCHAR) return DefWindowProcA(window_, message, wParam, lParam);
  const auto key = static_cast<std::uint8_t>(wParam);
  const std::uint8_t shift = ShiftState();
  const TCommand command = model_->KeyDown(key, shift);
  if (IsModifierKey(key)) return message == WM_SYSKEYDOWN ? DefWindowProcA(window_, message, wParam, lParam) : 0;
  if (command != ccNoCmd) {
    MSG queued;
    while (PeekMessageA(&queued, window_, WM_CHAR, WM_CHAR, PM_REMOVE) ||
           PeekMessageA(&queued, window_, WM_SYSCHAR, WM_SYSCHAR, PM_REMOVE)) {
    }
    return 0;
  }
  // Alt combinations and F10 belong to the menu.
  if (message == WM_SYSKEYDOWN || !KeyTypesText(shift)) return DefWindowProcA(window_, message, wParam, lParam);
  return 0;
}

void EntryFieldWindow::MouseDown(int x, bool shift) {
  const bool hadFocus = HasFocus();
  if (!hadFocus) {
    mouseFocus_ = true;
    SetFocus(window_);
    mouseFocus_ = false;
    if (!HasFocus()) return;
  }
  model_->MouseDown(Layout().PositionAt(x), hadFocus && shift);
  SetCapture(window_);
  dragging_ = true;
}

void EntryFieldWindow::ContextMenu(LPARAM at) {
  if (!IsWindowEnabled(window_)) return;
  if (!HasFocus()) {
    mouseFocus_ = true;
    SetFocus(window_);
    mouseFocus_ = false;
  }
  POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {  // from the keyboard: at the caret
    const TFieldBox caret = Layout().CaretBox();
    p = {caret.left, caret.Bottom()};
    ClientToScreen(window_, &p);
  }
  const std::vector<TFieldMenuItem> items = FieldMenuItems(*model_);
  HMENU menu = CreatePopupMenu();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].action == TFieldMenuAction::Separator)
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuA(menu, MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED), i + 1, items[i].text.c_str());
  }
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y, 0, window_, nullptr));
  DestroyMenu(menu);
  if (chosen > 0) RunFieldMenuAction(*model_, items[chosen - 1].action);
}

// Focus from another window (the window being activated again) is no
// entry into the field: it keeps its cursor and selection.
void EntryFieldWindow::FocusGained(HWND previous) {
  if (mouseFocus_)
    model_->FocusIn(TEntryFieldModel::FocusSource::Mouse);
  else if (SameWindow(previous))
    model_->FocusIn(TEntryFieldModel::FocusSource::Keyboard);
  else
    model_->FocusReturn();
  SyncCaret();
}

void EntryFieldWindow::FocusLost(HWND next) {
  dragging_ = false;
  DropCaret();
  const std::uint16_t code = model_->FocusOut(SameWindow(next));
  if (code != 0 && !model_->HasOption(efoSoftValidation))
    PostMessageA(window_, kReportFailure, code, ClaimErrorReport(*model_) ? 1 : 0);
}

void EntryFieldWindow::ReportFailure(std::uint16_t code, bool report) {
  SetFocus(window_);
  if (!report) return;
  DeliverErrorReport(*model_, code, [this](const std::string& text) {
    MessageBoxA(GetAncestor(window_, GA_ROOT), text.c_str(), "Error", MB_OK | MB_ICONERROR);
  });
}

void EntryFieldWindow::SyncCaret() {
  if (!HasFocus() || !model_->Enabled()) {
    DropCaret();
    return;
  }
  const TFieldLayout layout = Layout();
  const TFieldBox client = layout.Client();
  const TFieldBox box = layout.CaretBox();
  // Kept inside the edge, as the block at a number's right end would not be.
  const int width = std::max(1, std::min(box.width, client.Right() - box.left));
  if (caretSize_.cx != width || caretSize_.cy != box.height) {
    DropCaret();
    if (!CreateCaret(window_, nullptr, width, box.height)) return;
    caretSize_ = {width, box.height};
    SetCaretPos(box.left, box.top);
    ShowCaret(window_);
    return;
  }
  SetCaretPos(box.left, box.top);
}

void EntryFieldWindow::DropCaret() {
  if (caretSize_.cx == 0) return;
  DestroyCaret();
  caretSize_ = {0, 0};
}

}  // namespace snpp::win32
