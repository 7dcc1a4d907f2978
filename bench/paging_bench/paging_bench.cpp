// Pages 100 recipients over one connection through the whole engine (send
// controller, line client, poll loop) and compares it with the floor: a
// blocking client doing the same exchange with the same server, one greeting,
// three round trips per recipient and one for QUIT.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "net/line_client.h"
#include "net/poll_event_loop.h"
#include "paging/line_client_link.h"
#include "paging/send_controller.h"
#include "snpp_test_server.h"

namespace {

constexpr int kRecipients = 100;

struct BenchView : snpp::PagingView {
  std::vector<std::string> names;
  std::string status;
  BenchView() {
    for (int i = 0; i < kRecipients; ++i) names.push_back("Name" + std::to_string(i) + ", 555" + std::to_string(1000 + i));
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

// Replies come one at a time in lockstep, so a reply ends with its read.
void ReadReply(int fd) {
  char buffer[512];
  for (;;) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) throw std::runtime_error("server closed early");
    if (buffer[n - 1] == '\n') return;
  }
}

void Ask(int fd, const std::string& command) {
  if (::send(fd, command.data(), command.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(command.size())) {
    throw std::runtime_error("short send");
  }
  ReadReply(fd);
}

void RawPingPong(benchmark::State& state) {
  snpp::testing::SnppTestServer server;
  for (auto _ : state) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(server.Port());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
      state.SkipWithError("connect failed");
      ::close(fd);
      break;
    }
    ReadReply(fd);
    for (int i = 0; i < kRecipients; ++i) {
      Ask(fd, "PAGE 555" + std::to_string(1000 + i) + "\r\n");
      Ask(fd, "MESS Benchmark page\r\n");
      Ask(fd, "SEND\r\n");
    }
    Ask(fd, "QUIT\r\n");
    ::close(fd);
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

// The machine is shared with builds that come and go, so both sides run in
// short repetitions shuffled together and are compared by their best
// repetition, the one least disturbed by other load; medians are printed too.
constexpr int kRepetitions = 11;
double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
BENCHMARK(RawPingPong)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(PagingEngine)->Unit(benchmark::kMillisecond)->MinTime(0.3)->Repetitions(kRepetitions)
    ->ComputeStatistics("min", Fastest);

// Keeps each side's best and median time per send for the summary.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> fastest;
  std::map<std::string, double> median;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate) continue;
      const std::string name = run.benchmark_name();
      const std::string side = name.substr(0, name.find('/'));
      if (run.aggregate_name == "min") fastest[side] = run.GetAdjustedRealTime();  // ms
      if (run.aggregate_name == "median") median[side] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
  args.insert(args.begin() + 1, {interleave, aggregatesOnly});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
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
