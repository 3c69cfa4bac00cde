// The undo history's memory. 5000 east-arrow steps on the 14 x 256-point document (each moves
// the x of object 1's 256 points), beside the floor of a step: the bytes of the words it changed.
// The target: a step keeps at most 1.25 x those bytes plus 64 (`beyond_1.25x_changed` <= 64).
// Then the bound: 5000 of the largest steps there are (every object moved), which the history
// keeps within 64 MiB by dropping its oldest steps. The heap is measured as glibc counts it.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "bench_documents.h"
#include "commands/point_layout.h"
#include "document/path_set_codec.h"
#include "editing/undo_history.h"

namespace {

using qarn::DocumentState;
using qarn::tHeader;
using qarn::UndoHistory;
using Bytes = std::vector<uint8_t>;

constexpr int kSteps = 5000;

double HeapBytes() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<double>(heap.uordblks + heap.hblkhd);
}

// The bytes of the 4-byte words that differ between images of one length.
double ChangedWordBytes(const Bytes& before, const Bytes& after) {
  double changed = 0;
  for (size_t at = 0; at < before.size(); at += 4) {
    changed += std::memcmp(&before[at], &after[at], std::min<size_t>(4, before.size() - at)) != 0;
  }
  return 4 * changed;
}

// Pushes kSteps steps, each made by `change`, as the form pushes its commands.
template <class Change>
void PushSteps(benchmark::State& state, Change&& change) {
  for (auto _ : state) {
    tHeader doc = qarn::bench::Document(14, 256);
    Bytes before = qarn::SerializeToBytes(doc);
    UndoHistory history([](const DocumentState&) {});
    const double heapBefore = HeapBytes();
    double changed = 0;
    for (int step = 0; step < kSteps; ++step) {
      change(doc);
      Bytes after = qarn::SerializeToBytes(doc);
      if (step == 0) changed = ChangedWordBytes(before, after);
      history.push(QStringLiteral("Move points"), {before, qarn::Selection::Single(1)},
                   {after, qarn::Selection::Single(1)});
      before = std::move(after);
    }
    const double held = HeapBytes() - heapBefore;
    state.counters["steps_kept"] = history.count();
    state.counters["heap_MiB"] = held / (1 << 20);
    state.counters["history_MiB"] = static_cast<double>(history.bytes()) / (1 << 20);
    state.counters["bytes_per_step"] = held / history.count();
    state.counters["changed_per_step"] = changed;
    state.counters["x_changed"] = held / history.count() / changed;
    state.counters["beyond_1.25x_changed"] = held / history.count() - 1.25 * changed;
  }
}

void BM_EastArrowSteps(benchmark::State& state) {
  PushSteps(state, [](tHeader& doc) { qarn::ShiftPoints(doc.Object(1), 1, 0, 0, 1); });
}

void BM_EveryObjectMovedSteps(benchmark::State& state) {
  PushSteps(state, [](tHeader& doc) {
    for (int k = 1; k <= static_cast<int>(doc.objectCount); ++k) {
      qarn::ShiftPoints(doc.Object(k), 1, 0, 0, 1);
    }
  });
}

BENCHMARK(BM_EastArrowSteps)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EveryObjectMovedSteps)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
