#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

// Text drawing needs a QGuiApplication. It is made when the tests run rather than in main, so
// that listing the tests (which CTest does while building, without the offscreen platform) needs
// no display.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[12] = "lumsel_test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> app_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new QtEnvironment);
  return RUN_ALL_TESTS();
}
