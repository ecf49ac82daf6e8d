// The tile library over real STX files, loaded through the GDI-style driver.
#include "core/tiles/tile_lib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/foundation/message.h"
#include "core/tiles/material_tile.h"
#include "core/tiles/stx_image.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "tests/core/tiles/tile_test_support.h"
#include "tests/support/temp_dir.h"

using Bytes = std::vector<unsigned char>;

namespace {

Bytes NameBytes(const char* text) {
  Bytes bytes(32, 0);
  std::memcpy(bytes.data(), text, std::strlen(text));
  return bytes;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

class TileLibTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = SetMessageHook([this](const UMessageRequest& request) {
      messages.push_back(request);
      return UMessageAnswer::Ok;
    });
    for (const char* name : {"grass", "water"}) {
      const TBitmap picture =
          MakePicture(16, 8, [&](int x, int y) { return TileColor(name[0], x, y); });
      const std::string png = temp.File(std::string(name) + ".png");
      ASSERT_TRUE(SavePicture(picture.get(), png, FIF_PNG));
      STX_Type names(png.c_str());
      UStxImage image;
      ASSERT_TRUE(image.import(names, png.c_str(), 8, 8, false, nullptr));
      ASSERT_TRUE(image.save(names.GetFileFullName()));
    }
    lib.Init(&util);
    lib.SetDefaultPath(temp.path().c_str());
  }
  void TearDown() override { SetMessageHook(previous_); }

  TempDir temp;
  UCanvasUtilGdi util;
  UTileLib lib;
  std::vector<UMessageRequest> messages;

 private:
  UMessageHook previous_;
};

}  // namespace

TEST_F(TileLibTest, AddsEachImageOnceAndReportsThoseThatCannotBeLoaded) {
  EXPECT_EQ(lib.AddImage("grass.stx"), 0);
  EXPECT_EQ(lib.AddImage("water.stx"), 1);
  EXPECT_EQ(lib.AddImage("grass.stx"), -1);
  EXPECT_EQ(lib.size(), 2);
  EXPECT_TRUE(messages.empty());

  EXPECT_EQ(lib.AddImage("missing.stx"), -1);
  EXPECT_EQ(lib.size(), 2);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "错误");
  EXPECT_EQ(messages[0].caption, "警告");

  auto* water = dynamic_cast<UMaterialTile*>(lib.GetMaterial(1));
  ASSERT_NE(water, nullptr);
  EXPECT_EQ(water->GetMapWidth(), 2);
  EXPECT_STREQ(lib.GetName(1)->GetString(), "water.stx");
  EXPECT_EQ(lib.GetMaterial(2), nullptr);
  EXPECT_EQ(lib.GetName(-1), nullptr);
  EXPECT_FALSE(lib.Attach(7, "water.stx"));
  EXPECT_TRUE(lib.Attach(0, "sand.stx"));
}

TEST_F(TileLibTest, StoredNamesReachIntoSubFoldersButNeverOutOfTheDefaultPath) {
  // The images sit in the temporary folder; the library reads from a folder inside it, which
  // holds copies in a sub-folder of its own.
  const std::filesystem::path inner = temp.path() / "inner";
  std::filesystem::create_directories(inner / "deep");
  for (const char* file : {"grass.stx", "grass_tileset.png"}) {
    std::filesystem::copy_file(temp.path() / file, inner / "deep" / file);
  }
  lib.SetDefaultPath(inner.c_str());
  EXPECT_EQ(lib.AddImage("deep/grass.stx"), 0);
  EXPECT_EQ(lib.AddImage("deep\\grass.stx"), 1);
  for (const char* outside :
       {"../grass.stx", "deep/../../grass.stx", "..\\grass.stx", "/grass.stx", "\\grass.stx",
        "C:grass.stx", "deep//grass.stx", "./deep/grass.stx"}) {
    EXPECT_EQ(lib.AddImage(outside), -1) << outside;
  }
  EXPECT_EQ(lib.size(), 2);
  std::string absolute = temp.File("grass.stx");
  lib.SetDefaultPath("");
  EXPECT_EQ(lib.AddImage(absolute.c_str()), -1);
  EXPECT_EQ(lib.size(), 2);
}

TEST_F(TileLibTest, RemovesNamesAndMaterialsTogether) {
  lib.AddImage("grass.stx");
  lib.AddImage("water.stx");
  EXPECT_EQ(lib.DelImage(lib.size()), -1);
  EXPECT_EQ(lib.DelImage(-1), -1);
  EXPECT_EQ(lib.DelImage(0), 1);
  EXPECT_EQ(lib.size(), 1);
  EXPECT_STREQ(lib.GetName(0)->GetString(), "water.stx");
  EXPECT_EQ(lib.GetMaterials()->Num(), 1);
  EXPECT_EQ(lib.DelImage(UName("grass.stx")), -1);
  EXPECT_GE(lib.DelImage(UName("water.stx")), 0);
  EXPECT_TRUE(lib.IsEmpty());

  // Paths are taken as they are; each image is named by its bare file name.
  UArray<UName> paths{UName("sub/../grass.stx"), UName("none.stx"), UName("water.stx")};
  std::filesystem::create_directory(temp.File("sub"));
  CurrentDirectory here(temp.path());
  lib.ReadFromFiles(paths);
  EXPECT_EQ(lib.size(), 2);
  EXPECT_EQ(lib.GetMaterials()->Num(), 2);
  EXPECT_STREQ(lib.GetName(0)->GetString(), "grass.stx");
  lib.Clean();
  EXPECT_EQ(lib.size(), 0);
  EXPECT_TRUE(lib.IsEmpty());
}

TEST_F(TileLibTest, StoredListsHaveTheirByteLayout) {
  lib.AddImage("grass.stx");
  lib.AddImage("water.stx");
  UArchiveMemory names;
  names << lib;
  EXPECT_EQ(names.GetBuffer(),
            Concat({{2, 0, 0, 0}, NameBytes("grass.stx"), NameBytes("water.stx")}));

  UArchiveMemory sec;
  lib.ExportSec(sec);
  const uint16_t grass = UName("grass.stx").GetGUID();
  const uint16_t water = UName("water.stx").GetGUID();
  EXPECT_EQ(
      sec.GetBuffer(),
      (Bytes{2, 0, 0, 0, static_cast<unsigned char>(grass), static_cast<unsigned char>(grass >> 8),
             static_cast<unsigned char>(water), static_cast<unsigned char>(water >> 8)}));

  UArchiveMemory images;
  lib.ExportTileImage(images);
  EXPECT_EQ(images.GetBuffer(),
            Concat({{2, 0, 0, 0}, NameBytes("grass_tileset.png"), NameBytes("water_tileset.png")}));

  // Reading the names list loads every image from the default path.
  UTileLib again;
  again.Init(&util);
  again.SetDefaultPath(temp.path().c_str());
  UArchiveMemory in(names.GetBuffer().data(), names.GetBuffer().size());
  in >> again;
  EXPECT_FALSE(in.IsFailed());
  EXPECT_EQ(again.size(), 2);
  EXPECT_NE(again.GetMaterial(1), nullptr);
}

TEST_F(TileLibTest, ReadingListsThatAreEmptyOrDoNotFit) {
  const Bytes cases[] = {
      {0, 0, 0, 0},              // no names: nothing added
      {3, 0, 0, 0, 'g', 0},      // three names announced, none there
      {0xFF, 0xFF, 0xFF, 0xFF},  // negative count
      {1, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    UArchiveMemory ar(cases[i].data(), cases[i].size());
    ar >> lib;
    EXPECT_EQ(ar.IsFailed(), i != 0) << i;
    EXPECT_EQ(lib.size(), 0) << i;
  }
  EXPECT_TRUE(messages.empty());
}
