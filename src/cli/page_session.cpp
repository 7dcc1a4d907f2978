#include "cli/page_session.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "net/line_client.h"
#include "net/winsock_errors.h"
#ifdef _WIN32
#include "net/win32_event_loop.h"
#else
#include "net/poll_event_loop.h"
#endif

namespace snpp::cli {
namespace {

using Clock = std::chrono::steady_clock;
#ifdef _WIN32
using Loop = net::Win32EventLoop;  // the socket layer posts to a window
#else
using Loop = net::PollEventLoop;
#endif

// The loop wakes at least this often to look at the clock and for a stop.
constexpr std::chrono::milliseconds kLongestWait{100};

// Room for the longest message as DATA lines, and then some.
constexpr std::int32_t kOutBufferBytes = 256 * 1024;

// Writes through the line client. A write that fails (the server stopped
// reading, or the connection broke) closes the connection; the close then
// reports the write's error in place of its own.
class ClientWire : public PageWire {
 public:
  ClientWire(net::TLineClient& client, std::function<void()> onWrite)
      : client_(client), onWrite_(std::move(onWrite)) {}

  void Write(const std::string& command) override {
    try {
      client_.SetDataOut(command);
      onWrite_();
    } catch (const net::ELineClient& e) {
      Fail(e.Code(), SocketErrorText(e.Code()));
    }
  }

  void Close() override {
    try {
      client_.SetConnected(false);
    } catch (const net::ELineClient&) {
      // Closing cannot fail in a way that matters: the socket is gone.
    }
  }

  // A receive error: the same as a failed write.
  void Fail(int code, const std::string& text) {
    if (failCode_ == 0) {
      failCode_ = code;
      failText_ = text;
    }
    Close();
  }

  int FailCode() const { return failCode_; }
  const std::string& FailText() const { return failText_; }

 private:
  net::TLineClient& client_;
  std::function<void()> onWrite_;
  int failCode_ = 0;
  std::string failText_;
};

}  // namespace

std::string SocketErrorText(int code) {
#ifdef _WIN32
  return net::DescribeError(code);
#else
  if (code > net::kUnmappedErrnoBase && code < net::kUnmappedErrnoBase + 10000) {
    return std::strerror(code - net::kUnmappedErrnoBase);
  }
  std::string text = net::DescribeError(code);
  const std::size_t number = text.find("] ");
  if (text.starts_with('[') && number != std::string::npos) text.erase(0, number + 2);
  if (text.starts_with('(')) return "error " + std::to_string(code);  // no description
  // "Connection refused" reads as part of our sentence.
  if (text.size() > 1 && std::isupper(static_cast<unsigned char>(text[0])) &&
      std::islower(static_cast<unsigned char>(text[1]))) {
    text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  }
  return text;
#endif
}

struct PageSession::Parts {
  SessionSettings settings;
  Loop loop;
  net::TLineClient client{loop};
  Clock::time_point deadline;
  ClientWire wire{client, [this] { deadline = Clock::now() + settings.timeout; }};

  explicit Parts(SessionSettings s) : settings(std::move(s)) {}
};

PageSession::PageSession(SessionSettings settings) : parts_(std::make_unique<Parts>(std::move(settings))) {
  // Replies are read as lines; a server that ends them with LF alone is
  // understood too, and the run drops the CR.
  parts_->client.SetEOL("\n");
  // A DATA text goes in one write, which must be taken whole.
  parts_->client.SetOutBufferSize(kOutBufferBytes);
}

PageSession::~PageSession() {
  net::TLineClient& c = parts_->client;
  c.OnConnected = nullptr;
  c.OnDataIn = nullptr;
  c.OnDisconnected = nullptr;
  c.OnError = nullptr;
}

PageWire& PageSession::Wire() { return parts_->wire; }

void PageSession::Run(PageRun& run, const std::function<bool()>& stopRequested) {
  Parts& p = *parts_;
  net::TLineClient& c = p.client;
  c.OnConnected = [&](net::TLineClient&, int status, const std::string&) {
    run.Connected(status, status == 0 ? "OK" : SocketErrorText(status));
  };
  c.OnDataIn = [&](net::TLineClient&, const std::string& text, bool eol) { run.DataIn(text, eol); };
  c.OnDisconnected = [&](net::TLineClient&, int status, const std::string& text) {
    if (status == 0 && p.wire.FailCode() != 0) return run.Disconnected(p.wire.FailCode(), p.wire.FailText());
    run.Disconnected(status, status == 0 ? text : SocketErrorText(status));
  };
  // The event's own text only says which call failed; the code says why.
  c.OnError = [&](net::TLineClient&, int code, const std::string&) { p.wire.Fail(code, SocketErrorText(code)); };

  p.deadline = Clock::now() + p.settings.timeout;
  try {
    c.SetRemotePort(p.settings.port);
    c.SetRemoteHost(p.settings.host);  // resolves here, blocking
    c.SetConnected(true);
  } catch (const net::ELineClient& e) {
    // A socket error's text names the code again.
    const bool socketError = e.Code() >= net::kWsaEintr;
    run.Connected(e.Code(), socketError ? SocketErrorText(e.Code()) : std::string(e.Text()));
    return;
  }
  while (!run.Done()) {
    if (stopRequested && stopRequested()) {
      run.Interrupted();
      break;
    }
    const Clock::time_point now = Clock::now();
    if (p.settings.deadline && now >= *p.settings.deadline) {
      run.Interrupted(p.settings.deadlineText);
      break;
    }
    if (now >= p.deadline) {
      run.TimedOut();
      continue;
    }
    const Clock::time_point until = p.settings.deadline ? std::min(p.deadline, *p.settings.deadline) : p.deadline;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - now);
    p.loop.RunOnce(std::min(left, kLongestWait));
  }
}

}  // namespace snpp::cli
