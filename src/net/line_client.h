#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "event_loop.h"
#include "net_component.h"
#include "socket_engine.h"

namespace snpp::net {

// Every exception the line client throws.
class ELineClient : public ECodedError {
 public:
  using ECodedError::ECodedError;
};

// One outgoing TCP connection. Received data arrives as OnDataIn, cut into
// lines at EOL (or one event per read when EOL is empty); DataOut writes.
// Everything runs on the loop's thread: events come from the loop or from
// inside a property write. Property writes throw ELineClient, reads never
// throw. A handler may write any property, and may even destroy the client;
// an exception leaving a handler comes out of the property write or the loop
// call that raised the event, after the client has finished its own work.
class TLineClient : public TNetComponent, private EngineEvents {
 public:
  using TConnectedEvent = std::function<void(TLineClient& Sender, int StatusCode, const std::string& Description)>;
  using TDataInEvent = std::function<void(TLineClient& Sender, const std::string& Text, bool EOL)>;
  using TDisconnectedEvent = std::function<void(TLineClient& Sender, int StatusCode, const std::string& Description)>;
  using TErrorEvent = std::function<void(TLineClient& Sender, int ErrorCode, const std::string& Description)>;
  using TReadyToSendEvent = std::function<void(TLineClient& Sender)>;

  explicit TLineClient(EventLoop& loop);  // the loop outlives the client
  ~TLineClient() override;

  std::exception_ptr CreateError(std::int32_t code, const std::string& text) const override;

  TConnectedEvent OnConnected;
  TDataInEvent OnDataIn;
  TDisconnectedEvent OnDisconnected;
  TErrorEvent OnError;
  TReadyToSendEvent OnReadyToSend;

  bool Connected() const;
  void SetConnected(bool value);
  void SetDataOut(const std::string& text);

  std::string EOL() const;
  void SetEOL(const std::string& value);
  std::int32_t InBufferSize() const;
  void SetInBufferSize(std::int32_t value);
  bool KeepAlive() const;
  void SetKeepAlive(bool value);
  bool Linger() const;
  void SetLinger(bool value);
  std::string LocalHost() const;
  void SetLocalHost(const std::string&) {}  // read only
  std::uint16_t LocalPort() const;
  void SetLocalPort(std::uint16_t value);
  // Only the low 16 bits take effect; a value giving 0 is refused (code 117).
  std::uint32_t MaxLineLength() const;
  void SetMaxLineLength(std::uint32_t value);
  std::int32_t OutBufferSize() const;
  void SetOutBufferSize(std::int32_t value);
  std::string RemoteHost() const;
  void SetRemoteHost(const std::string& value);  // resolves at once, blocking
  std::uint16_t RemotePort() const;
  void SetRemotePort(std::uint16_t value);
  std::string WinsockInfo() const;
  void SetWinsockInfo(const std::string&) {}  // read only
  bool WinsockLoaded() const;
  void SetWinsockLoaded(bool value);
  std::string WinsockStatus() const;
  void SetWinsockStatus(const std::string&) {}  // read only

 private:
  void Check(int code) const;

  void EngineConnected(int status, const std::string& description) override;
  void EngineDataIn(const std::string& text, bool eol) override;
  void EngineDisconnected(int status, const std::string& description) override;
  void EngineError(int code, const std::string& description) override;
  void EngineReadyToSend() override;

  std::unique_ptr<SocketEngine> engine_;
};

}  // namespace snpp::net
