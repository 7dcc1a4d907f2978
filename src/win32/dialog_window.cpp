#include "win32/dialog_window.h"

#include <utility>
#include <vector>

#include "forms/window_limits.h"
#include "net/win32_event_loop.h"
#include "win32/button_images.h"
#include "win32/button_mnemonics.h"

namespace snpp::win32 {
namespace {

constexpr char kDialogProperty[] = "SnppDialogWindow";

ModalTurn& Turn() {
  static ModalTurn turn;
  return turn;
}

DialogWindow* DialogOf(HWND window) {
  return window ? static_cast<DialogWindow*>(GetPropA(window, kDialogProperty)) : nullptr;
}

// The thread's shown and enabled top-level windows but `dialog`, disabled.
std::vector<HWND> DisableOtherWindows(HWND dialog) {
  std::vector<HWND> windows;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) -> BOOL {
        if (IsWindowVisible(window) && IsWindowEnabled(window)) {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  std::erase(windows, dialog);
  for (HWND window : windows) EnableWindow(window, FALSE);
  return windows;
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (window_) {
    RemovePropA(window_, kDialogProperty);
    SetWindowLongPtrA(window_, DWLP_USER, 0);
    DestroyWindow(window_);
  }
}

bool DialogWindow::CreateFromTemplate(HINSTANCE instance, HWND owner, int templateId) {
  if (window_) return true;
  HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  if (!window) return false;
  SetPropA(window, kDialogProperty, this);
  SetProgramIcon(window, instance);
  FormCreate();
  return true;
}

void DialogWindow::Layout(std::span<const ControlPlace> places, int clientWidth, int clientHeight) {
  scale_ = WindowScale(window_);
  ApplyFont(window_, ProgramFont(scale_));
  SetClientSize(window_, clientWidth, clientHeight);
  PlaceControls(window_, places);
  for (const ControlPlace& place : places) {
    if (place.width == 0) SizeToText(place.id);
  }
}

void DialogWindow::SizeToText(int id) { SizeLabelToText(Item(id)); }

int DialogWindow::ShowModal(HWND over) {
  if (!window_ || modal_) return IDCANCEL;
  if (over) SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(over));
  result_ = IDCANCEL;
  ending_ = false;
  modal_ = true;
  FormShow();
  Place();
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  Shown();
  // Every other window of the program waits, the instructions beside the
  // main window too. They are disabled once the dialog is active, and
  // enabled again before it hides, so that the activation returns to them.
  const std::vector<HWND> blocked = DisableOtherWindows(window_);
  while (!ending_ && IsWindowVisible(window_)) {
    if (!(Turn() ? Turn()() : DefaultModalTurn())) break;
  }
  for (HWND window : blocked) EnableWindow(window, TRUE);
  ShowWindow(window_, SW_HIDE);
  ending_ = false;
  modal_ = false;
  return result_;
}

void DialogWindow::Show() {
  if (!window_) return;
  if (!IsWindowVisible(window_)) {
    FormShow();
    Place();
    ShowWindow(window_, SW_SHOW);
    Shown();
  }
  SetForegroundWindow(window_);
  BringWindowToTop(window_);
}

void DialogWindow::Close(int result) {
  if (!window_) return;
  result_ = result;
  if (modal_) {
    // The modal loop enables the owner before it hides the window.
    ending_ = true;
    PostMessageA(window_, WM_NULL, 0, 0);  // wakes the loop if it waits
  } else {
    ShowWindow(window_, SW_HIDE);
  }
}

void DialogWindow::Command(int id, int) {
  if (id == IDOK || id == IDCANCEL) Close(id);
}

HBRUSH DialogWindow::ControlColour(HWND, HDC) { return nullptr; }

void DialogWindow::Report(std::exception_ptr error) {
  if (OnError) {
    OnError(std::move(error));
  } else {
    net::Win32EventLoop::ShowErrorBox(std::move(error));
  }
}

INT_PTR CALLBACK DialogWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<DialogWindow*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->window_ = window;
    return TRUE;
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (!self) return FALSE;
  if (message == WM_NCDESTROY) {  // gone with its owner: nothing left to destroy
    RemovePropA(window, kDialogProperty);
    self->window_ = nullptr;
    return FALSE;
  }
  // Errors never unwind through the system's code that called us.
  try {
    return self->Handle(message, wParam, lParam);
  } catch (...) {
    self->Report(std::current_exception());
    return TRUE;
  }
}

INT_PTR DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE:  // the close box, Alt+F4
      Close(IDCANCEL);
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      // A bevel: a sunken frame a layout pixel wide, with nothing inside.
      if (item->CtlType == ODT_STATIC) {
        DrawScaledEdge(item->hDC, item->rcItem, BDR_SUNKENOUTER, Scaled(1, scale_));
        return TRUE;
      }
      return DrawImageButton(item);
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = ControlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<INT_PTR>(brush);
      }
      return FALSE;
    default:
      return FALSE;
  }
}

bool RouteDialogMessage(MSG* msg) {
  if (!msg || !msg->hwnd) return false;
  HWND root = GetAncestor(msg->hwnd, GA_ROOT);
  DialogWindow* dialog = DialogOf(root);
  if (!dialog || !IsWindowVisible(root)) return false;
  if (PressImageButtonOnEnter(*msg) || PressButtonByMnemonic(root, *msg)) return true;
  return IsDialogMessageA(root, msg) != FALSE;
}

void SetModalTurn(ModalTurn turn) { Turn() = std::move(turn); }

bool DefaultModalTurn() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    WaitMessage();
    return true;
  }
  if (msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
  }
  if (!RouteDialogMessage(&msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

std::string WindowTextBytes(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void SetLimitedText(HWND edit, int typedLimit, std::string_view text) {
  const std::string value(text);
  const int limit = forms::ShownFieldLimit(typedLimit, static_cast<int>(value.size()));
  SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  SetWindowTextA(edit, value.c_str());
}

}  // namespace snpp::win32
