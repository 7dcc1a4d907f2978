// The socket library's calls on Windows: "WSOCK32.DLL" loaded at run time,
// every function taken by its Windows Sockets 1.1 ordinal. The library's own
// declarations are not included (they clash with ours); the few records it
// exchanges are declared here as the 64-bit library lays them out.
// Without winsock.h, whose macros clash with our own declarations.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "socket_api.h"
#include "win32_notifications.h"
#include "win32_sockets.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {

using RawSocket = UINT_PTR;
constexpr RawSocket kRawInvalid = ~RawSocket(0);

struct RawAddress {  // sockaddr_in
  std::uint16_t family;
  std::uint16_t port;  // network order
  std::uint32_t address;
  char zero[8];
};

struct RawHost {  // hostent
  char* name;
  char** aliases;
  short addressType;
  short length;
  char** addresses;
};

struct RawStartup {  // WSADATA: Win64 moves the numbers before the texts
  std::uint16_t version;
  std::uint16_t highVersion;
#ifdef _WIN64
  std::uint16_t maxSockets;
  std::uint16_t maxDatagram;
  char* vendorInfo;
  char description[257];
  char systemStatus[129];
#else
  char description[257];
  char systemStatus[129];
  std::uint16_t maxSockets;
  std::uint16_t maxDatagram;
  char* vendorInfo;
#endif
};

// The entries this layer calls, each with its ordinal.
struct Calls {
  int(WINAPI* bind)(RawSocket, const RawAddress*, int);
  int(WINAPI* closesocket)(RawSocket);
  int(WINAPI* connect)(RawSocket, const RawAddress*, int);
  int(WINAPI* getsockname)(RawSocket, RawAddress*, int*);
  int(WINAPI* getsockopt)(RawSocket, int, int, char*, int*);
  std::uint16_t(WINAPI* htons)(std::uint16_t);
  unsigned long(WINAPI* inet_addr)(const char*);
  char*(WINAPI* inet_ntoa)(std::uint32_t);
  std::uint16_t(WINAPI* ntohs)(std::uint16_t);
  int(WINAPI* recv)(RawSocket, char*, int, int);
  int(WINAPI* send)(RawSocket, const char*, int, int);
  int(WINAPI* setsockopt)(RawSocket, int, int, const char*, int);
  RawSocket(WINAPI* socket)(int, int, int);
  RawHost*(WINAPI* gethostbyname)(const char*);
  int(WINAPI* gethostname)(char*, int);
  int(WINAPI* WSAAsyncSelect)(RawSocket, HWND, unsigned, long);
  int(WINAPI* WSAGetLastError)();
  void(WINAPI* WSASetLastError)(int);
  int(WINAPI* WSACancelBlockingCall)();
  BOOL(WINAPI* WSAIsBlocking)();
  int(WINAPI* WSAStartup)(std::uint16_t, RawStartup*);
  int(WINAPI* WSACleanup)();
};

Calls g_calls{};
FARPROC g_entries[152]{};  // by ordinal

template <typename F>
void Take(F& slot, int ordinal) {
  slot = reinterpret_cast<F>(reinterpret_cast<void*>(g_entries[ordinal]));
}

// All 47 functions of the 1.1 library must be there, or it is not one.
bool Resolve(HMODULE module) {
  for (const int ordinal : win32::kLibraryOrdinals) {
    g_entries[ordinal] = GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    if (g_entries[ordinal] == nullptr) return false;
  }
  Take(g_calls.bind, 2);
  Take(g_calls.closesocket, 3);
  Take(g_calls.connect, 4);
  Take(g_calls.getsockname, 6);
  Take(g_calls.getsockopt, 7);
  Take(g_calls.htons, 9);
  Take(g_calls.inet_addr, 10);
  Take(g_calls.inet_ntoa, 11);
  Take(g_calls.ntohs, 15);
  Take(g_calls.recv, 16);
  Take(g_calls.send, 19);
  Take(g_calls.setsockopt, 21);
  Take(g_calls.socket, 23);
  Take(g_calls.gethostbyname, 52);
  Take(g_calls.gethostname, 57);
  Take(g_calls.WSAAsyncSelect, 101);
  Take(g_calls.WSAGetLastError, 111);
  Take(g_calls.WSASetLastError, 112);
  Take(g_calls.WSACancelBlockingCall, 113);
  Take(g_calls.WSAIsBlocking, 114);
  Take(g_calls.WSAStartup, 115);
  Take(g_calls.WSACleanup, 116);
  return true;
}

int Fail(int code) {
  g_calls.WSASetLastError(code);
  return kSocketError;
}

RawSocket Raw(Socket s) { return s == kInvalidSocket ? kRawInvalid : static_cast<RawSocket>(s); }

std::string Bounded(const char* text, std::size_t most) { return std::string(text, strnlen(text, most)); }

int Startup(std::uint16_t version, StartupData& data) {
  RawStartup raw{};
  const int rc = g_calls.WSAStartup(version, &raw);
  if (rc != 0) return rc;
  data.version = raw.version;
  data.highVersion = raw.highVersion;
  data.description = Bounded(raw.description, 256);
  data.systemStatus = Bounded(raw.systemStatus, 128);
  data.maxSockets = raw.maxSockets;
  data.maxDatagram = raw.maxDatagram;
  return 0;
}

int Cleanup() { return g_calls.WSACleanup(); }

Socket CreateSocket(int family, int type, int protocol) {
  const RawSocket raw = g_calls.socket(family, type, protocol);
  if (raw == kRawInvalid) return kInvalidSocket;
  // Handles are small numbers; one that is not cannot be kept.
  if (raw > static_cast<RawSocket>(INT_MAX)) {
    g_calls.closesocket(raw);
    return Fail(10024);
  }
  return static_cast<Socket>(raw);
}

RawAddress MakeAddress(std::uint32_t address, std::uint16_t port) {
  RawAddress sa{};
  sa.family = kAfInet;
  sa.port = g_calls.htons(port);
  sa.address = address;
  return sa;
}

int Bind(Socket s, std::uint32_t address, std::uint16_t port) {
  const RawAddress sa = MakeAddress(address, port);
  return g_calls.bind(Raw(s), &sa, sizeof sa);
}

int Connect(Socket s, std::uint32_t address, std::uint16_t port) {
  const RawAddress sa = MakeAddress(address, port);
  return g_calls.connect(Raw(s), &sa, sizeof sa);
}

int Clamp(std::size_t length) { return static_cast<int>(std::min<std::size_t>(length, INT_MAX)); }

// The library announces free space again only after a send it refused, not
// after one it took in part. So a part is followed by sends of the rest until
// one is refused (or all is taken): the caller then always hears of the room.
long Send(Socket s, const char* data, std::size_t length, int flags) {
  long taken = 0;
  while (static_cast<std::size_t>(taken) < length) {
    const int n = g_calls.send(Raw(s), data + taken, Clamp(length - static_cast<std::size_t>(taken)), flags);
    if (n < 0) return taken == 0 ? kSocketError : taken;
    if (n == 0) break;
    taken += n;
  }
  return taken;
}

long Recv(Socket s, char* data, std::size_t length, int flags) {
  return g_calls.recv(Raw(s), data, Clamp(length), flags);
}

int CloseSocket(Socket s) {
  win32::Closed(s);
  return g_calls.closesocket(Raw(s));
}

int SetSockOpt(Socket s, int level, int name, const void* value, int length) {
  return g_calls.setsockopt(Raw(s), level, name, static_cast<const char*>(value), length);
}

int GetSockOpt(Socket s, int level, int name, void* value, int* length) {
  return g_calls.getsockopt(Raw(s), level, name, static_cast<char*>(value), length);
}

int GetSockName(Socket s, std::uint32_t* address, std::uint16_t* port) {
  RawAddress sa{};
  int len = sizeof sa;
  if (g_calls.getsockname(Raw(s), &sa, &len) != 0) return kSocketError;
  if (sa.family != kAfInet) return Fail(10047);
  if (address != nullptr) *address = sa.address;
  if (port != nullptr) *port = g_calls.ntohs(sa.port);
  return 0;
}

int GetHostName(char* name, int length) { return g_calls.gethostname(name, length); }

// A zero byte would cut the text short and turn it into another address or name.
bool HasZero(const std::string& text) { return text.find('\0') != std::string::npos; }

std::uint32_t InetAddr(const std::string& text) {
  if (HasZero(text)) return kInaddrNone;
  return static_cast<std::uint32_t>(g_calls.inet_addr(text.c_str()));
}

std::string InetNtoa(std::uint32_t address) {
  const char* text = g_calls.inet_ntoa(address);
  return text == nullptr ? std::string() : std::string(text);
}

bool GetHostByName(const std::string& name, std::uint32_t* address) {
  if (HasZero(name)) {
    g_calls.WSASetLastError(kWsaHostNotFound);
    return false;
  }
  const RawHost* host = g_calls.gethostbyname(name.c_str());
  if (host == nullptr) return false;
  if (host->addresses == nullptr || host->addresses[0] == nullptr || host->length != 4) {
    g_calls.WSASetLastError(kWsaNoData);
    return false;
  }
  std::memcpy(address, host->addresses[0], 4);
  return true;
}

int AsyncSelect(Socket s, NotificationSink* sink, long events) {
  if (sink == nullptr) return Fail(10022);
  void* window = win32::WindowFor(*sink);
  if (window == nullptr) return Fail(10022);  // no window, no notifications
  const int rc = g_calls.WSAAsyncSelect(Raw(s), static_cast<HWND>(window), events == 0 ? 0 : win32::kSocketMessage,
                                        events);
  if (rc != 0) return rc;
  win32::Selected(window, s, events != 0);
  return 0;
}

int GetLastError() { return g_calls.WSAGetLastError(); }
void SetLastError(int code) { g_calls.WSASetLastError(code); }
bool IsBlocking() { return g_calls.WSAIsBlocking() != FALSE; }
int CancelBlockingCall() { return g_calls.WSACancelBlockingCall(); }

const SocketFunctions kTable{
    Startup,    Cleanup,     CreateSocket,  Bind,        Connect,      Send,
    Recv,       CloseSocket, SetSockOpt,    GetSockOpt,  GetSockName,  GetHostName,
    InetAddr,   InetNtoa,    GetHostByName, AsyncSelect, GetLastError, SetLastError,
    IsBlocking, CancelBlockingCall};

}  // namespace

namespace win32 {
void* LibraryEntry(int ordinal) {
  return ordinal >= 0 && ordinal < 152 ? reinterpret_cast<void*>(g_entries[ordinal]) : nullptr;
}
}  // namespace win32

const SocketFunctions* SystemSocketFunctions(const std::string& path) {
  // The module stays loaded once it was: the table may be in use by any
  // client, and the system counts the module's users itself.
  static HMODULE module = nullptr;
  if (module == nullptr) {
    HMODULE loaded = LoadLibraryA(path.c_str());
    if (loaded == nullptr) return nullptr;
    if (!Resolve(loaded)) {
      FreeLibrary(loaded);
      return nullptr;
    }
    module = loaded;
  }
  return &kTable;
}

// The Windows library of these calls is IPv4 only.
const Ipv6Functions* Ipv6FunctionsOf(const SocketFunctions&) { return nullptr; }

}  // namespace snpp::net
