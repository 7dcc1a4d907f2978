#include "paging/line_client_link.h"

namespace snpp {

LineClientLink::~LineClientLink() {
  client_.OnConnected = nullptr;
  client_.OnDataIn = nullptr;
  client_.OnDisconnected = nullptr;
  client_.OnError = nullptr;
}

void LineClientLink::Attach(SendController& controller) {
  SendController* send = &controller;
  client_.OnConnected = [send](net::TLineClient&, int code, const std::string& text) {
    send->clientSocketConnected(code, text);
  };
  client_.OnDataIn = [send](net::TLineClient&, const std::string& text, bool eol) {
    send->clientSocketDataIn(text, eol);
  };
  client_.OnDisconnected = [send](net::TLineClient&, int code, const std::string& text) {
    send->clientSocketDisconnected(code, text);
  };
  client_.OnError = [send](net::TLineClient&, int code, const std::string& text) {
    send->clientSocketError(code, text);
  };
}

}  // namespace snpp
