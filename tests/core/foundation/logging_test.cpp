#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "core/foundation/logger.h"
#include "core/foundation/output_device.h"
#include "tests/support/temp_dir.h"

TEST(UDebugDeviceTest, StartsTheLogInTheCurrentDirectory) {
  TempDir dir;
  CurrentDirectory cd(dir.path());
  std::filesystem::path log = dir.path() / "log.txt";
  {
    std::ofstream stale(log);
    stale << "old run\n";
  }
  UDebugDevice device;
  EXPECT_EQ(ReadFileText(log.string()), "Log Begin\n");
  EXPECT_EQ(std::filesystem::canonical(device.GetPath()), std::filesystem::canonical(log));
}

TEST(UDebugDeviceTest, LinesAndFormattedTextAppend) {
  TempDir dir;
  CurrentDirectory cd(dir.path());
  UDebugDevice device;
  device.OutPutStream("a");
  device.Log("%d", 5);
  device.OutPutStream("%s=%d;", "x", 3);
  EXPECT_EQ(ReadFileText(dir.File("log.txt")), "Log Begin\na\n5x=3;");
}

TEST(UDebugDeviceTest, KeepsWritingToItsOwnDirectory) {
  TempDir dir;
  TempDir elsewhere;
  std::unique_ptr<UDebugDevice> device;
  {
    CurrentDirectory cd(dir.path());
    device = std::make_unique<UDebugDevice>();
  }
  CurrentDirectory cd(elsewhere.path());
  device->OutPutStream("later");
  EXPECT_EQ(ReadFileText(dir.File("log.txt")), "Log Begin\nlater\n");
  EXPECT_FALSE(std::filesystem::exists(elsewhere.path() / "log.txt"));
}

TEST(UDebugDeviceTest, ConcurrentLinesArriveWhole) {
  TempDir dir;
  CurrentDirectory cd(dir.path());
  UDebugDevice device;
  auto writer = [&device](char letter) {
    const std::string line(50, letter);
    for (int i = 0; i < 100; ++i) {
      device.OutPutStream(line.c_str());
    }
  };
  std::thread a(writer, 'a');
  std::thread b(writer, 'b');
  a.join();
  b.join();
  std::istringstream log(ReadFileText(dir.File("log.txt")));
  std::string line;
  std::getline(log, line);
  EXPECT_EQ(line, "Log Begin");
  int lines = 0;
  while (std::getline(log, line)) {
    ASSERT_EQ(line.size(), 50u);
    ASSERT_EQ(line.find_first_not_of(line[0]), std::string::npos);
    ++lines;
  }
  EXPECT_EQ(lines, 200);
}

TEST(UDebugDeviceTest, UnwritableDirectorySkipsWrites) {
  TempDir dir;
  const std::filesystem::path gone = dir.path() / "gone";
  std::filesystem::create_directory(gone);
  std::unique_ptr<UDebugDevice> device;
  {
    CurrentDirectory cd(gone);
    device = std::make_unique<UDebugDevice>();
  }
  std::filesystem::remove_all(gone);
  device->OutPutStream("nowhere");
  device->Log("%d", 1);
  EXPECT_FALSE(std::filesystem::exists(gone));
}

TEST(LoggerTest, DebuggerWritesNothing) {
  TempDir dir;
  CurrentDirectory cd(dir.path());
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  Debugger.Log("%d %d \n", 1, 2);
  Debugger.OutPutStream("text");
  Debugger.OutPutStream("%s", "formatted");
  Debugger.Clear();
  Debugger.startConsoleWin(80, 25);
  Debugger.DebugMoveTo(1, 1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}
