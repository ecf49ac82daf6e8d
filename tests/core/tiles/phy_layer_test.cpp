#include "core/tiles/phy_layer.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/tiles/material_tile_map.h"

using Bytes = std::vector<unsigned char>;

TEST(PhyLayerTest, BytesAndMapCellsConvertBothWays) {
  struct Case {
    uint8_t byte;
    uint32_t cell;
  };
  // Code bits 0-3, horizontal flip, vertical flip, code bits 4-5.
  for (const Case& c : {Case{0x5A, 0x0800001A}, Case{0xAB, 0x0400002B}, Case{0x00, 0x00000000},
                        Case{0xFF, 0x0C00003F}, Case{0x30, 0x0C000000}}) {
    EXPECT_EQ(PhyByteToCell(c.byte), c.cell) << int(c.byte);
    EXPECT_EQ(PhyByteFromCell(c.cell), c.byte) << int(c.byte);
  }
  // Tile sets and index bits above 5 are dropped; an empty cell gives 0.
  EXPECT_EQ(PhyByteFromCell(0x3000007B), 0xCB);
  EXPECT_EQ(PhyByteFromCell(0xFFFFFFFF), 0);
}

TEST(PhyLayerTest, PaintsThroughATileMap) {
  UPhyLayer layer;
  EXPECT_STREQ(layer.GetName().GetString(), "PhySical");
  ASSERT_EQ(layer.CreatePhyData(3, 2), 0);
  layer.SetCell(0, 0, 0x5A);
  layer.SetCell(2, 1, 0xAB);
  UMaterialTileMap map;
  map.Init(2, 2, 16, 16);  // narrower than the layer: the last column has no cell
  layer.SaveToMaterialMap(&map);
  EXPECT_EQ(map.GetCells(), (std::vector<uint32_t>{0x0800001A, 0, 0, 0}));

  map.SetMapData(1, 0, 0xFFFFFFFF);
  map.SetMapData(1, 1, 0x0400002B);
  layer.LoadFromMaterialMap(&map);
  EXPECT_EQ(layer.GetData(), (std::vector<uint8_t>{0x5A, 0x00, 0x00, 0x00, 0xAB, 0x00}));
  EXPECT_EQ(layer.CreatePhyData(-1, 4), -1);
  EXPECT_EQ(layer.GetWidth(), 0);
}

TEST(PhyLayerTest, StoredFormAndReadsThatDoNotFit) {
  UPhyLayer layer;
  layer.CreatePhyData(3, 2);
  layer.SetCell(1, 0, 7);
  layer.SetCell(2, 1, 9);
  UArchiveMemory out;
  out << layer;
  const Bytes stored{3, 0, 0, 0, 2, 0, 0, 0, 0, 7, 0, 0, 0, 9};
  EXPECT_EQ(out.GetBuffer(), stored);

  UPhyLayer back;
  back.CreatePhyData(3, 2);
  UArchiveMemory in(stored.data(), stored.size());
  in >> back;
  EXPECT_FALSE(in.IsFailed());
  EXPECT_EQ(back.GetData(), layer.GetData());

  const Bytes cases[] = {
      {3, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},  // another size than the layer's
      {3, 0, 0, 0, 2, 0, 0, 0, 1, 2, 3},                    // cut short
  };
  for (const Bytes& bytes : cases) {
    UPhyLayer target;
    target.CreatePhyData(3, 2);
    UArchiveMemory ar(bytes.data(), bytes.size());
    ar >> target;
    EXPECT_TRUE(ar.IsFailed());
    EXPECT_EQ(target.GetData(), std::vector<uint8_t>(6, 0));
  }
}
