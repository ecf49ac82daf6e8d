// The one main of every test suite that needs Qt: it runs the suite inside a QApplication, on
// Qt's offscreen platform unless the environment names another (the suites that show real
// windows run under xvfb-run with "xcb"), with a private runtime folder, and with OpenGL 3.3 core
// as the default context, the one the accelerated canvas needs.
//
// The application is made when the tests run rather than before, so that listing the tests
// (which CTest does while building) needs no display.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QSurfaceFormat>
#include <filesystem>
#include <memory>
#include <string>

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt wants a runtime folder that only its user may enter.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      std::string pattern =
          (std::filesystem::temp_directory_path() / "quillet-test-runtime-XXXXXX").string();
      if (::mkdtemp(pattern.data()) != nullptr) {
        runtime_dir_ = pattern;
        qputenv("XDG_RUNTIME_DIR", runtime_dir_.c_str());
      }
    }
    QSurfaceFormat format;
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    QSurfaceFormat::setDefaultFormat(format);
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }

  void TearDown() override {
    app_.reset();
    if (!runtime_dir_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(runtime_dir_, ignored);
    }
  }

 private:
  int argc_ = 1;
  char name_[16] = "quillet_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
  std::string runtime_dir_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new QtEnvironment);
  return RUN_ALL_TESTS();
}
