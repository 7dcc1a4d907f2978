// The command-line pager's logic without a network: options, name lookup,
// the dialogue against a fake wire, and the report.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/page_hold.h"
#include "cli/page_options.h"
#include "cli/page_protocol.h"
#include "cli/page_report.h"
#include "cli/page_run.h"
#include "cli/recipient_match.h"
#include "snpp/build_config.h"

namespace snpp::cli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(PageOptions, ReadsValuesAndRefusesWhatItCannotUse) {
  const ParsedOptions defaults = ParsePageOptions({"5551234"});
  EXPECT_EQ(defaults.error, "");
  EXPECT_FALSE(defaults.options.server.has_value());
  EXPECT_EQ(defaults.options.timeout.count(), 30000);
  EXPECT_FALSE(defaults.options.message.has_value());

  const ParsedOptions o = ParsePageOptions({"bob", "-mhi", "--server=gw:2444", "--timeout", "0.25", "-p", "alice",
                                            "--login", "me:pa ss:x", "--json", "-q", "--retry=2", "--deadline", "9",
                                            "--", "-odd"});
  EXPECT_EQ(o.error, "");
  EXPECT_THAT(o.options.recipients, ElementsAre(RecipientArg{"bob", false}, RecipientArg{"alice", true},
                                                RecipientArg{"-odd", false}));
  EXPECT_EQ(*o.options.message, "hi");
  EXPECT_EQ(*o.options.server, "gw:2444");
  EXPECT_EQ(o.options.timeout.count(), 250);
  EXPECT_EQ(o.options.deadline->count(), 9000);
  EXPECT_EQ(o.options.retries, 2);
  EXPECT_TRUE(o.options.json && o.options.quiet);
  std::string error;
  EXPECT_EQ(ParseLogin(*o.options.login, error)->password, "pa ss:x");
  EXPECT_EQ(LoginCommand("me", "pa ss:x"), "LOGI me pa ss:x\r\n");
  EXPECT_EQ(ParseServer("[::1]:2444", 444, error)->host, "::1");
  EXPECT_EQ(ParseServer("fe80::1", 444, error)->port, 444);
  EXPECT_EQ(ParseServer("gw", 444, error)->port, 444);

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {},
           {"-m", "a", "-m", "b", "1"},
           {"--bogus", "1"},
           {"1", "--timeout"},
           {"1", "--timeout", "0"},
           {"1", "--timeout", "1e3"},
           {"1", "--server", "gw:0"},
           {"1", "--server", ":44"},
           {"1", "--server", "[::1"},
           {"1", "--login", "a b"},
           {"1", "--json=yes"},
           {"1", "--retry", "-1"},
           {"1", "--level", "12"},
           {"--recipients", "-"},  // the message would need standard input too
           {"1", "--login", "me:pw", "--password-file", "f"}}) {
    EXPECT_NE(ParsePageOptions(bad).error, "") << ::testing::PrintToString(bad);
  }
  EXPECT_EQ(ParsePageOptions({"--recipients", "-", "-m", "hi"}).error, "");
  EXPECT_EQ(ParsePageOptions({"--version"}).error, "");
  EXPECT_EQ(VersionText(), "orvant-snpp-page 2.05\n");
  EXPECT_TRUE(WantsJson({"--bogus", "--json"}));
  EXPECT_FALSE(WantsJson({"-m", "--json", "1"}));
}

TEST(RecipientMatch, FindsOnePagerByNameOrPrefixAndListsTheCandidatesOtherwise) {
  const std::vector<std::string> list = {"Bobby, 777", "Bob, 12-345", "anna, 2", "bob, 12345", "Ann, 1", "Kim, ",
                                         "911, 55"};
  const auto id = [&](const std::string& given) {
    const RecipientMatch m = MatchRecipient(given, list);
    return m.error.empty() ? m.recipient.pagerId : "error: " + m.error;
  };
  EXPECT_EQ(id("5551234"), "5551234");  // digits are an ID, never a name
  EXPECT_EQ(id("555-1234"), "5551234");
  EXPECT_EQ(id("911"), "911");
  EXPECT_EQ(id("BOB"), "12345");        // two entries, one pager
  EXPECT_EQ(id("bobb"), "777");
  EXPECT_EQ(id("ann"), "1");            // an exact name beats a longer one
  EXPECT_EQ(id("Bob, 12-3"), "12345");  // the entry as the list shows it
  EXPECT_EQ(id("an"), "error: 'an' fits more than one name:\n  Ann, 1\n  anna, 2");
  EXPECT_EQ(id("b"), "error: 'b' fits more than one name:\n  Bob, 12-345\n  bob, 12345\n  Bobby, 777");
  EXPECT_THAT(id("zed\x1b"), HasSubstr("no name in the list starts with 'zed?'"));
  EXPECT_EQ(id("OBB"), "error: no name in the list starts with 'OBB'; these hold it:\n  Bobby, 777");
  EXPECT_THAT(id("kim"), HasSubstr("has no pager ID"));
  EXPECT_EQ(MatchRecipient("bobby", list).recipient.name, "Bobby");
  // A stored ID longer than ten digits is refused, never paged cut short.
  EXPECT_THAT(MatchRecipient("long", {"Long, 12345678901234"}).error, HasSubstr("longer than 10 digits"));
}

// Records what the run writes; replies are fed by the test.
struct FakeWire : PageWire {
  std::vector<std::string> written;
  bool closed = false;
  void Write(const std::string& command) override { written.push_back(command.substr(0, command.size() - 2)); }
  void Close() override { closed = true; }
};

struct Dialogue : ::testing::Test {
  FakeWire wire;
  std::unique_ptr<PageRun> run;

  void Start(std::vector<std::string> ids, std::optional<std::string> login = std::nullopt,
             std::string message = "hello there") {
    std::vector<Recipient> rs;
    for (const std::string& id : ids) rs.push_back({id, {}, id});
    run = std::make_unique<PageRun>(std::move(rs), PageRequest{std::move(message), login, {}, false}, wire);
    run->Connected(0, "OK");
    wire.written.clear();
  }
  void Server(const std::string& lines) { run->DataIn(lines, true); }
  void Server(std::initializer_list<const char*> lines) {
    for (const char* line : lines) Server(std::string(line));
  }
  std::vector<std::string> Outcomes() const {
    std::vector<std::string> out;
    for (const PageResult& r : run->Results()) {
      out.push_back(std::string(OutcomeWord(r.outcome)) + (r.detail.empty() ? "" : " " + r.detail));
    }
    return out;
  }
};

TEST_F(Dialogue, EveryPageGoesFirstThenOneMessageAndOneSendForAllAccepted) {
  Start({"1", "2", "3", "4"});
  // A long greeting, help lines and a reply arriving in pieces with LF alone.
  Server({"220-Welcome", "220-to the gateway", "214 unasked help", "garbage", "220 Ready"});
  Server("250 ok");                     // PAGE 1
  run->DataIn("25", false);
  run->DataIn("0-first part", true);    // PAGE 2, continued
  Server("250 Pager ID accepted");
  Server("550 Invalid pager ID");       // PAGE 3: the gateway took two, so this one is refused for itself
  Server({"250", "250 Message OK"});    // PAGE 4, MESS
  Server("250 Message sent");           // SEND, for 1, 2 and 4
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "PAGE 2", "PAGE 3", "PAGE 4", "MESS hello there", "SEND", "QUIT"));
  EXPECT_FALSE(run->Done());
  Server("221 Bye");
  EXPECT_TRUE(run->Done());
  EXPECT_EQ(run->End(), RunEnd::Finished);
  EXPECT_TRUE(wire.closed);
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250 Message sent", "accepted 250 Message sent",
                                      "rejected 550 Invalid pager ID", "accepted 250 Message sent"));
  EXPECT_EQ(RunStatus(run->Results()), kSomeRejected);

  // A failed job fails all its recipients; with none left there is no RESE.
  Start({"1", "2"});
  Server({"220", "250", "250", "250", "554 Error, failed"});
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "PAGE 2", "MESS hello there", "SEND", "QUIT"));
  EXPECT_THAT(Outcomes(), ElementsAre("rejected 554 Error, failed", "rejected 554 Error, failed"));
}

// The second PAGE refused: the one held goes alone, and the refused one is
// tried alone. Taken alone, it shows a gateway of one PAGE per job. A failed
// job is reset; a gateway that answers RESE with a greeting has forgotten
// the login, which is given again.
TEST_F(Dialogue, AGatewayOfOnePagePerJobGetsOneJobEachAndALoginAfterItsReset) {
  Start({"1", "2", "3"}, LoginCommand("me", "pw"));
  Server({"220 Ready", "250 Login ok", "250"});     // greeting, LOGI, PAGE 1
  Server("503 Error, one pager per message");       // PAGE 2
  Server({"250", "554 Error, failed"});             // MESS, SEND of 1
  Server("220 gateway.example SNPP server ready.");  // RESE
  Server({"250 Login ok", "250", "250", "250"});     // LOGI, PAGE 2, MESS, SEND
  Server({"250", "250", "250 Sent"});                // PAGE 3, MESS, SEND
  EXPECT_THAT(wire.written, ElementsAre("LOGI me pw", "PAGE 1", "PAGE 2", "MESS hello there", "SEND", "RESE",
                                        "LOGI me pw", "PAGE 2", "MESS hello there", "SEND", "PAGE 3",
                                        "MESS hello there", "SEND", "QUIT"));
  EXPECT_THAT(Outcomes(), ElementsAre("rejected 554 Error, failed", "accepted 250", "accepted 250 Sent"));

  // Refused alone as well: a refusal of that ID, and the rest is batched.
  Start({"1", "2", "3", "4"});
  Server({"220", "250", "554 Error, failed", "250", "250"});  // PAGE 1, PAGE 2, MESS, SEND
  Server({"554 Error, failed", "250", "250", "250", "250"});  // PAGE 2 alone, PAGE 3, PAGE 4, MESS, SEND
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "PAGE 2", "MESS hello there", "SEND", "PAGE 2", "PAGE 3",
                                        "PAGE 4", "MESS hello there", "SEND", "QUIT"));
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250", "rejected 554 Error, failed", "accepted 250", "accepted 250"));

  // 550 refuses the ID, wherever it comes; 552 says the job is full.
  Start({"1", "2", "3", "4"});
  Server({"220", "250", "550 Invalid pager ID", "250", "552 Maximum entries exceeded", "250", "250"});
  Server({"250", "250", "250"});  // PAGE 4 alone, MESS, SEND
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "PAGE 2", "PAGE 3", "PAGE 4", "MESS hello there", "SEND", "PAGE 4",
                                        "MESS hello there", "SEND", "QUIT"));
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250", "rejected 550 Invalid pager ID", "accepted 250", "accepted 250"));
}

// Gateways read 511 bytes of a line and take the rest as a command. A text
// that does not fit one MESS line, or has line breaks, goes with DATA.
TEST_F(Dialogue, NoLineOver511BytesAndLinesKeptWithData) {
  const std::string longest(504, 'x');  // "MESS " + 504 + CR LF = 511
  Start({"1"}, std::nullopt, longest);
  Server({"220", "250", "250", "250"});
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "MESS " + longest, "SEND", "QUIT"));

  Start({"1", "2"}, std::nullopt, "Filesystem Size\n.hidden 1G\r\n\r\n/dev/sda1 " + std::string(505, 'y'));
  Server({"220", "250", "250", "354 Begin input; end with <CRLF>.<CRLF>", "250 Message OK", "250"});
  ASSERT_THAT(wire.written, ElementsAre("PAGE 1", "PAGE 2", "DATA", ::testing::_, "SEND", "QUIT"));
  EXPECT_EQ(wire.written[3], "Filesystem Size\r\n..hidden 1G\r\n\r\n/dev/sda1 \r\n" + std::string(505, 'y') + "\r\n.");
  EXPECT_EQ(RunStatus(run->Results()), kAllAccepted);

  // Without DATA: a text that fits one line goes as MESS, one that does not
  // is refused with a reason, and nothing is sent.
  Start({"1"}, std::nullopt, "two\nlines");
  Server({"220", "250", "500 Command not recognized", "250", "250"});
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "DATA", "MESS two lines", "SEND", "QUIT"));
  Start({"1", "2"}, std::nullopt, std::string(600, 'z'));
  Server({"220", "250", "250", "500 Command not recognized"});
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "PAGE 2", "DATA", "QUIT"));
  EXPECT_THAT(Outcomes()[1], HasSubstr("rejected the gateway does not take DATA, and the message (600 bytes)"));
}

// LEVE, HOLD, SUBJ and CALL go before the first PAGE of each job; one the
// gateway refuses is reported and left out, or with --strict stops it all.
TEST_F(Dialogue, Level2CommandsGoFirstAndARefusalIsReported) {
  const auto start = [&](bool strict) {
    std::vector<Recipient> rs = {{"1", {}, "1"}, {"2", {}, "2"}};
    run = std::make_unique<PageRun>(std::move(rs),
                                    PageRequest{"hi", std::nullopt, {"LEVE 3\r\n", "CALL db1\r\n"}, strict}, wire);
    run->Connected(0, "OK");
    wire.written.clear();
  };
  start(false);
  Server({"220", "250 OK, service level 3 accepted.", "500 CALL: Command not implemented.", "250", "250", "250",
          "250"});
  EXPECT_THAT(wire.written, ElementsAre("LEVE 3", "CALL db1", "PAGE 1", "PAGE 2", "MESS hi", "SEND", "QUIT"));
  EXPECT_THAT(run->Refusals(), ElementsAre("CALL db1: 500 CALL: Command not implemented."));
  EXPECT_EQ(RunStatus(run->Results()), kAllAccepted);

  start(true);
  Server({"220", "250", "500 CALL: Command not implemented."});
  EXPECT_THAT(wire.written, ElementsAre("LEVE 3", "CALL db1", "QUIT"));
  EXPECT_THAT(Outcomes()[1], "rejected not paged: the gateway refused CALL db1: 500 CALL: Command not implemented.");
  EXPECT_EQ(RunStatus(run->Results()), kNoneAccepted);
}

#ifndef _WIN32  // the C library there knows no rules of summer time in TZ
TEST(HoldCommand, TakesADateOrAClockTimeAndSendsItInUtc) {
  ::setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);  // New York, without the time zone files
  ::tzset();
  std::string error;
  const std::time_t now = 1765270800;  // 2025-12-09 09:00 UTC, 04:00 in New York
  EXPECT_EQ(HoldCommand("2025-12-24 18:30", now, error), "HOLD 251224233000 +0000\r\n");
  EXPECT_EQ(HoldCommand("05:00", now, error), "HOLD 251209100000 +0000\r\n");
  EXPECT_EQ(HoldCommand("03:59:30", now, error), "HOLD 251210085930 +0000\r\n");  // past today: tomorrow
  for (const char* bad : {"2025-12-08 10:00", "2025-02-30 10:00", "25:00", "tomorrow", "2025-12-24"}) {
    EXPECT_FALSE(HoldCommand(bad, now, error)) << bad;
  }
  ::unsetenv("TZ");
  ::tzset();
}
#endif

TEST_F(Dialogue, TheRunEndsOn421ATimeOutOrALostConnectionAndSaysWhoWasDone) {
  Start({"1", "2", "3"});
  Server({"220 Ready", "250", "250"});
  Server("421 Too busy, bye");  // PAGE 3
  EXPECT_EQ(run->End(), RunEnd::ServerEnded);
  EXPECT_TRUE(wire.closed);
  EXPECT_THAT(Outcomes(), ElementsAre("not attempted the server ended the session: 421 Too busy, bye",
                                      "not attempted the server ended the session: 421 Too busy, bye",
                                      "rejected 421 Too busy, bye"));
  EXPECT_EQ(RunStatus(run->Results()), kNoConnection);

  Start({"1", "2"});
  Server({"220 Ready", "250", "250", "250"});
  run->TimedOut();  // SEND written, no reply: the pages may have gone out
  EXPECT_EQ(run->End(), RunEnd::TimedOut);
  EXPECT_THAT(Outcomes(), ElementsAre("unconfirmed no reply to SEND", "unconfirmed no reply to SEND"));

  // The last reply may come without its line break just before the close.
  Start({"1"});
  Server({"220 Ready", "250", "250"});
  run->DataIn("250 Sent", false);
  run->Disconnected(0, "OK");
  EXPECT_EQ(run->End(), RunEnd::Finished);
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250 Sent"));

  // All done, QUIT unanswered: the pages stand.
  Start({"1"});
  Server({"220", "250", "250", "250"});
  run->TimedOut();
  EXPECT_EQ(run->End(), RunEnd::Finished);
  EXPECT_EQ(RunStatus(run->Results()), kAllAccepted);

  Start({"1"});
  Server("220 Ready");
  run->Disconnected(10054, "Connection reset by peer");
  EXPECT_EQ(run->End(), RunEnd::ConnectionLost);
  EXPECT_EQ(run->EndText(), "connection lost: Connection reset by peer");
  EXPECT_THAT(Outcomes(), ElementsAre("not attempted connection lost: Connection reset by peer"));
}

TEST_F(Dialogue, LogsInFirstAndKeepsRepliesWithinTheLineLimit) {
  Start({"1"}, LoginCommand("me", "secret"));
  Server("220 Ready");
  Server("550 Login incorrect");
  Server(std::string(5000, '5'));  // PAGE refused with a reply far too long
  EXPECT_THAT(wire.written, ElementsAre("LOGI me secret", "PAGE 1", "QUIT"));
  EXPECT_EQ(run->LoginRefusal(), "550 Login incorrect");
  EXPECT_EQ(run->Results()[0].detail.size(), kMaxCommandLine);
  EXPECT_EQ(RunStatus(run->Results()), kNoneAccepted);

  Start({"1"});
  run->Connected(10061, "Connection refused");  // ignored: already connected
  Server("354 Begin input");
  EXPECT_EQ(run->End(), RunEnd::ProtocolError);

  FakeWire other;
  PageRun refused({{"1", {}, "1"}}, {"m", std::nullopt, {}, false}, other);
  refused.Connected(10061, "Connection refused");
  EXPECT_EQ(refused.End(), RunEnd::NoConnection);
  EXPECT_FALSE(other.closed);  // the line client releases a failed socket itself
}

TEST(PageReport, WritesLinesAndValidJsonWhateverTheBytes) {
  std::vector<PageResult> results = {
      {{"bob", "Bob", "12345"}, Outcome::Accepted, "250 OK"},
      {{"555", "", "555"}, Outcome::Rejected, "550 \x1b[2Jbad \"id\""},
      {{"j\xe9r\xc3\xb4me", "J\xe9r\xc3\xb4me", "7"}, Outcome::NotAttempted, ""},
  };
  EXPECT_EQ(TextReport(results),
            "Bob (12345): accepted\n"
            "555: rejected: 550 ?[2Jbad \"id\"\n"
            "J\xe9r\xc3\xb4me (7): not attempted\n");
  EXPECT_EQ(JsonReport(results, "gw:444", 4, "no reply to PAGE within 1 s"),
            "{\"server\": \"gw:444\", \"status\": 4, \"error\": \"no reply to PAGE within 1 s\", \"recipients\": [\n"
            "  {\"recipient\": \"bob\", \"name\": \"Bob\", \"pager_id\": \"12345\", \"result\": \"accepted\", "
            "\"reply\": \"250 OK\"},\n"
            "  {\"recipient\": \"555\", \"pager_id\": \"555\", \"result\": \"rejected\", "
            "\"reply\": \"550 \\u001b[2Jbad \\\"id\\\"\"},\n"
            "  {\"recipient\": \"j\\u00e9r\xc3\xb4me\", \"name\": \"J\\u00e9r\xc3\xb4me\", \"pager_id\": \"7\", "
            "\"result\": \"not attempted\"}\n"
            "]}\n");
  EXPECT_EQ(JsonString("\xed\xa0\x80\xf4\x90\x80\x80\xe2\x82"), "\"\\u00ed\\u00a0\\u0080\\u00f4\\u0090\\u0080\\u0080\\u00e2\\u0082\"");
}

}  // namespace
}  // namespace snpp::cli
