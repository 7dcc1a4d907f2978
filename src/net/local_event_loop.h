#pragma once

// The loop that tests and tools drive on this platform, with the same
// RunOnce / RunUntil / RunFor / RunUntilIdle calls everywhere.
#ifdef _WIN32
#include "win32_event_loop.h"
namespace snpp::net {
using LocalEventLoop = Win32EventLoop;
}
#else
#include "poll_event_loop.h"
namespace snpp::net {
using LocalEventLoop = PollEventLoop;
}
#endif
