// Drives the line client's receive pass over a scripted socket: reads cut
// anywhere, read errors, the peer's close, local closes and reconnects, and
// handlers that close or write in the middle of a pass. Every byte the socket
// gave must come out of OnDataIn in order, unchanged and once (a close may
// keep back only what its own final read took), everything read is out by
// the time the close is reported, and nothing arrives on a closed connection.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <string>
#include <utility>

#include "net/line_client.h"
#include "net/notification_sink.h"
#include "net/socket_library.h"
#include "net/winsock_errors.h"

using namespace snpp::net;

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

constexpr Socket kSocket = 7;

// What the scripted socket holds and does.
struct Wire {
  std::string arriving;     // bytes the peer sent, not yet read
  std::string read;         // bytes handed to the client on this connection
  std::string closingRead;  // of those, what a close's final read took
  std::size_t chunk = 1;    // most bytes per read
  int readError = 0;        // the next read fails with this
  bool peerClosed = false;
  int lastError = 0;
  NotificationSink* sink = nullptr;
} wire;

int Startup(std::uint16_t, StartupData& d) {
  d.version = 0x0101;
  d.highVersion = 0x0101;
  return 0;
}
int Zero() { return 0; }
Socket CreateSocket(int, int, int) { return kSocket; }
int Bind(Socket, std::uint32_t, std::uint16_t) { return 0; }
int Connect(Socket, std::uint32_t, std::uint16_t) {
  wire.lastError = kWsaEwouldblock;
  return kSocketError;
}
long Send(Socket, const char*, std::size_t length, int) { return static_cast<long>(length); }
long Recv(Socket, char* data, std::size_t length, int) {
  if (wire.readError != 0) {
    wire.lastError = std::exchange(wire.readError, 0);
    return kSocketError;
  }
  if (!wire.arriving.empty()) {
    const std::size_t n = std::min({length, wire.chunk, wire.arriving.size()});
    std::memcpy(data, wire.arriving.data(), n);
    // A close stops the notifications before its final read.
    (wire.sink != nullptr ? wire.read : wire.closingRead).append(wire.arriving, 0, n);
    wire.arriving.erase(0, n);
    return static_cast<long>(n);
  }
  if (wire.peerClosed) return 0;
  wire.lastError = kWsaEwouldblock;
  return kSocketError;
}
int CloseSocket(Socket) { return 0; }
int SetSockOpt(Socket, int, int, const void*, int) { return 0; }
int GetSockOpt(Socket, int, int, void* value, int* length) {
  if (value != nullptr && length != nullptr) std::memset(value, 0, static_cast<std::size_t>(*length));
  return 0;
}
int GetSockName(Socket, std::uint32_t* a, std::uint16_t* p) {
  *a = 0x0100007F;
  *p = 1;
  return 0;
}
int GetHostName(char* name, int length) {
  std::strncpy(name, "fuzz", static_cast<std::size_t>(length));
  return 0;
}
std::uint32_t InetAddr(const std::string& text) { return text == "127.0.0.1" ? 0x0100007F : kInaddrNone; }
std::string InetNtoa(std::uint32_t) { return "127.0.0.1"; }
bool GetHostByName(const std::string&, std::uint32_t*) { return false; }
int AsyncSelect(Socket, NotificationSink* sink, long events) {
  wire.sink = events != 0 ? sink : nullptr;
  return 0;
}
int GetLastError() { return wire.lastError; }
void SetLastError(int code) { wire.lastError = code; }
bool IsBlocking() { return false; }

const SocketFunctions kTable{Startup,   Zero,       CreateSocket, Bind,        Connect,     Send,
                             Recv,      CloseSocket, SetSockOpt,  GetSockOpt,  GetSockName, GetHostName,
                             InetAddr,  InetNtoa,   GetHostByName, AsyncSelect, GetLastError, SetLastError,
                             IsBlocking, Zero};

struct QueueLoop : EventLoop {
  std::deque<Callback> posted;
  void Watch(int, Direction, Callback) override {}
  void Unwatch(int, Direction) override {}
  void Post(Callback fn) override { posted.push_back(std::move(fn)); }
  void RunPosted() {
    for (int n = 0; n < 64 && !posted.empty(); ++n) {
      Callback fn = std::move(posted.front());
      posted.pop_front();
      fn();
    }
  }
};

struct Observer {
  std::string eol;
  std::string delivered;  // rebuilt from OnDataIn: text, plus the terminator when EOL
  bool open = false;
  int closeInHandler = 0;  // close from the next data event(s)
  bool writeInHandler = false;
};

void Notify(long event, int error = 0) {
  if (wire.sink != nullptr) wire.sink->Deliver(kSocket, event, error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const bool loaderSet = [] {
    Library().SetLoader([](const std::string&) { return &kTable; });
    return true;
  }();
  (void)loaderSet;
  wire = Wire{};
  QueueLoop loop;
  Observer seen;
  {
    TLineClient client(loop);
    const char* const eols[] = {"", "\r\n", "\n", "ab"};
    seen.eol = eols[data[0] % 4];
    client.SetEOL(seen.eol);
    client.SetMaxLineLength(2 + data[1] % 40);
    client.SetRemoteHost("127.0.0.1");
    client.SetRemotePort(1);
    client.OnConnected = [&](TLineClient&, int code, const std::string&) { seen.open = code == 0; };
    client.OnDisconnected = [&](TLineClient&, int, const std::string&) {
      check(seen.open);
      check(seen.delivered == wire.read);
      seen.open = false;
    };
    client.OnDataIn = [&](TLineClient& c, const std::string& text, bool eol) {
      check(seen.open);
      seen.delivered += text;
      if (eol) seen.delivered += seen.eol;
      if (seen.writeInHandler) c.SetDataOut("x");
      if (seen.closeInHandler > 0 && --seen.closeInHandler == 0) c.SetConnected(false);
    };
    client.OnError = [&](TLineClient&, int, const std::string&) { check(seen.open); };

    const auto connect = [&] {
      wire.arriving.clear();
      wire.read.clear();
      wire.closingRead.clear();
      wire.peerClosed = false;
      seen.delivered.clear();
      client.SetConnected(true);
      Notify(kFdConnect);
    };
    connect();
    std::size_t i = 2;
    while (i < size) {
      const std::uint8_t op = data[i++];
      switch (op % 9) {
        case 0: case 1: {
          std::size_t n = i < size ? data[i++] % 32 : 0;
          n = std::min(n, size - i);
          if (!wire.peerClosed) wire.arriving.append(reinterpret_cast<const char*>(data + i), n);
          i += n;
          break;
        }
        case 2: wire.chunk = 1 + op / 9 % 16; break;
        case 3: Notify(kFdRead); break;
        case 4: wire.readError = 10054; Notify(kFdRead); break;
        case 5: wire.peerClosed = true; Notify(kFdClose); break;
        case 6: client.SetConnected(false); break;
        case 7: seen.closeInHandler = 1 + op / 9 % 3; seen.writeInHandler = op & 0x80; break;
        default:
          if (!client.Connected() && wire.sink == nullptr) connect();
          break;
      }
      loop.RunPosted();
      // In order, unchanged, once: what came out is what was read, so far.
      check(wire.read.compare(0, seen.delivered.size(), seen.delivered) == 0);
    }
  }
  loop.RunPosted();
  return 0;
}
