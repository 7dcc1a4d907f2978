#pragma once
// What the main window keeps for sending pages: the line client on the
// program's message loop, and the send controller that drives it through
// the window's controls.
#include "net/line_client.h"
#include "paging/line_client_link.h"
#include "paging/paging_view.h"
#include "paging/send_controller.h"
#include "win32/main_window.h"

namespace snpp::win32 {

// The send's view of the main window's controls. The notice moves in
// pixels of a 100 % screen, like every other place of the window.
class MainWindowPagingView : public PagingView {
 public:
  explicit MainWindowPagingView(Tmainform& form) : form_(form) {}

  std::string MessageText() const override;
  std::string PagerNumber() const override;
  int NameCount() const override;
  std::string NameItem(int index) const override;
  bool NameChecked(int index) const override;
  void UncheckName(int index) override;
  void ClearLog() override;
  void AppendLog(const std::string& line) override;
  void SetStatusCaption(const std::string& text) override;
  void SetStatusBarText(const std::string& text) override;
  std::string NoticeCaption() const override;
  void SetNoticeCaption(const std::string& text) override;
  int NoticeLeft() const override;
  void SetNoticeLeft(int left) override;
  int NoticeWidth() const override;
  int NoticePanelWidth() const override;

 private:
  Tmainform& form_;
};

struct Tmainform::Paging {
  Paging(Tmainform& form, net::Win32EventLoop& loop, const std::string& host, std::uint16_t port);

  net::TLineClient clientSocket;
  LineClientLink link{clientSocket};
  MainWindowPagingView view;
  SendController send;
};

}  // namespace snpp::win32
