#include "paging/line_client_link.h"

namespace snpp {

LineClientLink::~LineClientLink() {
  client_.OnConnected = nullptr;
  client_.OnDataIn = nullptr;
  client_.OnDisconnected = nullptr;
  client_.OnError = nullptr;
}

template <typename Fn>
void LineClientLink::Guarded(Fn&& fn) {
  if (!OnHandlerError) {
    fn();
    return;
  }
  try {
    fn();
  } catch (...) {
    OnHandlerError(std::current_exception());
  }
}

void LineClientLink::Attach(SendController& controller) {
  SendController* send = &controller;
  client_.OnConnected = [this, send](net::TLineClient&, int code, const std::string& text) {
    Guarded([&] { send->clientSocketConnected(code, text); });
  };
  client_.OnDataIn = [this, send](net::TLineClient&, const std::string& text, bool eol) {
    Guarded([&] { send->clientSocketDataIn(text, eol); });
  };
  client_.OnDisconnected = [this, send](net::TLineClient&, int code, const std::string& text) {
    Guarded([&] { send->clientSocketDisconnected(code, text); });
  };
  client_.OnError = [this, send](net::TLineClient&, int code, const std::string& text) {
    Guarded([&] { send->clientSocketError(code, text); });
  };
}

}  // namespace snpp
