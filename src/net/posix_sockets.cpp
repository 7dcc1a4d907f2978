// The socket library's calls over POSIX non-blocking sockets, with the
// library's error codes and its notification rules: connect once; write once
// after connect and again after a send that would block; read re-armed by
// each receive; close once, carrying the error of a reset.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <unordered_map>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include "notification_sink.h"
#include "socket_api.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {

int g_lastError = 0;
int g_startups = 0;

enum class Phase { Idle, Connecting, Completing, Connected, Failed };

struct AsyncState {
  NotificationSink* sink = nullptr;
  long events = 0;
  Phase phase = Phase::Idle;
  bool readEnabled = false;   // a read notification may be sent
  bool writeOwed = false;     // a write notification is due when there is room
  bool closeReported = false;
  bool readWatched = false;
  bool writeWatched = false;
  int stickyError = 0;        // every receive after a reset reports it again
  std::uint64_t serial = 0;
};

std::unordered_map<Socket, AsyncState> g_states;
std::uint64_t g_nextSerial = 1;

int Fail(int code) {
  g_lastError = code;
  return kSocketError;
}

int FailErrno() { return Fail(ErrorFromErrno(errno)); }

AsyncState* Find(Socket s) {
  auto it = g_states.find(s);
  return it == g_states.end() ? nullptr : &it->second;
}

void OnReadable(Socket s);
void OnWritable(Socket s);

void UpdateWatches(Socket s, AsyncState& st) {
  const bool wantRead = st.phase == Phase::Connected && !st.closeReported && st.readEnabled &&
                        (st.events & (kFdRead | kFdClose)) != 0;
  const bool wantWrite = st.phase == Phase::Connecting ||
                         (st.phase == Phase::Connected && st.writeOwed && (st.events & kFdWrite) != 0);
  EventLoop& loop = st.sink->Loop();
  if (wantRead != st.readWatched) {
    if (wantRead) loop.Watch(s, EventLoop::Direction::Read, [s] { OnReadable(s); });
    else loop.Unwatch(s, EventLoop::Direction::Read);
    st.readWatched = wantRead;
  }
  if (wantWrite != st.writeWatched) {
    if (wantWrite) loop.Watch(s, EventLoop::Direction::Write, [s] { OnWritable(s); });
    else loop.Unwatch(s, EventLoop::Direction::Write);
    st.writeWatched = wantWrite;
  }
}

void StopWatching(Socket s, AsyncState& st) {
  st.events = 0;
  st.phase = Phase::Failed;
  UpdateWatches(s, st);
}

// The sink's handler may close the socket; nothing of `st` is used after it.
void Notify(AsyncState& st, Socket s, long event, int error) {
  if ((st.events & event) != 0) st.sink->Deliver(s, event, error);
}

void ConnectDone(Socket s, int err) {
  AsyncState* st = Find(s);
  if (st == nullptr) return;
  st->phase = err == 0 ? Phase::Connected : Phase::Failed;
  st->readEnabled = err == 0;
  st->writeOwed = err == 0;
  UpdateWatches(s, *st);
  Notify(*st, s, kFdConnect, err == 0 ? 0 : ErrorFromErrno(err));
}

void OnWritable(Socket s) {
  AsyncState* st = Find(s);
  if (st == nullptr) return;
  if (st->phase == Phase::Connecting) {
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
    if (err == EINPROGRESS || err == EALREADY) return;
    ConnectDone(s, err);
    return;
  }
  if (st->phase == Phase::Connected && st->writeOwed) {
    st->writeOwed = false;
    UpdateWatches(s, *st);
    Notify(*st, s, kFdWrite, 0);
    return;
  }
  UpdateWatches(s, *st);
}

void ReportClose(Socket s, AsyncState& st, int error) {
  st.closeReported = true;
  UpdateWatches(s, st);
  Notify(st, s, kFdClose, error);
}

void OnReadable(Socket s) {
  AsyncState* st = Find(s);
  if (st == nullptr || st->closeReported || !st->readEnabled) return;
  if (st->stickyError != 0) {
    ReportClose(s, *st, st->stickyError);
    return;
  }
  char probe;
  const ssize_t n = ::recv(s, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
  if (n > 0) {
    st->readEnabled = false;  // until the owner receives
    UpdateWatches(s, *st);
    Notify(*st, s, kFdRead, 0);
  } else if (n == 0) {
    ReportClose(s, *st, 0);
  } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
    // Peeking consumed the pending error; keep it for the receives to come.
    st->stickyError = ErrorFromErrno(errno);
    ReportClose(s, *st, st->stickyError);
  }
}

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
  if (family != kAfInet || type != kSockStream) return Fail(10047);
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, protocol);
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
  const sockaddr_in sa = MakeAddress(address, port);
  return ::bind(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0 ? 0 : FailErrno();
}

bool IsConnectOutcome(int err) {
  return err == ECONNREFUSED || err == ENETUNREACH || err == EHOSTUNREACH || err == ETIMEDOUT;
}

// Like the library's asynchronous mode: the outcome of a connect always comes
// as a notification, even when the system knows it at once.
void CompleteLater(Socket s, AsyncState& st, int err) {
  st.phase = Phase::Completing;
  const std::uint64_t serial = st.serial;
  st.sink->Loop().Post([s, serial, err] {
    AsyncState* now = Find(s);
    if (now != nullptr && now->serial == serial && now->phase == Phase::Completing) ConnectDone(s, err);
  });
}

int Connect(Socket s, std::uint32_t address, std::uint16_t port) {
  const sockaddr_in sa = MakeAddress(address, port);
  int rc;
  do {
    rc = ::connect(s, reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
  } while (rc != 0 && errno == EINTR);
  const int err = rc == 0 ? 0 : errno;
  AsyncState* st = Find(s);
  if (err == EINPROGRESS) {
    if (st != nullptr) {
      st->phase = Phase::Connecting;
      UpdateWatches(s, *st);
    }
    return Fail(kWsaEwouldblock);
  }
  if (st != nullptr && (err == 0 || IsConnectOutcome(err))) {
    CompleteLater(s, *st, err);
    return Fail(kWsaEwouldblock);
  }
  return err == 0 ? 0 : Fail(ErrorFromErrno(err));
}

long Send(Socket s, const char* data, std::size_t length, int flags) {
  ssize_t n;
  do {
    n = ::send(s, data, length, flags | MSG_NOSIGNAL | MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  const int err = errno;
  AsyncState* st = Find(s);
  const bool blocked = n < 0 ? (err == EAGAIN || err == EWOULDBLOCK) : static_cast<std::size_t>(n) < length;
  if (st != nullptr && blocked) {
    st->writeOwed = true;
    UpdateWatches(s, *st);
  }
  if (n < 0) return Fail(ErrorFromErrno(err));
  return static_cast<long>(n);
}

long Recv(Socket s, char* data, std::size_t length, int flags) {
  AsyncState* st = Find(s);
  if (st != nullptr && st->stickyError != 0) return Fail(st->stickyError);
  ssize_t n;
  do {
    n = ::recv(s, data, length, flags | MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  const int err = errno;
  if (st != nullptr) {
    if (n < 0 && err != EAGAIN && err != EWOULDBLOCK && err != ENOTSOCK && err != EBADF) {
      st->stickyError = ErrorFromErrno(err);
    }
    if (!st->readEnabled) {
      st->readEnabled = true;
      UpdateWatches(s, *st);
    }
  }
  if (n < 0) return Fail(ErrorFromErrno(err));
  return static_cast<long>(n);
}

int CloseSocket(Socket s) {
  if (AsyncState* st = Find(s)) {
    StopWatching(s, *st);
    g_states.erase(s);
  }
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

bool GetHostByName(const std::string& name, std::uint32_t* address) {
  if (HasZero(name) || name.empty()) {
    Fail(kWsaHostNotFound);
    return false;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int rc = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (rc != 0 || found == nullptr) {
    Fail(rc != 0 ? ErrorFromLookup(rc, errno) : kWsaNoData);
    return false;
  }
  *address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  ::freeaddrinfo(found);
  return true;
}

int AsyncSelect(Socket s, NotificationSink* sink, long events) {
  int type = 0;
  socklen_t len = sizeof type;
  if (::getsockopt(s, SOL_SOCKET, SO_TYPE, &type, &len) != 0) return FailErrno();
  AsyncState* st = Find(s);
  if (events == 0 || sink == nullptr) {
    if (st != nullptr) StopWatching(s, *st);
    g_states.erase(s);
    return 0;
  }
  Phase phase = Phase::Idle;
  if (st != nullptr) {
    if (st->phase != Phase::Failed) phase = st->phase;
    StopWatching(s, *st);  // whatever the old registration watched is let go
  }
  AsyncState& state = g_states[s];
  state = AsyncState{};
  state.sink = sink;
  state.events = events & kFdAll;
  state.phase = phase;
  state.readEnabled = phase == Phase::Connected;
  state.serial = g_nextSerial++;
  UpdateWatches(s, state);
  return 0;
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

}  // namespace snpp::net
