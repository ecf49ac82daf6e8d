#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "core/anim/obj_action.h"
#include "exporter/export_drawing.h"
#include "exporter/picture_trim.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/quillet-cli/cli_runner.h"
#include "tools/quillet-cli/png_output.h"

namespace {

const std::string kExample = QUILLET_EXAMPLES_DIR "/hero.an1";

// Whether `render` writes the same PNG file for the picture at `tick` as the picture makes.
bool RenderWritesPicture(const TempDir& dir, const std::string& driver, size_t actionIndex,
                         const CExportAction& action, size_t tick) {
  const std::string out = dir.File("render.png");
  const CliRun run =
      RunCli(dir, "render " + Quoted(kExample) + " --driver " + driver + " --transparent --zoom 2" +
                      " --action " + std::to_string(actionIndex) + " --time " +
                      std::to_string(tick) + " --size " + std::to_string(action.canvasWidth) + "x" +
                      std::to_string(action.canvasHeight) + " --pos " +
                      std::to_string(action.originX / 2) + "," +
                      std::to_string(action.originY / 2) + " --out " + Quoted(out));
  std::vector<uint8_t> bgra =
      CanvasPixels(*action.pictures[tick].bits, action.canvasWidth, action.canvasHeight);
  for (size_t i = 0; i < bgra.size(); i += 4) {
    std::swap(bgra[i], bgra[i + 2]);
  }
  std::string error;
  return run.status == 0 &&
         WritePng(dir.File("drawn.png"), action.canvasWidth, action.canvasHeight, bgra, error) &&
         ReadFileBytes(out) == ReadFileBytes(dir.File("drawn.png"));
}

class ExportDrawingOnDriverTest : public testing::TestWithParam<std::string> {};

TEST_P(ExportDrawingOnDriverTest, EveryTickIsWhatRenderDrawsOnOneCanvasWithCarriedDurations) {
  TempDir dir;
  CDrawOptions options;
  options.driver = GetParam();
  options.scale = 2;  // the zoom RenderWritesPicture asks for
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
    }
    EXPECT_EQ(total, 2429u);
    EXPECT_EQ(action.originX % 2, 0);
    for (const size_t tick : {0, 3, 8, 16}) {
      EXPECT_TRUE(RenderWritesPicture(dir, GetParam(), a, action, tick)) << action.name << tick;
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
  ASSERT_EQ(document.actions[0].pictures.size(), 5u);
  EXPECT_EQ(document.actions[0].pictures[3].tick, 12u);

  // Without --fps the rate is the editor's, from "anmcfg.ini" in the current folder: 1000 ms a key
  // at 4 ticks a key and 4 ticks a second.
  {
    const CurrentDirectory inDir(dir.path());
    const std::string ini = "[SETTING]\nfps=4\n";
    WriteFileBytes(dir.File("anmcfg.ini"), {ini.begin(), ini.end()});
    ASSERT_TRUE(DrawExport(kExample, options, &document, &error)) << error;
    EXPECT_EQ(document.actions[0].pictures[0].durationMs, 1000u);
  }

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
}

}  // namespace
