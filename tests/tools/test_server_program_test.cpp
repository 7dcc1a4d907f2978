// The snpp-test-server program: its record of delivered pages, one line each.
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "loopback_socket.h"
#include "snpp_peer.h"

namespace snpp::testing {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(TestServerProgram, WritesEachDeliveredPageOnALineOfItsOwn) {
  const std::filesystem::path log =
      std::filesystem::temp_directory_path() / ("snpp-pages-" + std::to_string(::getpid()) + ".log");
  std::filesystem::remove(log);
  const std::uint16_t port = sock::UnusedPort();
  BackgroundProgram server(TEST_SERVER_PROGRAM, {"--port", std::to_string(port), "--pages-log", log.string()});
  ASSERT_TRUE(server.Started());
  std::unique_ptr<SnppClient> client;
  for (int tries = 0; tries < 100 && !(client && client->Connected()); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    client = std::make_unique<SnppClient>(port);
  }
  ASSERT_TRUE(client->Connected());
  client->Say("PAGE 5551234");
  client->Say("PAGE 5555678");
  client->Say("DATA");
  client->Write("tab\there\r\nback\\slash\r\n");
  client->Say(".");
  // The record is written before the reply goes out.
  EXPECT_EQ(client->Say("SEND"), "250 Message processing completed.");
  EXPECT_EQ(ReadFile(log), "5551234\ttab\\there\\nback\\\\slash\n5555678\ttab\\there\\nback\\\\slash\n");
  std::filesystem::remove(log);
}

TEST(TestServerProgram, RefusesALineLimitThatHoldsNothing) {
  const ProgramOutcome r = RunProgram(TEST_SERVER_PROGRAM, {"--line-limit", "1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("bad value for --line-limit"), std::string::npos);
}

}  // namespace
}  // namespace snpp::testing
