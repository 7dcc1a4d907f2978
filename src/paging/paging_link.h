#pragma once

#include <cstdint>
#include <string>

namespace snpp {

// The part of the line client a send uses. Writes may throw what the line
// client throws; the send lets those errors through to the caller.
class PagingLink {
 public:
  virtual ~PagingLink() = default;

  virtual bool Connected() const = 0;
  // False closes; when not inside a receive pass the disconnect event is
  // raised before this returns.
  virtual void SetConnected(bool value) = 0;
  virtual void SetRemoteHost(const std::string& host) = 0;  // resolves at once
  virtual void SetRemotePort(std::uint16_t port) = 0;
  virtual void SetDataOut(const std::string& text) = 0;
};

}  // namespace snpp
