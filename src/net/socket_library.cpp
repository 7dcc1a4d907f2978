#include "socket_library.h"

#include <utility>

#include "winsock_errors.h"

namespace snpp::net {

namespace {
constexpr std::uint16_t kVersion11 = 0x0101;
const SocketFunctions* SystemLoader(const std::string& path) { return SystemSocketFunctions(path); }
}  // namespace

SocketLibrary& SocketLibrary::Instance() {
  static SocketLibrary library;
  return library;
}

SocketLibrary::SocketLibrary() : table_(&FallbackSocketFunctions()), loader_(SystemLoader) {
  data_.systemStatus = "Down";
}

void SocketLibrary::SetLoader(Loader loader) { loader_ = loader ? std::move(loader) : Loader(SystemLoader); }

bool SocketLibrary::Fail(const char* reason) {
  data_.description = reason;
  return false;
}

bool SocketLibrary::Load() {
  const SocketFunctions* module = loader_(path_);
  if (module == nullptr) return Fail("Could not load Winsock DLL.");
  if (++loadCount_ == 1) {
    module_ = module;
    table_ = module;
  }
  const int rc = table_->Startup(kVersion11, data_);
  // Every failed start gives its reference back, so that a library that never
  // started cannot stay counted as held for the rest of the run.
  if (rc == 10022 || rc == kWsaVernotsupported) {
    Release();
    return Fail("Version not supported.");
  }
  if (rc == kWsaSysnotready) {
    Release();
    return Fail("Network subsystem not ready.");
  }
  if (data_.version != kVersion11) {
    Release();
    return Fail("Incompatible Winsock version.");
  }
  return true;
}

void SocketLibrary::Release() {
  if (loadCount_ == 0 || module_ == nullptr) return;
  --loadCount_;
  table_->CancelBlockingCall();
  table_->Cleanup();
  data_.description.clear();
  data_.systemStatus = "Down";
  data_.maxSockets = 0;
  data_.maxDatagram = 0;
  if (loadCount_ == 0) {
    table_ = &FallbackSocketFunctions();
    module_ = nullptr;
  }
}

}  // namespace snpp::net
