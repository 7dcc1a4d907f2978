#include <gtest/gtest.h>

#include "fakes.h"

namespace snpp::test {
namespace {

struct Dialogue : ::testing::Test, SendRig {
  Dialogue() : SendRig(444) {}

  // Walks a single-recipient send up to the given state.
  void DriveTo(SendState target) {
    const SendState path[] = {SendState::Idle,           SendState::Connecting,
                              SendState::AwaitGreeting,  SendState::AwaitPageReply,
                              SendState::AwaitMessReply, SendState::AwaitSendReply,
                              SendState::AwaitQuitReply};
    for (SendState step : path) {
      if (send.sendState() == target) break;
      switch (step) {
        case SendState::Idle: send.sendButtonClick(); break;
        case SendState::Connecting: link.ConnectOk(); break;
        case SendState::AwaitGreeting: link.DataIn("220 ready\r\n"); break;
        default: link.DataIn("250 OK\r\n"); break;
      }
    }
    ASSERT_EQ(send.sendState(), target);
    link.calls.clear();
    link.written.clear();
  }
};

TEST_F(Dialogue, SingleRecipientExchange) {
  DriveTo(SendState::AwaitGreeting);
  view.pagerNumber = "777";  // read when the greeting comes, not at Send
  link.DataIn("220 ready\r\n");
  link.DataIn("250 OK\r\n");
  link.DataIn("250 OK\r\n");
  EXPECT_EQ(view.status, "CONNECTED...");
  link.DataIn("250 OK\r\n");
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(send.sendState(), SendState::AwaitQuitReply);
  link.DataIn("221 bye\r\n");
  EXPECT_EQ(link.written, "PAGE 777\r\nMESS hello\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(send.timeoutCount(), 0);
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(view.log, (std::vector<std::string>{"trying paging.test...", "Connected"}));
}

// One row per input, checked in every one of the seven states.
class DialogueTable : public Dialogue, public ::testing::WithParamInterface<int> {
 protected:
  SendState State() const { return static_cast<SendState>(GetParam()); }
};

TEST_P(DialogueTable, GreetingWritesPageAndAwaitsItsReply) {
  DriveTo(State());
  link.DataIn("220 again\r\n");
  EXPECT_EQ(link.written, "PAGE 5551234\r\n");
  EXPECT_EQ(send.sendState(), SendState::AwaitPageReply);
}

TEST_P(DialogueTable, AcceptedAdvancesOnlyWhereACommandWaits) {
  DriveTo(State());
  const std::string statusBefore = view.status;
  link.DataIn("250 OK\r\n");
  switch (State()) {
    case SendState::AwaitPageReply:
      EXPECT_EQ(link.written, "MESS hello\r\n");
      EXPECT_EQ(send.sendState(), SendState::AwaitMessReply);
      break;
    case SendState::AwaitMessReply:
      EXPECT_EQ(link.written, "SEND\r\n");
      EXPECT_EQ(send.sendState(), SendState::AwaitSendReply);
      break;
    case SendState::AwaitSendReply:
      EXPECT_EQ(link.written, "QUIT\r\n");
      EXPECT_EQ(view.status, "SUCCESS");
      EXPECT_EQ(send.sendState(), SendState::AwaitQuitReply);
      break;
    default:
      EXPECT_EQ(link.written, "");
      EXPECT_EQ(view.status, statusBefore);
      EXPECT_EQ(send.sendState(), State());
  }
}

TEST_P(DialogueTable, ClosingReplyClosesAndKeepsTheStatus) {
  DriveTo(State());
  const std::string statusBefore = view.status;
  link.DataIn("221 bye\r\n");
  EXPECT_EQ(link.calls, std::vector<std::string>{"close"});
  EXPECT_EQ(view.status, statusBefore);
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(send.timeoutCount(), 0);
}

TEST_P(DialogueTable, FailureRepliesEndTheSend) {
  for (const std::string reply : {"554 Unknown pager\r\n", "421 Shutting down\r\n", "5\r\n"}) {
    view.log.clear();
    view.statusBar.clear();
    send.ResetSendState();
    DriveTo(State());
    view.log.clear();
    link.DataIn(reply);
    EXPECT_EQ(view.log, std::vector<std::string>{"FAIL, Send process terminated"});
    EXPECT_EQ(view.status, "FAIL - " + reply);
    EXPECT_EQ(view.statusBar, reply);
    EXPECT_EQ(link.calls, std::vector<std::string>{"close"});
    EXPECT_EQ(send.sendState(), SendState::Idle);
    EXPECT_EQ(send.timeoutCount(), 0);
  }
}

TEST_P(DialogueTable, OtherRepliesChangeNothing) {
  DriveTo(State());
  const std::string statusBefore = view.status;
  const auto logBefore = view.log;
  for (const std::string reply : {"214 help\r\n", "218\r\n", "", "22", "ok", "\x02"}) {
    link.DataIn(reply);
  }
  EXPECT_TRUE(link.calls.empty());
  EXPECT_EQ(send.sendState(), State());
  EXPECT_EQ(view.status, statusBefore);
  EXPECT_EQ(view.log, logBefore);
}

INSTANTIATE_TEST_SUITE_P(AllStates, DialogueTable, ::testing::Range(1, 8));

TEST_F(Dialogue, ThreeCheckedNamesArePagedInListOrderOverOneConnection) {
  view.pagerNumber.clear();
  view.Check({"Ann, 111", "Bob, 22-2", "Cy, 3 3 3"});
  view.checked[1] = true;
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  for (int i = 0; i < 9; ++i) link.DataIn("250 OK\r\n");
  link.DataIn("221 bye\r\n");
  EXPECT_EQ(link.written,
            "PAGE 111\r\nMESS hello\r\nSEND\r\n"
            "PAGE 222\r\nMESS hello\r\nSEND\r\n"
            "PAGE 333\r\nMESS hello\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(view.log, (std::vector<std::string>{
                          "trying paging.test...", "Connected", "Sending to: Ann, 111 ...",
                          "MESSAGE SENT OK", "Sending to: Bob, 22-2 ...", "MESSAGE SENT OK",
                          "Sending to: Cy, 3 3 3 ...", "MESSAGE SENT OK"}));
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_EQ(send.sendState(), SendState::Idle);
}

TEST_F(Dialogue, SecondGreetingConsumesTheNextQueuedEntryAndAnEmptyQueueWritesNothing) {
  view.Check({"Ann, 1", "Kim, "});
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  link.DataIn("220 again\r\n");  // an entry without digits pages an empty ID
  link.DataIn("220 and again\r\n");
  EXPECT_EQ(link.written, "PAGE 1\r\nPAGE \r\n");
  EXPECT_EQ(send.sendState(), SendState::AwaitPageReply);
}

TEST_F(Dialogue, AReplyCodeCutByTheNetworkIsJoinedWithItsRest) {
  DriveTo(SendState::AwaitPageReply);
  link.DataIn("25");
  EXPECT_EQ(link.written, "");
  link.DataIn("0 OK\r\n");
  EXPECT_EQ(link.written, "MESS hello\r\n");
  link.DataIn("2");
  link.DataIn("5");
  link.DataIn("0");
  EXPECT_EQ(send.sendState(), SendState::AwaitSendReply);
  link.DataIn("250 O");  // cut after the code: the code alone decides
  link.DataIn("K\r\n");
  EXPECT_EQ(link.written, "MESS hello\r\nSEND\r\nQUIT\r\n");

  // A line end is never the start of a code, and a fragment does not
  // outlive its connection.
  send.ResetSendState();
  DriveTo(SendState::AwaitPageReply);
  link.DataIn("\r\n");
  link.DataIn("250 OK\r\n");
  EXPECT_EQ(link.written, "MESS hello\r\n");
  link.DataIn("55");
  link.Drop(0, "OK");
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  EXPECT_EQ(send.sendState(), SendState::AwaitPageReply);
}

TEST_F(Dialogue, NoticeOfTheGreetingIsShownAndAGreetingWithoutOneKeepsTheLabel) {
  DriveTo(SendState::AwaitGreeting);
  link.DataIn("220 \x02Hello\r\n");
  EXPECT_EQ(view.notice, "Hello");
  link.DataIn("220 plain\r\n");
  link.DataIn("220 \x02\r\n");
  EXPECT_EQ(view.notice, "Hello");
}

}  // namespace
}  // namespace snpp::test
