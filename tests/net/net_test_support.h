#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "loopback_socket.h"
#include "net/line_client.h"
#include "net/local_event_loop.h"

namespace snpp::net::testing {

namespace sock = snpp::testing::sock;

inline std::size_t OpenDescriptors() { return sock::OpenHandles(); }

// The far end of a connection, on 127.0.0.1: a listener and the one socket
// it accepted. Its calls block only where the loop is not needed.
class Peer {
 public:
  Peer() {
    listener_ = sock::Listen(0, &port_, 4);
    sock::SetNonBlocking(listener_);
  }
  ~Peer() {
    sock::Close(conn_);
    sock::Close(listener_);
  }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  std::uint16_t Port() const { return port_; }

  // Waits (turning the loop) until the client's connection is accepted.
  bool Accept(LocalEventLoop& loop) {
    return loop.RunUntil([&] {
      if (conn_ == sock::kNone) {
        conn_ = sock::Accept(listener_);
        if (conn_ != sock::kNone) sock::SetNonBlocking(conn_);
      }
      return conn_ != sock::kNone;
    });
  }

  void SetReceiveBuffer(int bytes) { sock::SetReceiveBuffer(listener_, bytes); }

  void Send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const long n = sock::Send(conn_, bytes.data() + done, bytes.size() - done);
      if (n < 0 && sock::LastError() == sock::Error::WouldBlock) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
  }

  // Everything that has arrived so far, without waiting.
  std::string Drain() {
    std::string all;
    char chunk[65536];
    for (;;) {
      const long n = sock::Recv(conn_, chunk, sizeof chunk);
      if (n <= 0) break;
      all.append(chunk, static_cast<std::size_t>(n));
    }
    return all;
  }

  // Turns the loop until `count` bytes arrived or the peer saw end or error.
  std::string Receive(LocalEventLoop& loop, std::size_t count) {
    std::string all;
    loop.RunUntil([&] {
      char chunk[65536];
      const long n = sock::Recv(conn_, chunk, sizeof chunk);
      if (n > 0) all.append(chunk, static_cast<std::size_t>(n));
      return all.size() >= count || n == 0 || (n < 0 && sock::LastError() != sock::Error::WouldBlock);
    });
    return all;
  }

  // Waits for the client's end: 0 for a graceful close, ECONNRESET for a
  // reset, else -2.
  int WaitForEnd(LocalEventLoop& loop) {
    int result = -1;
    loop.RunUntil([&] {
      char chunk[4096];
      const long n = sock::Recv(conn_, chunk, sizeof chunk);
      if (n == 0) result = 0;
      // Under Wine a reset also reads as an end; only a send tells them apart.
      if (n == 0 && sock::UnderWine() && sock::Send(conn_, "?", 1) < 0 &&
          sock::LastError() == sock::Error::Reset) {
        result = ECONNRESET;
      }
      if (n < 0) {
        const sock::Error err = sock::LastError();
        if (err == sock::Error::Reset) result = ECONNRESET;
        else if (err != sock::Error::WouldBlock) result = -2;
      }
      return result != -1;
    });
    return result;
  }

  void Close() {
    sock::Close(conn_);
    conn_ = sock::kNone;
  }

  // Ends the connection with a reset instead of a close.
  void Reset() {
    sock::Abort(conn_);
    conn_ = sock::kNone;
  }

 private:
  sock::Handle listener_ = sock::kNone;
  sock::Handle conn_ = sock::kNone;
  std::uint16_t port_ = 0;
};

// A port on 127.0.0.1 that nobody listens on.
inline std::uint16_t UnusedPort() { return sock::UnusedPort(); }

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

  LocalEventLoop loop;

 private:
  std::size_t fdsBefore_ = 0;
};

}  // namespace snpp::net::testing
