// `qarn-tool diff`'s pairing on the largest object counts: every object renamed (nothing pairs by
// name or content), and every object of one shared name changed. The time per object should stay
// flat as the count grows; `x_100_objects` is the time per object against the same diff of 100
// objects, measured in the same run. The allocator keeps the memory a call frees for the next
// one: with glibc's defaults every call of more than about 1000 objects gets fresh pages from the
// system again, whose faults cost about as much as the diff itself on a virtual machine.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench_documents.h"
#include "bench_floor.h"
#include "document/path_set_diff.h"

namespace {

using qarn::tHeader;

struct Pair {
  tHeader a;
  tHeader b;
};

Pair Renamed(int objects) {
  Pair pair{qarn::bench::Document(objects, 0), qarn::bench::Document(objects, 0)};
  for (auto& record : pair.b.records) record->name[0] = 'r';
  return pair;
}

Pair SameNameChanged(int objects) {
  Pair pair{qarn::bench::Document(objects, 4), qarn::bench::Document(objects, 4)};
  for (auto& record : pair.b.records) record->Point(2).x += 1;
  return pair;
}

double MicrosPerObject(const Pair& pair) {
  const double nanos = qarn::bench::BestNanosPerCall(
      [&] { benchmark::DoNotOptimize(qarn::DiffPathSets(pair.a, pair.b)); }, 3, 5);
  return nanos / 1000 / static_cast<double>(pair.a.records.size());
}

template <class Make>
void DiffPerObject(benchmark::State& state, Make make) {
  const Pair pair = make(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(qarn::DiffPathSets(pair.a, pair.b));
  const double perObject = MicrosPerObject(pair);
  state.counters["us_per_object"] = perObject;
  state.counters["x_100_objects"] = perObject / MicrosPerObject(make(100));
}

void BM_DiffRenamed(benchmark::State& state) {
  DiffPerObject(state, Renamed);
}

void BM_DiffSameNameChanged(benchmark::State& state) {
  DiffPerObject(state, SameNameChanged);
}

BENCHMARK(BM_DiffRenamed)->Arg(100)->Arg(1000)->Arg(1363)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiffSameNameChanged)->Arg(100)->Arg(1000)->Arg(1363)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
