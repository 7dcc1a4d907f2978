// The installed program as a script would run it: a child process with its
// arguments and standard input, against the test server on 127.0.0.1.
#include <fcntl.h>
#include <poll.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "snpp_peer.h"
#include "snpp_test_server.h"

extern char** environ;

namespace {

using snpp::testing::AcceptingAnswer;
using snpp::testing::GatewayScript;
using snpp::testing::PaddedGreeting;
using snpp::testing::SequenceScript;
using snpp::testing::ServerAction;
using snpp::testing::ServerScript;
using snpp::testing::SnppTestServer;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Outcome = snpp::testing::ProgramOutcome;

// Our environment without what steers the program, plus `vars`.
std::vector<std::string> Environment(const std::vector<std::string>& vars) {
  std::vector<std::string> out;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view var = *e;
    if (!var.starts_with("HOME=") && !var.starts_with("XDG_CONFIG_HOME=") && !var.starts_with("ORVANT_SNPP_")) {
      out.emplace_back(var);
    }
  }
  out.insert(out.end(), vars.begin(), vars.end());
  return out;
}

// Runs the program in `dir` with `input` on its standard input.
Outcome RunPage(const std::vector<std::string>& args, const std::string& input = {}, const std::string& dir = {},
                const std::vector<std::string>& env = Environment({})) {
  return snpp::testing::RunProgram(PAGE_PROGRAM, args, input, dir, &env);
}

// A gateway that takes DATA and, like real ones, reads at most 511 bytes of
// a line: a longer one gets 500 here (a real one would run its rest).
ServerScript DataGateway() {
  return [accepting = snpp::testing::AcceptingScript()](const std::string& line, int index) {
    if (line.size() + 2 > 511) return ServerAction::Reply("500 Line too long\r\n");
    return accepting(line, index);
  };
}

struct PageProgram : ::testing::Test {
  std::unique_ptr<SnppTestServer> server;
  std::filesystem::path dir;

  PageProgram() {
    std::string pattern = (std::filesystem::temp_directory_path() / "snpp-page-XXXXXX").string();
    dir = ::mkdtemp(pattern.data());
    std::ofstream(dir / "names.txt", std::ios::binary) << "Bob, 555-1001\r\nAnn, 5551002\r\nAnna, 5551003\r\n";
  }
  ~PageProgram() override { std::filesystem::remove_all(dir); }

  void Serve(ServerScript script = snpp::testing::AcceptingScript(),
             std::string greeting = SnppTestServer::kDefaultGreeting) {
    server = std::make_unique<SnppTestServer>(std::move(script), std::move(greeting));
  }
  std::string Address() const { return "127.0.0.1:" + std::to_string(server->Port()); }
  std::string Server() const { return "--server=" + Address(); }
  // With a home and a config folder of its own, and `vars` in the environment.
  Outcome Page(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), Server());
    return PageWith(std::move(args), input);
  }
  // No --server: the environment or the config file names it.
  Outcome PageWith(std::vector<std::string> args, const std::string& input = {}, std::vector<std::string> vars = {},
                   const std::filesystem::path& workDir = {}) {
    vars.push_back("HOME=" + (dir / "home").string());
    vars.push_back("XDG_CONFIG_HOME=" + (dir / "config").string());
    return RunPage(std::move(args), input, (workDir.empty() ? dir : workDir).string(), Environment(vars));
  }
  // A file of `text`, readable as `mode` says.
  std::filesystem::path Write(const std::filesystem::path& name, const std::string& text,
                              std::filesystem::perms mode = std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_write) {
    const std::filesystem::path path = dir / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
    std::filesystem::permissions(path, mode);
    return path;
  }
};

TEST_F(PageProgram, PagesOneIdAndReadsTheMessageFromStandardInput) {
  Serve(DataGateway());
  const Outcome r = Page({"5551234"}, "disk full\r\non db1\n\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "5551234: accepted\n");
  EXPECT_EQ(r.err, "");  // no progress when standard error is no terminal
  EXPECT_THAT(server->ReceivedLines(),
              ElementsAre("PAGE 5551234", "DATA", "disk full", "on db1", ".", "SEND", "QUIT"));
}

// 505 characters made a MESS line of 512 bytes, one more than gateways read.
TEST_F(PageProgram, LongMessagesGoAsDataInLinesGatewaysRead) {
  Serve(DataGateway());
  std::string words;
  while (words.size() < 2000) words += "word" + std::to_string(words.size()) + " ";
  words.pop_back();
  for (const std::string& text : {std::string(505, 'x'), words}) {
    const Outcome r = Page({"-m", text, "5551234", "5551235"});
    EXPECT_EQ(r.status, 0) << r.err << r.out;
  }
  const std::vector<std::string> lines = server->ReceivedLines();
  std::string received;
  for (const std::string& line : lines) {
    EXPECT_LE(line.size() + 2, 511u);
    // A line broken at a blank keeps the blank at its end.
    if (line.starts_with("word")) received += line.ends_with(' ') ? line : line + " ";
  }
  EXPECT_EQ(received, words + " ");
  EXPECT_THAT(lines, ::testing::Contains(std::string(505, 'x')));
}

TEST_F(PageProgram, ARejectionInTheMiddleLeavesTheLaterRecipientsPaged) {
  Serve([](const std::string& line, int) {
    return line == "PAGE 5551002" ? ServerAction::Reply("550 Invalid pager ID\r\n") : AcceptingAnswer(line);
  });
  const Outcome r = Page({"-m", "hi", "bob", "ann", "anna", "--json"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_THAT(server->ReceivedLines(),
              ElementsAre("PAGE 5551001", "PAGE 5551002", "PAGE 5551003", "MESS hi", "SEND", "QUIT"));
  EXPECT_THAT(r.out, HasSubstr("\"status\": 1"));
  EXPECT_THAT(r.out, HasSubstr("{\"recipient\": \"ann\", \"name\": \"Ann\", \"pager_id\": \"5551002\", "
                               "\"result\": \"rejected\", \"reply\": \"550 Invalid pager ID\"}"));
  EXPECT_THAT(r.out, HasSubstr("\"pager_id\": \"5551003\", \"result\": \"accepted\""));
}

TEST_F(PageProgram, AGatewayThatRequiresALoginAndLimitsTheMessage) {
  Serve(GatewayScript({.requireLogin = true, .maxMessageLength = 20}));
  Outcome r = Page({"-m", "hi", "5551234", "5555678"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "5551234: rejected: 530 Login required\n5555678: rejected: 530 Login required\n");

  r = Page({"-m", "this message is too long", "--login", "pager:s3cret", "5551234"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "5551234: rejected: 550 Error, message too long\n");
  EXPECT_THAT(server->ReceivedLines(), ::testing::IsSupersetOf({"LOGI pager s3cret", "MESS this message is too long"}));

  r = Page({"-m", "short", "--login", "pager", "5551234"});
  EXPECT_EQ(r.status, 0) << r.err;
}

// A gateway as deployed: it reads 511 bytes of a line, forgets the login at
// RESE, checks IDs and takes several PAGEs to one SEND. What arrived is
// what was sent, to exactly the IDs reported accepted.
TEST_F(PageProgram, AStrictGatewayGetsTheWholeTextInOneJob) {
  Serve(GatewayScript({.requireLogin = true, .checkPagerIds = true, .resetLogsOut = true}));
  server->SetLineLimit(512);
  std::string text = "df -h\n";
  while (text.size() < 2000) text += "/dev/sda" + std::to_string(text.size()) + " 100G 93G 7G 93% /srv ";
  const Outcome r = Page({"--login", "pager", "5551001", "-p", "55x1", "5551003", "5551004"}, text);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "5551001: accepted\n55x1: rejected: 550 Error, invalid pager ID\n5551003: accepted\n"
                   "5551004: accepted\n");
  const auto words = [](std::string t) {
    std::replace(t.begin(), t.end(), '\n', ' ');
    // A line broken at a blank keeps the blank before its line break.
    for (std::size_t at; (at = t.find("  ")) != std::string::npos;) t.erase(at, 1);
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
  };
  std::vector<std::string> ids;
  for (const snpp::testing::DeliveredPage& page : server->Delivered()) {
    ids.push_back(page.pagerId);
    EXPECT_EQ(words(page.text), words(text));
    EXPECT_EQ(page.text.substr(0, 6), "df -h\n");  // its lines kept
  }
  EXPECT_THAT(ids, ElementsAre("5551001", "5551003", "5551004"));
}

// Such a gateway refuses a text over its limit at once and reads the rest
// as commands: lines of the text that start like one must not page anyone.
TEST_F(PageProgram, ATextOverTheLimitNeverRunsItsLinesAsCommands) {
  Serve(GatewayScript({.maxMessageLength = 100}));
  const Outcome r = Page({"5551001"}, std::string(120, 'z') + "\nMESS log line\nSEND\n");
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_EQ(r.out, "5551001: rejected: 550 Error, message too long\n");
  EXPECT_THAT(server->Delivered(), ::testing::IsEmpty());
}

// The time limit is for each reply: a gateway that takes most of it for
// every SEND still gets all of them. Its long greeting and the help line
// before each reply are read past.
TEST_F(PageProgram, ASlowChattyGatewayIsWaitedForReplyByReply) {
  Serve(GatewayScript({.sendDelayMs = 700, .infoBeforeReplies = true}), PaddedGreeting("Welcome", 5000));
  const Outcome r = Page({"-m", "hi", "--timeout", "2", "5550001", "5550002", "5550003", "5550004"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "5550001: accepted\n5550002: accepted\n5550003: accepted\n5550004: accepted\n");
}

TEST_F(PageProgram, ASilentServerOrALostConnectionEndsWithStatus4) {
  Serve(snpp::testing::AcceptingScript(), "");  // never greets
  Outcome r = Page({"-m", "hi", "--timeout", "1", "5551234"});
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.out, "5551234: not attempted: no greeting from the server\n");
  EXPECT_THAT(r.err, HasSubstr("no greeting from the server within 1 s"));

  Serve(SequenceScript({ServerAction::Reply("250\r\n"), ServerAction::Reply("250\r\n"), ServerAction::Reply("250\r\n"),
                        ServerAction::Silence()}));
  r = Page({"-m", "hi", "--timeout", "1", "5551234", "5555678"});
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.out, "5551234: unconfirmed: no reply to SEND\n5555678: unconfirmed: no reply to SEND\n");

  Serve(SequenceScript({ServerAction::Reply("250\r\n"), ServerAction::Reset()}));
  r = Page({"-m", "hi", "5551234"});
  EXPECT_EQ(r.status, 4);
  EXPECT_THAT(r.out, HasSubstr("5551234: not attempted: connection lost"));

  // Nobody listens on a port that was just released.
  const std::uint16_t port = server->Port();
  server.reset();
  r = RunPage({"--server", "127.0.0.1:" + std::to_string(port), "-m", "hi", "5551234", "--json"});
  EXPECT_EQ(r.status, 4);
  EXPECT_THAT(r.out, HasSubstr("\"error\": \"cannot connect: "));
}

TEST_F(PageProgram, UsageErrorsSendNothing) {
  Serve();
  Outcome r = Page({"-m", "hi", "zed", "an", "5551234"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_THAT(r.err, HasSubstr("names.txt: no name in the list starts with 'zed'"));
  EXPECT_THAT(r.err, HasSubstr("'an' fits more than one name:\n  Ann, 5551002\n  Anna, 5551003"));

  EXPECT_EQ(Page({"5551234"}, "\n").status, 3);  // an empty message
  EXPECT_EQ(Page({"--names", (dir / "none.txt").string(), "-m", "hi", "bob"}).status, 3);
  EXPECT_EQ(Page({"-m", "hi"}).status, 3);
  EXPECT_EQ(server->Connections(), 0);
}

}  // namespace

namespace {

ServerScript LoginGateway() { return GatewayScript({.requireLogin = true}); }

TEST_F(PageProgram, RecipientsComeAsExactIdsFromAFileOrFromStandardInput) {
  Serve();
  const std::filesystem::path list = Write("oncall.txt", "bob\r\n# the night shift\n\n  555-0009  \n");
  Outcome r = Page({"-m", "hi", "-p", "alice", "-pREJECT-ME", "555-1234", "--recipients", list.string()});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(server->ReceivedLines(), ElementsAre("PAGE alice", "PAGE REJECT-ME", "PAGE 5551234", "PAGE 5551001",
                                                   "PAGE 5550009", "MESS hi", "SEND", "QUIT"));
  r = Page({"-m", "hi", "--recipients", "-"}, "ann\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(server->ReceivedLines(), ::testing::Contains("PAGE 5551002"));
}

// No secrets on the command line: the login comes from the environment or
// the config file, a password only from a file no one else can read.
TEST_F(PageProgram, SettingsComeFromTheEnvironmentAndAPrivateConfigFile) {
  Serve(LoginGateway());
  const std::string conf = "config/orvant-snpp-client/page.conf";
  Write(conf, "# ours\nserver = " + Address() + "\nlogin = pager\npassword = s3cret\n");
  Outcome r = PageWith({"-m", "hi", "5551234"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(server->ReceivedLines(), ::testing::Contains("LOGI pager s3cret"));

  // The environment goes before the file; the file's password stays its login's.
  r = PageWith({"-m", "hi", "5551234"}, {}, {"ORVANT_SNPP_LOGIN=other"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(server->ReceivedLines(), ::testing::Contains("LOGI other"));

  const std::filesystem::path secret = Write("secret", "pa ss\n");
  r = PageWith({"-m", "hi", "--login", "me", "--password-file", secret.string(), "5551234"});
  EXPECT_THAT(server->ReceivedLines(), ::testing::Contains("LOGI me pa ss"));

  using std::filesystem::perms;
  Write("secret", "pa ss\n", perms::owner_read | perms::group_read);
  r = PageWith({"-m", "hi", "--login", "me", "--password-file", secret.string(), "5551234"});
  EXPECT_EQ(r.status, 3);
  EXPECT_THAT(r.err, HasSubstr("secret holds a password but others can read it"));
  Write(conf, "server = " + Address() + "\npassword = x\n", perms::owner_read | perms::others_read);
  const int connections = server->Connections();
  r = PageWith({"-m", "hi", "5551234", "--json"});
  EXPECT_EQ(r.status, 3);
  EXPECT_THAT(r.out, HasSubstr("page.conf holds a password but others can read it"));
  Write(conf, "server " + Address() + "\n");
  EXPECT_THAT(PageWith({"-m", "hi", "5551234"}).err, HasSubstr("page.conf:1: not a setting"));
  EXPECT_EQ(server->Connections(), connections);
}

// From cron, with no working folder of its own: ./names.txt, then the one
// in the home folder that the desktop program keeps.
TEST_F(PageProgram, TheNamesListIsFoundWithoutAWorkingFolder) {
  Serve();
  const std::filesystem::path elsewhere = dir / "cron";
  std::filesystem::create_directories(elsewhere);
  Write("home/names.txt", "Carol, 5557001\r\n");
  Write("team.txt", "Dave, 5557002\r\n");
  EXPECT_EQ(PageWith({Server(), "-m", "hi", "carol"}, {}, {}, elsewhere).status, 0);
  Write("config/orvant-snpp-client/page.conf", "names = " + (dir / "team.txt").string() + "\n");
  EXPECT_EQ(PageWith({Server(), "-m", "hi", "dave"}, {}, {}, elsewhere).status, 0);
  EXPECT_EQ(PageWith({Server(), "-m", "hi", "--names", (dir / "home/names.txt").string(), "carol"}, {}, {}, elsewhere)
                .status, 0);
  EXPECT_THAT(server->ReceivedLines(), ::testing::IsSupersetOf({"PAGE 5557001", "PAGE 5557002"}));
}

TEST_F(PageProgram, QuietJsonAndPlainErrorsForScripts) {
  Serve([](const std::string& line, int) {
    return line == "PAGE 5551002" ? ServerAction::Reply("550 Invalid pager ID\r\n") : AcceptingAnswer(line);
  });
  Outcome r = Page({"-q", "-m", "hi", "5551001", "5551002", "5551003"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "5551002: rejected: 550 Invalid pager ID\n");

  r = Page({"--json", "-m", "hi", "--level", "x", "5551001"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "{\"status\": 3, \"error\": \"--level takes a service level from 0 to 11, not 'x'\", "
                   "\"recipients\": []}\n");

  // No number of the Windows socket library in the texts.
  const std::uint16_t port = server->Port();
  server.reset();
  r = RunPage({"--server", "127.0.0.1:" + std::to_string(port), "-m", "hi", "5551234", "--json"});
  EXPECT_THAT(r.out, HasSubstr("\"reason\": \"cannot connect: connection refused\""));
  EXPECT_THAT(r.err, ::testing::Not(HasSubstr("[")));
}

// --retry is for connections that fail: the recipients not yet tried are
// tried again, and a page that may have gone out never is.
TEST_F(PageProgram, RetriesOnlyWhatCannotHaveGoneOutWithinTheDeadline) {
  auto calls = std::make_shared<std::atomic<int>>(0);
  Serve([calls](const std::string& line, int index) {
    if (index == 0 && (*calls)++ == 0) return ServerAction::Reset();  // the first connection breaks at once
    return AcceptingAnswer(line);
  });
  Outcome r = Page({"--retry", "2", "-m", "hi", "5551001"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("trying again in 1 s"));
  EXPECT_EQ(server->Connections(), 2);

  Serve(SequenceScript({ServerAction::Reply("250\r\n"), ServerAction::Reply("250\r\n"), ServerAction::Reset()}));
  r = Page({"--retry", "2", "-m", "hi", "5551001"});
  EXPECT_EQ(r.status, 4);
  EXPECT_THAT(r.out, HasSubstr("5551001: unconfirmed"));
  EXPECT_EQ(server->Connections(), 1);

  // A gateway that takes longer than the whole run may.
  Serve(GatewayScript({.sendDelayMs = 5000}));
  const auto start = std::chrono::steady_clock::now();
  r = Page({"--deadline", "0.5", "-m", "hi", "5551001"});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(r.status, 4);
  EXPECT_EQ(r.out, "5551001: unconfirmed: the deadline of 0.5 s passed\n");
}

}  // namespace

namespace {

// One connection on ::1: greets, takes every line with 250 and QUIT with
// 221, and keeps what it received. The test server listens on IPv4 only.
struct Ipv6Peer {
  int listener = ::socket(AF_INET6, SOCK_STREAM | SOCK_CLOEXEC, 0);
  std::uint16_t port = 0;
  std::string received;
  std::thread thread;

  bool Listen() {
    sockaddr_in6 sa{};
    sa.sin6_family = AF_INET6;
    sa.sin6_addr = in6addr_loopback;
    socklen_t length = sizeof sa;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 ||
        ::listen(listener, 1) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&sa), &length) != 0) {
      return false;
    }
    port = ntohs(sa.sin6_port);
    thread = std::thread([this] { Serve(); });
    return true;
  }
  void Serve() {
    pollfd p{listener, POLLIN, 0};
    if (::poll(&p, 1, 10000) != 1) return;
    const int fd = ::accept(listener, nullptr, nullptr);
    const auto say = [fd](const char* text) { return ::send(fd, text, std::strlen(text), MSG_NOSIGNAL); };
    say("220 ready\r\n");
    std::string pending;
    char buffer[512];
    for (;;) {
      pollfd q{fd, POLLIN, 0};
      if (::poll(&q, 1, 10000) != 1) break;
      const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      received.append(buffer, static_cast<std::size_t>(n));
      pending.append(buffer, static_cast<std::size_t>(n));
      for (std::size_t lf; (lf = pending.find('\n')) != std::string::npos; pending.erase(0, lf + 1)) {
        say(pending.starts_with("QUIT") ? "221 bye\r\n" : "250 OK\r\n");
      }
    }
    ::close(fd);
  }
  ~Ipv6Peer() {
    if (thread.joinable()) thread.join();
    if (listener >= 0) ::close(listener);
  }
};

TEST(PageProgramIpv6, PagesAServerOnAnIpv6Address) {
  Ipv6Peer peer;
  if (!peer.Listen()) GTEST_SKIP() << "no IPv6 loopback here";
  const Outcome r = RunPage({"--server", "[::1]:" + std::to_string(peer.port), "-m", "hi", "5551234"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "5551234: accepted\n");
  peer.thread.join();
  EXPECT_THAT(peer.received, HasSubstr("PAGE 5551234\r\n"));
}

}  // namespace
