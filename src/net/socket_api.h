#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace snpp::net {

// The socket library's vocabulary: handles, notification bits, option numbers
// and the table of calls the line client makes. One table is the POSIX
// backend, one the fallbacks used while the library is not loaded.

using Socket = int;
inline constexpr Socket kInvalidSocket = -1;
inline constexpr int kSocketError = -1;
inline constexpr std::uint32_t kInaddrNone = 0xFFFFFFFFu;

inline constexpr int kAfInet = 2;
inline constexpr int kAfInet6 = 23;
inline constexpr int kSockStream = 1;

// Notification events; the error code travels beside them.
inline constexpr long kFdRead = 0x01;
inline constexpr long kFdWrite = 0x02;
inline constexpr long kFdConnect = 0x10;
inline constexpr long kFdClose = 0x20;
inline constexpr long kFdAll = kFdRead | kFdWrite | kFdConnect | kFdClose;

// Socket-level options, numbered as the library numbers them.
inline constexpr int kSolSocket = 0xFFFF;
inline constexpr int kSoKeepAlive = 0x0008;
inline constexpr int kSoLinger = 0x0080;
inline constexpr int kSoOobInline = 0x0100;
inline constexpr int kSoSndBuf = 0x1001;
inline constexpr int kSoRcvBuf = 0x1002;

// Linger record: on = 1 with a zero timeout resets the connection on close.
struct LingerOption {
  std::uint16_t onoff = 0;
  std::uint16_t seconds = 0;
};

struct StartupData {
  std::uint16_t version = 0;      // low byte major, high byte minor
  std::uint16_t highVersion = 0;
  std::string description;        // at most 256 characters
  std::string systemStatus;       // at most 128 characters
  std::uint16_t maxSockets = 0;
  std::uint16_t maxDatagram = 0;
};

class NotificationSink;

// Addresses are IPv4 in network byte order; ports are in host order.
struct SocketFunctions {
  int (*Startup)(std::uint16_t version, StartupData& data);
  int (*Cleanup)();
  Socket (*CreateSocket)(int family, int type, int protocol);
  int (*Bind)(Socket s, std::uint32_t address, std::uint16_t port);
  int (*Connect)(Socket s, std::uint32_t address, std::uint16_t port);
  long (*Send)(Socket s, const char* data, std::size_t length, int flags);
  long (*Recv)(Socket s, char* data, std::size_t length, int flags);
  int (*CloseSocket)(Socket s);
  int (*SetSockOpt)(Socket s, int level, int name, const void* value, int length);
  int (*GetSockOpt)(Socket s, int level, int name, void* value, int* length);
  int (*GetSockName)(Socket s, std::uint32_t* address, std::uint16_t* port);
  int (*GetHostName)(char* name, int length);
  std::uint32_t (*InetAddr)(const std::string& text);
  std::string (*InetNtoa)(std::uint32_t address);  // empty on failure
  // Blocking lookup of the first IPv4 address; false and the last error set
  // when the host is not found.
  bool (*GetHostByName)(const std::string& name, std::uint32_t* address);
  // Notifications for `events` go to `sink` through its event loop; 0 stops
  // them. Never delivers anything inside a call of this table.
  int (*AsyncSelect)(Socket s, NotificationSink* sink, long events);
  int (*GetLastError)();
  void (*SetLastError)(int code);
  bool (*IsBlocking)();
  int (*CancelBlockingCall)();
};

// An IPv6 address. Only the POSIX layer has them; the Windows library is
// IPv4 only.
struct Address6 {
  std::uint8_t bytes[16] = {};
  std::uint32_t scope = 0;
  std::string text;  // the address as it is written
};

struct Ipv6Functions {
  // Blocking lookup of the first IPv6 address of a name or an address
  // literal; false and the last error set when there is none.
  bool (*GetHostByName6)(const std::string& name, Address6* address);
  int (*Connect6)(Socket s, const Address6& address, std::uint16_t port);
};

// The IPv6 calls that go with `api`, on sockets it made with kAfInet6;
// nullptr when it has none.
const Ipv6Functions* Ipv6FunctionsOf(const SocketFunctions& api);

const SocketFunctions& PosixSocketFunctions();
const SocketFunctions& FallbackSocketFunctions();

// The system's library at `path`: the POSIX layer, or on Windows the DLL
// loaded and resolved by ordinal. nullptr when it cannot be loaded.
const SocketFunctions* SystemSocketFunctions(const std::string& path);

}  // namespace snpp::net
