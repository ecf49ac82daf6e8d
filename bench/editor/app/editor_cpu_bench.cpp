// How much of a processor core the whole editor uses on the example character: left alone (the
// goal is under 1 %), and while the walk plays in a loop. Each repetition starts the program,
// lets it settle, then runs its event loop for a few seconds and divides the process's CPU time
// by the time that passed. Run from a release build under a display (Mesa's software renderer
// under Xvfb):
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/release/bench/editor/app/editor_cpu_bench
//     --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// (one command line).
// The application's header brings in libepoxy's GL declarations, which must come before Qt's.
#include "editor/app/vello_app.h"

#include <benchmark/benchmark.h>
#include <time.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/support/temp_dir.h"

namespace {

constexpr int kSettleMs = 1000;
constexpr int kMeasuredMs = 3000;

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs the event loop, as the program does, for `ms` milliseconds.
void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// The program on a copy of the example character, its view painted; `play` starts the walk
// looping. Null when the view has no OpenGL 3.3.
std::unique_ptr<CVelloApp> StartOnExample(const TempDir& dir, bool play) {
  const std::filesystem::path examples(QUILLET_EXAMPLES_DIR);
  for (const char* name : {"hero.an1", "hero.png"}) {
    std::filesystem::copy_file(examples / name, dir.path() / name);
  }
  const std::string document = dir.File("hero.an1");
  auto app = std::make_unique<CVelloApp>();
  app->InitInstance({QString::fromStdString(document)});
  QElapsedTimer waited;
  waited.start();
  while (app->Doc().Path() != document && waited.elapsed() < 10000) {
    RunEventLoop(10);
  }
  if (!app->Frame().View().IsReady() || app->Doc().Path() != document) {
    return nullptr;
  }
  if (play) {
    CVelloEditor& editor = app->Editor();
    editor.SelectAction(0);
    if (!editor.LoopPlayback()) {
      editor.ToggleLoop();
    }
    editor.Play();
  }
  RunEventLoop(kSettleMs);
  return app;
}

void MeasureCpu(benchmark::State& state, bool play) {
  TempDir dir;
  CurrentDirectory in_dir(dir.path());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                     QString::fromStdString(dir.File("settings")));
  qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.File("data")));
  std::unique_ptr<CVelloApp> app = StartOnExample(dir, play);
  if (app == nullptr) {
    state.SkipWithError("the example was not opened in an OpenGL 3.3 view");
    return;
  }
  double share = 0;
  int paints = 0;
  for (auto _ : state) {
    const int paintedBefore = app->Frame().View().PaintedFrames();
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = ProcessCpuSeconds();
    RunEventLoop(kMeasuredMs);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    state.SetIterationTime(cpu);
    share = cpu / (static_cast<double>(wall.nsecsElapsed()) * 1e-9);
    paints = app->Frame().View().PaintedFrames() - paintedBefore;
  }
  if (play && !app->Editor().IsPlaying()) {
    state.SkipWithError("the walk stopped playing");
  }
  state.counters["core_percent"] = share * 100.0;
  state.counters["view_paints_per_s"] = paints * 1000.0 / kMeasuredMs;
  app->Frame().close();
  app.reset();
}

// The CPU time of three seconds at rest.
void BM_EditorAtRest(benchmark::State& state) {
  MeasureCpu(state, false);
}
BENCHMARK(BM_EditorAtRest)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// The CPU time of three seconds of the walk playing.
void BM_EditorPlaying(benchmark::State& state) {
  MeasureCpu(state, true);
}
BENCHMARK(BM_EditorPlaying)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
