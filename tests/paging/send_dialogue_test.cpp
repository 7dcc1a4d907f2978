#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

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

// Before "SUCCESS" a closing server ends the send unfinished: a failure.
TEST_P(DialogueTable, ClosingReplyClosesAndFailsAnUnfinishedSend) {
  DriveTo(State());
  const std::string statusBefore = view.status;
  const bool unfinished = State() != SendState::Idle && State() != SendState::AwaitQuitReply;
  link.DataIn("221 bye\r\n");
  EXPECT_EQ(link.calls, std::vector<std::string>{"close"});
  EXPECT_EQ(view.status, unfinished ? "FAIL" : statusBefore);
  EXPECT_EQ(view.statusBar, unfinished ? "Error: the server closed the connection" : "");
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
    std::vector<std::string> log{"FAIL, Send process terminated"};
    // A SEND refused outright was not paged; after "421" it may have been.
    if (State() == SendState::AwaitSendReply && reply[0] == '4') {
      log.push_back("NOT CONFIRMED (may be paged): 5551234");
    }
    EXPECT_EQ(view.log, log);
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
  link.DataIn("250 OK\r\n250 OK\r\n250 OK\r\n");
  EXPECT_EQ(send.sendState(), SendState::AwaitQuitReply);
  link.DataIn("220 late greeting\r\n");  // nothing to page: QUIT stays the last command
  link.DataIn("250 OK\r\n");
  EXPECT_EQ(link.written, "PAGE 1\r\nPAGE \r\nMESS hello\r\nSEND\r\nQUIT\r\n");
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
  link.DataIn("42");
  link.Drop(0, "OK");
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 hi\r\n");
  EXPECT_EQ(send.sendState(), SendState::AwaitPageReply);
}

TEST_F(Dialogue, EveryReplyLineOfAReadIsActedOnInOrder) {
  struct Case {
    std::vector<std::string> reads;  // after the greeting, in AwaitPageReply
    std::string written;
    std::string status;
  };
  const std::string longTail(3000, '.');
  const Case cases[] = {
      {{"214 Gateway PAGE noted\r\n250 OK\r\n"}, "MESS hello\r\n", "CONNECTED..."},
      {{"250 OK\r\n250 OK\r\n250 OK\r\n221 Bye\r\n"}, "MESS hello\r\nSEND\r\nQUIT\r\n", "SUCCESS"},
      {{"554 No\r\n250 OK\r\n"}, "", "FAIL - 554 No\r\n"},  // nothing after a failure
      {{"5"}, "", "FAIL - 5"},
      {{"2", "554 Rejected\r\n"}, "", "FAIL - 554 Rejected\r\n"},
      {{"2", "500 Nope\r\n"}, "", "FAIL - 500 Nope\r\n"},
      {{"4", "21 Busy\r\n"}, "", "FAIL - 421 Busy\r\n"},
      {{"250 OK"}, "MESS hello\r\n", "CONNECTED..."},  // no line end at all
      {{longTail + "\r\n250 OK\r\n"}, "MESS hello\r\n", "CONNECTED..."},
      {{"250 in", " 5 minutes\r\n", "5"}, "MESS hello\r\n", "FAIL - 5"},  // rest, then a reply
  };
  for (const Case& c : cases) {
    send.ResetSendState();
    link.Drop(0, "OK");
    DriveTo(SendState::AwaitGreeting);
    view.status = "CONNECTED...";
    link.DataIn("220 ready\r\n");
    link.written.clear();
    for (const std::string& read : c.reads) link.DataIn(read);
    EXPECT_EQ(link.written, c.written) << c.reads.front().substr(0, 30);
    EXPECT_EQ(view.status, c.status) << c.reads.front().substr(0, 30);
  }
}

TEST_F(Dialogue, AServerWritingByteByByteIsReadLineByLine) {
  DriveTo(SendState::AwaitGreeting);
  for (char c : std::string("220 gateway 5 ready\r\n250 OK\r\n")) link.DataIn(std::string(1, c));
  EXPECT_EQ(link.written, "PAGE 5551234\r\nMESS hello\r\n");
  EXPECT_EQ(view.status, "CONNECTED...");
}

TEST_F(Dialogue, ACommandThatCannotBeWrittenEndsTheSendOnce) {
  view.Check({"Ann, 1", "Bob, 2"});
  DriveTo(SendState::AwaitGreeting);
  link.DataIn("220 ready\r\n");
  link.calls.clear();
  link.failWrites = true;
  EXPECT_THROW(link.DataIn("250 OK\r\n250 OK\r\n"), std::runtime_error);
  EXPECT_EQ(link.calls, (std::vector<std::string>{"MESS hello\r\n", "close"}));
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(send.timeoutCount(), 0);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_EQ(view.statusBar, "Error: 10035: [10035] Operation would block");
  EXPECT_NO_THROW(link.DataIn("250 OK\r\n"));  // a late reply writes nothing more
  EXPECT_EQ(link.calls.size(), 2u);
}

TEST_F(Dialogue, AnIdLongerThanTenDigitsIsNeverPagedCut) {
  view.Check({"Ann, 111", "Long, 12345678901234"});
  send.sendButtonClick();
  EXPECT_TRUE(link.calls.empty());
  EXPECT_EQ(send.sendState(), SendState::Idle);
  EXPECT_EQ(view.status, "FAIL");
  EXPECT_EQ(view.statusBar, "Error: pager ID longer than 10 digits: Long, 12345678901234");
  view.Check({"Ten, 123-456-7890"});
  send.sendButtonClick();
  link.ConnectOk();
  link.DataIn("220 ready\r\n");
  EXPECT_EQ(link.written, "PAGE 1234567890\r\n");
}

// A message too long for one MESS line goes as the text of DATA; a refused
// DATA ends the send like any failure reply.
TEST_F(Dialogue, AMessageTooLongForMessGoesWithData) {
  view.message = std::string(504, 'm');  // "MESS " + 504 + CR LF: 511 bytes
  DriveTo(SendState::AwaitMessReply);
  view.message = std::string(505, 'm');
  send.ResetSendState();
  link.Drop(0, "OK");
  DriveTo(SendState::AwaitPageReply);
  link.DataIn("250 OK\r\n");
  EXPECT_EQ(link.written, "DATA\r\n");
  EXPECT_EQ(send.sendState(), SendState::AwaitDataReply);
  link.DataIn("250 OK\r\n");  // not the go-ahead
  link.DataIn("35");
  link.DataIn("4 Begin input; end with <CRLF>.<CRLF>\r\n");
  EXPECT_EQ(link.written, "DATA\r\n" + std::string(505, 'm') + "\r\n.\r\n");
  link.DataIn("250 Message text OK\r\n");
  link.DataIn("250 Page sent\r\n");
  EXPECT_EQ(view.status, "SUCCESS");
  EXPECT_THAT(link.written, ::testing::EndsWith(".\r\nSEND\r\nQUIT\r\n"));

  send.ResetSendState();
  link.Drop(0, "OK");
  DriveTo(SendState::AwaitPageReply);
  link.DataIn("250 OK\r\n");
  link.DataIn("500 Command not recognized\r\n");
  EXPECT_EQ(view.status, "FAIL - 500 Command not recognized\r\n");
  EXPECT_EQ(link.written, "DATA\r\n");
  EXPECT_EQ(send.sendState(), SendState::Idle);
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
