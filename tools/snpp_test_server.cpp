#include "snpp_test_server.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "loopback_socket.h"

namespace snpp::testing {

namespace {

std::string VerbOf(const std::string& line) {
  std::string verb = line.substr(0, line.find(' '));
  for (char& c : verb) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return verb;
}

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
  if (verb == "PAGE" || verb == "MESS" || verb == "SEND") return ServerAction::Reply("250 OK\r\n");
  if (verb == "QUIT") return ServerAction::Close("221 Goodbye\r\n");
  return ServerAction::Reply("500 Command not implemented\r\n");
}

ServerScript AcceptingScript() {
  return [](const std::string& line, int) { return AcceptingAnswer(line); };
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
    for (std::size_t lf = pending.find('\n'); lf != std::string::npos; lf = pending.find('\n')) {
      std::string line = pending.substr(0, lf);
      pending.erase(0, lf + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!HandleLine(fd, line, index++)) return;  // HandleLine closed fd
    }
  }
  sock::Close(fd);
}

// Returns false when the action ended the connection (fd is then closed).
bool SnppTestServer::HandleLine(sock::Handle fd, const std::string& line, int index) {
  {
    std::lock_guard lock(mutex_);
    if (observer_) observer_(line);
  }
  const ServerAction action = script_(line, index);
  switch (action.kind) {
    case ServerAction::Kind::Reply:
      WriteAll(fd, action.text);
      return true;
    case ServerAction::Kind::SplitReply: {
      const std::size_t at = std::min(action.splitAt, action.text.size());
      WriteAll(fd, action.text.substr(0, at));
      std::this_thread::sleep_for(std::chrono::milliseconds(kSplitPauseMs));
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

}  // namespace snpp::testing
