#include "poll_event_loop.h"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace snpp::net {

namespace {
constexpr short kReadEvents = POLLIN | POLLPRI | POLLHUP | POLLERR | POLLNVAL;
constexpr short kWriteEvents = POLLOUT | POLLHUP | POLLERR | POLLNVAL;
}  // namespace

PollEventLoop::Watcher* PollEventLoop::Find(int fd, Direction dir) {
  if (fd < 0 || static_cast<std::size_t>(fd) >= entries_.size()) return nullptr;
  Entry& entry = entries_[static_cast<std::size_t>(fd)];
  return dir == Direction::Read ? &entry.read : &entry.write;
}

void PollEventLoop::Watch(int fd, Direction dir, Callback fn) {
  if (fd < 0 || !fn) return;
  if (static_cast<std::size_t>(fd) >= entries_.size()) entries_.resize(static_cast<std::size_t>(fd) + 1);
  Watcher* w = Find(fd, dir);
  w->fn = std::move(fn);
  w->serial = nextSerial_++;
}

void PollEventLoop::Unwatch(int fd, Direction dir) {
  // The entry stays allocated, so that re-watching costs no memory.
  if (Watcher* w = Find(fd, dir)) {
    w->serial = 0;
    w->fn = nullptr;
  }
}

void PollEventLoop::Post(Callback fn) {
  if (fn) posted_.push_back(std::move(fn));
}

std::size_t PollEventLoop::RunPosted() {
  // Only what was posted before this turn, so a callable that posts itself
  // cannot starve the descriptors.
  std::size_t n = posted_.size();
  for (std::size_t i = 0; i < n; ++i) {
    Callback fn = std::move(posted_.front());
    posted_.pop_front();
    fn();
  }
  return n;
}

std::size_t PollEventLoop::Dispatch(std::size_t index, short revents) {
  const int fd = pollfds_[index].fd;
  std::size_t ran = 0;
  const std::pair<Direction, std::uint64_t> wanted[] = {
      {Direction::Read, (revents & kReadEvents) ? readSerials_[index] : 0},
      {Direction::Write, (revents & kWriteEvents) ? writeSerials_[index] : 0}};
  for (const auto& [dir, serial] : wanted) {
    if (serial == 0) continue;
    Watcher* w = Find(fd, dir);
    // A watcher replaced or removed since the poll must not see that readiness.
    if (w == nullptr || w->serial != serial) continue;
    Callback fn = w->fn;  // the callback may unwatch itself while it runs
    fn();
    ++ran;
  }
  return ran;
}

std::size_t PollEventLoop::RunOnce(Duration timeout) {
  std::size_t ran = RunPosted();
  pollfds_.clear();
  readSerials_.clear();
  writeSerials_.clear();
  for (std::size_t fd = 0; fd < entries_.size(); ++fd) {
    const Entry& e = entries_[fd];
    if (e.read.serial == 0 && e.write.serial == 0) continue;
    short events = 0;
    if (e.read.serial != 0) events |= POLLIN | POLLPRI;
    if (e.write.serial != 0) events |= POLLOUT;
    pollfds_.push_back(pollfd{static_cast<int>(fd), events, 0});
    readSerials_.push_back(e.read.serial);
    writeSerials_.push_back(e.write.serial);
  }
  const int wait = posted_.empty() ? static_cast<int>(timeout.count()) : 0;
  if (pollfds_.empty()) {
    if (wait > 0 && ran == 0) ::poll(nullptr, 0, wait);
    return ran;
  }
  int ready = ::poll(pollfds_.data(), pollfds_.size(), wait);
  if (ready <= 0) return ran;
  for (std::size_t i = 0; i < pollfds_.size(); ++i) {
    if (pollfds_[i].revents != 0) ran += Dispatch(i, pollfds_[i].revents);
  }
  return ran;
}

bool PollEventLoop::HasWork() const {
  if (!posted_.empty()) return true;
  for (const Entry& e : entries_) {
    if (e.read.serial != 0 || e.write.serial != 0) return true;
  }
  return false;
}

}  // namespace snpp::net
