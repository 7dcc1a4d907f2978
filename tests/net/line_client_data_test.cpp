#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net_test_support.h"

namespace snpp::net {
namespace {

using testing::EventLog;
using testing::NetTest;
using testing::Peer;
using Log = std::vector<std::string>;

class DataTest : public NetTest {
 protected:
  // Made after and gone before the descriptor count is taken.
  void SetUp() override {
    NetTest::SetUp();
    peer = std::make_unique<Peer>();
    client = std::make_unique<TLineClient>(loop);
  }
  void TearDown() override {
    client.reset();
    peer.reset();
    NetTest::TearDown();
  }

  void Open(const std::string& eol) {
    log.Attach(*client);
    client->SetEOL(eol);
    ConnectTo(*client, *peer, log);
  }
  bool WaitFor(const std::string& entry) {
    return loop.RunUntil([&] { return log.Has(entry); });
  }

  std::unique_ptr<Peer> peer;
  std::unique_ptr<TLineClient> client;
  EventLog log;
};

TEST_F(DataTest, WithoutEolEachReadIsOneEventAsReceived) {
  Open("");
  peer->Send("220 Hello\r\n");
  ASSERT_TRUE(WaitFor("data [220 Hello\r\n] T"));
  peer->Close();
  ASSERT_TRUE(WaitFor("disconnected 0 OK"));
  EXPECT_EQ(log.entries, (Log{"data [220 Hello\r\n] T", "disconnected 0 OK"}));
}

TEST_F(DataTest, CutsLinesAndDeliversTheTailWhenThePeerCloses) {
  Open("\r\n");
  peer->Send("a\r\nb\r\n\r\nc");
  ASSERT_TRUE(WaitFor("data [] T"));
  EXPECT_EQ(log.entries, (Log{"data [a] T", "data [b] T", "data [] T"}));
  peer->Send("d");
  peer->Close();
  ASSERT_TRUE(WaitFor("disconnected 0 OK"));
  EXPECT_EQ(log.entries, (Log{"data [a] T", "data [b] T", "data [] T", "data [cd] F", "disconnected 0 OK"}));
  EXPECT_FALSE(client->Connected());
}

TEST_F(DataTest, ALastLineWithItsTerminatorArrivesWhole) {
  Open("\r\n");
  peer->Send("221 Bye\r\n");
  peer->Close();
  ASSERT_TRUE(WaitFor("disconnected 0 OK"));
  EXPECT_EQ(log.entries, (Log{"data [221 Bye] T", "disconnected 0 OK"}));
}

TEST_F(DataTest, ALineLongerThanTheBufferComesInPieces) {
  client->SetMaxLineLength(2048);
  Open("\r\n");
  const std::string line(5000, 'x');
  peer->Send(line);
  ASSERT_TRUE(loop.RunUntil([&] { return log.entries.size() == 2; }));
  peer->Send("\r\n");
  ASSERT_TRUE(loop.RunUntil([&] { return log.entries.size() == 3; }));
  const std::string piece(2048, 'x');
  EXPECT_EQ(log.entries, (Log{"data [" + piece + "] F", "data [" + piece + "] F",
                              "data [" + std::string(904, 'x') + "] T"}));
}

TEST_F(DataTest, ANewEolCutsWhatIsAlreadyBuffered) {
  Open("\r\n");
  client->OnDataIn = [&](TLineClient& s, const std::string& text, bool eol) {
    log.entries.push_back("data [" + text + "] " + (eol ? "T" : "F"));
    if (text == "switch") s.SetEOL("|");  // the running pass uses it at once
  };
  peer->Send("switch\r\na|b|c");
  ASSERT_TRUE(WaitFor("data [b] T"));
  EXPECT_EQ(log.entries, (Log{"data [switch] T", "data [a] T", "data [b] T"}));

  client->SetEOL("\r\n");
  peer->Send("1;2;");
  loop.RunUntilIdle();
  client->SetEOL(";");  // buffered "c1;2;" is cut on the next turn
  ASSERT_TRUE(WaitFor("data [2] T"));
  EXPECT_EQ(log.entries.back(), "data [2] T");
  EXPECT_TRUE(log.Has("data [c1] T"));
}

TEST_F(DataTest, ClosingFromOnDataInWaitsForTheHandlerAndStillSends) {
  Open("\r\n");
  client->OnDataIn = [&](TLineClient& s, const std::string& text, bool) {
    log.entries.push_back("data [" + text + "]");
    if (text != "221 Bye") return;
    s.SetConnected(false);
    log.entries.push_back(s.Connected() ? "still open" : "closed");
    s.SetDataOut("QUIT\r\n");  // the socket is closed only after the handler
  };
  peer->Send("221 Bye\r\nlast\r\ntail");
  ASSERT_TRUE(WaitFor("disconnected 0 OK"));
  EXPECT_EQ(log.entries,
            (Log{"data [221 Bye]", "still open", "data [last]", "data [tail]", "disconnected 0 OK"}));
  EXPECT_EQ(peer->Receive(loop, 6), "QUIT\r\n");
}

// What a peer's reset leaves the user: the data that came before it, then
// the end of the connection, told once and last. The poll layer reads the
// reset as one (an error 10054, then the disconnect with it); Wine's Winsock
// reports it as a plain close, so the disconnect may carry no error. Either
// way the paging above tells the user the same thing, and that is what is
// held here on both layers.
void ExpectEndedOnce(const Log& entries) {
  ASSERT_FALSE(entries.empty());
  int disconnects = 0;
  for (const std::string& entry : entries) {
    if (entry.rfind("disconnected", 0) == 0) ++disconnects;
    if (entry.rfind("error", 0) == 0) {
      EXPECT_EQ(entry, "error 10054 Winsock error in recv()");
    }
  }
  EXPECT_EQ(disconnects, 1);
  EXPECT_EQ(entries.back().rfind("disconnected", 0), 0u) << entries.back();
}

TEST_F(DataTest, APeerResetEndsTheConnectionAfterTheDataBeforeIt) {
  Open("\r\n");
  peer->Send("partial");
  ASSERT_TRUE(loop.RunUntilIdle());  // "partial" waits in the buffer
  peer->Reset();
  ASSERT_TRUE(loop.RunUntil([&] { return !client->Connected(); }));
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(log.entries.front(), "data [partial] F");
  ExpectEndedOnce(log.entries);
  const std::string& end = log.entries.back();
  EXPECT_TRUE(end == "disconnected 10054 [10054] Connection reset by peer" || end == "disconnected 0 OK") << end;
  EXPECT_EQ(log.Has("error 10054 Winsock error in recv()"), end != "disconnected 0 OK");
}

// A handler that closes the client as soon as the reset is told: the end is
// still told once, last, and as a plain close.
TEST_F(DataTest, AHandlerClosingAtTheResetEndsTheConnectionOnce) {
  Open("");
  client->OnError = [&](TLineClient& s, int code, const std::string& text) {
    log.entries.push_back("error " + std::to_string(code) + " " + text);
    s.SetConnected(false);
  };
  peer->Send("x");
  peer->Reset();
  ASSERT_TRUE(loop.RunUntil([&] { return !client->Connected(); }));
  EXPECT_TRUE(loop.RunUntilIdle());
  ExpectEndedOnce(log.entries);
  EXPECT_EQ(log.entries.back(), "disconnected 0 OK");
}

TEST_F(DataTest, AFastSenderCannotHoldTheLoop) {
  client->SetInBufferSize(1 << 20);
  Open("");
  std::size_t received = 0;
  std::size_t receivedWhenLoopRan = 0;
  client->OnDataIn = [&](TLineClient&, const std::string& text, bool) {
    if (received == 0) loop.Post([&] { receivedWhenLoopRan = received; });
    received += text.size();
  };
  const std::size_t total = 400 * 1024;
  peer->Send(std::string(total, 'z'));  // all of it waits in the client's socket
  ASSERT_TRUE(loop.RunUntil([&] { return received == total; }));
  EXPECT_GT(receivedWhenLoopRan, 0u);
  EXPECT_LT(receivedWhenLoopRan, total);
}

TEST_F(DataTest, AHandlerExceptionLeavesTheClientWorking) {
  Open("\n");
  client->OnDataIn = [&](TLineClient&, const std::string& text, bool) {
    log.entries.push_back(text);
    if (text == "bad") throw std::runtime_error("handler failed");
  };
  peer->Send("bad\ngood\n");
  EXPECT_THROW(loop.RunUntil([&] { return log.entries.size() >= 2; }), std::runtime_error);
  EXPECT_EQ(log.entries, (Log{"bad", "good"}));  // the pass finished first
  peer->Send("more\n");
  ASSERT_TRUE(loop.RunUntil([&] { return log.entries.size() == 3; }));
  EXPECT_EQ(log.entries.back(), "more");
}

}  // namespace
}  // namespace snpp::net
