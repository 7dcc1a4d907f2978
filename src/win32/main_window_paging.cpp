// The main window's side of a send: Send, Cancel, the timer and the line
// client's events go to the send controller, which shows its results here.
#include "win32/main_window_paging.h"

#include <commctrl.h>

#include <cmath>
#include <utility>

#include "forms/accessible_names.h"
#include "snpp/build_config.h"
#include "win32/accessible_name.h"
#include "win32/check_list_window.h"
#include "win32/dialog_window.h"
#include "win32/entry_field_window.h"
#include "win32/main_window_ids.h"

namespace snpp::win32 {
namespace {

int LayoutPixels(int devicePixels, double scale) {
  return static_cast<int>(std::ceil(devicePixels / scale - 1e-9));
}

int WindowWidth(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.right - rect.left;
}

}  // namespace

std::string MainWindowPagingView::MessageText() const { return WindowTextBytes(form_.Control(IDC_MESSAGEMEMO)); }
std::string MainWindowPagingView::PagerNumber() const { return form_.idEditField()->StringValueBytes(); }
int MainWindowPagingView::NameCount() const { return form_.namesListbox()->ItemCount(); }
std::string MainWindowPagingView::NameItem(int index) const { return form_.namesListbox()->ItemText(index); }
bool MainWindowPagingView::NameChecked(int index) const {
  return form_.namesListbox()->ItemState(index) == cbChecked;
}
void MainWindowPagingView::UncheckName(int index) { form_.namesListbox()->SetItemState(index, cbUnchecked); }

void MainWindowPagingView::ClearLog() { SetWindowTextA(form_.Control(IDC_SENDINGMEMO), ""); }

void MainWindowPagingView::AppendLog(const std::string& line) {
  HWND log = form_.Control(IDC_SENDINGMEMO);
  const int end = GetWindowTextLengthA(log);
  const std::string text = end > 0 ? "\r\n" + line : line;
  SendMessageA(log, EM_SETSEL, end, end);
  SendMessageA(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(log, EM_SCROLLCARET, 0, 0);
}

void MainWindowPagingView::SetStatusCaption(const std::string& text) {
  SetWindowTextA(form_.Control(IDC_MESSAGESTATUSLABEL), text.c_str());
  if (forms::IsSendOutcome(text)) AnnounceLiveText(form_.Control(IDC_MESSAGESTATUSLABEL));
}

void MainWindowPagingView::SetStatusBarText(const std::string& text) {
  SendMessageA(form_.Control(IDC_STATUSBAR1), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string MainWindowPagingView::NoticeCaption() const { return WindowTextBytes(form_.Control(IDC_MESSAGELABEL)); }

void MainWindowPagingView::SetNoticeCaption(const std::string& text) {
  HWND notice = form_.Control(IDC_MESSAGELABEL);
  SetWindowTextA(notice, text.c_str());
  SizeLabelToText(notice);  // the label sizes itself to its text
}

int MainWindowPagingView::NoticeLeft() const { return form_.noticeLeft_; }
void MainWindowPagingView::SetNoticeLeft(int left) { form_.SetNoticeLeft(left); }

int MainWindowPagingView::NoticeWidth() const {
  return LayoutPixels(WindowWidth(form_.Control(IDC_MESSAGELABEL)), form_.Scale());
}

int MainWindowPagingView::NoticePanelWidth() const {
  return LayoutPixels(WindowWidth(form_.messagePanel_), form_.Scale());
}

Tmainform::Paging::Paging(Tmainform& form, net::Win32EventLoop& loop, const std::string& host,
                          std::uint16_t port)
    : clientSocket(loop), view(form), send(view, link, host, port) {
  link.Attach(send);
}

void Tmainform::CreatePaging() {
  const PagingServer server = CurrentPagingServer();
  paging_ = std::make_unique<Paging>(*this, loop_, server.host, server.port);
}

void Tmainform::Timer1Timer() { paging_->send.Timer1Timer(); }
void Tmainform::sendButtonClick() { paging_->send.sendButtonClick(); }
void Tmainform::cancelSendButtonClick() { paging_->send.cancelSendButtonClick(); }

}  // namespace snpp::win32
