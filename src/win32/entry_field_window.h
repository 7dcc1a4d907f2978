#pragma once
// The picture-mask entry fields as Win32 window classes: "TSimpleField"
// (one picture character for every position) and "TNumericField" (a whole
// number, edited like a calculator and drawn right-aligned). The editing
// rules live in the shared field models; the window turns messages into
// model calls and paints what the model holds.
//
// In a dialog template:
//   CONTROL "", id, "TSimpleField",  WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, w, h
//   CONTROL "", id, "TNumericField", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, w, h
// No WS_BORDER and no WS_EX_CLIENTEDGE: the field draws its own sunken
// edge, scaled with the screen. WS_DISABLED gives a disabled field.
// Register the classes before the window holding a field is created. On
// WM_SETFONT the field sets its height to the font's line height plus 8
// layout pixels (21 with the program's face at 100 %), keeping its width.
//
// Text is the ANSI code page's bytes, one character per byte, kept exactly
// (WM_SETTEXT / WM_GETTEXT and the clipboard's CF_TEXT carry the same
// bytes as StringValueBytes).
//
// Keys: Tab always belongs to the dialog manager. Enter and Esc go to it
// when the field's dialog has a default push button; elsewhere (the main
// window) the field takes them and beeps, as for any refused character.
// An accelerator table of the window sees keys before the field does, so it
// must leave the editing keys (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z, Ins, Del,
// the arrows…) alone.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "controls/entry_controller.h"
#include "controls/entry_field_layout.h"
#include "controls/entry_field_model.h"

namespace snpp::win32 {

inline constexpr char kSimpleFieldClass[] = "TSimpleField";
inline constexpr char kNumericFieldClass[] = "TNumericField";

// Registers both classes; later calls do nothing.
bool RegisterEntryFieldClasses(HINSTANCE instance);

// Replaces the system beep of every field (tests count beeps with it); an
// empty hook gives the system beep back.
void SetEntryFieldBeepHook(std::function<void()> hook);

// Wide text as the ANSI code page's bytes, the bytes the keyboard types into
// a field; a character the code page lacks becomes '?'.
std::string AnsiBytes(std::wstring_view text);

class EntryFieldWindow {
 public:
  // nullptr if the window is not an entry field.
  static EntryFieldWindow* From(HWND window);
  HWND Window() const { return window_; }

  // The window's shared controller: insert mode, entry options and key
  // tables. Until one is given the field uses a controller of its own.
  void SetController(TEntryController* controller);
  // Simple field: picture 'X' or '9'.
  void SetupSimple(char picture, std::uint16_t maxLength);
  // Numeric field: a mask of '9's and the allowed range; the value becomes
  // the range's starting value.
  void SetupNumeric(const std::string& picture, std::int32_t lo, std::int32_t hi);

  std::string StringValueBytes();
  // A numeric field throws std::invalid_argument for text that is no number.
  void SetStringValueBytes(const std::string& value);

  TEntryFieldModel& Model() { return *model_; }

  // After an edit changed the text.
  std::function<void()> OnChange;

  // Where the text and caret sit, in the window's pixels.
  TFieldLayout Layout() const;
  // The size of the system caret while the field has it.
  SIZE CaretSize() const { return caretSize_; }

  EntryFieldWindow(HWND window, bool numeric);
  ~EntryFieldWindow();
  EntryFieldWindow(const EntryFieldWindow&) = delete;
  EntryFieldWindow& operator=(const EntryFieldWindow&) = delete;

  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Draws the whole field into `dc` (WM_PAINT and WM_PRINTCLIENT).
  void Render(HDC dc);

 private:
  // Posted to the field itself: the focus goes back, and a failure is
  // reported, only after the focus change that caused it has finished.
  static constexpr UINT kReportFailure = WM_USER + 0x100;

  void ConnectModel();
  void TakeFont(HFONT font);
  // The font of WM_SETFONT, or the program's own until one arrives.
  HFONT DrawingFont() const;
  int Advance(char32_t c) const;
  LRESULT Key(UINT message, WPARAM wParam, LPARAM lParam);
  void MouseDown(int x, bool shift);
  void ContextMenu(LPARAM at);
  void FocusGained(HWND previous);
  void FocusLost(HWND next);
  void ReportFailure(std::uint16_t code, bool report);
  bool WantsEnterAndEscape() const;
  bool SameWindow(HWND other) const;
  bool HasFocus() const { return GetFocus() == window_; }
  void SyncCaret();
  void DropCaret();
  void Resized();
  void DrawEdge(HDC dc, int width, int height, const TFieldLayout& layout) const;
  void DrawText(HDC dc, const TFieldLayout& layout) const;

  HWND window_;
  bool numeric_;
  TEntryController ownController_;
  std::unique_ptr<TEntryFieldModel> model_;
  HFONT font_ = nullptr;
  double scale_ = 1;
  int lineHeight_ = 13;
  int ascent_ = 11;
  int advances_[256] = {};
  bool mouseFocus_ = false;
  bool dragging_ = false;
  SIZE caretSize_{0, 0};
};

}  // namespace snpp::win32
