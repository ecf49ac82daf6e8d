#include "core/tiles/material_tile_map.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/tiles/material_tile.h"

using Bytes = std::vector<unsigned char>;

TEST(TileMapCellTest, SixteenBitCellEncoding) {
  struct Case {
    MAPDATA cell;
    uint16_t stored;
    MAPDATA readBack;
  };
  for (const Case& c : {
           Case{0x18000005, 0x1805, 0x18000005},  // tile set 1, horizontal flip, tile 5
           Case{0x04000003, 0x0403, 0x04000003},  // vertical flip
           Case{0xFFFFFFFF, 0xFFFF, 0xFFFFFFFF},  // empty
           Case{0xF00003FF, 0xF3FF, 0xF00003FF},
           Case{0x00000401, 0x0001, 0x00000001},  // indices above 1023 do not survive
           Case{0xFC000001, 0xFC01, 0xFC000001},
       }) {
    EXPECT_EQ(TileMapCellTo16(c.cell), c.stored) << std::hex << c.cell;
    EXPECT_EQ(TileMapCellFrom16(c.stored), c.readBack) << std::hex << c.cell;
  }
}

TEST(UMaterialTileMapTest, StoredFormOfAFreshMap) {
  UMaterialTileMap map;
  map.Init(2, 2, 16, 16);
  EXPECT_EQ(map.GetMapData(0, 0), 0xFFFFFFFFu);
  map.SetMapData(1, 1, 0x18000005);
  map.SetMapData(2, 0, 1);  // outside: nothing
  EXPECT_EQ(&map.GetMapData(-1, 7), &map.GetMapData(0, 0));
  UArchiveMemory out;
  out << map;
  const Bytes stored{2, 0, 0, 0, 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x05, 0x18};
  EXPECT_EQ(out.GetBuffer(), stored);

  UMaterialTileMap back;
  back.Init(2, 2, 16, 16);
  UArchiveMemory in(stored.data(), stored.size());
  in >> back;
  EXPECT_FALSE(in.IsFailed());
  EXPECT_EQ(back.GetCells(), map.GetCells());
}

TEST(UMaterialTileMapTest, ReadsThatDoNotFitLeaveTheMapAlone) {
  const Bytes cases[] = {
      {3, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // wider than the map
      {2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 2, 0, 3, 0},                    // cut short
      {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0x7F},              // huge
      {2, 0, 0},
  };
  for (const Bytes& bytes : cases) {
    UMaterialTileMap map;
    map.Init(2, 2, 8, 8);
    UArchiveMemory ar(bytes.data(), bytes.size());
    ar >> map;
    EXPECT_TRUE(ar.IsFailed()) << bytes.size();
    EXPECT_EQ(map.GetCells(), std::vector<MAPDATA>(4, 0xFFFFFFFF));
  }
}

TEST(UMaterialTileMapTest, TileSetNumbersChangeAndRemove) {
  UMaterialTileMap map;
  map.Init(3, 1, 8, 8);
  map.SetMapData(0, 0, 0x04000003);
  map.SetMapData(1, 0, 0x1C000004);
  map.ChangeTilePal(0, 2);
  EXPECT_EQ(map.GetCells(), (std::vector<MAPDATA>{0x24000003, 0x1C000004, 0xFFFFFFFF}));
  map.RemoveTile(1);
  EXPECT_EQ(map.GetCells(), (std::vector<MAPDATA>{0x24000003, 0xFC000001, 0xFFFFFFFF}));
}

TEST(UMaterialTileMapTest, AbsoluteExportResolvesCellsToTileSetTiles) {
  // Tile material 0: a 2 x 1 picture whose tile 0 is tile-set tile 3 and whose tile 1 is tile-set
  // tile 0 mirrored left-right.
  UMaterialTile tiles;
  const MAPDATA stx[2] = {3, 0x08000000};
  tiles.SetMapInfo(2, 1, stx);
  tiles.SetTileInfo(8, 8, 4);
  EXPECT_EQ(tiles.GetMapData(1, 0), 1u);
  EXPECT_EQ(tiles.GetTileMapData(1, 0), 0x08000000u);
  EXPECT_EQ(tiles.GetMapData(2, 0), 0xFFFFFFFFu);
  UArray<UMaterial*> list{&tiles};

  UMaterialTileMap map;
  map.Init(6, 1, 8, 8);
  map.SetTileMaterials(&list);
  map.SetMapData(0, 0, 0x04000000);  // tile 0, vertical flip
  map.SetMapData(1, 0, 0x08000001);  // flipped like its tile: no flip left
  map.SetMapData(2, 0, 0x0C000001);  // both ways: vertical only
  map.SetMapData(3, 0, 0x10000000);  // tile set 1: not in the list
  map.SetMapData(4, 0, 0x00000002);  // past the material's picture
  map.SetMapData(5, 0, 0x0BFFFFFF);  // empty with a flip: keeps it
  UArchiveMemory out;
  map.ExportAbsoult(out);
  EXPECT_EQ(out.GetBuffer(), (Bytes{6,    0,    0,    0,    1,    0,    0,    0,    0x03, 0x04,
                                    0x00, 0x00, 0x00, 0x04, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0B}));
  map.SetTileMaterials(nullptr);
  UArchiveMemory none;
  map.ExportAbsoult(none);
  EXPECT_EQ(Bytes(none.GetBuffer().begin() + 8, none.GetBuffer().end()), Bytes(12, 0xFF));
}
