// What every call does while the socket library is not loaded: nothing, and
// the last error always reads "not initialised".
#include "socket_api.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {

int Startup(std::uint16_t, StartupData&) { return kWsaSysnotready; }
int Failure() { return kSocketError; }
Socket CreateSocket(int, int, int) { return kInvalidSocket; }
int Bind(Socket, std::uint32_t, std::uint16_t) { return kSocketError; }
long Send(Socket, const char*, std::size_t, int) { return kSocketError; }
long Recv(Socket, char*, std::size_t, int) { return kSocketError; }
int CloseSocket(Socket) { return kSocketError; }
int SetSockOpt(Socket, int, int, const void*, int) { return kSocketError; }
int GetSockOpt(Socket, int, int, void*, int*) { return kSocketError; }
int GetSockName(Socket, std::uint32_t*, std::uint16_t*) { return kSocketError; }
int GetHostName(char*, int) { return kSocketError; }
std::uint32_t InetAddr(const std::string&) { return kInaddrNone; }
std::string InetNtoa(std::uint32_t) { return {}; }
bool GetHostByName(const std::string&, std::uint32_t*) { return false; }
int AsyncSelect(Socket, NotificationSink*, long) { return kSocketError; }
int GetLastError() { return kWsaNotinitialised; }
void SetLastError(int) {}
bool IsBlocking() { return false; }

}  // namespace

const SocketFunctions& FallbackSocketFunctions() {
  static const SocketFunctions table{
      Startup,   Failure,     CreateSocket,  Bind,        Bind,         Send,
      Recv,      CloseSocket, SetSockOpt,    GetSockOpt,  GetSockName,  GetHostName,
      InetAddr,  InetNtoa,    GetHostByName, AsyncSelect, GetLastError, SetLastError,
      IsBlocking, Failure};
  return table;
}

}  // namespace snpp::net
