#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "paging/paging_link.h"
#include "paging/paging_view.h"
#include "paging/reply_splitter.h"
#include "paging/send_state.h"
#include "snpp/build_config.h"

namespace snpp {

// The send dialogue and the send control of the main window, free of any
// toolkit: the window forwards its button, timer and line-client events here.
// All calls come from one thread and never overlap.
class SendController {
 public:
  static constexpr int kTicksPerUnit = 3;
  static constexpr int kSingleLimitUnits = 10;
  static constexpr int kMultiLimitUnits = 30;
  static constexpr int kNoticeStep = 4;
  static constexpr int kNoticeRestartLeft = 2;

  SendController(PagingView& view, PagingLink& link, std::string host = kServerHost,
                 std::uint16_t port = static_cast<std::uint16_t>(kServerPort));

  // Window shown: a fresh, idle send state.
  void ResetSendState();

  void sendButtonClick();
  void cancelSendButtonClick();
  void FailIt();
  void Timer1Timer();
  void clientSocketConnected(int StatusCode, const std::string& Description);
  void clientSocketDisconnected(int StatusCode, const std::string& Description);
  void clientSocketError(int ErrorCode, const std::string& Description);
  void clientSocketDataIn(const std::string& Text, bool EOL);

  SendState sendState() const { return sendState_; }
  bool multiSend() const { return multiSend_; }
  const std::deque<std::string>& sendQueue() const { return sendQueue_; }
  const std::string& messageText() const { return messageText_; }
  int timeoutCount() const { return timeoutCount_; }
  int TickCount() const { return tickCount_; }
  const std::string& Host() const { return host_; }
  std::uint16_t port() const { return port_; }

 private:
  bool RefuseUnpageableRecipient();
  void StartSend();
  void EndSendAtOnce();
  bool HandleReply(const std::string& Text);
  void Write(const std::string& command);
  void Close();
  void EndSendAfterWriteError(const std::string& reason);
  void SendFirstPage();
  void PageNextRecipient();
  void AcceptReply();
  void AcceptSend();
  void WriteText();
  void FailReply(const std::string& text);
  void EndCutShort();
  bool BeforeSuccess() const;
  void MovedOn();
  void TellWhoWasNotPaged();
  void UncheckConfirmed();
  void MoveNotice();

  PagingView& view_;
  PagingLink& link_;
  std::string host_;
  std::uint16_t port_;

  SendState sendState_ = SendState::Idle;
  bool multiSend_ = false;
  std::deque<std::string> sendQueue_;
  std::string messageText_;
  int timeoutCount_ = 0;
  int tickCount_ = 0;
  ReplySplitter replies_;

  bool closeRequested_ = false;  // the close under way is ours, not the server's
  int progress_ = 0;             // how far the send has come; the limit restarts when it grows
  int recipientsStarted_ = 0;    // queued entries whose PAGE was written
  // Entries whose PAGE was written and whose SEND is not confirmed: the one
  // paged now, and any a repeated greeting made the send leave behind.
  struct Unconfirmed {
    std::string entry;
    bool sendWritten = false;  // the server may have paged it
  };
  std::vector<Unconfirmed> unconfirmed_;
  std::vector<std::string> confirmed_;  // entries whose SEND the server accepted
};

}  // namespace snpp
