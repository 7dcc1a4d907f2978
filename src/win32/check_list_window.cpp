#include "win32/check_list_window.h"

namespace snpp::win32 {
namespace {

WNDPROC originalProc = nullptr;
int originalExtra = 0;
ATOM classAtom = 0;

LRESULT CALLBACK CheckListProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    SetWindowLongPtrA(window, originalExtra, reinterpret_cast<LONG_PTR>(new CheckListWindow(window)));
  }
  CheckListWindow* list = CheckListWindow::From(window);
  if (!list) return CallWindowProcA(originalProc, window, msg, wParam, lParam);
  const LRESULT result = list->Handle(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(window, originalExtra, 0);
    delete list;
  }
  return result;
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
  wc.style |= CS_DBLCLKS;
  classAtom = RegisterClassExA(&wc);
  return classAtom != 0;
}

CheckListWindow* CheckListWindow::From(HWND window) {
  if (!window || !classAtom || GetClassLongPtrA(window, GCW_ATOM) != classAtom) return nullptr;
  return reinterpret_cast<CheckListWindow*>(GetWindowLongPtrA(window, originalExtra));
}

LRESULT CheckListWindow::CallOriginal(UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(originalProc, window_, msg, wParam, lParam);
}

LRESULT CheckListWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) { return CallOriginal(msg, wParam, lParam); }

int CheckListWindow::AddItem(std::string text) { return model_.Add(std::move(text)); }
bool CheckListWindow::DeleteItem(int index) { return model_.Delete(index); }
void CheckListWindow::ClearItems() { model_.Clear(); }
void CheckListWindow::SetItemIndex(int index) { model_.SetItemIndex(index); }
void CheckListWindow::SetItemState(int index, TCheckBoxState state) {
  const auto change = model_.SetItemState(index, state);
  if (change && OnStateChange) OnStateChange(this, change->index, change->oldState, change->newState);
}
void CheckListWindow::SetSorted(bool sorted) { model_.SetSorted(sorted); }
void CheckListWindow::SetItemHeight(int height) { model_.SetItemHeight(height); }
int CheckListWindow::TopIndex() const { return 0; }
void CheckListWindow::DrawItem(const DRAWITEMSTRUCT&) {}
UINT CheckListWindow::RowHeight() const { return static_cast<UINT>(model_.ItemHeight()); }

bool ForwardOwnerDraw(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

}  // namespace snpp::win32
