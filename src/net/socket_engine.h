#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "event_loop.h"
#include "line_buffer.h"
#include "notification_sink.h"
#include "socket_api.h"

namespace snpp::net {

// Where the engine sends its five events.
class EngineEvents {
 public:
  virtual void EngineConnected(int status, const std::string& description) = 0;
  virtual void EngineDataIn(const std::string& text, bool eol) = 0;
  virtual void EngineDisconnected(int status, const std::string& description) = 0;
  virtual void EngineError(int code, const std::string& description) = 0;
  virtual void EngineReadyToSend() = 0;

 protected:
  ~EngineEvents() = default;
};

// Refusal codes of the engine's own; socket errors use the library's codes.
inline constexpr int kErrPortInUse = 100;
inline constexpr int kErrHostInUse = 101;
inline constexpr int kErrNoAddress = 102;
inline constexpr int kErrAlreadyConnected = 104;
inline constexpr int kErrLocalPortInUse = 106;
inline constexpr int kErrLineLengthInUse = 112;
inline constexpr int kErrNoPort = 116;
inline constexpr int kErrLineLengthZero = 117;
inline constexpr int kErrNoMemory = 200;

// One outgoing TCP connection driven by socket notifications: the line
// client's engine, free of the component around it. Property writes return
// 0 or an error code, with ErrorText() describing it.
class SocketEngine {
 public:
  SocketEngine(EventLoop& loop, EngineEvents& events);
  ~SocketEngine();
  SocketEngine(const SocketEngine&) = delete;
  SocketEngine& operator=(const SocketEngine&) = delete;

  const std::string& ErrorText() const { return errorText_; }

  bool Connected() const { return connected_; }
  int SetConnected(bool value);
  int DataOut(std::string_view text);

  std::string EOL() const { return buffer_.Terminator(); }
  int SetEOL(const std::string& value);
  std::uint32_t MaxLineLength() const { return buffer_.Capacity(); }
  int SetMaxLineLength(std::uint32_t value);

  std::int32_t InBufferSize() const { return inBufferSize_; }
  int SetInBufferSize(std::int32_t value);
  std::int32_t OutBufferSize() const { return outBufferSize_; }
  int SetOutBufferSize(std::int32_t value);
  bool KeepAlive() const { return keepAlive_; }
  int SetKeepAlive(bool value);
  bool Linger() const { return linger_; }
  int SetLinger(bool value);

  std::string LocalHost() const;
  std::uint16_t LocalPort() const;
  int SetLocalPort(std::uint16_t value);
  std::string RemoteHost() const;
  int SetRemoteHost(const std::string& value);
  std::uint16_t RemotePort() const { return remotePort_; }
  int SetRemotePort(std::uint16_t value);

  std::string WinsockInfo() const;
  std::string WinsockStatus() const;
  bool WinsockLoaded() const { return libraryHeld_; }
  void SetWinsockLoaded(bool value);

 private:
  enum class PassMode { Read, PeerClosed, Closing };
  // Done: the pass ended with the same socket. Stop: the socket was closed or
  // replaced by a handler, or the engine was destroyed; touch nothing.
  enum class PassEnd { Done, Stop };

  int Open();
  int Close(int status);
  int CloseNow(int status);
  void CloseSilently();
  void ResetConnectionFlags();

  void OnNotification(Socket s, long event, int error);
  void OnConnect(int error);
  PassEnd ReceivePass(PassMode mode);
  bool DeliverLines(std::uint64_t generation);
  bool DeliverRest(std::uint64_t generation);

  void ApplyOptions(Socket s);
  int SetIntOption(int name, std::int32_t value);

  int Fail(int code);
  int Refuse(int code, const char* text);

  // Outlives the engine while a handler runs, so that a handler may destroy
  // it. A handler's exception is held until the engine's work is consistent
  // again, then thrown from the call that raised the event. Counted by hand:
  // everything runs on one thread, and this is touched for every event.
  struct Life {
    int refs = 0;
    bool alive = true;
    std::exception_ptr pending;
    std::string text;        // the data-in event's text, reused
    bool textBusy = false;   // a handler of an outer data-in event holds it
  };
  class LifeRef {
   public:
    explicit LifeRef(Life* life) : life_(life) { ++life_->refs; }
    ~LifeRef() {
      if (--life_->refs == 0) delete life_;
    }
    LifeRef(const LifeRef& other) : LifeRef(other.life_) {}
    LifeRef& operator=(const LifeRef&) = delete;
    Life* operator->() const { return life_; }
    Life& operator*() const { return *life_; }

   private:
    Life* life_;
  };

  // Runs an event handler. False when the handler destroyed the engine or
  // closed or replaced the socket of `generation`.
  template <typename F>
  bool Raise(std::uint64_t generation, F&& handler) {
    const LifeRef life(life_);
    return RaiseHeld(*life, generation, handler);
  }
  // The same, for a caller that already holds the life record.
  template <typename F>
  bool RaiseHeld(Life& life, std::uint64_t generation, F&& handler) {
    try {
      handler();
    } catch (...) {
      if (!life.pending) life.pending = std::current_exception();
    }
    return life.alive && generation_ == generation;
  }
  bool RaiseDataIn(std::uint64_t generation, std::string_view piece, bool eol);
  static void ThrowPending(Life& life);

  EngineEvents& events_;
  NotificationSink sink_;
  LineBuffer buffer_;
  std::string errorText_;
  LifeRef life_{new Life};
  std::uint64_t generation_ = 0;  // changes whenever socket_ does
  Socket socket_ = kInvalidSocket;
  std::uint32_t remoteAddress_ = 0;
  std::optional<Address6> remoteAddress6_;  // a host with no IPv4 address
  std::uint16_t remotePort_ = 0;
  std::uint16_t localPort_ = 0;
  std::int32_t inBufferSize_ = 2048;
  std::int32_t outBufferSize_ = 2048;
  bool libraryHeld_ = false;
  bool connected_ = false;
  bool insideReceive_ = false;
  bool closePending_ = false;
  bool linger_ = true;
  bool keepAlive_ = false;
};

}  // namespace snpp::net
