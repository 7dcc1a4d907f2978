#pragma once
// TAboutform: the version and the paging service's contact details.
#include <string>
#include <utility>

#include "snpp/build_config.h"
#include "win32/dialog_ids.h"
#include "win32/dialog_window.h"

namespace snpp::win32 {

class TtroubleForm;

class TAboutform : public DialogWindow {
 public:
  // `serverHost`: the host the paging engine connects to, the build's own
  // unless a program pages another one.
  bool Create(HINSTANCE instance, HWND owner, std::string serverHost = kServerHost) {
    serverHost_ = std::move(serverHost);
    return CreateFromTemplate(instance, owner, IDD_ABOUT);
  }

  // The trouble-shooting window opened by the hidden "Having trouble ?" button.
  void SetTroubleForm(TtroubleForm* form) { troubleForm_ = form; }

  HWND serverLabel() const { return Item(IDC_ABOUT_SERVER_LABEL); }
  HWND troubleButton() const { return Item(IDC_ABOUT_TROUBLE_BUTTON); }

  void okButtonClick() { Close(IDOK); }
  void troubleButtonClick();

 protected:
  void FormCreate() override;
  void Place() override { CentreOnScreen(Window()); }
  void Command(int id, int code) override;
  HBRUSH ControlColour(HWND control, HDC dc) override;

 private:
  TtroubleForm* troubleForm_ = nullptr;
  std::string serverHost_;
};

}  // namespace snpp::win32
