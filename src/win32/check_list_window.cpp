#include "win32/check_list_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "win32/check_list_msaa.h"
#include "win32/check_list_painter.h"
#include "win32/window_look.h"

namespace snpp::win32 {
namespace {

WNDPROC originalProc = nullptr;
int originalExtra = 0;  // our pointer sits behind the list box's own bytes
ATOM classAtom = 0;

// The list box's own sorting differs from the model's, the texts are the
// model's, and its row height and drawing are ours; the rest of the style is
// the caller's. (A no-data list box takes neither sorting nor strings.)
constexpr DWORD kRequiredStyle = WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD kRefusedStyle = LBS_SORT | LBS_HASSTRINGS | LBS_OWNERDRAWVARIABLE | LBS_MULTIPLESEL |
                                LBS_EXTENDEDSEL | LBS_MULTICOLUMN | LBS_NOSEL;

LRESULT CALLBACK CheckListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>((style | kRequiredStyle) & ~kRefusedStyle));
    SetWindowLongPtrA(window, originalExtra, reinterpret_cast<LONG_PTR>(new CheckListWindow(window)));
  }
  CheckListWindow* list = CheckListWindow::From(window);
  if (!list) return CallWindowProcA(originalProc, window, msg, wParam, lParam);
  return CheckListWindow::Dispatch(list, msg, wParam, lParam);
}

std::optional<ListMove> MoveForKey(WPARAM key) {
  switch (key) {
    case VK_UP:
    case VK_LEFT: return ListMove::Previous;
    case VK_DOWN:
    case VK_RIGHT: return ListMove::Next;
    case VK_PRIOR: return ListMove::PageUp;
    case VK_NEXT: return ListMove::PageDown;
    case VK_HOME: return ListMove::First;
    case VK_END: return ListMove::Last;
    default: return std::nullopt;
  }
}

}  // namespace

bool RegisterCheckListClass(HINSTANCE instance) {
  if (classAtom) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExA(nullptr, "LISTBOX", &wc)) return false;
  originalProc = wc.lpfnWndProc;
  originalExtra = wc.cbWndExtra;
  wc.cbWndExtra += sizeof(CheckListWindow*);
  wc.lpfnWndProc = CheckListProc;
  wc.hInstance = instance;
  wc.lpszClassName = kCheckListClass;
  // Double clicks reach the list as such; any module's dialogs may use it.
  wc.style |= CS_DBLCLKS | CS_GLOBALCLASS;
  classAtom = RegisterClassExA(&wc);
  return classAtom != 0;
}

CheckListWindow* CheckListWindow::From(HWND window) {
  if (!window || !classAtom || GetClassLongPtrA(window, GCW_ATOM) != classAtom) return nullptr;
  return reinterpret_cast<CheckListWindow*>(GetWindowLongPtrA(window, originalExtra));
}

// The object lives from WM_NCCREATE to WM_NCDESTROY; a handler that
// destroys the window from inside an event leaves it to the outermost call.
LRESULT CheckListWindow::Dispatch(CheckListWindow* list, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++list->depth_;
  const LRESULT result = list->Handle(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(list->window_, originalExtra, 0);
    list->destroyed_ = true;
  }
  if (--list->depth_ == 0 && list->destroyed_) delete list;
  return result;
}

LRESULT CheckListWindow::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(originalProc, window_, msg, wParam, lParam);
}

LRESULT CheckListWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      const LRESULT result = CallOriginal(msg, wParam, lParam);
      ApplyRowHeight();
      return result;
    }
    case WM_SETFONT:
    case WM_DPICHANGED_AFTERPARENT: {
      const LRESULT result = CallOriginal(msg, wParam, lParam);
      ApplyRowHeight();
      return result;
    }
    case WM_ERASEBKGND: return 1;  // every pixel is painted with the rows
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      PaintRows(dc, ps.rcPaint);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(window_, &client);
      PaintRows(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = CallOriginal(msg, wParam, lParam);
      InvalidateRow(model_.FocusIndex());
      if (msg == WM_SETFOCUS) NotifyListFocus(window_);
      return result;
    }
    case WM_GETOBJECT:
      if (const LRESULT answer = CheckListGetObject(window_, wParam, lParam)) return answer;
      return CallOriginal(msg, wParam, lParam);
    case WM_GETDLGCODE: {
      // Arrows and characters, Enter and Escape included, stay with the list;
      // Tab still moves on to the next control.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const auto* m = reinterpret_cast<const MSG*>(lParam);
      if (m && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
          (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_LBUTTONDOWN:
      LeftPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (!wantDblClicks_) LeftPress(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      else if (OnDblClick) OnDblClick(this);
      return 0;
    case WM_MOUSEMOVE:
      if (tracking_ && (wParam & MK_LBUTTON)) FollowPointer(GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      if (tracking_) {
        tracking_ = false;
        ReleaseCapture();
        RaiseClick();
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) tracking_ = false;
      return CallOriginal(msg, wParam, lParam);
    case WM_KEYDOWN:
      if (const auto move = MoveForKey(wParam)) {
        forms::NavigateTo(*this, model_.NavigationTarget(*move, FullRows()));
        return 0;
      }
      return CallOriginal(msg, wParam, lParam);
    case WM_CHAR: {
      const std::string typed(1, static_cast<char>(wParam));
      if (!CheckListModel::IsListCharacter(typed)) return DefWindowProcA(window_, msg, wParam, lParam);
      forms::TypeCharacter(*this, typed);
      return 0;
    }
    // Item and selection messages sent from outside go through the model,
    // so the two lists never part.
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      if (!lParam) return LB_ERR;
      const int at = AddItem(reinterpret_cast<const char*>(lParam));
      return at >= 0 ? at : LB_ERRSPACE;
    }
    case LB_DELETESTRING:
      return DeleteItem(static_cast<INT>(wParam)) ? ItemCount() : LB_ERR;
    case LB_RESETCONTENT:
      ClearItems();
      return 0;
    case LB_SETCURSEL:
      SetItemIndex(static_cast<INT>(wParam));
      return ItemIndex() >= 0 ? ItemIndex() : LB_ERR;
    case LB_GETTEXTLEN: {
      const int index = static_cast<INT>(wParam);
      return model_.IsValidIndex(index) ? static_cast<LRESULT>(ItemText(index).size()) : LB_ERR;
    }
    case LB_GETTEXT:
      return CopyText(static_cast<INT>(wParam), reinterpret_cast<char*>(lParam));
    default:
      return CallOriginal(msg, wParam, lParam);
  }
}

// ---- items ----

int CheckListWindow::AddItem(std::string text) {
  const int at = model_.Add(std::move(text));
  if (at < 0 || updating_) return at;
  if (!SyncCount()) {
    // The list box is out of room: keep the two lists alike.
    model_.Delete(at);
    SyncCount();
    return -1;
  }
  SyncSelection();
  InvalidateFrom(at);
  return at;
}

bool CheckListWindow::DeleteItem(int index) {
  if (!model_.Delete(index)) return false;
  if (updating_) return true;
  SyncCount();
  SyncSelection();
  InvalidateFrom(index);
  return true;
}

void CheckListWindow::ClearItems() {
  model_.Clear();
  tracking_ = false;
  if (updating_) return;
  CallOriginal(LB_RESETCONTENT, 0, 0);
  InvalidateRect(window_, nullptr, FALSE);
}

// The list box holds as many rows as the model, and nothing else.
bool CheckListWindow::SyncCount() {
  const int count = model_.Count();
  if (count == 0) {
    CallOriginal(LB_RESETCONTENT, 0, 0);
    return true;
  }
  if (CallOriginal(LB_GETCOUNT, 0, 0) == count) return true;
  return CallOriginal(LB_SETCOUNT, static_cast<WPARAM>(count), 0) >= 0;
}

void CheckListWindow::Refill() {
  if (updating_) return;
  SyncCount();
  SyncSelection();
  InvalidateRect(window_, nullptr, FALSE);
}

void CheckListWindow::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0) return;
  SyncCount();
  SyncSelection();
  if (revealCurrent_) EnsureVisible(ItemIndex());
  revealCurrent_ = false;
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CheckListWindow::CopyText(int index, char* buffer) const {
  if (!model_.IsValidIndex(index) || !buffer) return LB_ERR;
  const std::string& text = ItemText(index);
  std::copy(text.begin(), text.end(), buffer);
  buffer[text.size()] = '\0';
  return static_cast<LRESULT>(text.size());
}

void CheckListWindow::SetSorted(bool sorted) {
  if (sorted == model_.Sorted()) return;
  model_.SetSorted(sorted);
  Refill();
}

// ---- states ----

void CheckListWindow::SetItemState(int index, TCheckBoxState state) {
  const auto change = model_.SetItemState(index, state);
  if (!change) return;
  InvalidateRow(index);
  NotifyRowState(window_, index);
  if (OnStateChange) OnStateChange(this, change->index, change->oldState, change->newState);
}

void CheckListWindow::PressItem(int index, bool onBox) { forms::PressItem(*this, index, onBox); }

void CheckListWindow::CycleState(int index) {
  SetItemState(index, NextState(model_.ItemState(index), model_.ThreeState()));
}

// ---- selection and scrolling ----

void CheckListWindow::SetItemIndex(int index) {
  MoveCurrent(index);
  if (updating_) revealCurrent_ = true;
  else EnsureVisible(ItemIndex());
}

void CheckListWindow::MoveCurrent(int index) {
  const auto changed = model_.MoveCurrent(index);
  if (!changed) return;
  for (int row : *changed) InvalidateRow(row);
  SyncSelection();
  NotifyCurrentRow(window_, ItemIndex());
}

void CheckListWindow::SelectByUser(int index) {
  EnsureVisible(index);
  MoveCurrent(index);
}

// The list box's own selection follows the model's, for readers of
// LB_GETCURSEL; the item is in view first, so the list box scrolls nothing.
void CheckListWindow::SyncSelection() {
  if (updating_) return;
  const int current = ItemIndex();
  if (SendMessageA(window_, LB_GETCURSEL, 0, 0) != current)
    CallOriginal(LB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

int CheckListWindow::TopIndex() const {
  return static_cast<int>(SendMessageA(window_, LB_GETTOPINDEX, 0, 0));
}

int CheckListWindow::FullRows() const {
  RECT client;
  GetClientRect(window_, &client);
  return CheckListModel::FullRows(client.bottom, static_cast<int>(RowHeight()));
}

void CheckListWindow::EnsureVisible(int index) {
  const int top = CheckListModel::TopIndexShowing(index, TopIndex(), FullRows());
  if (top != TopIndex()) SendMessageA(window_, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
}

void CheckListWindow::SetItemHeight(int height) {
  if (model_.SetItemHeight(height)) ApplyRowHeight();
}

UINT CheckListWindow::RowHeight() const { return static_cast<UINT>(Scaled(model_.ItemHeight(), scale_)); }

void CheckListWindow::ApplyRowHeight() {
  scale_ = WindowScale(window_);
  SendMessageA(window_, LB_SETITEMHEIGHT, 0, static_cast<LPARAM>(RowHeight()));
  InvalidateRect(window_, nullptr, FALSE);
}

// ---- mouse ----

// The model works in layout pixels: a device point becomes the point of the
// same row at 100 %.
POINT CheckListWindow::ToLayout(int x, int y) const {
  const int row = static_cast<int>(RowHeight());
  const int h = model_.ItemHeight();
  const int rowOf = y >= 0 ? y / row : -1;
  const int within = y >= 0 ? std::min(h - 1, static_cast<int>((y % row) / scale_)) : 0;
  return {static_cast<LONG>(std::floor(x / scale_)), y >= 0 ? rowOf * h + within : -1};
}

void CheckListWindow::LeftPress(int x, int y) {
  const POINT p = ToLayout(x, y);
  forms::PressAt(*this, p.x, p.y);
}

int CheckListWindow::ItemAt(int y) const { return model_.ItemAt(ToLayout(0, y).y, TopIndex()); }

void CheckListWindow::StartTracking() {
  tracking_ = true;
  SetCapture(window_);
}

void CheckListWindow::FollowPointer(int y) {
  // While the button is held the selection follows the pointer.
  if (model_.Count() == 0) return;
  RECT client;
  GetClientRect(window_, &client);
  int index = ItemAt(std::clamp(y, 0, std::max(0, static_cast<int>(client.bottom) - 1)));
  if (index < 0) index = model_.Count() - 1;
  SelectByUser(index);
}

void CheckListWindow::RaiseClick() {
  if (OnClick) OnClick(this);
}

// ---- keyboard ----

// ---- painting ----

RECT CheckListWindow::RowRect(int index) const {
  RECT client;
  GetClientRect(window_, &client);
  const int h = static_cast<int>(RowHeight());
  const int top = (index - TopIndex()) * h;
  return {0, top, client.right, top + h};
}

void CheckListWindow::InvalidateRow(int index) {
  if (updating_ || !model_.IsValidIndex(index)) return;
  const RECT r = RowRect(index);
  InvalidateRect(window_, &r, FALSE);
}

// The rows from `index` down change when an item is added or taken away.
void CheckListWindow::InvalidateFrom(int index) {
  RECT client;
  GetClientRect(window_, &client);
  RECT rows = RowRect(std::max(index, TopIndex()));
  rows.bottom = client.bottom;
  if (rows.top < rows.bottom) InvalidateRect(window_, &rows, FALSE);
}

CheckListRowPaint CheckListWindow::RowPaint(int index) const {
  CheckListRowPaint paint;
  paint.row = model_.DecideRow(index, GetFocus() == window_);
  if (paint.row.valid) paint.text = model_.Item(index);
  paint.itemHeight = model_.ItemHeight();
  paint.boxMargin = model_.BoxMargin();
  paint.scale = scale_;
  paint.font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
  if (!paint.font) paint.font = ProgramFont(scale_);
  return paint;
}

void CheckListWindow::PaintRows(HDC dc, const RECT& area) {
  const int h = static_cast<int>(RowHeight());
  RECT client;
  GetClientRect(window_, &client);
  const int first = std::max(0, static_cast<int>(area.top) / h);
  const int last = (std::max(static_cast<int>(area.bottom), static_cast<int>(area.top) + 1) - 1) / h;
  const int top = TopIndex();
  for (int row = first; row <= last; ++row) {
    const RECT r{0, row * h, client.right, row * h + h};
    PaintCheckListRow(dc, r, RowPaint(top + row));
  }
}

void CheckListWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  // The list box asks for single rows when it changes them itself; the row is
  // drawn whole from the model, whatever the list box thinks it shows.
  const int index = static_cast<int>(static_cast<INT>(item.itemID));
  PaintCheckListRow(item.hDC, item.rcItem, RowPaint(index));
}

bool ForwardOwnerDraw(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    CheckListWindow* list = item && item->CtlType == ODT_LISTBOX ? CheckListWindow::From(item->hwndItem) : nullptr;
    if (!list) return false;
    list->DrawItem(*item);
    result = TRUE;
    return true;
  }
  if (msg == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_LISTBOX) return false;
    CheckListWindow* list = CheckListWindow::From(GetDlgItem(parent, static_cast<int>(wParam)));
    if (!list) return false;
    item->itemHeight = list->RowHeight();
    result = TRUE;
    return true;
  }
  return false;
}

}  // namespace snpp::win32
