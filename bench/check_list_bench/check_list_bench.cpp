// Adds 5,000 and 50,000 recipient entries one by one to the check list, as
// loading names.txt does, in file order (already sorted, as the program
// writes it) and shuffled (a hand-edited file). A std::multiset with the same
// ordering is the n log n baseline. Then toggles one state in the middle of
// the 50,000 and records which part of the list gets repainted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPaintEvent>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "qt/controls/check_list.h"

namespace {

using snpp::CheckListModel;
using snpp::TCheckList;

std::vector<std::string> MakeEntries(int n, bool shuffled) {
  std::mt19937 rng(1861);
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    std::string name;
    name += static_cast<char>('A' + rng() % 26);
    for (int k = 0; k < 8; ++k) name += static_cast<char>('a' + rng() % 26);
    out.push_back(name + " " + std::to_string(i) + ", " + std::to_string(5550000 + rng() % 10000));
  }
  if (shuffled) return out;
  std::stable_sort(out.begin(), out.end(),
                   [](const std::string& a, const std::string& b) { return CheckListModel::CompareIgnoreCase(a, b) < 0; });
  return out;
}

struct CaseLess {
  bool operator()(const std::string& a, const std::string& b) const { return CheckListModel::CompareIgnoreCase(a, b) < 0; }
};

TCheckList* g_list = nullptr;

void AddToList(benchmark::State& state, bool shuffled) {
  const auto entries = MakeEntries(static_cast<int>(state.range(0)), shuffled);
  for (auto _ : state) {
    state.PauseTiming();
    g_list->ClearItems();
    QApplication::processEvents();
    auto lines = entries;  // a loader reads each line into a string of its own
    state.ResumeTiming();
    for (auto& line : lines) g_list->AddItem(std::move(line));
    QApplication::processEvents();  // the one repaint that follows a load
  }
  state.counters["items"] = g_list->ItemCount();
}

void AddToModel(benchmark::State& state, bool shuffled) {
  const auto entries = MakeEntries(static_cast<int>(state.range(0)), shuffled);
  for (auto _ : state) {
    state.PauseTiming();
    auto lines = entries;
    auto model = std::make_unique<CheckListModel>();
    state.ResumeTiming();
    for (auto& line : lines) model->Add(std::move(line));
    benchmark::DoNotOptimize(model->Count());
    state.PauseTiming();
    model.reset();
    state.ResumeTiming();
  }
}

void AddToMultiset(benchmark::State& state, bool shuffled) {
  const auto entries = MakeEntries(static_cast<int>(state.range(0)), shuffled);
  for (auto _ : state) {
    state.PauseTiming();
    auto lines = entries;
    auto set = std::make_unique<std::multiset<std::string, CaseLess>>();
    state.ResumeTiming();
    for (auto& line : lines) set->insert(std::move(line));
    benchmark::DoNotOptimize(set->size());
    state.PauseTiming();
    set.reset();
    state.ResumeTiming();
  }
}

// Collects what the list repaints.
class PaintSpy : public QObject {
 public:
  QRegion painted;
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) {
      painted += static_cast<QPaintEvent*>(e)->region();
      ++paints;
    }
    return false;
  }
};

PaintSpy g_spy;
QRegion g_togglePainted;
int g_togglePaints = 0;

void PrepareBigList() {
  g_list->ClearItems();
  for (const auto& e : MakeEntries(50000, true)) g_list->AddItem(e);
  g_list->SetItemIndex(25000);
  QApplication::processEvents();
}

void ToggleMiddle(benchmark::State& state) {
  PrepareBigList();
  const int mid = 25000;
  g_spy.painted = QRegion();
  g_spy.paints = 0;
  for (auto _ : state) {
    g_list->SetItemState(mid, snpp::NextState(g_list->ItemState(mid), false));
    QApplication::processEvents();
  }
  g_togglePainted = g_spy.painted;
  g_togglePaints = g_spy.paints;
}

void RepaintWholeList(benchmark::State& state) {
  for (auto _ : state) {
    g_list->viewport()->update();
    QApplication::processEvents();
  }
}

// Keeps each run's time per iteration, in seconds, beside the usual output.
class Recorder : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> seconds, cpuSeconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& r : runs) {
      if (r.run_type != Run::RT_Iteration || r.iterations <= 0) continue;
      seconds[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
      cpuSeconds[r.benchmark_name()] = r.cpu_accumulated_time / static_cast<double>(r.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// The machine is shared, so wall time wanders with other people's work;
// the ratio that counts is taken on CPU time, with the wall-time one beside it.
void PrintRatio(const Recorder& rec, const char* label, const std::string& name) {
  const std::string small = name + "/5000", big = name + "/50000";
  if (!rec.cpuSeconds.count(small) || !rec.cpuSeconds.count(big)) return;
  const double cs = rec.cpuSeconds.at(small), cb = rec.cpuSeconds.at(big);
  const double ws = rec.seconds.at(small), wb = rec.seconds.at(big);
  std::printf("%-30s cpu 5,000: %8.3f ms  50,000: %8.3f ms  ratio %5.2f | wall %8.3f / %8.3f ms  ratio %5.2f\n",
              label, cs * 1e3, cb * 1e3, cb / cs, ws * 1e3, wb * 1e3, wb / ws);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TCheckList list;
  list.setFixedSize(185, 179);
  list.show();
  g_list = &list;

  for (bool shuffled : {false, true}) {
    const std::string order = shuffled ? "shuffled" : "file_order";
    benchmark::RegisterBenchmark(("add_to_check_list/" + order).c_str(), AddToList, shuffled)
        ->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("add_to_model/" + order).c_str(), AddToModel, shuffled)
        ->Arg(5000)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("baseline_multiset/" + order).c_str(), AddToMultiset, shuffled)
        ->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);
  }
  benchmark::RegisterBenchmark("toggle_middle_of_50000", ToggleMiddle)->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("baseline_repaint_whole_list", RepaintWholeList)->Unit(benchmark::kMicrosecond);

  benchmark::Initialize(&argc, argv);
  list.viewport()->installEventFilter(&g_spy);
  Recorder rec;
  benchmark::RunSpecifiedBenchmarks(&rec);
  list.viewport()->removeEventFilter(&g_spy);

  std::printf("\nratios of 50,000 to 5,000 entries: linear is 10, the limit is 15\n");
  PrintRatio(rec, "check list, file order", "add_to_check_list/file_order");
  PrintRatio(rec, "check list, shuffled", "add_to_check_list/shuffled");
  PrintRatio(rec, "model alone, file order", "add_to_model/file_order");
  PrintRatio(rec, "model alone, shuffled", "add_to_model/shuffled");
  // Past the size of the caches the cost of one add levels off: memory, not
  // the algorithm, is what grows between 5,000 and 50,000.
  for (const char* order : {"file_order", "shuffled"}) {
    std::printf("model alone, %-10s cpu ns per add:", order);
    for (int n : {5000, 50000, 500000}) {
      auto it = rec.cpuSeconds.find(std::string("add_to_model/") + order + "/" + std::to_string(n));
      if (it != rec.cpuSeconds.end()) std::printf("  %d: %.0f", n, it->second * 1e9 / n);
    }
    std::printf("\n");
  }
  PrintRatio(rec, "multiset baseline, file order", "baseline_multiset/file_order");
  PrintRatio(rec, "multiset baseline, shuffled", "baseline_multiset/shuffled");
  for (const char* order : {"file_order", "shuffled"}) {
    auto ours = rec.cpuSeconds.find(std::string("add_to_check_list/") + order + "/50000");
    auto base = rec.cpuSeconds.find(std::string("baseline_multiset/") + order + "/50000");
    if (ours != rec.cpuSeconds.end() && base != rec.cpuSeconds.end())
      std::printf("50,000 %-10s check list / multiset: %.2f\n", order, ours->second / base->second);
  }
  auto toggle = rec.cpuSeconds.find("toggle_middle_of_50000");
  auto whole = rec.cpuSeconds.find("baseline_repaint_whole_list");
  if (toggle != rec.cpuSeconds.end() && whole != rec.cpuSeconds.end()) {
    const QRect r = list.ItemRect(25000);
    std::printf("cpu: toggle + repaint: %.1f us, whole-list repaint: %.1f us, ratio %.2f\n", toggle->second * 1e6,
                whole->second * 1e6, toggle->second / whole->second);
    const QRect b = g_togglePainted.boundingRect();
    std::printf("toggles repainted %d times, region %dx%d at y=%d (%lld rects); the row is %dx%d at y=%d, viewport %dx%d\n",
                g_togglePaints, b.width(), b.height(), b.y(), static_cast<long long>(g_togglePainted.rectCount()),
                r.width(), r.height(), r.y(), list.viewport()->width(), list.viewport()->height());
  }
  benchmark::Shutdown();
  return 0;
}
