// Starting, bounding and ending a send; the line client's connection events.
#include <utility>

#include "directory/recipient_entry.h"
#include "paging/send_controller.h"

namespace snpp {
namespace {

// A reset is told as the close it is: Wine reports one as a plain close.
constexpr int kConnectionReset = 10054;
constexpr char kServerClosedText[] = "Error: the server closed the connection";

}  // namespace

SendController::SendController(PagingView& view, PagingLink& link, std::string host,
                               std::uint16_t port)
    : view_(view), link_(link), host_(std::move(host)), port_(port) {}

void SendController::ResetSendState() {
  sendState_ = SendState::Idle;
  sendQueue_.clear();
  replies_.Clear();
  unconfirmed_.clear();
  confirmed_.clear();
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
  closeRequested_ = false;
  progress_ = 0;
  recipientsStarted_ = 0;
  unconfirmed_.clear();
  confirmed_.clear();
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
  TellWhoWasNotPaged();
}

void SendController::cancelSendButtonClick() {
  FailIt();
  view_.SetStatusCaption("CANCEL");
}

void SendController::FailIt() {
  const bool underWay = sendState_ != SendState::Idle;
  Close();
  timeoutCount_ = 0;
  sendState_ = SendState::Idle;
  view_.SetStatusCaption("FAIL");
  if (underWay) TellWhoWasNotPaged();
}

void SendController::Close() {
  closeRequested_ = true;
  link_.SetConnected(false);
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
  const bool cutShort = !closeRequested_ && BeforeSuccess();
  sendState_ = SendState::Idle;
  timeoutCount_ = 0;
  replies_.Clear();
  if (cutShort) {
    EndCutShort();
  } else if (StatusCode != 0) {
    view_.SetStatusBarText("Error: " + Description);
  }
}

void SendController::clientSocketError(int ErrorCode, const std::string& Description) {
  if (ErrorCode == kConnectionReset && BeforeSuccess()) {
    Close();  // inside the receive pass: the line client closes after it
    sendState_ = SendState::Idle;
    timeoutCount_ = 0;
    EndCutShort();
    return;
  }
  FailIt();
  view_.SetStatusBarText("Error: " + Description);
}

// The server ended the connection, by a close, a reset or a "221", while
// pages were still unconfirmed.
void SendController::EndCutShort() {
  view_.SetStatusCaption("FAIL");
  view_.SetStatusBarText(kServerClosedText);
  TellWhoWasNotPaged();
}

bool SendController::BeforeSuccess() const {
  switch (sendState_) {
    case SendState::Connecting:
    case SendState::AwaitGreeting:
    case SendState::AwaitPageReply:
    case SendState::AwaitDataReply:
    case SendState::AwaitMessReply:
    case SendState::AwaitSendReply:
      return true;
    case SendState::Idle:
    case SendState::AwaitQuitReply:
      return false;
  }
  return false;
}

// The limit is there for a server that stopped answering, so each reply that
// takes the send further restarts it. A reply that only repeats a step (a
// second greeting paging the same number again) does not, so no server can
// hold a send open for ever.
void SendController::MovedOn() {
  const auto stage = [](SendState state) {
    switch (state) {
      case SendState::AwaitPageReply: return 1;
      case SendState::AwaitDataReply: return 2;
      case SendState::AwaitMessReply: return 3;
      case SendState::AwaitSendReply: return 4;
      case SendState::AwaitQuitReply: return 5;
      case SendState::Idle:
      case SendState::Connecting:
      case SendState::AwaitGreeting: return 0;
    }
    return 0;
  };
  const int progress = recipientsStarted_ * 8 + stage(sendState_);
  if (progress <= progress_) return;
  progress_ = progress;
  timeoutCount_ = multiSend_ ? kMultiLimitUnits : kSingleLimitUnits;
}

// After the last line of a send that did not page everyone, one line for
// each name not confirmed, then the confirmed names lose their check mark.
// With one recipient "FAIL" says it all, unless its SEND went out unanswered.
void SendController::TellWhoWasNotPaged() {
  const bool someoneLeft = !unconfirmed_.empty() || (multiSend_ && !sendQueue_.empty());
  for (const Unconfirmed& page : unconfirmed_) {
    if (page.sendWritten) {
      view_.AppendLog("NOT CONFIRMED (may be paged): " + page.entry);
    } else if (multiSend_) {
      view_.AppendLog("NOT SENT: " + page.entry);
    }
  }
  if (multiSend_) {
    for (const std::string& entry : sendQueue_) view_.AppendLog("NOT SENT: " + entry);
    sendQueue_.clear();
    if (someoneLeft) UncheckConfirmed();
  }
  unconfirmed_.clear();
  confirmed_.clear();
}

// By text, not by position: names may have been added or deleted meanwhile.
// Of equal entries, as many are unchecked as were confirmed.
void SendController::UncheckConfirmed() {
  for (const std::string& entry : confirmed_) {
    for (int i = 0; i < view_.NameCount(); ++i) {
      if (view_.NameChecked(i) && view_.NameItem(i) == entry) {
        view_.UncheckName(i);
        break;
      }
    }
  }
}

}  // namespace snpp
