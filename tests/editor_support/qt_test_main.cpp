// Runs the suite inside one QApplication, as the widgets under test need: on Qt's offscreen
// platform and with a private runtime folder, unless the environment names others.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    qputenv("XDG_RUNTIME_DIR", QUILLET_TEST_RUNTIME_DIR);
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
