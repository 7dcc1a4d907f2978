#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

// Plain blocking-style sockets on 127.0.0.1 for the test server and the
// tests' far ends, the same on POSIX and Windows (where the system's socket
// library is linked directly; the product's own layer is never used here).
namespace snpp::testing::sock {

using Handle = std::intptr_t;
inline constexpr Handle kNone = -1;

// A listener on 127.0.0.1 (port 0: any free one); kNone on failure.
Handle Listen(std::uint16_t port, std::uint16_t* bound, int backlog = 8);
// kNone when nothing is waiting on a non-blocking listener, or on failure.
Handle Accept(Handle listener);
bool SetNonBlocking(Handle s);
void SetReceiveBuffer(Handle s, int bytes);

// Counts as the calls do; -1 on failure, with LastError() telling why.
long Send(Handle s, const char* data, std::size_t length);
long Recv(Handle s, char* data, std::size_t length);

enum class Error { None, WouldBlock, Interrupted, Reset, Other };
Error LastError();

void Close(Handle s);
// Ends the connection with a reset instead of a close.
void Abort(Handle s);

// Two connected sockets, for waking a thread blocked in WaitReadable.
bool Pair(Handle out[2]);
// Blocks until one of the sockets is readable, closed or in error; gives its
// index, or -1 on a time-out (timeoutMs < 0: none) or failure.
int WaitReadable(std::initializer_list<Handle> sockets, int timeoutMs);

// A port on 127.0.0.1 that nobody listens on.
std::uint16_t UnusedPort();
// True in a Windows build running under Wine, which reports a connection
// reset by the peer as an ordinary close (no 10054 from the close
// notification or from receives, only from a later send).
bool UnderWine();

// How many descriptors or handles the process holds, for leak checks.
std::size_t OpenHandles();

}  // namespace snpp::testing::sock
