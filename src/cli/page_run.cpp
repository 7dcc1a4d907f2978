#include "cli/page_run.h"

#include <utility>

#include "cli/page_protocol.h"
#include "paging/snpp_protocol.h"

namespace snpp::cli {

PageRun::PageRun(std::vector<Recipient> recipients, std::string message, std::optional<std::string> loginCommand,
                 PageWire& wire)
    : wire_(wire), message_(std::move(message)), loginCommand_(std::move(loginCommand)) {
  results_.reserve(recipients.size());
  for (Recipient& r : recipients) results_.push_back(PageResult{std::move(r), Outcome::NotAttempted, {}});
}

// ---- events -----------------------------------------------------------------

void PageRun::Connected(int status, const std::string& description) {
  if (state_ != State::Connecting) return;
  if (status != 0) {
    wireClosed_ = true;  // the line client releases a failed socket itself
    EndRun(RunEnd::NoConnection, "cannot connect: " + description);
    return;
  }
  state_ = State::AwaitGreeting;
}

void PageRun::DataIn(std::string_view piece, bool lineEnd) {
  if (Done()) return;
  // A reply line longer than any we accept is kept only up to the limit; the
  // time limit, not the flood, decides when a server that never ends its
  // lines is given up.
  const std::size_t room = pending_.size() < kMaxLineBytes ? kMaxLineBytes - pending_.size() : 0;
  pending_.append(piece.substr(0, room));
  if (!lineEnd) return;
  std::string line;
  line.swap(pending_);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  Reply(line);
}

void PageRun::Disconnected(int status, const std::string& description) {
  if (Done()) return;
  wireClosed_ = true;
  // A last reply without its line break still counts.
  if (!pending_.empty()) DataIn({}, true);
  if (Done()) return;
  if (state_ == State::AwaitQuit) {
    end_ = RunEnd::Finished;
    state_ = State::Closed;
    return;
  }
  EndRun(RunEnd::ConnectionLost,
         status == 0 ? "the server closed the connection" : "connection lost: " + description);
}

void PageRun::TimedOut() {
  switch (state_) {
    case State::Connecting: return EndRun(RunEnd::TimedOut, "the connection was not made");
    case State::AwaitGreeting: return EndRun(RunEnd::TimedOut, "no greeting from the server");
    case State::AwaitQuit: return EndRun(RunEnd::Finished, {});
    case State::Closed: return;
    default: return EndRun(RunEnd::TimedOut, "no reply to " + lastVerb_);
  }
}

void PageRun::Interrupted() { EndRun(RunEnd::Interrupted, "interrupted"); }

// ---- replies ----------------------------------------------------------------

void PageRun::Reply(const std::string& line) {
  switch (KindOfReply(line)) {
    case ReplyKind::NotFinal:
      return;
    case ReplyKind::Success:
      return Proceed(true, line);
    case ReplyKind::Rejected:
      return Proceed(false, line);
    case ReplyKind::Ending:
      if (state_ == State::AwaitQuit) return EndRun(RunEnd::Finished, {});
      // A 4xx answers the command in flight: that recipient was refused.
      if (line[0] == '4' && InFlight()) Decide(Outcome::Rejected, line);
      return EndRun(RunEnd::ServerEnded, "the server ended the session: " + line);
    case ReplyKind::Unexpected:
      if (state_ == State::AwaitQuit) return EndRun(RunEnd::Finished, {});
      return EndRun(RunEnd::ProtocolError, "unexpected reply to " + lastVerb_ + ": " + line);
  }
}

// A 2xx or 5xx reply, by the state it answers.
void PageRun::Proceed(bool ok, const std::string& line) {
  switch (state_) {
    case State::AwaitGreeting:
      if (!ok) return EndRun(RunEnd::ServerEnded, "the server refused the session: " + line);
      if (!loginCommand_) return StartNext();
      state_ = State::AwaitLogin;
      return Send(*loginCommand_);
    case State::AwaitLogin:
      if (!ok) loginRefusal_ = line;
      return StartNext();
    case State::AwaitPage:
      if (!ok) {
        Decide(Outcome::Rejected, line);  // nothing of it is held: no RESE needed
        return StartNext();
      }
      state_ = State::AwaitMess;
      return Send(MessCommand(message_));
    case State::AwaitMess:
      if (!ok) {
        Decide(Outcome::Rejected, line);
        return Reset();
      }
      state_ = State::AwaitSend;
      return Send(kSendCommand);
    case State::AwaitSend:
      Decide(ok ? Outcome::Accepted : Outcome::Rejected, line);
      return ok ? StartNext() : Reset();
    case State::AwaitReset:
      // A gateway without RESE answers 500; the next PAGE goes out anyway.
      return StartNext();
    case State::AwaitQuit:
      return EndRun(RunEnd::Finished, {});
    case State::Connecting:
    case State::Closed:
      return;
  }
}

// ---- steps ------------------------------------------------------------------

void PageRun::StartNext() {
  if (next_ == results_.size()) {
    state_ = State::AwaitQuit;
    return Send(kQuitCommand);
  }
  const PageResult& r = results_[next_++];
  decided_ = false;
  state_ = State::AwaitPage;
  if (OnRecipientStart) OnRecipientStart(r);
  Send(PageCommand(r.recipient.pagerId));
}

// The server may still hold the refused recipient's PAGE or message, which
// would otherwise go out with the next recipient's SEND.
void PageRun::Reset() {
  state_ = State::AwaitReset;
  Send(kResetCommand);
}

void PageRun::Decide(Outcome outcome, const std::string& detail) {
  PageResult& r = results_[next_ - 1];
  r.outcome = outcome;
  r.detail = detail;
  decided_ = true;
  if (OnRecipientDone) OnRecipientDone(r);
}

bool PageRun::InFlight() const {
  const bool waiting = state_ == State::AwaitPage || state_ == State::AwaitMess || state_ == State::AwaitSend;
  return waiting && !decided_;
}

void PageRun::EndRun(RunEnd end, const std::string& text) {
  if (Done()) return;
  // After SEND the page may have gone out; before it, nothing can have.
  if (InFlight()) Decide(state_ == State::AwaitSend ? Outcome::Unconfirmed : Outcome::NotAttempted, text);
  end_ = end;
  endText_ = text;
  state_ = State::Closed;
  if (!wireClosed_) {
    wireClosed_ = true;
    wire_.Close();
  }
}

void PageRun::Send(const std::string& command) {
  lastVerb_ = command.substr(0, 4);
  if (!wireClosed_) wire_.Write(command);
}

}  // namespace snpp::cli
