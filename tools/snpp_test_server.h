#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "loopback_socket.h"

namespace snpp::testing {

// A page the server took: one per accepted pager ID of an accepted SEND.
struct DeliveredPage {
  std::string pagerId;
  std::string text;
  bool operator==(const DeliveredPage&) const = default;
};

// One answer of the test server to one received command line.
struct ServerAction {
  enum class Kind {
    Reply,       // write text in one write
    SplitReply,  // write text in two writes with a pause between them
    Silence,     // answer nothing
    Close,       // write text (may be empty), then close gracefully
    Reset,       // write text (may be empty), then abort the connection (RST)
  };
  Kind kind = Kind::Reply;
  std::string text;
  std::size_t splitAt = 0;  // SplitReply: bytes in the first write
  int delayMs = 0;          // wait this long before acting (a slow gateway)
  // Pages this answer delivers; recorded when the server acts, whether or
  // not the client is still there to read the reply (as a real gateway).
  std::vector<DeliveredPage> delivered{};

  static ServerAction Reply(std::string text) { return {Kind::Reply, std::move(text), 0}; }
  static ServerAction Split(std::string text, std::size_t at) {
    return {Kind::SplitReply, std::move(text), at};
  }
  static ServerAction Silence() { return {Kind::Silence, {}, 0}; }
  static ServerAction Close(std::string text = {}) { return {Kind::Close, std::move(text), 0}; }
  static ServerAction Reset(std::string text = {}) { return {Kind::Reset, std::move(text), 0}; }
  static ServerAction After(int ms, ServerAction action) {
    action.delayMs = ms;
    return action;
  }
};

// The verb of a command line in capitals, and what follows its first blank.
std::string VerbOf(const std::string& line);
std::string ArgumentOf(const std::string& line);

inline constexpr char kResetGreeting[] = "220 SNPP test server ready\r\n";
inline constexpr char kDataGoAhead[] = "354 Begin message input; end with <CRLF>'.'<CRLF>.\r\n";

// Decides the answer to a received line (CR LF removed); index counts the
// lines of the current connection from 0. Runs on the server thread.
using ServerScript = std::function<ServerAction(const std::string& line, int index)>;

// 250 to PAGE, MESS, SEND, LOGI and LEVE, a multi-line 214 reply ended by
// 250 to HELP, a 220 greeting to RESE, 221 and a close to QUIT, 500 to an
// empty MESS and to anything else.
ServerAction AcceptingAnswer(const std::string& line);
// AcceptingAnswer, and DATA: 354, the lines up to a lone ".", then 250.
ServerScript AcceptingScript();
// Answers the lines in order from the list, then as AcceptingScript does.
ServerScript SequenceScript(std::vector<ServerAction> actions);

// What real paging gateways check and how they answer, each part optional.
struct GatewayRules {
  bool requireLogin = false;          // 530 to PAGE, MESS, DATA and SEND before a LOGI
  bool checkPagerIds = false;         // 550 to an empty ID, one with a non-digit, or a long one
  std::size_t maxPagerIdLength = 16;  // with checkPagerIds
  std::size_t maxMessageLength = 0;   // 550 to a longer MESS or DATA text; 0: no limit
  int sendDelayMs = 0;                // wait before answering SEND
  // Hostile: a "214" line before each reply, in the same write. No gateway
  // sends one unasked; standard clients fall out of step on it.
  bool infoBeforeReplies = false;
  bool resetLogsOut = false;          // RESE also ends the login
};

// Answers as a deployed gateway (hfaxd) does, reply by reply; the texts
// have its shape, except the refusals of the rules above, which keep their
// short texts:
// - PAGE may come several times; each accepted ID gets
//   "250 Pager ID accepted; jobid: N". MESS or DATA gives the one text
//   (a second one: 503). SEND needs both (503), delivers the text to every
//   accepted ID as one job, and starts the next page afresh.
// - DATA: 354, then lines up to a lone "." with a doubled leading "."
//   undone, then 250. A text over the message limit gets its 550 at once
//   and ends the input: the lines after it are commands again.
// - RESE: a fresh 220 greeting; the pages and text so far are dropped.
// - An empty MESS, PAGE or LOGI, an empty line or an unknown command: 500.
// State is per connection; job numbers count on over connections.
ServerScript GatewayScript(GatewayRules rules);

// "220", a blank, the text and padding to at least totalBytes, then CR LF:
// a greeting longer than one read of the client.
std::string PaddedGreeting(const std::string& text, std::size_t totalBytes);

// An SNPP server on 127.0.0.1 for tests, benchmarks and demos: it greets,
// answers each command line by a script and records every byte it receives.
// Serves one connection at a time on its own thread.
class SnppTestServer {
 public:
  static constexpr char kDefaultGreeting[] = "220 SNPP test server ready\r\n";

  // port 0 picks a free port. An empty greeting means the server never greets.
  explicit SnppTestServer(ServerScript script = AcceptingScript(),
                          std::string greeting = kDefaultGreeting, std::uint16_t port = 0);
  ~SnppTestServer();
  SnppTestServer(const SnppTestServer&) = delete;
  SnppTestServer& operator=(const SnppTestServer&) = delete;

  std::uint16_t Port() const { return port_; }

  // Everything received so far, over all connections, byte for byte.
  std::string Received() const;
  std::vector<std::string> ReceivedLines() const;
  int Connections() const;
  int ClosedConnections() const;

  // Every page delivered so far, over all connections, in order.
  std::vector<DeliveredPage> Delivered() const;

  // Called on the server thread for every received line (for printing).
  void SetLineObserver(std::function<void(const std::string&)> observer);
  // Called on the server thread for each delivered page, before the reply
  // goes out.
  void SetDeliveryObserver(std::function<void(const DeliveredPage&)> observer);

  // Reads at most bytes - 1 of a line, CR LF included, and takes the rest as
  // the next line, as gateways with a fixed line buffer do (hfaxd: 512).
  // 0 or 1: no limit.
  void SetLineLimit(std::size_t bytes) { lineLimit_ = bytes; }

  // Split replies pause this long between their two writes.
  static constexpr int kSplitPauseMs = 50;

 private:
  void Run();
  void Serve(sock::Handle fd);
  bool TakeLine(std::string& pending, std::string& line) const;
  bool HandleLine(sock::Handle fd, const std::string& line, int index);
  bool Pause(int ms);

  ServerScript script_;
  std::string greeting_;
  sock::Handle listenFd_ = sock::kNone;
  sock::Handle wakeFds_[2] = {sock::kNone, sock::kNone};
  std::uint16_t port_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<std::size_t> lineLimit_{0};

  mutable std::mutex mutex_;
  std::string received_;
  int connections_ = 0;
  int closed_ = 0;
  std::vector<DeliveredPage> delivered_;
  std::function<void(const std::string&)> observer_;
  std::function<void(const DeliveredPage&)> deliveryObserver_;
};

}  // namespace snpp::testing
