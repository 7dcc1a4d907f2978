#include "paging/paging_server.h"

#include <optional>
#include <utility>

#include "snpp/build_config.h"

namespace snpp {
namespace {

std::optional<PagingServer>& serverOverride() {
  static std::optional<PagingServer> server;
  return server;
}

}  // namespace

PagingServer CurrentPagingServer() {
  if (const auto& custom = serverOverride()) return *custom;
  return {kServerHost, static_cast<std::uint16_t>(kServerPort)};
}

void SetPagingServerForTesting(std::string host, std::uint16_t port) {
  serverOverride() = PagingServer{std::move(host), port};
}

}  // namespace snpp
