// Serialise and parse of the largest documents, each beside a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "document/path_set_codec.h"

namespace {

using qarn::FileBuffer;
using qarn::tHeader;

// The two largest shapes: 14 objects of 256 points, 1363 objects without points.
tHeader Document(int objects, int points) {
  tHeader doc;
  for (int k = 1; k <= objects; ++k) {
    auto& record = doc.InsertNew(k);
    record.name[0] = 'o';
    record.pointCount = static_cast<uint32_t>(points);
    for (int j = 1; j <= points; ++j) record.Point(j) = {0x7317, 1.5f * j, 2.0f, -0.5f * j};
  }
  return doc;
}

void Report(benchmark::State& state, const FileBuffer& buffer) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * buffer.usedLength);
}

void BM_Serialize(benchmark::State& state) {
  const tHeader doc = Document(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  auto buffer = std::make_unique<FileBuffer>();
  for (auto _ : state) {
    qarn::SerializeDocument(doc, *buffer);
    benchmark::DoNotOptimize(buffer->bytes.data());
  }
  Report(state, *buffer);
}

void BM_Parse(benchmark::State& state) {
  auto buffer = std::make_unique<FileBuffer>();
  qarn::SerializeDocument(
      Document(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))), *buffer);
  tHeader doc;
  for (auto _ : state) {
    qarn::ParseBuffer(*buffer, doc);
    benchmark::DoNotOptimize(doc.records.data());
  }
  Report(state, *buffer);
}

// The edit cycle's share: serialise, then parse back.
void BM_SerializeAndParse(benchmark::State& state) {
  tHeader doc = Document(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  auto buffer = std::make_unique<FileBuffer>();
  for (auto _ : state) {
    qarn::SerializeDocument(doc, *buffer);
    qarn::ParseBuffer(*buffer, doc);
    benchmark::DoNotOptimize(doc.records.data());
  }
  Report(state, *buffer);
}

// The floor: copying the same number of bytes.
void BM_Memcpy(benchmark::State& state) {
  auto buffer = std::make_unique<FileBuffer>();
  qarn::SerializeDocument(
      Document(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))), *buffer);
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
