#include "core/tiles/stx_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "tests/core/tiles/tile_test_support.h"
#include "tests/support/file_faults.h"
#include "tests/support/temp_dir.h"

using Bytes = std::vector<unsigned char>;

namespace {

// A picture whose tile (tx, ty) shows tile number kind(tx, ty) as it is, or mirrored as
// flips(tx, ty) says (bit 1 left-right, bit 2 top-bottom).
TBitmap TiledPicture(int columns, int rows, int tile, const std::function<int(int, int)>& kind,
                     const std::function<int(int, int)>& flips) {
  return MakePicture(columns * tile, rows * tile, [&](int x, int y) {
    const int tx = x / tile;
    const int ty = y / tile;
    int u = x % tile;
    int v = y % tile;
    if ((flips(tx, ty) & 1) != 0) {
      u = tile - 1 - u;
    }
    if ((flips(tx, ty) & 2) != 0) {
      v = tile - 1 - v;
    }
    return TileColor(kind(tx, ty), u, v);
  });
}

std::vector<MAPDATA> MapOf(const UStxImage& image) {
  return {image.GetMap(), image.GetMap() + image.GetMapWidth() * image.GetMapHeight()};
}

void PutLittleEndian(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
  }
}

constexpr MAPDATA H = kMapFlipH;
constexpr MAPDATA V = kMapFlipV;

}  // namespace

TEST(StxTypeTest, DerivesTheNamesOfOneImage) {
  struct Case {
    const char* file;
    const char* base;
    const char* full;
    const char* tileSet;
  };
  const Case cases[] = {
      {"maps/level1.png", "maps/level1", "maps/level1.stx", "maps/level1_tileset.png"},
      {"a.b.bmp", "a.b", "a.b.stx", "a.b_tileset.bmp"},
      {"my.dir/town", "my.dir/town", "my.dir/town.stx", "my.dir/town_tileset."},
      {"plain", "plain", "plain.stx", "plain_tileset."},
  };
  for (const Case& c : cases) {
    STX_Type names(c.file);
    EXPECT_STREQ(names.GetFileName(), c.base) << c.file;
    EXPECT_STREQ(names.GetFileFullName(), c.full) << c.file;
    EXPECT_STREQ(names.GetTileSetName(), c.tileSet) << c.file;
  }
  STX_Type parts("out/a-very-long-directory-name-that-no-fixed-buffer-would-hold/and-more/x",
                 "png");
  EXPECT_STREQ(parts.GetTileSetName(),
               "out/a-very-long-directory-name-that-no-fixed-buffer-would-hold/and-more/"
               "x_tileset.png");
}

TEST(StxImportTest, RepeatedAndMirroredHalvesShareOneTile) {
  struct Case {
    int rightFlips;
    bool matchFlips;
    std::vector<MAPDATA> map;
    int tiles;
  };
  const Case cases[] = {
      {0, false, {0, 0}, 1}, {0, true, {0, 0}, 1}, {1, true, {0, H}, 1},
      {1, false, {0, 1}, 2}, {2, true, {0, V}, 1}, {3, true, {0, H | V}, 1},
  };
  for (const Case& c : cases) {
    const TBitmap picture = TiledPicture(
        2, 1, 32, [](int, int) { return 7; },
        [&](int x, int) { return x == 1 ? c.rightFlips : 0; });
    UStxImage image;
    ASSERT_TRUE(image.import(picture.get(), 32, 32, c.matchFlips));
    EXPECT_EQ(MapOf(image), c.map) << c.rightFlips << c.matchFlips;
    EXPECT_EQ(image.GetTileNum(), c.tiles);
    EXPECT_EQ(FreeImage_GetWidth(image.GetTileSet()), 32u);
    EXPECT_EQ(FreeImage_GetHeight(image.GetTileSet()), 32u * c.tiles);
  }
}

TEST(StxImportTest, SymmetricTilesPreferIdentityThenLeftRight) {
  // Tile A is its own left-right mirror, tile B its own top-bottom mirror. A again matches as it
  // is; B mirrored left-right (which equals B turned both ways) matches B left-right.
  const TBitmap picture = MakePicture(16, 4, [](int x, int y) {
    const int u = x % 4;
    switch (x / 4) {
      case 0:
      case 2:
        return TileColor(1, std::min(u, 3 - u), y);
      case 1:
        return TileColor(2, u, std::min(y, 3 - y));
      default:
        return TileColor(2, 3 - u, std::min(y, 3 - y));
    }
  });
  UStxImage image;
  ASSERT_TRUE(image.import(picture.get(), 4, 4, true));
  EXPECT_EQ(MapOf(image), (std::vector<MAPDATA>{0, 1, 0, 1 | H}));
  ASSERT_TRUE(image.import(picture.get(), 4, 4, false));
  EXPECT_EQ(MapOf(image), (std::vector<MAPDATA>{0, 1, 0, 2}));
}

TEST(StxImportTest, PartialTilesAtTheEdgesAreLeftOut) {
  const TBitmap picture = MakePicture(100, 100, [](int x, int y) { return TileColor(x, y, 0); });
  UStxImage image;
  ASSERT_TRUE(image.importNoCompress(picture.get(), 32, 32, true));
  EXPECT_EQ(image.GetMapWidth(), 3);
  EXPECT_EQ(image.GetMapHeight(), 3);
  EXPECT_EQ(image.GetWidth(), 100);
  EXPECT_EQ(MapOf(image), (std::vector<MAPDATA>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(image.GetTileNum(), 9);
  // Tile 4 of the tile set is the picture's middle tile, tile i at rows i x 32 from the top.
  FIBITMAP* tiles = image.GetTileSet();
  EXPECT_EQ(PixelAt(tiles, 5, 4 * 32 + 6), PixelAt(picture.get(), 32 + 5, 32 + 6));
}

TEST(StxImportTest, RefusesPicturesSmallerThanATileAndBadTileSizes) {
  const TBitmap picture = MakePicture(20, 40, [](int, int) { return 0xFF123456u; });
  UStxImage image;
  EXPECT_FALSE(image.import(picture.get(), 32, 32, false));
  EXPECT_NE(image.GetError().find("smaller than one tile"), std::string::npos) << image.GetError();
  EXPECT_EQ(image.GetTileNum(), 0);
  EXPECT_EQ(image.GetMapWidth(), 0);
  for (const auto& [w, h] : {std::pair{0, 8}, {8, 0}, {256, 8}, {-1, 8}}) {
    EXPECT_FALSE(image.import(picture.get(), w, h, false)) << w << "x" << h;
  }
  EXPECT_FALSE(image.import(nullptr, 8, 8, false));
}

TEST(StxImportTest, FastDeduplicationEqualsTheComparisonOfEveryTile) {
  // Repeated, mirrored, symmetric and unique tiles, and runs that only a hash collision would
  // confuse: the map and the tile set must come out exactly as the full comparison gives them.
  std::mt19937 random(1234);
  const int tile = 4;
  const int columns = 24;
  const int rows = 20;
  std::vector<int> kinds(columns * rows);
  std::vector<int> flips(columns * rows);
  for (size_t i = 0; i < kinds.size(); ++i) {
    kinds[i] = static_cast<int>(random() % 40);
    flips[i] = static_cast<int>(random() % 4);
  }
  std::vector<uint32_t> pixels(columns * tile * rows * tile);
  const int width = columns * tile;
  for (int y = 0; y < rows * tile; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t cell = static_cast<size_t>(x / tile + (y / tile) * columns);
      int u = x % tile;
      int v = y % tile;
      if (flips[cell] & 1) {
        u = tile - 1 - u;
      }
      if (flips[cell] & 2) {
        v = tile - 1 - v;
      }
      // Kinds 30 and up are symmetric both ways; 20 to 29 left-right only.
      if (kinds[cell] >= 20) {
        u = std::min(u, tile - 1 - u);
      }
      if (kinds[cell] >= 30) {
        v = std::min(v, tile - 1 - v);
      }
      pixels[static_cast<size_t>(y) * width + x] = TileColor(kinds[cell], u, v);
    }
  }
  const TTilePicture picture{pixels.data(), width, rows * tile};
  for (bool matchFlips : {true, false}) {
    const TTileCut fast = DeduplicateTiles(picture, tile, tile, matchFlips);
    const TTileCut reference = DeduplicateTilesByComparison(picture, tile, tile, matchFlips);
    EXPECT_EQ(fast.map, reference.map) << matchFlips;
    EXPECT_EQ(fast.tiles, reference.tiles) << matchFlips;
    EXPECT_EQ(fast.tileCount, reference.tileCount) << matchFlips;
    EXPECT_LT(fast.tileCount, columns * rows);
  }
}

TEST(StxFileTest, HeaderAndMapHaveTheirByteLayout) {
  TempDir temp;
  const TBitmap picture = TiledPicture(
      3, 1, 2, [](int x, int) { return x == 2 ? 5 : 4; },
      [](int x, int) { return x == 1 ? 3 : 0; });
  UStxImage image;
  STX_Type names(temp.File("p.png").c_str());
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("p.png"), FIF_PNG));
  ASSERT_TRUE(image.import(names, temp.File("p.png").c_str(), 2, 2, true, nullptr));
  const std::string path = names.GetFileFullName();
  ASSERT_TRUE(image.save(path.c_str()));

  Bytes expected(96 + 12, 0);
  const char head[] = "STX";
  std::memcpy(expected.data(), head, 4);
  PutLittleEndian(expected, 4, 6);
  PutLittleEndian(expected, 8, 2);
  PutLittleEndian(expected, 12, 32);
  PutLittleEndian(expected, 16, 2);
  PutLittleEndian(expected, 20, 2);
  std::memcpy(expected.data() + 24, "p_tileset.png", 13);
  PutLittleEndian(expected, 88, 96);
  PutLittleEndian(expected, 92, 12);
  PutLittleEndian(expected, 96, 0);
  PutLittleEndian(expected, 100, 0x0C000000);
  PutLittleEndian(expected, 104, 1);
  EXPECT_EQ(ReadFileBytes(path), expected);
  EXPECT_TRUE(std::filesystem::exists(temp.File("p_tileset.png")));
}

TEST(StxFileTest, SaveLoadAndExportRebuildThePicture) {
  TempDir temp;
  const TBitmap picture = TiledPicture(
      3, 3, 8, [](int x, int y) { return (x + y) % 3; }, [](int x, int y) { return (x * y) % 4; });
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("level.png"), FIF_PNG));
  STX_Type names(temp.File("level.png").c_str());
  UStxImage image;
  ASSERT_TRUE(image.import(names, temp.File("level.png").c_str(), 8, 8, true, nullptr));
  EXPECT_EQ(image.GetTileNum(), 3);
  ASSERT_TRUE(image.save(names.GetFileFullName()));
  EXPECT_EQ(ReadFileBytes(temp.File("level.stx")).size(), 96u + 36u);

  UStxImage loaded;
  ASSERT_TRUE(loaded.load(temp.File("level.stx").c_str())) << loaded.GetError();
  EXPECT_TRUE(loaded.IsCreated());
  EXPECT_STREQ(loaded.GetTilePicName(), "level_tileset.png");
  EXPECT_EQ(MapOf(loaded), MapOf(image));
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      ASSERT_EQ(loaded.GetPixel(x, y), PixelAt(picture.get(), x, y)) << x << "," << y;
    }
  }
  ASSERT_TRUE(loaded.exportPicture(temp.File("again.bmp").c_str()));
  const TBitmap exported = ReadPicture(temp.File("again.bmp"));
  ASSERT_NE(exported, nullptr);
  EXPECT_EQ(PixelAt(exported.get(), 17, 9) & 0xFFFFFF, PixelAt(picture.get(), 17, 9) & 0xFFFFFF);
}

TEST(StxFileTest, CellsDrawTheirTileMirroredAndOutOfRangeTilesDrawNothing) {
  TempDir temp;
  const TBitmap picture = TiledPicture(
      3, 1, 4, [](int x, int) { return x; }, [](int, int) { return 0; });
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("t.png"), FIF_PNG));
  STX_Type names(temp.File("t.png").c_str());
  UStxImage image;
  ASSERT_TRUE(image.import(names, temp.File("t.png").c_str(), 4, 4, false, nullptr));
  image.GetMapData(0, 0) = 0x0C000002;
  image.GetMapData(1, 0) = 7;  // past the three tiles
  image.GetMapData(5, 5) = 1;  // outside the map: a scratch cell
  ASSERT_TRUE(image.save(names.GetFileFullName()));

  UStxImage loaded;
  ASSERT_TRUE(loaded.load(temp.File("t.stx").c_str()));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(loaded.GetPixel(x, y), TileColor(2, 3 - x, 3 - y));
      EXPECT_EQ(loaded.GetPixel(4 + x, y), 0u);
      EXPECT_EQ(loaded.GetPixel(8 + x, y), TileColor(2, x, y));
    }
  }
  // The tile set counted from its bottom row: tile 2's last row is row 0.
  EXPECT_EQ(loaded.GetTileSetPixel(1, 0), TileColor(2, 1, 3));
}

TEST(StxFileTest, APathWithoutDirectoryFindsItsTileSetInTheCurrentDirectory) {
  TempDir temp;
  const TBitmap picture = MakePicture(8, 8, [](int x, int y) { return TileColor(1, x, y); });
  CurrentDirectory here(temp.path());
  ASSERT_TRUE(SavePicture(picture.get(), "town.png", FIF_PNG));
  STX_Type names("town.png");
  UStxImage image;
  ASSERT_TRUE(image.import(names, "town.png", 8, 8, false, ""));
  ASSERT_TRUE(image.save("town.stx"));
  UStxImage loaded;
  EXPECT_TRUE(loaded.load("town.stx")) << loaded.GetError();
  EXPECT_TRUE(loaded.loadHeader("town.stx"));
  EXPECT_EQ(loaded.GetTileWidth(), 8);
}

TEST(StxFileTest, ImportIntoADirectoryAndNamesThatDoNotFit) {
  TempDir temp;
  const TBitmap picture = MakePicture(8, 8, [](int x, int y) { return TileColor(1, x, y); });
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("in.png"), FIF_PNG));
  STX_Type names("sheet", "png");
  UStxImage image;
  ASSERT_TRUE(image.import(names, temp.File("in.png").c_str(), 8, 8, false, temp.path().c_str()));
  EXPECT_TRUE(std::filesystem::exists(temp.File("sheet_tileset.png")));

  STX_Type longName((temp.path().string() + "/" + std::string(60, 'n')).c_str(), "png");
  EXPECT_FALSE(image.import(longName, temp.File("in.png").c_str(), 8, 8, false, nullptr));
  EXPECT_NE(image.GetError().find("63 bytes"), std::string::npos);
  EXPECT_FALSE(image.import(names, temp.File("missing.png").c_str(), 8, 8, false, nullptr));
}

TEST(StxFileTest, DamagedFilesFailBeforeAnythingIsAllocated) {
  TempDir temp;
  const TBitmap picture = MakePicture(8, 4, [](int x, int y) { return TileColor(3, x, y); });
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("g.png"), FIF_PNG));
  STX_Type names(temp.File("g.png").c_str());
  UStxImage image;
  ASSERT_TRUE(image.import(names, temp.File("g.png").c_str(), 4, 4, false, nullptr));
  ASSERT_TRUE(image.save(names.GetFileFullName()));
  const Bytes good = ReadFileBytes(temp.File("g.stx"));
  ASSERT_EQ(good.size(), 96u + 8u);

  struct Damage {
    const char* what;
    std::function<void(Bytes&)> apply;
  };
  const Damage damages[] = {
      {"tile width 0", [](Bytes& b) { PutLittleEndian(b, 16, 0); }},
      {"tile height 256", [](Bytes& b) { PutLittleEndian(b, 20, 256); }},
      {"width 0", [](Bytes& b) { PutLittleEndian(b, 4, 0); }},
      {"picture over the cap",
       [](Bytes& b) { PutLittleEndian(b, 4, 1u << 20), PutLittleEndian(b, 8, 1u << 20); }},
      {"map size disagrees", [](Bytes& b) { PutLittleEndian(b, 92, 12); }},
      {"offset", [](Bytes& b) { PutLittleEndian(b, 88, 100); }},
      {"wider picture, same map", [](Bytes& b) { PutLittleEndian(b, 4, 12); }},
      {"cut short", [](Bytes& b) { b.resize(b.size() - 1); }},
      {"header only", [](Bytes& b) { b.resize(50); }},
      {"extra bytes", [](Bytes& b) { b.push_back(0); }},
      {"unterminated name", [](Bytes& b) { std::memset(b.data() + 24, 'a', 64); }},
      {"name with a directory",
       [](Bytes& b) { std::memcpy(b.data() + 24, "../g_tileset.png", 17); }},
      {"missing tile set", [](Bytes& b) { std::memcpy(b.data() + 24, "none.png", 9); }},
      {"tile set narrower than a tile",
       [](Bytes& b) {
         PutLittleEndian(b, 16, 8);
         PutLittleEndian(b, 92, 4);
         b.resize(100);
       }},
  };
  for (const Damage& damage : damages) {
    Bytes bytes = good;
    damage.apply(bytes);
    WriteFileBytes(temp.File("bad.stx"), bytes);
    UStxImage loaded;
    EXPECT_FALSE(loaded.load(temp.File("bad.stx").c_str())) << damage.what;
    EXPECT_FALSE(loaded.GetError().empty()) << damage.what;
    EXPECT_EQ(loaded.GetMap(), nullptr) << damage.what;
  }
  UStxImage missing;
  EXPECT_FALSE(missing.load(temp.File("nothing.stx").c_str()));
  EXPECT_FALSE(missing.loadHeader(temp.File("nothing.stx").c_str()));
  UArchiveMemory empty(nullptr, 0);
  EXPECT_FALSE(missing.load(empty));
}

TEST(StxFileTest, SquareTileSetGrid) {
  TempDir temp;
  struct Case {
    int tiles;
    int columns;
    int rows;
  };
  for (const Case& c :
       {Case{1, 1, 1}, Case{4, 2, 2}, Case{5, 3, 2}, Case{7, 3, 3}, Case{10, 4, 3}}) {
    const TBitmap picture = TiledPicture(
        c.tiles, 1, 4, [](int x, int) { return x; }, [](int, int) { return 0; });
    UStxImage image;
    ASSERT_TRUE(image.import(picture.get(), 4, 4, false));
    const std::string path = temp.File("square" + std::to_string(c.tiles) + ".png");
    ASSERT_TRUE(image.ExportTileSetSquare(path.c_str()));
    const TBitmap sheet = ReadPicture(path);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(FreeImage_GetWidth(sheet.get()), 4u * c.columns) << c.tiles;
    EXPECT_EQ(FreeImage_GetHeight(sheet.get()), 4u * c.rows) << c.tiles;
    const int last = c.tiles - 1;
    EXPECT_EQ(PixelAt(sheet.get(), (last % c.columns) * 4 + 1, (last / c.columns) * 4 + 2),
              TileColor(last, 1, 2));
  }
  UStxImage empty;
  EXPECT_FALSE(empty.ExportTileSetSquare(temp.File("none.png").c_str()));
  EXPECT_FALSE(std::filesystem::exists(temp.File("none.png")));
}

TEST(StxPartsTest, OperationsThatLackTheMapOrTheTileSetNameFailWithAReason) {
  TempDir temp;
  const TBitmap picture = TiledPicture(
      2, 1, 4, [](int x, int) { return x; }, [](int, int) { return 0; });
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("h.png"), FIF_PNG));
  STX_Type names(temp.File("h.png").c_str());
  UStxImage full;
  ASSERT_TRUE(full.import(names, temp.File("h.png").c_str(), 4, 4, false, nullptr));
  const std::string stx = names.GetFileFullName();
  ASSERT_TRUE(full.save(stx.c_str()));

  // A header alone: its geometry is there, its map is not.
  UStxImage header;
  ASSERT_TRUE(header.loadHeader(stx.c_str()));
  EXPECT_EQ(header.GetMap(), nullptr);
  EXPECT_FALSE(header.setTileSet(FreeImage_Allocate(4, 8, 32)));
  EXPECT_FALSE(header.GetError().empty());
  EXPECT_FALSE(header.IsCreated());
  EXPECT_EQ(header.GetTileWidth(), 4);
  EXPECT_FALSE(header.save(temp.File("header.stx").c_str()));
  EXPECT_FALSE(header.GetError().empty());
  EXPECT_FALSE(header.exportPicture(temp.File("header.png").c_str()));
  EXPECT_FALSE(std::filesystem::exists(temp.File("header.stx")));
  EXPECT_FALSE(std::filesystem::exists(temp.File("header.png")));

  // A bitmap import has map and tile set but no tile-set file to name.
  UStxImage bitmap;
  ASSERT_TRUE(bitmap.import(picture.get(), 4, 4, false));
  EXPECT_FALSE(bitmap.save(temp.File("bitmap.stx").c_str()));
  EXPECT_FALSE(bitmap.GetError().empty());
  EXPECT_FALSE(std::filesystem::exists(temp.File("bitmap.stx")));
  EXPECT_TRUE(bitmap.exportPicture(temp.File("bitmap.png").c_str())) << bitmap.GetError();

  // Nothing at all.
  UStxImage empty;
  EXPECT_FALSE(empty.save(temp.File("empty.stx").c_str()));
  EXPECT_FALSE(empty.setTileSet(FreeImage_Allocate(4, 8, 32)));
  EXPECT_FALSE(empty.exportPicture(temp.File("empty.png").c_str()));

  // What save writes, load takes back; a map read from an archive takes a tile set later.
  UStxImage again;
  ASSERT_TRUE(again.load(stx.c_str())) << again.GetError();
  ASSERT_TRUE(again.save(temp.File("again.stx").c_str())) << again.GetError();
  const Bytes bytes = ReadFileBytes(temp.File("again.stx"));
  UArchiveMemory ar(bytes.data(), bytes.size());
  UStxImage fromArchive;
  ASSERT_TRUE(fromArchive.load(ar)) << fromArchive.GetError();
  EXPECT_FALSE(fromArchive.IsCreated());
  ASSERT_TRUE(fromArchive.setTileSet(FreeImage_ConvertTo32Bits(full.GetTileSet())));
  EXPECT_EQ(fromArchive.GetPixel(5, 1), TileColor(1, 1, 1));
}

TEST(StxFileTest, TileSetNamesMayReachIntoSubFoldersButNeverOutOfTheirFolder) {
  TempDir temp;
  const TBitmap picture = MakePicture(8, 4, [](int x, int y) { return TileColor(3, x, y); });
  std::filesystem::create_directory(temp.File("sets"));
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("sets/g.png"), FIF_PNG));
  STX_Type names(temp.File("sets/g.png").c_str());
  UStxImage image;
  ASSERT_TRUE(image.import(names, temp.File("sets/g.png").c_str(), 4, 4, false, nullptr));
  ASSERT_TRUE(image.save(temp.File("g.stx").c_str()));
  const Bytes good = ReadFileBytes(temp.File("g.stx"));

  struct Case {
    const char* name;
    bool loads;
  };
  const Case cases[] = {
      {"sets/g_tileset.png", true},    {"sets\\g_tileset.png", true},
      {"../g_tileset.png", false},     {"sets/../sets/g_tileset.png", false},
      {"/sets/g_tileset.png", false},  {"\\sets\\g_tileset.png", false},
      {"C:sets/g_tileset.png", false}, {"sets//g_tileset.png", false},
      {"./sets/g_tileset.png", false}, {"sets\\..\\g_tileset.png", false},
  };
  for (const Case& c : cases) {
    Bytes bytes = good;
    std::memset(bytes.data() + 24, 0, 64);
    std::memcpy(bytes.data() + 24, c.name, std::strlen(c.name));
    WriteFileBytes(temp.File("named.stx"), bytes);
    UStxImage loaded;
    EXPECT_EQ(loaded.load(temp.File("named.stx").c_str()), c.loads) << c.name;
    EXPECT_EQ(loaded.loadHeader(temp.File("named.stx").c_str()), c.loads) << c.name;
    if (c.loads) {
      EXPECT_EQ(loaded.GetTileWidth(), 4);
      // The name is kept as it was stored, and saved so again.
      EXPECT_STREQ(loaded.GetTilePicName(), c.name);
    }
  }
}

TEST(StxMapTest, WritesOnlyWhatItReadsBack) {
  TStxMap map;
  std::string error;
  UArchiveMemory nothing;
  EXPECT_FALSE(map.Write(nothing, error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(map.SetTileSetName("t.png", error));

  // Cells that do not fill the map change nothing.
  EXPECT_FALSE(map.Assign(8, 4, 4, 4, {1, 2, 3}, error));
  EXPECT_FALSE(map.HasHeader());
  EXPECT_FALSE(map.Assign(8, 4, 0, 4, {}, error));
  ASSERT_TRUE(map.Assign(9, 5, 4, 4, {0x08000001, 2}, error)) << error;
  EXPECT_FALSE(map.Write(nothing, error));
  for (const std::string& name :
       {std::string("../t.png"), std::string("C:\\t.png"), std::string(64, 'n'), std::string()}) {
    EXPECT_FALSE(map.SetTileSetName(name, error)) << name;
    EXPECT_FALSE(map.HasTileSetName());
  }
  EXPECT_TRUE(nothing.GetBuffer().empty());

  ASSERT_TRUE(map.SetTileSetName("sets/t.png", error)) << error;
  UArchiveMemory stored;
  ASSERT_TRUE(map.Write(stored, error));
  ASSERT_EQ(stored.GetBuffer().size(), 96u + 8u);
  UArchiveMemory source(stored.GetBuffer().data(), stored.GetBuffer().size());
  TStxMap back;
  ASSERT_TRUE(back.Read(source, error)) << error;
  EXPECT_EQ(back.GetWidth(), 9u);
  EXPECT_EQ(back.GetMapWidth(), 2);
  EXPECT_EQ(back.GetTileSetName(), "sets/t.png");
  ASSERT_NE(back.FindCell(0, 0), nullptr);
  EXPECT_EQ(*back.FindCell(0, 0), 0x08000001u);
  EXPECT_EQ(back.FindCell(2, 0), nullptr);

  // The header alone holds no cells and cannot be written.
  UArchiveMemory again(stored.GetBuffer().data(), stored.GetBuffer().size());
  ASSERT_TRUE(back.ReadHeader(again, error));
  EXPECT_TRUE(back.HasHeader());
  EXPECT_EQ(back.GetCells(), nullptr);
  EXPECT_EQ(back.FindCell(0, 0), nullptr);
  EXPECT_FALSE(back.Write(nothing, error));
  EXPECT_TRUE(nothing.GetBuffer().empty());
}

TEST(StxFileTest, PicturesThatAreNotRegularFilesAreRefusedAtOnce) {
  TempDir temp;
  const TBitmap picture = MakePicture(8, 8, [](int x, int y) { return TileColor(1, x, y); });
  ASSERT_TRUE(SavePicture(picture.get(), temp.File("in.png"), FIF_PNG));
  STX_Type names("sheet", "png");
  UStxImage image;
  EXPECT_TRUE(RefusesFifoAtOnce(temp.File("pipe.png"), [&] {
    return image.import(names, temp.File("pipe.png").c_str(), 8, 8, false, temp.path().c_str());
  }));

  // A map whose tile set was swapped for a FIFO.
  ASSERT_TRUE(image.import(names, temp.File("in.png").c_str(), 8, 8, false, temp.path().c_str()));
  ASSERT_TRUE(image.save(temp.File("sheet.stx").c_str()));
  const std::string tileSet = temp.File("sheet_tileset.png");
  ASSERT_TRUE(std::filesystem::remove(tileSet));
  EXPECT_TRUE(RefusesFifoAtOnce(tileSet, [&] {
    UStxImage loaded;
    return loaded.load(temp.File("sheet.stx").c_str());
  }));
}
