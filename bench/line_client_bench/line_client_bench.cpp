// Inbound throughput of the line client over loopback, against a plain
// non-blocking recv loop reading the same stream in the same run, with the
// same read size and socket receive buffer. Also counts memory requests per
// data-in event.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/line_client.h"
#include "net/poll_event_loop.h"

namespace {

std::atomic<long> g_allocations{0};

std::size_t kStreamBytes = 64u << 20;
constexpr int kRounds = 5;

using Clock = std::chrono::steady_clock;

// CPU time of the reading thread: steadier than wall time on a busy machine,
// and it leaves out the writer thread.
double ThreadCpuSeconds() {
  timespec ts{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct Figures {
  double wallMBs = 0;
  double cpuMBs = 0;
  double allocationsPerEvent = 0;
  void KeepBest(const Figures& f) {
    wallMBs = std::max(wallMBs, f.wallMBs);
    if (f.cpuMBs > cpuMBs) {
      cpuMBs = f.cpuMBs;
      allocationsPerEvent = f.allocationsPerEvent;
    }
  }
};

Figures Rates(std::size_t bytes, double wall, double cpu) {
  const double mb = static_cast<double>(bytes) / 1e6;
  return {mb / wall, mb / cpu, 0};
}

std::string MakeBlock() {
  std::string line(78, 'x');
  line += "\r\n";  // 80-byte lines
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  return block;
}

class Listener {
 public:
  Listener() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    ::listen(fd_, 4);
    socklen_t len = sizeof sa;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &len);
    port_ = ntohs(sa.sin_port);
  }
  ~Listener() { ::close(fd_); }
  std::uint16_t Port() const { return port_; }

  // Accepts one connection and writes the stream to it from another thread.
  std::thread ServeOnce(const std::string& block) {
    return std::thread([this, &block] {
      const int c = ::accept(fd_, nullptr, nullptr);
      std::size_t sent = 0;
      while (sent < kStreamBytes) {
        const std::size_t want = std::min(block.size(), kStreamBytes - sent);
        const ssize_t n = ::send(c, block.data(), want, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      ::close(c);
    });
  }

 private:
  int fd_;
  std::uint16_t port_;
};

Figures PlainLoop(Listener& listener, const std::string& block, int rcvbuf, std::size_t readSize) {
  std::thread server = listener.ServeOnce(block);
  const int s = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  ::setsockopt(s, SOL_SOCKET, SO_RCVBUF, &rcvbuf, sizeof rcvbuf);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  sa.sin_port = htons(listener.Port());
  const auto start = Clock::now();
  const double cpuStart = ThreadCpuSeconds();
  ::connect(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  std::string buffer(readSize, '\0');
  std::size_t total = 0;
  for (;;) {
    pollfd p{s, POLLIN, 0};
    ::poll(&p, 1, -1);
    ssize_t n;
    while ((n = ::recv(s, buffer.data(), buffer.size(), MSG_DONTWAIT)) > 0) total += static_cast<std::size_t>(n);
    if (n == 0 || (n < 0 && errno != EAGAIN)) break;
  }
  const double cpu = ThreadCpuSeconds() - cpuStart;
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  ::close(s);
  server.join();
  if (total != kStreamBytes) std::fprintf(stderr, "plain loop got %zu bytes\n", total);
  return Rates(total, seconds, cpu);
}

Figures LineClient(Listener& listener, const std::string& block, const std::string& eol, int rcvbuf,
                        std::uint32_t lineLength) {
  std::thread server = listener.ServeOnce(block);
  snpp::net::PollEventLoop loop;
  snpp::net::TLineClient client(loop);
  client.SetInBufferSize(rcvbuf);
  client.SetMaxLineLength(lineLength);
  client.SetEOL(eol);
  std::size_t total = 0;
  long events = 0;
  bool done = false;
  client.OnDataIn = [&](snpp::net::TLineClient&, const std::string& text, bool isLine) {
    total += text.size() + (isLine ? eol.size() : 0);
    ++events;
  };
  client.OnDisconnected = [&](snpp::net::TLineClient&, int, const std::string&) { done = true; };
  client.SetRemotePort(listener.Port());
  client.SetRemoteHost("127.0.0.1");
  const auto start = Clock::now();
  const double cpuStart = ThreadCpuSeconds();
  const long allocationsBefore = g_allocations.load();
  client.SetConnected(true);
  while (!done) loop.RunOnce(std::chrono::milliseconds(1000));
  const long allocations = g_allocations.load() - allocationsBefore;
  const double cpu = ThreadCpuSeconds() - cpuStart;
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  server.join();
  if (total != kStreamBytes) std::fprintf(stderr, "line client got %zu bytes\n", total);
  Figures f = Rates(total, seconds, cpu);
  f.allocationsPerEvent = static_cast<double>(allocations) / static_cast<double>(std::max(events, 1L));
  return f;
}

void Compare(const char* title, const std::string& eol, int rcvbuf, std::uint32_t lineLength) {
  Listener listener;
  const std::string block = MakeBlock();
  Figures plain;
  Figures client;
  for (int round = 0; round < kRounds; ++round) {
    plain.KeepBest(PlainLoop(listener, block, rcvbuf, lineLength));
    client.KeepBest(LineClient(listener, block, eol, rcvbuf, lineLength));
  }
  std::printf("%s\n  wall:             plain loop %7.1f MB/s   line client %7.1f MB/s   ratio %.2f\n"
              "  reader CPU time:  plain loop %7.1f MB/s   line client %7.1f MB/s   ratio %.2f\n"
              "  memory requests per data-in event: %.3f\n",
              title, plain.wallMBs, client.wallMBs, client.wallMBs / plain.wallMBs, plain.cpuMBs, client.cpuMBs,
              client.cpuMBs / plain.cpuMBs, client.allocationsPerEvent);
}

}  // namespace

void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// With an argument "large" only the large-buffer cases run (for profiling).
int main(int argc, char** argv) {
  const bool largeOnly = argc > 1 && std::string(argv[1]) == "large";
  std::printf("80-byte lines over 127.0.0.1, best of %d rounds; the plain loop reads as much as the client\n",
              kRounds);
  if (!largeOnly) {
    kStreamBytes = 16u << 20;  // the small default buffers make this slow for both
    Compare("EOL CR LF, defaults (2048 B reads, rcvbuf 2048)", "\r\n", 2048, 2048);
    Compare("EOL empty, defaults (2048 B reads, rcvbuf 2048)", "", 2048, 2048);
  }
  kStreamBytes = 256u << 20;
  Compare("EOL CR LF, 65535 B reads, rcvbuf 256 KiB", "\r\n", 262144, 65535);
  Compare("EOL empty, 65535 B reads, rcvbuf 256 KiB", "", 262144, 65535);
  Compare("EOL CR LF, 2048 B reads, rcvbuf 256 KiB", "\r\n", 262144, 2048);
  Compare("EOL empty, 2048 B reads, rcvbuf 256 KiB", "", 262144, 2048);
  return 0;
}
