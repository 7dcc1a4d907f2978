#pragma once

#include <cstdint>
#include <string>

#include "qt/app/main_form.h"

#include "paging/paging_server.h"

#include "net/line_client.h"
#include "paging/line_client_link.h"
#include "paging/paging_view.h"
#include "paging/send_controller.h"
#include "qt/app/qt_event_loop.h"

namespace snpp::qt {

// The send's view of the main window's controls.
class MainFormPagingView : public PagingView {
 public:
  explicit MainFormPagingView(Tmainform& form) : form_(form) {}

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

// What the main window keeps for sending pages: the line client on Qt's
// event loop, and the send controller that drives it.
struct Tmainform::Paging {
  Paging(Tmainform& form, const std::string& host, std::uint16_t port);

  QtEventLoop loop;
  snpp::net::TLineClient clientSocket{loop};
  snpp::LineClientLink link{clientSocket};
  MainFormPagingView view;
  snpp::SendController send;
};

}  // namespace snpp::qt
