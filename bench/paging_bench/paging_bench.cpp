// Pages 100 recipients over one connection through the whole engine (send
// controller, line client, poll loop) and compares it with the floor: a
// blocking client doing the same exchange with the same server, one greeting,
// three round trips per recipient and one for QUIT.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "net/line_client.h"
#include "net/poll_event_loop.h"
#include "paging/line_client_link.h"
#include "paging/send_controller.h"
#include "snpp_test_server.h"
#include "support/snpp_floor.h"

namespace {

constexpr int kRecipients = 100;

struct BenchView : snpp::PagingView {
  std::vector<std::string> names;
  std::string status;
  BenchView() {
    for (int i = 0; i < kRecipients; ++i) {
      names.push_back("Name" + std::to_string(i) + ", " + snpp::bench::BenchPagerId(i));
    }
  }
  std::string MessageText() const override { return "Benchmark page"; }
  std::string PagerNumber() const override { return {}; }
  int NameCount() const override { return static_cast<int>(names.size()); }
  std::string NameItem(int i) const override { return names[static_cast<std::size_t>(i)]; }
  bool NameChecked(int) const override { return true; }
  void ClearLog() override {}
  void AppendLog(const std::string&) override {}
  void SetStatusCaption(const std::string& text) override { status = text; }
  void SetStatusBarText(const std::string&) override {}
  std::string NoticeCaption() const override { return {}; }
  void SetNoticeCaption(const std::string&) override {}
  int NoticeLeft() const override { return 0; }
  void SetNoticeLeft(int) override {}
  int NoticeWidth() const override { return 0; }
  int NoticePanelWidth() const override { return 0; }
};

void RawPingPong(benchmark::State& state) {
  snpp::testing::SnppTestServer server;
  for (auto _ : state) {
    if (!snpp::bench::RawExchange(server.Port(), kRecipients, "Benchmark page")) {
      state.SkipWithError("connect failed");
      break;
    }
  }
}

void PagingEngine(benchmark::State& state) {
  snpp::testing::SnppTestServer server;
  snpp::net::PollEventLoop loop;
  snpp::net::TLineClient client(loop);
  snpp::LineClientLink link(client);
  BenchView view;
  snpp::SendController send(view, link, "127.0.0.1", server.Port());
  link.Attach(send);
  for (auto _ : state) {
    send.sendButtonClick();
    const bool done = loop.RunUntil([&] { return send.sendState() == snpp::SendState::Idle; },
                                    std::chrono::milliseconds(20000));
    if (!done || view.status != "SUCCESS") {
      state.SkipWithError("send did not succeed");
      break;
    }
  }
}

constexpr int kRepetitions = 11;
using snpp::bench::Fastest;
BENCHMARK(RawPingPong)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(PagingEngine)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);

}  // namespace

int main(int argc, char** argv) {
  snpp::bench::RatioReporter reporter;
  snpp::bench::RunShuffled(argc, argv, reporter);
  if (reporter.fastest.count("RawPingPong") && reporter.fastest.count("PagingEngine")) {
    const double floor = reporter.fastest["RawPingPong"];
    const double engine = reporter.fastest["PagingEngine"];
    std::printf("\n%d recipients over one connection, ms per send (best / median of %d):\n",
                kRecipients, kRepetitions);
    std::printf("  floor (raw ping-pong):  %.3f / %.3f\n", floor, reporter.median["RawPingPong"]);
    std::printf("  paging engine:          %.3f / %.3f\n", engine, reporter.median["PagingEngine"]);
    std::printf("  ratio engine / floor:   %.2fx (target <= 1.5x)\n", engine / floor);
  }
  benchmark::Shutdown();
  return 0;
}
