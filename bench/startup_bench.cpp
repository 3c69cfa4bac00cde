// Start-up of the real editor on the largest documents beside its skeleton, a bare Qt window of
// the same size and a window with one label (see BM_Startup). The skeleton is the reference: the
// editor's grids, line edits, editable combo boxes, tool buttons and check boxes, of the same
// kinds and numbers at the same places, and a 1280 x 1600 8-bit picture in a scroll area, with
// none of the editor's logic; the target is the editor within 1.05 x its processor time and peak
// memory (`x_cpu_skeleton`, `x_memory_skeleton`). A further row, "shown", is the skeleton with
// what else the window shows and the skeleton leaves out: the menu bar with the same menus and
// entries, the push buttons and labels, and the window's font. Each start runs in a process of its
// own (this program started again with --start-child), so all pay for loading the libraries; the
// editor's start is the one main() makes: the command line, CreateEditor with the file, show().
// Measured: the time from starting the process to the end of the window's first paint, the
// processor time the process used until then (what the time would be on an idle machine), and
// the peak resident memory at that moment. The kinds of start take turns; the counters give the
// medians and the editor's ratios to the others.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTextStream>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_documents.h"
#include "document/path_set_codec.h"
#include "window/form_dialogs.h"
#include "window/qarn_form.h"
#include "window/startup.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--start-child";

// What a started process reports once its window has painted.
struct Start {
  double millis = 0;
  double cpuMillis = 0;
  double peakMiB = 0;
  int width = 0;
  int height = 0;
};

int64_t MonotonicNanos() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// --- the started process

// A message box would wait for a click that never comes: a start that fails says so and ends.
class ExitOnError : public qarn::QtFormDialogs {
 public:
  void ShowError(QWidget*, const QString& message) override {
    std::fprintf(stderr, "start failed: %s\n", qPrintable(message));
    std::_Exit(3);
  }
};

// Notes the window's first paint; its children paint in the same pass, before control returns
// to the event loop.
class FirstPaint : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(watched, event);
  }
};

// --- the skeleton: the editor's controls written down by the editor's start, built again

// A scroll area that holds a panel of controls (the right-hand column) rather than a picture:
// the skeleton places its controls as they show in the window.
bool HoldsControls(const QWidget* widget) {
  const auto* area = qobject_cast<const QScrollArea*>(widget);
  return area != nullptr && area->widget() != nullptr &&
         !area->widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
}

// The kind of a control the skeleton copies, or nothing for anything else (panels, the parts of
// composite controls).
QString SkeletonKind(const QWidget* widget) {
  if (qobject_cast<const QAbstractScrollArea*>(widget) != nullptr) {
    if (qobject_cast<const QTableView*>(widget) != nullptr) return QStringLiteral("grid");
    const bool picture = qobject_cast<const QScrollArea*>(widget) != nullptr;
    return picture && !HoldsControls(widget) ? QStringLiteral("picture") : "";
  }
  if (qobject_cast<const QComboBox*>(widget) != nullptr) return QStringLiteral("combo");
  if (qobject_cast<const QLineEdit*>(widget) != nullptr) return QStringLiteral("edit");
  if (qobject_cast<const QToolButton*>(widget) != nullptr) return QStringLiteral("tool");
  if (qobject_cast<const QCheckBox*>(widget) != nullptr) return QStringLiteral("check");
  if (qobject_cast<const QPushButton*>(widget) != nullptr) return QStringLiteral("button");
  if (qobject_cast<const QLabel*>(widget) != nullptr) return QStringLiteral("label");
  if (qobject_cast<const QMenuBar*>(widget) != nullptr) return QStringLiteral("menubar");
  return {};
}

// The menus of a menu bar, a line each: its title, then its entries, separated by tabs.
void WriteMenus(const QMenuBar& bar, QTextStream& out) {
  for (const QAction* title : bar.actions()) {
    if (title->menu() == nullptr) continue;
    QStringList entries{title->text()};
    for (const QAction* entry : title->menu()->actions()) entries << entry->text();
    out << "menu 0 0 0 0 " << entries.join('\t') << '\n';
  }
}

// A control inside a composite one (a combo box's line edit, a grid's cell editor) is its part.
bool InsideComposite(const QWidget* widget, const QWidget* window) {
  for (const QWidget* up = widget->parentWidget(); up != nullptr && up != window;
       up = up->parentWidget()) {
    if ((qobject_cast<const QAbstractScrollArea*>(up) != nullptr && !HoldsControls(up)) ||
        qobject_cast<const QComboBox*>(up) != nullptr) {
      return true;
    }
  }
  return false;
}

// One line per shown control: kind, place in the window, and its text (a grid: rows and
// columns).
void WriteSkeleton(const QWidget& window, const char* path) {
  QFile file(QString::fromLocal8Bit(path));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return;
  QTextStream out(&file);
  out << window.width() << ' ' << window.height() << '\n';
  out << "font 0 0 0 0 " << window.font().toString() << '\n';
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    const QString kind = SkeletonKind(widget);
    if (kind.isEmpty() || !widget->isVisibleTo(&window) || InsideComposite(widget, &window)) {
      continue;
    }
    const QRect r(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    QString text = widget->property("text").toString();
    if (const auto* grid = qobject_cast<const QTableView*>(widget)) {
      text = QString::number(grid->model()->rowCount()) + ' ' +
             QString::number(grid->model()->columnCount());
    }
    out << kind << ' ' << r.x() << ' ' << r.y() << ' ' << r.width() << ' ' << r.height() << ' '
        << text.simplified() << '\n';
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget)) WriteMenus(*bar, out);
  }
}

// Paints the exposed part of an 8-bit picture, as a picture view without any logic would.
class PictureView : public QWidget {
 public:
  explicit PictureView(QImage picture) : picture_(std::move(picture)) { resize(picture_.size()); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter(this).drawImage(event->rect(), picture_, event->rect());
  }

 private:
  QImage picture_;
};

QWidget* SkeletonControl(const QString& kind, const QString& text, QWidget* window) {
  if (kind == "grid") {
    const QStringList counts = text.split(' ');
    return new QTableWidget(counts.value(0).toInt(), counts.value(1).toInt(), window);
  }
  if (kind == "edit") return new QLineEdit(text, window);
  if (kind == "tool") return new QToolButton(window);
  if (kind == "check") return new QCheckBox(text, window);
  if (kind == "combo") {
    auto* box = new QComboBox(window);
    box->setEditable(true);
    return box;
  }
  auto* area = new QScrollArea(window);
  QImage picture(1280, 1600, QImage::Format_Indexed8);
  picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  picture.fill(1);
  area->setWidget(new PictureView(std::move(picture)));
  return area;
}

// The lines only the "shown" row reads: the window's font, its menus, push buttons, labels.
bool IsShownOnly(const QString& kind) {
  return kind == "font" || kind == "menubar" || kind == "menu" || kind == "button" ||
         kind == "label";
}

// Adds what a "shown" line describes; a control to be placed, or nothing.
QWidget* AddShown(const QString& kind, const QString& text, QWidget* window, QMenuBar*& bar) {
  if (kind == "font") {
    QFont font;
    font.fromString(text);
    window->setFont(font);
    return nullptr;
  }
  if (kind == "menubar") return bar = new QMenuBar(window);
  if (kind == "button") return new QPushButton(text, window);
  if (kind == "label") return new QLabel(text, window);
  if (bar != nullptr) {  // a menu
    const QStringList entries = text.split('\t');
    QMenu* menu = bar->addMenu(entries.value(0));
    for (const QString& entry : entries.mid(1)) menu->addAction(entry);
  }
  return nullptr;
}

std::unique_ptr<QWidget> Skeleton(const std::string& layoutPath, bool shown) {
  QFile file(QString::fromStdString(layoutPath));
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return nullptr;
  QTextStream in(&file);
  auto window = std::make_unique<QWidget>();
  int width = 0, height = 0;
  in >> width >> height;
  window->resize(width, height);
  in.readLine();
  QMenuBar* bar = nullptr;
  while (!in.atEnd()) {
    const QStringList f = in.readLine().split(' ');
    if (f.size() < 5) continue;
    const QString text = f.mid(5).join(' ');
    if (IsShownOnly(f[0]) && !shown) continue;
    QWidget* control = IsShownOnly(f[0]) ? AddShown(f[0], text, window.get(), bar)
                                         : SkeletonControl(f[0], text, window.get());
    if (control != nullptr) {
      control->setGeometry(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
    }
  }
  return window;
}

std::unique_ptr<QWidget> Window(const std::string& kind, const std::string& argument) {
  if (kind == "editor") {
    const qarn::StartOptions options =
        qarn::ParseCommandLine({QStringLiteral("qarn"), QString::fromStdString(argument)});
    return qarn::CreateEditor(options, std::make_unique<ExitOnError>());
  }
  if (kind == "skeleton" || kind == "shown") return Skeleton(argument, kind == "shown");
  auto bare = std::make_unique<QWidget>();
  int width = 0;
  int height = 0;
  if (std::sscanf(argument.c_str(), "%dx%d", &width, &height) != 2) return nullptr;
  bare->resize(width, height);
  if (kind == "text") new QLabel(QStringLiteral("Nummer"), bare.get());
  return bare;
}

int RunChild(int argc, char** argv) {
  if (argc < 4) return 2;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int appArgc = 1;
  QApplication app(appArgc, argv);
  QApplication::setApplicationName(QStringLiteral("qarn"));
  const std::unique_ptr<QWidget> window = Window(argv[2], argv[3]);
  if (!window) return 2;
  FirstPaint paint;
  window->installEventFilter(&paint);
  window->show();
  const int64_t deadline = MonotonicNanos() + 10'000'000'000;
  while (!paint.painted && MonotonicNanos() < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  if (!paint.painted) return 4;
  const int64_t shown = MonotonicNanos();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto micros = [](timeval t) {
    return static_cast<long long>(t.tv_sec) * 1000000 + t.tv_usec;
  };
  std::printf("%lld %lld %ld %d %d\n", static_cast<long long>(shown),
              micros(usage.ru_utime) + micros(usage.ru_stime), usage.ru_maxrss, window->width(),
              window->height());
  std::fflush(stdout);
  // After the measurement: the skeleton of this window for the next start to build.
  if (argc > 4) WriteSkeleton(*window, argv[4]);
  return 0;
}

// --- the benchmark

// Starts this program as a child of the given kind and reads its report.
Start StartChild(const std::string& kind, const std::string& argument,
                 const std::string& skeletonPath = {}) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("no pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::vector<char*> args = {self.data(), const_cast<char*>(kChildFlag),
                             const_cast<char*>(kind.c_str()), const_cast<char*>(argument.c_str())};
  if (!skeletonPath.empty()) args.push_back(const_cast<char*>(skeletonPath.c_str()));
  args.push_back(nullptr);
  const int64_t started = MonotonicNanos();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    throw std::runtime_error("cannot start " + self);
  }
  char line[256] = {};
  const ssize_t got = read(out[0], line, sizeof line - 1);
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  long long shown = 0;
  long long cpuMicros = 0;
  long peakKiB = 0;
  Start start;
  if (got <= 0 || std::sscanf(line, "%lld %lld %ld %d %d", &shown, &cpuMicros, &peakKiB,
                              &start.width, &start.height) != 5) {
    throw std::runtime_error("the " + kind + " start reported nothing (status " +
                             std::to_string(status) + ")");
  }
  start.millis = static_cast<double>(shown - started) / 1e6;
  start.cpuMillis = static_cast<double>(cpuMicros) / 1e3;
  start.peakMiB = static_cast<double>(peakKiB) / 1024;
  return start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string WriteDocument(int objects, int points) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("qarn_start_" + std::to_string(getpid()) + "_" + std::to_string(objects) + ".pathset");
  const std::vector<uint8_t> bytes = qarn::SerializeToBytes(qarn::bench::Document(objects, points));
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

// The starts of one kind, as medians.
struct Series {
  std::vector<double> millis, cpuMillis, peakMiB;

  void Add(const Start& start) {
    millis.push_back(start.millis);
    cpuMillis.push_back(start.cpuMillis);
    peakMiB.push_back(start.peakMiB);
  }
  // This series' medians under `name`, and their ratios to the editor's.
  void Report(benchmark::State& state, const std::string& name, const Series& editor) const {
    state.counters[name + "_ms"] = Median(millis);
    state.counters[name + "_cpu_ms"] = Median(cpuMillis);
    state.counters[name + "_MiB"] = Median(peakMiB);
    if (&editor == this) return;
    state.counters["x_time_" + name] = Median(editor.millis) / Median(millis);
    state.counters["x_cpu_" + name] = Median(editor.cpuMillis) / Median(cpuMillis);
    state.counters["x_memory_" + name] = Median(editor.peakMiB) / Median(peakMiB);
  }
};

// Each round starts the editor, then its skeleton, the bare window and a window with one label
// at the editor's size. The label shows what drawing any text costs first (the font system's
// start), which the bare window never pays.
void BM_Startup(benchmark::State& state) {
  const std::string file =
      WriteDocument(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::string layout = file + ".skeleton";
  Series editor, skeleton, shown, bare, text;
  try {
    for (auto _ : state) {
      const Start start = StartChild("editor", file, layout);
      const std::string size = std::to_string(start.width) + "x" + std::to_string(start.height);
      editor.Add(start);
      skeleton.Add(StartChild("skeleton", layout));
      shown.Add(StartChild("shown", layout));
      bare.Add(StartChild("bare", size));
      text.Add(StartChild("text", size));
      state.SetIterationTime(start.millis / 1e3);
    }
  } catch (const std::exception& error) {
    std::filesystem::remove(file);
    std::filesystem::remove(layout);
    state.SkipWithError(error.what());
    return;
  }
  std::filesystem::remove(file);
  std::filesystem::remove(layout);
  editor.Report(state, "editor", editor);
  skeleton.Report(state, "skeleton", editor);
  shown.Report(state, "shown", editor);
  bare.Report(state, "bare", editor);
  text.Report(state, "text", editor);
}

BENCHMARK(BM_Startup)
    ->ArgNames({"objects", "points"})
    ->Args({1363, 0})
    ->Args({14, 256})
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0) return RunChild(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
