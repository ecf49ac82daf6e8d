// Core's stored forms inside chunk streams: what a record may claim is measured against the chunk
// that holds it, and every record is written once, in order.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/foundation/archive_memory.h"
#include "core/tiles/stx_image.h"
#include "core/tiles/xbm_image.h"
#include "drivers/accel/archive_rws.h"
#include "drivers/accel/engine/rw_stream.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int kRecordChunk = 0x7E1;

void Put32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) {
    b.push_back(static_cast<unsigned char>(v >> (8 * i)));
  }
}

Bytes Header(uint32_t type, uint32_t size) {
  Bytes b;
  Put32(b, type);
  Put32(b, size);
  Put32(b, 0x1C020037);
  return b;
}

// A 3 x 2 image of colour type 16: a 10-byte header and 12 bytes of pixels.
UXbmImage SmallXbm() {
  FIBITMAP* picture = FreeImage_Allocate(3, 2, 32);
  std::memset(FreeImage_GetBits(picture), 0x5A, FreeImage_GetPitch(picture) * 2);
  UXbmImage image;
  EXPECT_TRUE(image.Import(picture, 16, 0));
  FreeImage_Unload(picture);
  return image;
}

class ArchiveRwsRecordsTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string path_ = dir_.File("records.rws");
};

TEST_F(ArchiveRwsRecordsTest, PositionsAndTheBytesLeftInTheOpenChunk) {
  {
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
    EXPECT_EQ(ar.GetPos(), 0);
    ar.WriteChunkHeader(0x100, 10);
    ar << 1 << 2 << short{3};
    EXPECT_EQ(ar.GetPos(), 22);
    EXPECT_EQ(ar.TotalSize(), 22);
    ar.WriteChunkHeader(0x101, 4);
    ar << 4;
    ar << 5;  // outside any chunk
    ar.Close();
  }
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  EXPECT_EQ(ar.TotalSize(), 42);
  EXPECT_EQ(ar.RemainingBytes(), 42);
  unsigned int size = 0;
  ASSERT_TRUE(ar.FindChunk(0x100, &size, nullptr));
  EXPECT_EQ(ar.GetPos(), 12);
  EXPECT_EQ(ar.RemainingBytes(), 10);
  EXPECT_FALSE(ar.CanHold(3, 4));
  int value = 0;
  ar >> value;
  EXPECT_EQ(ar.RemainingBytes(), 6);
  short rest = 0;
  ar >> value >> rest;
  EXPECT_EQ(ar.RemainingBytes(), 0);
  // The next header ends the chunk; the new chunk holds four bytes.
  ASSERT_TRUE(ar.FindChunk(0x101, &size, nullptr));
  EXPECT_EQ(ar.RemainingBytes(), 4);
  ar >> value;
  EXPECT_EQ(value, 4);
  ar >> value;
  EXPECT_EQ(value, 5);
  EXPECT_EQ(ar.RemainingBytes(), 0);
  EXPECT_FALSE(ar.IsFailed());

  // A chunk inside another is measured against both: this one claims more than its parent holds.
  Bytes nested = Header(0x300, 16);
  const Bytes inner = Header(0x301, 40);
  nested.insert(nested.end(), inner.begin(), inner.end());
  nested.resize(nested.size() + 44, 0);
  WriteFileBytes(path_, nested);
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  ASSERT_TRUE(ar.FindChunk(0x300, nullptr, nullptr));
  EXPECT_EQ(ar.RemainingBytes(), 16);
  RwChunkHeaderInfo info{};
  ASSERT_NE(ar.ReadChunkHeaderInfo(&info), nullptr);
  EXPECT_EQ(info.length, 40u);
  EXPECT_EQ(ar.RemainingBytes(), 4);
}

TEST_F(ArchiveRwsRecordsTest, RecordsCannotClaimMoreThanTheirChunkHolds) {
  // An XBM header promising 256 MiB of pixels in a chunk of its 10 bytes, then a chunk of
  // 300 bytes that does not belong to it.
  Bytes file = Header(kRecordChunk, 10);
  const Bytes xbm = {0x00, 0x20, 0x00, 0x20, 24, 0, 0x00, 0x00, 0x00, 0x10};
  file.insert(file.end(), xbm.begin(), xbm.end());
  const Bytes other = Header(0x200, 300);
  file.insert(file.end(), other.begin(), other.end());
  file.resize(file.size() + 300, 0);
  WriteFileBytes(path_, file);

  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  ASSERT_TRUE(ar.FindChunk(kRecordChunk, nullptr, nullptr));
  UXbmImage image;
  ar >> image;
  EXPECT_TRUE(ar.IsFailed());
  EXPECT_TRUE(image.GetData().empty());
  EXPECT_EQ(ar.GetPos(), 22);
}

TEST_F(ArchiveRwsRecordsTest, RecordsWrittenThroughTheArchiveAreWrittenOnceAndReadBack) {
  const UXbmImage image = SmallXbm();
  {
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
    ar.BeginWriteChunkGroup("Images");
    ar.WriteChunkHeader(kRecordChunk, UXbmImage::kHeaderSize + 12);
    ar << image;
    ar.WriteChunkHeader(kRecordChunk + 1, 4);
    ar << 0x55AA55AA;
    ar.EndWriteChunkGroup();
    EXPECT_FALSE(ar.IsFailed());
    ar.Close();
  }
  // The group start (12 + 16 + 8), the image chunk, the word's chunk, the group end.
  EXPECT_EQ(ReadFileBytes(path_).size(), 36u + 12u + 22u + 12u + 4u + 12u);

  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  ar.BeginReadChunkGroup();
  ASSERT_NE(ar.GetChunkGroup(), nullptr);
  // The group's start chunk is read whole: what follows it is measured against the stream.
  EXPECT_EQ(ar.RemainingBytes(), 12 + 22 + 12 + 4 + 12);
  ASSERT_TRUE(ar.FindChunk(kRecordChunk, nullptr, nullptr));
  UXbmImage back;
  ar >> back;
  EXPECT_EQ(back.GetData(), image.GetData());
  ASSERT_TRUE(ar.FindChunk(kRecordChunk + 1, nullptr, nullptr));
  int word = 0;
  ar >> word;
  EXPECT_EQ(word, 0x55AA55AA);
  ar.EndReadChunkGroup();
  EXPECT_FALSE(ar.IsFailed());
}

TEST_F(ArchiveRwsRecordsTest, AnStxFileReadsFromTheChunkThatHoldsIt) {
  Bytes stx(96 + 8, 0);
  const uint32_t header[] = {8, 4, 32, 4, 4};
  std::memcpy(stx.data(), "STX", 4);
  std::memcpy(stx.data() + 4, header, sizeof(header));
  std::memcpy(stx.data() + 24, "t.png", 5);
  const uint32_t map[] = {96, 8, 0, 0x08000000};
  std::memcpy(stx.data() + 88, map, sizeof(map));
  Bytes file = Header(kRecordChunk, uint32_t(stx.size()));
  file.insert(file.end(), stx.begin(), stx.end());
  const Bytes next = Header(0x200, 0);
  file.insert(file.end(), next.begin(), next.end());
  WriteFileBytes(path_, file);

  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  ASSERT_TRUE(ar.FindChunk(kRecordChunk, nullptr, nullptr));
  UStxImage image;
  ASSERT_TRUE(image.load(ar)) << image.GetError();
  EXPECT_EQ(image.GetMapData(1, 0), 0x08000000u);
  EXPECT_TRUE(ar.FindChunk(0x200, nullptr, nullptr));
}

TEST_F(ArchiveRwsRecordsTest, SeekingAChunkStreamFailsTheArchive) {
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
  ar << 1;
  ar.Seek(0, ArBegin);
  EXPECT_TRUE(ar.IsFailed());
}

}  // namespace

TEST_F(ArchiveRwsRecordsTest, ADocumentInAChunkReadsBackRecordByRecord) {
  // The chunk stream lends no bytes in place, so the document is decoded a record at a time, and
  // its counts are measured against the chunk.
  UObjActor actor;
  actor.Init();
  actor.name = UName("Chunked");
  actor.AddModule(new UObjModule);
  for (int f = 0; f < 50; ++f) {
    auto* frame = new UObjFrame;
    frame->AddTag(f, f);
    frame->AddModule(0, f, -f);
    frame->placements.back().affine.RotateAngleEnable = 1;
    frame->placements.back().RotateAngle = static_cast<float>(f);
    actor.AddFrame(frame);
  }
  UArchiveMemory stored;
  stored << actor;
  const int size = stored.TotalSize();
  {
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
    ar.WriteChunkHeader(kRecordChunk, static_cast<unsigned>(size));
    ar << actor;
    ar << 7;  // what follows the chunk
    ar.Close();
    ASSERT_FALSE(ar.IsFailed());
  }
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  ASSERT_TRUE(ar.FindChunk(kRecordChunk, nullptr, nullptr));
  UObjActor loaded;
  loaded.Init();
  ar >> loaded;
  ASSERT_FALSE(ar.IsFailed());
  UArchiveMemory again;
  again << loaded;
  EXPECT_EQ(again.GetBuffer(), stored.GetBuffer());
  int after = 0;
  ar >> after;
  EXPECT_EQ(after, 7);
}
