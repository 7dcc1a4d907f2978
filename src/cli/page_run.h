#pragma once
// One run of the command-line pager: the SNPP dialogue for a list of
// recipients over one connection, fed with connection events and received
// text, writing commands through a PageWire. Free of sockets and clocks, so
// tests drive it directly.
//
// Unlike the window, a 5xx reply fails only the recipient it answers and the
// run goes on with the next one (after RESE when the server may still hold
// that recipient's PAGE or message); a 4xx or 221 reply, a lost connection, a
// time-out or an unexpected reply code ends the run.

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
};

enum class RunEnd {
  Running,
  Finished,        // every recipient had its turn
  NoConnection,    // the connection could not be opened
  TimedOut,        // a reply did not come in time
  ConnectionLost,  // closed or reset under us
  ServerEnded,     // 4xx or 221 before the end, or a refused greeting
  ProtocolError,   // a reply code we cannot act on
  Interrupted,     // a signal
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
  PageRun(std::vector<Recipient> recipients, std::string message, std::optional<std::string> loginCommand,
          PageWire& wire);

  void Connected(int status, const std::string& description);
  void DataIn(std::string_view piece, bool lineEnd);
  void Disconnected(int status, const std::string& description);
  void TimedOut();
  void Interrupted();

  bool Done() const { return end_ != RunEnd::Running; }
  RunEnd End() const { return end_; }
  // Why the run ended before its end, for the user.
  const std::string& EndText() const { return endText_; }
  const std::vector<PageResult>& Results() const { return results_; }
  // The reply of a refused LOGI; the run goes on without a login, so each
  // recipient gets the server's own answer.
  const std::string& LoginRefusal() const { return loginRefusal_; }

  std::function<void(const PageResult&)> OnRecipientStart;
  std::function<void(const PageResult&)> OnRecipientDone;

 private:
  enum class State { Connecting, AwaitGreeting, AwaitLogin, AwaitPage, AwaitMess, AwaitSend, AwaitReset, AwaitQuit, Closed };

  void Reply(const std::string& line);
  void Proceed(bool ok, const std::string& line);
  void StartNext();
  void Decide(Outcome outcome, const std::string& detail);
  void Reset();
  void EndRun(RunEnd end, const std::string& text);
  void Send(const std::string& command);
  bool InFlight() const;

  PageWire& wire_;
  std::string message_;
  std::optional<std::string> loginCommand_;
  std::vector<PageResult> results_;
  std::size_t next_ = 0;  // the recipient in flight is next_ - 1
  State state_ = State::Connecting;
  RunEnd end_ = RunEnd::Running;
  std::string endText_;
  std::string loginRefusal_;
  std::string pending_;    // the start of a line still coming
  std::string lastVerb_;   // of the command whose reply we wait for
  bool decided_ = true;    // the recipient in flight has its outcome
  bool wireClosed_ = false;
};

}  // namespace snpp::cli
