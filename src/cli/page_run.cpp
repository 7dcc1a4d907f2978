#include "cli/page_run.h"

#include <algorithm>
#include <utility>

#include "cli/page_protocol.h"
#include "paging/snpp_protocol.h"

namespace snpp::cli {

PageRun::PageRun(std::vector<Recipient> recipients, PageRequest request, PageWire& wire)
    : wire_(wire), request_(std::move(request)) {
  results_.reserve(recipients.size());
  for (Recipient& r : recipients) results_.push_back(PageResult{std::move(r), Outcome::NotAttempted, {}});
  decided_.assign(results_.size(), false);
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
  const std::size_t room = pending_.size() < kMaxCommandLine ? kMaxCommandLine - pending_.size() : 0;
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

void PageRun::Interrupted(const std::string& reason) {
  if (state_ == State::AwaitQuit) return EndRun(RunEnd::Finished, {});
  EndRun(RunEnd::Interrupted, reason);
}

bool PageRun::ConnectionFailed() const {
  if (end_ == RunEnd::NoConnection || end_ == RunEnd::ConnectionLost) return true;
  return !greeted_ && (end_ == RunEnd::TimedOut || end_ == RunEnd::ServerEnded);
}

// ---- replies ----------------------------------------------------------------

void PageRun::Reply(const std::string& line) {
  switch (KindOfReply(line)) {
    case ReplyKind::NotFinal:
      return;
    case ReplyKind::Success:
      return Proceed(true, line);
    case ReplyKind::Rejected:
      return Proceed(false, line);
    case ReplyKind::GoAhead:
      if (state_ == State::AwaitData) return DataReplied(line, true, false);
      break;
    case ReplyKind::Ending:
      if (state_ == State::AwaitQuit) return EndRun(RunEnd::Finished, {});
      // A 4xx refuses the command it answers; a 221 answers nothing.
      return EndRun(RunEnd::ServerEnded, "the server ended the session: " + line, line[0] == '4' ? line : "");
    case ReplyKind::Unexpected:
      break;
  }
  if (state_ == State::AwaitQuit) return EndRun(RunEnd::Finished, {});
  EndRun(RunEnd::ProtocolError, "unexpected reply to " + lastVerb_ + ": " + line);
}

// A 2xx or 5xx reply, by the state it answers.
void PageRun::Proceed(bool ok, const std::string& line) {
  switch (state_) {
    case State::AwaitGreeting:
      if (!ok) return EndRun(RunEnd::ServerEnded, "the server refused the session: " + line);
      greeted_ = true;
      if (!request_.loginCommand) return Advance();
      state_ = State::AwaitLogin;
      return Send(*request_.loginCommand);
    case State::AwaitLogin:
      if (!ok && loginRefusal_.empty()) loginRefusal_ = line;
      return Advance();
    case State::AwaitJobCommand:
      return JobCommandReplied(ok, line);
    case State::AwaitPage:
      return PageReplied(ok, line);
    case State::AwaitData:
      return DataReplied(line, false, ok);
    case State::AwaitDataEnd:
    case State::AwaitMess:
      if (!ok) return EndJob(false, line);
      state_ = State::AwaitSend;
      return Send(kSendCommand);
    case State::AwaitSend:
      return EndJob(ok, line);
    case State::AwaitReset:
      // Some gateways answer RESE with a fresh greeting and forget the
      // login; one without RESE answers 500, and the next job goes anyway.
      if (line.starts_with("220") && request_.loginCommand) {
        state_ = State::AwaitLogin;
        return Send(*request_.loginCommand);
      }
      return Advance();
    case State::AwaitQuit:
      return EndRun(RunEnd::Finished, {});
    case State::Connecting:
    case State::Closed:
      return;
  }
}

void PageRun::JobCommandReplied(bool ok, const std::string& line) {
  if (ok) {
    ++jobCommand_;
    return StartJobCommands();
  }
  std::string command = request_.jobCommands[jobCommand_];
  command.resize(command.size() - 2);  // its CR LF
  refusals_.push_back(command + ": " + line);
  if (request_.strict) return RejectRemaining("not paged: the gateway refused " + command + ": " + line);
  // Later jobs go without it.
  request_.jobCommands.erase(request_.jobCommands.begin() + static_cast<std::ptrdiff_t>(jobCommand_));
  StartJobCommands();
}

void PageRun::PageReplied(bool ok, const std::string& line) {
  const std::size_t index = *paging_;
  paging_.reset();
  if (ok) {
    held_.push_back(index);
    if (held_.size() > 1) batching_ = Batching::Works;
    // Refused as a second PAGE, taken alone: this gateway wants one per job.
    if (alone_ && batching_ == Batching::Unknown) batching_ = Batching::Refused;
    return Advance();
  }
  // 550 refuses the ID. Any other refusal of a second PAGE by a gateway not
  // yet seen to take two, or a 552 ("maximum entries exceeded"), may refuse
  // it for coming after others: it is tried again alone, after this job.
  const bool idRefused = line.starts_with("550");
  const bool mayBeTooMany =
      line.starts_with("552") || (held_.size() == 1 && batching_ == Batching::Unknown && !idRefused);
  if (!alone_ && !held_.empty() && mayBeTooMany) {
    retryAlone_ = index;
    return Advance();
  }
  alone_ = false;
  Decide(index, Outcome::Rejected, line);
  Advance();
}

void PageRun::DataReplied(const std::string& line, bool goAhead, bool ok) {
  if (goAhead) {
    state_ = State::AwaitDataEnd;
    return Send(DataText(request_.message));
  }
  if (ok) return EndRun(RunEnd::ProtocolError, "unexpected reply to DATA: " + line);
  // Without DATA the message can still go as one MESS line if it fits.
  dataRefused_ = true;
  SendMessage();
}

// ---- steps ------------------------------------------------------------------

bool PageRun::WorkLeft() const { return retryAlone_ || next_ < results_.size(); }

// The next command, from what is held and what is left.
void PageRun::Advance() {
  if (resetNeeded_) {
    resetNeeded_ = false;
    state_ = State::AwaitReset;
    return Send(kResetCommand);
  }
  const bool jobFull = batching_ == Batching::Refused || alone_ || retryAlone_ || !WorkLeft();
  if (!held_.empty() && jobFull) return SendMessage();
  if (!WorkLeft()) {
    state_ = State::AwaitQuit;
    return Send(kQuitCommand);
  }
  if (!jobStarted_) {
    jobStarted_ = true;
    jobCommand_ = 0;
    return StartJobCommands();
  }
  if (retryAlone_) {
    alone_ = true;
    const std::size_t index = *retryAlone_;
    retryAlone_.reset();
    return PageOne(index);
  }
  PageOne(next_++);
}

void PageRun::StartJobCommands() {
  if (jobCommand_ >= request_.jobCommands.size()) return Advance();
  state_ = State::AwaitJobCommand;
  Send(request_.jobCommands[jobCommand_]);
}

void PageRun::PageOne(std::size_t index) {
  paging_ = index;
  state_ = State::AwaitPage;
  if (OnRecipientStart) OnRecipientStart(results_[index]);
  Send(PageCommand(results_[index].recipient.pagerId));
}

void PageRun::SendMessage() {
  if (NeedsData(request_.message) && !dataRefused_) {
    state_ = State::AwaitData;
    return Send(kDataCommand);
  }
  if (FitsMessLine(request_.message)) {
    state_ = State::AwaitMess;
    return Send(MessCommand(request_.message));
  }
  const std::size_t most = kMaxCommandLine - MessCommand("").size();
  RejectRemaining("the gateway does not take DATA, and the message (" + std::to_string(request_.message.size()) +
                  " bytes) does not fit one MESS line (" + std::to_string(most) + " bytes at most)");
}

void PageRun::EndJob(bool ok, const std::string& line) {
  for (const std::size_t index : held_) Decide(index, ok ? Outcome::Accepted : Outcome::Rejected, line);
  held_.clear();
  alone_ = false;
  jobStarted_ = false;
  // The server may still hold the failed job's PAGEs or message, which
  // would otherwise go out with the next job.
  if (!ok && WorkLeft()) resetNeeded_ = true;
  Advance();
}

// Nothing more can be paged: every recipient without a result gets this
// reason, and the session ends.
void PageRun::RejectRemaining(const std::string& reason) {
  for (std::size_t i = 0; i < results_.size(); ++i) {
    if (!decided_[i]) Decide(i, Outcome::Rejected, reason, true);
  }
  held_.clear();
  retryAlone_.reset();
  next_ = results_.size();
  state_ = State::AwaitQuit;
  Send(kQuitCommand);
}

void PageRun::Decide(std::size_t index, Outcome outcome, const std::string& detail, bool ownReason) {
  if (decided_[index]) return;
  PageResult& r = results_[index];
  r.outcome = outcome;
  r.detail = detail;
  r.ownReason = ownReason;
  decided_[index] = true;
  if (OnRecipientDone) OnRecipientDone(r);
}

// reply: a 4xx that refused the command in flight, which fails the
// recipients that command was for.
void PageRun::EndRun(RunEnd end, const std::string& text, const std::string& reply) {
  if (Done()) return;
  if (!reply.empty()) {
    if (paging_) Decide(*paging_, Outcome::Rejected, reply);
    const bool message = state_ == State::AwaitData || state_ == State::AwaitDataEnd ||
                         state_ == State::AwaitMess || state_ == State::AwaitSend;
    for (const std::size_t index : held_) {
      if (message) Decide(index, Outcome::Rejected, reply);
    }
  }
  // After SEND the page may have gone out; before it, nothing can have.
  if (state_ == State::AwaitSend) {
    for (const std::size_t index : held_) Decide(index, Outcome::Unconfirmed, text);
  }
  for (std::size_t i = 0; i < results_.size(); ++i) {
    if (!decided_[i]) Decide(i, Outcome::NotAttempted, text);
  }
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
