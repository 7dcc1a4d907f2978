#include "posix_notifications.h"

#include <cerrno>
#include <cstdint>
#include <unordered_map>

#include <sys/socket.h>

#include "winsock_errors.h"

namespace snpp::net::posix {

namespace {

enum class Phase { Idle, Connecting, Completing, Connected, Failed };

struct AsyncState {
  NotificationSink* sink = nullptr;
  long events = 0;
  Phase phase = Phase::Idle;
  bool readEnabled = false;   // a read notification may be sent
  bool writeOwed = false;     // a write notification is due when there is room
  bool closeReported = false;
  bool readWatched = false;
  bool writeWatched = false;
  int stickyError = 0;        // every receive after a reset reports it again
  std::uint64_t serial = 0;
};

std::unordered_map<Socket, AsyncState> g_states;
std::uint64_t g_nextSerial = 1;

AsyncState* Find(Socket s) {
  auto it = g_states.find(s);
  return it == g_states.end() ? nullptr : &it->second;
}

void OnReadable(Socket s);
void OnWritable(Socket s);

void UpdateWatches(Socket s, AsyncState& st) {
  const bool wantRead = st.phase == Phase::Connected && !st.closeReported && st.readEnabled &&
                        (st.events & (kFdRead | kFdClose)) != 0;
  const bool wantWrite = st.phase == Phase::Connecting ||
                         (st.phase == Phase::Connected && st.writeOwed && (st.events & kFdWrite) != 0);
  EventLoop& loop = st.sink->Loop();
  if (wantRead != st.readWatched) {
    if (wantRead) loop.Watch(s, EventLoop::Direction::Read, [s] { OnReadable(s); });
    else loop.Unwatch(s, EventLoop::Direction::Read);
    st.readWatched = wantRead;
  }
  if (wantWrite != st.writeWatched) {
    if (wantWrite) loop.Watch(s, EventLoop::Direction::Write, [s] { OnWritable(s); });
    else loop.Unwatch(s, EventLoop::Direction::Write);
    st.writeWatched = wantWrite;
  }
}

void StopWatching(Socket s, AsyncState& st) {
  st.events = 0;
  st.phase = Phase::Failed;
  UpdateWatches(s, st);
}

// The sink's handler may close the socket; nothing of `st` is used after it.
void Notify(AsyncState& st, Socket s, long event, int error) {
  if ((st.events & event) != 0) st.sink->Deliver(s, event, error);
}

void ConnectDone(Socket s, int err) {
  AsyncState* st = Find(s);
  if (st == nullptr) return;
  st->phase = err == 0 ? Phase::Connected : Phase::Failed;
  st->readEnabled = err == 0;
  st->writeOwed = err == 0;
  UpdateWatches(s, *st);
  Notify(*st, s, kFdConnect, err == 0 ? 0 : ErrorFromErrno(err));
}

void OnWritable(Socket s) {
  AsyncState* st = Find(s);
  if (st == nullptr) return;
  if (st->phase == Phase::Connecting) {
    int err = 0;
    socklen_t len = sizeof err;
    if (::getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) != 0) err = errno;
    if (err == EINPROGRESS || err == EALREADY) return;
    ConnectDone(s, err);
    return;
  }
  if (st->phase == Phase::Connected && st->writeOwed) {
    st->writeOwed = false;
    UpdateWatches(s, *st);
    Notify(*st, s, kFdWrite, 0);
    return;
  }
  UpdateWatches(s, *st);
}

void ReportClose(Socket s, AsyncState& st, int error) {
  st.closeReported = true;
  UpdateWatches(s, st);
  Notify(st, s, kFdClose, error);
}

void OnReadable(Socket s) {
  AsyncState* st = Find(s);
  if (st == nullptr || st->closeReported || !st->readEnabled) return;
  if (st->stickyError != 0) {
    ReportClose(s, *st, st->stickyError);
    return;
  }
  char probe;
  const ssize_t n = ::recv(s, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
  if (n > 0) {
    st->readEnabled = false;  // until the owner receives
    UpdateWatches(s, *st);
    Notify(*st, s, kFdRead, 0);
  } else if (n == 0) {
    ReportClose(s, *st, 0);
  } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
    // Peeking consumed the pending error; keep it for the receives to come.
    st->stickyError = ErrorFromErrno(errno);
    ReportClose(s, *st, st->stickyError);
  }
}

}  // namespace

int Select(Socket s, NotificationSink* sink, long events) {
  int type = 0;
  socklen_t len = sizeof type;
  if (::getsockopt(s, SOL_SOCKET, SO_TYPE, &type, &len) != 0) return ErrorFromErrno(errno);
  AsyncState* st = Find(s);
  if (events == 0 || sink == nullptr) {
    if (st != nullptr) StopWatching(s, *st);
    g_states.erase(s);
    return 0;
  }
  Phase phase = Phase::Idle;
  if (st != nullptr) {
    if (st->phase != Phase::Failed) phase = st->phase;
    StopWatching(s, *st);  // whatever the old registration watched is let go
  }
  AsyncState& state = g_states[s];
  state = AsyncState{};
  state.sink = sink;
  state.events = events & kFdAll;
  state.phase = phase;
  state.readEnabled = phase == Phase::Connected;
  state.serial = g_nextSerial++;
  UpdateWatches(s, state);
  return 0;
}

void ConnectStarted(Socket s) {
  if (AsyncState* st = Find(s)) {
    st->phase = Phase::Connecting;
    UpdateWatches(s, *st);
  }
}

bool CompleteConnectLater(Socket s, int err) {
  AsyncState* st = Find(s);
  if (st == nullptr) return false;
  st->phase = Phase::Completing;
  const std::uint64_t serial = st->serial;
  st->sink->Loop().Post([s, serial, err] {
    AsyncState* now = Find(s);
    if (now != nullptr && now->serial == serial && now->phase == Phase::Completing) ConnectDone(s, err);
  });
  return true;
}

void SendBlocked(Socket s) {
  if (AsyncState* st = Find(s)) {
    st->writeOwed = true;
    UpdateWatches(s, *st);
  }
}

int StickyError(Socket s) {
  const AsyncState* st = Find(s);
  return st == nullptr ? 0 : st->stickyError;
}

void Received(Socket s, int err) {
  AsyncState* st = Find(s);
  if (st == nullptr) return;
  if (err != 0 && err != EAGAIN && err != EWOULDBLOCK && err != ENOTSOCK && err != EBADF) {
    st->stickyError = ErrorFromErrno(err);
  }
  if (!st->readEnabled) {
    st->readEnabled = true;
    UpdateWatches(s, *st);
  }
}

void Forget(Socket s) {
  if (AsyncState* st = Find(s)) {
    StopWatching(s, *st);
    g_states.erase(s);
  }
}

}  // namespace snpp::net::posix
