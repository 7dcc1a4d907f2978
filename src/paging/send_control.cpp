// Starting, bounding and ending a send; the line client's connection events.
#include <utility>

#include "directory/recipient_entry.h"
#include "paging/send_controller.h"

namespace snpp {

SendController::SendController(PagingView& view, PagingLink& link, std::string host,
                               std::uint16_t port)
    : view_(view), link_(link), host_(std::move(host)), port_(port) {}

void SendController::ResetSendState() {
  sendState_ = SendState::Idle;
  sendQueue_.clear();
  replies_.Clear();
}

void SendController::sendButtonClick() {
  if (sendState_ != SendState::Idle) return;
  view_.ClearLog();

  int checked = 0;
  for (int i = 0; i < view_.NameCount(); ++i) checked += view_.NameChecked(i) ? 1 : 0;
  multiSend_ = checked > 0;
  if (multiSend_) {
    sendQueue_.clear();
    for (int i = 0; i < view_.NameCount(); ++i) {
      if (view_.NameChecked(i)) sendQueue_.push_back(view_.NameItem(i));
    }
  }
  view_.SetStatusBarText("");

  const std::string message = view_.MessageText();
  if (!link_.Connected() && !message.empty() && (multiSend_ || !view_.PagerNumber().empty())) {
    if (!RefuseUnpageableRecipient()) StartSend();
  }
  messageText_ = message;
}

// Nothing is paged when one checked entry holds an ID the send would cut:
// the user corrects the entry rather than finding half the list paged.
bool SendController::RefuseUnpageableRecipient() {
  for (const std::string& entry : sendQueue_) {
    if (!multiSend_ || !PagerIdTooLong(entry)) continue;
    view_.SetStatusCaption("FAIL");
    view_.SetStatusBarText(PagerIdTooLongText(entry));
    return true;
  }
  return false;
}

void SendController::StartSend() {
  replies_.Clear();
  sendState_ = SendState::Connecting;
  view_.SetStatusCaption("CONNECTING...");
  timeoutCount_ = multiSend_ ? kMultiLimitUnits : kSingleLimitUnits;
  view_.AppendLog("trying " + host_ + "...");
  try {
    link_.SetRemotePort(port_);
    link_.SetRemoteHost(host_);
    link_.SetConnected(true);
  } catch (...) {
    // Nothing is connecting, so don't leave "CONNECTING..." up until the time
    // limit; the window still shows the error itself.
    EndSendAtOnce();
    throw;
  }
}

void SendController::EndSendAtOnce() {
  timeoutCount_ = 0;
  sendState_ = SendState::Idle;
  view_.SetStatusCaption("FAIL");
}

void SendController::cancelSendButtonClick() {
  FailIt();
  view_.SetStatusCaption("CANCEL");
}

void SendController::FailIt() {
  link_.SetConnected(false);
  timeoutCount_ = 0;
  sendState_ = SendState::Idle;
  view_.SetStatusCaption("FAIL");
}

void SendController::Timer1Timer() {
  if (++tickCount_ >= kTicksPerUnit) {
    tickCount_ = 0;
    if (timeoutCount_ > 0 && --timeoutCount_ == 0) FailIt();
  }
  MoveNotice();
}

void SendController::MoveNotice() {
  if (view_.NoticeCaption().empty()) return;
  if (view_.NoticeLeft() + view_.NoticeWidth() < view_.NoticePanelWidth()) {
    view_.SetNoticeLeft(view_.NoticeLeft() + kNoticeStep);
  } else {
    view_.SetNoticeLeft(kNoticeRestartLeft);
  }
}

void SendController::clientSocketConnected(int StatusCode, const std::string& Description) {
  if (StatusCode != 0) {
    FailIt();
    view_.SetStatusBarText("Error: " + Description);
    return;
  }
  sendState_ = SendState::AwaitGreeting;
  view_.AppendLog("Connected");
  view_.SetStatusCaption("CONNECTED...");
}

void SendController::clientSocketDisconnected(int StatusCode, const std::string& Description) {
  sendState_ = SendState::Idle;
  timeoutCount_ = 0;
  replies_.Clear();
  if (StatusCode != 0) view_.SetStatusBarText("Error: " + Description);
}

void SendController::clientSocketError(int /*ErrorCode*/, const std::string& Description) {
  FailIt();
  view_.SetStatusBarText("Error: " + Description);
}

}  // namespace snpp
