// The test server answers as a deployed gateway does, over a real connection.
#include <chrono>
#include <memory>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "snpp_peer.h"
#include "snpp_test_server.h"

namespace snpp::testing {
namespace {

using ::testing::ElementsAre;

const char kJobDone[] = "250 Message processing completed.";
const char kTextOk[] = "250 Message text OK.";

struct Gateway : ::testing::Test {
  std::unique_ptr<SnppTestServer> server;
  std::unique_ptr<SnppClient> client;

  void Start(GatewayRules rules = {}, std::size_t lineLimit = 0) {
    client.reset();
    server = std::make_unique<SnppTestServer>(GatewayScript(rules));
    server->SetLineLimit(lineLimit);
    Connect();
  }
  void Connect() {
    client = std::make_unique<SnppClient>(server->Port());
    ASSERT_EQ(client->Greeting(), "220 SNPP test server ready");
  }
  std::string Say(const std::string& line) { return client->Say(line); }
};

TEST_F(Gateway, SeveralPagesBeforeOneSendAreOneJobForEveryAcceptedId) {
  Start({.checkPagerIds = true});
  EXPECT_EQ(Say("PAGE 111"), "250 Pager ID accepted; jobid: 1");
  EXPECT_EQ(Say("PAGE 2x2"), "550 Error, invalid pager ID");
  EXPECT_EQ(Say("PAGE 333"), "250 Pager ID accepted; jobid: 2");
  EXPECT_EQ(Say("MESS hi there"), kTextOk);
  EXPECT_EQ(Say("SEND"), kJobDone);
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"111", "hi there"}, DeliveredPage{"333", "hi there"}));

  // The job is over: the next one starts empty, and job numbers count on.
  EXPECT_EQ(Say("SEND"), "503 Error, no pager ID specified with PAGE.");
  EXPECT_EQ(Say("PAGE 444"), "250 Pager ID accepted; jobid: 3");
  EXPECT_EQ(Say("SEND"), "503 Error, no message specified with MESS or DATA.");
  EXPECT_EQ(server->Delivered().size(), 2u);
}

TEST_F(Gateway, DataTakesLinesUpToALoneDotAndUndoesADoubledDot) {
  Start();
  EXPECT_EQ(Say("PAGE 5551234"), "250 Pager ID accepted; jobid: 1");
  EXPECT_EQ(Say("DATA"), "354 Begin message input; end with <CRLF>'.'<CRLF>.");
  client->Write("disk full\r\n..on db1\r\n.x\r\n");
  EXPECT_EQ(Say("."), kTextOk);
  EXPECT_EQ(Say("DATA"), "503 Error, message already entered.");
  EXPECT_EQ(Say("MESS again"), "503 Error, message already entered.");
  EXPECT_EQ(Say("SEND"), kJobDone);
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"5551234", "disk full\n.on db1\n.x"}));

  // The kind script takes DATA too.
  server = std::make_unique<SnppTestServer>(AcceptingScript());
  Connect();
  EXPECT_EQ(Say("DATA"), "354 Begin message input; end with <CRLF>'.'<CRLF>.");
  client->Write("SEND\r\n");
  EXPECT_EQ(Say("."), kTextOk);
}

// As soon as the text passes the limit the input ends: what follows is
// read as commands again.
TEST_F(Gateway, DataOverTheMessageLimitIsRefusedAtOnce) {
  Start({.maxMessageLength = 12});
  Say("PAGE 1");
  Say("DATA");
  client->Write("0123456\r\n");
  EXPECT_EQ(Say("89abcd"), "550 Error, message too long");
  EXPECT_EQ(Say("."), "500 .: Command not recognized.");
  EXPECT_EQ(Say("SEND"), "503 Error, no message specified with MESS or DATA.");
  EXPECT_TRUE(server->Delivered().empty());
}

TEST_F(Gateway, EmptyCommandsAndUnknownOnesGet500) {
  Start();
  EXPECT_EQ(Say("MESS"), "500 'MESS': Syntax error, expecting <SP>.");
  EXPECT_EQ(Say("MESS "), "500 'MESS ': Syntax error, expecting <STRING>.");
  EXPECT_EQ(Say("PAGE"), "500 'PAGE': Syntax error, expecting <SP>.");
  EXPECT_EQ(Say("LOGI"), "500 'LOGI': Syntax error, expecting <SP>.");
  EXPECT_EQ(Say(""), "500 '': Syntax error, expecting command token.");
  EXPECT_EQ(Say("site help"), "500 SITE: Command not recognized.");

  server = std::make_unique<SnppTestServer>(AcceptingScript());
  Connect();
  EXPECT_EQ(Say("MESS"), "500 'MESS': Syntax error, expecting <STRING>.");
  EXPECT_EQ(Say("RESE"), "220 SNPP test server ready");
}

TEST_F(Gateway, ResetGreetsAfreshDropsTheJobAndLogsOutWhenTold) {
  for (const bool logsOut : {false, true}) {
    Start({.requireLogin = true, .resetLogsOut = logsOut});
    EXPECT_EQ(Say("PAGE 1"), "530 Login required");
    EXPECT_EQ(Say("LOGI pager s3cret"), "250 User pager logged in.");
    EXPECT_EQ(Say("PAGE 1"), "250 Pager ID accepted; jobid: 1");
    EXPECT_EQ(Say("MESS hi"), kTextOk);
    EXPECT_EQ(Say("RESE"), "220 SNPP test server ready");
    EXPECT_EQ(Say("SEND"), logsOut ? "530 Login required" : "503 Error, no pager ID specified with PAGE.");
    EXPECT_TRUE(server->Delivered().empty());
  }
}

// A line of 510 bytes and CR LF does not fit in 511: its LF alone is the
// next command. A longer line's rest is a command of its own.
TEST_F(Gateway, ALineLimitCutsLongLinesAndAnswersTheRest) {
  Start({}, 512);
  Say("PAGE 1");
  EXPECT_EQ(Say("MESS " + std::string(506, 'x') + std::string(94, 'y')), kTextOk);
  EXPECT_EQ(client->Line(), "500 " + std::string(94, 'Y') + ": Command not recognized.");
  EXPECT_EQ(Say("SEND"), kJobDone);
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"1", std::string(506, 'x')}));

  const std::string fits(509, 'F');
  EXPECT_EQ(Say(fits), "500 " + fits + ": Command not recognized.");
  const std::string oneOver(510, 'F');
  EXPECT_EQ(Say(oneOver), "500 " + oneOver + ": Command not recognized.");
  EXPECT_EQ(client->Line(), "500 '': Syntax error, expecting command token.");
  EXPECT_EQ(Say("LEVE 1"), "250 OK");
}

// The gateway pages when it takes the SEND, whether or not the client waits
// for the reply: a client that leaves meanwhile cannot say the page failed.
TEST_F(Gateway, APageIsDeliveredWhenTheClientLeavesDuringASlowSend) {
  Start({.sendDelayMs = 300});
  Say("PAGE 5551234");
  Say("MESS hello");
  client->Write("SEND\r\n");
  client->Close();
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (server->Delivered().empty() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"5551234", "hello"}));
}

}  // namespace
}  // namespace snpp::testing
