#include <gtest/gtest.h>

#include <memory>
#include <variant>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/canvas/recording_canvas.h"

namespace {

// An actor with one texture, one module (10, 20)-(42, 36) on it, and a frame with origin
// (100, 50) placing the module at (5, -3).
class FrameRenderTest : public ::testing::Test {
 protected:
  FrameRenderTest() : texture(0, 64, 64) {
    TTextureInfo info;
    info.width = 64;
    info.height = 64;
    actor.AddTexture(info);
    auto* module = new UObjModule;
    module->left = 10;
    module->top = 20;
    module->right = 42;
    module->bottom = 36;
    actor.AddModule(module);
    frame = new UObjFrame;
    frame->origin = UPoint16(100, 50);
    frame->AddModule(0, 5, -3);
    actor.AddFrame(frame);
    surfaces.push_back(&texture);
  }

  TObjFrame& Placement() { return frame->placements[0]; }

  std::vector<URecordedSurfaceDraw> Draws() const {
    std::vector<URecordedSurfaceDraw> draws;
    for (const URecordedCall& call : canvas.GetCalls()) {
      draws.push_back(std::get<URecordedSurfaceDraw>(call));
    }
    return draws;
  }

  URecordedSurfaceDraw OnlyDraw() {
    canvas.ForgetCalls();
    actor.RenderFrame(&canvas, &surfaces, UPoint(0, 0), 0);
    const std::vector<URecordedSurfaceDraw> draws = Draws();
    EXPECT_EQ(draws.size(), 1u);
    return draws.empty() ? URecordedSurfaceDraw{} : draws[0];
  }

  UObjActor actor;
  UObjFrame* frame;
  URecordingSurface texture;
  UArray<USurface*> surfaces;
  URecordingCanvas canvas;
};

void ExpectRect(const std::optional<URect>& rect, int left, int top, int right, int bottom) {
  ASSERT_TRUE(rect.has_value());
  EXPECT_EQ(rect->left, left);
  EXPECT_EQ(rect->top, top);
  EXPECT_EQ(rect->right, right);
  EXPECT_EQ(rect->bottom, bottom);
}

}  // namespace

TEST_F(FrameRenderTest, PlainPlacementCutsTheModuleAndAddsTheOrigin) {
  const URecordedSurfaceDraw draw = OnlyDraw();
  EXPECT_EQ(draw.surface, &texture);
  ExpectRect(draw.src, 10, 20, 42, 36);
  ExpectRect(draw.dst, 105, 47, 137, 63);
  ASSERT_TRUE(draw.fx.has_value());  // passed even without effects
  EXPECT_EQ(draw.fx->size, 16u);
  EXPECT_EQ(draw.fx->flags, 0u);
}

TEST_F(FrameRenderTest, ScaleMovesOnlyTheFarEdges) {
  Placement().affine.ScaleXEnable = 1;
  Placement().ScaleX = 1.5f;
  ExpectRect(OnlyDraw().dst, 105, 47, 153, 63);
  Placement().ScaleX = 0.3f;
  ExpectRect(OnlyDraw().dst, 105, 47, 114, 63);
  Placement().affine.ScaleYEnable = 1;
  Placement().ScaleY = 2.0f;
  ExpectRect(OnlyDraw().dst, 105, 47, 114, 79);
  Placement().ScaleY = -1.0f;  // a mirror by scale keeps the top edge
  ExpectRect(OnlyDraw().dst, 105, 47, 114, 31);
}

TEST_F(FrameRenderTest, EffectsCarryEveryBitThePlacementAsksFor) {
  const struct {
    WObjAffine affine;
    uint32_t flags;
  } cases[] = {
      {{.FlipX = 1, .Rotate = 2}, 0x12},
      {{.FlipY = 1}, 0x4},
      {{.Rotate = 1}, 0x40},
      {{.Rotate = 3}, 0x20},
      {{.RotateAngleEnable = 1}, 0x80},
      {{.AlphaBlendEnable = 1}, 0x100},
      {{.AlphaBlendMode = 5, .AlphaBlendOP = 2, .Reserved = 1}, 0},
  };
  Placement().RotateAngle = 33.5f;
  Placement().AlphaValue = 0x1234;
  for (const auto& c : cases) {
    Placement().affine = c.affine;
    const URecordedSurfaceDraw draw = OnlyDraw();
    ASSERT_TRUE(draw.fx.has_value());
    EXPECT_EQ(draw.fx->flags, c.flags);
    if ((c.flags & BLTFX_ROTATE) != 0) {
      EXPECT_EQ(draw.fx->angle, 33.5f);
    }
    if ((c.flags & BLTFX_COLOR) != 0) {
      EXPECT_EQ(draw.fx->color, 0x34FFFFFFu);
    }
  }
}

TEST_F(FrameRenderTest, PlacementsDrawInListOrderAtThePosition) {
  frame->AddModule(0, 0, 0);
  actor.RenderFrame(&canvas, &surfaces, UPoint(-100, 7), 0);
  const std::vector<URecordedSurfaceDraw> draws = Draws();
  ASSERT_EQ(draws.size(), 2u);
  ExpectRect(draws[0].dst, 5, 54, 37, 70);
  ExpectRect(draws[1].dst, 0, 57, 32, 73);
}

TEST_F(FrameRenderTest, BadReferencesAreSkipped) {
  frame->AddModule(7, 0, 0);  // no such module
  auto* stray = new UObjModule;
  stray->texture = 3;  // no such texture
  actor.AddModule(stray);
  frame->AddModule(1, 0, 0);
  auto* unloaded = new UObjModule;  // texture 0, whose surface failed to load
  actor.AddModule(unloaded);
  actor.RenderFrame(&canvas, &surfaces, UPoint(0, 0), 0);
  EXPECT_EQ(Draws().size(), 1u);

  canvas.ForgetCalls();
  UArray<USurface*> missing = {nullptr};
  actor.RenderFrame(&canvas, &missing, UPoint(0, 0), 0);
  EXPECT_TRUE(canvas.GetCalls().empty());
  actor.RenderFrame(&canvas, nullptr, UPoint(0, 0), 0);
  actor.RenderFrame(nullptr, &surfaces, UPoint(0, 0), 0);
}

TEST_F(FrameRenderTest, FrameIndexOutsideTheListDrawsNothing) {
  actor.RenderFrame(&canvas, &surfaces, UPoint(0, 0), 1);
  actor.RenderFrame(&canvas, &surfaces, UPoint(0, 0), -1);
  EXPECT_TRUE(canvas.GetCalls().empty());
  EXPECT_EQ(actor.current, nullptr);
}

TEST_F(FrameRenderTest, ActionsDrawTheKeyFrameOrTheBlendWithItsOrigin) {
  auto* second = new UObjFrame(*frame);
  second->origin = UPoint16(110, 70);
  second->placements[0].x = 15;
  actor.AddFrame(second);
  auto* action = new UObjAction;
  action->keys.push_back(TActionFrame{0, 0, 0, 0});
  action->keys.push_back(TActionFrame{10, 1, 0, 0});
  actor.AddAction(action);
  actor.SetIntroploate();

  actor.Render(&canvas, &surfaces, UPoint(0, 0), 0, -0.5f);
  EXPECT_TRUE(canvas.GetCalls().empty());

  actor.Render(&canvas, &surfaces, UPoint(0, 0), 0, 0.0f);
  ExpectRect(Draws().at(0).dst, 105, 47, 137, 63);
  EXPECT_EQ(actor.current, frame);

  canvas.ForgetCalls();
  actor.Render(&canvas, &surfaces, UPoint(0, 0), 0, 5.0f);
  // Halfway: placement x 10, origin (105, 60).
  ExpectRect(Draws().at(0).dst, 115, 57, 147, 73);
  EXPECT_EQ(actor.current, &actor.scratch);

  canvas.ForgetCalls();
  actor.Render(&canvas, &surfaces, UPoint(0, 0), 0, 30.0f);  // the last key stays shown
  ExpectRect(Draws().at(0).dst, 125, 67, 157, 83);

  canvas.ForgetCalls();
  actor.Render(&canvas, &surfaces, UPoint(0, 0), 5, 1.0f);
  EXPECT_TRUE(canvas.GetCalls().empty());
}
