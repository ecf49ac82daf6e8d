// The main of the benchmarks that run the editor's windows: OpenGL 3.3 core for the view, settings
// in INI files, a private runtime folder, and one QApplication around every benchmark.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QSettings>
#include <QSurfaceFormat>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  QSurfaceFormat format;
  format.setVersion(3, 3);
  format.setProfile(QSurfaceFormat::CoreProfile);
  QSurfaceFormat::setDefaultFormat(format);
  QSettings::setDefaultFormat(QSettings::IniFormat);
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    std::string runtime =
        (std::filesystem::temp_directory_path() / "quillet-bench-runtime-XXXXXX").string();
    if (::mkdtemp(runtime.data()) != nullptr) {
      qputenv("XDG_RUNTIME_DIR", runtime.c_str());
    }
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
