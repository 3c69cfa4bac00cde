// Serialise and parse of the largest documents, each beside a plain copy of the same bytes: the
// memcpy benchmark, and in each row the memcpy time and the ratio to it measured alongside.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "bench_documents.h"
#include "bench_floor.h"
#include "document/path_set_codec.h"

namespace {

using qarn::FileBuffer;
using qarn::tHeader;
using qarn::bench::Document;

tHeader Shape(const benchmark::State& state) {
  return Document(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

// The work of one call beside a memcpy of the same bytes, both timed here, in this run.
template <class Call>
void CompareWithMemcpy(benchmark::State& state, const FileBuffer& buffer, Call&& call) {
  const double floor = qarn::bench::MemcpyNanos(static_cast<size_t>(buffer.usedLength));
  state.counters["memcpy_ns"] = floor;
  state.counters["x_memcpy"] = qarn::bench::BestNanosPerCall(call) / floor;
}

void Report(benchmark::State& state, const FileBuffer& buffer) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * buffer.usedLength);
}

void BM_Serialize(benchmark::State& state) {
  const tHeader doc = Shape(state);
  auto buffer = std::make_unique<FileBuffer>();
  const auto serialize = [&] {
    qarn::SerializeDocument(doc, *buffer);
    benchmark::DoNotOptimize(buffer->bytes.data());
  };
  for (auto _ : state) serialize();
  Report(state, *buffer);
  CompareWithMemcpy(state, *buffer, serialize);
}

void BM_Parse(benchmark::State& state) {
  auto buffer = std::make_unique<FileBuffer>();
  qarn::SerializeDocument(Shape(state), *buffer);
  tHeader doc;
  const auto parse = [&] {
    qarn::ParseBuffer(*buffer, doc);
    benchmark::DoNotOptimize(doc.records.data());
  };
  for (auto _ : state) parse();
  Report(state, *buffer);
  CompareWithMemcpy(state, *buffer, parse);
}

// The edit cycle's share: serialise, then parse back.
void BM_SerializeAndParse(benchmark::State& state) {
  tHeader doc = Shape(state);
  auto buffer = std::make_unique<FileBuffer>();
  const auto cycle = [&] {
    qarn::SerializeDocument(doc, *buffer);
    qarn::ParseBuffer(*buffer, doc);
    benchmark::DoNotOptimize(doc.records.data());
  };
  for (auto _ : state) cycle();
  Report(state, *buffer);
  CompareWithMemcpy(state, *buffer, cycle);
}

// The floor: copying the same number of bytes.
void BM_Memcpy(benchmark::State& state) {
  auto buffer = std::make_unique<FileBuffer>();
  qarn::SerializeDocument(Shape(state), *buffer);
  auto copy = std::make_unique<FileBuffer>();
  for (auto _ : state) {
    std::memcpy(copy->bytes.data(), buffer->bytes.data(), static_cast<size_t>(buffer->usedLength));
    benchmark::ClobberMemory();
  }
  Report(state, *buffer);
}

void Shapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"objects", "points"})->Args({14, 256})->Args({1363, 0});
}

BENCHMARK(BM_Memcpy)->Apply(Shapes);
BENCHMARK(BM_Serialize)->Apply(Shapes);
BENCHMARK(BM_Parse)->Apply(Shapes);
BENCHMARK(BM_SerializeAndParse)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
