#pragma once
// One run of the command-line pager: the SNPP dialogue for a list of
// recipients over one connection, fed with connection events and received
// text, writing commands through a PageWire. Free of sockets and clocks, so
// tests drive it directly.
//
// Every PAGE goes first, each reply giving that recipient's result; then one
// MESS (or DATA) and one SEND carry the message to all accepted recipients
// as one job. A gateway that refuses a second PAGE before SEND gets one job
// per recipient instead. A 5xx reply fails only the recipients it answers
// and the run goes on; a 4xx or 221 reply, a lost connection, a time-out or
// an unexpected reply code ends the run.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/recipient_match.h"

namespace snpp::cli {

enum class Outcome {
  NotAttempted,  // its SEND was never written
  Accepted,      // SEND answered with success
  Rejected,      // the server refused one of its commands; detail = the reply
  Unconfirmed,   // SEND written, the run ended before its reply
};

struct PageResult {
  Recipient recipient;
  Outcome outcome = Outcome::NotAttempted;
  std::string detail;  // the server's reply, or why it was not done
  bool ownReason = false;  // detail is ours, not a reply, though the outcome is Rejected
};

enum class RunEnd {
  Running,
  Finished,        // every recipient had its turn
  NoConnection,    // the connection could not be opened
  TimedOut,        // a reply did not come in time
  ConnectionLost,  // closed or reset under us
  ServerEnded,     // 4xx or 221 before the end, or a refused greeting
  ProtocolError,   // a reply code we cannot act on
  Interrupted,     // a signal, or the deadline of the whole run
};

// What goes to every recipient.
struct PageRequest {
  std::string message;
  std::optional<std::string> loginCommand;  // a whole LOGI line
  // Whole command lines (LEVE, HOLD, SUBJ, CALL) that go before the first
  // PAGE of each job; a refused one is reported and left out.
  std::vector<std::string> jobCommands;
  bool strict = false;  // a refused job command stops the paging instead
};

class PageWire {
 public:
  virtual ~PageWire() = default;
  // Must not throw: a failed write closes the connection, and the
  // disconnect event tells the run.
  virtual void Write(const std::string& command) = 0;
  virtual void Close() = 0;
};

class PageRun {
 public:
  PageRun(std::vector<Recipient> recipients, PageRequest request, PageWire& wire);

  void Connected(int status, const std::string& description);
  void DataIn(std::string_view piece, bool lineEnd);
  void Disconnected(int status, const std::string& description);
  void TimedOut();
  // reason: what stopped the run ("interrupted", a deadline).
  void Interrupted(const std::string& reason = "interrupted");

  bool Done() const { return end_ != RunEnd::Running; }
  RunEnd End() const { return end_; }
  // Why the run ended before its end, for the user.
  const std::string& EndText() const { return endText_; }
  const std::vector<PageResult>& Results() const { return results_; }
  // The connection failed, or broke: the recipients still NotAttempted may
  // be tried again (never one Unconfirmed).
  bool ConnectionFailed() const;
  // The reply of a refused LOGI; the run goes on without a login, so each
  // recipient gets the server's own answer.
  const std::string& LoginRefusal() const { return loginRefusal_; }
  // "LEVE 3: 550 ..." for each job command the gateway refused.
  const std::vector<std::string>& Refusals() const { return refusals_; }

  std::function<void(const PageResult&)> OnRecipientStart;
  std::function<void(const PageResult&)> OnRecipientDone;

 private:
  enum class State {
    Connecting, AwaitGreeting, AwaitLogin, AwaitJobCommand, AwaitPage, AwaitData, AwaitDataEnd, AwaitMess,
    AwaitSend, AwaitReset, AwaitQuit, Closed
  };
  // Whether the gateway takes several PAGEs before one SEND.
  enum class Batching { Unknown, Works, Refused };

  void Reply(const std::string& line);
  void Proceed(bool ok, const std::string& line);
  void PageReplied(bool ok, const std::string& line);
  void JobCommandReplied(bool ok, const std::string& line);
  void DataReplied(const std::string& line, bool goAhead, bool ok);
  void Advance();
  bool WorkLeft() const;
  void StartJobCommands();
  void PageOne(std::size_t index);
  void SendMessage();
  void EndJob(bool ok, const std::string& line);
  void RejectRemaining(const std::string& reason);
  void Decide(std::size_t index, Outcome outcome, const std::string& detail, bool ownReason = false);
  void EndRun(RunEnd end, const std::string& text, const std::string& reply = {});
  void Send(const std::string& command);

  PageWire& wire_;
  PageRequest request_;
  std::vector<PageResult> results_;
  std::vector<bool> decided_;
  std::size_t next_ = 0;                    // the next recipient to page
  std::optional<std::size_t> paging_;       // the PAGE in flight
  std::vector<std::size_t> held_;           // accepted PAGEs of this job
  std::optional<std::size_t> retryAlone_;   // refused as a second PAGE: try again alone
  bool alone_ = false;                      // this job is that retry
  Batching batching_ = Batching::Unknown;
  bool dataRefused_ = false;
  bool resetNeeded_ = false;                // the server may hold a failed job
  bool jobStarted_ = false;                 // its job commands are done
  std::size_t jobCommand_ = 0;
  bool greeted_ = false;
  State state_ = State::Connecting;
  RunEnd end_ = RunEnd::Running;
  std::string endText_;
  std::string loginRefusal_;
  std::vector<std::string> refusals_;
  std::string pending_;    // the start of a line still coming
  std::string lastVerb_;   // of the command whose reply we wait for
  bool wireClosed_ = false;
};

}  // namespace snpp::cli
