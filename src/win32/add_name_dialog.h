#pragma once
// TaddNameForm: asks for one recipient's name and pager ID. The caller fills
// both fields, runs ShowModal and reads them back when it returns IDOK; the
// dialog checks nothing itself and is reused for every opening.
#include <string>
#include <string_view>

#include "win32/dialog_ids.h"
#include "win32/dialog_window.h"

namespace snpp::win32 {

class TaddNameForm : public DialogWindow {
 public:

  bool Create(HINSTANCE instance, HWND owner) { return CreateFromTemplate(instance, owner, IDD_ADD_NAME); }

  HWND nameEdit() const { return Item(IDC_ADD_NAME_NAME_EDIT); }
  HWND pagerIDEdit() const { return Item(IDC_ADD_NAME_PAGER_ID_EDIT); }

  // The fields as the code page's bytes, the form entries are kept in.
  std::string NameText() const { return WindowTextBytes(nameEdit()); }
  void SetNameText(std::string_view name);
  std::string PagerIDText() const { return WindowTextBytes(pagerIDEdit()); }
  void SetPagerIDText(std::string_view pagerID);

 protected:
  void FormCreate() override;
  void Place() override { CentreOnScreen(Window()); }
  void Shown() override;  // the focus rule of every showing
};

}  // namespace snpp::win32
