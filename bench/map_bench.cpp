// The map picture's marks on the largest documents, each beside a plain copy of the picture's
// 2048000 pixel bytes, which every redraw starts with; and the peak memory of a user's largest
// pictures (8192 x 8192 in palette colours, 4096 x 3072 in full colour) against their budget of
// 2.2 x the picture's decoded size plus 40 MiB, each in a process of its own.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_documents.h"
#include "document/path_set_records.h"
#include "map/device_marks.h"
#include "map/map_picture.h"
#include "map/map_placement.h"
#include "map/map_transform.h"
#include "map/zoomed_map.h"

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

// Every point's marks as a device-pixel layer over a large window's view (1600 x 1000 view
// pixels) on a screen at 150 %, as each full repaint of the map draws them there.
void BM_DeviceMarkLayer(benchmark::State& state) {
  MapPicture picture(MapPicture::BuiltInMap());
  picture.DrawAllPoints(Shape(state), qarn::MapTransform());
  const qarn::ViewTransform view(1.0);
  const QRect device = qarn::DeviceRectOf(QRect(0, 0, 1600, 1000), 1.5);
  for (auto _ : state) {
    const QImage layer = qarn::DeviceMarkLayer(picture.Marks(), view, 1.5, device);
    benchmark::DoNotOptimize(layer.constBits());
  }
  ReportPictureBytes(state);
}

constexpr const char* kMemoryChild = "--picture-memory-child";

// The process's peak resident memory. Not getrusage's ru_maxrss: Linux keeps that across exec,
// so the child would report the parent's peak (which made the picture).
double PeakMiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:"))
      return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
  }
  return 0;
}

// What the editor does with a picture: reads it with its world file, marks every point, and
// shows the view at every zoom level (a large window's worth of it).
int PictureMemoryChild(const char* path) {
  const qarn::PlacedMap placed = qarn::LoadPlacedMap(QString::fromLocal8Bit(path));
  MapPicture picture(placed.picture);
  picture.DrawAllPoints(Document(14, 256), qarn::MapTransform(*placed.calibration));
  qarn::ZoomedMap zoomed;
  for (int level : qarn::ViewTransform::kLevels) {
    const qarn::ViewTransform view(level / 100.0);
    benchmark::DoNotOptimize(zoomed.Piece(picture, view, QRect(0, 0, 1600, 1000)).constBits());
  }
  std::printf("%f\n", PeakMiB());
  return 0;
}

// A picture of `size` in palette (Indexed8) or full colour (RGB32) with streets and blocks that
// a PNG keeps compressed, and its world file.
QString WritePicture(const QTemporaryDir& dir, QSize size, bool palette) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const bool street = x % 64 < 4 || y % 64 < 4;
      line[x] = street ? qRgb(250, 250, 240) : qRgb(40 + (x / 64) % 100, 120, 60 + (y / 64) % 90);
    }
  }
  if (palette) picture = picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
  const QString path = dir.filePath(QStringLiteral("picture.png"));
  picture.save(path);
  qarn::WriteWorldFile(path, qarn::MapCalibration());
  return path;
}

// Peak memory of the child process with the picture, against 2.2 x its decoded size + 40 MiB.
void BM_PicturePeakMemory(benchmark::State& state) {
  const QSize size(int(state.range(0)), int(state.range(1)));
  const bool palette = state.range(2) != 0;
  const QTemporaryDir dir;
  const QString path = WritePicture(dir, size, palette);
  const double decodedMiB = double(size.width()) * size.height() * (palette ? 1 : 4) / (1 << 20);
  double peak = 0;
  for (auto _ : state) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {kMemoryChild, path});
    child.waitForFinished(-1);
    peak = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble();
    if (child.exitCode() != 0 || peak <= 0) state.SkipWithError("the child process failed");
  }
  const double budget = 2.2 * decodedMiB + 40;
  state.counters["decoded_MiB"] = decodedMiB;
  state.counters["peak_MiB"] = peak;
  state.counters["budget_MiB"] = budget;
  state.counters["x_budget"] = peak / budget;
}

void Shapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"objects", "points"})->Args({14, 256})->Args({1363, 0});
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_MemcpyPicture)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Restore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawAllPoints)->Apply(Shapes);
BENCHMARK(BM_DrawObjectMarks)->Apply(Shapes);
BENCHMARK(BM_DeviceMarkLayer)->Apply(Shapes);
BENCHMARK(BM_PicturePeakMemory)
    ->ArgNames({"width", "height", "palette"})
    ->Args({8192, 8192, 1})
    ->Args({4096, 3072, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], kMemoryChild) == 0) return PictureMemoryChild(argv[2]);
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
