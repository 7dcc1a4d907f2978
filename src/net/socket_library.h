#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "socket_api.h"

namespace snpp::net {

// The process-wide socket library record, shared by every line client. While
// no client holds the library the call table points at the fallbacks.
class SocketLibrary {
 public:
  // Gives the call table for a library path, or nullptr when it cannot be had.
  using Loader = std::function<const SocketFunctions*(const std::string& path)>;

  static SocketLibrary& Instance();

  const SocketFunctions& Api() const { return *table_; }

  // Takes one reference; false with the reason in Description().
  bool Load();
  void Release();

  const std::string& Path() const { return path_; }
  const std::string& Description() const { return data_.description; }
  const std::string& SystemStatus() const { return data_.systemStatus; }
  std::uint16_t MaxSockets() const { return data_.maxSockets; }
  std::uint16_t MaxDatagram() const { return data_.maxDatagram; }
  std::uint16_t LoadCount() const { return loadCount_; }
  bool ModuleLoaded() const { return module_ != nullptr; }

  // Replaces the system loader, e.g. to make loading fail; nullptr restores it.
  void SetLoader(Loader loader);

 private:
  SocketLibrary();
  bool Fail(const char* reason);

  StartupData data_;
  const SocketFunctions* module_ = nullptr;
  const SocketFunctions* table_;
  std::uint16_t loadCount_ = 0;
  std::string path_ = "WSOCK32.DLL";
  Loader loader_;
};

inline SocketLibrary& Library() { return SocketLibrary::Instance(); }

}  // namespace snpp::net
