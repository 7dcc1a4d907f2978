#include "win32/add_name_dialog.h"

#include <algorithm>

#include "forms/accessible_names.h"
#include "forms/window_limits.h"
#include "win32/accessible_name.h"
#include "win32/button_images.h"
#include "win32/centred_edit.h"

namespace snpp::win32 {
namespace {

constexpr ControlPlace kPlaces[] = {
    {IDC_ADD_NAME_LABEL1, 12, 20, 0, 0},
    {IDC_ADD_NAME_LABEL2, 12, 44, 0, 0},
    {IDC_ADD_NAME_NAME_EDIT, 88, 16, 101, 21},
    {IDC_ADD_NAME_PAGER_ID_EDIT, 88, 40, 101, 21},
    {IDOK, 20, 84, 75, 25},
    {IDCANCEL, 108, 84, 75, 25},
};

}  // namespace

void TaddNameForm::FormCreate() {
  Layout(kPlaces, 204, 115);
  SetButtonImage(Item(IDOK), ButtonImage::Tick, true);
  SetButtonImage(Item(IDCANCEL), ButtonImage::RedCross);
  SendMessageA(Window(), DM_SETDEFID, IDOK, 0);
  SetLimitedText(nameEdit(), forms::kNameLimit, "");
  SetLimitedText(pagerIDEdit(), forms::kPagerIDLimit, "");
  CentreTextVertically(nameEdit());
  CentreTextVertically(pagerIDEdit());
}

void TaddNameForm::SetNameText(std::string_view name) { SetLimitedText(nameEdit(), forms::kNameLimit, name); }

void TaddNameForm::SetPagerIDText(std::string_view pagerID) {
  SetLimitedText(pagerIDEdit(), forms::kPagerIDLimit, pagerID);
}

// Add opens the dialog empty and wants typing to start in the name field;
// otherwise the focus stays where the dialog left it. The caption is a
// blank; a reader is told what the dialog is for.
void TaddNameForm::Shown() {
  SetAccessibleName(Window(), std::string(forms::NameDialogName(NameText())));
  if (GetWindowTextLengthA(nameEdit()) == 0) {
    SendMessageA(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(nameEdit()), TRUE);
  }
}

}  // namespace snpp::win32
