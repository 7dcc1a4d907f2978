#include "qt_event_loop.h"

#include <stdexcept>

#include <QMetaObject>
#include <QSocketNotifier>
#include <QtDebug>

QtEventLoop::QtEventLoop() = default;

QtEventLoop::~QtEventLoop() {
  for (auto& [key, w] : watchers_) w.notifier->setEnabled(false);
}

void QtEventLoop::Watch(int fd, Direction dir, Callback fn) {
  if (fd < 0 || !fn) return;
  const Key key{fd, dir};
  Watcher& w = watchers_[key];
  if (!w.notifier) {
    // One notifier per descriptor and direction, kept and re-enabled, so
    // re-arming after every receive costs nothing.
    const auto type = dir == Direction::Read ? QSocketNotifier::Read : QSocketNotifier::Write;
    w.notifier = std::make_unique<QSocketNotifier>(static_cast<qintptr>(fd), type);
    QObject::connect(w.notifier.get(), &QSocketNotifier::activated, &context_, [this, key] { Activated(key); });
  }
  w.fn = std::move(fn);
  w.enabled = true;
  w.notifier->setEnabled(true);
}

void QtEventLoop::Unwatch(int fd, Direction dir) {
  auto it = watchers_.find(Key{fd, dir});
  if (it == watchers_.end()) return;
  // Never deleted here: this may run inside the notifier's own signal.
  it->second.enabled = false;
  it->second.notifier->setEnabled(false);
  it->second.fn = nullptr;
}

void QtEventLoop::Post(Callback fn) {
  if (!fn) return;
  QMetaObject::invokeMethod(&context_, [this, fn = std::move(fn)] { Run(fn); }, Qt::QueuedConnection);
}

void QtEventLoop::Activated(Key key) {
  auto it = watchers_.find(key);
  if (it == watchers_.end() || !it->second.enabled) return;
  const Callback fn = it->second.fn;  // the callback may unwatch itself
  Run(fn);
}

void QtEventLoop::Run(const Callback& fn) {
  try {
    fn();
  } catch (...) {
    if (OnException) {
      OnException(std::current_exception());
      return;
    }
    try {
      throw;
    } catch (const std::exception& e) {
      qWarning("Unhandled exception in a socket event: %s", e.what());
    } catch (...) {
      qWarning("Unhandled exception in a socket event");
    }
  }
}
