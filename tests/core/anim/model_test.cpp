#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/anim/obj_actor.h"

using ::testing::ElementsAre;

namespace {

std::vector<uint16_t> ModulesOf(const UObjFrame& frame) {
  std::vector<uint16_t> modules;
  for (const TObjFrame& p : frame.placements) {
    modules.push_back(p.module);
  }
  return modules;
}

std::vector<uint32_t> TimesOf(const UObjAction& action) {
  std::vector<uint32_t> times;
  for (const TActionFrame& k : action.keys) {
    times.push_back(k.time);
  }
  return times;
}

UObjAction ActionWithKeys(std::initializer_list<std::pair<uint32_t, uint32_t>> keys) {
  UObjAction action;
  for (const auto& [time, frame] : keys) {
    TActionFrame key;
    key.time = time;
    key.frame = frame;
    action.keys.push_back(key);
  }
  return action;
}

UObjFrame* FrameOfModules(std::initializer_list<uint16_t> modules) {
  auto* frame = new UObjFrame;
  for (uint16_t m : modules) {
    frame->AddModule(m, 0, 0);
  }
  return frame;
}

}  // namespace

TEST(FrameTest, AddModuleKeepsCoordinatesTo16BitsAndZeroesTheRest) {
  UObjFrame frame;
  frame.AddModule(3, 70000, -5);
  ASSERT_EQ(frame.GetModuleSize(), 1);
  const TObjFrame& p = *frame.GetModule(0);
  EXPECT_EQ(p.module, 3);
  EXPECT_EQ(p.x, 4464);
  EXPECT_EQ(p.y, -5);
  EXPECT_EQ(p.affine, WObjAffine());
  EXPECT_EQ(p.ScaleX, 0.0f);
  EXPECT_EQ(p.AlphaValue, 0u);
}

TEST(FrameTest, IndicesOutsideTheListsAreRejected) {
  UObjFrame frame;
  frame.AddModule(1, 0, 0);
  frame.AddTag(0, 0);
  frame.DelModule(1);
  frame.DelModule(-1);
  frame.DelTag(1);
  EXPECT_EQ(frame.GetModule(1), nullptr);
  EXPECT_EQ(frame.GetModule(-1), nullptr);
  EXPECT_EQ(frame.GetModuleSize(), 1);
  EXPECT_EQ(frame.tags.Num(), 1);
  frame.DelModule(0);
  frame.DelTag(0);
  EXPECT_EQ(frame.GetModuleSize(), 0);
  EXPECT_EQ(frame.tags.Num(), 0);
}

TEST(FrameTest, AddTagIsNamedAfterTheTickCount) {
  UObjFrame frame;
  frame.AddTag(3, 4);
  const TFrameTag& tag = frame.tags[0];
  EXPECT_EQ(tag.x, 3);
  EXPECT_EQ(tag.y, 4);
  EXPECT_EQ(tag.width, 0);
  EXPECT_EQ(tag.height, 0);
  EXPECT_EQ(tag.Param1, 0);
  EXPECT_EQ(tag.Param2, 0);
  EXPECT_EQ(std::string(tag.name.GetString()).rfind("NewTag_", 0), 0u);
  EXPECT_GE(tag.name.Length(), 10);  // the tick count takes at least three characters
}

TEST(FrameTest, AssignmentKeepsTheTargetsTagsWhileCopyingTakesThem) {
  UObjFrame b;
  b.name = UName("b");
  b.origin = UPoint16(7, 8);
  b.collision = URect(1, 2, 3, 4);
  b.AddModule(5, 1, 1);
  b.AddTag(9, 9);

  UObjFrame a;
  a.AddModule(1, 0, 0);
  a.AddModule(2, 0, 0);
  a.AddTag(1, 1);
  a.tags[0].Param1 = 42;
  a = b;
  EXPECT_STREQ(a.name.GetString(), "b");
  EXPECT_EQ(a.origin.x, 7);
  EXPECT_EQ(a.collision.bottom, 4);
  EXPECT_THAT(ModulesOf(a), ElementsAre(5));
  ASSERT_EQ(a.tags.Num(), 1);
  EXPECT_EQ(a.tags[0].Param1, 42);

  const UObjFrame copy(b);
  ASSERT_EQ(copy.tags.Num(), 1);
  EXPECT_EQ(copy.tags[0].x, 9);

  a = a;  // self-assignment keeps the placements
  EXPECT_THAT(ModulesOf(a), ElementsAre(5));
}

TEST(AffineTest, PacksEachFieldMaskedToItsWidth) {
  WObjAffine affine;
  affine.Rotate = 3;
  affine.FlipX = 1;
  affine.AlphaBlendMode = 5;
  EXPECT_EQ(affine.Pack(), 0x050D);

  WObjAffine wide;
  wide.Rotate = 7;          // two bits kept
  wide.AlphaBlendOP = 0xF;  // three bits kept
  wide.Reserved = 3;        // one bit kept
  EXPECT_EQ(wide.Pack(), 0x0003 << 2 | 0x7 << 12 | 1 << 15);

  const WObjAffine all = WObjAffine::Unpack(0xFFFF);
  EXPECT_EQ(all.Rotate, 3u);
  EXPECT_EQ(all.AlphaBlendMode, 15u);
  EXPECT_EQ(all.AlphaBlendOP, 7u);
  EXPECT_EQ(all.Reserved, 1u);
  EXPECT_EQ(all.Pack(), 0xFFFF);
}

// The time lookup on keys (0, f10), (5, f11), (10, f12).
struct LookupCase {
  uint32_t t;
  int flags;
  int result;
  int index;
  int exact;
};

TEST(ActionTest, GetFrameByTimeFollowsTheLookupTable) {
  const UObjAction action = ActionWithKeys({{0, 10}, {5, 11}, {10, 12}});
  const LookupCase cases[] = {
      {7, 3, 11, 1, 0}, {5, 3, 11, 1, 1},  {10, 3, 12, 2, 0}, {12, 3, 12, 2, 0}, {0, 3, 10, 0, 1},
      {7, 4, 12, 2, 0}, {10, 4, -1, 2, 0}, {12, 4, -1, 2, 0}, {0, 4, 11, 1, 0},  {10, 2, -1, 2, 0},
      {5, 2, 11, 1, 1}, {7, 2, -1, 1, 0},  {7, 1, 11, 1, 0},  {5, 1, 11, 1, 0},  {12, 1, 12, 2, 0},
  };
  for (const LookupCase& c : cases) {
    int index = -7;
    int exact = -7;
    EXPECT_EQ(action.GetFrameByTime(c.t, c.flags, &index, &exact), c.result)
        << "t " << c.t << " flags " << c.flags;
    EXPECT_EQ(index, c.index) << "t " << c.t << " flags " << c.flags;
    EXPECT_EQ(exact, c.exact) << "t " << c.t << " flags " << c.flags;
  }

  const UObjAction late = ActionWithKeys({{3, 1}});
  int index = 0;
  int exact = 1;
  EXPECT_EQ(late.GetFrameByTime(1, 3, &index, &exact), -1);
  EXPECT_EQ(index, -1);
  EXPECT_EQ(exact, 0);

  const UObjAction empty;
  index = 9;
  EXPECT_EQ(empty.GetFrameByTime(0, 3, &index, nullptr), -1);
  EXPECT_EQ(index, 9);
  EXPECT_EQ(action.GetFrameByTime(7, 3, nullptr, nullptr), 11);
}

TEST(ActionTest, InsFrameGoesAfterKeysOfTheSameTime) {
  UObjAction action = ActionWithKeys({{0, 0}, {5, 1}, {10, 2}});
  TActionFrame key;
  key.time = 5;
  key.frame = 9;
  action.InsFrame(key);
  EXPECT_THAT(TimesOf(action), ElementsAre(0, 5, 5, 10));
  EXPECT_EQ(action.keys[2].frame, 9u);
  key.time = 20;
  action.InsFrame(key);
  EXPECT_EQ(action.keys.back().time, 20u);

  action.DelFrame(5);
  EXPECT_THAT(TimesOf(action), ElementsAre(0, 10, 20));
}

TEST(ActionTest, DelKeyRemovesOneKeyAndLeavesOthersAtItsTime) {
  UObjAction action = ActionWithKeys({{0, 0}, {5, 1}, {5, 2}, {10, 3}});
  EXPECT_EQ(action.DelKey(1), 1);
  EXPECT_THAT(TimesOf(action), ElementsAre(0, 5, 10));
  EXPECT_EQ(action.keys[1].frame, 2u);
  EXPECT_EQ(action.DelKey(3), 0);
  EXPECT_EQ(action.DelKey(-1), 0);
  EXPECT_EQ(action.keys.Num(), 3);
}

TEST(ActionTest, MoveFrameRefusesAnOccupiedTimeAndResorts) {
  UObjAction action = ActionWithKeys({{0, 0}, {5, 1}, {10, 2}});
  EXPECT_EQ(action.MoveFrame(1, 10), 0);
  EXPECT_EQ(action.MoveFrame(1, 5), 0);  // its own time counts too
  EXPECT_EQ(action.MoveFrame(3, 7), 0);
  EXPECT_EQ(action.MoveFrame(-1, 7), 0);
  EXPECT_THAT(TimesOf(action), ElementsAre(0, 5, 10));
  action.keys[1].flags = 1;
  EXPECT_EQ(action.MoveFrame(1, 12), 1);
  EXPECT_THAT(TimesOf(action), ElementsAre(0, 10, 12));
  EXPECT_EQ(action.keys[2].frame, 1u);
  EXPECT_EQ(action.keys[2].flags, 1u);
}

TEST(ActionTest, EmptyTicksShiftTheKeyInForceAndLaterOnes) {
  struct Case {
    bool insert;
    int t;
    std::vector<uint32_t> before;
    std::vector<uint32_t> after;
  };
  const Case cases[] = {
      {true, 7, {0, 5, 10}, {0, 6, 11}},
      {true, 3, {0, 5, 10}, {1, 6, 11}},
      {true, 12, {0, 5, 10}, {0, 5, 11}},
      {false, 3, {0, 5, 10}, {0, 4, 9}},
      {false, 7, {0, 5, 10}, {0, 4, 9}},
      {false, 0, {0, 1}, {0, 0}},
      // Keys sharing the time of the key in force move with it, so the order holds.
      {false, 3, {3, 3, 8}, {2, 2, 7}},
      {true, 5, {0, 0xFFFFFFFF}, {1, 0xFFFFFFFF}},
  };
  for (const Case& c : cases) {
    UObjAction action;
    for (uint32_t time : c.before) {
      action.keys.push_back(TActionFrame{time, 0, 0, 0});
    }
    EXPECT_EQ(c.insert ? action.InsertActionEmptyFrame(c.t) : action.DeleteActionEmptyFrame(c.t),
              1);
    EXPECT_EQ(TimesOf(action), c.after) << (c.insert ? "insert at " : "delete at ") << c.t;
  }
  UObjAction empty;
  EXPECT_EQ(empty.InsertActionEmptyFrame(3), 1);
  EXPECT_EQ(empty.DeleteActionEmptyFrame(3), 1);
  EXPECT_TRUE(empty.keys.empty());
}

TEST(ActionTest, DelOneFrameRemovesAndRenumbersKeys) {
  UObjAction action = ActionWithKeys({{0, 4}, {1, 5}, {2, 4}, {3, 7}});
  action.DelOneFrame(4);
  ASSERT_EQ(action.keys.Num(), 2);
  EXPECT_EQ(action.keys[0].frame, 4u);
  EXPECT_EQ(action.keys[1].frame, 6u);
}

TEST(ActionTest, TotalTimeIsTheLastKeysTime) {
  EXPECT_EQ(UObjAction().GetTotalTime(), 0.0f);
  EXPECT_EQ(ActionWithKeys({{0, 0}, {12, 0}}).GetTotalTime(), 12.0f);
  UObjAction action = ActionWithKeys({{0, 0}});
  action.Clear();
  EXPECT_TRUE(action.keys.empty());
  EXPECT_EQ(UObjAction().speed, 255);
}

TEST(ActionTest, BlendTestMatchesModulesPlacementByPlacement) {
  UObjActor actor;
  actor.AddFrame(FrameOfModules({2, 3}));     // 0
  actor.AddFrame(FrameOfModules({2, 3, 9}));  // 1: extra placements take no part
  actor.AddFrame(FrameOfModules({2}));        // 2: fewer placements
  actor.AddFrame(FrameOfModules({3, 2}));     // 3: other modules
  UObjAction action =
      ActionWithKeys({{0, 0}, {5, 1}, {10, 2}, {15, 0}, {20, 3}, {25, 99}, {30, 0}});
  for (TActionFrame& key : action.keys) {
    key.flags = 1;
  }
  EXPECT_TRUE(action.CompareFrame(&actor.frames, 0));
  EXPECT_FALSE(action.CompareFrame(&actor.frames, 1));
  EXPECT_TRUE(action.CompareFrame(&actor.frames, 2));
  EXPECT_FALSE(action.CompareFrame(&actor.frames, 3));
  EXPECT_FALSE(action.CompareFrame(&actor.frames, 4));  // toward a frame that does not exist
  EXPECT_FALSE(action.CompareFrame(&actor.frames, 5));  // from a frame that does not exist
  EXPECT_FALSE(action.CompareFrame(&actor.frames, 6));  // the last key
  EXPECT_FALSE(action.CompareFrame(&actor.frames, -1));
  EXPECT_FALSE(action.CompareFrame(nullptr, 0));

  action.SetInterpolation(&actor.frames, true);
  std::vector<uint32_t> flags;
  for (const TActionFrame& key : action.keys) {
    flags.push_back(key.flags);
  }
  EXPECT_THAT(flags, ElementsAre(1, 0, 1, 0, 0, 0, 1));  // the last key's bit is left as it was
}

TEST(ActorTest, InitResetsPlaybackAndEmptiesEverythingButEvents) {
  UObjActor actor;
  actor.AddActionEvent(UName("hit"));
  actor.AddModule(new UObjModule);
  actor.AddFrame(new UObjFrame);
  actor.AddAction(new UObjAction);
  actor.AddTexture(TTextureInfo{});
  actor.interpolate = false;
  actor.time = 3.0f;
  actor.action = 0;
  actor.current = actor.frames[0];
  actor.Init();
  EXPECT_TRUE(actor.interpolate);
  EXPECT_EQ(actor.time, -1.0f);
  EXPECT_EQ(actor.action, -1);
  EXPECT_EQ(actor.playing, 0);
  EXPECT_FALSE(actor.loop);
  EXPECT_EQ(actor.current, nullptr);
  EXPECT_TRUE(actor.textures.empty());
  EXPECT_TRUE(actor.modules.empty());
  EXPECT_TRUE(actor.frames.empty());
  EXPECT_TRUE(actor.actions.empty());
  EXPECT_EQ(actor.events.Num(), 1);
}

TEST(ActorTest, AddReturnsIndicesAndRefusesNull) {
  UObjActor actor;
  EXPECT_EQ(actor.AddModule(new UObjModule), 0);
  EXPECT_EQ(actor.AddModule(new UObjModule), 1);
  EXPECT_EQ(actor.AddFrame(new UObjFrame), 0);
  EXPECT_EQ(actor.AddAction(new UObjAction), 0);
  EXPECT_EQ(actor.AddModule(nullptr), -1);
  EXPECT_EQ(actor.AddFrame(nullptr), -1);
  EXPECT_EQ(actor.modules.Num(), 2);
  EXPECT_EQ(actor.frames.Num(), 1);
}

TEST(ActorTest, DelModuleBeyondWhatPlacementsCanNameLeavesThemAlone) {
  // Placements hold 16-bit module numbers, so a module at 65536 or later is never placed.
  UObjActor actor;
  for (int i = 0; i < 65538; ++i) {
    actor.AddModule(new UObjModule);
  }
  actor.AddFrame(FrameOfModules({0, 1, 2, 65535}));

  EXPECT_EQ(actor.DelModule(65537), 1);
  EXPECT_EQ(actor.DelModule(65536), 1);
  EXPECT_EQ(actor.modules.Num(), 65536);
  EXPECT_THAT(ModulesOf(*actor.frames[0]), ElementsAre(0, 1, 2, 65535));
}

TEST(ActorTest, DelModuleRemovesItsPlacementsAndRenumbersLaterOnes) {
  UObjActor actor;
  UObjModule* m0 = new UObjModule;
  UObjModule* m2 = new UObjModule;
  actor.AddModule(m0);
  actor.AddModule(new UObjModule);
  actor.AddModule(m2);
  actor.AddFrame(FrameOfModules({1, 1, 2, 0}));
  actor.AddFrame(FrameOfModules({2, 1}));

  EXPECT_EQ(actor.DelModule(3), 0);
  EXPECT_EQ(actor.DelModule(-1), 0);
  EXPECT_EQ(actor.modules.Num(), 3);
  EXPECT_THAT(ModulesOf(*actor.frames[0]), ElementsAre(1, 1, 2, 0));

  EXPECT_EQ(actor.DelModule(1), 1);
  EXPECT_THAT(actor.modules, ElementsAre(m0, m2));
  EXPECT_THAT(ModulesOf(*actor.frames[0]), ElementsAre(1, 0));
  EXPECT_THAT(ModulesOf(*actor.frames[1]), ElementsAre(1));

  // Putting a module back does not renumber placements.
  UObjModule* m = new UObjModule;
  EXPECT_EQ(actor.InsModule(1, m), 0);
  EXPECT_THAT(actor.modules, ElementsAre(m0, m, m2));
  EXPECT_THAT(ModulesOf(*actor.frames[0]), ElementsAre(1, 0));
  UObjModule* front = new UObjModule;
  UObjModule* back = new UObjModule;
  actor.InsModule(-4, front);
  actor.InsModule(99, back);
  EXPECT_THAT(actor.modules, ElementsAre(front, m0, m, m2, back));
}

TEST(ActorTest, DeletingAFrameKeepsKeysAndCurrentValid) {
  UObjActor actor;
  actor.AddFrame(FrameOfModules({0}));
  actor.AddFrame(FrameOfModules({0}));
  actor.AddFrame(FrameOfModules({0}));
  auto* action = new UObjAction(ActionWithKeys({{0, 0}, {5, 1}, {10, 2}}));
  actor.AddAction(action);
  actor.current = actor.frames[1];

  for (UObjAction* a : actor.actions) {
    a->DelOneFrame(1);
  }
  EXPECT_EQ(actor.DelFrame(1), 1);
  EXPECT_EQ(actor.current, nullptr);
  EXPECT_EQ(actor.DelFrame(2), 0);
  ASSERT_EQ(action->keys.Num(), 2);
  EXPECT_EQ(action->keys[1].frame, 1u);
  EXPECT_EQ(actor.GetInterpolationFrame(0, 7.0f, &actor.scratch), 0);
  EXPECT_EQ(actor.GetInterpolationFrame(0, 10.0f, &actor.scratch), 1);

  EXPECT_EQ(actor.DelAction(1), 0);
  EXPECT_EQ(actor.DelAction(0), 1);
  EXPECT_TRUE(actor.actions.empty());
}

TEST(ActorTest, NameLookups) {
  UObjActor actor;
  auto* run = new UObjAction;
  run->name = UName("Run");
  actor.AddAction(run);
  auto* walk = new UObjAction;
  walk->name = UName("Walk");
  actor.AddAction(walk);

  EXPECT_EQ(actor.GetAction(UName("Walk")), walk);
  EXPECT_EQ(actor.GetAction(UName("run")), nullptr);
  EXPECT_EQ(actor.FindAnimByName(UName("Walk")), 1);
  EXPECT_EQ(actor.FindAnimByName(UName("Jump")), -1);
  // Matching is by hash only: "ab" and "b]" hash alike (97 * 5 + 98 = 98 * 5 + 93).
  walk->name = UName("ab");
  EXPECT_EQ(actor.FindAnimByName(UName("b]")), 1);

  UObjActionEvent* hit = actor.AddActionEvent(UName("hit"));
  EXPECT_EQ(hit->actor, &actor);
  hit->entries.push_back(new TActionEventEntry{UName("spark")});
  EXPECT_EQ(actor.GetActionEvent(UName("hit")), hit);
  EXPECT_EQ(actor.GetActionEvent(UName("Hit")), nullptr);
  EXPECT_EQ(actor.DelActionEvent(1), 0);
  EXPECT_EQ(actor.DelActionEvent(0), 1);
  EXPECT_TRUE(actor.events.empty());
}
