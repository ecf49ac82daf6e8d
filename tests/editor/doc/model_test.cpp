#include <string>

#include "tests/editor/doc/editor_fixture.h"

class ModelTest : public EditorTest {
 protected:
  // Two frames placing the module at (0, 0) and (10, 0), an action "walk" with keys at 0 and
  // 10 showing them, and a second action "run".
  void MakeWalk() {
    MakeFrame({UPoint(0, 0)});
    editor_.CreateFrame("second");
    editor_.PlaceModule();
    Placement(0).x = 10;
    editor_.CreateAction("walk");
    editor_.CreateAction("run");
    editor_.InsertActionKey(0, 0, 0);
    editor_.InsertActionKey(0, 10, 1);
    editor_.InsertActionKey(1, 0, 1);
  }

  UObjAction& Action(int index) { return *editor_.Actor()->actions[static_cast<size_t>(index)]; }
};

TEST_F(ModelTest, BlendBitsFollowEveryChangeToKeysFramesAndPlacements) {
  MakeWalk();
  // Both frames place the same module, so the first key blends toward the second.
  EXPECT_EQ(Action(0).keys[0].flags & kKeyBlendsToNext, kKeyBlendsToNext);
  editor_.SelectFrame(1);
  editor_.SelectPlacement(0);
  editor_.DeletePlacement();
  EXPECT_EQ(Action(0).keys[0].flags & kKeyBlendsToNext, 0u);
  editor_.PlaceModule();
  EXPECT_EQ(Action(0).keys[0].flags & kKeyBlendsToNext, kKeyBlendsToNext);
  editor_.SelectAction(0);
  editor_.MoveActionKey(1, 20);
  EXPECT_EQ(Action(0).keys[1].time, 20u);
  EXPECT_EQ(Action(0).keys[0].flags & kKeyBlendsToNext, kKeyBlendsToNext);

  // A panel that edits a field in place reports it; the bits and the modified flag follow.
  editor_.SaveActor(dir_.File("saved.an1"));
  editor_.CreateModule(Module(0, 0, 0, 4, 4));
  editor_.SetModified(false);
  Frame(1).placements[0].module = 1;
  editor_.ActorEdited(kChangePlacements);
  EXPECT_EQ(Action(0).keys[0].flags & kKeyBlendsToNext, 0u);
  EXPECT_TRUE(editor_.IsModified());
  EXPECT_EQ(listener_.masks.back(), kChangePlacements | kChangeModified | kChangeHistory);
}

TEST_F(ModelTest, DeletingAFrameResetsWhatPointedAtItAndRenumbersTheKeys) {
  MakeWalk();
  editor_.SelectAction(0);
  editor_.SelectActionFrame(1);
  EXPECT_EQ(editor_.SelectedFrame(), 1);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
  EXPECT_EQ(editor_.PlayTime(), 10.0f);
  editor_.SelectPlacement(0);
  editor_.ToggleTagMode();
  editor_.CreateTag(editor_.Centre().x, editor_.Centre().y);
  editor_.SelectTag(0);

  editor_.DeleteFrame(1);
  EXPECT_EQ(editor_.Actor()->frames.Num(), 1);
  EXPECT_EQ(editor_.SelectedFrame(), -1);
  EXPECT_EQ(editor_.ShownFrame(), -1);
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
  EXPECT_EQ(editor_.SelectedTag(), -1);
  EXPECT_EQ(editor_.DraggedTag(), -1);
  EXPECT_EQ(editor_.SelectedActionFrame(), -1);
  ASSERT_EQ(Action(0).keys.Num(), 1);
  EXPECT_EQ(Action(1).keys.Num(), 0);

  // Deleting an earlier frame moves the selection down with the frame it names.
  editor_.CreateFrame("b");
  editor_.CreateFrame("c");
  editor_.DeleteFrame(0);
  EXPECT_EQ(editor_.SelectedFrame(), 1);
  EXPECT_EQ(std::string(Frame().name.GetString()), "c");
}

TEST_F(ModelTest, DeletingThePlayedActionStopsPlayback) {
  MakeWalk();
  editor_.SelectAction(1);
  editor_.Play();
  EXPECT_TRUE(editor_.IsPlaying());
  editor_.DeleteAction(0);
  EXPECT_EQ(editor_.SelectedAction(), 0);  // "run" moved down one place
  EXPECT_TRUE(editor_.IsPlaying());
  editor_.DeleteAction(0);
  EXPECT_EQ(editor_.SelectedAction(), -1);
  EXPECT_FALSE(editor_.IsPlaying());
  editor_.Advance(1.0f);
  editor_.Render();
  editor_.Play();  // nothing to play
  EXPECT_FALSE(editor_.IsPlaying());
}

TEST_F(ModelTest, KeysAreDeletedOneAtATimeAndEmptyTimeShiftsThem) {
  MakeWalk();
  editor_.InsertActionKey(0, 10, 0);  // a second key at time 10
  ASSERT_EQ(Action(0).keys.Num(), 3);
  editor_.SelectAction(0);
  editor_.SelectActionFrame(2);
  editor_.DeleteActionKey(0, 1);
  ASSERT_EQ(Action(0).keys.Num(), 2);
  EXPECT_EQ(Action(0).keys[1].time, 10u);
  EXPECT_EQ(Action(0).keys[1].frame, 0u);
  EXPECT_EQ(editor_.SelectedActionFrame(), 1);  // the same key, one place down

  editor_.InsertEmptyTime(5);
  EXPECT_EQ(Action(0).keys[1].time, 11u);
  editor_.DeleteEmptyTime(5);
  editor_.DeleteEmptyTime(5);
  EXPECT_EQ(Action(0).keys[1].time, 9u);

  // A key inserted before the selected one moves the selection along with its key.
  editor_.InsertActionKey(0, 0, 1);
  EXPECT_EQ(editor_.SelectedActionFrame(), 2);
  EXPECT_EQ(Action(0).keys[2].time, 9u);

  // Keys must name an existing frame and action; bad indices change nothing.
  editor_.InsertActionKey(0, 30, 7);
  editor_.InsertActionKey(9, 30, 0);
  editor_.DeleteActionKey(0, 5);
  editor_.DeleteActionKey(-1, 0);
  editor_.MoveActionKey(9, 1);
  EXPECT_EQ(Action(0).keys.Num(), 3);
}

TEST_F(ModelTest, ModulesFramesAndPlacementsKeepTheirSelectionsConsistent) {
  MakeFrame({UPoint(0, 0), UPoint(4, 4), UPoint(8, 8)});
  editor_.CreateModule(Module(0, 0, 0, 2, 2));
  editor_.SelectModule(1);
  EXPECT_EQ(editor_.Mode(), EditMode::Module);
  editor_.PlaceModule();
  ASSERT_EQ(Frame().GetModuleSize(), 4);
  // A new placement whose scale is switched on keeps the module's size.
  CFrameFields fields = editor_.FrameFields(0, 3);
  fields.placementFields.affine.ScaleXEnable = 1;
  editor_.SetFrameFields(0, fields);
  editor_.SelectPlacement(3);
  URect box(0, 0, 0, 0);
  float angle = 0;
  ASSERT_TRUE(editor_.SelectedPlacementBox(&box, &angle));
  EXPECT_EQ(box.GetWidth(), 2);

  // Swapping carries the selection with the placement; keypad plus and minus swap too.
  editor_.SelectPlacement(1);
  editor_.SwapPlacements(editor_.SelectedFrame(), 1, 3);
  EXPECT_EQ(editor_.SelectedPlacement(), 3);
  EXPECT_EQ(Placement(3).x, 4);
  editor_.KeyDown(CVelloEditor::Key::PadMinus);
  EXPECT_EQ(editor_.SelectedPlacement(), 2);
  EXPECT_EQ(Placement(2).x, 4);
  editor_.KeyDown(CVelloEditor::Key::PadPlus);
  editor_.KeyDown(CVelloEditor::Key::PadPlus);  // already last: nothing
  EXPECT_EQ(editor_.SelectedPlacement(), 3);

  // Deleting module 0 takes three placements; the selection cannot stay.
  editor_.DeleteModule(0);
  EXPECT_EQ(editor_.SelectedModule(), 0);
  EXPECT_EQ(Frame().GetModuleSize(), 1);
  EXPECT_EQ(editor_.SelectedPlacement(), -1);
  editor_.DeleteModule(0);
  EXPECT_EQ(editor_.SelectedModule(), -1);

  // Inserting puts a module back before the selection, which follows it.
  editor_.InsertModule(0, Module(0, 0, 0, 3, 3));
  editor_.SelectModule(0);
  editor_.InsertModule(0, Module(0, 0, 0, 5, 5));
  EXPECT_EQ(editor_.SelectedModule(), 1);
  editor_.InsertModule(7, Module(0, 0, 0, 5, 5));
  EXPECT_EQ(editor_.Actor()->modules.Num(), 2);

  // Out-of-range selections are refused.
  editor_.SelectFrame(5);
  editor_.SelectModule(9);
  editor_.SelectPlacement(4);
  EXPECT_EQ(editor_.SelectedModule(), 1);
  EXPECT_EQ(editor_.SelectedFrame(), 0);
}

TEST_F(ModelTest, CopyingAFrameTakesItsTagsAndRotatingStepsThroughQuarterTurns) {
  MakeFrame({UPoint(3, 4)});
  editor_.CreateTag(editor_.Centre().x + 5, editor_.Centre().y + 6);
  Frame().collision = URect(-1, -2, 3, 4);
  ASSERT_EQ(editor_.CopyFrame("copy"), 1);
  EXPECT_EQ(editor_.SelectedFrame(), 1);
  EXPECT_EQ(std::string(Frame().name.GetString()), "copy");
  ASSERT_EQ(Frame().tags.Num(), 1);
  EXPECT_EQ(Frame().tags[0].x, 5);
  EXPECT_EQ(Frame().tags[0].y, 6);
  EXPECT_EQ(Frame().collision.right, 3);
  EXPECT_EQ(Placement(0).x, 3);

  editor_.SelectPlacement(0);
  for (uint32_t expected : {1u, 2u, 3u, 0u, 1u}) {
    editor_.RotatePlacement();
    EXPECT_EQ(Placement(0).affine.Rotate, expected);
  }
  // The other frame is untouched.
  EXPECT_EQ(Frame(0).placements[0].affine.Rotate, 0u);
}
