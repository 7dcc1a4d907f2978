// What the send does with each piece of text the server sends.
#include <utility>

#include "directory/recipient_entry.h"
#include "paging/send_controller.h"
#include "paging/snpp_protocol.h"

namespace snpp {

namespace {

// A piece shorter than a reply code, with no line end in it, can only be the
// start of a reply that the network cut in two.
bool IsCutReplyCode(const std::string& text) {
  return !text.empty() && text.size() < 3 && text.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

void SendController::clientSocketDataIn(const std::string& Text, bool /*EOL*/) {
  std::string reply = replyFragment_ + Text;
  replyFragment_.clear();
  if (IsCutReplyCode(reply)) {
    replyFragment_ = std::move(reply);
    return;
  }
  HandleReply(reply);
}

void SendController::HandleReply(const std::string& Text) {
  switch (ClassifyReply(Text)) {
    case ReplyClass::Greeting: {
      SendFirstPage();
      const std::string notice = ExtractNotice(Text);
      if (!notice.empty()) view_.SetNoticeCaption(notice);
      break;
    }
    case ReplyClass::Accepted:
      AcceptReply();
      break;
    case ReplyClass::Closing:
      // The disconnect that follows returns the send to Idle.
      link_.SetConnected(false);
      break;
    case ReplyClass::Failure:
      FailReply(Text);
      break;
    case ReplyClass::Ignored:
      break;
  }
}

void SendController::SendFirstPage() {
  if (!multiSend_) {
    link_.SetDataOut(PageCommand(view_.PagerNumber()));
  } else if (!sendQueue_.empty()) {
    PageNextRecipient();
  }
  sendState_ = SendState::AwaitPageReply;
}

void SendController::PageNextRecipient() {
  const std::string entry = sendQueue_.front();
  view_.AppendLog("Sending to: " + entry + " ...");
  link_.SetDataOut(PageCommand(retrieveID(entry)));
  sendQueue_.pop_front();
}

void SendController::AcceptReply() {
  switch (sendState_) {
    case SendState::AwaitPageReply:
      link_.SetDataOut(MessCommand(messageText_));
      sendState_ = SendState::AwaitMessReply;
      break;
    case SendState::AwaitMessReply:
      link_.SetDataOut(kSendCommand);
      sendState_ = SendState::AwaitSendReply;
      break;
    case SendState::AwaitSendReply:
      if (multiSend_) view_.AppendLog("MESSAGE SENT OK");
      if (multiSend_ && !sendQueue_.empty()) {
        PageNextRecipient();
        sendState_ = SendState::AwaitPageReply;
      } else {
        view_.SetStatusCaption("SUCCESS");
        link_.SetDataOut(kQuitCommand);
        sendState_ = SendState::AwaitQuitReply;
      }
      break;
    case SendState::Idle:
    case SendState::Connecting:
    case SendState::AwaitGreeting:
    case SendState::AwaitQuitReply:
      break;  // no command waits for a reply
  }
}

void SendController::FailReply(const std::string& text) {
  view_.AppendLog("FAIL, Send process terminated");
  view_.SetStatusCaption("FAIL - " + text);
  link_.SetConnected(false);
  view_.SetStatusBarText(text);
}

}  // namespace snpp
