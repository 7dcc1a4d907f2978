// The send against the real line client on the poll loop and the test
// server on 127.0.0.1. Waits run the loop until a condition holds; the time
// limit is driven by calling the timer handler, never by sleeping.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes.h"
#include "net/line_client.h"
#include "net/local_event_loop.h"
#include "paging/line_client_link.h"
#include "paging/snpp_protocol.h"
#include "loopback_socket.h"
#include "snpp_test_server.h"

namespace snpp::test {
namespace {

using snpp::testing::AcceptingScript;
using snpp::testing::GatewayRules;
using snpp::testing::GatewayScript;
using snpp::testing::PaddedGreeting;
using snpp::testing::SequenceScript;
using snpp::testing::ServerAction;
using snpp::testing::ServerScript;
using snpp::testing::SnppTestServer;
namespace sock = snpp::testing::sock;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const ServerAction kOk = ServerAction::Reply("250 OK\r\n");

struct EndToEnd : ::testing::Test {
  net::LocalEventLoop loop;
  net::TLineClient client{loop};
  LineClientLink link{client};
  FakeView view;
  std::unique_ptr<SnppTestServer> server;
  std::unique_ptr<SendController> send;

  EndToEnd() {
    view.message = "hello";
    view.pagerNumber = "5551234";
  }

  void Serve(ServerScript script = AcceptingScript(),
             std::string greeting = SnppTestServer::kDefaultGreeting) {
    send.reset();
    server = std::make_unique<SnppTestServer>(std::move(script), std::move(greeting));
    Use("127.0.0.1", server->Port());
  }
  void Use(const std::string& host, std::uint16_t port) {
    send = std::make_unique<SendController>(view, link, host, port);
    link.Attach(*send);
    send->ResetSendState();
  }
  bool RunUntil(const std::function<bool()>& done) {
    return loop.RunUntil(done, std::chrono::milliseconds(10000));
  }
  bool UntilState(SendState state) {
    return RunUntil([&] { return send->sendState() == state; });
  }
  bool UntilServerLines(std::size_t n) {
    return RunUntil([&] { return server->ReceivedLines().size() >= n; });
  }
  bool UntilServerClosed() {
    return RunUntil([&] { return server->ClosedConnections() >= server->Connections(); });
  }
  // Sends and waits until the send is over and the server saw the close.
  void SendToTheEnd() {
    send->sendButtonClick();
    ASSERT_TRUE(UntilState(SendState::Idle));
    ASSERT_TRUE(UntilServerClosed());
  }
  // Ticks until the send ends; returns how many ticks it took.
  int TicksUntilIdle(int most) {
    int ticks = 0;
    while (send->sendState() != SendState::Idle && ticks < most) {
      send->Timer1Timer();
      ++ticks;
      loop.RunOnce(std::chrono::milliseconds(0));
    }
    return ticks;
  }
};

TEST_F(EndToEnd, SingleRecipient) {
  Serve();
  SendToTheEnd();
  EXPECT_EQ(server->Received(), "PAGE 5551234\r\nMESS hello\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(view.log, (std::vector<std::string>{"trying 127.0.0.1...", "Connected"}));
  EXPECT_EQ(view.statusBar, "");
  EXPECT_EQ(send->timeoutCount(), 0);
}

TEST_F(EndToEnd, ThreeCheckedNamesOverOneConnection) {
  view.pagerNumber.clear();
  view.Check({"Ann, 111", "Bob, 22-2", "Cy, 333"});
  Serve();
  SendToTheEnd();
  EXPECT_EQ(server->Connections(), 1);
  EXPECT_EQ(server->Received(),
            "PAGE 111\r\nMESS hello\r\nSEND\r\n"
            "PAGE 222\r\nMESS hello\r\nSEND\r\n"
            "PAGE 333\r\nMESS hello\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(view.log, (std::vector<std::string>{
                          "trying 127.0.0.1...", "Connected", "Sending to: Ann, 111 ...",
                          "MESSAGE SENT OK", "Sending to: Bob, 22-2 ...", "MESSAGE SENT OK",
                          "Sending to: Cy, 333 ...", "MESSAGE SENT OK"}));
  EXPECT_EQ(view.status, "SUCCESS");
}

TEST_F(EndToEnd, FailureOnTheSecondSendStopsTheRest) {
  view.Check({"Ann, 1", "Bob, 2", "Cy, 3"});
  Serve(SequenceScript({kOk, kOk, kOk, kOk, kOk, ServerAction::Reply("554 Rejected\r\n")}));
  SendToTheEnd();
  EXPECT_EQ(server->Received(), "PAGE 1\r\nMESS hello\r\nSEND\r\nPAGE 2\r\nMESS hello\r\nSEND\r\n");
  ASSERT_GE(view.log.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(view.log.end() - 3, view.log.end()),
            (std::vector<std::string>{"FAIL, Send process terminated", "NOT SENT: Bob, 2", "NOT SENT: Cy, 3"}));
  EXPECT_EQ(view.status, "FAIL - 554 Rejected\r\n");
  EXPECT_EQ(view.statusBar, "554 Rejected\r\n");
  EXPECT_EQ(view.checked, (std::vector<bool>{false, true, true}));
}

TEST_F(EndToEnd, ServiceNotAvailableOnPageFails) {
  Serve(SequenceScript({ServerAction::Reply("421 Too busy\r\n")}));
  SendToTheEnd();
  EXPECT_EQ(server->Received(), "PAGE 5551234\r\n");
  EXPECT_EQ(view.status, "FAIL - 421 Too busy\r\n");
  EXPECT_EQ(view.statusBar, "421 Too busy\r\n");
}

TEST_F(EndToEnd, ClosingReplyBeforeTheSendIsDoneIsAFailure) {
  const ServerAction bye = ServerAction::Reply("221 Bye\r\n");
  Serve(AcceptingScript(), "221 Not today\r\n");
  SendToTheEnd();
  EXPECT_EQ(server->Received(), "");
  EXPECT_EQ(view.status, "FAIL");
  for (std::size_t at = 0; at < 3; ++at) {
    std::vector<ServerAction> script(at, kOk);
    script.push_back(bye);
    Serve(SequenceScript(script));
    SendToTheEnd();
    EXPECT_EQ(server->ReceivedLines().size(), at + 1);
    EXPECT_EQ(view.status, "FAIL");
    EXPECT_EQ(view.statusBar, "Error: the server closed the connection");
  }
}

TEST_F(EndToEnd, HelpRepliesAreIgnored) {
  Serve(SequenceScript({kOk, ServerAction::Reply("214 Help text\r\n")}));
  send->sendButtonClick();
  ASSERT_TRUE(UntilServerLines(2));
  loop.RunFor(std::chrono::milliseconds(50));
  EXPECT_EQ(send->sendState(), SendState::AwaitMessReply);
  send->cancelSendButtonClick();
  ASSERT_TRUE(UntilServerClosed());
  Serve(SequenceScript({ServerAction::Reply("218 Something\r\n")}));
  send->sendButtonClick();
  ASSERT_TRUE(UntilServerLines(1));
  loop.RunFor(std::chrono::milliseconds(50));
  EXPECT_EQ(send->sendState(), SendState::AwaitPageReply);
  EXPECT_EQ(server->Received(), "PAGE 5551234\r\n");
  send->cancelSendButtonClick();
}

TEST_F(EndToEnd, GreetingNotices) {
  const std::string fifty(50, 'n');
  const std::pair<std::string, std::string> cases[] = {
      {"220 \x02Hello\r\n", "Hello"},
      {"220 2Hello\r\n", ""},
      {"220 \x02" + fifty + "\r\n", std::string(40, 'n')},
      {"220 \x02Hello", "Hell"},
      {"220 \x02H", ""},
  };
  for (const auto& [greeting, notice] : cases) {
    view.notice.clear();
    Serve(AcceptingScript(), greeting);
    SendToTheEnd();
    EXPECT_EQ(view.notice, notice) << greeting;
    EXPECT_EQ(view.status, "SUCCESS") << greeting;
  }
}

TEST_F(EndToEnd, ServerThatNeverGreetsFailsWithinTheLimit) {
  Serve(AcceptingScript(), "");
  send->sendButtonClick();
  ASSERT_TRUE(UntilState(SendState::AwaitGreeting));
  const int single = TicksUntilIdle(200);
  EXPECT_GE(single, 28);
  EXPECT_LE(single, 30);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_TRUE(UntilServerClosed());

  view.Check({"Ann, 1", "Bob, 2"});
  send->sendButtonClick();
  ASSERT_TRUE(UntilState(SendState::AwaitGreeting));
  const int multi = TicksUntilIdle(200);
  EXPECT_GE(multi, 88);
  EXPECT_LE(multi, 90);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_EQ(server->Received(), "");
}

TEST_F(EndToEnd, SuccessWithoutAnAnswerToQuitTurnsIntoFail) {
  Serve(SequenceScript({kOk, kOk, kOk, ServerAction::Silence()}));
  send->sendButtonClick();
  ASSERT_TRUE(UntilState(SendState::AwaitQuitReply));
  EXPECT_EQ(view.status, "SUCCESS");
  const int ticks = TicksUntilIdle(200);
  EXPECT_LE(ticks, 30);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_TRUE(UntilServerClosed());
}

TEST_F(EndToEnd, CancelDuringASendAndWhileIdle) {
  Serve(SequenceScript({ServerAction::Silence()}));
  send->sendButtonClick();
  ASSERT_TRUE(UntilServerLines(1));
  send->cancelSendButtonClick();
  EXPECT_EQ(view.status, "CANCEL");
  EXPECT_EQ(send->sendState(), SendState::Idle);
  ASSERT_TRUE(UntilServerClosed());
  EXPECT_EQ(server->Received(), "PAGE 5551234\r\n");  // no QUIT

  send->sendButtonClick();  // a new send starts at once
  EXPECT_EQ(view.status, "CONNECTING...");
  ASSERT_TRUE(UntilServerLines(2));
  send->cancelSendButtonClick();
  ASSERT_TRUE(UntilServerClosed());

  const auto log = view.log;
  send->cancelSendButtonClick();
  EXPECT_EQ(view.status, "CANCEL");
  EXPECT_EQ(view.log, log);
}

// A close and a reset look alike to the user, as they must: Wine reports a
// peer's reset as a plain close.
TEST_F(EndToEnd, ServerDroppingTheConnectionMidSendIsAFailure) {
  for (const ServerAction& drop : {ServerAction::Close(), ServerAction::Reset()}) {
    view.Check({"Ann, 1", "Bob, 2"});
    Serve(SequenceScript({kOk, kOk, kOk, kOk, kOk, drop}));
    SendToTheEnd();
    EXPECT_EQ(view.status, "FAIL");
    EXPECT_EQ(view.statusBar, "Error: the server closed the connection");
    EXPECT_EQ(view.log.back(), "NOT CONFIRMED (may be paged): Bob, 2");
    EXPECT_EQ(view.checked, (std::vector<bool>{false, true}));
    EXPECT_EQ(send->timeoutCount(), 0);
    EXPECT_EQ(server->Received(), "PAGE 1\r\nMESS hello\r\nSEND\r\nPAGE 2\r\nMESS hello\r\nSEND\r\n");
  }
}

TEST_F(EndToEnd, RefusedConnection) {
  // A port that was free a moment ago has no listener.
  Use("127.0.0.1", snpp::testing::sock::UnusedPort());
  send->sendButtonClick();
  ASSERT_TRUE(UntilState(SendState::Idle));
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_THAT(view.statusBar, StartsWith("Error: "));
  EXPECT_THAT(view.statusBar, HasSubstr("10061"));
  EXPECT_FALSE(client.Connected());
}

TEST_F(EndToEnd, ReplyCutInTwoByTheNetwork) {
  for (std::size_t at : {2u, 5u}) {
    Serve(SequenceScript({ServerAction::Split("250 OK\r\n", at)}));
    std::vector<std::string> pieces;
    client.OnDataIn = [&pieces, inner = client.OnDataIn](net::TLineClient& sender,
                                                         const std::string& text, bool eol) {
      pieces.push_back(text);
      inner(sender, text, eol);
    };
    SendToTheEnd();
    EXPECT_EQ(pieces.at(1), std::string("250 OK\r\n", at));  // really two reads
    EXPECT_EQ(view.status, "SUCCESS") << at;
    EXPECT_EQ(server->Received(), "PAGE 5551234\r\nMESS hello\r\nSEND\r\nQUIT\r\n");
  }
}

TEST_F(EndToEnd, LineBreaksCannotInjectCommands) {
  view.message = "see you\r\nQUIT\r\nPAGE 666";
  view.pagerNumber = "12\nSEND";
  Serve();
  SendToTheEnd();
  EXPECT_EQ(server->ReceivedLines(), (std::vector<std::string>{
                                         "PAGE 12 SEND", "MESS see you QUIT PAGE 666", "SEND",
                                         "QUIT"}));
}

TEST_F(EndToEnd, UnresolvableHostEndsTheSendAtOnce) {
  Use("no-such-host.invalid", 444);
  EXPECT_THROW(send->sendButtonClick(), std::runtime_error);
  EXPECT_EQ(send->sendState(), SendState::Idle);
  EXPECT_EQ(send->timeoutCount(), 0);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_EQ(view.log, std::vector<std::string>{"trying no-such-host.invalid..."});
}

TEST_F(EndToEnd, WhatAGatewayRefusesIsShownToTheUser) {
  struct Case {
    GatewayRules rules;
    std::string message;
    std::string status;
  };
  GatewayRules ids, length, login;
  ids.checkPagerIds = true;
  length.maxMessageLength = 160;
  login.requireLogin = true;
  const Case cases[] = {
      {ids, "hello", "FAIL - 550 Error, invalid pager ID\r\n"},
      {length, std::string(400, 'm'), "FAIL - 550 Error, message too long\r\n"},
      {login, "hello", "FAIL - 530 Login required\r\n"},
  };
  for (const Case& c : cases) {
    view.message = c.message;
    view.Check({"Ann, 111", "Nobody, none"});
    Serve(GatewayScript(c.rules));
    SendToTheEnd();
    EXPECT_EQ(view.status, c.status);
    EXPECT_EQ(view.statusBar, c.status.substr(7));
    EXPECT_THAT(view.log, ::testing::Contains("FAIL, Send process terminated"));
    EXPECT_EQ(send->sendState(), SendState::Idle);
  }
}

TEST_F(EndToEnd, ASlowChattyGatewayWithALongGreetingPagesEveryone) {
  GatewayRules rules;
  rules.sendDelayMs = 150;
  rules.infoBeforeReplies = true;
  rules.checkPagerIds = true;
  view.Check({"Ann, 111", "Bob, 222", "Cy, 333"});
  Serve(GatewayScript(rules), PaddedGreeting("gateway ready", 5000));
  SendToTheEnd();
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "MESSAGE SENT OK"), 3);
  EXPECT_EQ(server->ReceivedLines().back(), "QUIT");
}

// A gateway that takes its time over every SEND pages all 25 names: the
// limit runs from the last reply, not from Send. One tick per 10 ms here
// makes the whole-send limit 0.9 s while each SEND takes 50 ms.
TEST_F(EndToEnd, AGatewaySlowToAnswerEachSendIsNotCutShort) {
  GatewayRules rules;
  rules.sendDelayMs = 50;
  std::vector<std::string> names;
  for (int i = 10; i < 35; ++i) names.push_back("Name " + std::to_string(i) + ", 5550" + std::to_string(i));
  view.Check(names);
  Serve(GatewayScript(rules));
  send->sendButtonClick();
  const auto start = std::chrono::steady_clock::now();
  int ticks = 0;
  while (send->sendState() != SendState::Idle && ticks < 3000) {
    loop.RunFor(std::chrono::milliseconds(5));
    while (ticks < (std::chrono::steady_clock::now() - start) / std::chrono::milliseconds(10)) {
      send->Timer1Timer();
      ++ticks;
    }
  }
  EXPECT_GT(ticks, 90);  // longer than the limit of the whole send
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "MESSAGE SENT OK"), 25);
  EXPECT_EQ(server->ReceivedLines().back(), "QUIT");
}

// A gateway that reads 511 bytes of a line: a message that does not fit one
// MESS line goes as DATA text, each line whole, and arrives as typed (a long
// line broken after a blank).
TEST_F(EndToEnd, ALongMessageGoesWithDataAndNoLineIsCut) {
  std::string message;
  for (int i = 0; i < 100; ++i) message += "word" + std::to_string(i % 10) + " ";
  message += "\r\n.QUIT\r\n" + std::string(380, 'x');
  view.message = message;
  view.Check({"Ann, 111", "Bob, 222"});
  Serve(GatewayScript(GatewayRules{}));
  server->SetLineLimit(kMaxCommandLine + 1);
  SendToTheEnd();
  EXPECT_EQ(view.status, "SUCCESS");
  const std::vector<std::string> lines = server->ReceivedLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "DATA"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "QUIT"), 1);  // the message's ".QUIT" is text
  const std::string arrived = message.substr(0, 504) + "\n" + message.substr(504, 96) + "\n.QUIT\n" +
                              std::string(380, 'x');
  ASSERT_EQ(server->Delivered().size(), 2u);
  for (const auto& page : server->Delivered()) EXPECT_EQ(page.text.substr(0, arrived.size()), arrived);
}

// A server that never reads and answers "250 OK" every millisecond: the
// client's send buffer fills, and the send must end once, not write on.
TEST_F(EndToEnd, AServerThatStopsReadingEndsTheSendOnce) {
  std::uint16_t port = 0;
  const sock::Handle listener = sock::Listen(0, &port, 1);
  ASSERT_NE(listener, sock::kNone);
  sock::SetReceiveBuffer(listener, 1024);
  std::atomic<bool> stop{false};
  std::thread flood([&] {
    const sock::Handle fd = sock::Accept(listener);
    if (fd == sock::kNone) return;
    sock::Send(fd, "220 hi\r\n", 8);
    while (!stop && sock::Send(fd, "250 OK\r\n", 8) > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    sock::Close(fd);
  });

  std::vector<std::string> names;
  for (int i = 0; i < 200; ++i) names.push_back("Name " + std::to_string(i) + ", 555" + std::to_string(i));
  view.Check(names);
  view.message = std::string(500, 'x');  // as long as fits one MESS line
  Use("127.0.0.1", port);
  send->sendButtonClick();
  int errors = 0;
  const auto turnUntil = [&](std::chrono::milliseconds span, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (!done() && std::chrono::steady_clock::now() < end) {
      try {
        loop.RunOnce(std::chrono::milliseconds(10));
      } catch (const std::exception& e) {
        ++errors;
        EXPECT_THAT(e.what(), StartsWith("10035: "));
      }
    }
  };
  turnUntil(std::chrono::seconds(10),
            [&] { return send->sendState() == SendState::Idle && !client.Connected(); });
  turnUntil(std::chrono::milliseconds(100), [] { return false; });  // late replies write nothing
  stop = true;
  flood.join();
  sock::Close(listener);
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(send->sendState(), SendState::Idle);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_THAT(view.statusBar, StartsWith("Error: 10035: "));
}

}  // namespace
}  // namespace snpp::test
