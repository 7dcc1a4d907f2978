#pragma once

#include <QObject>

class QSocketNotifier;
class Tmainform;

// Ends the program as File > Exit does when it is asked to end some other
// way: SIGINT (Ctrl+C in its terminal), SIGTERM, SIGHUP, or the desktop
// session ending. A signal handler may do almost nothing safely, so it only
// writes the signal's number to a pipe; the event loop notices the pipe and
// does the work. Only one watcher may exist at a time; the old signal
// dispositions come back when it goes.
class SessionEnd : public QObject {
  Q_OBJECT
public:
  explicit SessionEnd(Tmainform& mainform, QObject* parent = nullptr);
  ~SessionEnd() override;
  SessionEnd(const SessionEnd&) = delete;
  SessionEnd& operator=(const SessionEnd&) = delete;

  bool watching() const { return notifier_ != nullptr; }

private:
  void signalArrived();

  Tmainform& mainform_;
  int pipe_[2] = {-1, -1};
  QSocketNotifier* notifier_ = nullptr;
};
