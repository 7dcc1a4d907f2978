// Opening and closing one connection, its socket notifications and sends.
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
  if (remoteAddress_ == 0 && !remoteAddress6_) {
    return Refuse(kErrNoAddress, "The RemoteHost address is invalid (0.0.0.0).");
  }
  if (remotePort_ == 0) {
    return Refuse(kErrNoPort, "RemotePort can't be zero. Please specify a valid service port number.");
  }
  connected_ = false;
  // A socket made on another client's reference would outlive that reference.
  if (!libraryHeld_) return Fail(kWsaNotinitialised);
  const SocketFunctions& api = Api();
  const Ipv6Functions* v6 = remoteAddress6_ ? Ipv6FunctionsOf(api) : nullptr;
  const Socket s = api.CreateSocket(v6 ? kAfInet6 : kAfInet, kSockStream, 0);
  if (s == kInvalidSocket) return Fail(api.GetLastError());
  const auto abandon = [&](int err) {
    api.CloseSocket(s);
    return Fail(err);
  };
  if (api.Bind(s, 0, localPort_) != 0) return abandon(api.GetLastError());
  ApplyOptions(s);
  if (api.AsyncSelect(s, &sink_, kFdAll) != 0) return abandon(api.GetLastError());
  if ((v6 ? v6->Connect6(s, *remoteAddress6_, remotePort_) : api.Connect(s, remoteAddress_, remotePort_)) != 0) {
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

// ---- outbound data ----------------------------------------------------------

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

}  // namespace snpp::net
