#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "core/anim/obj_action.h"
#include "exporter/export_drawing.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/quillet-cli/cli_runner.h"

namespace {

const std::string kExample = QUILLET_EXAMPLES_DIR "/hero.an1";

// What `render` writes for the picture at `tick`, as straight RGBA rows top first.
std::vector<uint8_t> RenderedRgba(const TempDir& dir, const std::string& driver, int actionIndex,
                                  const CExportAction& action, uint32_t tick, int scale) {
  const std::string out = dir.File("render.png");
  const CliRun run = RunCli(
      dir, "render " + Quoted(kExample) + " --driver " + driver + " --transparent --action " +
               std::to_string(actionIndex) + " --time " + std::to_string(tick) + " --zoom " +
               std::to_string(scale) + " --size " + std::to_string(action.canvasWidth) + "x" +
               std::to_string(action.canvasHeight) + " --pos " +
               std::to_string(action.originX / scale) + "," +
               std::to_string(action.originY / scale) + " --out " + Quoted(out));
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<uint8_t> rgba;
  FIBITMAP* bitmap = FreeImage_Load(FIF_PNG, out.c_str(), PNG_DEFAULT);
  if (bitmap == nullptr) {
    return rgba;
  }
  const int height = static_cast<int>(FreeImage_GetHeight(bitmap));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = FreeImage_GetScanLine(bitmap, height - 1 - y);
    for (unsigned x = 0; x < FreeImage_GetWidth(bitmap); ++x) {
      const uint8_t* pixel = row + x * 4;
      rgba.insert(rgba.end(), {pixel[FI_RGBA_RED], pixel[FI_RGBA_GREEN], pixel[FI_RGBA_BLUE],
                               pixel[FI_RGBA_ALPHA]});
    }
  }
  FreeImage_Unload(bitmap);
  return rgba;
}

class ExportDrawingOnDriverTest : public testing::TestWithParam<std::string> {};

TEST_P(ExportDrawingOnDriverTest, EveryTickIsWhatRenderDrawsOnOneCanvasWithCarriedDurations) {
  TempDir dir;
  CDrawOptions options;
  options.driver = GetParam();
  options.scale = 2;
  options.fps = 7.0;
  CExportDocument document;
  std::string error;
  ASSERT_TRUE(DrawExport(kExample, options, &document, &error)) << error;
  ASSERT_EQ(document.actions.size(), 2u);
  for (size_t a = 0; a < document.actions.size(); ++a) {
    const CExportAction& action = document.actions[a];
    // Keys at 0 and 16: seventeen ticks, lasting 17000 / 7 ms.
    ASSERT_EQ(action.pictures.size(), 17u) << action.name;
    uint32_t total = 0;
    for (size_t i = 0; i < action.pictures.size(); ++i) {
      const CExportPicture& picture = action.pictures[i];
      EXPECT_EQ(picture.tick, i);
      EXPECT_TRUE(picture.durationMs == 142 || picture.durationMs == 143);
      total += picture.durationMs;
      EXPECT_FALSE(picture.frameName.empty());
      EXPECT_EQ(picture.rgba.size(),
                static_cast<size_t>(action.canvasWidth) * action.canvasHeight * 4);
    }
    EXPECT_EQ(total, 2429u);
    EXPECT_EQ(action.originX % 2, 0);
    for (const size_t i : {size_t{0}, size_t{3}, size_t{8}, size_t{16}}) {
      EXPECT_EQ(action.pictures[i].rgba, RenderedRgba(dir, GetParam(), static_cast<int>(a), action,
                                                      static_cast<uint32_t>(i), 2))
          << action.name << " tick " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Drivers, ExportDrawingOnDriverTest, testing::Values("gdi", "accel"));

TEST(ExportDrawingTest, KeysOnlyChosenActionsAndFailures) {
  TempDir dir;
  CDrawOptions options;
  options.actions = {"walk"};
  options.keysOnly = true;
  CExportDocument document;
  std::string error;
  ASSERT_TRUE(DrawExport(kExample, options, &document, &error)) << error;
  ASSERT_EQ(document.actions.size(), 1u);
  std::vector<uint32_t> ticks;
  for (const CExportPicture& picture : document.actions[0].pictures) {
    ticks.push_back(picture.tick);
  }
  EXPECT_EQ(ticks, (std::vector<uint32_t>{0, 4, 8, 12, 16}));

  options.actions = {"run"};
  EXPECT_FALSE(DrawExport(kExample, options, &document, &error));
  EXPECT_NE(error.find("'run'"), std::string::npos);

  options.actions.clear();
  options.maxSize = 8;
  EXPECT_FALSE(DrawExport(kExample, options, &document, &error));
  EXPECT_NE(error.find("larger"), std::string::npos) << error;

  options.maxSize = 2048;
  options.keysOnly = false;
  UObjActor far;
  ASSERT_TRUE(LoadActorFile(kExample.c_str(), far));
  far.actions[0]->keys[2].time = 4000000000u;
  ASSERT_TRUE(SaveActorFile(dir.File("far.an1").c_str(), far));
  EXPECT_FALSE(DrawExport(dir.File("far.an1"), options, &document, &error));
  EXPECT_NE(error.find("spans more than"), std::string::npos) << error;

  // The document alone, without its texture beside it.
  std::filesystem::copy_file(kExample, dir.File("hero.an1"));
  EXPECT_FALSE(DrawExport(dir.File("hero.an1"), options, &document, &error));
  EXPECT_NE(error.find("hero.png"), std::string::npos) << error;
}

}  // namespace
