#include <algorithm>
#include <functional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "fakes.h"

namespace snpp::test {
namespace {

struct Control : ::testing::Test, SendRig {
  Control() : SendRig(4444) {
    view.log = {"old line"};
    view.statusBar = "old error";
  }

  void Ticks(int n) {
    for (int i = 0; i < n; ++i) send.Timer1Timer();
  }
};

TEST_F(Control, SendStartsConnectingWithHostPortAndSingleLimit) {
  send.sendButtonClick();
  EXPECT_EQ(send.sendState(), SendState::Connecting);
  EXPECT_EQ(view.status, "CONNECTING...");
  EXPECT_EQ(view.log, std::vector<std::string>{"trying paging.test..."});
  EXPECT_EQ(view.statusBar, "");
  EXPECT_EQ(send.timeoutCount(), 10);
  EXPECT_FALSE(send.multiSend());
  EXPECT_EQ(send.messageText(), "hello");
  EXPECT_EQ(link.calls, (std::vector<std::string>{"port 4444", "host paging.test", "connect"}));
}

TEST_F(Control, SendWithCheckedNamesNeedsNoPagerNumberAndGetsTheLongLimit) {
  view.pagerNumber.clear();
  view.Check({"Ann, 1", "Bob, 2", "Cy, 3"});
  view.checked[1] = false;
  send.sendButtonClick();
  EXPECT_EQ(send.sendState(), SendState::Connecting);
  EXPECT_TRUE(send.multiSend());
  EXPECT_EQ(send.sendQueue(), (std::deque<std::string>{"Ann, 1", "Cy, 3"}));
  EXPECT_EQ(send.timeoutCount(), 30);
}

TEST_F(Control, SendWithAConditionUnmetOnlyClearsLogAndStatusBar) {
  const auto unmet = [this](auto&& setUp) {
    view.log = {"old line"};
    view.statusBar = "old error";
    view.status = "NONE";
    link.calls.clear();
    setUp();
    send.sendButtonClick();
    EXPECT_TRUE(view.log.empty());
    EXPECT_EQ(view.statusBar, "");
    EXPECT_EQ(view.status, "NONE");
    EXPECT_EQ(send.sendState(), SendState::Idle);
    EXPECT_TRUE(link.calls.empty());
    EXPECT_EQ(send.messageText(), view.message);
  };
  unmet([&] { view.message.clear(); });
  unmet([&] { view.message = "hi"; view.pagerNumber.clear(); });
  unmet([&] { view.pagerNumber = "1"; link.connected = true; });
}

TEST_F(Control, BlanksAreAMessage) {
  view.message = "   ";
  send.sendButtonClick();
  EXPECT_EQ(send.sendState(), SendState::Connecting);
}

TEST_F(Control, SendDuringASendChangesNothing) {
  send.sendButtonClick();
  link.ConnectOk();
  view.message = "other";
  view.Check({"Ann, 1"});
  const auto log = view.log;
  link.calls.clear();
  send.sendButtonClick();
  EXPECT_EQ(view.log, log);
  EXPECT_EQ(view.status, "CONNECTED...");
  EXPECT_EQ(send.messageText(), "hello");
  EXPECT_FALSE(send.multiSend());
  EXPECT_TRUE(link.calls.empty());
  EXPECT_EQ(send.sendState(), SendState::AwaitGreeting);
}

TEST_F(Control, ConnectResult) {
  send.sendButtonClick();
  link.ConnectOk();
  EXPECT_EQ(send.sendState(), SendState::AwaitGreeting);
  EXPECT_EQ(view.log.back(), "Connected");
  EXPECT_EQ(view.status, "CONNECTED...");

  link.Drop(0, "OK");
  send.sendButtonClick();
  send.clientSocketConnected(10061, "[10061] Connection refused");
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(send.timeoutCount(), 0);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_EQ(view.statusBar, "Error: [10061] Connection refused");
  send.sendButtonClick();  // the next Send clears the status bar again
  EXPECT_EQ(view.statusBar, "");
}

// A close or a reset before "SUCCESS" ends the send as a failure, told alike
// (Wine delivers a reset as a plain close); after "SUCCESS" the label stays.
TEST_F(Control, TheServerEndingTheConnectionBeforeSuccessIsAFailure) {
  const auto cutShort = [this](const std::function<void()>& end) {
    send.sendButtonClick();
    link.ConnectOk();
    link.DataIn("220 hi\r\n");
    link.DataIn("250 OK\r\n");
    end();
    EXPECT_EQ(send.sendState(), SendState::Idle);
    EXPECT_EQ(send.timeoutCount(), 0);
    EXPECT_EQ(view.status, "FAIL");
    EXPECT_EQ(view.statusBar, "Error: the server closed the connection");
    link.open = link.connected = false;
  };
  cutShort([&] { link.Drop(0, "OK"); });
  cutShort([&] { link.Drop(10054, "[10054] Connection reset by peer"); });
  cutShort([&] { link.DataIn("221 Bye\r\n"); });
  cutShort([&] {
    link.insideReceive = true;
    send.clientSocketError(10054, "Winsock error in recv()");
    link.insideReceive = false;
    EXPECT_TRUE(link.closePending);
  });

  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n250 OK\r\n250 OK\r\n250 OK\r\n");
  link.Drop(10054, "[10054] Connection reset by peer");
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(view.statusBar, "Error: [10054] Connection reset by peer");
}

TEST_F(Control, ReceiveErrorFailsAndLeavesTheCloseToTheLineClient) {
  send.sendButtonClick();
  link.ConnectOk();
  link.insideReceive = true;
  send.clientSocketError(10053, "Winsock error in recv()");
  link.insideReceive = false;
  EXPECT_TRUE(link.closePending);
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_EQ(view.statusBar, "Error: Winsock error in recv()");
}

TEST_F(Control, CancelClosesWithoutQuitAndANewSendWorksAtOnce) {
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  link.calls.clear();
  send.cancelSendButtonClick();
  EXPECT_EQ(link.calls, std::vector<std::string>{"close"});
  EXPECT_EQ(view.status, "CANCEL");
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(send.timeoutCount(), 0);
  send.sendButtonClick();
  EXPECT_EQ(send.sendState(), SendState::Connecting);
}

TEST_F(Control, CancelWhileIdleOnlyShowsCancel) {
  send.cancelSendButtonClick();
  EXPECT_EQ(view.status, "CANCEL");
  EXPECT_EQ(view.log, std::vector<std::string>{"old line"});
  EXPECT_EQ(view.statusBar, "old error");
  EXPECT_EQ(send.sendState(), SendState::Idle);
}

TEST_F(Control, TimeLimitEndsASingleSendAfter28To30Ticks) {
  for (int phase = 0; phase < 3; ++phase) {
    send.ResetSendState();
    link.open = link.connected = false;
    while (send.TickCount() != phase) send.Timer1Timer();
    send.sendButtonClick();
    link.ConnectOk();
    int ticks = 0;
    while (send.sendState() != SendState::Idle && ticks < 100) {
      send.Timer1Timer();
      ++ticks;
    }
    EXPECT_EQ(ticks, 30 - phase);
    EXPECT_EQ(view.status, "FAIL");
    EXPECT_EQ(link.calls.back(), "close");
    EXPECT_EQ(view.log.back(), "Connected");  // the limit logs nothing
  }
}

TEST_F(Control, TimeLimitOfSeveralRecipientsAndSuccessTurningIntoFail) {
  view.Check({"Ann, 1", "Bob, 2"});
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  for (int i = 0; i < 6; ++i) link.DataIn("250 OK\r\n");
  EXPECT_EQ(view.status, "SUCCESS");
  Ticks(87);
  EXPECT_EQ(send.sendState(), SendState::AwaitQuitReply);
  Ticks(3);
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(view.status, "FAIL");
  Ticks(30);  // no limit runs while idle
  EXPECT_EQ(view.status, "FAIL");
}

TEST_F(Control, NoticeScrollsAcrossThePanelAndWrapsToTheStart) {
  Ticks(5);
  EXPECT_EQ(view.noticeLeft, 4);  // empty notice stays put
  view.notice = "Hello";             // 30 pixels wide
  view.panelWidth = 50;
  send.Timer1Timer();
  EXPECT_EQ(view.noticeLeft, 8);
  Ticks(3);
  EXPECT_EQ(view.noticeLeft, 20);  // 20 + 30 is not below 50
  send.Timer1Timer();
  EXPECT_EQ(view.noticeLeft, 2);
  send.Timer1Timer();
  EXPECT_EQ(view.noticeLeft, 6);
}

// Each reply that takes the send further restarts its limit, so a gateway
// that takes 20 ticks for every SEND pages all eight names; once it falls
// silent the send still fails 88 to 90 ticks later. A repeated greeting only
// pages the same number again and buys no time.
TEST_F(Control, TheTimeLimitCountsFromTheLastReplyThatMovedTheSendOn) {
  std::vector<std::string> names;
  for (int i = 1; i <= 8; ++i) names.push_back("N" + std::to_string(i) + ", " + std::to_string(i));
  view.Check(names);
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  for (int i = 0; i < 8; ++i) {
    link.DataIn("250 OK\r\n250 OK\r\n");
    Ticks(20);
    link.DataIn("250 OK\r\n");
  }
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(std::count(view.log.begin(), view.log.end(), "MESSAGE SENT OK"), 8);
  Ticks(87);
  EXPECT_EQ(send.sendState(), SendState::AwaitQuitReply);
  Ticks(3);
  EXPECT_EQ(view.status, "FAIL");

  view.Check({});
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n250 OK\r\n");
  int ticks = 0;
  for (; send.sendState() != SendState::Idle && ticks < 100; ++ticks) {
    if (ticks % 5 == 0) link.DataIn("220 again\r\n250 OK\r\n");
    send.Timer1Timer();
  }
  EXPECT_LE(ticks, 30);
}

// After a send that did not page everyone, the log names each name that was
// not confirmed, and only the confirmed names lose their check mark.
TEST_F(Control, AnUnfinishedSendNamesWhoWasNotPagedAndUnchecksWhoWas) {
  struct Case {
    std::vector<std::string> replies;  // after the greeting
    std::function<void()> end;
    std::vector<std::string> tail;     // the log's last lines
  };
  const std::vector<std::string> none;
  const Case cases[] = {
      {{"250 OK\r\n", "250 OK\r\n", "250 OK\r\n", "550 Bad ID\r\n"}, [] {},
       {"Sending to: Bob, 2 ...", "FAIL, Send process terminated", "NOT SENT: Bob, 2", "NOT SENT: Bob, 2",
        "NOT SENT: Cy, 3"}},
      {{"250 OK\r\n", "250 OK\r\n", "250 OK\r\n", "250 OK\r\n", "250 OK\r\n"},
       [this] { send.cancelSendButtonClick(); },
       {"Sending to: Bob, 2 ...", "NOT CONFIRMED (may be paged): Bob, 2", "NOT SENT: Bob, 2",
        "NOT SENT: Cy, 3"}},
      {{"250 OK\r\n", "250 OK\r\n", "250 OK\r\n", "250 OK\r\n", "250 OK\r\n"},
       [this] { link.Drop(0, "OK"); },
       {"Sending to: Bob, 2 ...", "NOT CONFIRMED (may be paged): Bob, 2", "NOT SENT: Bob, 2",
        "NOT SENT: Cy, 3"}},
  };
  for (const Case& c : cases) {
    view.Check({"Ann, 1", "Bob, 2", "Bob, 2", "Cy, 3"});
    send.sendButtonClick();
    link.ConnectOk();
    link.DataIn("220 hi\r\n");
    for (const std::string& reply : c.replies) link.DataIn(reply);
    c.end();
    ASSERT_GE(view.log.size(), c.tail.size());
    EXPECT_EQ(std::vector<std::string>(view.log.end() - static_cast<long>(c.tail.size()), view.log.end()), c.tail);
    EXPECT_EQ(view.checked, (std::vector<bool>{false, true, true, true}));
    EXPECT_EQ(send.sendState(), SendState::Idle);
  }

  // One recipient: "FAIL" or "CANCEL" tells, unless its SEND went out.
  view.Check({});
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n250 OK\r\n250 OK\r\n");
  send.cancelSendButtonClick();
  EXPECT_EQ(view.log.back(), "NOT CONFIRMED (may be paged): 5551234");

  // A send that paged everyone leaves every mark, as does Cancel afterwards.
  view.Check({"Ann, 1", "Bob, 2"});
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  for (int i = 0; i < 6; ++i) link.DataIn("250 OK\r\n");
  send.cancelSendButtonClick();
  EXPECT_EQ(view.log.back(), "MESSAGE SENT OK");
  EXPECT_EQ(view.checked, (std::vector<bool>{true, true}));
}

// Throws from the chosen property write, as an unresolvable host does.
struct ThrowingLink : FakeLink {
  std::string failOn;
  void SetRemoteHost(const std::string& host) override {
    if (failOn == "host") throw std::runtime_error("11001: host not found");
    FakeLink::SetRemoteHost(host);
  }
  void SetConnected(bool value) override {
    if (value && failOn == "connect") throw std::runtime_error("10049: bad address");
    FakeLink::SetConnected(value);
  }
};

TEST(ControlErrors, ARefusedHostOrConnectEndsTheSendAtOnceAndStillReachesTheCaller) {
  for (const std::string failOn : {"host", "connect"}) {
    FakeView view;
    ThrowingLink link;
    link.failOn = failOn;
    SendController send(view, link, "nowhere.invalid", 444);
    link.controller = &send;
    view.message = "hi";
    view.pagerNumber = "1";
    EXPECT_THROW(send.sendButtonClick(), std::runtime_error);
    EXPECT_EQ(send.sendState(), SendState::Idle);
    EXPECT_EQ(send.timeoutCount(), 0);
    EXPECT_EQ(view.status, "FAIL");
    link.failOn.clear();
    send.sendButtonClick();
    EXPECT_EQ(send.sendState(), SendState::Connecting);
  }
}

}  // namespace
}  // namespace snpp::test
