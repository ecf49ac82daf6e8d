#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "tests/support/model_records.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/quillet-cli/cli_runner.h"

namespace {

constexpr int kTextureSize = 32;

// A texel of the test texture: every texel differs, all opaque, none magenta.
uint32_t Texel(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 8) << 16 | static_cast<uint32_t>(y * 8) << 8 |
         0x40u;
}

void WriteTexture(const std::string& path) {
  FIBITMAP* bitmap = FreeImage_Allocate(kTextureSize, kTextureSize, 32);
  for (int y = 0; y < kTextureSize; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(bitmap, kTextureSize - 1 - y));
    for (int x = 0; x < kTextureSize; ++x) {
      row[x] = Texel(x, y);
    }
  }
  ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_DEFAULT));
  FreeImage_Unload(bitmap);
}

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows top first

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

Picture ReadPng(const std::string& path) {
  Picture picture;
  FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, path.c_str(), PNG_DEFAULT);
  if (bitmap == nullptr) {
    return picture;
  }
  EXPECT_EQ(FreeImage_GetBPP(bitmap), 32u);
  picture.width = static_cast<int>(FreeImage_GetWidth(bitmap));
  picture.height = static_cast<int>(FreeImage_GetHeight(bitmap));
  for (int y = 0; y < picture.height; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(FreeImage_GetScanLine(bitmap, picture.height - 1 - y));
    picture.pixels.insert(picture.pixels.end(), row, row + picture.width);
  }
  FreeImage_Unload(bitmap);
  return picture;
}

// One texture "sprite.png"; module (2, 4)-(18, 12); frame 0 with origin (3, 1) places the module
// at (0, 0), frame 1 at (8, 0) mirrored left-right; one action blending from frame 0 to a copy of
// it moved 8 pixels right (keys at 0 and 4). Frame 3 holds placements whose scales reach far
// past the int range, as a damaged or hostile document may: their edges saturate at its limits.
void WriteDocument(const std::string& path) {
  UObjActor actor;
  TTextureInfo texture;
  std::strcpy(texture.name, "sprite.png");
  texture.width = kTextureSize;
  texture.height = kTextureSize;
  actor.AddTexture(texture);
  actor.AddModule(new UObjModule(Module(0, 2, 4, 18, 12)));
  auto* still = new UObjFrame;
  still->origin = UPoint16(3, 1);
  still->AddModule(0, 0, 0);
  actor.AddFrame(still);
  auto* mirrored = new UObjFrame(*still);
  mirrored->placements[0].x = 8;
  mirrored->placements[0].affine.FlipX = 1;
  actor.AddFrame(mirrored);
  auto* moved = new UObjFrame(*still);
  moved->placements[0].x = 8;
  actor.AddFrame(moved);
  auto* huge = new UObjFrame;
  const float scales[][2] = {{1e30f, 1e30f}, {-1e30f, -3e9f}, {3e9f, -1e30f}, {NAN, INFINITY}};
  for (const auto& scale : scales) {
    huge->AddModule(0, 5, 5);
    TObjFrame& placement = huge->placements.back();
    placement.affine.ScaleXEnable = 1;
    placement.affine.ScaleYEnable = 1;
    placement.ScaleX = scale[0];
    placement.ScaleY = scale[1];
    placement.affine.RotateAngleEnable = 1;
    placement.RotateAngle = 30.0f;
    placement.affine.FlipX = 1;
  }
  actor.AddFrame(huge);
  auto* action = new UObjAction;
  action->keys.push_back(TActionFrame{0, 0, 0, 0});
  action->keys.push_back(TActionFrame{4, 2, 0, 0});
  actor.AddAction(action);
  ASSERT_TRUE(SaveActorFile(path.c_str(), actor));
}

// Every case runs through both drivers, which must show the same texels.
class RenderTest : public ::testing::TestWithParam<const char*> {
 protected:
  RenderTest() : doc(dir.File("doc.an1")), out(dir.File("out.png")) {
    WriteTexture(dir.File("sprite.png"));
    WriteDocument(doc);
  }

  // The module's texels with its top-left corner at (left, top) of the picture, optionally
  // mirrored; `background` everywhere else, or, with no background given, any opaque colour.
  void ExpectSprite(const Picture& picture, int left, int top, bool mirror,
                    std::optional<uint32_t> background) {
    ASSERT_EQ(picture.width, 40);
    ASSERT_EQ(picture.height, 30);
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        const int u = x - left;
        const int v = y - top;
        const bool inside = u >= 0 && u < 16 && v >= 0 && v < 8;
        if (inside) {
          ASSERT_EQ(picture.At(x, y), Texel(2 + (mirror ? 15 - u : u), 4 + v))
              << "at " << x << "," << y;
        } else if (background) {
          ASSERT_EQ(picture.At(x, y), *background) << "at " << x << "," << y;
        } else {
          ASSERT_EQ(picture.At(x, y) >> 24, 0xFFu) << "at " << x << "," << y;
        }
      }
    }
  }

  // Runs `render DOC ARGS --driver D`.
  CliRun Render(const std::string& args) {
    return RunCli(dir, "render " + Quoted(doc) + " " + args + " --driver " + GetParam());
  }

  TempDir dir;
  std::string doc;
  std::string out;
};

}  // namespace

TEST_P(RenderTest, FrameDrawsTheModuleTexelsWithTransparentSurroundings) {
  const CliRun run = Render(std::string("--frame 0 --size 40x30 --pos 5,6") +
                            " --transparent --out " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectSprite(ReadPng(out), 8, 7, false, 0x00000000u);
}

TEST_P(RenderTest, MirroredFrameOnAnOpaqueBackground) {
  const CliRun run = Render(std::string("--frame 1 --size 40x30 --pos 0,0") +
                            " --background 0xFF102030 --out " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  const Picture picture = ReadPng(out);
  ExpectSprite(picture, 11, 1, true, std::nullopt);
  EXPECT_EQ(picture.At(0, 0), 0xFF102030u);
  if (std::string(GetParam()) == "gdi") {
    // The GDI-style clear is a gradient from the background colour at the top to white.
    EXPECT_GT(picture.At(39, 29) & 0xFFu, 0xF0u);
  } else {
    EXPECT_EQ(picture.At(39, 29), 0xFF102030u);
  }
}

TEST_P(RenderTest, InBetweenIsDrawnWhereTheBlendPutsIt) {
  // A quarter of the way from x 0 to x 8.
  const CliRun run = Render(std::string("--action 0 --time 1 --size 40x30 --pos 0,0") +
                            " --transparent --out " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  ExpectSprite(ReadPng(out), 5, 1, false, 0x00000000u);
}

TEST_P(RenderTest, ZoomDoublesEveryTexel) {
  const CliRun run = Render(std::string("--frame 0 --size 40x30 --pos 0,0") +
                            " --zoom 2 --transparent --out " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  const Picture picture = ReadPng(out);
  ASSERT_EQ(picture.width, 40);
  EXPECT_EQ(picture.At(6, 2), Texel(2, 4));
  EXPECT_EQ(picture.At(7, 3), Texel(2, 4));
  EXPECT_EQ(picture.At(8, 2), Texel(3, 4));
  EXPECT_EQ(picture.At(5, 2), 0u);
}

TEST_P(RenderTest, PlacementsScaledBeyondTheIntRangeDrawWithoutOverflow) {
  // Every edge and every centre of such a placement leaves the int range when computed in it:
  // sums of edges at any zoom, zoomed edges at the largest zoom. The sanitizer build of this test
  // catches that.
  for (const char* zoom : {"1", "8"}) {
    SCOPED_TRACE(zoom);
    const CliRun run = Render(std::string("--frame 3 --size 40x30 --pos 7,9 --zoom ") + zoom +
                              " --transparent --out " + Quoted(out));
    ASSERT_EQ(run.status, 0) << run.err;
    const Picture picture = ReadPng(out);
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
  }
}

TEST_P(RenderTest, MissingTexturesAndBadOptionsAreErrors) {
  TempDir elsewhere;
  CliRun run = Render(std::string("--frame 0 --textures ") + Quoted(elsewhere.path().string()) +
                      " --out " + Quoted(out));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("sprite.png"), std::string::npos) << run.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  for (const std::string& options :
       {std::string("--frame 0"), std::string("--frame 0 --out x.png --size 0x5"),
        std::string("--frame 0 --out x.png --zoom 9"),
        std::string("--frame 0 --out x.png --background red"),
        std::string("--frame 0 --out x.png --background 0x-1"),
        std::string("--frame 0 --out x.png --background 0x0x12"),
        std::string("--frame 0 --out x.png --background '0x 12'"),
        std::string("--frame 7 --out x.png")}) {
    run = Render(options);
    EXPECT_EQ(run.status, 2) << options;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << options << ": " << run.err;
  }
  run = RunCli(dir, "render " + Quoted(doc) + " --frame 0 --out x.png --driver vulkan");
  EXPECT_EQ(run.status, 2);
}

TEST_P(RenderTest, TexturesAreLookedUpByTheirFileNameInTheFolder) {
  std::filesystem::create_directory(dir.File("sub"));
  const struct {
    const char* name;
    std::string folder;
    int status;
  } cases[] = {{"../sprite.png", dir.File("sub"), 1}, {"C:\\art\\sprite.png", dir.File(""), 0}};
  for (const auto& c : cases) {
    UObjActor actor;
    ASSERT_TRUE(LoadActorFile(doc.c_str(), actor));
    std::strcpy(actor.textures[0].name, c.name);
    ASSERT_TRUE(SaveActorFile(doc.c_str(), actor));
    const CliRun run = Render("--frame 0 --textures " + Quoted(c.folder) + " --out " + Quoted(out));
    EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
  }
}

TEST_P(RenderTest, AFullDiskIsAnErrorAndAnEarlierPictureStays) {
  CliRun run = Render("--frame 0 --size 40x30 --out /dev/full");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("/dev/full"), std::string::npos) << run.err;

  // A picture already at the target is replaced whole, never truncated first.
  run = Render("--frame 0 --size 40x30 --transparent --out " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  const std::vector<unsigned char> first = ReadFileBytes(out);
  const auto entries = [&] {
    return std::distance(std::filesystem::directory_iterator(dir.path()),
                         std::filesystem::directory_iterator());
  };
  const auto before = entries();
  run = Render("--frame 1 --size 40x30 --transparent --out " + Quoted(out));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadFileBytes(out), first);
  EXPECT_EQ(entries(), before);  // no temporary file left beside it
}

INSTANTIATE_TEST_SUITE_P(Drivers, RenderTest, ::testing::Values("gdi", "accel"));
