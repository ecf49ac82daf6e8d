#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include "core/foundation/archive_ansi.h"
#include "core/foundation/archive_memory.h"
#include "core/foundation/archive_null.h"
#include "core/foundation/stored_bytes.h"
#include "core/foundation/value_io.h"
#include "tests/support/temp_dir.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Bytes = std::vector<unsigned char>;

namespace {

template <typename T>
Bytes StoredBytes(const T& value) {
  UArchiveMemory ar;
  ar << value;
  return ar.GetBuffer();
}

}  // namespace

TEST(ArchiveStoredFormTest, PrimitivesAreLittleEndianWithoutPadding) {
  EXPECT_THAT(StoredBytes(0x01020304), ElementsAre(0x04, 0x03, 0x02, 0x01));
  EXPECT_THAT(StoredBytes(1.0f), ElementsAre(0x00, 0x00, 0x80, 0x3F));
  EXPECT_THAT(StoredBytes(static_cast<short>(-2)), ElementsAre(0xFE, 0xFF));
  EXPECT_THAT(StoredBytes(static_cast<unsigned short>(0xABCD)), ElementsAre(0xCD, 0xAB));
  EXPECT_THAT(StoredBytes('A'), ElementsAre(0x41));
  EXPECT_THAT(StoredBytes(static_cast<unsigned char>(0xFF)), ElementsAre(0xFF));
  EXPECT_THAT(StoredBytes(-1.5f), ElementsAre(0x00, 0x00, 0xC0, 0xBF));
}

TEST(ArchiveStoredFormTest, LongIsStoredInFourBytes) {
  EXPECT_THAT(StoredBytes(-2L), ElementsAre(0xFE, 0xFF, 0xFF, 0xFF));
  EXPECT_THAT(StoredBytes(0x89ABCDEFUL), ElementsAre(0xEF, 0xCD, 0xAB, 0x89));

  UArchiveMemory ar;
  ar << -2L << 0xFFFFFFFFUL;
  ASSERT_EQ(ar.TotalSize(), 8);
  ar.Open(nullptr, ArRead);
  long signed_value = 0;
  unsigned long unsigned_value = 0;
  ar >> signed_value >> unsigned_value;
  EXPECT_EQ(signed_value, -2L);
  EXPECT_EQ(unsigned_value, 0xFFFFFFFFUL);
}

TEST(ArchiveStoredFormTest, ValueTypesAreTheirFieldsInOrder) {
  EXPECT_THAT(StoredBytes(UPoint16(-1, 2)), ElementsAre(0xFF, 0xFF, 0x02, 0x00));
  EXPECT_THAT(StoredBytes(UPoint(1, -1)), ElementsAre(1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF));
  EXPECT_THAT(StoredBytes(URect(1, 2, 3, 4)),
              ElementsAre(1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0));
  EXPECT_THAT(StoredBytes(UVector2(1.0f, 2.0f)), ElementsAre(0, 0, 0x80, 0x3F, 0, 0, 0, 0x40));
  EXPECT_THAT(StoredBytes(UVector(0.0f, -2.0f, 0.5f)),
              ElementsAre(0, 0, 0, 0, 0, 0, 0, 0xC0, 0, 0, 0, 0x3F));
}

TEST(ArchiveNullTest, CountsTheStoredSize) {
  UArchiveNull ar;
  EXPECT_EQ(ar.TotalSize(), 0);
  ar << 7 << static_cast<short>(1) << URect(0, 0, 1, 1) << UVector(1, 2, 3);
  EXPECT_EQ(ar.TotalSize(), 4 + 2 + 16 + 12);
  EXPECT_EQ(ar.GetPos(), 34);

  int untouched = 99;
  ar >> untouched;
  EXPECT_EQ(untouched, 99);
  EXPECT_EQ(ar.TotalSize(), 38);
  EXPECT_EQ(ar.Open("ignored", ArRead), 1);
  ar.Seek(0, ArBegin);
  ar.Close();
  EXPECT_EQ(ar.TotalSize(), 38);
  EXPECT_FALSE(ar.IsFailed());
  // The count stops short of 2 GiB and fails rather than wrapping.
  UArchiveNull big;
  big.Write(nullptr, INT_MAX - 1);
  big.Write(nullptr, 2);
  EXPECT_TRUE(big.IsFailed());
  EXPECT_EQ(big.TotalSize(), INT_MAX - 1);
}

TEST(ArchiveAnsiTest, RoundTripsThroughARealFile) {
  TempDir dir;
  const std::string path = dir.File("values.bin");
  {
    UArchiveAnsi ar;
    ASSERT_EQ(ar.Open(path.c_str(), ArWrite), 1);
    ar << 0x01020304 << 1.0f << UPoint16(-1, 2) << URect(-5, 6, 7, 8) << UVector(1, 2, 3);
    EXPECT_EQ(ar.TotalSize(), 4 + 4 + 4 + 16 + 12);
    EXPECT_EQ(ar.GetPos(), 40);
    ar.Close();
    EXPECT_FALSE(ar.IsFailed());
  }
  const Bytes file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), 40u);
  EXPECT_THAT(Bytes(file.begin(), file.begin() + 12),
              ElementsAre(0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F, 0xFF, 0xFF, 0x02, 0x00));

  UArchiveAnsi ar(path.c_str(), ArRead);
  EXPECT_EQ(ar.TotalSize(), 40);
  EXPECT_EQ(ar.GetPos(), 0);
  int i = 0;
  float f = 0;
  UPoint16 p(0, 0);
  URect r(0, 0, 0, 0);
  UVector v;
  ar >> i >> f >> p >> r >> v;
  EXPECT_FALSE(ar.IsFailed());
  EXPECT_EQ(i, 0x01020304);
  EXPECT_EQ(f, 1.0f);
  EXPECT_EQ(p.x, -1);
  EXPECT_EQ(p.y, 2);
  EXPECT_EQ(r.left, -5);
  EXPECT_EQ(r.bottom, 8);
  EXPECT_EQ(v, UVector(1, 2, 3));
  EXPECT_EQ(ar.GetPos(), ar.TotalSize());
}

TEST(ArchiveAnsiTest, ReadModeMeasuresTheFile) {
  TempDir dir;
  const std::string path = dir.File("hundred.bin");
  WriteFileBytes(path, Bytes(100, 0x5A));
  UArchiveAnsi ar;
  ASSERT_EQ(ar.Open(path.c_str(), ArRead), 1);
  EXPECT_EQ(ar.TotalSize(), 100);
  EXPECT_EQ(ar.GetPos(), 0);
  EXPECT_EQ(ar.RemainingBytes(), 100);
  EXPECT_TRUE(ar.CanHold(25, 4));
  EXPECT_FALSE(ar.CanHold(26, 4));
  EXPECT_FALSE(ar.CanHold(-1, 4));
  ar.Seek(-10, ArEnd);
  EXPECT_EQ(ar.GetPos(), 90);
  ar.Seek(5, ArCurrent);
  EXPECT_EQ(ar.GetPos(), 95);
  ar.Seek(3, ArBegin);
  EXPECT_EQ(ar.GetPos(), 3);
  ar.Seek(50, static_cast<ArchivePos>(7));  // an unknown origin does nothing
  EXPECT_EQ(ar.GetPos(), 3);
  EXPECT_FALSE(ar.IsFailed());
}

TEST(ArchiveAnsiTest, MissingFileFailsAndReadsLeaveTheDestination) {
  TempDir dir;
  UArchiveAnsi ar;
  EXPECT_EQ(ar.Open(dir.File("missing.bin").c_str(), ArRead), 0);
  EXPECT_TRUE(ar.IsFailed());
  int value = 1234;
  ar >> value;
  EXPECT_EQ(value, 1234);
  EXPECT_EQ(ar.GetPos(), 0);

  UArchiveAnsi constructed(dir.File("missing.bin").c_str(), ArRead);
  EXPECT_TRUE(constructed.IsFailed());
}

TEST(ArchiveAnsiTest, ShortReadFailsAndKeepsUnreadBytes) {
  TempDir dir;
  const std::string path = dir.File("short.bin");
  WriteFileBytes(path, {0x11, 0x22});
  UArchiveAnsi ar(path.c_str(), ArRead);
  ASSERT_FALSE(ar.IsFailed());
  unsigned char buffer[4] = {0xA0, 0xA1, 0xA2, 0xA3};
  ar.Read(buffer, 4);
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_THAT(buffer, ElementsAre(0x11, 0x22, 0xA2, 0xA3));

  // The failure stays until the archive is opened again.
  ar.Seek(0, ArBegin);
  short value = 0;
  ar >> value;
  EXPECT_TRUE(ar.IsFailed());
  ASSERT_EQ(ar.Open(path.c_str(), ArRead), 1);
  EXPECT_FALSE(ar.IsFailed());
  ar >> value;
  EXPECT_EQ(value, 0x2211);
  EXPECT_FALSE(ar.IsFailed());
}

TEST(ArchiveAnsiTest, ShortReadOfAnIntegerKeepsItsHighBytes) {
  TempDir dir;
  const std::string path = dir.File("three.bin");
  WriteFileBytes(path, {0x01, 0x02, 0x03});
  UArchiveAnsi ar(path.c_str(), ArRead);
  int value = static_cast<int>(0xAABBCCDD);
  ar >> value;
  EXPECT_EQ(static_cast<unsigned>(value), 0xAA030201u);
  EXPECT_TRUE(ar.IsFailed());
}

TEST(ArchiveAnsiTest, WritingToAReadArchiveLeavesTheFile) {
  TempDir dir;
  const std::string path = dir.File("keep.bin");
  WriteFileBytes(path, {1, 2, 3, 4});
  {
    UArchiveAnsi ar(path.c_str(), ArRead);
    ar << 0x7F7F7F7F;
    EXPECT_EQ(ar.TotalSize(), 4);
  }
  EXPECT_THAT(ReadFileBytes(path), ElementsAre(1, 2, 3, 4));
}

TEST(ArchiveAnsiTest, OperationsWithoutAFileFail) {
  UArchiveAnsi ar;
  int value = 5;
  ar << value;
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_EQ(ar.TotalSize(), 0);
  EXPECT_EQ(ar.GetPos(), 0);
  ar.Close();  // closing nothing is harmless

  UArchiveAnsi seeker;
  seeker.Seek(0, ArBegin);
  EXPECT_TRUE(seeker.IsFailed());
}

TEST(ArchiveAnsiTest, CloseFlushesAndTheArchiveCanBeReopened) {
  TempDir dir;
  const std::string path = dir.File("reopen.bin");
  UArchiveAnsi ar(path.c_str(), ArWrite);
  ar << 42;
  ar.Close();
  EXPECT_THAT(ReadFileBytes(path), ElementsAre(42, 0, 0, 0));
  ar.Close();  // a second Close does nothing

  ASSERT_EQ(ar.Open(path.c_str(), ArRead), 1);
  int value = 0;
  ar >> value;
  EXPECT_EQ(value, 42);
  // Opening again while a file is open closes the first one.
  ASSERT_EQ(ar.Open(path.c_str(), ArWrite), 1);
  ar << 7;
  ar.Close();
  EXPECT_THAT(ReadFileBytes(path), ElementsAre(7, 0, 0, 0));
}

TEST(ArchiveAnsiTest, UnknownModeOpensNothingButSucceeds) {
  TempDir dir;
  UArchiveAnsi ar;
  EXPECT_EQ(ar.Open(dir.File("x.bin").c_str(), static_cast<ArAccessMethod>(5)), 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("x.bin")));
  int value = 3;
  ar >> value;
  EXPECT_EQ(value, 3);
}

TEST(ArchiveAnsiTest, FailedWriteIsReported) {
  UArchiveAnsi ar;
  ASSERT_EQ(ar.Open("/dev/full", ArWrite), 1);
  const Bytes block(1 << 16, 0xEE);
  ar.Write(block.data(), static_cast<int>(block.size()));
  ar.Close();
  EXPECT_TRUE(ar.IsFailed());
}

TEST(ArchiveAnsiTest, ThreadsSharingAnArchiveWriteWholeBlocks) {
  TempDir dir;
  const std::string path = dir.File("shared.bin");
  UArchiveAnsi ar(path.c_str(), ArWrite);
  constexpr int kBlocks = 200;
  constexpr int kBlockSize = 64;
  auto writer = [&](unsigned char fill) {
    const Bytes block(kBlockSize, fill);
    for (int i = 0; i < kBlocks; ++i) {
      ar.Write(block.data(), kBlockSize);
    }
  };
  std::thread a(writer, 0xAA);
  std::thread b(writer, 0xBB);
  a.join();
  b.join();
  EXPECT_EQ(ar.TotalSize(), 2 * kBlocks * kBlockSize);
  ar.Close();
  const Bytes file = ReadFileBytes(path);
  ASSERT_EQ(file.size(), size_t{2 * kBlocks * kBlockSize});
  for (size_t start = 0; start < file.size(); start += kBlockSize) {
    const Bytes block(file.begin() + static_cast<long>(start),
                      file.begin() + static_cast<long>(start + kBlockSize));
    ASSERT_THAT(block, ::testing::Each(block.front()));
  }
}

TEST(ArchiveAnsiTest, ReopeningAfterALostWriteReportsIt) {
  TempDir dir;
  UArchiveAnsi ar;
  ASSERT_EQ(ar.Open("/dev/full", ArWrite), 1);
  const Bytes block(16, 0xEE);
  ar.Write(block.data(), static_cast<int>(block.size()));  // still in the buffer
  EXPECT_FALSE(ar.IsFailed());
  // The bytes fail to reach the device only as the file is closed, which opening the next one
  // does: that open must not pass as a fresh start.
  EXPECT_EQ(ar.Open(dir.File("next.bin").c_str(), ArWrite), 0);
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_EQ(ar.Open(dir.File("next.bin").c_str(), ArWrite), 1);
  EXPECT_FALSE(ar.IsFailed());
}

TEST(ArchiveAnsiTest, AWritePast2GiBIsRefusedWhole) {
  UArchiveAnsi ar("/dev/null", ArWrite);
  const unsigned char byte = 1;
  ar.Write(&byte, 1);
  // The size is checked before a single byte is taken from the (far too short) source.
  ar.Write(&byte, INT_MAX);
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_EQ(ar.TotalSize(), 1);
  EXPECT_EQ(ar.GetPos(), 1);
}

TEST(ArchiveAnsiTest, OnlyRegularFilesAreRead) {
  TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Opening a FIFO with no writer would wait forever; it must be refused at once.
  auto opened = std::async(std::launch::async, [&] {
    UArchiveAnsi ar;
    return ar.Open(fifo.c_str(), ArRead);
  });
  if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    UArchiveAnsi unblock(fifo.c_str(), ArWrite);
    FAIL() << "opening a FIFO blocked";
  }
  EXPECT_EQ(opened.get(), 0);

  UArchiveAnsi ar;
  EXPECT_EQ(ar.Open(dir.path().c_str(), ArRead), 0);
  EXPECT_TRUE(ar.IsFailed());
  // Writing to a device stays possible, and a FIFO without a reader fails instead of waiting.
  EXPECT_EQ(ar.Open("/dev/null", ArWrite), 1);
  EXPECT_EQ(ar.Open(fifo.c_str(), ArWrite), 0);
}

TEST(ArchiveAnsiTest, StateCanBeWatchedWhileAnotherThreadReopens) {
  TempDir dir;
  const std::string path = dir.File("watched.bin");
  WriteFileBytes(path, Bytes(64, 7));
  UArchiveAnsi ar;
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    int seen = 0;
    while (!done.load()) {
      seen += ar.IsFailed() + ar.IsLoading();
      EXPECT_GE(ar.RemainingBytes(), 0);
    }
    EXPECT_GE(seen, 0);
  });
  for (int i = 0; i < 200; ++i) {
    ar.Open(path.c_str(), i % 2 == 0 ? ArRead : ArWrite);
    const Bytes block(64, 7);
    ar.Write(block.data(), 64);
    Bytes into(80);
    ar.Read(into.data(), 80);  // short: fails the archive until the next Open
  }
  done = true;
  watcher.join();
}

TEST(ArchiveAnsiTest, ThreadsDecodingInPlaceTakeWholeRecords) {
  // Record i holds i twice. Each reader takes a record's halves one after the other; holding the
  // archive for the reader's whole life keeps another thread from taking a half in between.
  constexpr int kRecords = 20000;
  TempDir dir;
  const std::string path = dir.File("records.bin");
  {
    UArchiveAnsi ar(path.c_str(), ArWrite);
    for (int i = 0; i < kRecords; ++i) {
      ar << i << i;
    }
  }
  UArchiveAnsi ar(path.c_str(), ArRead);
  std::vector<int> seen[2];
  auto reader = [&](std::vector<int>& records) {
    for (int i = 0; i < kRecords / 2; ++i) {
      StoredReader in(ar);
      const int first = LoadI32(in.Take(4));
      const int second = LoadI32(in.Take(4));
      EXPECT_EQ(first, second);
      records.push_back(first);
    }
  };
  std::thread a(reader, std::ref(seen[0]));
  std::thread b(reader, std::ref(seen[1]));
  a.join();
  b.join();
  EXPECT_FALSE(ar.IsFailed());
  std::vector<int> all = seen[0];
  all.insert(all.end(), seen[1].begin(), seen[1].end());
  std::sort(all.begin(), all.end());
  for (int i = 0; i < kRecords; ++i) {
    ASSERT_EQ(all[static_cast<size_t>(i)], i);
  }
}

TEST(ArchiveMemoryTest, ReadsBackWhatWasWritten) {
  UArchiveMemory ar;
  ar << 1 << 2.5f;
  ASSERT_EQ(ar.Open(nullptr, ArRead), 1);
  EXPECT_EQ(ar.TotalSize(), 8);
  int i = 0;
  float f = 0;
  ar >> i >> f;
  EXPECT_EQ(i, 1);
  EXPECT_EQ(f, 2.5f);
  EXPECT_FALSE(ar.IsFailed());
  ar >> i;
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_EQ(i, 1);
}

TEST(ArchiveMemoryTest, SeekOutsideTheBufferAndNegativeSizesFail) {
  const unsigned char data[] = {1, 2, 3};
  UArchiveMemory ar(data, sizeof(data));
  ar.Seek(-1, ArBegin);
  EXPECT_TRUE(ar.IsFailed());
  ar.Open(nullptr, ArRead);
  unsigned char byte = 0;
  ar.Read(&byte, -1);
  EXPECT_TRUE(ar.IsFailed());
  ar.Open(nullptr, ArRead);
  ar.Seek(10, ArBegin);
  EXPECT_EQ(ar.RemainingBytes(), 0);
  ar >> byte;
  EXPECT_TRUE(ar.IsFailed());
}
