// Pages 100 recipients over one connection the way orvant-snpp-page does
// (session, run, line client, poll loop; a fresh session each time, as each
// program start has) and compares it with the raw ping-pong floor of the same
// batched exchange with the same server: the greeting, a PAGE per recipient,
// one MESS, one SEND and QUIT. The floor of the exchange the pager used
// before, PAGE, MESS and SEND for each recipient, is printed beside it.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/page_report.h"
#include "cli/page_run.h"
#include "cli/page_session.h"
#include "snpp_test_server.h"
#include "support/snpp_floor.h"

namespace {

constexpr int kRecipients = 100;
constexpr char kMessage[] = "Benchmark page";

// The batched exchange with nothing between it and the socket.
bool RawBatchedExchange(std::uint16_t port) {
  const int fd = snpp::bench::ConnectLoopback(port);
  if (fd < 0) return false;
  using snpp::bench::Ask;
  snpp::bench::ReadReply(fd);
  for (int i = 0; i < kRecipients; ++i) Ask(fd, "PAGE " + snpp::bench::BenchPagerId(i) + "\r\n");
  Ask(fd, std::string("MESS ") + kMessage + "\r\n");
  Ask(fd, "SEND\r\n");
  Ask(fd, "QUIT\r\n");
  ::close(fd);
  return true;
}

void RawBatched(benchmark::State& state) {
  snpp::testing::SnppTestServer server;
  for (auto _ : state) {
    if (!RawBatchedExchange(server.Port())) {
      state.SkipWithError("connect failed");
      break;
    }
  }
}

void RawPingPong(benchmark::State& state) {
  snpp::testing::SnppTestServer server;
  for (auto _ : state) {
    if (!snpp::bench::RawExchange(server.Port(), kRecipients, kMessage)) {
      state.SkipWithError("connect failed");
      break;
    }
  }
}

void PageCommand(benchmark::State& state) {
  snpp::testing::SnppTestServer server;
  std::vector<snpp::cli::Recipient> recipients;
  for (int i = 0; i < kRecipients; ++i) {
    const std::string id = snpp::bench::BenchPagerId(i);
    recipients.push_back({id, {}, id});
  }
  for (auto _ : state) {
    snpp::cli::PageSession session({"127.0.0.1", server.Port(), std::chrono::seconds(20), std::nullopt, {}});
    snpp::cli::PageRun run(recipients, {kMessage, std::nullopt, {}, false}, session.Wire());
    session.Run(run);
    if (snpp::cli::RunStatus(run.Results()) != snpp::cli::kAllAccepted) {
      state.SkipWithError("the run did not page everyone");
      break;
    }
  }
}

constexpr int kRepetitions = 11;
using snpp::bench::Fastest;
BENCHMARK(RawBatched)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(RawPingPong)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(PageCommand)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) {
  snpp::bench::RatioReporter reporter;
  snpp::bench::RunShuffled(argc, argv, reporter);
  auto& best = reporter.fastest;
  if (best.count("RawBatched") && best.count("RawPingPong") && best.count("PageCommand")) {
    const double floor = best["RawBatched"];
    const double page = best["PageCommand"];
    std::printf("\n%d recipients over one connection, ms per run (best / median of %d):\n", kRecipients,
                kRepetitions);
    std::printf("  floor, batched (N+3 round trips):      %.3f / %.3f\n", floor, reporter.median["RawBatched"]);
    std::printf("  floor, one job each (3N+1 round trips): %.3f / %.3f\n", best["RawPingPong"],
                reporter.median["RawPingPong"]);
    std::printf("  orvant-snpp-page run:                   %.3f / %.3f\n", page, reporter.median["PageCommand"]);
    std::printf("  ratio run / batched floor:              %.2fx (target <= 1.5x)\n", page / floor);
  }
  benchmark::Shutdown();
  return 0;
}
