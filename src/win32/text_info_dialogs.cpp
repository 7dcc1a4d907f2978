#include "win32/text_info_dialogs.h"

#include "forms/info_texts.h"

namespace snpp::win32 {

void TextInfoWindow::FormCreate() {
  const ControlPlace places[] = {shape_.memo, shape_.button};
  Layout(places, shape_.clientWidth, shape_.clientHeight);
  MoveToScreen(Window(), shape_.screenLeft, shape_.screenTop);
  SetWindowTextA(Memo1(), text_.c_str());
}

void TextInfoWindow::Command(int id, int code) {
  if (code == BN_CLICKED && (id == shape_.button.id || id == IDCANCEL)) Close(id);
}

HBRUSH TextInfoWindow::ControlColour(HWND control, HDC dc) {
  if (control != Memo1()) return nullptr;
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

TinstructionsForm::TinstructionsForm()
    : TextInfoWindow({IDD_INSTRUCTIONS, 402, 215, 238, 158, {IDC_INFO_MEMO1, 0, 0, 401, 185}, {IDOK, 160, 188, 75, 25}},
                     info_texts::JoinLines(info_texts::kInstructionsLines, "\r\n")) {}

// Its button is the Cancel kind: Esc and the close box act as it does, and
// Enter does not, since it is no default button.
TtroubleForm::TtroubleForm()
    : TextInfoWindow({IDD_TROUBLE, 391, 233, 264, 236, {IDC_INFO_MEMO1, 4, 4, 381, 185}, {IDCANCEL, 156, 200, 75, 25}},
                     info_texts::JoinLines(info_texts::kTroubleLines, "\r\n")) {}

}  // namespace snpp::win32
