#pragma once
// Push buttons with a small picture left of their caption. The pictures are
// drawn in code at the screen's scale (18 × 18 layout pixels, crisp at any
// scale), straight onto the button face, so their background is the face;
// a disabled button shows a grey embossed copy.
//
// A button gets a picture with SetButtonImage, which makes it owner-drawn;
// its parent's window procedure then hands WM_DRAWITEM to DrawImageButton
// first. In a dialog template such a button is
//   CONTROL "OK", IDOK, "Button", BS_OWNERDRAW | WS_TABSTOP, x, y, w, h
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace snpp::win32 {

enum class ButtonImage {
  Tick,      // a green tick: OK
  Cross,     // a dark-blue cross: the configuration dialog's Cancel
  RedCross,  // a red cross: the standard Cancel
  Abort,     // a red disc with a white cross: stop what is under way
  Send,      // a paper plane
  Clear,     // a written sheet struck through in red
};

inline constexpr int kButtonImageSize = 18;

// Makes `button` owner-drawn with `image`. A default button also gets the
// dark frame of one while no other button has the focus.
void SetButtonImage(HWND button, ButtonImage image, bool isDefault = false);

// Draws a button set up by SetButtonImage; false for any other item, which
// the parent then draws itself.
bool DrawImageButton(const DRAWITEMSTRUCT* item);

// The picture alone, `size` device pixels square at (left, top).
void DrawButtonImage(HDC dc, ButtonImage image, int left, int top, int size, bool enabled);

// True for a button set up by SetButtonImage.
bool IsImageButton(HWND window);
// True for a push button, a picture button included.
bool IsPushButton(HWND window);

// Enter on a focused, enabled picture button presses it, as it does a plain
// push button: being drawn by its window, the dialog manager does not know it
// for one, and would press the default button instead (or nothing). True
// when the key was taken.
bool PressImageButtonOnEnter(const MSG& msg);

}  // namespace snpp::win32
