#include "win32/check_list_msaa.h"

#include <string>

#include "forms/accessible_names.h"
#include "win32/check_list_window.h"
#include "win32/msaa_object.h"

namespace snpp::win32 {
namespace {

class CheckListMsaa : public MsaaObject {
 public:
  explicit CheckListMsaa(HWND list) : MsaaObject(list) {}

  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    CheckListWindow* list = List();
    *count = list ? list->ItemCount() : 0;
    return S_OK;
  }

  // Rows are simple elements, known by child id, not objects of their own.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    return Row(child) >= 0 ? S_FALSE : E_INVALIDARG;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child)) return MsaaObject::get_accName(child, name);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    return MakeBstr(List()->ItemText(row), name);
  }

  // The list's value is its current row, as the Qt face's is.
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    if (!IsSelf(child)) return Row(child) >= 0 ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
    CheckListWindow* list = List();
    if (!list || list->ItemIndex() < 0) return S_FALSE;
    return MakeBstr(list->ItemText(list->ItemIndex()), value);
  }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!IsSelf(child) && Row(child) < 0) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = IsSelf(child) ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_CHECKBUTTON;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    VariantInit(state);
    CheckListWindow* list = List();
    if (!list) return E_FAIL;
    const bool focused = GetFocus() == window_;
    long s = STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowEnabled(window_)) s |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(window_)) s |= STATE_SYSTEM_INVISIBLE;
    if (IsSelf(child)) {
      if (focused) s |= STATE_SYSTEM_FOCUSED;
    } else {
      const int row = Row(child);
      if (row < 0) return E_INVALIDARG;
      s |= STATE_SYSTEM_SELECTABLE;
      const TCheckBoxState check = list->ItemState(row);
      if (check == cbChecked) s |= STATE_SYSTEM_CHECKED;
      if (check == cbGrayed) s |= STATE_SYSTEM_MIXED;
      if (row == list->ItemIndex()) s |= STATE_SYSTEM_SELECTED;
      if (focused && row == list->Model().FocusIndex()) s |= STATE_SYSTEM_FOCUSED;
      if (!InView(row)) s |= STATE_SYSTEM_OFFSCREEN | STATE_SYSTEM_INVISIBLE;
    }
    state->vt = VT_I4;
    state->lVal = s;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (IsSelf(child)) return MsaaObject::get_accDefaultAction(child, action);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    return MakeBstr(forms::CheckActionName(List()->ItemState(row) == cbChecked), action);
  }

  // As a click on the row's box: the same events, in the same order.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (IsSelf(child)) return MsaaObject::accDoDefaultAction(child);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    if (!IsWindowEnabled(window_)) return E_FAIL;
    List()->PressItem(row, true);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    CheckListWindow* list = List();
    if (!list || GetFocus() != window_) return S_FALSE;
    const int row = list->Model().FocusIndex();
    *focus = ChildVariant(row >= 0 ? row + 1 : CHILDID_SELF);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    CheckListWindow* list = List();
    if (!list || list->ItemIndex() < 0) return S_FALSE;
    *selection = ChildVariant(list->ItemIndex() + 1);
    return S_OK;
  }

  // One row at a time can be current; taking the selection picks the row as
  // a click on its text would.
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    const int row = Row(child);
    if (row < 0) return IsSelf(child) ? MsaaObject::accSelect(flags, child) : E_INVALIDARG;
    if (flags & (SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION)) return E_INVALIDARG;
    if (flags & (SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION)) List()->PressItem(row, false);
    else if (flags & SELFLAG_TAKEFOCUS) SetFocus(window_);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (IsSelf(child)) return MsaaObject::accLocation(left, top, width, height, child);
    const int row = Row(child);
    if (row < 0) return E_INVALIDARG;
    if (!left || !top || !width || !height) return E_POINTER;
    const RECT r = List()->RowRect(row);
    POINT origin{r.left, r.top};
    ClientToScreen(window_, &origin);
    *left = origin.x;
    *top = origin.y;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (!child) return E_POINTER;
    VariantInit(child);
    CheckListWindow* list = List();
    if (!list) return E_FAIL;
    POINT p{x, y};
    ScreenToClient(window_, &p);
    RECT client;
    GetClientRect(window_, &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    const int row = list->ItemAt(p.y);
    *child = ChildVariant(row >= 0 ? row + 1 : CHILDID_SELF);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!end) return E_POINTER;
    VariantInit(end);
    CheckListWindow* list = List();
    if (!list) return E_FAIL;
    const int count = list->ItemCount();
    int target = -1;
    if (IsSelf(start)) {
      if (direction == NAVDIR_FIRSTCHILD) target = 0;
      else if (direction == NAVDIR_LASTCHILD) target = count - 1;
      else return MsaaObject::accNavigate(direction, start, end);
    } else {
      const int row = Row(start);
      if (row < 0) return E_INVALIDARG;
      if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) target = row + 1;
      else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) target = row - 1;
    }
    if (target < 0 || target >= count) return S_FALSE;
    *end = ChildVariant(target + 1);
    return S_OK;
  }

 private:
  CheckListWindow* List() const { return CheckListWindow::From(window_); }
  // The row a child id names, -1 for none (or the list itself).
  int Row(const VARIANT& v) const {
    long id = 0;
    CheckListWindow* list = List();
    if (!list || !ChildId(v, &id) || id < 1 || id > list->ItemCount()) return -1;
    return static_cast<int>(id - 1);
  }
  bool InView(int row) const {
    RECT client, r = List()->RowRect(row), both;
    GetClientRect(window_, &client);
    return IntersectRect(&both, &client, &r) != FALSE;
  }
};

}  // namespace

LRESULT CheckListGetObject(HWND list, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  return AnswerGetObject(new CheckListMsaa(list), wParam);
}

void NotifyRowState(HWND list, int index) {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, list, OBJID_CLIENT, index + 1);
}

void NotifyCurrentRow(HWND list, int index) {
  if (index < 0) return;
  NotifyWinEvent(EVENT_OBJECT_SELECTION, list, OBJID_CLIENT, index + 1);
  if (GetFocus() == list) NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, index + 1);
}

void NotifyListFocus(HWND list) {
  CheckListWindow* window = CheckListWindow::From(list);
  const int row = window ? window->Model().FocusIndex() : -1;
  if (row >= 0) NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, row + 1);
}

}  // namespace snpp::win32
