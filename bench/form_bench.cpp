// The editor window's work per user action on the largest documents, each beside a plain copy of
// the map picture's 2048000 pixel bytes: a click in the object list (the whole refresh), a
// command (the edit cycle with undo step, list refill and map redraw), "Points" and one
// magnifier update. The "paint:1" variants also let the window repaint what the action exposed.
// The map workspace: the whole view repainted and a refresh at 25, 100 and 800 %, a zoom step
// onto every level against one onto 100 %, and a drag's live update of the marks.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "assets/object_types.h"
#include "bench_documents.h"
#include "bench_floor.h"
#include "document/path_set_codec.h"
#include "map/map_transform.h"
#include "map/view_transform.h"
#include "widgets/kv_string_grid.h"
#include "window/form_dialogs.h"
#include "window/map_canvas.h"
#include "window/map_view.h"
#include "window/name_widths.h"
#include "window/qarn_form.h"

using qarn::bench::Document;

namespace {

using qarn::tHeader;
using qarn::TQarnForm;

constexpr int kUndoSteps = 256;  // the undo history is emptied, untimed, after this many commands

// Collects the messages instead of showing boxes, and answers every question with "no".
class QuietDialogs : public qarn::FormDialogs {
 public:
  explicit QuietDialogs(QStringList& errors) : errors_(errors) {}

  std::optional<QString> OpenFileName(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFileName(QWidget*, const QString&) override { return std::nullopt; }
  void ShowError(QWidget*, const QString& message) override { errors_ << message; }
  SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Discard; }

 private:
  QStringList& errors_;
};

// A shown form that has loaded one of the largest documents from a file.
class LoadedForm {
 public:
  LoadedForm(int objects, int points) : form_(std::make_unique<QuietDialogs>(errors_)) {
    const QString path = dir_.filePath(QStringLiteral("largest.pathset"));
    WriteFile(path, qarn::SerializeToBytes(Document(objects, points)));
    form_.show();
    WaitUntilExposed();
    if (!form_.LoadFile(path)) throw std::runtime_error(Errors());
    QCoreApplication::processEvents();
  }
  ~LoadedForm() { form_.close(); }
  LoadedForm(const LoadedForm&) = delete;
  LoadedForm& operator=(const LoadedForm&) = delete;

  template <class T>
  T* Child(const char* name) {
    T* child = form_.findChild<T*>(QString::fromLatin1(name));
    if (!child) throw std::runtime_error(std::string("the form has no ") + name);
    return child;
  }
  void Click(const char* buttonName) { Child<QAbstractButton>(buttonName)->click(); }
  const tHeader& Doc() const { return form_.Document(); }
  // A figure measured while the form reported errors measures the error path: refuse it.
  bool Failed(benchmark::State& state) {
    if (errors_.isEmpty()) return false;
    state.SkipWithError(Errors().c_str());
    return true;
  }
  void ForgetHistoryNow(benchmark::State& state) {
    state.PauseTiming();
    form_.UndoStack().clear();
    state.ResumeTiming();
  }

 private:
  static void WriteFile(const QString& path, const std::vector<uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
            qint64(bytes.size())) {
      throw std::runtime_error("cannot write the benchmark's path set");
    }
  }
  void WaitUntilExposed() {
    QElapsedTimer timer;
    timer.start();
    while (!(form_.windowHandle() && form_.windowHandle()->isExposed()) && timer.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
  }
  std::string Errors() const { return errors_.join(QStringLiteral(" | ")).toStdString(); }

  QTemporaryDir dir_;
  QStringList errors_;
  TQarnForm form_;
};

LoadedForm Open(const benchmark::State& state) {
  return LoadedForm(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

bool Paints(const benchmark::State& state) {
  return state.range(2) != 0;
}

// Lets the window repaint what the action left to be painted.
void Repaint(const benchmark::State& state) {
  if (Paints(state)) QCoreApplication::processEvents();
}

// The floor: copying the map picture's pixel bytes.
void BM_MemcpyPicture(benchmark::State& state) {
  const std::vector<uint8_t> from(size_t(qarn::kMapWidth) * qarn::kMapHeight, 1);
  std::vector<uint8_t> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(from.size()));
}

double ProcessNanos() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e9 + static_cast<double>(t.tv_nsec);
}

// A click on another row of Names: the whole refresh of the selected object. `x_memcpy` is its
// processor time (all threads: Qt may convert pictures on several) against a memcpy of the map
// measured in the same run; the target with the repaint is 3.
void BM_NamesClick(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  auto* names = loaded.Child<qarn::tKvStringGrid>("Names");
  int row = 1;
  const double start = ProcessNanos();
  for (auto _ : state) {
    row = 3 - row;
    names->SetRow(row);
    Repaint(state);
  }
  const double perClick = (ProcessNanos() - start) / static_cast<double>(state.iterations());
  const double floor = qarn::bench::MemcpyNanos(size_t(qarn::kMapWidth) * qarn::kMapHeight);
  state.counters["memcpy_us"] = floor / 1000;
  state.counters["x_memcpy"] = perClick / floor;
  loaded.Failed(state);
}

// One command as the user starts it: a click on a button that changes the document. The two
// buttons undo each other's change, so the document keeps its shape.
void RunCommandPair(benchmark::State& state, const char* first, const char* second) {
  LoadedForm loaded = Open(state);
  loaded.Child<qarn::tKvStringGrid>("Names")->SetRow(1);
  bool forth = true;
  int64_t sinceCleared = 0;
  for (auto _ : state) {
    loaded.Click(forth ? first : second);
    forth = !forth;
    Repaint(state);
    if (++sinceCleared == kUndoSteps) {
      loaded.ForgetHistoryNow(state);
      sinceCleared = 0;
    }
  }
  loaded.Failed(state);
}

// Move all points of object 1 east, then west: shift, edit cycle, list refill, map redraw.
void BM_ShiftCommand(benchmark::State& state) {
  RunCommandPair(state, "eButton", "wButton");
}

// Move object 1 down the list, then back up.
void BM_MoveObjectCommand(benchmark::State& state) {
  RunCommandPair(state, "SpeedButton7", "SpeedButton6");
}

// "Points": squares at every point of every object.
void BM_DrawAllPointsButton(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  for (auto _ : state) {
    loaded.Click("Button3");
    Repaint(state);
  }
  loaded.Failed(state);
}

// The pointer moving over the map: the magnifier repaints at once, the status line follows.
void BM_MagnifierMove(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  auto* map = loaded.Child<qarn::MapCanvas>("Image1");
  const QPoint spots[] = {{600, 700}, {603, 702}};
  int spot = 0;
  for (auto _ : state) {
    spot = 1 - spot;
    const QPointF local(spots[spot]);
    QMouseEvent move(QEvent::MouseMove, local, map->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(map, &move);
    Repaint(state);
  }
  loaded.Failed(state);
}

// The shown part of the map painted anew at a zoom level (percent), as after scrolling or zooming.
void BM_ViewRepaint(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  auto* view = loaded.Child<qarn::MapView>("ScrollBox1");
  view->SetScale(double(state.range(2)) / 100);
  QCoreApplication::processEvents();
  auto* canvas = loaded.Child<qarn::MapCanvas>("Image1");
  const QRect shown = canvas->visibleRegion().boundingRect();
  for (auto _ : state) canvas->repaint(shown);
  loaded.Failed(state);
}

// A click on another row of Names with the window's repaint, at a zoom level (percent).
void BM_NamesClickZoomed(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  loaded.Child<qarn::MapView>("ScrollBox1")->SetScale(double(state.range(2)) / 100);
  auto* names = loaded.Child<qarn::tKvStringGrid>("Names");
  int row = 1;
  for (auto _ : state) {
    row = 3 - row;
    names->SetRow(row);
    QCoreApplication::processEvents();
  }
  loaded.Failed(state);
}

void SendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(to, &event);
}

// Dragging object 1 by its disc: each move redraws its marks where the drag would put them,
// with the window's repaint. Compare with BM_NamesClick/paint:1.
void BM_DragPreview(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  auto* names = loaded.Child<qarn::tKvStringGrid>("Names");
  names->SetRow(2);
  names->SetRow(1);  // object 1 selected, its point 1 scrolled into view
  QCoreApplication::processEvents();
  auto* canvas = loaded.Child<qarn::MapCanvas>("Image1");
  const qarn::tPoint& first = loaded.Doc().Object(1).Point(1);
  const QPoint disc = canvas->View().ViewPixelOf(qarn::MapTransform().PixelOf(first.x, first.z));
  SendMouse(canvas, QEvent::MouseButtonPress, disc, Qt::LeftButton);
  int step = 0;
  for (auto _ : state) {
    step = step == 30 ? 20 : 30;
    SendMouse(canvas, QEvent::MouseMove, disc + QPoint(step, 0), Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(canvas, &escape);
  SendMouse(canvas, QEvent::MouseButtonRelease, disc, Qt::NoButton);
  loaded.Failed(state);
}

// One zoom step onto `scale` from the level beside it, with the window's repaint; processor
// time of every thread (Qt may paint on workers).
double ZoomStepNanos(qarn::MapView* view, double scale) {
  const qarn::ViewTransform to(scale);
  view->SetScale(scale < qarn::ViewTransform::kLargest ? to.NextLevel(+1) : to.NextLevel(-1));
  QCoreApplication::processEvents();
  const double start = ProcessNanos();
  view->SetScale(scale);
  QCoreApplication::processEvents();
  return ProcessNanos() - start;
}

// A zoom step onto each level, with x_step_at_100: its ratio to a step onto 100 % measured in
// the same run (at most 2 is the target).
void BM_ZoomStep(benchmark::State& state) {
  LoadedForm loaded = Open(state);
  auto* view = loaded.Child<qarn::MapView>("ScrollBox1");
  const double scale = double(state.range(2)) / 100;
  double total = 0;
  for (auto _ : state) {
    const double nanos = ZoomStepNanos(view, scale);
    total += nanos;
    state.SetIterationTime(nanos / 1e9);
  }
  constexpr int kReferenceSteps = 30;
  double reference = 0;
  for (int i = 0; i < kReferenceSteps; ++i) reference += ZoomStepNanos(view, 1.0);
  state.counters["x_step_at_100"] =
      (total / double(state.iterations())) / (reference / kReferenceSteps);
  loaded.Failed(state);
}

void ZoomSteps(benchmark::internal::Benchmark* b) {
  b->ArgNames({"objects", "points", "zoom"});
  for (int zoom : qarn::ViewTransform::kLevels) b->Args({14, 256, zoom});
  b->Unit(benchmark::kMicrosecond)->UseManualTime();
}

void ZoomLevels(benchmark::internal::Benchmark* b) {
  b->ArgNames({"objects", "points", "zoom"});
  for (int zoom : {25, 100, 800}) b->Args({14, 256, zoom})->Args({1363, 0, zoom});
  b->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
}

// The Name column's width on every refill of the object list: 1363 objects named after the
// types in turn, each distinct name measured once (the first refill), then looked up.
void BM_NameColumnWidth(benchmark::State& state) {
  qarn::tHeader doc = Document(1363, 0);
  const QStringList types = qarn::ObjectTypeNames();
  for (size_t i = 0; i < doc.records.size(); ++i) {
    const QByteArray name = types[static_cast<qsizetype>(i) % types.size()].toLatin1();
    std::memcpy(doc.records[i]->name.data(), name.constData(),
                std::min<size_t>(static_cast<size_t>(name.size()), qarn::kNameBytes));
  }
  qarn::NameWidths widths;
  const QFont font(QStringLiteral("Sans Serif"), 8);
  benchmark::DoNotOptimize(widths.Widest(doc, font, 192));
  for (auto _ : state) benchmark::DoNotOptimize(widths.Widest(doc, font, 192));
}

void Shapes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"objects", "points", "paint"});
  for (int paint : {0, 1}) b->Args({14, 256, paint})->Args({1363, 0, paint});
  // Qt may hand painting to worker threads: count their time too, and wait for them.
  b->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
}

BENCHMARK(BM_MemcpyPicture)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_NameColumnWidth)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NamesClick)->Apply(Shapes);
BENCHMARK(BM_ShiftCommand)->Apply(Shapes);
BENCHMARK(BM_MoveObjectCommand)->Apply(Shapes);
BENCHMARK(BM_DrawAllPointsButton)->Apply(Shapes);
BENCHMARK(BM_MagnifierMove)->Apply(Shapes);
BENCHMARK(BM_ViewRepaint)->Apply(ZoomLevels);
BENCHMARK(BM_NamesClickZoomed)->Apply(ZoomLevels);
BENCHMARK(BM_ZoomStep)->Apply(ZoomSteps);
BENCHMARK(BM_DragPreview)
    ->ArgNames({"objects", "points"})
    ->Args({14, 256})
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

// The form needs a QApplication; the offscreen platform needs no display.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
