#include "cli/page_session.h"

#include <algorithm>

#include "net/line_client.h"
#include "net/poll_event_loop.h"
#include "net/winsock_errors.h"

namespace snpp::cli {
namespace {

using Clock = std::chrono::steady_clock;

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
      Fail(e.Code(), e.what());
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

struct PageSession::Parts {
  SessionSettings settings;
  net::PollEventLoop loop;
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
  c.OnConnected = [&](net::TLineClient&, int status, const std::string& text) { run.Connected(status, text); };
  c.OnDataIn = [&](net::TLineClient&, const std::string& text, bool eol) { run.DataIn(text, eol); };
  c.OnDisconnected = [&](net::TLineClient&, int status, const std::string& text) {
    if (status == 0 && p.wire.FailCode() != 0) return run.Disconnected(p.wire.FailCode(), p.wire.FailText());
    run.Disconnected(status, text);
  };
  // The event's own text only says which call failed; the code says why.
  c.OnError = [&](net::TLineClient&, int code, const std::string&) { p.wire.Fail(code, net::DescribeError(code)); };

  p.deadline = Clock::now() + p.settings.timeout;
  try {
    c.SetRemotePort(p.settings.port);
    c.SetRemoteHost(p.settings.host);  // resolves here, blocking
    c.SetConnected(true);
  } catch (const net::ELineClient& e) {
    // Its message is "code: text", and the text names the code already.
    const std::string message = e.what();
    const std::size_t colon = message.find(": ");
    run.Connected(e.Code(), colon == std::string::npos ? message : message.substr(colon + 2));
    return;
  }
  while (!run.Done()) {
    if (stopRequested && stopRequested()) {
      run.Interrupted();
      break;
    }
    const Clock::time_point now = Clock::now();
    if (now >= p.deadline) {
      run.TimedOut();
      continue;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(p.deadline - now);
    p.loop.RunOnce(std::min(left, kLongestWait));
  }
}

}  // namespace snpp::cli
