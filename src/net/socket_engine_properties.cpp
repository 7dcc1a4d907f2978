// The engine's settings: line buffer, socket options, addresses and the
// socket library reference.
#include <new>
#include <utility>

#include "socket_engine.h"
#include "socket_library.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {
const SocketFunctions& Api() { return Library().Api(); }
}  // namespace

int SocketEngine::SetEOL(const std::string& value) {
  errorText_.clear();
  try {
    buffer_.SetTerminator(value);
  } catch (const std::bad_alloc&) {
    buffer_.SetTerminator({});
    return Refuse(kErrNoMemory, "Out of memory.");
  }
  // Data already buffered is cut with the new terminator on the next turn.
  if (connected_ && !closePending_ && socket_ != kInvalidSocket) sink_.Post(socket_, kFdRead, 0);
  return 0;
}

int SocketEngine::SetMaxLineLength(std::uint32_t value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    return Refuse(kErrLineLengthInUse, "You cannot change MaxLineSize at this time. A connection is in progress.");
  }
  const auto capacity = static_cast<std::uint16_t>(value & 0xFFFF);
  if (capacity == 0) {
    // A buffer without room would make every receive pass endless.
    return Refuse(kErrLineLengthZero, "MaxLineLength must leave a line buffer of 1 to 65535 bytes.");
  }
  try {
    buffer_.SetCapacity(capacity);
  } catch (const std::bad_alloc&) {
    return Refuse(kErrNoMemory, "Out of memory.");  // the old buffer stays usable
  }
  return 0;
}

void SocketEngine::ApplyOptions(Socket s) {
  const SocketFunctions& api = Api();
  const int keepAlive = keepAlive_ ? 1 : 0;
  const LingerOption lingerOption{static_cast<std::uint16_t>(linger_ ? 0 : 1), 0};
  const int on = 1;
  api.SetSockOpt(s, kSolSocket, kSoKeepAlive, &keepAlive, sizeof keepAlive);
  api.SetSockOpt(s, kSolSocket, kSoLinger, &lingerOption, sizeof lingerOption);
  api.SetSockOpt(s, kSolSocket, kSoRcvBuf, &inBufferSize_, sizeof inBufferSize_);
  api.SetSockOpt(s, kSolSocket, kSoSndBuf, &outBufferSize_, sizeof outBufferSize_);
  api.SetSockOpt(s, kSolSocket, kSoOobInline, &on, sizeof on);
}

int SocketEngine::SetIntOption(int name, std::int32_t value) {
  if (socket_ == kInvalidSocket) return 0;
  const SocketFunctions& api = Api();
  return api.SetSockOpt(socket_, kSolSocket, name, &value, sizeof value) == 0 ? 0 : Fail(api.GetLastError());
}

int SocketEngine::SetInBufferSize(std::int32_t value) {
  errorText_.clear();
  inBufferSize_ = value;
  return SetIntOption(kSoRcvBuf, value);
}

int SocketEngine::SetOutBufferSize(std::int32_t value) {
  errorText_.clear();
  outBufferSize_ = value;
  return SetIntOption(kSoSndBuf, value);
}

int SocketEngine::SetKeepAlive(bool value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    const SocketFunctions& api = Api();
    const int v = value ? 1 : 0;
    if (api.SetSockOpt(socket_, kSolSocket, kSoKeepAlive, &v, sizeof v) != 0) {
      const int err = api.GetLastError();
      int back = 0;
      int length = sizeof back;
      if (api.GetSockOpt(socket_, kSolSocket, kSoKeepAlive, &back, &length) == 0) keepAlive_ = back != 0;
      return Fail(err);
    }
  }
  keepAlive_ = value;
  return 0;
}

int SocketEngine::SetLinger(bool value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    const SocketFunctions& api = Api();
    const LingerOption option{static_cast<std::uint16_t>(value ? 0 : 1), 0};
    if (api.SetSockOpt(socket_, kSolSocket, kSoLinger, &option, sizeof option) != 0) {
      return Fail(api.GetLastError());
    }
  }
  linger_ = value;
  return 0;
}

std::string SocketEngine::LocalHost() const {
  const SocketFunctions& api = Api();
  if (connected_ && socket_ != kInvalidSocket) {
    std::uint32_t address = 0;
    if (api.GetSockName(socket_, &address, nullptr) == 0) {
      std::string text = api.InetNtoa(address);
      if (!text.empty()) return text;
    }
  }
  char name[101] = {};
  if (api.GetHostName(name, 100) == 0) return std::string(name);
  return DescribeError(api.GetLastError());
}

std::uint16_t SocketEngine::LocalPort() const {
  if (socket_ == kInvalidSocket) return localPort_;
  std::uint16_t port = 0;
  return Api().GetSockName(socket_, nullptr, &port) == 0 ? port : 0;
}

int SocketEngine::SetLocalPort(std::uint16_t value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    return Refuse(kErrLocalPortInUse,
                  "You cannot change the LocalPort at this time. A connection is in progress.");
  }
  localPort_ = value;
  return 0;
}

std::string SocketEngine::RemoteHost() const {
  if (remoteAddress6_) return remoteAddress6_->text;
  return remoteAddress_ == 0 ? std::string() : Api().InetNtoa(remoteAddress_);
}

int SocketEngine::SetRemoteHost(const std::string& value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    return Refuse(kErrHostInUse, "You cannot change the RemoteHost at this time. A connection is in progress.");
  }
  remoteAddress6_.reset();
  if (value.empty()) {
    remoteAddress_ = 0;
    return 0;
  }
  const SocketFunctions& api = Api();
  if (api.IsBlocking()) api.CancelBlockingCall();
  std::uint32_t address = api.InetAddr(value);
  if (address != kInaddrNone) {
    remoteAddress_ = address;
    return 0;
  }
  remoteAddress_ = 0;
  if (api.GetHostByName(value, &address)) {
    remoteAddress_ = address;
    return 0;
  }
  const int err = api.GetLastError();
  // A name with IPv6 addresses only, or an IPv6 address, where the socket
  // layer has IPv6; the IPv4 lookup's error stands otherwise.
  Address6 address6;
  if (const Ipv6Functions* v6 = Ipv6FunctionsOf(api); v6 != nullptr && v6->GetHostByName6(value, &address6)) {
    remoteAddress6_ = std::move(address6);
    return 0;
  }
  api.SetLastError(err);
  return err == kWsaNotinitialised ? 0 : Fail(err);
}

int SocketEngine::SetRemotePort(std::uint16_t value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    return Refuse(kErrPortInUse, "You cannot change the RemotePort at this time. A connection is in progress.");
  }
  remotePort_ = value;
  return 0;
}

std::string SocketEngine::WinsockInfo() const { return Library().Description(); }
std::string SocketEngine::WinsockStatus() const { return Library().SystemStatus(); }

void SocketEngine::SetWinsockLoaded(bool value) {
  if (value) {
    if (!libraryHeld_) libraryHeld_ = Library().Load();
    return;
  }
  if (!libraryHeld_) return;
  const LifeRef life(life_);
  if (socket_ != kInvalidSocket) {
    // The socket cannot outlive the library: close it first, as a local close.
    Api().AsyncSelect(socket_, &sink_, 0);
    CloseNow(0);
    if (life->alive) CloseSilently();  // one a handler may have opened meanwhile
  }
  if (life->alive) {
    Library().Release();
    libraryHeld_ = false;
  }
  ThrowPending(*life);
}

}  // namespace snpp::net
