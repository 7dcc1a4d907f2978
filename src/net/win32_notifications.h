#pragma once

#include <exception>

#include "notification_sink.h"
#include "socket_api.h"

// The Windows layer's notification side: each sink gets a hidden window of
// class "__line_client_socket_wnd__" to which the library posts message 1125
// for the sockets selected on it. Window handles travel as void* so that
// callers need not include the system headers.
namespace snpp::net::win32 {

inline constexpr unsigned kSocketMessage = 0x0400 + 101;
inline constexpr char kWindowClass[] = "__line_client_socket_wnd__";

// The sink's window, made on first need; nullptr when none can be made.
void* WindowFor(NotificationSink& sink);

// From now on the window delivers `s`'s notifications (active) or none
// (inactive). Messages already queued for an earlier socket are dropped.
void Selected(void* window, Socket s, bool active);
// The socket is gone: queued and late messages for it are dropped.
void Closed(Socket s);

// An exception must not unwind through the system's message dispatch: a
// window procedure keeps it here, and the loop that dispatched the message
// throws it on.
void HoldException(std::exception_ptr error);
std::exception_ptr TakeHeldException();

}  // namespace snpp::net::win32
