#pragma once
// What the paging benches measure against, in the same run: a blocking
// client doing the same exchange with the same test server (one greeting,
// PAGE, MESS and SEND per recipient, QUIT) with nothing between it and the
// socket; and a reporter that keeps each side's best and median repetition.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace snpp::bench {

// Replies come one at a time in lockstep, so a reply ends with its read.
inline void ReadReply(int fd) {
  char buffer[512];
  for (;;) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) throw std::runtime_error("server closed early");
    if (buffer[n - 1] == '\n') return;
  }
}

inline void Ask(int fd, const std::string& command) {
  if (::send(fd, command.data(), command.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(command.size())) {
    throw std::runtime_error("short send");
  }
  ReadReply(fd);
}

inline std::string BenchPagerId(int i) { return "555" + std::to_string(1000 + i); }

// A socket connected to the loopback port with nothing in between, or -1.
inline int ConnectLoopback(std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  const int yes = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(port);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// One whole exchange for `recipients` pager IDs; false if it could not connect.
inline bool RawExchange(std::uint16_t port, int recipients, const std::string& message) {
  const int fd = ConnectLoopback(port);
  if (fd < 0) return false;
  ReadReply(fd);
  for (int i = 0; i < recipients; ++i) {
    Ask(fd, "PAGE " + BenchPagerId(i) + "\r\n");
    Ask(fd, "MESS " + message + "\r\n");
    Ask(fd, "SEND\r\n");
  }
  Ask(fd, "QUIT\r\n");
  ::close(fd);
  return true;
}

// The machine is shared with builds that come and go, so both sides run in
// short repetitions shuffled together and are compared by their best
// repetition, the one least disturbed by other load; medians are printed too.
inline double Fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// Keeps each side's best and median time (ms) for the summary.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> fastest;
  std::map<std::string, double> median;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate) continue;
      const std::string name = run.benchmark_name();
      const std::string side = name.substr(0, name.find('/'));
      if (run.aggregate_name == "min") fastest[side] = run.GetAdjustedRealTime();
      if (run.aggregate_name == "median") median[side] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// Runs the registered benchmarks shuffled, aggregates only.
inline void RunShuffled(int argc, char** argv, RatioReporter& reporter) {
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  char aggregatesOnly[] = "--benchmark_report_aggregates_only=true";
  args.insert(args.begin() + 1, {interleave, aggregatesOnly});
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  benchmark::RunSpecifiedBenchmarks(&reporter);
}

}  // namespace snpp::bench
