#include "qt/app/session_end.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>

#include "qt/app/main_form.h"

namespace {

constexpr std::array<int, 3> kEndSignals = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t writeEnd = -1;
std::array<struct sigaction, kEndSignals.size()> previous{};

extern "C" void onEndSignal(int signo) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(signo);
  [[maybe_unused]] const ssize_t n = ::write(writeEnd, &byte, 1);  // a full pipe has a byte already
  errno = savedErrno;
}

}  // namespace

SessionEnd::SessionEnd(Tmainform& mainform, QObject* parent) : QObject(parent), mainform_(mainform) {
#ifndef QT_NO_SESSIONMANAGER
  connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
          [this](QSessionManager&) { mainform_.SaveForSessionEnd(); });
#endif
  if (writeEnd != -1 || ::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  writeEnd = pipe_[1];
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::signalArrived);
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
    ::sigaction(kEndSignals[i], nullptr, &previous[i]);
    // Started to ignore it (nohup, a background job): it stays ignored.
    if (previous[i].sa_handler != SIG_IGN) ::sigaction(kEndSignals[i], &action, nullptr);
  }
}

SessionEnd::~SessionEnd() {
  if (notifier_ == nullptr) return;
  for (std::size_t i = 0; i < kEndSignals.size(); ++i) ::sigaction(kEndSignals[i], &previous[i], nullptr);
  writeEnd = -1;
  delete notifier_;
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void SessionEnd::signalArrived() {
  unsigned char bytes[16];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  mainform_.EndSession();
}
