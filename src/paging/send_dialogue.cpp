// What the send does with each piece of text the server sends.
#include <exception>
#include <utility>

#include "directory/recipient_entry.h"
#include "paging/send_controller.h"
#include "paging/snpp_protocol.h"

namespace snpp {

void SendController::clientSocketDataIn(const std::string& Text, bool /*EOL*/) {
  for (const std::string& reply : replies_.Take(Text)) {
    if (!HandleReply(reply)) {
      replies_.Clear();  // the send is ending: what follows is not acted on
      return;
    }
  }
}

// False when the reply ended the send.
bool SendController::HandleReply(const std::string& Text) {
  switch (ClassifyReply(Text)) {
    case ReplyClass::Greeting: {
      SendFirstPage();
      const std::string notice = ExtractNotice(Text);
      if (!notice.empty()) view_.SetNoticeCaption(notice);
      return true;
    }
    case ReplyClass::Accepted:
      AcceptReply();
      return true;
    case ReplyClass::Closing:
      // The disconnect that follows returns the send to Idle.
      if (BeforeSuccess()) EndCutShort();
      Close();
      return false;
    case ReplyClass::Failure:
      FailReply(Text);
      return false;
    case ReplyClass::Ignored:
      if (AsksForText(Text) && sendState_ == SendState::AwaitDataReply) WriteText();
      return true;
  }
  return true;
}

void SendController::SendFirstPage() {
  if (!multiSend_) {
    const std::string id = view_.PagerNumber();
    Write(PageCommand(id));
    // Paging the number again does not undo a SEND that may have gone out.
    if (unconfirmed_.empty()) unconfirmed_.push_back({id});
  } else if (!sendQueue_.empty()) {
    PageNextRecipient();
  } else {
    // Nothing was written, so no reply is awaited: a greeting after the last
    // recipient must not let a later "250" write MESS without a PAGE.
    return;
  }
  sendState_ = SendState::AwaitPageReply;
  MovedOn();
}

void SendController::PageNextRecipient() {
  const std::string entry = sendQueue_.front();
  view_.AppendLog("Sending to: " + entry + " ...");
  Write(PageCommand(retrieveID(entry)));
  sendQueue_.pop_front();
  unconfirmed_.push_back({entry});
  ++recipientsStarted_;
}

void SendController::AcceptReply() {
  switch (sendState_) {
    case SendState::AwaitPageReply:
      // A gateway cuts a longer line and runs the rest as a command.
      if (FitsMessLine(messageText_)) {
        Write(MessCommand(messageText_));
        sendState_ = SendState::AwaitMessReply;
      } else {
        Write(kDataCommand);
        sendState_ = SendState::AwaitDataReply;
      }
      break;
    case SendState::AwaitMessReply:
      Write(kSendCommand);
      if (!unconfirmed_.empty()) unconfirmed_.back().sendWritten = true;
      sendState_ = SendState::AwaitSendReply;
      break;
    case SendState::AwaitSendReply:
      AcceptSend();
      break;
    case SendState::Idle:
    case SendState::Connecting:
    case SendState::AwaitGreeting:
    case SendState::AwaitDataReply:
    case SendState::AwaitQuitReply:
      return;  // no command waits for a reply
  }
  MovedOn();
}

void SendController::AcceptSend() {
  if (!unconfirmed_.empty()) {
    confirmed_.push_back(std::move(unconfirmed_.back().entry));
    unconfirmed_.pop_back();
  }
  if (multiSend_) view_.AppendLog("MESSAGE SENT OK");
  if (multiSend_ && !sendQueue_.empty()) {
    PageNextRecipient();
    sendState_ = SendState::AwaitPageReply;
  } else {
    TellWhoWasNotPaged();  // only names a repeated greeting left behind
    view_.SetStatusCaption("SUCCESS");
    Write(kQuitCommand);
    sendState_ = SendState::AwaitQuitReply;
  }
}

// The go-ahead for DATA: the message's text follows in one write, its end
// answered like MESS.
void SendController::WriteText() {
  Write(DataText(messageText_));
  sendState_ = SendState::AwaitMessReply;
  MovedOn();
}

void SendController::FailReply(const std::string& text) {
  const bool underWay = sendState_ != SendState::Idle;
  // A SEND refused outright was not paged; a "421" leaves that open.
  if (sendState_ == SendState::AwaitSendReply && text.front() == '5' && !unconfirmed_.empty()) {
    unconfirmed_.back().sendWritten = false;
  }
  view_.AppendLog("FAIL, Send process terminated");
  view_.SetStatusCaption("FAIL - " + text);
  Close();
  view_.SetStatusBarText(text);
  if (underWay) TellWhoWasNotPaged();
}

// The line client keeps no outbound queue and does not say how much of a
// refused command went out, so the rest can't be sent later: the server may
// hold half a command. The send ends here, once, with the reason shown; the
// error still goes on to the caller.
void SendController::Write(const std::string& command) {
  try {
    link_.SetDataOut(command);
  } catch (const std::exception& e) {
    EndSendAfterWriteError(e.what());
    throw;
  } catch (...) {
    EndSendAfterWriteError("");
    throw;
  }
}

void SendController::EndSendAfterWriteError(const std::string& reason) {
  const bool underWay = sendState_ != SendState::Idle;
  try {
    Close();
  } catch (...) {
    // The connection is being dropped anyway; the write error is the news.
  }
  timeoutCount_ = 0;
  sendState_ = SendState::Idle;
  replies_.Clear();
  view_.SetStatusCaption("FAIL");
  view_.SetStatusBarText("Error: " + reason);
  if (underWay) TellWhoWasNotPaged();
}

}  // namespace snpp
