// A file manager runs "quillet-cli thumbnail IN OUT SIZE" once per document it shows, so the
// whole process counts: start-up, loading, drawing and writing. Target: under 50 ms for the
// example at 256 pixels.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

extern char** environ;

namespace {

void BM_ThumbnailProcess(benchmark::State& state) {
  std::string out = (std::filesystem::temp_directory_path() /
                     ("quillet-thumbnail-bench-" + std::to_string(::getpid()) + ".png"))
                        .string();
  std::string document = QUILLET_EXAMPLES_DIR "/hero.an1";
  std::string program = QUILLET_CLI;
  std::string command = "thumbnail";
  std::string size = "256";
  char* argv[] = {program.data(), command.data(), document.data(),
                  out.data(),     size.data(),    nullptr};
  // The child's own processor time, which other work on a busy machine does not stretch.
  double child_cpu_ms = 0;
  for (auto _ : state) {
    pid_t child = 0;
    if (::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start quillet-cli");
      break;
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const auto ms = [](const timeval& time) {
      return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
    };
    child_cpu_ms += ms(usage.ru_utime) + ms(usage.ru_stime);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("quillet-cli thumbnail failed");
      break;
    }
  }
  state.counters["child_cpu_ms"] =
      benchmark::Counter(child_cpu_ms / static_cast<double>(state.iterations()));
  std::filesystem::remove(out);
}
BENCHMARK(BM_ThumbnailProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
