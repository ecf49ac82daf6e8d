#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/anim/obj_actor.h"

namespace {

// An actor with frames F0 and F1, each placing module 2 once, and one action with keys
// (0, F0) and (10, F1); blend bits computed.
class BlendTest : public ::testing::Test {
 protected:
  BlendTest() {
    f0 = new UObjFrame;
    f0->AddModule(2, 0, 0);
    f1 = new UObjFrame;
    f1->AddModule(2, 10, 0);
    actor.AddFrame(f0);
    actor.AddFrame(f1);
    action = new UObjAction;
    action->keys.push_back(TActionFrame{0, 0, 0, 0});
    action->keys.push_back(TActionFrame{10, 1, 0, 0});
    actor.AddAction(action);
    actor.SetIntroploate();
  }

  // Returns the result code and leaves the picture in `out`.
  int At(float time) { return actor.GetInterpolationFrame(0, time, &out); }

  UObjActor actor;
  UObjFrame* f0;
  UObjFrame* f1;
  UObjAction* action;
  UObjFrame out;
};

TEST_F(BlendTest, PositionsMoveLinearlyAndTruncate) {
  ASSERT_EQ(action->keys[0].flags, 1u);
  EXPECT_EQ(At(5.0f), -2);
  ASSERT_EQ(out.GetModuleSize(), 1);
  EXPECT_EQ(out.placements[0].x, 5);
  EXPECT_EQ(out.placements[0].module, 2);
  EXPECT_EQ(At(2.5f), -2);
  EXPECT_EQ(out.placements[0].x, 2);
  // The key is looked up at the truncated tick, the ratio uses the exact time.
  EXPECT_EQ(At(9.9f), -2);
  EXPECT_EQ(out.placements[0].x, 9);
  EXPECT_EQ(At(0.0f), 0);  // a key starting exactly there
  EXPECT_TRUE(out.placements.empty());
  EXPECT_EQ(At(10.0f), 1);  // the last key does not blend
  EXPECT_EQ(At(12.0f), 1);

  f0->placements[0].x = 10;
  f1->placements[0].x = 0;
  EXPECT_EQ(At(2.5f), -2);
  EXPECT_EQ(out.placements[0].x, 7);
}

TEST_F(BlendTest, ValuesBlendIn32BitFloats) {
  TObjFrame& p = f0->placements[0];
  TObjFrame& q = f1->placements[0];
  p.AlphaValue = 255;
  q.AlphaValue = 0;
  p.ScaleX = 0.1f;
  q.ScaleX = 0.7f;
  p.RotateAngle = 350.0f;
  q.RotateAngle = -10.0f;
  p.y = -3;
  q.y = 4;
  p.affine.FlipY = 1;
  q.affine.FlipX = 1;
  EXPECT_EQ(At(5.0f), -2);
  const TObjFrame& r = out.placements[0];
  EXPECT_EQ(r.AlphaValue, 127u);  // 255 - 127.5, truncated
  const float ratio = 0.5f;
  const float scale_step = (q.ScaleX - p.ScaleX) * ratio;
  EXPECT_EQ(r.ScaleX, p.ScaleX + scale_step);
  EXPECT_EQ(r.RotateAngle, 170.0f);
  EXPECT_EQ(r.y, 0);              // -3 + 3.5 = 0.5, truncated toward zero
  EXPECT_EQ(r.affine, p.affine);  // flags come from the first frame

  // A ratio that is not exact in binary: 1/3 rounded to a float at every step.
  const float third = 1.0f / 3.0f;
  EXPECT_EQ(At(10.0f / 3.0f), -2);
  const float elapsed = static_cast<float>(static_cast<double>(10.0f / 3.0f));
  const float exact_ratio = elapsed / 10.0f;
  EXPECT_NEAR(exact_ratio, third, 1e-6);
  const float step = (q.ScaleX - p.ScaleX) * exact_ratio;
  EXPECT_EQ(out.placements[0].ScaleX, p.ScaleX + step);
  const float alpha_step = -255.0f * exact_ratio;
  EXPECT_EQ(out.placements[0].AlphaValue, static_cast<uint32_t>(255.0f + alpha_step));
}

TEST_F(BlendTest, OriginBlendsLikePositions) {
  f0->origin = UPoint16(100, -20);
  f1->origin = UPoint16(110, 20);
  EXPECT_EQ(At(2.5f), -2);
  EXPECT_EQ(out.origin.x, 102);
  EXPECT_EQ(out.origin.y, -10);
}

TEST_F(BlendTest, InterpolationOffDeliversTheFirstFrameThroughTheOutput) {
  actor.interpolate = false;
  f0->placements[0].ScaleX = 2.0f;
  EXPECT_EQ(At(5.0f), -2);
  EXPECT_EQ(out.placements[0], f0->placements[0]);
}

TEST_F(BlendTest, OnlyMatchingFramesBlend) {
  f1->placements[0].module = 3;
  actor.SetIntroploate();
  EXPECT_EQ(action->keys[0].flags, 0u);
  EXPECT_EQ(At(5.0f), 0);
}

TEST_F(BlendTest, AStaleBlendBitBlendsOnlyWhileTheFramesStillMatch) {
  // Frames edited after the bits were computed: F1 loses its placement.
  f1->placements.clear();
  ASSERT_EQ(action->keys[0].flags, 1u);
  EXPECT_EQ(At(5.0f), 0);
  f1->AddModule(4, 0, 0);
  EXPECT_EQ(At(5.0f), 0);
  f1->placements[0].module = 2;
  EXPECT_EQ(At(5.0f), -2);
}

TEST_F(BlendTest, ALastKeyWithABlendBitShowsItsFrame) {
  action->keys[1].flags = 1;
  EXPECT_EQ(At(10.0f), 1);
  EXPECT_EQ(At(25.0f), 1);
}

TEST_F(BlendTest, NothingToShow) {
  EXPECT_EQ(actor.GetInterpolationFrame(5, 1.0f, nullptr), 1);
  EXPECT_EQ(actor.GetInterpolationFrame(1, 1.0f, &out), -1);
  EXPECT_EQ(actor.GetInterpolationFrame(-1, 1.0f, &out), -1);
  EXPECT_EQ(At(-0.5f), -1);
  EXPECT_EQ(At(std::nanf("")), -1);
  EXPECT_EQ(At(std::numeric_limits<float>::infinity()), 1);
  action->keys[1].frame = 7;  // a key showing a frame that does not exist
  EXPECT_EQ(At(10.0f), -1);
  EXPECT_EQ(At(5.0f), 0);  // and the blend toward it is off
  action->keys.clear();
  EXPECT_EQ(At(0.0f), -1);
}

TEST_F(BlendTest, HostileValuesBlendWithoutOverflow) {
  TObjFrame& p = f0->placements[0];
  TObjFrame& q = f1->placements[0];
  p.AlphaValue = 0xFFFFFFFF;
  q.AlphaValue = 0;
  p.ScaleX = std::numeric_limits<float>::max();
  q.ScaleX = -std::numeric_limits<float>::max();
  p.RotateAngle = std::nanf("");
  p.x = 32767;
  q.x = -32768;
  EXPECT_EQ(At(5.0f), -2);
  EXPECT_TRUE(std::isnan(out.placements[0].RotateAngle));
}

TEST_F(BlendTest, RenderFramePicksAFrameOrTheScratchPicture) {
  EXPECT_EQ(actor.GetRenderFrame(0, -0.5f), nullptr);
  EXPECT_EQ(actor.current, nullptr);
  EXPECT_EQ(actor.GetRenderFrame(0, 0.0f), f0);
  EXPECT_EQ(actor.current, f0);
  EXPECT_EQ(actor.GetRenderFrame(0, 5.0f), &actor.scratch);
  EXPECT_EQ(actor.scratch.placements[0].x, 5);
  EXPECT_EQ(actor.GetRenderFrame(3, 5.0f), nullptr);
  EXPECT_EQ(actor.current, &actor.scratch);  // nothing to draw leaves `current` alone
  EXPECT_EQ(actor.GetRenderFrame(0, 11.0f), f1);

  EXPECT_EQ(actor.GetFrame(1), f1);
  EXPECT_EQ(actor.GetFrame(2), nullptr);
  EXPECT_EQ(actor.GetFrame(-1), nullptr);
}

TEST(ClockTest, PlayAnimSelectsAndTheClockStopsOrLoopsAtTheEnd) {
  UObjActor actor;
  actor.Init();
  auto* walk = new UObjAction;
  walk->name = UName("walk");
  walk->keys.push_back(TActionFrame{0, 0, 0, 0});
  walk->keys.push_back(TActionFrame{10, 0, 0, 0});
  actor.AddAction(walk);

  EXPECT_EQ(actor.PlayAnim(UName("jump")), 0);
  EXPECT_EQ(actor.action, -1);
  EXPECT_EQ(actor.PlayAnim(UName("walk")), 1);
  EXPECT_EQ(actor.action, 0);
  EXPECT_EQ(actor.playing, 0);
  EXPECT_EQ(actor.time, -1.0f);

  actor.AddDeltaTime(1.0f);  // not playing
  EXPECT_EQ(actor.time, -1.0f);

  actor.playing = 1;
  actor.time = 9.5f;
  actor.AddDeltaTime(0.5f);
  EXPECT_EQ(actor.time, 10.0f);
  EXPECT_EQ(actor.playing, 0);

  actor.playing = 1;
  actor.loop = true;
  actor.time = 9.0f;
  actor.AddDeltaTime(0.5f);
  EXPECT_EQ(actor.time, 9.5f);
  actor.AddDeltaTime(0.5f);
  EXPECT_EQ(actor.time, 0.0f);
  EXPECT_EQ(actor.playing, 1);
  actor.StopAnim();
  EXPECT_EQ(actor.playing, 0);

  actor.playing = 1;
  actor.action = 4;  // no such action
  actor.AddDeltaTime(1.0f);
  EXPECT_EQ(actor.time, 0.0f);
}

}  // namespace
