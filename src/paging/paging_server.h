#pragma once

#include <cstdint>
#include <string>

namespace snpp {

struct PagingServer {
  std::string host;
  std::uint16_t port;
};

// The server a main window created from now on pages through: the build's
// fixed one. Tests, and the never-shipped loopback program, point it at
// their own server; the branded program never changes it.
PagingServer CurrentPagingServer();
void SetPagingServerForTesting(std::string host, std::uint16_t port);

}  // namespace snpp
