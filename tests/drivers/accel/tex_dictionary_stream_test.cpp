#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drivers/accel/archive_rws.h"
#include "drivers/accel/engine/gl_objects.h"
#include "drivers/accel/engine/rw_raster.h"
#include "drivers/accel/engine/rw_tex_dictionary_stream.h"
#include "tests/drivers/accel/accel_fixture.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A dictionary of one 2 x 1 texture named "ab" of format 8888 with the pixels 0x80FF0000 and
// 0xFF00FF00.
const Bytes kOneTexture = {
    0x16, 0x00, 0x00, 0x00, 0x4C, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // dictionary, 76
    0x01, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // struct, 4
    0x01, 0x00, 0x00, 0x00,                                                  // one texture
    0x15, 0x00, 0x00, 0x00, 0x30, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // texture, 48
    0x02, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // string, 4
    'a',  'b',  0x00, 0x00,                                                  // the name
    0x01, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x37, 0x00, 0x02, 0x1C,  // struct, 20
    0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00,  // 2 x 1, 8888
    0x00, 0x00, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0xFF,                          // the pixels
};

}  // namespace

class TexDictionaryStreamTest : public AccelTest {
 protected:
  void TearDown() override {
    for (RwTexture* texture : textures_) {
      RwTexture::Destroy(texture);
    }
    AccelTest::TearDown();
  }

  RwTexDictionary* Dictionary() { return util_.GetEngine()->GetCurrentTexDictionary(); }

  // A texture in the current dictionary; the test holds its reference.
  RwTexture* AddTexture(const std::string& name, int width, int height,
                        const std::vector<uint32_t>& argb, int32_t format) {
    RwRaster* raster = RwRaster::Create(util_.GetEngine(), width, height,
                                        static_cast<int32_t>(rwRASTERTYPETEXTURE) | format);
    EXPECT_NE(raster, nullptr);
    EXPECT_TRUE(raster->SetPixels(argb.data()));
    RwTexture* texture = RwTexture::Create(raster);
    texture->SetName(name);
    Dictionary()->AddTexture(texture);
    textures_.push_back(texture);
    return texture;
  }

  static std::vector<uint32_t> PixelsOf(const RwTexture* texture) {
    const RwRaster* raster = texture->GetRaster();
    std::vector<uint32_t> pixels(static_cast<size_t>(raster->GetWidth() * raster->GetHeight()));
    EXPECT_TRUE(raster->GetPixels(pixels.data()));
    return pixels;
  }

  std::vector<RwTexture*> ExistingTextures() {
    std::vector<RwTexture*> list;
    canvas_.GetExistTextureList(&list);
    return list;
  }

  std::string path_ = dir_.File("textures.rws");
  std::vector<RwTexture*> textures_;
};

TEST_F(TexDictionaryStreamTest, SaveTexDictWritesTheDictionaryChunkByteForByte) {
  AddTexture("ab", 2, 1, {0x80FF0000u, 0xFF00FF00u}, rwRASTERFORMAT8888);
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
  canvas_.SaveTexDict(ar);
  EXPECT_FALSE(ar.IsFailed());
  ar.Close();
  EXPECT_EQ(ReadFileBytes(path_), kOneTexture);
  EXPECT_EQ(RwTexDictionaryStreamGetSize(*Dictionary()), kOneTexture.size() - 12);
}

TEST_F(TexDictionaryStreamTest, ADictionarySavedInAGroupLoadsBackInOrderAndByName) {
  const std::vector<uint32_t> texels = DistinctTexels(5, 3);
  const std::vector<uint32_t> translucent = {0x00000000u, 0x80FFFFFFu, 0x7F102030u, 0xFFFFFFFFu};
  AddTexture("sprites/hero.png", 5, 3, texels, rwRASTERFORMAT8888);
  AddTexture("b", 2, 2, translucent, rwRASTERFORMAT888);
  AddTexture("", 1, 1, {0xFF123456u}, rwRASTERFORMAT4444);
  {
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
    ar.BeginWriteChunkGroup("Textures");
    ar.WriteChunkHeader(0x300, 4);  // a chunk the loader does not know
    ar << 5;
    canvas_.SaveTexDict(ar);
    ar.EndWriteChunkGroup();
    EXPECT_FALSE(ar.IsFailed());
  }
  for (RwTexture* texture : textures_) {
    RwTexture::Destroy(texture);
  }
  textures_.clear();
  ASSERT_TRUE(ExistingTextures().empty());

  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  ar.BeginReadChunkGroup();
  canvas_.LoadTexDict(ar);
  ar.EndReadChunkGroup();
  EXPECT_FALSE(ar.IsFailed());
  const std::vector<RwTexture*> loaded = ExistingTextures();
  ASSERT_EQ(loaded.size(), 3u);
  EXPECT_EQ(loaded[0]->GetName(), "sprites/hero.png");
  EXPECT_EQ(loaded[1]->GetName(), "b");
  EXPECT_EQ(loaded[2]->GetName(), "");
  EXPECT_EQ(PixelsOf(loaded[0]), texels);
  EXPECT_EQ(PixelsOf(loaded[1]), translucent);
  EXPECT_EQ(PixelsOf(loaded[2]), std::vector<uint32_t>{0xFF123456u});
  EXPECT_EQ(loaded[1]->GetRaster()->GetFormat(), rwRASTERFORMAT888);
  EXPECT_EQ(loaded[2]->GetRaster()->GetFormat(), rwRASTERFORMAT4444);

  // A surface asked for by the texture's name shares it: no file is read, and it draws.
  USurface* surface = util_.CreateUSurfaceFromFile("sprites/hero.png", 0, 0);
  ASSERT_NE(surface, nullptr);
  surfaces_.push_back(surface);
  EXPECT_EQ(static_cast<USurfaceRw*>(surface)->GetTexture(), loaded[0]);
  EXPECT_EQ(loaded[0]->GetRefCount(), 2);
  const URect src(0, 0, 5, 3);
  const URect dst(10, 20, 15, 23);
  canvas_.SetBackGroundColor(0xFF000000u);
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawSurface(&dst, surface, &src, nullptr);
  canvas_.Present();
  const std::vector<uint32_t> picture = Picture();
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(At(picture, 10 + x, 20 + y), texels[static_cast<size_t>(y * 5 + x)]);
    }
  }
}

TEST_F(TexDictionaryStreamTest, LoadTexDictEmptiesTheDictionaryFirst) {
  RwTexture* old = AddTexture("old", 1, 1, {0xFF000000u}, rwRASTERFORMAT8888);
  WriteFileBytes(path_, kOneTexture);
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
  canvas_.LoadTexDict(ar);
  EXPECT_FALSE(ar.IsFailed());
  const std::vector<RwTexture*> loaded = ExistingTextures();
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_EQ(loaded[0]->GetName(), "ab");
  EXPECT_EQ(PixelsOf(loaded[0]), (std::vector<uint32_t>{0x80FF0000u, 0xFF00FF00u}));
  EXPECT_EQ(old->GetDictionary(), nullptr);  // out of the dictionary, still alive

  // A stream without a dictionary leaves it empty and the archive sound.
  canvas_.LoadTexDict(ar);
  EXPECT_TRUE(ExistingTextures().empty());
  EXPECT_FALSE(ar.IsFailed());
}

TEST_F(TexDictionaryStreamTest, ADamagedDictionaryLoadsNothing) {
  struct Case {
    const char* what;
    size_t offset;  // of a 32-bit word in kOneTexture to replace, or the length to cut to
    uint32_t value;
    bool cut;
    RwStreamError error;
  };
  const Case cases[] = {
      {"a count above the textures there are", 24, 2, false, RwStreamError::kBadChunk},
      {"a count below the textures there are", 24, 0, false, RwStreamError::kBadChunk},
      {"a texture chunk of another type", 28, 0x14, false, RwStreamError::kBadChunk},
      {"a texture past the dictionary", 32, 49, false, RwStreamError::kBadChunk},
      {"a name of an unaccepted version", 48, 0x310, false, RwStreamError::kBadVersion},
      {"pixels past the texture", 60, 24, false, RwStreamError::kBadChunk},
      {"pixels short of their size", 60, 16, false, RwStreamError::kBadChunk},
      {"a width of 0", 68, 0, false, RwStreamError::kBadChunk},
      {"a negative height", 72, 0xFFFFFFFF, false, RwStreamError::kBadChunk},
      {"a format outside the format byte", 76, 0x501, false, RwStreamError::kBadChunk},
      {"a dictionary past the end", 4, 0x7FFFFFFF, false, RwStreamError::kBadChunk},
      {"a file cut within the pixels", 85, 0, true, RwStreamError::kBadChunk},
  };
  const int liveBefore = RwGlLiveObjectCount();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = kOneTexture;
    if (c.cut) {
      bytes.resize(c.offset);
    } else {
      for (int i = 0; i < 4; ++i) {
        bytes[c.offset + static_cast<size_t>(i)] = static_cast<unsigned char>(c.value >> (8 * i));
      }
    }
    WriteFileBytes(path_, bytes);
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
    canvas_.LoadTexDict(ar);
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_EQ(ar.GetStream()->GetError(), c.error);
    EXPECT_TRUE(ExistingTextures().empty());
    EXPECT_EQ(RwGlLiveObjectCount(), liveBefore);
  }
}

TEST_F(TexDictionaryStreamTest, ADictionaryWithATextureWithoutPixelsIsNotWritten) {
  AddTexture("ab", 2, 1, {0x80FF0000u, 0xFF00FF00u}, rwRASTERFORMAT8888);
  // A z-buffer raster has no pixels to read back.
  RwTexture* depth =
      RwTexture::Create(RwRaster::Create(util_.GetEngine(), 2, 2, rwRASTERTYPEZBUFFER));
  ASSERT_NE(depth, nullptr);
  textures_.push_back(depth);
  Dictionary()->AddTexture(depth);
  UArchiveRws ar;
  ASSERT_EQ(ar.Open(path_.c_str(), ArWrite), 1);
  canvas_.SaveTexDict(ar);
  EXPECT_TRUE(ar.IsFailed());
  ar.Close();
  EXPECT_TRUE(ReadFileBytes(path_).empty());
}

TEST_F(TexDictionaryStreamTest, AReloadReplacesTheTexturesOfTheLastLoad) {
  WriteFileBytes(path_, kOneTexture);
  const int liveBefore = RwGlLiveObjectCount();
  USurface* held = nullptr;
  for (int load = 0; load < 4; ++load) {
    SCOPED_TRACE(load);
    UArchiveRws ar;
    ASSERT_EQ(ar.Open(path_.c_str(), ArRead), 1);
    canvas_.LoadTexDict(ar);
    ASSERT_FALSE(ar.IsFailed());
    ASSERT_EQ(ExistingTextures().size(), 1u);
    // One GL texture for the dictionary just loaded, and one for the first load's texture, which
    // a surface still holds.
    EXPECT_EQ(RwGlLiveObjectCount(), liveBefore + 1 + (held == nullptr ? 0 : 1));
    if (held == nullptr) {
      held = util_.CreateUSurfaceFromFile("ab", 0, 0);
      ASSERT_NE(held, nullptr);
      surfaces_.push_back(held);
    }
  }
  EXPECT_EQ(PixelsOf(static_cast<USurfaceRw*>(held)->GetTexture()),
            (std::vector<uint32_t>{0x80FF0000u, 0xFF00FF00u}));
  canvas_.ResetTexDict();
  EXPECT_EQ(RwGlLiveObjectCount(), liveBefore + 1);
}
