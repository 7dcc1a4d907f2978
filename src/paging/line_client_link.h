#pragma once

#include "net/line_client.h"
#include "paging/paging_link.h"
#include "paging/send_controller.h"

namespace snpp {

// Lets a send drive a real TLineClient and feeds the client's connection and
// data events back into the send.
class LineClientLink : public PagingLink {
 public:
  explicit LineClientLink(net::TLineClient& client) : client_(client) {}
  ~LineClientLink() override;

  // Routes the four events of the client into the controller. Call once the
  // controller exists (it needs this link first).
  void Attach(SendController& controller);

  bool Connected() const override { return client_.Connected(); }
  void SetConnected(bool value) override { client_.SetConnected(value); }
  void SetRemoteHost(const std::string& host) override { client_.SetRemoteHost(host); }
  void SetRemotePort(std::uint16_t port) override { client_.SetRemotePort(port); }
  void SetDataOut(const std::string& text) override { client_.SetDataOut(text); }

 private:
  net::TLineClient& client_;
};

}  // namespace snpp
