#pragma once
// What the program's secondary windows share: each is made once from its
// template, hidden, and reused; closing it only hides it again. A modal
// showing disables the owner and runs a local message loop until the
// window is hidden.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <exception>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "win32/window_look.h"

namespace snpp::win32 {

class DialogWindow {
 public:
  DialogWindow() = default;
  virtual ~DialogWindow();
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  bool Visible() const { return window_ && IsWindowVisible(window_); }

  // Shows the window and returns once it is hidden again: IDOK or IDCANCEL.
  // The program's other windows are disabled until then. `over`, when
  // given, becomes the window's owner (a dialog opened from another).
  int ShowModal(HWND over = nullptr);
  // Shows the window without blocking anyone; a window already shown comes
  // to the front.
  void Show();
  // Hides the window; a modal showing returns `result`.
  void Close(int result);
  int ModalResult() const { return result_; }

  // Errors that a handler lets escape (a failed settings write). By default
  // the program's error box; a Windows callback is never unwound.
  std::function<void(std::exception_ptr)> OnError;

 protected:
  // Makes the hidden window from template `templateId` of `instance`.
  bool CreateFromTemplate(HINSTANCE instance, HWND owner, int templateId);

  // Once, at creation: font, client size and the controls' pixel places.
  // Labels listed with no width are sized to their text.
  void Layout(std::span<const ControlPlace> places, int clientWidth, int clientHeight);
  // Sizes a label to its text in its font, as a label does that sizes itself.
  void SizeToText(int id);
  double Scale() const { return scale_; }

  virtual void FormCreate() {}  // once, when the window has been made
  virtual void FormShow() {}    // before every showing
  virtual void Place() {}       // where to show it, before every showing
  virtual void Shown() {}       // after every showing
  // A button or control command; the default closes on IDOK and IDCANCEL.
  virtual void Command(int id, int code);
  // Colours of a label or read-only field: a brush, or nullptr for the
  // dialog's own.
  virtual HBRUSH ControlColour(HWND control, HDC dc);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Report(std::exception_ptr error);

  HWND window_ = nullptr;
  double scale_ = 1.0;
  int result_ = IDCANCEL;
  bool modal_ = false;
  bool ending_ = false;
};

// Offers `msg` to the program's dialog window it is meant for (keyboard
// navigation, Enter, Esc, Tab). A message loop calls it for every message
// before translating and dispatching it; true means it was handled and must
// not be dispatched. Needed for the window shown without blocking (the
// instructions).
bool RouteDialogMessage(MSG* msg);

// One turn of a modal showing's loop: wait for messages and dispatch them,
// each offered to RouteDialogMessage first; false once WM_QUIT has been
// taken (it is posted again for the outer loop). The default serves the
// thread's queue. A program whose loop also runs calls of its own (posted
// callbacks) sets a turn that runs those too, so they go on while a dialog
// is open.
using ModalTurn = std::function<bool()>;
void SetModalTurn(ModalTurn turn);
bool DefaultModalTurn();

// A field's text as the ANSI code page's bytes, kept exactly.
std::string WindowTextBytes(HWND window);
// Puts `text` into an edit field that takes `typedLimit` characters when
// typed; a longer stored text is shown whole (forms::ShownFieldLimit).
void SetLimitedText(HWND edit, int typedLimit, std::string_view text);

}  // namespace snpp::win32
