#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "drivers/accel/archive_rws.h"
#include "drivers/accel/engine/png_reader.h"
#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/engine/rw_stream.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

size_t EntriesIn(const std::filesystem::path& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                           std::filesystem::directory_iterator()));
}

bool WriteStream(const std::string& path, const Bytes& bytes) {
  RwStream* stream = RwStream::Open(path, rwSTREAMWRITE);
  if (stream == nullptr) {
    return false;
  }
  const bool written = stream->Write(bytes.data(), bytes.size());
  return RwStream::Close(stream) && written;
}

}  // namespace

TEST(RwFileTest, WhatIsNotARegularFileIsRefusedAtOnce) {
  TempDir dir;
  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("stream.rws"), [&] {
    RwStream* stream = RwStream::Open(dir.File("stream.rws"), rwSTREAMREAD);
    return RwStream::Close(stream);
  }));
  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("archive.rws"), [&] {
    UArchiveRws ar;
    return ar.Open(dir.File("archive.rws").c_str(), ArRead) == 1;
  }));
  EXPECT_TRUE(RefusesFifoAtOnce(dir.File("picture.png"), [&] {
    RwImageReaders readers;
    readers.Register("png", RwPngRead);
    RwImage image;
    return readers.ReadFile(dir.File("picture.png"), &image);
  }));
  EXPECT_EQ(RwStream::Open(dir.path().string(), rwSTREAMREAD), nullptr);
  EXPECT_EQ(RwStream::Open("/dev/zero", rwSTREAMREAD), nullptr);
}

TEST(RwFileTest, AWrittenFileReplacesTheOldOneOnlyWhenWholeAndCommitted) {
  TempDir dir;
  const std::string path = dir.File("stream.rws");
  ASSERT_TRUE(WriteStream(path, Bytes{1, 2, 3}));

  RwStream* stream = RwStream::Open(path, rwSTREAMWRITE);
  ASSERT_NE(stream, nullptr);
  const Bytes next(10000, 7);
  ASSERT_TRUE(stream->Write(next.data(), next.size()) && stream->Flush());
  EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3}));  // nothing shows before the commit
  EXPECT_TRUE(RwStream::Close(stream));
  EXPECT_EQ(ReadFileBytes(path), next);

  // A write that fails, as on a full disk, keeps the old file and leaves nothing beside it.
  {
    const FileSizeLimit limit(4096);
    EXPECT_FALSE(WriteStream(path, Bytes(100000, 9)));
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path.c_str(), ArWrite), 1);
    const Bytes block(100000, 9);
    ar.Write(block.data(), static_cast<int>(block.size()));
    ar.Close();
    EXPECT_TRUE(ar.IsFailed());
  }
  EXPECT_EQ(ReadFileBytes(path), next);
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
  EXPECT_FALSE(WriteStream("/dev/full", Bytes(100000, 9)));

  // Every write succeeded, but the file cannot be replaced: the archive's Close says so.
  const std::string taken = dir.File("taken.rws");
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(taken.c_str(), ArWrite), 1);
  ar << 1;
  ASSERT_EQ(::mkdir(taken.c_str(), 0700), 0);
  ar.Close();
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_TRUE(std::filesystem::is_directory(taken));
  EXPECT_EQ(EntriesIn(dir.path()), 2u);
  EXPECT_EQ(RwStream::Open(dir.File("no/such/folder.rws"), rwSTREAMWRITE), nullptr);
}
