#include "core/tiles/xbm_image.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/tiles/stx_image.h"
#include "tests/core/tiles/tile_test_support.h"

using Bytes = std::vector<unsigned char>;

namespace {

Bytes Stored(const UXbmImage& image) {
  UArchiveMemory ar;
  ar << image;
  return ar.GetBuffer();
}

// A 3 x 2 picture: red, green, blue / white, black, a translucent grey.
TBitmap SmallPicture() {
  const uint32_t colors[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                              0xFFFFFFFF, 0xFF000000, 0x80123456};
  return MakePicture(3, 2, [&](int x, int y) { return colors[x + y * 3]; });
}

// A stream that cannot tell its length, as a pipe or a socket: it hands out its bytes in order
// and fails a read that runs past them.
class UnsizedArchive : public UArchive {
 public:
  explicit UnsizedArchive(Bytes bytes) : m_Bytes(std::move(bytes)) { m_AccessMethod = ArRead; }

  int Open(const char*, ArAccessMethod) override { return 0; }
  void Seek(int, ArchivePos) override { SetFailed(); }
  void Write(const void*, int) override { SetFailed(); }
  void Read(void* data, int size) override {
    const size_t count = std::min(size_t(size), m_Bytes.size() - m_Position);
    std::memcpy(data, m_Bytes.data() + m_Position, count);
    m_Position += count;
    if (count != size_t(size)) {
      SetFailed();
    }
  }
  void Close() override {}
  int TotalSize() override { return -1; }
  int GetPos() override { return 0; }

 private:
  Bytes m_Bytes;
  size_t m_Position = 0;
};

// The most memory this process has held so far, in KiB.
long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

TEST(XbmImageTest, ColourConversions) {
  struct Case {
    uint32_t color;
    uint16_t to12;
    uint16_t to16;
  };
  for (const Case& c : {Case{0xFFFFFFFF, 0x0FFF, 0xFFFF}, Case{0x00FF0000, 0x0F00, 0xF800},
                        Case{0x0012F0A0, 0x01FA, 0x1794}, Case{0xFF00FF00, 0x00F0, 0x07E0},
                        Case{0x000000FF, 0x000F, 0x001F}}) {
    EXPECT_EQ(Color32To12(c.color), c.to12) << std::hex << c.color;
    EXPECT_EQ(Color32To16(c.color), c.to16) << std::hex << c.color;
  }
}

TEST(XbmImageTest, StoredFormOfEachPixelType) {
  const TBitmap picture = SmallPicture();
  UXbmImage image;
  ASSERT_TRUE(image.Import(picture.get(), 16, 0));
  EXPECT_EQ(image.GetDataLength(), 12u);
  EXPECT_EQ(Stored(image), (Bytes{3,    0,    2,    0,    16,   0,    12, 0, 0, 0,  // header
                                  0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00,               // top row first
                                  0xFF, 0xFF, 0x00, 0x00, 0xAA, 0x11}));

  ASSERT_TRUE(image.Import(picture.get(), 12, 0));
  EXPECT_EQ(Stored(image),
            (Bytes{3,    0,    2,    0,    12,   0,    12,   0,    0,    0,    0x00,
                   0x0F, 0xF0, 0x00, 0x0F, 0x00, 0xFF, 0x0F, 0x00, 0x00, 0x35, 0x01}));

  ASSERT_TRUE(image.Import(picture.get(), 24, 0));
  const Bytes stored = Stored(image);
  ASSERT_EQ(stored.size(), 10u + 24u);
  EXPECT_EQ(Bytes(stored.begin() + 6, stored.begin() + 14),
            (Bytes{24, 0, 0, 0, 0x00, 0x00, 0xFF, 0xFF}));
  EXPECT_EQ(Bytes(stored.end() - 4, stored.end()), (Bytes{0x56, 0x34, 0x12, 0x80}));

  // Palette types leave room for their palette; a compressed image stores its header only.
  ASSERT_TRUE(image.Import(picture.get(), 4, 0));
  EXPECT_EQ(image.GetDataLength(), 3u * 2 / 2 + 64);
  ASSERT_TRUE(image.Import(picture.get(), 8, 1));
  EXPECT_EQ(image.GetPixelDataLength(), 6u + 1024);
  EXPECT_EQ(Stored(image).size(), 10u);
  EXPECT_FALSE(image.Import(picture.get(), 7, 0));
  EXPECT_EQ(image.GetDataLength(), 0u);
}

TEST(XbmImageTest, ReadsBackWhatItWrote) {
  const TBitmap picture = SmallPicture();
  for (int type : {4, 8, 12, 16, 24}) {
    UXbmImage image;
    ASSERT_TRUE(image.Import(picture.get(), type, 0));
    const Bytes stored = Stored(image);
    UArchiveMemory ar(stored.data(), stored.size());
    UXbmImage back;
    ar >> back;
    EXPECT_FALSE(ar.IsFailed()) << type;
    EXPECT_EQ(back.GetType(), type);
    EXPECT_EQ(back.GetData(), image.GetData()) << type;
    UXbmImage copy(back);
    EXPECT_EQ(copy.GetData(), image.GetData());
  }
}

TEST(XbmImageTest, AnImageAfterOtherDataLeavesThatDataAlone) {
  const TBitmap picture = SmallPicture();
  UXbmImage image;
  ASSERT_TRUE(image.Import(picture.get(), 16, 0));
  UArchiveMemory ar;
  ar << 0x01020304;
  ar << image;
  const Bytes& bytes = ar.GetBuffer();
  ASSERT_EQ(bytes.size(), 4u + 22u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 6), (Bytes{4, 3, 2, 1, 3, 0}));
}

TEST(XbmImageTest, HeadersThatDisagreeWithTheirDataFail) {
  const Bytes cases[] = {
      {3, 0, 2, 0, 16, 0, 11, 0, 0, 0},             // data length not width x height x 2
      {3, 0, 2, 0, 16, 0, 12, 0, 0, 0, 1, 2, 3},    // cut short
      {3, 0, 2, 0, 9, 0, 0, 0, 0, 0},               // unknown type
      {0xFF, 0xFF, 0xFF, 0xFF, 24, 0, 4, 0, 0, 0},  // 32-bit wrap of 65535 x 65535 x 4
      {0xFF, 0xFF, 0xFF, 0x7F, 24, 1, 0xFC, 0xFF, 0xFD, 0xFF},  // compressed and huge
      {3, 0, 2},                                                // header cut short
  };
  for (const Bytes& bytes : cases) {
    UArchiveMemory ar(bytes.data(), bytes.size());
    UXbmImage image;
    ar >> image;
    EXPECT_TRUE(ar.IsFailed()) << bytes.size();
    EXPECT_TRUE(image.GetData().empty());
    EXPECT_EQ(image.GetWidth(), 0);
  }
}

TEST(XbmImageTest, LengthsTheDataDoesNotBackCostLittleMemoryWhenTheSizeIsUnknown) {
  // A 8192 x 8192 32-bit image promises 256 MiB of pixels; a 2^26-pixel STX picture with one-pixel
  // tiles promises a 256 MiB map. Neither brings more than a few bytes.
  Bytes xbm = {0x00, 0x20, 0x00, 0x20, 24, 0, 0x00, 0x00, 0x00, 0x10};
  xbm.resize(xbm.size() + 100, 0xAB);
  Bytes stx(96 + 100, 0);
  const uint32_t header[] = {8192, 8192, 32, 1, 1};
  for (int i = 0; i < 5; ++i) {
    std::memcpy(stx.data() + 4 + i * 4, &header[i], 4);
  }
  std::memcpy(stx.data() + 24, "t.png", 5);
  const uint32_t map[] = {96, 1u << 28};
  std::memcpy(stx.data() + 88, map, sizeof(map));

  const long before = PeakKilobytes();
  UnsizedArchive xbmArchive(xbm);
  UXbmImage image;
  xbmArchive >> image;
  EXPECT_TRUE(xbmArchive.IsFailed());
  EXPECT_TRUE(image.GetData().empty());
  UnsizedArchive stxArchive(stx);
  UStxImage tiles;
  EXPECT_FALSE(tiles.load(stxArchive));
  EXPECT_EQ(tiles.GetMap(), nullptr);
  EXPECT_LT(PeakKilobytes() - before, 64 * 1024);

  // Data that is all there still reads, in pieces.
  const TBitmap picture = SmallPicture();
  UXbmImage small;
  ASSERT_TRUE(small.Import(picture.get(), 24, 0));
  UnsizedArchive whole(Stored(small));
  UXbmImage back;
  whole >> back;
  EXPECT_FALSE(whole.IsFailed());
  EXPECT_EQ(back.GetData(), small.GetData());
}
