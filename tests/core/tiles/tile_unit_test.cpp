#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/tiles/tile_unit.h"

namespace {

CTileUnit Tile(int width, int height, const std::vector<uint32_t>& pixels) {
  CTileUnit tile;
  tile.Init(width, height, TILE_UNIT_32);
  tile.SetValue(pixels.data());
  return tile;
}

std::vector<uint32_t> Pixels(const CTileUnit& tile) {
  std::vector<uint32_t> pixels;
  for (int i = 0; i < tile.GetWidth() * tile.GetHeight(); ++i) {
    pixels.push_back(tile.GetData(i));
  }
  return pixels;
}

}  // namespace

TEST(CTileUnitTest, FlipsMirrorRowsColumnsOrBoth) {
  const struct {
    int mode;
    std::vector<uint32_t> expected;
  } cases[] = {
      {1, {2, 1, 4, 3}}, {2, {3, 4, 1, 2}}, {3, {4, 3, 2, 1}}, {0, {1, 2, 3, 4}}, {7, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    CTileUnit tile = Tile(2, 2, {1, 2, 3, 4});
    tile.Flip(c.mode);
    EXPECT_EQ(Pixels(tile), c.expected) << "mode " << c.mode;
  }
  CTileUnit odd = Tile(3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
  odd.Flip(2);
  EXPECT_EQ(Pixels(odd), (std::vector<uint32_t>{7, 8, 9, 4, 5, 6, 1, 2, 3}));
}

TEST(CTileUnitTest, CompareFindsTheMirrorThatMatches) {
  const CTileUnit tile = Tile(3, 2, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(tile.Compare(Tile(3, 2, {1, 2, 3, 4, 5, 6})), 0);
  EXPECT_EQ(tile.Compare(Tile(3, 2, {3, 2, 1, 6, 5, 4})), 1);
  EXPECT_EQ(tile.Compare(Tile(3, 2, {4, 5, 6, 1, 2, 3})), 2);
  EXPECT_EQ(tile.Compare(Tile(3, 2, {6, 5, 4, 3, 2, 1})), 3);
  EXPECT_EQ(tile.Compare(Tile(3, 2, {1, 2, 3, 4, 5, 7})), 4);
  // A left-right symmetric tile is found as itself first.
  const CTileUnit symmetric = Tile(2, 1, {5, 5});
  EXPECT_EQ(symmetric.Compare(Tile(2, 1, {5, 5})), 0);
}

TEST(CTileUnitTest, CompareChangesNeitherTile) {
  const CTileUnit tile = Tile(2, 2, {1, 2, 3, 4});
  const CTileUnit other = Tile(2, 2, {4, 3, 2, 1});
  EXPECT_EQ(tile.Compare(other), 3);
  EXPECT_EQ(Pixels(other), (std::vector<uint32_t>{4, 3, 2, 1}));
  EXPECT_EQ(Pixels(tile), (std::vector<uint32_t>{1, 2, 3, 4}));
}

TEST(CTileUnitTest, TilesOfOtherSizesOrTypesNeverMatch) {
  EXPECT_EQ(Tile(2, 2, {1, 1, 1, 1}).Compare(Tile(4, 1, {1, 1, 1, 1})), 4);
  CTileUnit bytes;
  bytes.Init(2, 2, TILE_UNIT_8);
  CTileUnit words;
  words.Init(2, 2, TILE_UNIT_16);
  EXPECT_EQ(bytes.Compare(words), 4);
  EXPECT_FALSE(bytes == words);
}

TEST(CTileUnitTest, NarrowElementsWidenAndCopiesAreDeep) {
  CTileUnit tile;
  tile.Init(2, 1, TILE_UNIT_16);
  const uint16_t pixels[] = {0xFFFF, 7};
  tile.SetValue(pixels);
  EXPECT_EQ(tile.GetData(0), 0xFFFFu);
  EXPECT_EQ(tile.GetData(2), 0u);
  EXPECT_EQ(tile.GetData(-1), 0u);

  CTileUnit copy(tile);
  tile.Flip(1);
  EXPECT_EQ(copy.GetData(0), 0xFFFFu);
  EXPECT_EQ(tile.Compare(copy), 1);

  CTileUnit unknown;
  unknown.Init(1, 1, 9);
  EXPECT_EQ(unknown.GetType(), TILE_UNIT_32);
  unknown.Init(-1, 5, TILE_UNIT_32);
  EXPECT_EQ(unknown.GetWidth(), 0);
  EXPECT_EQ(unknown.SetValue(nullptr), 1);
}
