#include "qt/app/qt_event_loop.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

#include <gtest/gtest.h>

#include "net/line_client.h"

namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "qt_event_loop_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

bool RunUntil(const std::function<bool()>& done, int limitMs = 10000) {
  App();
  QDeadlineTimer deadline(limitMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  }
  return true;
}

TEST(QtEventLoop, PostedCallsRunLaterInOrderAndExceptionsStayInside) {
  App();
  QtEventLoop loop;
  std::vector<std::string> seen;
  loop.OnException = [&](std::exception_ptr) { seen.push_back("caught"); };
  loop.Post([&] { seen.push_back("first"); });
  loop.Post([&] { throw std::runtime_error("handler failed"); });
  loop.Post([&] { seen.push_back("last"); });
  EXPECT_TRUE(seen.empty());
  ASSERT_TRUE(RunUntil([&] { return seen.size() == 3; }));
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "caught", "last"}));
}

TEST(QtEventLoop, LineClientReceivesALineFromALoopbackListener) {
  App();
  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&sa), sizeof sa), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  socklen_t len = sizeof sa;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&sa), &len);

  QtEventLoop loop;
  std::vector<std::string> events;
  {
    snpp::net::TLineClient client(loop);
    client.SetEOL("\r\n");
    client.OnConnected = [&](snpp::net::TLineClient&, int code, const std::string& text) {
      events.push_back("connected " + std::to_string(code) + " " + text);
    };
    client.OnDataIn = [&](snpp::net::TLineClient&, const std::string& text, bool eol) {
      events.push_back("data [" + text + "] " + (eol ? "T" : "F"));
    };
    client.OnDisconnected = [&](snpp::net::TLineClient&, int code, const std::string& text) {
      events.push_back("disconnected " + std::to_string(code) + " " + text);
    };
    client.SetRemotePort(ntohs(sa.sin_port));
    client.SetRemoteHost("127.0.0.1");
    client.SetConnected(true);

    int peer = -1;
    ASSERT_TRUE(RunUntil([&] { return (peer = ::accept(listener, nullptr, nullptr)) >= 0; }));
    ASSERT_EQ(::send(peer, "220 Hello\r\n", 11, MSG_NOSIGNAL), 11);
    ASSERT_TRUE(RunUntil([&] { return events.size() >= 2; }));
    client.SetDataOut("QUIT\r\n");
    char reply[16];
    EXPECT_EQ(::recv(peer, reply, sizeof reply, 0), 6);
    ::close(peer);
    ASSERT_TRUE(RunUntil([&] { return events.size() >= 3; }));
    EXPECT_FALSE(client.Connected());
  }
  ::close(listener);
  EXPECT_EQ(events, (std::vector<std::string>{"connected 0 OK", "data [220 Hello] T", "disconnected 0 OK"}));
}

}  // namespace
