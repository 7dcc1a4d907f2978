#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/winsock_errors.h"
#include "net_test_support.h"

namespace snpp::net {
namespace {

using testing::EventLog;
using testing::NetTest;
using testing::Peer;
using Log = std::vector<std::string>;

template <typename F>
void ExpectRefused(F&& write, int code, const std::string& message) {
  try {
    write();
    ADD_FAILURE() << "no exception, expected " << code;
  } catch (const ELineClient& e) {
    EXPECT_EQ(e.Code(), code);
    EXPECT_EQ(std::string(e.what()), message);
  }
}

TEST_F(NetTest, StartsWithTheDefaults) {
  TLineClient c(loop);
  EXPECT_FALSE(c.Connected());
  EXPECT_EQ(c.EOL(), "");
  EXPECT_EQ(c.InBufferSize(), 2048);
  EXPECT_EQ(c.OutBufferSize(), 2048);
  EXPECT_FALSE(c.KeepAlive());
  EXPECT_TRUE(c.Linger());
  EXPECT_EQ(c.LocalPort(), 0);
  EXPECT_EQ(c.MaxLineLength(), 2048u);
  EXPECT_EQ(c.RemoteHost(), "");
  EXPECT_EQ(c.RemotePort(), 0);
  EXPECT_TRUE(c.WinsockLoaded());
  EXPECT_EQ(c.WinsockStatus(), "Running");
  EXPECT_FALSE(c.LocalHost().empty());  // the machine's name before connecting
}

TEST_F(NetTest, RefusesWritesThatDoNotFitTheState) {
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  c.SetConnected(false);  // nothing to close: no event, no error
  ExpectRefused([&] { c.SetConnected(true); }, 102, "102: The RemoteHost address is invalid (0.0.0.0).");
  c.SetRemoteHost("127.0.0.1");
  ExpectRefused([&] { c.SetConnected(true); }, 116,
                "116: RemotePort can't be zero. Please specify a valid service port number.");
  ExpectRefused([&] { c.SetMaxLineLength(65536); }, 117,
                "117: MaxLineLength must leave a line buffer of 1 to 65535 bytes.");
  c.SetMaxLineLength(70000);
  EXPECT_EQ(c.MaxLineLength(), 4464u);

  Peer peer;
  c.SetRemotePort(peer.Port());
  c.SetConnected(true);  // pending until the loop runs
  EXPECT_FALSE(c.Connected());
  ExpectRefused([&] { c.SetConnected(true); }, 104,
                "104: Already connected. If you want to reconnect, close the current connection first.");
  ExpectRefused([&] { c.SetRemotePort(1); }, 100,
                "100: You cannot change the RemotePort at this time. A connection is in progress.");
  ExpectRefused([&] { c.SetRemoteHost("10.0.0.5"); }, 101,
                "101: You cannot change the RemoteHost at this time. A connection is in progress.");
  ExpectRefused([&] { c.SetLocalPort(1); }, 106,
                "106: You cannot change the LocalPort at this time. A connection is in progress.");
  ExpectRefused([&] { c.SetMaxLineLength(10); }, 112,
                "112: You cannot change MaxLineSize at this time. A connection is in progress.");
  ExpectRefused([&] { c.SetDataOut(""); }, 10057, "10057: [10057] Socket is not connected");
  EXPECT_EQ(c.RemoteHost(), "127.0.0.1");
  EXPECT_TRUE(log.entries.empty());

  c.SetConnected(false);  // closing a pending connection reports at once
  EXPECT_EQ(log.entries, (Log{"disconnected 0 OK"}));
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(log.entries.size(), 1u);  // the abandoned attempt reports nothing
}

TEST_F(NetTest, ResolvesAddressesAndNames) {
  TLineClient c(loop);
  c.SetRemoteHost("10.0.0.5");
  EXPECT_EQ(c.RemoteHost(), "10.0.0.5");
  c.SetRemoteHost("localhost");
  EXPECT_EQ(c.RemoteHost(), "127.0.0.1");
  c.SetRemoteHost("");
  EXPECT_EQ(c.RemoteHost(), "");
  c.SetRemoteHost("255.255.255.255");  // the conversion's failure value: looked up as a name
  EXPECT_EQ(c.RemoteHost(), "255.255.255.255");
  for (const std::string& name : {std::string("no-such-host.invalid"), std::string("127.0.0.1\0.invalid", 18)}) {
    c.SetRemoteHost("10.0.0.5");
    try {
      c.SetRemoteHost(name);
      ADD_FAILURE() << "resolved " << name;
    } catch (const ELineClient& e) {
      EXPECT_GE(e.Code(), 11001);
      EXPECT_LE(e.Code(), 11004);
      EXPECT_EQ(std::string(e.what()), std::to_string(e.Code()) + ": " + DescribeError(e.Code()));
    }
    EXPECT_EQ(c.RemoteHost(), "");
  }
}

TEST_F(NetTest, ConnectsReportsReadyAndKnowsItsEnds) {
  Peer peer;
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  std::string sentInHandler;
  c.OnConnected = [&](TLineClient& s, int code, const std::string& text) {
    log.entries.push_back("connected " + std::to_string(code) + " " + text);
    s.SetDataOut(std::string("PAGE 1\0x\r\n", 10));  // already allowed here
  };
  c.SetRemotePort(peer.Port());
  c.SetRemoteHost("127.0.0.1");
  c.SetConnected(true);
  ASSERT_TRUE(peer.Accept(loop));
  ASSERT_TRUE(loop.RunUntil([&] { return log.Has("ready"); }));
  EXPECT_EQ(log.entries, (Log{"connected 0 OK", "ready"}));
  EXPECT_TRUE(c.Connected());
  EXPECT_EQ(c.LocalHost(), "127.0.0.1");
  EXPECT_NE(c.LocalPort(), 0);
  EXPECT_EQ(peer.Receive(loop, 10), std::string("PAGE 1\0x\r\n", 10));

  c.SetConnected(false);
  EXPECT_EQ(log.entries.back(), "disconnected 0 OK");
  EXPECT_EQ(peer.WaitForEnd(loop), 0);
  EXPECT_EQ(c.LocalPort(), 0);
}

TEST_F(NetTest, RefusedConnectionReportsOnlyOnConnected) {
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  c.SetRemotePort(testing::UnusedPort());
  c.SetRemoteHost("127.0.0.1");
  c.SetConnected(true);
  ASSERT_TRUE(loop.RunUntil([&] { return !log.entries.empty(); }));
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(log.entries, (Log{"connected 10061 [10061] Connection refused"}));
  EXPECT_FALSE(c.Connected());

  // The main window's way: close from inside the failed OnConnected.
  log.entries.clear();
  c.OnConnected = [&](TLineClient& s, int code, const std::string&) {
    log.entries.push_back("connected " + std::to_string(code) + (s.Connected() ? " open" : " closed"));
    s.SetConnected(false);
  };
  c.SetConnected(true);
  ASSERT_TRUE(loop.RunUntil([&] { return log.entries.size() >= 2; }));
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(log.entries, (Log{"connected 10061 closed", "disconnected 0 OK"}));
}

TEST_F(NetTest, DestroyingAnOpenClientResetsSilently) {
  Peer peer;
  EventLog log;
  {
    TLineClient c(loop);
    log.Attach(c);
    ConnectTo(c, peer, log);
    peer.Send("unread");
  }
  EXPECT_EQ(peer.WaitForEnd(loop), ECONNRESET);
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_TRUE(log.entries.empty());
}

TEST_F(NetTest, ClosingTakesUnreadDataSoThePeerSeesAGracefulEnd) {
  Peer peer;
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  ConnectTo(c, peer, log);
  peer.Send("221 Bye\r\n");  // arrived, not yet read by the loop
  c.SetConnected(false);
  EXPECT_EQ(peer.WaitForEnd(loop), 0);
  EXPECT_FALSE(log.Has("data [221 Bye\r\n] T"));  // read only to be taken, not delivered
  EXPECT_TRUE(log.Has("disconnected 0 OK"));
}

TEST_F(NetTest, LingerOffResetsOnClose) {
  Peer peer;
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  c.SetLinger(false);  // applied when the socket is made
  ConnectTo(c, peer, log);
  c.SetKeepAlive(true);
  c.SetInBufferSize(8192);
  EXPECT_TRUE(c.KeepAlive());
  EXPECT_EQ(c.InBufferSize(), 8192);
  c.SetConnected(false);
  EXPECT_EQ(peer.WaitForEnd(loop), ECONNRESET);
}

TEST_F(NetTest, ReconnectingFromOnDisconnectedKeepsTheNewConnection) {
  Peer peer;
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  ConnectTo(c, peer, log);
  int reconnects = 0;
  c.OnDisconnected = [&](TLineClient& s, int code, const std::string& text) {
    log.entries.push_back("disconnected " + std::to_string(code) + " " + text);
    if (reconnects++ == 0) s.SetConnected(true);
  };
  peer.Close();  // the close notification leads to OnDisconnected
  ASSERT_TRUE(loop.RunUntil([&] { return log.Has("ready"); }));
  EXPECT_EQ(log.entries, (Log{"disconnected 0 OK", "connected 0 OK", "ready"}));
  EXPECT_TRUE(c.Connected());
  ASSERT_TRUE(peer.Accept(loop));
  peer.Send("again\r\n");
  ASSERT_TRUE(loop.RunUntil([&] { return log.Has("data [again\r\n] T"); }));
}

TEST_F(NetTest, ClosingAgainWhileTheCloseDeliversReportsOnce) {
  Peer peer;
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  c.SetEOL("\r\n");
  ConnectTo(c, peer, log);
  c.OnDataIn = [&](TLineClient& s, const std::string& text, bool eol) {
    log.entries.push_back("data [" + text + "] " + (eol ? "T" : "F"));
    s.SetConnected(false);
  };
  peer.Send("a\r\nb");
  // Wait until the bytes sit in the buffer: "b" has no terminator yet.
  ASSERT_TRUE(loop.RunUntil([&] { return log.Has("data [a] T"); }));
  ASSERT_TRUE(loop.RunUntil([&] { return !c.Connected(); }));
  EXPECT_EQ(log.entries, (Log{"data [a] T", "data [b] F", "disconnected 0 OK"}));

  // Again from outside: the close delivers "y" and its handler closes too.
  Peer second;
  log.entries.clear();
  log.Attach(c);
  ConnectTo(c, second, log);
  c.OnDataIn = [&](TLineClient& s, const std::string& text, bool eol) {
    log.entries.push_back("data [" + text + "] " + (eol ? "T" : "F"));
    if (text == "y") s.SetConnected(false);
  };
  second.Send("x\r\ny");
  ASSERT_TRUE(loop.RunUntil([&] { return log.Has("data [x] T"); }));
  EXPECT_NO_THROW(c.SetConnected(false));
  EXPECT_EQ(log.entries, (Log{"data [x] T", "data [y] F", "disconnected 0 OK"}));
}

TEST_F(NetTest, AHandlerMayDestroyTheClient) {
  Peer peer;
  EventLog log;
  auto c = std::make_unique<TLineClient>(loop);
  log.Attach(*c);
  c->SetEOL("\n");
  ConnectTo(*c, peer, log);
  c->OnDataIn = [&](TLineClient&, const std::string& text, bool) {
    log.entries.push_back(text);
    c.reset();
  };
  peer.Send("one\ntwo\n");
  ASSERT_TRUE(loop.RunUntil([&] { return c == nullptr; }));
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(log.entries, (Log{"one"}));
  EXPECT_EQ(peer.WaitForEnd(loop), ECONNRESET);
}

}  // namespace
}  // namespace snpp::net
