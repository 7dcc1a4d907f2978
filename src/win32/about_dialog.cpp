#include "win32/about_dialog.h"

#include "forms/info_texts.h"
#include "win32/text_info_dialogs.h"

namespace snpp::win32 {
namespace {

constexpr ControlPlace kPlaces[] = {
    {IDC_ABOUT_LABEL1, 60, 8, 0, 0},
    {IDC_ABOUT_LABEL11, 96, 24, 0, 0},
    {IDC_ABOUT_COMPANY_NAME, 8, 40, 237, 16},
    {IDC_ABOUT_BEVEL1, 8, 56, 237, 73},
    {IDC_ABOUT_LABEL3, 16, 60, 0, 0},
    {IDC_ABOUT_PHONE, 56, 60, 0, 0},
    {IDC_ABOUT_LABEL14, 16, 76, 0, 0},
    {IDC_ABOUT_FAX, 56, 76, 0, 0},
    {IDC_ABOUT_LABEL5, 16, 92, 0, 0},
    {IDC_ABOUT_EMAIL, 56, 92, 185, 13},
    {IDC_ABOUT_LABEL9, 16, 108, 0, 0},
    {IDC_ABOUT_WEB, 56, 108, 0, 0},
    {IDOK, 88, 140, 75, 25},
    {IDC_ABOUT_TROUBLE_BUTTON, 80, 176, 93, 23},
    {IDC_ABOUT_SERVER_LABEL, 0, 208, 255, 13},  // along the bottom edge
};

constexpr int kBlueLabels[] = {IDC_ABOUT_LABEL1, IDC_ABOUT_LABEL3, IDC_ABOUT_LABEL14, IDC_ABOUT_LABEL5,
                               IDC_ABOUT_LABEL9};

}  // namespace

void TAboutform::FormCreate() {
  using namespace info_texts;
  SetDlgItemTextA(Window(), IDC_ABOUT_LABEL1, kAboutTitle);
  SetDlgItemTextA(Window(), IDC_ABOUT_LABEL11, kVersionText);
  SetDlgItemTextA(Window(), IDC_ABOUT_COMPANY_NAME, kAboutMaker);
  SetDlgItemTextA(Window(), IDC_ABOUT_TROUBLE_BUTTON, kTroubleButton);
  SetDlgItemTextA(Window(), IDC_ABOUT_SERVER_LABEL, kServerPlaceholder);
  // The title and the white band are 10-point; the layout sizes the title.
  Layout(kPlaces, 255, 221);
  HFONT large = ProgramFontOfSize(Scale(), 10);
  SendMessageA(Item(IDC_ABOUT_LABEL1), WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
  SendMessageA(Item(IDC_ABOUT_COMPANY_NAME), WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
  SizeToText(IDC_ABOUT_LABEL1);

  // The branded build's values, in place before the box is ever shown.
  ShowWindow(serverLabel(), SW_SHOWNA);
  SetWindowTextA(serverLabel(), serverHost_.c_str());
  SetDlgItemTextA(Window(), IDC_ABOUT_COMPANY_NAME, kServiceCompany);
  SetDlgItemTextA(Window(), IDC_ABOUT_PHONE, kServicePhone);
  SizeToText(IDC_ABOUT_PHONE);
  SetDlgItemTextA(Window(), IDC_ABOUT_FAX, kServiceFax);
  SizeToText(IDC_ABOUT_FAX);
  SetDlgItemTextA(Window(), IDC_ABOUT_EMAIL, kServiceEmail);
  SetDlgItemTextA(Window(), IDC_ABOUT_WEB, kServiceWeb);
  SizeToText(IDC_ABOUT_WEB);
}

void TAboutform::troubleButtonClick() {
  if (troubleForm_) troubleForm_->ShowModal(Window());
}

void TAboutform::Command(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == IDOK || id == IDCANCEL) okButtonClick();
  if (id == IDC_ABOUT_TROUBLE_BUTTON) troubleButtonClick();
}

HBRUSH TAboutform::ControlColour(HWND control, HDC dc) {
  const int id = GetDlgCtrlID(control);
  if (id == IDC_ABOUT_COMPANY_NAME) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  }
  for (int blue : kBlueLabels) {
    if (id == blue) {
      SetTextColor(dc, RGB(0, 0, 255));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return GetSysColorBrush(COLOR_BTNFACE);
    }
  }
  return nullptr;
}

}  // namespace snpp::win32
