// What only the Windows build has: the library resolved by ordinal, the
// hidden notification window and the message-queue loop.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/socket_library.h"
#include "net/win32_event_loop.h"
#include "net/win32_notifications.h"
#include "net/win32_sockets.h"
#include "net_test_support.h"

namespace snpp::net {
namespace {

TEST(Win32Layer, EveryOrdinalIsTheFunctionOfThatName) {
  const char* const names[] = {
      "accept", "bind", "closesocket", "connect", "getpeername", "getsockname", "getsockopt", "htonl",
      "htons", "inet_addr", "inet_ntoa", "ioctlsocket", "listen", "ntohl", "ntohs", "recv", "recvfrom",
      "select", "send", "sendto", "setsockopt", "shutdown", "socket", "gethostbyaddr", "gethostbyname",
      "getprotobyname", "getprotobynumber", "getservbyname", "getservbyport", "gethostname",
      "WSAAsyncSelect", "WSAAsyncGetHostByAddr", "WSAAsyncGetHostByName", "WSAAsyncGetProtoByNumber",
      "WSAAsyncGetProtoByName", "WSAAsyncGetServByPort", "WSAAsyncGetServByName", "WSACancelAsyncRequest",
      "WSASetBlockingHook", "WSAUnhookBlockingHook", "WSAGetLastError", "WSASetLastError",
      "WSACancelBlockingCall", "WSAIsBlocking", "WSAStartup", "WSACleanup", "__WSAFDIsSet"};
  static_assert(std::size(names) == std::size(win32::kLibraryOrdinals));
  Win32EventLoop loop;
  TLineClient client(loop);
  ASSERT_TRUE(client.WinsockLoaded()) << client.WinsockInfo();
  EXPECT_EQ(client.WinsockStatus(), "Running");
  HMODULE module = GetModuleHandleA("WSOCK32.DLL");
  ASSERT_NE(module, nullptr);
  for (std::size_t i = 0; i < std::size(names); ++i) {
    SCOPED_TRACE(names[i]);
    EXPECT_EQ(win32::LibraryEntry(win32::kLibraryOrdinals[i]),
              reinterpret_cast<void*>(GetProcAddress(module, names[i])));
  }
}

// The notification windows of this thread (other test processes have theirs).
std::vector<HWND> SocketWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) -> BOOL {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) == win32::kWindowClass) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST(Win32Layer, EachClientHasAHiddenWindowThatGoesWithIt) {
  Win32EventLoop loop;
  testing::Peer peer;
  testing::EventLog log;
  {
    TLineClient client(loop);
    log.Attach(client);
    client.SetRemotePort(peer.Port());
    client.SetRemoteHost("127.0.0.1");
    client.SetConnected(true);
    ASSERT_TRUE(peer.Accept(loop));
    ASSERT_TRUE(loop.RunUntil([&] { return log.Has("ready"); }));
    const std::vector<HWND> windows = SocketWindows();
    ASSERT_EQ(windows.size(), 1u);
    HWND window = windows.front();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetClassLongA(window, GCL_CBWNDEXTRA), 12);
  }
  EXPECT_TRUE(SocketWindows().empty());
}

TEST(Win32Layer, LoopRunsPostsInOrderTicksTheTimerAndPassesErrorsOn) {
  Win32EventLoop loop;
  std::vector<std::string> seen;
  loop.Post([&] {
    seen.push_back("first");
    loop.Post([&] { seen.push_back("third"); });
  });
  loop.Post([&] { seen.push_back("second"); });
  EXPECT_TRUE(seen.empty());
  EXPECT_TRUE(loop.RunUntilIdle());
  EXPECT_EQ(seen, (std::vector<std::string>{"first", "second", "third"}));

  int ticks = 0;
  loop.StartTimer(Win32EventLoop::Duration(20), [&] {
    if (++ticks == 2) throw std::runtime_error("Host not found");
  });
  std::vector<std::string> shown;
  loop.OnException = [&](std::exception_ptr e) { shown.push_back(Win32EventLoop::ErrorBoxText(e)); };
  EXPECT_TRUE(loop.RunUntil([&] { return ticks >= 3; }));
  loop.StopTimer();
  EXPECT_EQ(shown, (std::vector<std::string>{"Host not found."}));

  loop.OnException = nullptr;
  loop.Post([] { throw std::runtime_error("out"); });
  EXPECT_THROW(loop.RunOnce(Win32EventLoop::Duration(0)), std::runtime_error);
}

}  // namespace
}  // namespace snpp::net
