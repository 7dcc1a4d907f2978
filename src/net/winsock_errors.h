#pragma once

#include <string>

namespace snpp::net {

// Error codes in the library's numbering.
inline constexpr int kWsaEintr = 10004;
inline constexpr int kWsaEwouldblock = 10035;
inline constexpr int kWsaEnotsock = 10038;
inline constexpr int kWsaEconnreset = 10054;
inline constexpr int kWsaEnotconn = 10057;
inline constexpr int kWsaEtimedout = 10060;
inline constexpr int kWsaEconnrefused = 10061;
inline constexpr int kWsaSysnotready = 10091;
inline constexpr int kWsaVernotsupported = 10092;
inline constexpr int kWsaNotinitialised = 10093;
inline constexpr int kWsaHostNotFound = 11001;
inline constexpr int kWsaTryAgain = 11002;
inline constexpr int kWsaNoRecovery = 11003;
inline constexpr int kWsaNoData = 11004;

// Errors of the C library without a counterpart get this base plus errno, so
// they never borrow the text of an unrelated code.
inline constexpr int kUnmappedErrnoBase = 20000;

// "[%d] %s" from the table, or "[%d] (no description available)".
std::string DescribeError(int code);

#ifndef _WIN32
int ErrorFromErrno(int err);
int ErrorFromLookup(int gaiError, int err);
#endif

}  // namespace snpp::net
