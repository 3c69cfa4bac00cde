// The map picture's marks on the largest documents, each beside a plain copy of the picture's
// 2048000 pixel bytes, which every redraw starts with.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench_documents.h"
#include "document/path_set_records.h"
#include "map/map_picture.h"
#include "map/map_transform.h"

using qarn::bench::Document;

namespace {

using qarn::MapPicture;
using qarn::tHeader;

tHeader Shape(const benchmark::State& state) {
  return Document(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

void ReportPictureBytes(benchmark::State& state) {
  state.SetBytesProcessed(int64_t(state.iterations()) * qarn::kMapWidth * qarn::kMapHeight);
}

// The floor: copying the picture's pixel bytes.
void BM_MemcpyPicture(benchmark::State& state) {
  const std::vector<uint8_t> from(size_t(qarn::kMapWidth) * qarn::kMapHeight, 1);
  std::vector<uint8_t> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::ClobberMemory();
  }
  ReportPictureBytes(state);
}

void BM_Restore(benchmark::State& state) {
  MapPicture picture(MapPicture::BuiltInMap());
  for (auto _ : state) {
    picture.Restore();
    benchmark::DoNotOptimize(picture.Image().constBits());
  }
  ReportPictureBytes(state);
}

void BM_DrawAllPoints(benchmark::State& state) {
  const tHeader doc = Shape(state);
  MapPicture picture(MapPicture::BuiltInMap());
  const qarn::MapTransform t;
  for (auto _ : state) {
    picture.DrawAllPoints(doc, t);
    benchmark::DoNotOptimize(picture.Image().constBits());
  }
  ReportPictureBytes(state);
}

// The marks of the first object: its disc, direction line and crosses, or none.
void BM_DrawObjectMarks(benchmark::State& state) {
  const tHeader doc = Shape(state);
  MapPicture picture(MapPicture::BuiltInMap());
  const qarn::MapTransform t;
  for (auto _ : state) {
    picture.DrawObjectMarks(doc.Object(1), t);
    benchmark::DoNotOptimize(picture.Image().constBits());
  }
  ReportPictureBytes(state);
}

void Shapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"objects", "points"})->Args({14, 256})->Args({1363, 0});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_MemcpyPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Restore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawAllPoints)->Apply(Shapes);
BENCHMARK(BM_DrawObjectMarks)->Apply(Shapes);

}  // namespace

BENCHMARK_MAIN();
