// Tile materials and tile maps composed through the GDI-style driver, checked pixel by pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/tiles/material_tile.h"
#include "core/tiles/material_tile_map.h"
#include "core/tiles/stx_image.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "drivers/gdi/surface_gdi.h"
#include "tests/core/tiles/tile_test_support.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kTile = 8;
constexpr uint32_t kMagentaOpaque = 0xFFFF00FF;

struct MaterialDeleter {
  void operator()(UMaterial* material) const { delete material; }
};
template <typename T>
using TMaterialPtr = std::unique_ptr<T, MaterialDeleter>;

// Pixel (x, y) of a driver surface, premultiplied 0xAARRGGBB (the colour itself when opaque).
uint32_t SurfacePixel(USurface* surface, int x, int y) {
  return static_cast<USurfaceGdi*>(surface)->GetPicture().Row(y)[x];
}

// A picture of columns x rows tiles where tile (tx, ty) shows TileColor(seed + tx + ty x columns)
// mirrored left-right on odd columns; the middle of the last tile is magenta.
TBitmap SourcePicture(int columns, int rows, int seed) {
  return MakePicture(columns * kTile, rows * kTile, [=](int x, int y) {
    const int tx = x / kTile;
    const int ty = y / kTile;
    if (tx == columns - 1 && ty == rows - 1 && x % kTile == 3 && y % kTile == 4) {
      return kMagentaOpaque;
    }
    const int u = tx % 2 == 1 ? kTile - 1 - x % kTile : x % kTile;
    // Every second row repeats the first, mirrored top-bottom.
    const int kind = seed + tx;
    const int v = ty % 2 == 1 ? kTile - 1 - y % kTile : y % kTile;
    return TileColor(kind, u, v);
  });
}

class TileMaterialGdiTest : public ::testing::Test {
 protected:
  // Imports `picture` with flip matching into DIR/NAME.stx and its tile set; returns the STX path.
  std::string WriteStx(const std::string& dir, const std::string& name, FIBITMAP* picture) {
    std::filesystem::create_directories(dir);
    const std::string png = dir + "/" + name + ".png";
    EXPECT_TRUE(SavePicture(picture, png, FIF_PNG));
    STX_Type names(png.c_str());
    UStxImage image;
    EXPECT_TRUE(image.import(names, png.c_str(), kTile, kTile, true, nullptr)) << image.GetError();
    EXPECT_TRUE(image.save(names.GetFileFullName()));
    return names.GetFileFullName();
  }

  TMaterialPtr<UMaterialTile> Load(const std::string& stx) {
    TMaterialPtr<UMaterialTile> material(util.CreateUMaterialTile(stx.c_str()));
    EXPECT_NE(material, nullptr) << stx;
    return material;
  }

  TempDir temp;
  UCanvasUtilGdi util;
};

}  // namespace

TEST_F(TileMaterialGdiTest, ComposesThePictureFromItsMirroredTiles) {
  const TBitmap picture = SourcePicture(4, 2, 1);
  const std::string stx = WriteStx(temp.File("maps"), "town", picture.get());
  const TMaterialPtr<UMaterialTile> material = Load(stx);
  ASSERT_NE(material, nullptr);
  // Row 1 repeats row 0 mirrored top-bottom, but for the magenta pixel of the last tile.
  EXPECT_EQ(material->GetTileNum(), 5);
  EXPECT_EQ(material->GetTileMapData(1, 1), 1u | kMapFlipV);
  EXPECT_EQ(material->GetMapData(1, 1), 5u);
  EXPECT_EQ(material->GetMapWidth(), 4);
  USurface* surface = material->GetMainSurface();
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->GetColorKey(), kColorKeyMagenta);
  for (int y = 0; y < 2 * kTile; ++y) {
    for (int x = 0; x < 4 * kTile; ++x) {
      ASSERT_EQ(SurfacePixel(surface, x, y), PixelAt(picture.get(), x, y)) << x << "," << y;
    }
  }
}

TEST_F(TileMaterialGdiTest, TilesPastTheTileSetStayMagenta) {
  const TBitmap picture = SourcePicture(2, 1, 5);
  const std::string png = temp.File("p.png");
  ASSERT_TRUE(SavePicture(picture.get(), png, FIF_PNG));
  STX_Type names(png.c_str());
  UStxImage image;
  ASSERT_TRUE(image.import(names, png.c_str(), kTile, kTile, false, nullptr));
  image.GetMapData(1, 0) = 0x0C000000 | 9;
  ASSERT_TRUE(image.save(names.GetFileFullName()));
  const TMaterialPtr<UMaterialTile> material = Load(names.GetFileFullName());
  ASSERT_NE(material, nullptr);
  EXPECT_EQ(SurfacePixel(material->GetMainSurface(), 2, 3), PixelAt(picture.get(), 2, 3));
  EXPECT_EQ(SurfacePixel(material->GetMainSurface(), kTile + 2, 3), kMagentaOpaque);
}

TEST_F(TileMaterialGdiTest, MissingFilesGiveNoMaterial) {
  EXPECT_EQ(util.CreateUMaterialTile(temp.File("none.stx").c_str()), nullptr);
  const TBitmap picture = SourcePicture(1, 1, 2);
  const std::string stx = WriteStx(temp.path().string(), "gone", picture.get());
  std::filesystem::remove(temp.File("gone_tileset.png"));
  EXPECT_EQ(util.CreateUMaterialTile(stx.c_str()), nullptr);
}

TEST_F(TileMaterialGdiTest, TileMapsDrawTilesOfTheirTileSetsAndLeaveEmptyCellsTransparent) {
  const TBitmap pictureA = SourcePicture(3, 2, 10);
  const TBitmap pictureB = SourcePicture(2, 2, 20);
  const TMaterialPtr<UMaterialTile> a = Load(WriteStx(temp.File("a"), "a", pictureA.get()));
  const TMaterialPtr<UMaterialTile> b = Load(WriteStx(temp.File("b"), "b", pictureB.get()));
  ASSERT_TRUE(a && b);
  UArray<UMaterial*> list{a.get(), b.get()};

  MatCreateParam param;
  param.width = 3 * kTile;
  param.height = 2 * kTile;
  param.tileWidth = kTile;
  param.tileHeight = kTile;
  TMaterialPtr<UMaterial> created(util.CreateUMaterial(MAT_TILEMAP, param));
  auto* map = dynamic_cast<UMaterialTileMap*>(created.get());
  ASSERT_NE(map, nullptr);
  map->SetTileMaterials(&list);
  struct Cell {
    MAPDATA cell;
    FIBITMAP* picture;  // null: the cell shows nothing
    int columns;
  };
  const Cell cells[6] = {
      {0x00000004, pictureA.get(), 3},                          // set 0, picture tile 4
      {0x10000001 | kMapFlipH, pictureB.get(), 2},              // set 1, mirrored left-right
      {kMapEmpty, nullptr, 0},                                  // empty
      {0x10000003 | kMapFlipH | kMapFlipV, pictureB.get(), 2},  // both ways
      {0x20000000, nullptr, 0},                                 // set 2: not in the list
      {0x00000006, nullptr, 0},                                 // past material a's picture
  };
  for (int i = 0; i < 6; ++i) {
    map->SetMapData(i % 3, i / 3, cells[i].cell);
  }
  ASSERT_TRUE(map->Reflash());
  USurface* surface = map->GetMainSurface();
  for (int y = 0; y < 2 * kTile; ++y) {
    for (int x = 0; x < 3 * kTile; ++x) {
      const Cell& c = cells[x / kTile + (y / kTile) * 3];
      uint32_t expected = kMagentaOpaque;
      if (c.picture != nullptr) {
        const MAPDATA tile = c.cell & kMapTileMask;
        int u = x % kTile;
        int v = y % kTile;
        if (c.cell & kMapFlipH) {
          u = kTile - 1 - u;
        }
        if (c.cell & kMapFlipV) {
          v = kTile - 1 - v;
        }
        expected = PixelAt(c.picture, static_cast<int>(tile % c.columns) * kTile + u,
                           static_cast<int>(tile / c.columns) * kTile + v);
      }
      ASSERT_EQ(SurfacePixel(surface, x, y), expected) << x << "," << y;
    }
  }

  // Drawn plainly onto another surface, the magenta of empty cells is left out.
  const std::unique_ptr<USurface> back(util.CreateUSurface(3 * kTile, 2 * kTile, 0));
  back->Clear(0x336699);
  const URect all(0, 0, 3 * kTile, 2 * kTile);
  back->BitBlt(&all, surface, &all, nullptr);
  EXPECT_EQ(SurfacePixel(back.get(), 2 * kTile + 1, 1), 0xFF336699u);
  EXPECT_EQ(SurfacePixel(back.get(), 1, 1), SurfacePixel(surface, 1, 1));
  back->Release();

  // Only the cells of the area are drawn; without tile materials nothing is.
  ASSERT_TRUE(map->ReflashRect(1, 0, 2, 1));
  EXPECT_EQ(SurfacePixel(surface, 1, 1), kMagentaOpaque);
  EXPECT_NE(SurfacePixel(surface, kTile + 1, 1), kMagentaOpaque);
  map->SetTileMaterials(nullptr);
  EXPECT_FALSE(map->Reflash());
  EXPECT_EQ(SurfacePixel(surface, kTile + 1, 1), kMagentaOpaque);
  EXPECT_EQ(surface->GetColorKey(), kColorKeyMagenta);
}
