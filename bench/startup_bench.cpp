// Start-up of the real editor on the largest documents beside a bare Qt window of the same size
// and a window with one label (see BM_Startup). Each start runs in a process of its own (this
// program started again with --start-child), so all pay for loading the libraries; the editor's
// start is the one main() makes: the command line, CreateEditor with the file, show().
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
#include <QEvent>
#include <QLabel>
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

std::unique_ptr<QWidget> Window(const std::string& kind, const std::string& argument) {
  if (kind == "editor") {
    const qarn::StartOptions options =
        qarn::ParseCommandLine({QStringLiteral("qarn"), QString::fromStdString(argument)});
    return qarn::CreateEditor(options, std::make_unique<ExitOnError>());
  }
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
  return 0;
}

// --- the benchmark

// Starts this program as a child of the given kind and reads its report.
Start StartChild(const std::string& kind, const std::string& argument) {
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("no pipe");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string self = std::filesystem::read_symlink("/proc/self/exe");
  std::vector<char*> args = {self.data(), const_cast<char*>(kChildFlag),
                             const_cast<char*>(kind.c_str()), const_cast<char*>(argument.c_str()),
                             nullptr};
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

// Each round starts the editor, then the bare window and a window with one label at the
// editor's size. The label shows what drawing any text costs first (the font system's start),
// which the bare window never pays.
void BM_Startup(benchmark::State& state) {
  const std::string file =
      WriteDocument(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Series editor, bare, text;
  try {
    for (auto _ : state) {
      const Start start = StartChild("editor", file);
      const std::string size = std::to_string(start.width) + "x" + std::to_string(start.height);
      editor.Add(start);
      bare.Add(StartChild("bare", size));
      text.Add(StartChild("text", size));
      state.SetIterationTime(start.millis / 1e3);
    }
  } catch (const std::exception& error) {
    std::filesystem::remove(file);
    state.SkipWithError(error.what());
    return;
  }
  std::filesystem::remove(file);
  editor.Report(state, "editor", editor);
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
