#pragma once
// Carries a PageRun over one real connection: the line client on a poll
// loop, a time limit for each reply, and a stop request (a signal) checked
// between turns of the loop.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/page_run.h"

namespace snpp::cli {

struct SessionSettings {
  std::string host;
  std::uint16_t port = 0;
  std::chrono::milliseconds timeout{30000};  // for each reply, and for connecting
  // The end of the whole run, and what the run is told then.
  std::optional<std::chrono::steady_clock::time_point> deadline;
  std::string deadlineText;
};

// A socket error as the user reads it; on Linux without the Windows
// library's number ("connection refused").
std::string SocketErrorText(int code);

class PageSession {
 public:
  explicit PageSession(SessionSettings settings);
  ~PageSession();
  PageSession(const PageSession&) = delete;
  PageSession& operator=(const PageSession&) = delete;

  // The wire to give the run.
  PageWire& Wire();

  // Returns when the run is done.
  void Run(PageRun& run, const std::function<bool()>& stopRequested = {});

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace snpp::cli
