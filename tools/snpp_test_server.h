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

// Decides the answer to a received line (CR LF removed); index counts the
// lines of the current connection from 0. Runs on the server thread.
using ServerScript = std::function<ServerAction(const std::string& line, int index)>;

// 250 to PAGE, MESS, SEND, LOGI and LEVE, a multi-line 214 reply ended by
// 250 to HELP, 221 and a close to QUIT, 500 to anything else.
ServerAction AcceptingAnswer(const std::string& line);
ServerScript AcceptingScript();
// Answers the lines in order from the list, then as AcceptingScript does.
ServerScript SequenceScript(std::vector<ServerAction> actions);

// What real paging gateways check and how they answer, each part optional.
struct GatewayRules {
  bool requireLogin = false;          // 530 to PAGE, MESS and SEND before a LOGI
  bool checkPagerIds = false;         // 550 to an empty ID, one with a non-digit, or a long one
  std::size_t maxPagerIdLength = 16;  // with checkPagerIds
  std::size_t maxMessageLength = 0;   // 550 to a longer MESS text; 0: no limit
  int sendDelayMs = 0;                // wait before answering SEND
  bool infoBeforeReplies = false;     // a "214" line before each reply, in the same write
};

// Keeps the order of a gateway: SEND needs a PAGE and a MESS first (503),
// and each SEND starts the next page afresh. State is per connection.
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

  // Called on the server thread for every received line (for printing).
  void SetLineObserver(std::function<void(const std::string&)> observer);

  // Split replies pause this long between their two writes.
  static constexpr int kSplitPauseMs = 50;

 private:
  void Run();
  void Serve(sock::Handle fd);
  bool HandleLine(sock::Handle fd, const std::string& line, int index);
  bool Pause(int ms);

  ServerScript script_;
  std::string greeting_;
  sock::Handle listenFd_ = sock::kNone;
  sock::Handle wakeFds_[2] = {sock::kNone, sock::kNone};
  std::uint16_t port_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};

  mutable std::mutex mutex_;
  std::string received_;
  int connections_ = 0;
  int closed_ = 0;
  std::function<void(const std::string&)> observer_;
};

}  // namespace snpp::testing
