#include "loopback_socket.h"

#include <vector>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#endif

namespace snpp::testing::sock {

namespace {

#ifdef _WIN32
using Raw = SOCKET;
using Length = int;
constexpr int kNoSignal = 0;
struct Startup {
  Startup() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
  }
};
void EnsureStarted() { static Startup started; }
Raw ToRaw(Handle s) { return static_cast<Raw>(s); }
#else
using Raw = int;
using Length = socklen_t;
constexpr int kNoSignal = MSG_NOSIGNAL;
void EnsureStarted() {}
Raw ToRaw(Handle s) { return static_cast<Raw>(s); }
#endif

Handle FromRaw(Raw s) {
#ifdef _WIN32
  return s == INVALID_SOCKET ? kNone : static_cast<Handle>(s);
#else
  return s < 0 ? kNone : static_cast<Handle>(s);
#endif
}

sockaddr_in Loopback(std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  sa.sin_port = htons(port);
  return sa;
}

std::uint16_t PortOf(Raw s) {
  sockaddr_in sa{};
  Length len = sizeof sa;
  if (::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return 0;
  return ntohs(sa.sin_port);
}

Raw NewSocket() {
  EnsureStarted();
#ifdef _WIN32
  return ::socket(AF_INET, SOCK_STREAM, 0);
#else
  return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
#endif
}

}  // namespace

Handle Listen(std::uint16_t port, std::uint16_t* bound, int backlog) {
  const Raw s = NewSocket();
  if (FromRaw(s) == kNone) return kNone;
  const int yes = 1;
#ifndef _WIN32
  // On Windows this option would let two listeners share a port.
  ::setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
#else
  (void)yes;
#endif
  const sockaddr_in sa = Loopback(port);
  if (::bind(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 || ::listen(s, backlog) != 0) {
    Close(FromRaw(s));
    return kNone;
  }
  if (bound != nullptr) *bound = PortOf(s);
  return FromRaw(s);
}

Handle Accept(Handle listener) {
  const Raw s = ::accept(ToRaw(listener), nullptr, nullptr);
#ifndef _WIN32
  if (s >= 0) ::fcntl(s, F_SETFD, FD_CLOEXEC);
#endif
  return FromRaw(s);
}

bool SetNonBlocking(Handle s) {
#ifdef _WIN32
  u_long on = 1;
  return ::ioctlsocket(ToRaw(s), FIONBIO, &on) == 0;
#else
  const int flags = ::fcntl(ToRaw(s), F_GETFL);
  return flags >= 0 && ::fcntl(ToRaw(s), F_SETFL, flags | O_NONBLOCK) == 0;
#endif
}

void SetReceiveBuffer(Handle s, int bytes) {
  ::setsockopt(ToRaw(s), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&bytes), sizeof bytes);
}

long Send(Handle s, const char* data, std::size_t length) {
  return static_cast<long>(::send(ToRaw(s), data, static_cast<int>(length), kNoSignal));
}

long Recv(Handle s, char* data, std::size_t length) {
  return static_cast<long>(::recv(ToRaw(s), data, static_cast<int>(length), 0));
}

Error LastError() {
#ifdef _WIN32
  switch (WSAGetLastError()) {
    case WSAEWOULDBLOCK: return Error::WouldBlock;
    case WSAEINTR: return Error::Interrupted;
    case WSAECONNRESET:
    case WSAECONNABORTED: return Error::Reset;
    default: return Error::Other;
  }
#else
  switch (errno) {
    case EAGAIN: return Error::WouldBlock;
    case EINTR: return Error::Interrupted;
    case ECONNRESET: return Error::Reset;
    default: return Error::Other;
  }
#endif
}

void Close(Handle s) {
  if (s == kNone) return;
#ifdef _WIN32
  ::closesocket(ToRaw(s));
#else
  ::close(ToRaw(s));
#endif
}

void Abort(Handle s) {
  linger hard{};
  hard.l_onoff = 1;
  hard.l_linger = 0;
  ::setsockopt(ToRaw(s), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
  Close(s);
}

bool Pair(Handle out[2]) {
  std::uint16_t port = 0;
  const Handle listener = Listen(0, &port, 1);
  if (listener == kNone) return false;
  const Raw a = NewSocket();
  const sockaddr_in sa = Loopback(port);
  const bool connected =
      FromRaw(a) != kNone && ::connect(a, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
  const Handle b = connected ? Accept(listener) : kNone;
  Close(listener);
  if (b == kNone) {
    Close(FromRaw(a));
    return false;
  }
  out[0] = FromRaw(a);
  out[1] = b;
  return true;
}

int WaitReadable(std::initializer_list<Handle> sockets, int timeoutMs) {
  std::vector<pollfd> fds;
  for (const Handle s : sockets) {
    pollfd p{};
    p.fd = ToRaw(s);
    p.events = POLLIN;
    fds.push_back(p);
  }
#ifdef _WIN32
  const int ready = ::WSAPoll(fds.data(), static_cast<ULONG>(fds.size()), timeoutMs);
#else
  const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
#endif
  if (ready <= 0) return -1;
  for (std::size_t i = 0; i < fds.size(); ++i) {
    if (fds[i].revents != 0) return static_cast<int>(i);
  }
  return -1;
}

std::uint16_t UnusedPort() {
  std::uint16_t port = 0;
  Close(Listen(0, &port));
  return port;
}

bool UnderWine() {
#ifdef _WIN32
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

std::size_t OpenHandles() {
#ifdef _WIN32
  DWORD count = 0;
  GetProcessHandleCount(GetCurrentProcess(), &count);
  return count;
#else
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
#endif
}

}  // namespace snpp::testing::sock
