// HylaFAX's own SNPP client against the test server set up as hfaxd is: a
// login first, PAGE IDs checked, lines of at most 511 bytes, RESE logging
// out. Each case ends as it does against hfaxd (measured by hand with the
// gateway peer). Skipped where sendpage is not installed.
#include <algorithm>
#include <filesystem>
#include <memory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "snpp_peer.h"
#include "snpp_test_server.h"

namespace snpp::testing {
namespace {

using ::testing::ContainsRegex;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const char kSendpage[] = "/usr/bin/sendpage";

struct Sendpage : ::testing::Test {
  std::unique_ptr<SnppTestServer> server;

  void SetUp() override {
    if (!std::filesystem::exists(kSendpage)) GTEST_SKIP() << kSendpage << " is not installed";
    server = std::make_unique<SnppTestServer>(
        GatewayScript({.requireLogin = true, .checkPagerIds = true, .maxMessageLength = 128, .resetLogsOut = true}));
    server->SetLineLimit(512);
  }
  ProgramOutcome Run(std::vector<std::string> args, const std::string& input = {}) {
    args.insert(args.begin(), {"-h", "127.0.0.1:" + std::to_string(server->Port())});
    return RunProgram(kSendpage, args, input);
  }
};

TEST_F(Sendpage, OnePageWithTheMessageOnTheCommandLine) {
  const ProgramOutcome r = Run({"-p", "5551234", "disk", "full"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, ContainsRegex("^destination pin 5551234: request id is [0-9]+ for host 127.0.0.1\n$"));
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"5551234", "disk full"}));
  // It logs in by itself, so a gateway that requires a login takes it.
  EXPECT_EQ(server->ReceivedLines().front().substr(0, 5), "LOGI ");
}

TEST_F(Sendpage, TheMessageFromStandardInputGoesAsData) {
  const ProgramOutcome r = Run({"-p", "5551235"}, "disk full\non db1\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(server->ReceivedLines(), ::testing::Contains("DATA"));
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"5551235", "disk full\non db1"}));
}

TEST_F(Sendpage, ThreeRecipientsAreOneJob) {
  const ProgramOutcome r = Run({"-p", "5551", "-p", "5552", "-p", "5553", "three"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_THAT(r.out, ContainsRegex("pin 5551:.*\n.*pin 5552:.*\n.*pin 5553:"));
  EXPECT_THAT(server->Delivered(), ElementsAre(DeliveredPage{"5551", "three"}, DeliveredPage{"5552", "three"},
                                               DeliveredPage{"5553", "three"}));
  const std::vector<std::string> lines = server->ReceivedLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "SEND"), 1);
}

// A refused ID ends the run before SEND: nobody is paged, and it says so.
TEST_F(Sendpage, ARejectedIdInTheMiddleStopsTheJob) {
  const ProgramOutcome r = Run({"-p", "5551234", "-p", "REJECTME", "-p", "5551235", "rej"});
  EXPECT_EQ(r.status, 255);
  EXPECT_THAT(r.err, HasSubstr("550"));
  EXPECT_TRUE(server->Delivered().empty());
}

}  // namespace
}  // namespace snpp::testing
