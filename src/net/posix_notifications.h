#pragma once

#include "notification_sink.h"
#include "socket_api.h"

// The POSIX backend's notification rules: connect once; write once after
// connect and again after a send that would block; read re-armed by each
// receive; close once, carrying the error of a reset. The socket calls report
// what they did through the hooks below.
namespace snpp::net::posix {

// 0, or the library's error code.
int Select(Socket s, NotificationSink* sink, long events);

void ConnectStarted(Socket s);
// The outcome known at once still arrives as a notification. False when the
// socket has no notifications registered.
bool CompleteConnectLater(Socket s, int err);
void SendBlocked(Socket s);
// The error every receive reports after a reset; 0 when there was none.
int StickyError(Socket s);
// After a receive: 0 or the errno it failed with.
void Received(Socket s, int err);
void Forget(Socket s);

}  // namespace snpp::net::posix
