#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net_test_support.h"

namespace snpp::net {
namespace {

using testing::EventLog;
using testing::NetTest;
using testing::Peer;

int DataOutCode(TLineClient& c, const std::string& text) {
  try {
    c.SetDataOut(text);
    return 0;
  } catch (const ELineClient& e) {
    return e.Code();
  }
}

TEST_F(NetTest, DataOutNeedsAnOpenConnection) {
  Peer peer;
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  EXPECT_EQ(DataOutCode(c, "PAGE 1\r\n"), 10057);
  EXPECT_EQ(DataOutCode(c, ""), 10057);
  ConnectTo(c, peer, log);
  EXPECT_EQ(DataOutCode(c, ""), 0);
  const std::string withZero("MESS a\0b\r\n", 10);
  EXPECT_EQ(DataOutCode(c, withZero), 0);
  EXPECT_EQ(peer.Receive(loop, withZero.size()), withZero);
  c.SetConnected(false);
  EXPECT_EQ(DataOutCode(c, "QUIT\r\n"), 10057);
  EXPECT_EQ(peer.WaitForEnd(loop), 0);
}

TEST_F(NetTest, ASendTakenInPartFailsAndReadyToSendFollows) {
  Peer peer;
  peer.SetReceiveBuffer(4096);
  TLineClient c(loop);
  EventLog log;
  log.Attach(c);
  c.SetOutBufferSize(4096);
  ConnectTo(c, peer, log);
  const std::string big(4 << 20, 'p');
  try {
    c.SetDataOut(big);
    ADD_FAILURE() << "the whole text was taken";
  } catch (const ELineClient& e) {
    EXPECT_EQ(e.Code(), 10035);
    EXPECT_STREQ(e.what(), "10035: [10035] Operation would block");
  }
  EXPECT_TRUE(c.Connected());
  EXPECT_FALSE(log.Has("ready"));
  const std::string got = peer.Receive(loop, 1);  // room frees up on the client
  EXPECT_FALSE(got.empty());
  ASSERT_TRUE(loop.RunUntil([&] {
    peer.Drain();
    return log.Has("ready");
  }));
  EXPECT_EQ(DataOutCode(c, "QUIT\r\n"), 0);
}

}  // namespace
}  // namespace snpp::net
