#pragma once
// One check-list row drawn with GDI: composed in a bitmap of the row's size
// and copied onto the list in one operation, so rows never flicker.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string_view>

#include "controls/check_list_row.h"
#include "controls/check_list_state.h"

namespace snpp::win32 {

struct CheckListRowPaint {
  RowLook row;             // what the model decided the row shows
  std::string_view text;   // the item's bytes in the ANSI code page
  int itemHeight = 16;     // layout pixels
  int boxMargin = 1;
  double scale = 1;        // device pixels per layout pixel
  HFONT font = nullptr;
  TCheckStyle style = csCheck;
};

// Draws the row into `rowRect` of `dc` (device pixels).
void PaintCheckListRow(HDC dc, const RECT& rowRect, const CheckListRowPaint& paint);

}  // namespace snpp::win32
