#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drivers/accel/archive_rws.h"
#include "drivers/accel/engine/rw_stream.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr uint32_t kStamp = 0x1C020037;

void Put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
}

Bytes Header(uint32_t type, uint32_t size, uint32_t stamp = kStamp) {
  Bytes b;
  Put32(b, type);
  Put32(b, size);
  Put32(b, stamp);
  return b;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

class ArchiveRwsTest : public ::testing::Test {
 protected:
  // The file `write` produces through a fresh archive.
  template <typename F>
  Bytes Written(F write) {
    UArchiveRws ar;
    EXPECT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
    write(ar);
    EXPECT_FALSE(ar.IsFailed());
    ar.Close();
    return ReadFileBytes(path_);
  }

  // An archive reading `bytes` from a file.
  void OpenBytes(UArchiveRws& ar, const Bytes& bytes) {
    WriteFileBytes(path_, bytes);
    ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  }

  TempDir dir_;
  std::string path_ = dir_.File("stream.rws");
};

TEST(RwLibraryStamp, PacksVersionAndBuildAndUnpacksThem) {
  EXPECT_EQ(RwLibraryStampPack(0x37002, 0x37), 0x1C020037u);
  for (const uint32_t version : {0x30000u, 0x34F3Fu, 0x35000u, 0x36003u, 0x37002u, 0x3FF3Fu}) {
    uint32_t unpackedVersion = 0;
    uint32_t build = 0;
    RwLibraryStampUnpack(RwLibraryStampPack(version, 0xBEEF), &unpackedVersion, &build);
    EXPECT_EQ(unpackedVersion, version);
    EXPECT_EQ(build, 0xBEEFu);
  }
}

TEST_F(ArchiveRwsTest, AGroupNamedActorIsWrittenByteForByte) {
  const Bytes file = Written([](UArchiveRws& ar) {
    ar.BeginWriteChunkGroup("Actor");
    ar.EndWriteChunkGroup();
  });
  const Bytes expected = {
      0x29, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // group start, 24
      0x01, 0x00, 0x00, 0x00,                                                  // value 1
      0x02, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // string, 8
      'A',  'c',  't',  'o',  'r',  0x00, 0x00, 0x00,                          // padded name
      0x2A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // group end, 0
  };
  EXPECT_EQ(file, expected);
}

TEST_F(ArchiveRwsTest, GroupNamesArePaddedWithAtLeastOneZeroToAMultipleOfFour) {
  struct Case {
    std::string name;
    std::string stored;  // the name as the group keeps it
    uint32_t payload;    // bytes of the string chunk
  };
  const std::string longest(31, 'x');
  const Case cases[] = {
      {"", "", 4},
      {"A", "A", 4},
      {"Abc", "Abc", 4},
      {"Abcd", "Abcd", 8},
      {"Abcde", "Abcde", 8},
      {longest, longest, 32},
      {std::string(32, 'y'), "", 4},  // too long: the name is left empty
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes file = Written([&](UArchiveRws& ar) { ar.BeginWriteChunkGroup(c.name.c_str()); });
    Bytes text(c.stored.begin(), c.stored.end());
    text.resize(c.payload, 0);
    const Bytes expected = Cat(
        {Header(0x29, 16 + c.payload), {0x01, 0x00, 0x00, 0x00}, Header(0x02, c.payload), text});
    EXPECT_EQ(file, expected);
  }
}

TEST_F(ArchiveRwsTest, ChunkHeadersFrameStoredFormsWrittenThroughTheArchive) {
  const Bytes file = Written([](UArchiveRws& ar) {
    EXPECT_EQ(ar.WriteChunkHeader(0x1234, 8), ar.GetStream());
    ar << 0x01020304 << 1.0f;
  });
  const Bytes expected = {
      0x34, 0x12, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x37, 0x00,
      0x02, 0x1C, 0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x80, 0x3F,
  };
  EXPECT_EQ(file, expected);
}

TEST_F(ArchiveRwsTest, NestedGroupsAndTheirChunksReadBack) {
  Written([](UArchiveRws& ar) {
    ar.BeginWriteChunkGroup("Actor");
    ar.WriteChunkHeader(0x100, 8);
    ar << 7 << -9;
    ar.BeginWriteChunkGroup("Inner");
    ar.WriteChunkHeader(0x101, 2);
    ar << short{0x1234};
    ar.EndWriteChunkGroup();
    ar.WriteChunkHeader(0x102, 4);
    ar << 2.5f;
    ar.EndWriteChunkGroup();
  });

  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  EXPECT_TRUE(ar.IsLoading());
  const int length = static_cast<int>(ReadFileBytes(path_).size());
  EXPECT_EQ(ar.TotalSize(), length);
  EXPECT_EQ(ar.GetPos(), 0);
  EXPECT_EQ(ar.RemainingBytes(), length);

  ar.BeginReadChunkGroup();
  ASSERT_NE(ar.GetChunkGroup(), nullptr);
  EXPECT_EQ(ar.GetChunkGroup()->GetName(), "Actor");
  unsigned int size = 0;
  unsigned int version = 0;
  ASSERT_TRUE(ar.FindChunk(0x100, &size, &version));
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(version, 0x37002u);
  int a = 0;
  int b = 0;
  ar >> a >> b;
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, -9);
  EXPECT_EQ(ar.RemainingBytes(), 0);

  ar.BeginReadChunkGroup();
  ASSERT_NE(ar.GetChunkGroup(), nullptr);
  EXPECT_EQ(ar.GetChunkGroup()->GetName(), "Inner");
  ASSERT_TRUE(ar.FindChunk(0x101, &size, nullptr));
  short s = 0;
  ar >> s;
  EXPECT_EQ(s, 0x1234);
  ar.EndReadChunkGroup();

  ASSERT_TRUE(ar.FindChunk(0x102, &size, nullptr));
  float f = 0;
  ar >> f;
  EXPECT_EQ(f, 2.5f);
  ar.EndReadChunkGroup();
  EXPECT_FALSE(ar.IsFailed());
  EXPECT_EQ(ar.GetPos(), length);

  // The clean end of the stream: nothing more is found, and nothing is damaged.
  EXPECT_FALSE(ar.FindChunk(0x100, nullptr, nullptr));
  EXPECT_FALSE(ar.IsFailed());
}

TEST_F(ArchiveRwsTest, FindChunkSkipsForeignChunksWhole) {
  // The second foreign chunk's payload looks like a header of the wanted type: skipping it whole
  // must not stop there.
  const Bytes bytes = Cat({Header(0x50, 5),
                           {1, 2, 3, 4, 5},
                           Header(0x51, 16),
                           Header(0x60, 4),
                           {0xEE, 0xEE, 0xEE, 0xEE},
                           Header(0x60, 4),
                           {0x2A, 0x00, 0x00, 0x00}});
  UArchiveRws ar;
  OpenBytes(ar, bytes);
  unsigned int size = 0;
  ASSERT_TRUE(ar.FindChunk(0x60, &size, nullptr));
  EXPECT_EQ(size, 4u);
  int value = 0;
  ar >> value;
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(ar.IsFailed());
}

TEST_F(ArchiveRwsTest, GroupNamesAreReadFromWideStringChunksToo) {
  const Bytes bytes = Cat({Header(0x29, 16 + 12),
                           {0x01, 0x00, 0x00, 0x00},
                           Header(0x13, 12),
                           {'W', 0, 'i', 0, 'd', 0, 'e', 0, 0x34, 0x12, 0, 0},
                           Header(0x2A, 0)});
  UArchiveRws ar;
  OpenBytes(ar, bytes);
  ar.BeginReadChunkGroup();
  ASSERT_NE(ar.GetChunkGroup(), nullptr);
  EXPECT_EQ(ar.GetChunkGroup()->GetName(), "Wide?");
  ar.EndReadChunkGroup();
  EXPECT_FALSE(ar.IsFailed());
}

TEST_F(ArchiveRwsTest, OnlyVersionsFrom0x35000To0x37002AreAccepted) {
  struct Case {
    uint32_t stamp;
    bool accepted;
  };
  const Case cases[] = {
      {RwLibraryStampPack(0x34F3F, 0x37), false},
      {RwLibraryStampPack(0x35000, 0x37), true},
      {RwLibraryStampPack(0x36100, 0x01), true},
      {0x1C020037, true},
      {RwLibraryStampPack(0x37003, 0x37), false},
      {RwLibraryStampPack(0x3FF3F, 0x37), false},
      {0x00000310, false},  // an unpacked old version number
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stamp);
    UArchiveRws ar;
    OpenBytes(ar, Cat({Header(0x60, 4, c.stamp), {1, 0, 0, 0}}));
    EXPECT_EQ(ar.FindChunk(0x60, nullptr, nullptr), c.accepted);
    EXPECT_EQ(ar.IsFailed(), !c.accepted);
    EXPECT_EQ(ar.GetStream()->GetError(),
              c.accepted ? RwStreamError::kNone : RwStreamError::kBadVersion);
  }
}

TEST_F(ArchiveRwsTest, ForeignChunksAreSkippedWhateverTheirVersion) {
  UArchiveRws ar;
  OpenBytes(ar, Cat({Header(0x50, 0, 0x00000310), Header(0x60, 0)}));
  EXPECT_TRUE(ar.FindChunk(0x60, nullptr, nullptr));
  EXPECT_FALSE(ar.IsFailed());
}

TEST_F(ArchiveRwsTest, DamagedStreamsFailCleanly) {
  const Bytes actor =
      Cat({Header(0x29, 24), {1, 0, 0, 0}, Header(0x02, 8), {'A', 'c', 't', 'o', 'r', 0, 0, 0}});
  struct Case {
    const char* what;
    Bytes bytes;
    RwStreamError error;
  };
  const Case cases[] = {
      {"a header cut short", {0x60, 0x00, 0x00, 0x00, 0x04}, RwStreamError::kIo},
      {"a payload past the end", Cat({Header(0x29, 100), {1, 0, 0, 0}}), RwStreamError::kBadChunk},
      {"a foreign payload past the end", Cat({Header(0x50, 0xFFFFFFFF), {1, 2}}),
       RwStreamError::kBadChunk},
      {"a start chunk too small for a name", Cat({Header(0x29, 8), Bytes(8, 0)}),
       RwStreamError::kBadChunk},
      {"a name past its start chunk",
       Cat({Header(0x29, 20), {1, 0, 0, 0}, Header(0x02, 8), {'A', 'c', 't', 'o', 'r', 0, 0, 0}}),
       RwStreamError::kBadChunk},
      {"a name chunk of another type",
       Cat({Header(0x29, 24), {1, 0, 0, 0}, Header(0x03, 8), Bytes(8, 0)}),
       RwStreamError::kBadChunk},
      {"a name of an unaccepted version",
       Cat({Header(0x29, 24), {1, 0, 0, 0}, Header(0x02, 8, 0x00000310), Bytes(8, 0)}),
       RwStreamError::kBadVersion},
      {"a name cut short", Bytes(actor.begin(), actor.end() - 3), RwStreamError::kBadChunk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UArchiveRws ar;
    OpenBytes(ar, c.bytes);
    ar.BeginReadChunkGroup();
    EXPECT_EQ(ar.GetChunkGroup(), nullptr);
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_EQ(ar.GetStream()->GetError(), c.error);
  }
}

TEST_F(ArchiveRwsTest, ReadingPastTheEndFailsAndLeavesTheRestUntouched) {
  UArchiveRws ar;
  OpenBytes(ar, {0x11, 0x22});
  RwChunkHeaderInfo info{};
  EXPECT_EQ(ar.ReadChunkHeaderInfo(&info), nullptr);
  EXPECT_TRUE(ar.IsFailed());

  OpenBytes(ar, {0x11, 0x22});
  int value = 0x7F7F7F7F;
  ar >> value;
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_EQ(value, 0x7F7F2211);
}

TEST_F(ArchiveRwsTest, OpenWantsAKnownModeAndAFile) {
  UArchiveRws ar;
  EXPECT_EQ(ar.Open(path_.c_str(), static_cast<ArAccessMethod>(2)), 0);
  EXPECT_EQ(ar.GetStream(), nullptr);
  EXPECT_EQ(ar.Open(dir_.File("missing.rws").c_str(), ArRead), 0);
  EXPECT_TRUE(ar.IsFailed());

  // Without a stream, nothing is written and the archive fails.
  UArchiveRws closed;
  closed << 1;
  EXPECT_TRUE(closed.IsFailed());
  EXPECT_EQ(closed.WriteChunkHeader(1, 0), nullptr);
  EXPECT_FALSE(closed.FindChunk(1, nullptr, nullptr));

  // A stream opened for reading takes no writes.
  UArchiveRws reading;
  OpenBytes(reading, Header(0x60, 0));
  reading << 1;
  EXPECT_TRUE(reading.IsFailed());
  EXPECT_EQ(ReadFileBytes(path_), Header(0x60, 0));
}

TEST_F(ArchiveRwsTest, CopiesShareTheStreamUntilTheLastLetsGo) {
  {
    UArchiveRws first;
    ASSERT_EQ(first.Open(path_.c_str(), ArWrite), 1);
    UArchiveRws second(first);
    first << 1;
    first.Close();
    second << 2;
  }
  EXPECT_EQ(ReadFileBytes(path_), (Bytes{1, 0, 0, 0, 2, 0, 0, 0}));
}

}  // namespace
