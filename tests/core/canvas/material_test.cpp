#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/canvas/canvas_util.h"
#include "core/canvas/recording_canvas.h"
#include "core/tiles/material_tile_map.h"

namespace {

// Counts Release calls and destructions, to prove a surface is freed exactly once.
struct SurfaceLedger {
  int released = 0;
  int destroyed = 0;
};

class LedgerSurface : public URecordingSurface {
 public:
  explicit LedgerSurface(SurfaceLedger* ledger) : URecordingSurface(0, 8, 4), ledger_(ledger) {}
  ~LedgerSurface() override { ++ledger_->destroyed; }
  bool Release() override {
    ++ledger_->released;
    return true;
  }

 private:
  SurfaceLedger* ledger_;
};

// A factory whose "files" are the names it was told about.
class NamedSurfaceFactory : public UCanvasUtil {
 public:
  std::vector<std::string> known_files;
  std::vector<std::string> asked;

  int Init(HWND window) override {
    m_Window = window;
    return 1;
  }
  int DeInit() override { return 1; }
  USurface* CreateUSurface(int width, int height, int /*flags*/) override {
    return new URecordingSurface(0, width, height);
  }
  USurface* CreateUSurfaceFromFile(const char* path, int /*width*/, int /*height*/) override {
    asked.emplace_back(path);
    for (const std::string& known : known_files) {
      if (known == path) {
        return new URecordingSurface(0, 32, 16);
      }
    }
    return nullptr;
  }
};

class ScreenHost : public UWindowHost {
 public:
  URect GetClientRect() const override { return {0, 0, 640, 480}; }
  UPoint ClientToScreen(UPoint point) const override { return point; }
  int GetScreenWidth() const override { return 1920; }
  int GetScreenHeight() const override { return 1080; }
};

MatCreateParam ParamFor(const char* file) {
  MatCreateParam param;
  std::strncpy(param.fileName, file, sizeof(param.fileName) - 1);
  return param;
}

}  // namespace

TEST(UMaterialTest, DestroyingAfterReleaseFreesTheSurfaceOnce) {
  SurfaceLedger ledger;
  {
    UMaterialBmp material(new LedgerSurface(&ledger));
    EXPECT_EQ(material.Width(), 8u);
    EXPECT_EQ(material.Height(), 4u);
    EXPECT_TRUE(material.Reflash());
    EXPECT_TRUE(material.Release());
    EXPECT_EQ(material.GetMainSurface(), nullptr);
    EXPECT_EQ(material.Width(), 0u);
    EXPECT_TRUE(material.Release());
  }
  EXPECT_EQ(ledger.released, 1);
  EXPECT_EQ(ledger.destroyed, 1);

  SurfaceLedger dropped;
  { UMaterialBmp material(new LedgerSurface(&dropped)); }
  EXPECT_EQ(dropped.released, 1);
  EXPECT_EQ(dropped.destroyed, 1);
}

TEST(UCanvasUtilTest, CreatesBitmapMaterialsFromReadableFiles) {
  NamedSurfaceFactory factory;
  factory.known_files = {"hero.png"};
  MatCreateParam hero = ParamFor("hero.png");
  UMaterial* material = factory.CreateUMaterial(MAT_BMP, hero);
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(material->Width(), 32u);
  delete material;

  MatCreateParam missing = ParamFor("missing.png");
  EXPECT_EQ(factory.CreateUMaterial(MAT_BMP, missing), nullptr);
}

TEST(UCanvasUtilTest, UnknownKindsAndUnreadableTileFilesGiveNull) {
  NamedSurfaceFactory factory;
  factory.known_files = {"a.stx"};
  MatCreateParam param = ParamFor("a.stx");
  EXPECT_EQ(factory.CreateUMaterial(static_cast<MatType>(3), param), nullptr);
  // "a.stx" is no STX file on disk: nothing is asked of the driver.
  EXPECT_EQ(factory.CreateUMaterial(MAT_TILE, param), nullptr);
  EXPECT_EQ(factory.CreateUMaterialTile("a.stx"), nullptr);
  EXPECT_TRUE(factory.asked.empty());
}

TEST(UCanvasUtilTest, CreatesTileMapsOfWholeTiles) {
  struct Case {
    int width;
    int height;
    int tile;
    int columns;
    int rows;
  };
  NamedSurfaceFactory factory;
  for (const Case& c : {Case{100, 50, 16, 6, 3}, Case{32, 32, 16, 2, 2}, Case{8, 8, 16, 0, 0}}) {
    MatCreateParam param;
    param.width = c.width;
    param.height = c.height;
    param.tileWidth = c.tile;
    param.tileHeight = c.tile;
    std::unique_ptr<UMaterial> material(factory.CreateUMaterial(MAT_TILEMAP, param));
    auto* map = dynamic_cast<UMaterialTileMap*>(material.get());
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetMapWidth(), c.columns);
    EXPECT_EQ(map->GetMapHeight(), c.rows);
    EXPECT_EQ(map->Width(), uint32_t(c.width));
    EXPECT_EQ(map->Height(), uint32_t(c.height));
    EXPECT_EQ(map->GetMapData(0, 0), 0xFFFFFFFFu);
  }
  MatCreateParam zero;
  zero.width = 32;
  zero.height = 32;
  EXPECT_EQ(factory.CreateUMaterial(MAT_TILEMAP, zero), nullptr);
}

TEST(UCanvasUtilTest, UnterminatedFileNamesAreRefused) {
  NamedSurfaceFactory factory;
  MatCreateParam param;
  std::memset(param.fileName, 'a', sizeof(param.fileName));
  EXPECT_EQ(factory.CreateUMaterial(MAT_BMP, param), nullptr);
  EXPECT_TRUE(factory.asked.empty());
}

TEST(UCanvasUtilTest, DeviceSizeIsTheScreenOfItsWindow) {
  NamedSurfaceFactory factory;
  EXPECT_EQ(factory.GetDeviceWidth(), 0);
  ScreenHost host;
  factory.Init(&host);
  EXPECT_EQ(factory.GetDeviceWidth(), 1920);
  EXPECT_EQ(factory.GetDeviceHeight(), 1080);
}
