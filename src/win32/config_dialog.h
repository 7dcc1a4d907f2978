#pragma once
// TconfigForm: edits the eight standard messages. The server group is shown
// for looks only: disabled on every opening, never read or stored.
#include <string>
#include <string_view>

#include "controls/entry_controller.h"
#include "win32/dialog_ids.h"
#include "win32/dialog_window.h"

namespace snpp {
class StandardMessages;
}

namespace snpp::win32 {

class TconfigForm : public DialogWindow {
 public:

  // `messages` is the program's one set of standard messages; it must
  // outlive the dialog.
  explicit TconfigForm(StandardMessages& messages) : messages_(messages) {}
  bool Create(HINSTANCE instance, HWND owner);

  // Field n (1 ... 8) as the code page's bytes.
  HWND messageEdit(int n) const { return Item(IDC_CONFIG_MESSAGE_EDIT + n - 1); }
  std::string MessageText(int n) const;
  void SetMessageText(int n, std::string_view text);

  // Keeps the texts, then writes snppCl.ini; a failed write throws and
  // leaves the dialog open with what was typed.
  void OKButtonClick();
  void cancelbuttonClick() { Close(IDCANCEL); }

  TEntryController EntryController1;

 protected:
  void FormCreate() override;
  void FormShow() override;
  void Place() override { CentreOnScreen(Window()); }
  void Command(int id, int code) override;

 private:
  StandardMessages& messages_;
};

}  // namespace snpp::win32
