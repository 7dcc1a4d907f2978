// The main window's side of a send: it forwards Send, Cancel, the timer and
// the line client's events to the send controller and shows its results.
#include "qt/app/main_form_paging.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QStatusBar>

#include <exception>
#include <utility>

#include "qt/app/error_display.h"
#include "qt/app/message_memo.h"
#include "qt/app/status_notice.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/byte_text.h"
#include "snpp/build_config.h"

namespace snpp::qt {

std::string MainFormPagingView::MessageText() const {
  return TextToBytes(form_.messageMemo->toPlainText());
}
std::string MainFormPagingView::PagerNumber() const { return form_.idEditField->StringValueBytes(); }
int MainFormPagingView::NameCount() const { return form_.namesListbox->ItemCount(); }
std::string MainFormPagingView::NameItem(int index) const {
  return form_.namesListbox->ItemText(index);
}
bool MainFormPagingView::NameChecked(int index) const {
  return form_.namesListbox->ItemState(index) == cbChecked;
}
void MainFormPagingView::UncheckName(int index) { form_.namesListbox->SetItemState(index, cbUnchecked); }
void MainFormPagingView::ClearLog() { form_.sendingMemo->clear(); }
void MainFormPagingView::AppendLog(const std::string& line) {
  form_.sendingMemo->appendPlainText(BytesToText(line));
}
void MainFormPagingView::SetStatusCaption(const std::string& text) {
  form_.messageStatusLabel->setText(BytesToText(text));
  form_.messageStatusLabel->Announce();
}
void MainFormPagingView::SetStatusBarText(const std::string& text) {
  form_.StatusBar1->showMessage(BytesToText(text));
}
std::string MainFormPagingView::NoticeCaption() const { return TextToBytes(form_.messageLabel->text()); }
void MainFormPagingView::SetNoticeCaption(const std::string& text) {
  form_.messageLabel->setText(BytesToText(text));
  form_.messageLabel->adjustSize();  // the label sizes itself to its text
}
int MainFormPagingView::NoticeLeft() const { return form_.messageLabel->x(); }
void MainFormPagingView::SetNoticeLeft(int left) {
  form_.messageLabel->move(left, form_.messageLabel->y());
}
int MainFormPagingView::NoticeWidth() const { return form_.messageLabel->width(); }
int MainFormPagingView::NoticePanelWidth() const { return form_.messagePanel->width(); }


Tmainform::Paging::Paging(Tmainform& form, const std::string& host, std::uint16_t port)
    : view(form), send(view, link, host, port) {
  link.Attach(send);
  // What a handler throws inside a socket event is held by the line client
  // until its own work is done, then surfaces here, outside Qt's frames. The
  // box opens from the main loop, so no socket event runs nested inside it.
  loop.OnException = [](std::exception_ptr error) { PostGeneralError(error); };
}

void Tmainform::CreatePaging() {
  const snpp::PagingServer server = snpp::CurrentPagingServer();
  paging_ = std::make_unique<Paging>(
      *this, server.host, server.port);
}

void Tmainform::ResetSendState() { paging_->send.ResetSendState(); }

void Tmainform::sendButtonClick() { paging_->send.sendButtonClick(); }

void Tmainform::cancelSendButtonClick() { paging_->send.cancelSendButtonClick(); }

void Tmainform::Timer1Timer() { paging_->send.Timer1Timer(); }

}  // namespace snpp::qt
