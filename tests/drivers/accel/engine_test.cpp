#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivers/accel/engine/gl_objects.h"
#include "tests/drivers/accel/accel_fixture.h"

class RwEngineTest : public AccelTest {
 protected:
  std::string WriteTexture(const std::string& name, uint32_t color) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WritePng(path, PngFromArgb(2, 2, std::vector<uint32_t>(4, color))));
    return path;
  }
};

TEST_F(RwEngineTest, ATextureIsSharedByNameAndDestroyedWithItsLastReference) {
  const std::string path = WriteTexture("shared.png", 0xFF112233u);
  const int before = RwGlLiveObjectCount();
  USurface* first = util_.CreateUSurfaceFromFile(path.c_str(), 0, 0);
  USurface* second = util_.CreateUSurfaceFromFile(path.c_str(), 0, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  RwTexture* texture = static_cast<USurfaceRw*>(first)->GetTexture();
  EXPECT_EQ(static_cast<USurfaceRw*>(second)->GetTexture(), texture);
  EXPECT_EQ(texture->GetRefCount(), 2);
  EXPECT_EQ(RwGlLiveObjectCount(), before + 1);  // one GL texture for both

  // Release gives up one reference, once: a second call gives up nothing more.
  EXPECT_TRUE(first->Release());
  EXPECT_TRUE(first->Release());
  EXPECT_EQ(texture->GetRefCount(), 1);
  EXPECT_EQ(RwGlLiveObjectCount(), before + 1);
  EXPECT_EQ(first->GetWidth(), 0);
  delete first;

  EXPECT_TRUE(second->Release());
  delete second;
  EXPECT_EQ(RwGlLiveObjectCount(), before);
  EXPECT_TRUE(util_.GetEngine()->GetCurrentTexDictionary()->GetTextures().empty());
}

TEST_F(RwEngineTest, ResetTexDictLetsTheNextReadDecodeAfreshAndKeepsTheOldTexture) {
  const std::string a = WriteTexture("a.png", 0xFF0000FFu);
  const std::string b = WriteTexture("b.png", 0xFF00FF00u);
  USurface* first = util_.CreateUSurfaceFromFile(a.c_str(), 0, 0);
  USurface* other = util_.CreateUSurfaceFromFile(b.c_str(), 0, 0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(other, nullptr);
  surfaces_ = {first, other};
  RwTexDictionary* dictionary = util_.GetEngine()->GetCurrentTexDictionary();
  ASSERT_EQ(dictionary->GetTextures().size(), 2u);
  EXPECT_EQ(dictionary->GetTextures()[0]->GetName(), a);  // in the order they were read
  EXPECT_EQ(dictionary->GetTextures()[1]->GetName(), b);

  canvas_.ResetTexDict();
  EXPECT_TRUE(dictionary->GetTextures().empty());
  // The file changed on disk: a read after the reset sees the new pixels.
  WriteTexture("a.png", 0xFFFF0000u);
  USurface* again = util_.CreateUSurfaceFromFile(a.c_str(), 0, 0);
  ASSERT_NE(again, nullptr);
  surfaces_.push_back(again);
  EXPECT_NE(static_cast<USurfaceRw*>(again)->GetTexture(),
            static_cast<USurfaceRw*>(first)->GetTexture());
  EXPECT_EQ(static_cast<USurfaceRw*>(first)->GetTexture()->GetRefCount(), 1);

  const URect left(0, 0, 2, 2);
  const URect right(2, 0, 4, 2);
  canvas_.SetBackGroundColor(0xFF000000u);
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawSurface(&left, first, &left, nullptr);
  canvas_.DrawSurface(&right, again, &left, nullptr);
  canvas_.Present();
  const std::vector<uint32_t> picture = Picture();
  EXPECT_EQ(At(picture, 1, 1), 0xFF0000FFu);
  EXPECT_EQ(At(picture, 3, 1), 0xFFFF0000u);
}

TEST_F(RwEngineTest, DeInitLeavesNoGlObjectBehindEvenForSurfacesStillHeld) {
  USurface* held =
      util_.CreateUSurfaceFromFile(WriteTexture("held.png", 0xFF123456u).c_str(), 0, 0);
  ASSERT_NE(held, nullptr);
  USurface* blank = util_.CreateUSurface(8, 8, 0);
  ASSERT_NE(blank, nullptr);
  EXPECT_GT(RwGlLiveObjectCount(), 0);

  // The editor's order: canvas first, then the factory; the surfaces outlive both here.
  EXPECT_EQ(canvas_.Release(), 1);
  EXPECT_EQ(util_.DeInit(), 1);
  EXPECT_EQ(RwGlLiveObjectCount(), 0);
  // Surfaces released afterwards free their memory and touch no GL.
  EXPECT_TRUE(held->Release());
  EXPECT_TRUE(blank->Release());
  delete held;
  delete blank;
  EXPECT_EQ(RwGlLiveObjectCount(), 0);
  EXPECT_EQ(canvas_.Clear(), 0);  // no camera any more
}

TEST_F(RwEngineTest, DeInitBeforeTheCanvasIsReleasedIsSafe) {
  ASSERT_EQ(canvas_.Clear(), 1);  // mid-frame
  EXPECT_EQ(util_.DeInit(), 1);
  EXPECT_EQ(RwGlLiveObjectCount(), 0);
  canvas_.DrawLine(0, 0, 5, 5, 0xFFFFFFFFu, 1);
  EXPECT_EQ(canvas_.Present(), 1);
  EXPECT_EQ(canvas_.Clear(), 0);
  EXPECT_EQ(canvas_.Release(), 1);
}

TEST_F(RwEngineTest, OneEngineAtATimeAndOnlyWithAContext) {
  UCanvasUtilRw second;
  EXPECT_EQ(second.Init(&host_), 0);
  EXPECT_EQ(second.CreateUSurface(4, 4, 0), nullptr);
  UCanvasUtilRw windowless;
  EXPECT_EQ(windowless.Init(nullptr), 0);
  UCanvasRw canvas;
  EXPECT_FALSE(canvas.CreateCanvas(&second, 10, 10));  // its engine is not open
  EXPECT_FALSE(canvas.CreateCanvas(nullptr, 10, 10));
  EXPECT_EQ(canvas.Clear(), 0);

  // Once the first factory is done, another may start.
  canvas_.Release();
  util_.DeInit();
  EXPECT_EQ(second.Init(&host_), 1);
  EXPECT_TRUE(canvas.CreateCanvas(&second, 10, 10));
  EXPECT_EQ(canvas.Clear(), 1);
  EXPECT_EQ(canvas.Present(), 1);
  canvas.Release();
  second.DeInit();
  EXPECT_EQ(RwGlLiveObjectCount(), 0);
}

TEST_F(RwEngineTest, UnreadableFilesGiveNoSurface) {
  const std::string garbage = dir_.File("garbage.png");
  WriteFileBytes(garbage, {1, 2, 3, 4, 5});
  const std::string unknown = dir_.File("picture.tga");
  WriteFileBytes(unknown, {0, 0, 2, 0});
  for (const std::string& path :
       {garbage, unknown, dir_.File("missing.bmp"), dir_.path().string(), std::string()}) {
    EXPECT_EQ(util_.CreateUSurfaceFromFile(path.c_str(), 0, 0), nullptr) << path;
  }
  EXPECT_EQ(util_.CreateUSurfaceFromFile(nullptr, 0, 0), nullptr);
  EXPECT_TRUE(util_.GetEngine()->GetCurrentTexDictionary()->GetTextures().empty());
}

namespace {

// A window whose GL context can be lost, as when the widget that owned it is gone.
class LosableHost : public UEglWindowHost {
 public:
  using UEglWindowHost::UEglWindowHost;
  bool MakeContextCurrent() override { return !lost && UEglWindowHost::MakeContextCurrent(); }
  bool lost = false;
};

}  // namespace

TEST(RwEngineLostContextTest, ClosingWithoutTheContextForgetsItsGlObjectsAndLaterCallsAreSafe) {
  LosableHost host(16, 16);
  ASSERT_TRUE(host.IsValid()) << "no surfaceless EGL context with OpenGL 3.3 core";
  const int before = RwGlLiveObjectCount();
  UCanvasUtilRw util;
  UCanvasRw canvas;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    host.lost = false;
    ASSERT_EQ(util.Init(&host), 1);
    ASSERT_EQ(canvas.Init(&host), 1);
    ASSERT_TRUE(canvas.CreateCanvas(&util, 16, 16));
    USurface* blank = util.CreateUSurface(4, 4, 0);
    ASSERT_NE(blank, nullptr);
    RwRaster* raster = static_cast<USurfaceRw*>(blank)->GetTexture()->GetRaster();
    ASSERT_EQ(canvas.Clear(), 1);  // mid-frame
    const URect whole(0, 0, 4, 4);
    canvas.DrawSurface(&whole, blank, &whole, nullptr);
    EXPECT_GT(RwGlLiveObjectCount(), before);

    // The context goes first; the factory closes without it.
    host.lost = true;
    EXPECT_EQ(util.DeInit(), 1);
    EXPECT_EQ(RwGlLiveObjectCount(), before);
    EXPECT_EQ(raster->GetEngine(), nullptr);
    EXPECT_EQ(raster->GetGlTexture(), 0u);
    // Everything the surface and the canvas still offer fails or does nothing.
    EXPECT_FALSE(blank->Clear(0xFF00FF00u));
    std::vector<uint32_t> pixels(16);
    EXPECT_FALSE(raster->GetPixels(pixels.data()));
    canvas.DrawLine(0, 0, 5, 5, 0xFFFFFFFFu, 1);
    EXPECT_EQ(canvas.Present(), 1);
    EXPECT_EQ(canvas.Clear(), 0);
    EXPECT_EQ(canvas.Release(), 1);
    EXPECT_TRUE(blank->Release());
    delete blank;
    // The next round opens the same factory again: the engine starts afresh.
    EXPECT_EQ(RwGlLiveObjectCount(), before);
  }
}
