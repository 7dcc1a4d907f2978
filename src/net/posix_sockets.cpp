// The socket library's calls over POSIX non-blocking sockets, with the
// library's error codes.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "posix_notifications.h"
#include "socket_api.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {

int g_lastError = 0;
int g_startups = 0;

int Fail(int code) {
  g_lastError = code;
  return kSocketError;
}

int FailErrno() { return Fail(ErrorFromErrno(errno)); }

int Startup(std::uint16_t version, StartupData& data) {
  const int major = version & 0xFF;
  const int minor = version >> 8;
  if (major < 1 || (major == 1 && minor < 1)) return kWsaVernotsupported;
  rlimit files{};
  std::uint16_t maxSockets = 0xFFFF;
  if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < 0xFFFF) {
    maxSockets = static_cast<std::uint16_t>(files.rlim_cur);
  }
  data.version = 0x0101;
  data.highVersion = 0x0101;
  data.description = "Line client socket layer 1.1 on POSIX sockets";
  data.systemStatus = "Running";
  data.maxSockets = maxSockets;
  data.maxDatagram = 65507;
  ++g_startups;
  return 0;
}

int Cleanup() {
  if (g_startups == 0) return Fail(kWsaNotinitialised);
  --g_startups;
  return 0;
}

Socket CreateSocket(int family, int type, int protocol) {
  if ((family != kAfInet && family != kAfInet6) || type != kSockStream) return Fail(10047);
  const int fd =
      ::socket(family == kAfInet6 ? AF_INET6 : AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
  return fd < 0 ? FailErrno() : fd;
}

sockaddr_in MakeAddress(std::uint32_t address, std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr.s_addr = address;
  sa.sin_port = htons(port);
  return sa;
}

int Bind(Socket s, std::uint32_t address, std::uint16_t port) {
  int domain = AF_INET;
  socklen_t length = sizeof domain;
  if (address == 0 && ::getsockopt(s, SOL_SOCKET, SO_DOMAIN, &domain, &length) == 0 && domain == AF_INET6) {
    sockaddr_in6 any{};
    any.sin6_family = AF_INET6;
    any.sin6_port = htons(port);
    return ::bind(s, reinterpret_cast<const sockaddr*>(&any), sizeof any) == 0 ? 0 : FailErrno();
  }
  const sockaddr_in sa = MakeAddress(address, port);
  return ::bind(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0 ? 0 : FailErrno();
}

bool IsConnectOutcome(int err) {
  return err == ECONNREFUSED || err == ENETUNREACH || err == EHOSTUNREACH || err == ETIMEDOUT;
}

int ConnectTo(Socket s, const sockaddr* sa, socklen_t length) {
  int rc;
  do {
    rc = ::connect(s, sa, length);
  } while (rc != 0 && errno == EINTR);
  const int err = rc == 0 ? 0 : errno;
  if (err == EINPROGRESS) {
    posix::ConnectStarted(s);
    return Fail(kWsaEwouldblock);
  }
  if ((err == 0 || IsConnectOutcome(err)) && posix::CompleteConnectLater(s, err)) return Fail(kWsaEwouldblock);
  return err == 0 ? 0 : Fail(ErrorFromErrno(err));
}

int Connect(Socket s, std::uint32_t address, std::uint16_t port) {
  const sockaddr_in sa = MakeAddress(address, port);
  return ConnectTo(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
}

int Connect6(Socket s, const Address6& address, std::uint16_t port) {
  sockaddr_in6 sa{};
  sa.sin6_family = AF_INET6;
  std::memcpy(&sa.sin6_addr, address.bytes, sizeof address.bytes);
  sa.sin6_scope_id = address.scope;
  sa.sin6_port = htons(port);
  return ConnectTo(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
}

long Send(Socket s, const char* data, std::size_t length, int flags) {
  ssize_t n;
  do {
    n = ::send(s, data, length, flags | MSG_NOSIGNAL | MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  const int err = errno;
  if (n < 0 ? (err == EAGAIN || err == EWOULDBLOCK) : static_cast<std::size_t>(n) < length) posix::SendBlocked(s);
  if (n < 0) return Fail(ErrorFromErrno(err));
  return static_cast<long>(n);
}

long Recv(Socket s, char* data, std::size_t length, int flags) {
  if (const int sticky = posix::StickyError(s); sticky != 0) return Fail(sticky);
  ssize_t n;
  do {
    n = ::recv(s, data, length, flags | MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  const int err = n < 0 ? errno : 0;
  posix::Received(s, err);
  if (n < 0) return Fail(ErrorFromErrno(err));
  return static_cast<long>(n);
}

int CloseSocket(Socket s) {
  posix::Forget(s);
  return ::close(s) == 0 ? 0 : FailErrno();
}

bool MapOption(int level, int name, int* sysName) {
  if (level != kSolSocket) return false;
  switch (name) {
    case kSoKeepAlive: *sysName = SO_KEEPALIVE; return true;
    case kSoLinger: *sysName = SO_LINGER; return true;
    case kSoOobInline: *sysName = SO_OOBINLINE; return true;
    case kSoSndBuf: *sysName = SO_SNDBUF; return true;
    case kSoRcvBuf: *sysName = SO_RCVBUF; return true;
    default: return false;
  }
}

int SetSockOpt(Socket s, int level, int name, const void* value, int length) {
  int sysName = 0;
  if (!MapOption(level, name, &sysName)) return Fail(10042);
  if (value == nullptr) return Fail(10014);
  if (sysName == SO_LINGER) {
    if (length < static_cast<int>(sizeof(LingerOption))) return Fail(10014);
    LingerOption in;
    std::memcpy(&in, value, sizeof in);
    const linger out{in.onoff != 0 ? 1 : 0, in.seconds};
    return ::setsockopt(s, SOL_SOCKET, SO_LINGER, &out, sizeof out) == 0 ? 0 : FailErrno();
  }
  if (length < static_cast<int>(sizeof(int))) return Fail(10014);
  int v;
  std::memcpy(&v, value, sizeof v);
  return ::setsockopt(s, SOL_SOCKET, sysName, &v, sizeof v) == 0 ? 0 : FailErrno();
}

int GetSockOpt(Socket s, int level, int name, void* value, int* length) {
  int sysName = 0;
  if (!MapOption(level, name, &sysName)) return Fail(10042);
  if (value == nullptr || length == nullptr) return Fail(10014);
  if (sysName == SO_LINGER) {
    if (*length < static_cast<int>(sizeof(LingerOption))) return Fail(10014);
    linger in{};
    socklen_t len = sizeof in;
    if (::getsockopt(s, SOL_SOCKET, SO_LINGER, &in, &len) != 0) return FailErrno();
    const LingerOption out{static_cast<std::uint16_t>(in.l_onoff != 0),
                           static_cast<std::uint16_t>(std::clamp(in.l_linger, 0, 0xFFFF))};
    std::memcpy(value, &out, sizeof out);
    *length = sizeof out;
    return 0;
  }
  if (*length < static_cast<int>(sizeof(int))) return Fail(10014);
  int v = 0;
  socklen_t len = sizeof v;
  if (::getsockopt(s, SOL_SOCKET, sysName, &v, &len) != 0) return FailErrno();
  std::memcpy(value, &v, sizeof v);
  *length = sizeof v;
  return 0;
}

int GetSockName(Socket s, std::uint32_t* address, std::uint16_t* port) {
  sockaddr_in sa{};
  socklen_t len = sizeof sa;
  if (::getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len) != 0) return FailErrno();
  if (sa.sin_family != AF_INET) return Fail(10047);
  if (address != nullptr) *address = sa.sin_addr.s_addr;
  if (port != nullptr) *port = ntohs(sa.sin_port);
  return 0;
}

int GetHostName(char* name, int length) {
  if (name == nullptr || length <= 0) return Fail(10014);
  if (::gethostname(name, static_cast<std::size_t>(length)) != 0) return FailErrno();
  name[length - 1] = '\0';
  return 0;
}

// A zero byte would cut the text short and turn it into another address or name.
bool HasZero(const std::string& text) { return text.find('\0') != std::string::npos; }

std::uint32_t InetAddr(const std::string& text) {
  if (HasZero(text)) return kInaddrNone;
  return ::inet_addr(text.c_str());
}

std::string InetNtoa(std::uint32_t address) {
  char text[INET_ADDRSTRLEN];
  in_addr a{};
  a.s_addr = address;
  return ::inet_ntop(AF_INET, &a, text, sizeof text) ? std::string(text) : std::string();
}

using FoundAddress = std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)>;

// The first address of `family` that `name` has, or none, with the error
// Winsock's lookup would give.
FoundAddress LookUp(const std::string& name, int family) {
  if (HasZero(name) || name.empty()) {
    Fail(kWsaHostNotFound);
    return {nullptr, &::freeaddrinfo};
  }
  addrinfo hints{};
  hints.ai_family = family;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int rc = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (rc != 0 || found == nullptr) {
    Fail(rc != 0 ? ErrorFromLookup(rc, errno) : kWsaNoData);
    if (found) ::freeaddrinfo(found);
    return {nullptr, &::freeaddrinfo};
  }
  return {found, &::freeaddrinfo};
}

bool GetHostByName(const std::string& name, std::uint32_t* address) {
  const FoundAddress found = LookUp(name, AF_INET);
  if (!found) return false;
  *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  return true;
}

bool GetHostByName6(const std::string& name, Address6* address) {
  const FoundAddress found = LookUp(name, AF_INET6);
  if (!found) return false;
  const auto* sa = reinterpret_cast<const sockaddr_in6*>(found->ai_addr);
  std::memcpy(address->bytes, &sa->sin6_addr, sizeof address->bytes);
  address->scope = sa->sin6_scope_id;
  char text[INET6_ADDRSTRLEN] = {};
  address->text = ::inet_ntop(AF_INET6, &sa->sin6_addr, text, sizeof text) ? text : "";
  return true;
}

int AsyncSelect(Socket s, NotificationSink* sink, long events) {
  const int rc = posix::Select(s, sink, events);
  return rc == 0 ? 0 : Fail(rc);
}

int GetLastError() { return g_lastError; }
void SetLastError(int code) { g_lastError = code; }
bool IsBlocking() { return false; }
int CancelBlockingCall() { return Fail(10022); }  // nothing ever blocks here

}  // namespace

const SocketFunctions& PosixSocketFunctions() {
  static const SocketFunctions table{
      Startup,     Cleanup,     CreateSocket,  Bind,         Connect,       Send,
      Recv,        CloseSocket, SetSockOpt,    GetSockOpt,   GetSockName,   GetHostName,
      InetAddr,    InetNtoa,    GetHostByName, AsyncSelect,  GetLastError,  SetLastError,
      IsBlocking,  CancelBlockingCall};
  return table;
}

const Ipv6Functions* Ipv6FunctionsOf(const SocketFunctions& api) {
  static const Ipv6Functions table{GetHostByName6, Connect6};
  return &api == &PosixSocketFunctions() ? &table : nullptr;
}

const SocketFunctions* SystemSocketFunctions(const std::string&) { return &PosixSocketFunctions(); }

}  // namespace snpp::net
