// Runs a coarse and a precise 333 ms timer side by side for N ticks (28 by
// default: the fewest that can end a single-recipient send) and prints when
// each tick came against its nominal time. A timer that fires early ends a
// send's time limit early.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kIntervalMs = 333;

struct Probe {
  explicit Probe(const char* n) : name(n) {}
  const char* name;
  QTimer timer;
  int ticks = 0;
  qint64 mostEarlyMs = 1'000'000;  // least of (tick time - its nominal time)
  qint64 lastMs = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 28;
  Probe coarse("coarse (Qt default)");
  Probe precise("precise (Timer1)");
  coarse.timer.setTimerType(Qt::CoarseTimer);
  precise.timer.setTimerType(Qt::PreciseTimer);
  QElapsedTimer clock;
  int running = 2;
  for (Probe* p : {&coarse, &precise}) {
    p->timer.setInterval(kIntervalMs);
    QObject::connect(&p->timer, &QTimer::timeout, [&, p] {
      const qint64 now = clock.elapsed();
      p->lastMs = now;
      ++p->ticks;
      p->mostEarlyMs = std::min(p->mostEarlyMs, now - static_cast<qint64>(p->ticks) * kIntervalMs);
      if (p->ticks == ticks) {
        p->timer.stop();
        if (--running == 0) app.quit();
      }
    });
  }
  clock.start();
  coarse.timer.start();
  precise.timer.start();
  app.exec();

  std::printf("%d ticks of %d ms, nominal %lld ms\n", ticks, kIntervalMs,
              static_cast<long long>(ticks) * kIntervalMs);
  for (const Probe* p : {&coarse, &precise}) {
    const qint64 nominal = static_cast<qint64>(ticks) * kIntervalMs;
    std::printf("%-22s elapsed %6lld ms (%+5lld ms)  earliest tick %+5lld ms against its time\n",
                p->name, static_cast<long long>(p->lastMs),
                static_cast<long long>(p->lastMs - nominal), static_cast<long long>(p->mostEarlyMs));
  }
  return 0;
}
