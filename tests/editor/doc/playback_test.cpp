#include <algorithm>

#include "tests/editor/doc/editor_fixture.h"

class PlaybackTest : public EditorTest {
 protected:
  // Frames 0 and 1, an action with keys at 0 (frame 0) and 10 (frame 1), selected, 12 fps.
  void SetUpAction() {
    MakeFrame({UPoint(0, 0)});
    editor_.CreateFrame("second");
    editor_.PlaceModule();
    editor_.SelectAction(editor_.CreateAction("walk"));
    editor_.InsertActionKey(0, 0, 0);
    editor_.InsertActionKey(0, 10, 1);
    editor_.SetFrameRate(12.0f);
  }

  // Ticks every 20 ms from `start` until playing stops or `limitMs` passes; the time it
  // stopped, in ms after the first tick.
  uint32_t PlayUntilStopped(uint32_t start, uint32_t limitMs) {
    editor_.Tick(start);
    for (uint32_t t = 20; t <= limitMs; t += 20) {
      editor_.Tick(start + t);
      editor_.Render();
      if (!editor_.IsPlaying()) {
        return t;
      }
    }
    return limitMs + 1;
  }
};

TEST_F(PlaybackTest, PlayingStopsAtTheLastKeyALittleUnderASecond) {
  SetUpAction();
  editor_.Play();
  EXPECT_EQ(editor_.Mode(), EditMode::Action);
  EXPECT_EQ(editor_.PlayTime(), 0.0f);
  // Time 11 is passed after 11/12 s: the tick at 920 ms.
  const uint32_t stopped = PlayUntilStopped(1000, 2000);
  EXPECT_GT(stopped, 900u);
  EXPECT_LT(stopped, 1000u);
  EXPECT_EQ(editor_.PlayTime(), 10.0f);
  EXPECT_EQ(editor_.ShownFrame(), 1);
  EXPECT_NE(listener_.Count(kChangePlayTime), 0);

  // Stopped, the clock stays where it is.
  editor_.Advance(1.0f);
  EXPECT_EQ(editor_.PlayTime(), 10.0f);
}

TEST_F(PlaybackTest, LoopingRestartsFromTheStart) {
  SetUpAction();
  editor_.ToggleLoop();
  editor_.Play();
  editor_.Tick(0);
  float highest = 0;
  bool restarted = false;
  for (uint32_t t = 20; t <= 3000; t += 20) {
    const float before = editor_.PlayTime();
    editor_.Tick(t);
    highest = std::max(highest, editor_.PlayTime());
    restarted = restarted || editor_.PlayTime() < before;
  }
  EXPECT_TRUE(editor_.IsPlaying());
  EXPECT_TRUE(restarted);
  EXPECT_LE(highest, 11.0f);
  // Play while looping goes on from where the clock is.
  editor_.PickTime(4);
  editor_.Play();
  EXPECT_EQ(editor_.PlayTime(), 4.0f);
  editor_.Stop();
  EXPECT_FALSE(editor_.IsPlaying());
}

TEST_F(PlaybackTest, TheFirstTickOnlyRecordsTheTimeAndFramesFollowTheSelection) {
  SetUpAction();
  editor_.Play();
  editor_.Tick(5000);
  EXPECT_EQ(editor_.PlayTime(), 0.0f);
  editor_.Tick(5500);
  EXPECT_FLOAT_EQ(editor_.PlayTime(), 6.0f);
  // Across the wrap of the millisecond counter.
  editor_.Stop();
  editor_.Tick(0xFFFFFFF0u);
  editor_.Play();
  editor_.Tick(0x00000050u);  // 96 ms later
  EXPECT_NEAR(editor_.PlayTime(), 0.096f * 12, 1e-4);

  // Out of action mode the shown frame follows the selected one.
  editor_.SelectFrame(0);
  editor_.Advance(0.02f);
  EXPECT_EQ(editor_.ShownFrame(), 0);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
}
