#include "socket_engine.h"

#include <utility>

#include "socket_library.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {
const SocketFunctions& Api() { return Library().Api(); }
}  // namespace

SocketEngine::SocketEngine(EventLoop& loop, EngineEvents& events)
    : events_(events),
      sink_(loop, [this](Socket s, long event, int error) { OnNotification(s, event, error); }),
      buffer_(LineBuffer::kDefaultCapacity) {
  SetWinsockLoaded(true);
}

SocketEngine::~SocketEngine() {
  life_->alive = false;
  if (socket_ != kInvalidSocket) {
    // An open connection is reset, not closed gracefully.
    linger_ = false;
    const LingerOption reset{1, 0};
    Api().SetSockOpt(socket_, kSolSocket, kSoLinger, &reset, sizeof reset);
    CloseSilently();
  }
  if (libraryHeld_) Library().Release();
}

void SocketEngine::ThrowPending(Life& life) {
  if (life.pending) std::rethrow_exception(std::exchange(life.pending, nullptr));
}

int SocketEngine::Fail(int code) {
  if (code == 0) code = 10022;  // a failure must never read as success
  if (errorText_.empty()) errorText_ = code == kErrNoMemory ? "Out of memory." : DescribeError(code);
  return code;
}

int SocketEngine::Refuse(int code, const char* text) {
  errorText_ = text;
  return code;
}

void SocketEngine::ResetConnectionFlags() {
  connected_ = false;
  insideReceive_ = false;
  closePending_ = false;
}

// ---- opening and closing ----------------------------------------------------

int SocketEngine::SetConnected(bool value) {
  errorText_.clear();
  const LifeRef life(life_);
  const int rc = value ? Open() : Close(0);
  ThrowPending(*life);
  return rc;
}

int SocketEngine::Open() {
  if (socket_ != kInvalidSocket) {
    return Refuse(kErrAlreadyConnected,
                  "Already connected. If you want to reconnect, close the current connection first.");
  }
  closePending_ = false;
  buffer_.Clear();
  if (remoteAddress_ == 0) return Refuse(kErrNoAddress, "The RemoteHost address is invalid (0.0.0.0).");
  if (remotePort_ == 0) {
    return Refuse(kErrNoPort, "RemotePort can't be zero. Please specify a valid service port number.");
  }
  connected_ = false;
  // A socket made on another client's reference would outlive that reference.
  if (!libraryHeld_) return Fail(kWsaNotinitialised);
  const SocketFunctions& api = Api();
  const Socket s = api.CreateSocket(kAfInet, kSockStream, 0);
  if (s == kInvalidSocket) return Fail(api.GetLastError());
  const auto abandon = [&](int err) {
    api.CloseSocket(s);
    return Fail(err);
  };
  if (api.Bind(s, 0, localPort_) != 0) return abandon(api.GetLastError());
  ApplyOptions(s);
  if (api.AsyncSelect(s, &sink_, kFdAll) != 0) return abandon(api.GetLastError());
  if (api.Connect(s, remoteAddress_, remotePort_) != 0) {
    const int err = api.GetLastError();
    if (err != kWsaEwouldblock) return abandon(err);
  }
  socket_ = s;
  ++generation_;
  insideReceive_ = false;
  return 0;
}

int SocketEngine::Close(int status) {
  if (socket_ == kInvalidSocket) {
    connected_ = false;
    insideReceive_ = false;
    return 0;
  }
  Api().AsyncSelect(socket_, &sink_, 0);
  if (insideReceive_) {
    closePending_ = true;  // the running receive pass carries it out
    return 0;
  }
  return CloseNow(status);
}

int SocketEngine::CloseNow(int status) {
  // A handler that closes while the buffered data is delivered has already
  // done everything, the event included; there is nothing left to report.
  if (ReceivePass(PassMode::Closing) == PassEnd::Stop) return 0;
  const SocketFunctions& api = Api();
  const Socket s = socket_;
  socket_ = kInvalidSocket;
  ++generation_;
  const int closeError = api.CloseSocket(s) == 0 ? 0 : api.GetLastError();
  // Reset before the event, so that a handler may connect again and keep it.
  ResetConnectionFlags();
  const LifeRef life(life_);
  Raise(generation_, [&] { events_.EngineDisconnected(status, status == 0 ? "OK" : DescribeError(status)); });
  if (!life->alive) return 0;
  return closeError == 0 ? 0 : Fail(closeError);
}

void SocketEngine::CloseSilently() {
  if (socket_ == kInvalidSocket) return;
  const Socket s = socket_;
  socket_ = kInvalidSocket;
  ++generation_;
  Api().AsyncSelect(s, &sink_, 0);
  Api().CloseSocket(s);
  ResetConnectionFlags();
}

// ---- notifications ----------------------------------------------------------

void SocketEngine::OnNotification(Socket s, long event, int error) {
  if (s == kInvalidSocket || s != socket_) return;
  const LifeRef life(life_);
  switch (event) {
    case kFdRead:
      if (insideReceive_ || !connected_) break;
      insideReceive_ = true;
      if (ReceivePass(PassMode::Read) == PassEnd::Done) insideReceive_ = false;
      break;
    case kFdWrite:
      Raise(generation_, [&] { events_.EngineReadyToSend(); });
      break;
    case kFdConnect:
      OnConnect(error);
      break;
    case kFdClose:
      if (ReceivePass(PassMode::PeerClosed) == PassEnd::Done) Close(error);
      break;
    default:
      break;
  }
  ThrowPending(*life);
}

void SocketEngine::OnConnect(int error) {
  const std::uint64_t generation = generation_;
  if (error == 0) {
    connected_ = true;
    const int on = 1;
    Api().SetSockOpt(socket_, kSolSocket, kSoOobInline, &on, sizeof on);
  }
  // A failed attempt leaves Connected False inside the handler: there is no
  // connection to send on, only a socket waiting to be released.
  if (!Raise(generation, [&] { events_.EngineConnected(error, error == 0 ? "OK" : DescribeError(error)); })) return;
  if (error != 0) CloseSilently();
}

// ---- properties -------------------------------------------------------------

int SocketEngine::DataOut(std::string_view text) {
  errorText_.clear();
  const SocketFunctions& api = Api();
  if (!connected_ || socket_ == kInvalidSocket) {
    api.SetLastError(kWsaEnotconn);
    return Fail(kWsaEnotconn);
  }
  if (text.empty()) return 0;
  const long sent = api.Send(socket_, text.data(), text.size(), 0);
  if (sent < 0) return Fail(api.GetLastError());
  if (static_cast<std::size_t>(sent) < text.size()) {
    api.SetLastError(kWsaEwouldblock);
    return Fail(kWsaEwouldblock);
  }
  return 0;
}

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
  return remoteAddress_ == 0 ? std::string() : Api().InetNtoa(remoteAddress_);
}

int SocketEngine::SetRemoteHost(const std::string& value) {
  errorText_.clear();
  if (socket_ != kInvalidSocket) {
    return Refuse(kErrHostInUse, "You cannot change the RemoteHost at this time. A connection is in progress.");
  }
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
