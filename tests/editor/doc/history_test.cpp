#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/anim/actor_file.h"
#include "tests/editor/doc/editor_fixture.h"

using Key = CVelloEditor::Key;
using Bytes = std::vector<unsigned char>;

namespace {

constexpr size_t kHistoryBytes = size_t{256} << 20;

// "" when equal, else where two stored forms part: a readable failure instead of a byte dump.
std::string Difference(const Bytes& actual, const Bytes& expected) {
  const auto at = std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
  if (at.first == actual.end() && at.second == expected.end()) {
    return "";
  }
  return "differ from byte " + std::to_string(at.first - actual.begin()) + " (sizes " +
         std::to_string(actual.size()) + " and " + std::to_string(expected.size()) + ")";
}

}  // namespace

class HistoryTest : public EditorTest {
 protected:
  Bytes Stored() const { return editor_.StoredActor(); }

  // Two textures with a module each, frames "stand" (with a tag) and "walk" placing both, and
  // actions "idle" (keys on both frames) and "run"; "walk" is selected.
  void MakeActor() {
    editor_.Render();
    ASSERT_TRUE(editor_.LoadTexture(WriteTexture("a.png")));
    ASSERT_TRUE(editor_.LoadTexture(WriteSolid("b.png", 0xFF20C040u)));
    editor_.CreateModule(Module(0, 0, 0, 16, 8));
    editor_.CreateModule(Module(1, 0, 0, 8, 8));
    editor_.CreateFrame("stand");
    editor_.SelectModule(0);
    editor_.PlaceModule();
    editor_.SelectModule(1);
    editor_.PlaceModule();
    editor_.CreateTag(editor_.Centre().x + 4, editor_.Centre().y + 5);
    editor_.CreateFrame("walk");
    editor_.PlaceModule();
    editor_.SelectModule(0);
    editor_.PlaceModule();
    editor_.CreateAction("idle");
    editor_.CreateAction("run");
    editor_.InsertActionKey(0, 0, 0);
    editor_.InsertActionKey(0, 10, 1);
    editor_.InsertActionKey(1, 0, 1);
  }

  std::string WriteSolid(const std::string& name, uint32_t argb) {
    const std::string path = dir_.File(name);
    EXPECT_TRUE(WritePng(path, PngFromArgb(8, 8, std::vector<uint32_t>(64, argb))));
    return path;
  }

  void Drag(UPoint from, const std::vector<UPoint>& path) {
    editor_.MouseDown(CVelloEditor::kMouseLeft, Client(from.x, from.y));
    for (const UPoint& to : path) {
      editor_.MouseMove(CVelloEditor::kMouseLeft, Client(to.x, to.y));
    }
    editor_.MouseUp(0, Client(path.back().x, path.back().y));
  }

  // Every texture record has its surface and the file it was found at.
  void ExpectTexturesWhole() {
    ASSERT_EQ(editor_.TextureSurfaces().Num(), editor_.Actor()->textures.Num());
    for (int i = 0; i < editor_.TextureSurfaces().Num(); ++i) {
      EXPECT_NE(editor_.TextureSurfaces()[static_cast<size_t>(i)], nullptr) << "texture " << i;
      EXPECT_FALSE(editor_.TexturePath(i).empty()) << "texture " << i;
    }
  }

  // Every selection names something that exists, or nothing.
  void ExpectSelectionsValid() {
    const UObjActor& actor = *editor_.Actor();
    auto within = [](int index, int count) { return index >= -1 && index < count; };
    EXPECT_TRUE(within(editor_.SelectedTexture(), actor.textures.Num()));
    EXPECT_TRUE(within(editor_.SelectedModule(), actor.modules.Num()));
    EXPECT_TRUE(within(editor_.SelectedAction(), actor.actions.Num()));
    EXPECT_TRUE(within(editor_.SelectedFrame(), actor.frames.Num()));
    EXPECT_TRUE(within(editor_.ShownFrame(), actor.frames.Num()));
    const UObjAction* action =
        editor_.SelectedAction() < 0 ? nullptr : actor.actions[editor_.SelectedAction()];
    EXPECT_TRUE(within(editor_.SelectedActionFrame(), action == nullptr ? 0 : action->keys.Num()));
    const UObjFrame* frame =
        editor_.SelectedFrame() < 0 ? nullptr : actor.frames[editor_.SelectedFrame()];
    EXPECT_TRUE(within(editor_.SelectedPlacement(), frame == nullptr ? 0 : frame->GetModuleSize()));
    EXPECT_TRUE(within(editor_.SelectedTag(), frame == nullptr ? 0 : frame->tags.Num()));
  }

  // Runs `edit`, which must change the actor by one step, then undoes and redoes it: the stored
  // bytes go back to those before and forward to those after, and the step keeps its name. An
  // edit without a step name must change nothing and record nothing.
  void ExpectUndoRedo(const std::string& step, const std::function<void()>& edit) {
    SCOPED_TRACE(step);
    const Bytes before = Stored();
    const int position = editor_.HistoryPosition();
    edit();
    const Bytes after = Stored();
    if (step.empty()) {
      ASSERT_EQ(Difference(after, before), "");
      ASSERT_EQ(editor_.HistoryPosition(), position);
      return;
    }
    ASSERT_NE(Difference(after, before), "") << "the edit changed nothing";
    ASSERT_EQ(editor_.HistoryPosition(), position + 1) << "not one step";
    EXPECT_FALSE(editor_.CanRedo());
    const std::string name = editor_.UndoName();
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(editor_.HistoryName(position + 1), name);
    editor_.Undo();
    EXPECT_EQ(Difference(Stored(), before), "") << "after undo";
    EXPECT_EQ(editor_.HistoryPosition(), position);
    EXPECT_EQ(editor_.RedoName(), name);
    ExpectTexturesWhole();
    ExpectSelectionsValid();
    editor_.Render();  // every restored selection must still name something that exists
    editor_.Redo();
    EXPECT_EQ(Difference(Stored(), after), "") << "after redo";
    EXPECT_EQ(editor_.HistoryPosition(), position + 1);
    ExpectTexturesWhole();
    ExpectSelectionsValid();
    editor_.Render();
  }
};

TEST_F(HistoryTest, EveryKindOfEditUndoesAndRedoesToTheExactStoredBytes) {
  const Bytes fresh = Stored();
  MakeActor();
  const int made = editor_.HistoryPosition();
  EXPECT_GE(listener_.Count(kChangeHistory), made);
  // Each edit starts where the last one's redo left the actor; entries without a name select.
  const std::vector<std::pair<std::string, std::function<void()>>> edits = {
      {"create module", [&] { editor_.CreateModule(Module(1, 8, 0, 16, 8)); }},
      {"insert module renumbering placements",
       [&] { editor_.InsertModule(0, Module(0, 0, 0, 4, 4)); }},
      {"delete module with its placements", [&] { editor_.DeleteModule(2); }},
      {"create frame", [&] { editor_.CreateFrame("jump"); }},
      {"", [&] { editor_.SelectFrame(0); }},
      {"copy frame", [&] { editor_.CopyFrame("stand copy"); }},
      {"delete frame used by keys", [&] { editor_.DeleteFrame(0); }},
      {"create action", [&] { editor_.CreateAction("jump"); }},
      {"delete action", [&] { editor_.DeleteAction(1); }},
      {"insert key", [&] { editor_.InsertActionKey(0, 30, 1); }},
      {"", [&] { editor_.SelectAction(0); }},
      {"move key", [&] { EXPECT_TRUE(editor_.MoveActionKey(0, 5)); }},
      {"insert empty time", [&] { editor_.InsertEmptyTime(2); }},
      {"delete empty time", [&] { editor_.DeleteEmptyTime(2); }},
      {"delete key", [&] { editor_.DeleteActionKey(0, 1); }},
      {"", [&] { editor_.SelectModule(2); }},
      {"", [&] { editor_.SelectFrame(2); }},
      {"place module", [&] { editor_.PlaceModule(); }},
      {"swap placements", [&] { editor_.SwapPlacements(2, 0, 1); }},
      {"", [&] { editor_.SelectPlacement(0); }},
      {"nudge placement", [&] { editor_.NudgePlacement(3, -2); }},
      {"nudge frame", [&] { editor_.NudgeFrame(1, 1); }},
      {"flip placement", [&] { editor_.FlipHorizontal(); }},
      {"", [&] { editor_.SelectPlacement(-1); }},
      {"flip frame", [&] { editor_.FlipVertical(); }},
      {"", [&] { editor_.SelectPlacement(1); }},
      {"quarter turn", [&] { editor_.RotatePlacement(); }},
      {"delete placement", [&] { editor_.DeletePlacement(); }},
      {"create tag", [&] { editor_.CreateTag(editor_.Centre().x - 7, editor_.Centre().y + 3); }},
      {"delete tag", [&] { editor_.DeleteTag(0); }},
      {"", [&] { editor_.ToggleTagMode(); }},
      {"drag tag",
       [&] {
         Drag(UPoint(-7, 3), {UPoint(-4, 5), UPoint(0, 9), UPoint(6, 12)});
       }},
      {"", [&] { editor_.ToggleTagMode(); }},
      {"", [&] { editor_.SelectPlacement(0); }},
      {"drag placement",
       [&] {
         const URect box = editor_.PlacementRect();
         Drag(UPoint(box.left + 1, box.top + 1), {UPoint(box.left + 5, box.top), UPoint(30, 20)});
       }},
      {"collision rectangle",
       [&] {
         editor_.MiddleDown(CVelloEditor::kMouseMiddle, Client(-3, -4));
         editor_.MouseMove(CVelloEditor::kMouseMiddle, Client(5, 6));
         editor_.MouseMove(CVelloEditor::kMouseMiddle, Client(9, 8));
         editor_.MiddleUp(0, Client(10, 9));
       }},
      {"add textures",
       [&] {
         editor_.AddTextures({WriteTexture("c.png"), WriteSolid("d.png", 0xFF0000FFu)});
       }},
      {"", [&] { editor_.SelectTexture(0); }},
      {"replace texture",
       [&] { EXPECT_TRUE(editor_.ReplaceTexture(WriteTexture("e.png", 32, 4))); }},
      {"delete texture with modules", [&] { editor_.DeleteTexture(0); }},
      {"rename actor", [&] { editor_.SetActorName("英雄"); }},
      {"field edited in place",
       [&] {
         Frame().placements[0].affine.ScaleXEnable = 1;
         Frame().placements[0].ScaleX = 2.0f;
         editor_.ActorEdited(kChangePlacements, "属性");
         EXPECT_EQ(editor_.UndoName(), "属性");
       }},
      {"", [&] { editor_.SelectPlacement(0); }},
      {"arrow keys",
       [&] {
         editor_.KeyDown(Key::Left);
         editor_.KeyDown(Key::Down);
       }},
      {"keypad", [&] { editor_.KeyDown(Key::Pad6); }},
  };
  int steps = 0;
  for (const auto& [step, edit] : edits) {
    ExpectUndoRedo(step, edit);
    steps += step.empty() ? 0 : 1;
    ASSERT_FALSE(HasFatalFailure());
    if (step == "delete frame used by keys") {
      EXPECT_EQ(editor_.UndoName(), "删除帧");
    }
  }
  ASSERT_EQ(editor_.HistoryPosition(), made + steps);
  const Bytes last = Stored();

  // The whole history, both ways in one jump each; entries that do not exist change nothing.
  editor_.JumpToHistory(-1);
  editor_.JumpToHistory(editor_.HistorySize());
  EXPECT_EQ(Difference(Stored(), last), "");
  editor_.JumpToHistory(0);
  editor_.Undo();
  EXPECT_EQ(Difference(Stored(), fresh), "");
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_FALSE(editor_.IsModified());
  editor_.JumpToHistory(editor_.HistorySize() - 1);
  EXPECT_EQ(Difference(Stored(), last), "");
  EXPECT_FALSE(editor_.CanRedo());
  ExpectTexturesWhole();
}

// A key that blended toward the key of a deleted frame becomes last with its bit still set; the
// stored form must still be the one undo and redo read back.
TEST_F(HistoryTest, DeletingTheFrameOfTheLastKeyUndoesAndRedoesExactly) {
  MakeActor();
  editor_.SelectFrame(0);
  editor_.CopyFrame("stand 2");
  editor_.CopyFrame("stand 3");
  const int blend = editor_.CreateAction("blend");
  editor_.InsertActionKey(blend, 0, 2);
  editor_.InsertActionKey(blend, 5, 3);
  editor_.InsertActionKey(blend, 9, 0);
  ASSERT_NE(editor_.Actor()->actions[blend]->keys[1].flags & kKeyBlendsToNext, 0u);
  ExpectUndoRedo("delete the last key's frame", [&] { editor_.DeleteFrame(0); });
}

TEST_F(HistoryTest, UndoingATextureDeleteBringsBackItsModulesPlacementsAndPicture) {
  editor_.ToggleGrid();
  editor_.ToggleCentre();
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture("a.png")));
  ASSERT_TRUE(editor_.LoadTexture(WriteSolid("b.png", 0xFF20C040u)));
  editor_.CreateModule(Module(0, 0, 0, 16, 8));
  editor_.CreateModule(Module(1, 0, 0, 8, 8));
  editor_.CreateModule(Module(0, 8, 0, 16, 8));
  editor_.CreateFrame("frame");
  for (int module : {0, 1, 2}) {
    editor_.SelectModule(module);
    editor_.PlaceModule();
    editor_.SelectPlacement(module);
    editor_.NudgePlacement(module * 20, 0);
  }
  editor_.SelectPlacement(-1);
  const Bytes before = Stored();
  const std::string pathA = editor_.TexturePath(0);
  // Texture a drawn at (0, 0), b at (20, 0): their texels at frame points (6, 4) and (24, 4).
  auto expectPictures = [&](bool withA) {
    editor_.Render();
    const std::vector<uint32_t> picture = Picture();
    const int x = editor_.Centre().x + Frame().origin.x;
    const int y = editor_.Centre().y + Frame().origin.y;
    EXPECT_EQ(Rgb(picture, x + 24, y + 4), 0x20C040u);
    if (withA) {
      EXPECT_EQ(Rgb(picture, x + 6, y + 4), Texel(6, 4) & 0xFFFFFFu);
    } else {
      EXPECT_NE(Rgb(picture, x + 6, y + 4), Texel(6, 4) & 0xFFFFFFu);
    }
  };
  expectPictures(true);

  editor_.DeleteTexture(0);
  const Bytes after = Stored();
  ASSERT_EQ(editor_.Actor()->modules.Num(), 1);
  ASSERT_EQ(Frame().GetModuleSize(), 1);
  EXPECT_EQ(Placement(0).module, 0);
  // Twice round, so a redo that drops the surface again cannot free what undo needs.
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    editor_.Undo();
    EXPECT_EQ(Difference(Stored(), before), "");
    ASSERT_EQ(editor_.TextureSurfaces().Num(), 2);
    ASSERT_NE(editor_.TextureSurfaces()[0], nullptr);
    EXPECT_EQ(editor_.TextureSurfaces()[0]->GetWidth(), 16);
    EXPECT_EQ(editor_.TexturePath(0), pathA);
    EXPECT_EQ(editor_.TexturePath(1), dir_.File("b.png"));
    expectPictures(true);
    editor_.Redo();
    EXPECT_EQ(Difference(Stored(), after), "");
    EXPECT_EQ(editor_.TexturePath(0), dir_.File("b.png"));
    expectPictures(false);
  }

  // A replaced picture comes back too, with its file.
  editor_.Undo();
  editor_.SelectTexture(0);
  ASSERT_TRUE(editor_.ReplaceTexture(WriteTexture("wide.png", 32, 4)));
  editor_.Undo();
  EXPECT_EQ(editor_.TexturePath(0), pathA);
  expectPictures(true);
}

TEST_F(HistoryTest, UndoRestoresTheSelectionAndANewEditDropsTheRedoSteps) {
  MakeActor();
  editor_.SelectFrame(1);
  editor_.DeleteFrame(1);
  EXPECT_EQ(editor_.SelectedFrame(), -1);
  editor_.Undo();
  EXPECT_EQ(editor_.SelectedFrame(), 1);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);

  // A drag selects the placement it moves; undo selects it again from anywhere.
  editor_.SelectFrame(0);
  Drag(UPoint(10, 20), {UPoint(11, 21)});  // an empty spot: nothing picked, nothing moved
  Drag(UPoint(12, 2), {UPoint(30, 10), UPoint(34, 12)});
  ASSERT_EQ(editor_.SelectedPlacement(), 0);
  EXPECT_EQ(Placement(0).x, 22);
  editor_.SelectAction(1);
  editor_.SelectFrame(1);
  editor_.Undo();
  EXPECT_EQ(editor_.SelectedFrame(), 0);
  EXPECT_EQ(editor_.SelectedPlacement(), 0);
  EXPECT_EQ(editor_.Mode(), EditMode::Frame);
  EXPECT_EQ(Placement(0).x, 0);
  EXPECT_EQ(editor_.PlacementRect().left, 0);

  ASSERT_TRUE(editor_.CanRedo());
  const int position = editor_.HistoryPosition();
  editor_.CreateAction("new");
  EXPECT_FALSE(editor_.CanRedo());
  EXPECT_EQ(editor_.RedoName(), "");
  EXPECT_EQ(editor_.HistorySize(), position + 2);

  // Undoing the played action away stops it.
  const int jump = editor_.CreateAction("jump");
  editor_.SelectAction(jump);
  editor_.InsertActionKey(jump, 0, 0);
  editor_.InsertActionKey(jump, 8, 1);
  editor_.SelectActionFrame(1);
  editor_.Play();
  ASSERT_TRUE(editor_.IsPlaying());
  editor_.JumpToHistory(editor_.HistoryPosition() - 3);
  ExpectSelectionsValid();
  editor_.Advance(0.5f);
  editor_.Render();
  editor_.Play();
  editor_.Advance(0.5f);
  editor_.Render();
}

TEST_F(HistoryTest, TheModifiedFlagFollowsTheSavedStep) {
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_EQ(editor_.HistorySize(), 1);
  EXPECT_EQ(editor_.HistoryName(0), "新建");
  EXPECT_EQ(editor_.UndoName(), "");
  const uint64_t serial = editor_.EditSerial();
  editor_.CreateFrame("one");
  EXPECT_TRUE(editor_.IsModified());
  EXPECT_GT(editor_.EditSerial(), serial);
  const int told = listener_.Count(kChangeHistory);
  EXPECT_GT(told, 0);
  ASSERT_TRUE(editor_.SaveActor(dir_.File("doc.an1")));
  EXPECT_FALSE(editor_.IsModified());
  EXPECT_GT(listener_.Count(kChangeHistory), told);  // the pane shows the saved entry
  const uint64_t saved = editor_.EditSerial();
  editor_.Undo();
  EXPECT_TRUE(editor_.IsModified());
  EXPECT_GT(editor_.EditSerial(), saved);
  editor_.Redo();
  EXPECT_FALSE(editor_.IsModified());

  // Saved in the middle of the history: only that step is unmodified.
  editor_.CreateFrame("two");
  editor_.CreateFrame("three");
  editor_.Undo();
  ASSERT_TRUE(editor_.SaveActor(dir_.File("doc.an1")));
  editor_.Redo();
  EXPECT_TRUE(editor_.IsModified());
  editor_.Undo();
  EXPECT_FALSE(editor_.IsModified());
  editor_.Undo();
  EXPECT_TRUE(editor_.IsModified());
  // A different edit where the saved step was: the saved state is gone from the history.
  editor_.CreateAction("other");
  EXPECT_TRUE(editor_.IsModified());
  editor_.Undo();
  editor_.Redo();
  EXPECT_TRUE(editor_.IsModified());

  // A save that failed marks nothing; one in the middle of a drag splits it.
  EXPECT_FALSE(editor_.SaveActor(dir_.File("no-such-folder/doc.an1")));
  editor_.Undo();
  editor_.Redo();
  EXPECT_TRUE(editor_.IsModified());
  const uint64_t drag = editor_.NewMergeKey();
  editor_.SelectFrame(0);
  Frame().collision = URect(0, 0, 1, 1);
  editor_.ActorEdited(kChangeFrames, "碰撞框", drag);
  ASSERT_TRUE(editor_.SaveActor(dir_.File("doc.an1")));
  Frame().collision = URect(0, 0, 2, 2);
  editor_.ActorEdited(kChangeFrames, "碰撞框", drag);
  EXPECT_TRUE(editor_.IsModified());
  editor_.Undo();
  EXPECT_FALSE(editor_.IsModified());

  // A document that cannot be read keeps the history; opening one starts anew.
  EXPECT_FALSE(editor_.LoadActor(dir_.File("missing.an1")));
  EXPECT_TRUE(editor_.CanUndo());
  ASSERT_TRUE(editor_.LoadActor(dir_.File("doc.an1")));
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_FALSE(editor_.CanRedo());
  EXPECT_EQ(editor_.HistorySize(), 1);
  EXPECT_EQ(editor_.HistoryName(0), "打开");
  EXPECT_FALSE(editor_.IsModified());
  editor_.CreateFrame("four");
  editor_.NewActor("Fresh");
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_EQ(editor_.HistoryName(0), "新建");
}

TEST_F(HistoryTest, DragsAndRunsOfNudgesAreOneStepEachAndNoChangeIsNoStep) {
  MakeFrame({UPoint(0, 0), UPoint(40, 0)});
  editor_.ActorEdited(kChangePlacements, "放置");
  int position = editor_.HistoryPosition();
  std::vector<UPoint> path;
  for (int x = 4; x < 60; x += 4) {
    path.emplace_back(x, 2);
  }
  Drag(UPoint(2, 2), path);
  EXPECT_EQ(editor_.HistoryPosition(), ++position);
  Drag(UPoint(58, 2), {UPoint(50, 10), UPoint(30, 20)});
  EXPECT_EQ(editor_.HistoryPosition(), ++position);
  editor_.Undo();
  EXPECT_EQ(Placement(0).x, 54);
  editor_.Undo();
  EXPECT_EQ(Placement(0).x, 0);
  editor_.JumpToHistory(position);

  // Nudges of one placement merge until another placement is nudged.
  editor_.SelectPlacement(1);
  const Bytes before = Stored();
  for (int i = 0; i < 5; ++i) {
    editor_.NudgePlacement(1, 0);
  }
  editor_.KeyDown(Key::Right);
  EXPECT_EQ(editor_.HistoryPosition(), ++position);
  editor_.SelectPlacement(0);
  editor_.KeyDown(Key::Up);
  editor_.KeyDown(Key::Up);
  EXPECT_EQ(editor_.HistoryPosition(), ++position);
  editor_.SelectPlacement(1);
  editor_.NudgePlacement(0, 1);
  EXPECT_EQ(editor_.HistoryPosition(), ++position);
  editor_.JumpToHistory(position - 3);
  EXPECT_EQ(Difference(Stored(), before), "");
  // A nudge after an undo is a step of its own, never part of the one undone.
  position -= 3;
  editor_.SelectPlacement(1);
  editor_.NudgePlacement(0, 5);
  EXPECT_EQ(editor_.HistoryPosition(), position + 1);
  EXPECT_FALSE(editor_.CanRedo());
  editor_.Undo();
  EXPECT_EQ(Difference(Stored(), before), "");

  // Edits told with one merge key are one step; a new key starts another.
  const uint64_t first = editor_.NewMergeKey();
  const uint64_t second = editor_.NewMergeKey();
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  for (int i = 1; i <= 3; ++i) {
    Frame().collision = URect(0, 0, i, i);
    editor_.ActorEdited(kChangeFrames, "碰撞框", first);
  }
  EXPECT_EQ(editor_.HistoryPosition(), ++position);
  Frame().collision = URect(0, 0, 9, 9);
  editor_.ActorEdited(kChangeFrames, "碰撞框", second);
  EXPECT_EQ(editor_.HistoryPosition(), ++position);

  // Nothing changed: no step, and the redo steps stay.
  editor_.Undo();
  --position;
  editor_.ActorEdited(kChangePlacements, "属性");
  editor_.SwapPlacements(editor_.SelectedFrame(), 1, 1);
  editor_.DeleteFrame(9);
  Click(100, 100);
  editor_.ToggleGrid();
  EXPECT_EQ(editor_.HistoryPosition(), position);
  EXPECT_TRUE(editor_.CanRedo());
  // A drag that ends where it started is no step either.
  ASSERT_EQ(Placement(0).x, 26);
  Drag(UPoint(28, 20), {UPoint(40, 30), UPoint(28, 20)});
  EXPECT_EQ(editor_.HistoryPosition(), position) << "a drag back to its start made a step";
  EXPECT_TRUE(editor_.CanRedo());
}

TEST_F(HistoryTest, TheHistoryKeepsTheNewestStepsWithinItsBounds) {
  for (int i = 0; i < 250; ++i) {
    editor_.CreateAction("action " + std::to_string(i));
  }
  const int size = editor_.HistorySize();
  EXPECT_LE(size, 201);
  EXPECT_EQ(editor_.HistoryPosition(), size - 1);
  editor_.JumpToHistory(0);
  EXPECT_EQ(editor_.Actor()->actions.Num(), 250 - (size - 1));
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_TRUE(editor_.IsModified());  // the saved state fell out of the history
  editor_.JumpToHistory(size - 1);
  EXPECT_EQ(editor_.Actor()->actions.Num(), 250);

  // A document of over 3 MB: a hundred steps' stored forms stay within 256 MiB together.
  UObjActor large;
  large.Init();
  large.AddModule(new UObjModule(Module(0, 0, 0, 4, 4)));
  for (int f = 0; f < 5000; ++f) {
    auto* frame = new UObjFrame();
    for (int p = 0; p < 80; ++p) {
      frame->AddModule(0, p, f % 100);
    }
    large.AddFrame(frame);
  }
  ASSERT_TRUE(SaveActorFile(dir_.File("large.an1").c_str(), large));
  ASSERT_TRUE(editor_.LoadActor(dir_.File("large.an1")));
  const size_t stepBytes = Stored().size();
  ASSERT_GT(stepBytes, size_t{3'000'000});
  for (int i = 0; i < 100; ++i) {
    editor_.CreateAction("a");
  }
  EXPECT_LE(static_cast<size_t>(editor_.HistorySize()) * stepBytes, kHistoryBytes + 2 * stepBytes);
  EXPECT_GE(editor_.HistorySize(), 2);
  editor_.Undo();
  EXPECT_EQ(editor_.Actor()->actions.Num(), 99);
}

TEST_F(HistoryTest, ARecoveryCopyOpensModifiedAndDamagedBytesChangeNothing) {
  std::filesystem::create_directories(dir_.File("art"));
  std::filesystem::create_directories(dir_.File("empty"));
  ASSERT_TRUE(editor_.LoadTexture(WriteTexture("art/a.png")));
  editor_.SelectModule(editor_.CreateModule(Module(0, 0, 0, 16, 8)));
  editor_.CreateFrame("frame");
  editor_.PlaceModule();
  const Bytes copy = Stored();
  const std::vector<std::string> paths = {editor_.TexturePath(0)};

  // The texture is neither beside the document nor in the current directory: the session's
  // full path finds it.
  editor_.NewActor("Other");
  editor_.SetCurrentDirectory(dir_.File("empty"));
  editor_.CreateAction("kept");
  ASSERT_TRUE(editor_.OpenRecovered(copy, dir_.File("elsewhere/doc.an1"), paths));
  EXPECT_EQ(Difference(Stored(), copy), "");
  EXPECT_TRUE(editor_.IsModified());
  EXPECT_FALSE(editor_.CanUndo());
  EXPECT_EQ(editor_.HistoryName(0), "恢复");
  ExpectTexturesWhole();
  EXPECT_EQ(editor_.TexturePath(0), paths[0]);
  // Undoing back to the recovered state does not make it saved.
  editor_.CreateAction("more");
  editor_.Undo();
  EXPECT_TRUE(editor_.IsModified());

  const Bytes now = Stored();
  const size_t messages = messages_.size();
  for (const Bytes& damaged : {Bytes(copy.begin(), copy.begin() + copy.size() / 2), Bytes(),
                               Bytes(copy.begin(), copy.end() - 1)}) {
    EXPECT_FALSE(editor_.OpenRecovered(damaged, "", paths)) << damaged.size() << " bytes";
    EXPECT_EQ(Difference(Stored(), now), "");
    EXPECT_TRUE(editor_.CanRedo());
  }
  EXPECT_EQ(messages_.size(), messages + 3);
}

// The history brings back the actor as it was in memory: values the stored form leaves out while
// their bits are clear, and a drag or run of nudges still open when another step comes.
TEST_F(HistoryTest, StepsBringBackTheActorAsItWasInMemory) {
  MakeFrame({UPoint(0, 0), UPoint(40, 0)});
  editor_.ActorEdited(kChangePlacements, "放置");
  Placement(0).affine.RotateAngleEnable = 1;
  Placement(0).RotateAngle = 45.0f;
  editor_.ActorEdited(kChangePlacements, "属性");
  Placement(0).affine.RotateAngleEnable = 0;
  editor_.ActorEdited(kChangePlacements, "属性");
  editor_.CreateAction("later");
  editor_.Undo();
  EXPECT_EQ(Placement(0).RotateAngle, 45.0f);

  // Nudges, then a field edited in place before anything closed the run: two steps.
  editor_.SelectPlacement(1);
  const Bytes before = Stored();
  editor_.NudgePlacement(1, 0);
  editor_.NudgePlacement(1, 0);
  const Bytes nudged = Stored();
  Placement(1).affine.FlipX = 1;
  editor_.ActorEdited(kChangePlacements, "属性");
  EXPECT_EQ(editor_.HistoryName(editor_.HistoryPosition() - 1), "移动模块");
  editor_.Undo();
  EXPECT_EQ(Difference(Stored(), nudged), "");
  editor_.Undo();
  EXPECT_EQ(Difference(Stored(), before), "");

  // Undo in the middle of a drag takes back the whole drag, and redo brings it back.
  editor_.MouseDown(CVelloEditor::kMouseLeft, Client(2, 2));
  editor_.MouseMove(CVelloEditor::kMouseLeft, Client(12, 7));
  editor_.MouseMove(CVelloEditor::kMouseLeft, Client(22, 9));
  const Bytes dragged = Stored();
  EXPECT_EQ(editor_.UndoName(), "移动模块");
  editor_.Undo();
  EXPECT_EQ(Difference(Stored(), before), "");
  editor_.MouseUp(0, Client(22, 9));
  editor_.Redo();
  EXPECT_EQ(Difference(Stored(), dragged), "");

  // Inserting a module moves the placements of it and later ones up with it.
  editor_.CreateModule(Module(0, 0, 0, 4, 4));
  editor_.SelectModule(1);
  editor_.PlaceModule();
  editor_.InsertModule(1, Module(0, 0, 0, 2, 2));
  EXPECT_EQ(Placement(0).module, 0);
  EXPECT_EQ(Placement(2).module, 2);
}

// Textures replaced again and again: the surfaces only the history keeps count against its bound.
TEST_F(HistoryTest, SurfacesOnlyTheHistoryKeepsCountAgainstItsBound) {
  constexpr int kSide = 2048;  // 16 MiB a surface
  const std::string path = dir_.File("big.png");
  ASSERT_TRUE(WritePng(path, PngFromArgb(kSide, kSide, std::vector<uint32_t>(kSide * kSide))));
  ASSERT_TRUE(editor_.LoadTexture(path));
  editor_.SelectTexture(0);
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(editor_.ReplaceTexture(path));
  }
  const size_t surfaceBytes = size_t{kSide} * kSide * 4;
  EXPECT_LE(static_cast<size_t>(editor_.HistorySize() - 2) * surfaceBytes, kHistoryBytes);
  editor_.JumpToHistory(0);
  EXPECT_NE(editor_.TextureSurfaces()[0], nullptr);
}
