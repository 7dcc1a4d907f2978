#include "line_client.h"

#include <new>

namespace snpp::net {

TLineClient::TLineClient(EventLoop& loop) {
  try {
    EngineEvents& events = *this;
    engine_ = std::make_unique<SocketEngine>(loop, events);
  } catch (const std::bad_alloc&) {
    RaiseError(-1, "Line client: Error creating component");
  }
}

TLineClient::~TLineClient() = default;

std::exception_ptr TLineClient::CreateError(std::int32_t code, const std::string& text) const {
  return std::make_exception_ptr(ELineClient(code, text));
}

void TLineClient::Check(int code) const {
  if (code != 0) RaiseError(code, engine_->ErrorText());
}

bool TLineClient::Connected() const { return engine_->Connected(); }
void TLineClient::SetConnected(bool value) { Check(engine_->SetConnected(value)); }
void TLineClient::SetDataOut(const std::string& text) { Check(engine_->DataOut(text)); }

std::string TLineClient::EOL() const { return engine_->EOL(); }
void TLineClient::SetEOL(const std::string& value) { Check(engine_->SetEOL(value)); }
std::int32_t TLineClient::InBufferSize() const { return engine_->InBufferSize(); }
void TLineClient::SetInBufferSize(std::int32_t value) { Check(engine_->SetInBufferSize(value)); }
bool TLineClient::KeepAlive() const { return engine_->KeepAlive(); }
void TLineClient::SetKeepAlive(bool value) { Check(engine_->SetKeepAlive(value)); }
bool TLineClient::Linger() const { return engine_->Linger(); }
void TLineClient::SetLinger(bool value) { Check(engine_->SetLinger(value)); }
std::string TLineClient::LocalHost() const { return engine_->LocalHost(); }
std::uint16_t TLineClient::LocalPort() const { return engine_->LocalPort(); }
void TLineClient::SetLocalPort(std::uint16_t value) { Check(engine_->SetLocalPort(value)); }
std::uint32_t TLineClient::MaxLineLength() const { return engine_->MaxLineLength(); }
void TLineClient::SetMaxLineLength(std::uint32_t value) { Check(engine_->SetMaxLineLength(value)); }
std::int32_t TLineClient::OutBufferSize() const { return engine_->OutBufferSize(); }
void TLineClient::SetOutBufferSize(std::int32_t value) { Check(engine_->SetOutBufferSize(value)); }
std::string TLineClient::RemoteHost() const { return engine_->RemoteHost(); }
void TLineClient::SetRemoteHost(const std::string& value) { Check(engine_->SetRemoteHost(value)); }
std::uint16_t TLineClient::RemotePort() const { return engine_->RemotePort(); }
void TLineClient::SetRemotePort(std::uint16_t value) { Check(engine_->SetRemotePort(value)); }
std::string TLineClient::WinsockInfo() const { return engine_->WinsockInfo(); }
bool TLineClient::WinsockLoaded() const { return engine_->WinsockLoaded(); }
void TLineClient::SetWinsockLoaded(bool value) { engine_->SetWinsockLoaded(value); }
std::string TLineClient::WinsockStatus() const { return engine_->WinsockStatus(); }

void TLineClient::EngineConnected(int status, const std::string& description) {
  if (OnConnected) OnConnected(*this, status, description);
}

void TLineClient::EngineDataIn(const std::string& text, bool eol) {
  if (OnDataIn) OnDataIn(*this, text, eol);
}

void TLineClient::EngineDisconnected(int status, const std::string& description) {
  if (OnDisconnected) OnDisconnected(*this, status, description);
}

void TLineClient::EngineError(int code, const std::string& description) {
  if (OnError) OnError(*this, code, description);
}

void TLineClient::EngineReadyToSend() {
  if (OnReadyToSend) OnReadyToSend(*this);
}

}  // namespace snpp::net
