#include "snpp_test_server.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "loopback_socket.h"

namespace snpp::testing {

std::string VerbOf(const std::string& line) {
  std::string verb = line.substr(0, line.find(' '));
  for (char& c : verb) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return verb;
}

std::string ArgumentOf(const std::string& line) {
  const std::size_t blank = line.find(' ');
  return blank == std::string::npos ? std::string() : line.substr(blank + 1);
}

namespace {

bool WriteAll(sock::Handle fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const long n = sock::Send(fd, data.data() + done, data.size() - done);
    if (n < 0 && sock::LastError() == sock::Error::Interrupted) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}


}  // namespace

ServerAction AcceptingAnswer(const std::string& line) {
  const std::string verb = VerbOf(line);
  if (verb == "MESS" && ArgumentOf(line).empty()) {
    return ServerAction::Reply("500 'MESS': Syntax error, expecting <STRING>.\r\n");
  }
  if (verb == "PAGE" || verb == "MESS" || verb == "SEND" || verb == "LOGI" || verb == "LEVE") {
    return ServerAction::Reply("250 OK\r\n");
  }
  if (verb == "HELP") {
    return ServerAction::Reply(
        "214 Commands: LOGI LEVE PAGE MESS DATA SEND RESE HELP QUIT\r\n"
        "214 PAGE <pager ID>, MESS <text> or DATA, SEND\r\n"
        "250 End of help\r\n");
  }
  if (verb == "RESE") return ServerAction::Reply(kResetGreeting);
  if (verb == "QUIT") return ServerAction::Close("221 Goodbye\r\n");
  return ServerAction::Reply("500 Command not implemented\r\n");
}

std::string PaddedGreeting(const std::string& text, std::size_t totalBytes) {
  std::string greeting = "220 " + text;
  if (greeting.size() + 2 < totalBytes) greeting.append(totalBytes - 2 - greeting.size(), '.');
  return greeting + "\r\n";
}

ServerScript AcceptingScript() {
  auto inData = std::make_shared<bool>(false);
  return [inData](const std::string& line, int index) {
    if (index == 0) *inData = false;
    if (*inData) {
      if (line != ".") return ServerAction::Silence();
      *inData = false;
      return ServerAction::Reply("250 Message text OK.\r\n");
    }
    if (VerbOf(line) == "DATA") {
      *inData = true;
      return ServerAction::Reply(kDataGoAhead);
    }
    return AcceptingAnswer(line);
  };
}

ServerScript SequenceScript(std::vector<ServerAction> actions) {
  return [actions = std::move(actions)](const std::string& line, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < actions.size()) return actions[index];
    return AcceptingAnswer(line);
  };
}

SnppTestServer::SnppTestServer(ServerScript script, std::string greeting, std::uint16_t port)
    : script_(std::move(script)), greeting_(std::move(greeting)) {
  if (!sock::Pair(wakeFds_)) throw std::runtime_error("test server: no wake-up pair");
  listenFd_ = sock::Listen(port, &port_);
  if (listenFd_ == sock::kNone) {
    sock::Close(wakeFds_[0]);
    sock::Close(wakeFds_[1]);
    throw std::runtime_error("test server: cannot listen on 127.0.0.1");
  }
  thread_ = std::thread([this] { Run(); });
}

SnppTestServer::~SnppTestServer() {
  stop_ = true;
  const char wake = 'x';
  sock::Send(wakeFds_[1], &wake, 1);
  thread_.join();
  sock::Close(listenFd_);
  sock::Close(wakeFds_[0]);
  sock::Close(wakeFds_[1]);
}

std::string SnppTestServer::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::vector<std::string> SnppTestServer::ReceivedLines() const {
  const std::string all = Received();
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t lf = all.find('\n'); lf != std::string::npos; lf = all.find('\n', start)) {
    std::size_t end = lf;
    if (end > start && all[end - 1] == '\r') --end;
    lines.push_back(all.substr(start, end - start));
    start = lf + 1;
  }
  if (start < all.size()) lines.push_back(all.substr(start));
  return lines;
}

int SnppTestServer::Connections() const {
  std::lock_guard lock(mutex_);
  return connections_;
}

int SnppTestServer::ClosedConnections() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

std::vector<DeliveredPage> SnppTestServer::Delivered() const {
  std::lock_guard lock(mutex_);
  return delivered_;
}

void SnppTestServer::SetDeliveryObserver(std::function<void(const DeliveredPage&)> observer) {
  std::lock_guard lock(mutex_);
  deliveryObserver_ = std::move(observer);
}

void SnppTestServer::SetLineObserver(std::function<void(const std::string&)> observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}

void SnppTestServer::Run() {
  while (!stop_) {
    const int ready = sock::WaitReadable({listenFd_, wakeFds_[0]}, -1);
    if (ready < 0) {
      if (sock::LastError() == sock::Error::Interrupted) continue;
      return;
    }
    if (ready == 1) return;
    const sock::Handle fd = sock::Accept(listenFd_);
    if (fd == sock::kNone) continue;
    {
      std::lock_guard lock(mutex_);
      ++connections_;
    }
    Serve(fd);
    std::lock_guard lock(mutex_);
    ++closed_;
  }
}

void SnppTestServer::Serve(sock::Handle fd) {
  if (!greeting_.empty() && !WriteAll(fd, greeting_)) {
    sock::Close(fd);
    return;
  }
  std::string pending;
  int index = 0;
  char buffer[4096];
  while (!stop_) {
    const int ready = sock::WaitReadable({fd, wakeFds_[0]}, -1);
    if (ready < 0) {
      if (sock::LastError() == sock::Error::Interrupted) continue;
      break;
    }
    if (ready == 1) break;
    const long n = sock::Recv(fd, buffer, sizeof buffer);
    if (n < 0 && sock::LastError() == sock::Error::Interrupted) continue;
    if (n <= 0) break;
    {
      std::lock_guard lock(mutex_);
      received_.append(buffer, static_cast<std::size_t>(n));
    }
    pending.append(buffer, static_cast<std::size_t>(n));
    std::string line;
    while (TakeLine(pending, line)) {
      if (!HandleLine(fd, line, index++)) return;  // HandleLine closed fd
    }
  }
  sock::Close(fd);
}

// The next whole line of pending, CR LF removed; or, when a line limit is
// set and the line does not fit, as much of it as fits, the rest staying.
bool SnppTestServer::TakeLine(std::string& pending, std::string& line) const {
  const std::size_t limit = lineLimit_;
  const std::size_t most = limit > 1 ? limit - 1 : std::string::npos;
  const std::size_t lf = pending.find('\n');
  std::size_t take = 0;
  std::size_t drop = 0;
  if (lf != std::string::npos && lf < most) {
    take = lf;
    drop = 1;
  } else if (most != std::string::npos && pending.size() >= most) {
    take = most;
  } else {
    return false;
  }
  line = pending.substr(0, take);
  pending.erase(0, take + drop);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Returns false when the action ended the connection (fd is then closed).
bool SnppTestServer::HandleLine(sock::Handle fd, const std::string& line, int index) {
  {
    std::lock_guard lock(mutex_);
    if (observer_) observer_(line);
  }
  const ServerAction action = script_(line, index);
  if (action.delayMs > 0 && !Pause(action.delayMs)) return true;  // stopping
  if (!action.delivered.empty()) {
    std::lock_guard lock(mutex_);
    for (const DeliveredPage& page : action.delivered) {
      delivered_.push_back(page);
      if (deliveryObserver_) deliveryObserver_(page);
    }
  }
  switch (action.kind) {
    case ServerAction::Kind::Reply:
      WriteAll(fd, action.text);
      return true;
    case ServerAction::Kind::SplitReply: {
      const std::size_t at = std::min(action.splitAt, action.text.size());
      WriteAll(fd, action.text.substr(0, at));
      Pause(kSplitPauseMs);
      WriteAll(fd, action.text.substr(at));
      return true;
    }
    case ServerAction::Kind::Silence:
      return true;
    case ServerAction::Kind::Close:
      WriteAll(fd, action.text);
      sock::Close(fd);
      return false;
    case ServerAction::Kind::Reset:
      WriteAll(fd, action.text);
      sock::Abort(fd);
      return false;
  }
  return true;
}

// Waits without holding up a stopping server; false when it is stopping.
bool SnppTestServer::Pause(int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!stop_) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        until - std::chrono::steady_clock::now());
    if (left.count() <= 0) return true;
    if (sock::WaitReadable({wakeFds_[0]}, static_cast<int>(left.count())) == 0) return false;
  }
  return false;
}

}  // namespace snpp::testing
