#pragma once
// The classic look every window of the program shares: one dialog face,
// pixel-exact layouts scaled with the screen, and centring.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <span>
#include <string>

namespace snpp::win32 {

// One control of a layout, in the pixels of a 100 % screen. A width or
// height of 0 keeps the control's own size (a label sized to its text).
struct ControlPlace {
  int id;
  int left, top, width, height;
};

// Device pixels per layout pixel: the window's DPI over 96.
double WindowScale(HWND window);
int Scaled(int pixels, double scale);

// "MS Sans Serif" 8 pt at 100 %. Its bitmap sizes stop short of larger
// screens, so there the vector Tahoma takes its place at the same size.
// Made once per scale and kept for the whole run.
HFONT ProgramFont(double scale);
// A face of the program's family at another point size (the About box's
// 10-point texts), kept like ProgramFont.
HFONT ProgramFontOfSize(double scale, int points, bool bold = false);

// Gives the window and every child the font.
void ApplyFont(HWND window, HFONT font);

// Resizes the window so that its client area is width × height layout
// pixels at its scale, keeping its styles and menu in the count.
void SetClientSize(HWND window, int width, int height);
// Puts each listed child at its place, at the window's scale.
void PlaceControls(HWND window, std::span<const ControlPlace> places);

// A label as wide as its text in its own face and as high as one line of it.
void SizeLabelToText(HWND label);

// Draws `edge` (DrawEdge's BDR_ flags) around `rect`, each of its one or two
// lines `thickness` device pixels wide (the screen's scale, rounded): the
// panels' and bevels' 3D edges.
void DrawScaledEdge(HDC dc, RECT rect, UINT edge, int thickness);

void CentreOnScreen(HWND window);
// Puts the program's icon (icon resource 1 of the module) in the window's
// title bar and task-bar button; a module without it leaves the default.
void SetProgramIcon(HWND window, HINSTANCE instance);
// Places the window's frame at a screen position given in layout pixels.
void MoveToScreen(HWND window, int left, int top);

}  // namespace snpp::win32
