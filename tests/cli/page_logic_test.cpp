// The command-line pager's logic without a network: options, name lookup,
// the dialogue against a fake wire, and the report.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  EXPECT_EQ(defaults.options.host, kServerHost);
  EXPECT_EQ(defaults.options.port, kServerPort);
  EXPECT_EQ(defaults.options.timeout.count(), 30000);
  EXPECT_FALSE(defaults.options.message.has_value());

  const ParsedOptions o = ParsePageOptions({"bob", "-mhi", "--server=gw:2444", "--timeout", "0.25",
                                            "--login", "me:pa ss:x", "--json", "--", "-odd"});
  EXPECT_EQ(o.error, "");
  EXPECT_THAT(o.options.recipients, ElementsAre("bob", "-odd"));
  EXPECT_EQ(*o.options.message, "hi");
  EXPECT_EQ(o.options.host, "gw");
  EXPECT_EQ(o.options.port, 2444);
  EXPECT_EQ(o.options.timeout.count(), 250);
  EXPECT_EQ(*o.options.loginUser, "me");
  EXPECT_EQ(o.options.loginPassword, "pa ss:x");
  EXPECT_TRUE(o.options.json);
  EXPECT_EQ(LoginCommand("me", "pa ss:x"), "LOGI me pa ss:x\r\n");

  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {},
           {"-m", "a", "-m", "b", "1"},
           {"--bogus", "1"},
           {"1", "--timeout"},
           {"1", "--timeout", "0"},
           {"1", "--timeout", "1e3"},
           {"1", "--server", "gw:0"},
           {"1", "--server", ":44"},
           {"1", "--login", "a b"},
           {"1", "--json=yes"}}) {
    EXPECT_NE(ParsePageOptions(bad).error, "") << ::testing::PrintToString(bad);
  }
  EXPECT_EQ(ParsePageOptions({"--version"}).error, "");
  EXPECT_EQ(VersionText(), "orvant-snpp-page 2.05\n");
}

TEST(RecipientMatch, FindsOnePagerByNameOrPrefixAndListsTheCandidatesOtherwise) {
  const std::vector<std::string> list = {"Bobby, 777", "Bob, 12-345", "anna, 2", "bob, 12345", "Ann, 1", "Kim, ",
                                         "911, 55"};
  const auto id = [&](const std::string& given) {
    const RecipientMatch m = MatchRecipient(given, list);
    return m.error.empty() ? m.recipient.pagerId : "error: " + m.error;
  };
  EXPECT_EQ(id("5551234"), "5551234");  // digits are an ID, never a name
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

  void Start(std::vector<std::string> ids, std::optional<std::string> login = std::nullopt) {
    std::vector<Recipient> rs;
    for (const std::string& id : ids) rs.push_back({id, {}, id});
    run = std::make_unique<PageRun>(std::move(rs), "hello\r\nthere", login, wire);
    run->Connected(0, "OK");
  }
  void Server(const std::string& lines) { run->DataIn(lines, true); }
  std::vector<std::string> Outcomes() const {
    std::vector<std::string> out;
    for (const PageResult& r : run->Results()) {
      out.push_back(std::string(OutcomeWord(r.outcome)) + (r.detail.empty() ? "" : " " + r.detail));
    }
    return out;
  }
};

TEST_F(Dialogue, ARefusedRecipientIsSkippedOrResetAndTheRunGoesOn) {
  Start({"1", "2", "3", "4"});
  // A long greeting, help lines and a reply arriving in pieces with LF alone.
  for (const char* line : {"220-Welcome", "220-to the gateway", "214 unasked help", "garbage", "220 Ready"}) Server(line);
  Server("250 ok");                          // PAGE 1
  run->DataIn("25", false);
  run->DataIn("0-first part", true);         // MESS 1, continued
  Server("250 Message OK");
  Server("250 Sent");                        // SEND 1
  Server("550 Invalid pager ID");            // PAGE 2: nothing held, no RESE
  Server("250");                             // PAGE 3
  Server("554 Message too long");            // MESS 3: RESE
  Server("500 Command not implemented");     // RESE unknown: go on
  Server("250");
  Server("250");
  Server("554 Error, failed");               // SEND 4: RESE
  Server("250 Reset ok");
  EXPECT_THAT(wire.written, ElementsAre("PAGE 1", "MESS hello there", "SEND", "PAGE 2", "PAGE 3", "MESS hello there",
                                        "RESE", "PAGE 4", "MESS hello there", "SEND", "RESE", "QUIT"));
  EXPECT_FALSE(run->Done());
  Server("221 Bye");
  EXPECT_TRUE(run->Done());
  EXPECT_EQ(run->End(), RunEnd::Finished);
  EXPECT_TRUE(wire.closed);
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250 Sent", "rejected 550 Invalid pager ID",
                                      "rejected 554 Message too long", "rejected 554 Error, failed"));
  EXPECT_EQ(RunStatus(run->Results()), kSomeRejected);
}

TEST_F(Dialogue, TheRunEndsOn421ATimeOutOrALostConnectionAndSaysWhoWasDone) {
  Start({"1", "2", "3"});
  Server("220 Ready");
  for (int i = 0; i < 3; ++i) Server("250");
  Server("421 Too busy, bye");  // PAGE 2
  EXPECT_EQ(run->End(), RunEnd::ServerEnded);
  EXPECT_TRUE(wire.closed);
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250", "rejected 421 Too busy, bye", "not attempted"));
  EXPECT_EQ(RunStatus(run->Results()), kNoConnection);

  Start({"1", "2"});
  Server("220 Ready");
  Server("250");
  Server("250");
  run->TimedOut();  // SEND 1 written, no reply: it may have gone out
  EXPECT_EQ(run->End(), RunEnd::TimedOut);
  EXPECT_THAT(Outcomes(), ElementsAre("unconfirmed no reply to SEND", "not attempted"));

  // The last reply may come without its line break just before the close.
  Start({"1"});
  Server("220 Ready");
  Server("250");
  Server("250");
  run->DataIn("250 Sent", false);
  run->Disconnected(0, "OK");
  EXPECT_EQ(run->End(), RunEnd::Finished);
  EXPECT_THAT(Outcomes(), ElementsAre("accepted 250 Sent"));

  // All done, QUIT unanswered: the pages stand.
  Start({"1"});
  for (const char* line : {"220", "250", "250", "250"}) Server(line);
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
  EXPECT_EQ(run->Results()[0].detail.size(), kMaxLineBytes);
  EXPECT_EQ(RunStatus(run->Results()), kNoneAccepted);

  Start({"1"});
  run->Connected(10061, "Connection refused");  // ignored: already connected
  Server("354 Begin input");
  EXPECT_EQ(run->End(), RunEnd::ProtocolError);

  FakeWire other;
  PageRun refused({{"1", {}, "1"}}, "m", std::nullopt, other);
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
