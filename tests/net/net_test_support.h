#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "net/line_client.h"
#include "net/poll_event_loop.h"

namespace snpp::net::testing {

inline std::size_t OpenDescriptors() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

// The far end of a connection, on 127.0.0.1: a listener and the one socket
// it accepted. Its calls block only where the loop is not needed.
class Peer {
 public:
  Peer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    ::listen(listener_, 4);
    socklen_t len = sizeof sa;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&sa), &len);
    port_ = ntohs(sa.sin_port);
  }
  ~Peer() {
    if (conn_ >= 0) ::close(conn_);
    if (listener_ >= 0) ::close(listener_);
  }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  std::uint16_t Port() const { return port_; }

  // Waits (turning the loop) until the client's connection is accepted.
  bool Accept(PollEventLoop& loop) {
    return loop.RunUntil([&] {
      if (conn_ < 0) conn_ = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      return conn_ >= 0;
    });
  }

  void SetReceiveBuffer(int bytes) { ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes); }

  void Send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::send(conn_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
  }

  // Everything that has arrived so far, without waiting.
  std::string Drain() {
    std::string all;
    char chunk[65536];
    for (;;) {
      const ssize_t n = ::recv(conn_, chunk, sizeof chunk, MSG_DONTWAIT);
      if (n <= 0) break;
      all.append(chunk, static_cast<std::size_t>(n));
    }
    return all;
  }

  // Turns the loop until `count` bytes arrived or the peer saw end or error.
  std::string Receive(PollEventLoop& loop, std::size_t count) {
    std::string all;
    loop.RunUntil([&] {
      char chunk[65536];
      const ssize_t n = ::recv(conn_, chunk, sizeof chunk, MSG_DONTWAIT);
      if (n > 0) all.append(chunk, static_cast<std::size_t>(n));
      return all.size() >= count || n == 0 || (n < 0 && errno != EAGAIN);
    });
    return all;
  }

  // Waits for the client's end: 0 for a graceful close, else the errno seen.
  int WaitForEnd(PollEventLoop& loop) {
    int result = -1;
    loop.RunUntil([&] {
      char chunk[4096];
      const ssize_t n = ::recv(conn_, chunk, sizeof chunk, MSG_DONTWAIT);
      if (n == 0) result = 0;
      if (n < 0 && errno != EAGAIN) result = errno;
      return result != -1;
    });
    return result;
  }

  void Close() {
    ::close(conn_);
    conn_ = -1;
  }

  // Ends the connection with a reset instead of a close.
  void Reset() {
    const linger hard{1, 0};
    ::setsockopt(conn_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    Close();
  }

 private:
  int listener_ = -1;
  int conn_ = -1;
  std::uint16_t port_ = 0;
};

// A port on 127.0.0.1 that nobody listens on.
inline std::uint16_t UnusedPort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  socklen_t len = sizeof sa;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
  ::close(s);
  return ntohs(sa.sin_port);
}

// Writes every event of a client as one readable line.
struct EventLog {
  std::vector<std::string> entries;

  void Attach(TLineClient& c) {
    c.OnConnected = [this](TLineClient&, int code, const std::string& text) {
      entries.push_back("connected " + std::to_string(code) + " " + text);
    };
    c.OnDataIn = [this](TLineClient&, const std::string& text, bool eol) {
      entries.push_back("data [" + text + "] " + (eol ? "T" : "F"));
    };
    c.OnDisconnected = [this](TLineClient&, int code, const std::string& text) {
      entries.push_back("disconnected " + std::to_string(code) + " " + text);
    };
    c.OnError = [this](TLineClient&, int code, const std::string& text) {
      entries.push_back("error " + std::to_string(code) + " " + text);
    };
    c.OnReadyToSend = [this](TLineClient&) { entries.push_back("ready"); };
  }
  bool Has(const std::string& entry) const {
    for (const auto& e : entries) {
      if (e == entry) return true;
    }
    return false;
  }
};

// Every test checks that it leaves no descriptor open.
class NetTest : public ::testing::Test {
 protected:
  void SetUp() override { fdsBefore_ = OpenDescriptors(); }
  void TearDown() override { EXPECT_EQ(OpenDescriptors(), fdsBefore_) << "a descriptor leaked"; }

  // Connects `c` to `peer` and runs until OnConnected(0) and OnReadyToSend.
  void ConnectTo(TLineClient& c, Peer& peer, EventLog& log) {
    c.SetRemotePort(peer.Port());
    c.SetRemoteHost("127.0.0.1");
    c.SetConnected(true);
    ASSERT_TRUE(peer.Accept(loop));
    ASSERT_TRUE(loop.RunUntil([&] { return log.Has("ready"); }));
    log.entries.clear();
  }

  PollEventLoop loop;

 private:
  std::size_t fdsBefore_ = 0;
};

}  // namespace snpp::net::testing
